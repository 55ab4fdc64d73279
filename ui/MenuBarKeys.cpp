#include "ui/MenuBarKeys.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPointer>
#include <QShortcut>
#include <QWindow>

namespace mx615 {

namespace {

// Watches the window the bar belongs to. A filter on the window itself, not
// on the application, sees a key only as it is really delivered: the
// accessibility bus holds each pressed key back in an application filter,
// which Qt asks first, and later delivers a copy of it to the window.
class MenuBarKeys : public QObject {
public:
    explicit MenuBarKeys(QMenuBar* bar) : QObject(bar), bar_(bar)
    {
        bar->installEventFilter(this);
        watchWindow();
        auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), bar->window());
        f10->setContext(Qt::WindowShortcut);
        connect(f10, &QShortcut::activated, bar, [bar] { FocusMenuBar(bar); });
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == bar_) {
            if (event->type() == QEvent::Show)
                watchWindow();
            return false;
        }
        // The bar has dealt with the Alt key as it was pressed and released
        // (its lone-Alt handling and Alt+letter). A copy of that Alt coming
        // late from the reader would close the menu that Alt+letter opened,
        // or take the bar out of focus again: it is dropped. An Alt pressed
        // inside an open menu goes to the menu's own window and still closes it.
        if (watched == window_ && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
            !event->spontaneous() && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Alt)
            return true;
        return false;
    }

private:
    void watchWindow()
    {
        QWindow* window = bar_->window()->windowHandle();
        if (!window || window == window_)
            return;
        if (window_)
            window_->removeEventFilter(this);
        window_ = window;
        window_->installEventFilter(this);
    }

    QMenuBar* bar_;
    QPointer<QWindow> window_;
};

}  // namespace

void InstallMenuBarKeys(QMenuBar* bar)
{
    new MenuBarKeys(bar);
}

void FocusMenuBar(QMenuBar* bar)
{
    // The bar's own lone-Alt handling, which watches its window: an Alt
    // pressed and released with nothing between. Qt offers no call for it.
    // The modifiers are those held before each event, as the window system
    // reports them; a key event of Alt adds or removes Alt itself.
    QWidget* window = bar->window();
    QKeyEvent press(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::AltModifier);
    QCoreApplication::sendEvent(window, &release);
}

}  // namespace mx615
