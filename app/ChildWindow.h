#pragma once
// The base of every editor window and dialog: a child of the main window's MDI
// area that places itself in fractions of the main window, reads its controls
// from the state and reacts to being brought to the front.

#include <QWidget>

#include "app/AppContext.h"

class QAbstractButton;
class QMdiSubWindow;

namespace mx615 {

class MDImain;
struct Bilingual;

class ChildWindow : public QWidget {
    Q_OBJECT
public:
    explicit ChildWindow(MDImain& main);

    // The load step: captions, placement, show, then the stored values.
    virtual void Form_Load() = 0;
    // Runs whenever the window comes to the front.
    virtual void Form_Activate() {}
    // Runs once when the window is closed, by the user or by unload().
    virtual void Form_Unload() {}

    // Closes the window and discards it.
    void unload();

    MDImain& mainWindow() const { return main_; }
    AppContext& context() const;
    ProgramState& state() const;
    bool chinese() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    QMdiSubWindow* frame() const;
    // Places the window's frame in the MDI area, in pixels of the main window.
    void place(int left, int top, int width, int height);
    void setCaption(const Bilingual& caption);
    // Enter activates the main button, Escape the cancel or close button.
    void setDefaultButton(QAbstractButton* button);
    void setCancelButton(QAbstractButton* button);
    // A warning box titled "Operate prompt" (or the given title).
    void warn(const Bilingual& text, const QString& detail = {});
    void warnTitled(const Bilingual& title, const Bilingual& text, const QString& detail = {});

private:
    MDImain& main_;
    bool unloaded_ = false;
};

}  // namespace mx615
