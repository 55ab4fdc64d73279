#pragma once
// The base of every editor window and dialog: a child of the main window's MDI
// area that places itself in fractions of the main window, reads its controls
// from the state and reacts to being brought to the front.

#include <QWidget>

#include <QPointer>
#include <initializer_list>
#include <vector>

#include "ui/AppContext.h"
#include "ui/WindowHost.h"

class QAbstractButton;
class QBoxLayout;
class QLayout;
class QLabel;
class QMdiSubWindow;
class QPushButton;

namespace mx615 {

struct Bilingual;
struct ControlCaption;

class ChildWindow : public QWidget {
    Q_OBJECT
public:
    explicit ChildWindow(WindowHost& host);

    // The load step: captions, placement, show, then the stored values.
    virtual void Form_Load() = 0;
    // Runs whenever the window comes to the front.
    virtual void Form_Activate() {}
    // The image was replaced under the window (an undo, a file opened): a
    // window that shows the image shows it again.
    virtual void showImage() {}
    // Runs once when the window is closed, by the user or by unload().
    virtual void Form_Unload() {}

    // Closes the window and discards it.
    void unload();

    WindowHost& host() const { return host_; }
    AppContext& context() const;
    ProgramState& state() const;
    bool chinese() const;
    // The window's caption in both languages, as last set.
    const Bilingual& caption() const { return caption_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    QMdiSubWindow* frame() const;
    // Places the window's frame in the MDI area, in pixels of the main window.
    void place(int left, int top, int width, int height);
    // A dialog of fixed size: its frame keeps the size place() gave it and
    // offers only the close button, no minimise or maximise.
    void useDialogFrame();
    // A dialog centred in the area the windows live in, its size that area's
    // divided by the divisors, raised by the given pixels.
    void placeInClient(double widthDivisor, double heightDivisor, int raise = 0);
    // A dialog of a fixed size, centred in that area and raised likewise.
    void centreInClient(QSize size, int raise = 0);
    // Grows the window, about its centre, until its content fits at its
    // minimum size (a small main window, a wider language).
    void growToContent();
    // A control of this window, by the name the captions, the tests and the
    // screen reader know it by.
    template <class Control>
    Control* makeNamed(const char* name)
    {
        auto* control = new Control(this);
        control->setObjectName(QString::fromLatin1(name));
        return control;
    }
    // A named label (with the control it names, for its access key) and a
    // named push button that Enter does not press unless it has the focus.
    QLabel* makeLabel(const char* name, QWidget* buddy = nullptr);
    QPushButton* makeButton(const char* name);
    // The buttons at the window's foot, in a row in the order given: centred,
    // or kept to the right.
    enum class ButtonsAt { Centre, Right };
    QBoxLayout* buttonRow(std::initializer_list<QPushButton*> buttons, ButtonsAt where = ButtonsAt::Centre);
    // A short form's layout: its fields in the middle of the window's height,
    // the buttons at its foot.
    void layOutForm(QLayout* fields, QBoxLayout* buttons);
    // Shows the window and makes it the active one.
    void showActive();
    void setCaption(const Bilingual& caption);
    // Sets the caption of each named control (label, button, check box,
    // frame) in the language of the moment. A control that shows no caption
    // (a text box without a label) takes its entry as the name a screen
    // reader calls it by.
    void setControlCaptions(const std::vector<ControlCaption>& captions);
    // An open field has the window background, a closed one the button face.
    static void setLook(QWidget* control, bool enabled);
    // A distance in twips (1440 to the inch) in pixels of this screen.
    int twipsToPixels(int twips) const;
    // Enter activates the main button, Escape the cancel or close button.
    void setDefaultButton(QAbstractButton* button);
    void setCancelButton(QAbstractButton* button);
    // A warning box titled "Operate prompt" (or the given title), in the
    // language of the moment. The box belongs to the main window, not to this
    // one: while it is open, timers and transfers go on and may unload this
    // window. Returns whether this window is still loaded when the box
    // closes; code after a box must not touch the window otherwise.
    bool warn(const Bilingual& text, const QString& detail = {});
    bool warnTitled(const Bilingual& title, const Bilingual& text, const QString& detail = {});
    // How many of this window's boxes are open right now.
    int boxesOpen() const { return boxesOpen_; }
    bool loaded() const { return !unloaded_; }

private:
    WindowHost& host_;
    Bilingual caption_;
    bool unloaded_ = false;
    int boxesOpen_ = 0;
};

}  // namespace mx615
