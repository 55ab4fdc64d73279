#pragma once
// A file dropped on the main window is opened as if named on the command line:
// one .chann, .img or .csv file at a time, and not while a read, a write or an
// adjustment exchange with the radio runs.

#include <QObject>
#include <QStringList>

namespace mx615 {

class MDImain;

class FileDrop : public QObject {
    Q_OBJECT
public:
    explicit FileDrop(MDImain& main);

    bool eventFilter(QObject* watched, QEvent* event) override;

    // What a drop of these local files does.
    void Form_DragDrop(const QStringList& paths);

private:
    bool exchangeRunning() const;

    MDImain& main_;
};

}  // namespace mx615
