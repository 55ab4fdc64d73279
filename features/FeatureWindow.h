#pragma once
// What the five feature editors share: a window placed in fractions of the
// main window, captions from its caption table, lists filled from the core's
// choices, Close and Help at the bottom, and the stored values shown again
// whenever the window comes to the front. Every control writes its value into
// the image at once; the window keeps nothing else.

#include <functional>
#include <map>

#include "features/Choices.h"
#include "ui/ChildWindow.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

namespace mx615 {

class FeatureWindow : public ChildWindow {
    Q_OBJECT
public:
    // helpName: the Help button's control name, which differs between windows.
    FeatureWindow(WindowHost& host, const char* helpName);

    // Runs the window's show procedure again.
    void Form_Activate() override { showStored(); }
    void showImage() override { showStored(); }

    void Command_close_Click() { unload(); }
    void Command_Help_Click() {}  // Help has no action

    QPushButton* Command_close = nullptr;
    QPushButton* Command_Help = nullptr;

protected:
    // The window's own procedure that copies every stored value into its control.
    virtual void showStored() = 0;

    // Places the window: width and height the main window's divided by the
    // divisors, centred across, (main height - height) / topDivisor from the top.
    void placeInMain(double widthDivisor, double heightDivisor, int topDivisor);
    // Caption and control captions in the language of the moment.
    void setTexts(const Bilingual& caption, const std::vector<ControlCaption>& captions);

    enum class ListKind {
        // Text may be typed; text that names no entry selects the first
        // entry, which is stored (the list's "..._Change" rule).
        Typed,
        // Only picked: typed characters are swallowed.
        PickOnly,
    };
    // A list whose handler runs with the position whenever the selection
    // changes, by the user or by the window showing a stored value.
    QComboBox* makeList(const char* name, ListKind kind, std::function<void(int)> click);
    // Clears the list and fills it in the language of the moment; no entry is
    // selected afterwards, so selecting the stored one runs the handler.
    void fillList(QComboBox* list, const ChoiceList& choices);
    QCheckBox* makeCheck(const char* name, std::function<void(bool)> click);
    QLineEdit* makeText(const char* name);

    bool eventFilter(QObject* watched, QEvent* event) override;
    // A key pressed in one of the window's text boxes; true swallows it.
    virtual bool textKeyPress(QLineEdit*, QKeyEvent*) { return false; }

private:
    void listChanged(QComboBox* list, const QString& typed);

    struct ListInfo {
        ListKind kind;
        ChoiceList choices;
        std::function<void(int)> click;
    };
    std::map<QComboBox*, ListInfo> lists_;
    bool filling_ = false;
};

}  // namespace mx615
