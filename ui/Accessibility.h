#pragma once
// What a screen reader is told beyond what Qt tells it by itself. Qt names a
// list box on Linux after the entry it shows ("60"), never after its caption,
// so the reader cannot say which setting it is: the program's lists name
// themselves as every other control does (their accessible name, the label
// that stands beside them, or their frame) and give the entry as their value.

#include <QElapsedTimer>
#include <QObject>

class QLabel;
class QString;
class QTableWidget;
class QTimer;
class QWidget;

namespace mx615 {

// Installs the program's accessible interfaces; once, before the first window.
void InstallAccessibility();

// A control that moves on to stand for another thing (an editor laid over the
// next cell) is a new control to the reader from now on. Orca says nothing
// when the focus comes back to the control it last spoke of, and Qt 6.4 tells
// it of a new name in a way it cannot read.
void RenewForReader(QWidget* control);

// Tells the reader which cell of a grid has the focus, as moving between
// cells does: Qt tells it only that the grid took the focus.
void AnnounceCurrentCell(QTableWidget* grid);

// A status line the reader hears each time its text changes, as a
// notification, without being flooded: at most one announcement a second; a
// change within the second is told when the second is over, as the text then
// stands. The label is set at once as before.
class SpokenStatus : public QObject {
    Q_OBJECT
public:
    explicit SpokenStatus(QLabel* label);
    void setText(const QString& text);
    // Forgets a change still waiting for its second: a message box that says
    // the outcome is on its way, after which the waiting text would be stale.
    void dropWaiting();

signals:
    // Each announcement, as the reader is told it.
    void told(const QString& text);

private:
    void tell();

    QLabel* label_;
    QTimer* pending_;
    QElapsedTimer sinceTold_;
    QString told_;
};

// Tells the reader what a command just did ("Undone: RX Frequency of channel
// 3"), through the control that has the focus: said ahead of that control's
// name (a grid's current cell with its new text).
void TellReader(QWidget* focus, const QString& notice);

}  // namespace mx615
