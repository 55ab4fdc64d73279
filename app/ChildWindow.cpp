#include "app/ChildWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>
#include <QCloseEvent>
#include <QMdiSubWindow>
#include <QShortcut>

#include "app/MDImain.h"
#include "app/Prompt.h"

namespace mx615 {

ChildWindow::ChildWindow(MDImain& main) : main_(main)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

AppContext& ChildWindow::context() const
{
    return main_.context();
}

ProgramState& ChildWindow::state() const
{
    return main_.context().state;
}

bool ChildWindow::chinese() const
{
    return state().UiChinese;
}

QMdiSubWindow* ChildWindow::frame() const
{
    return qobject_cast<QMdiSubWindow*>(parentWidget());
}

void ChildWindow::unload()
{
    main_.forget(this);
    if (QMdiSubWindow* sub = frame())
        sub->close();
    else
        close();
}

void ChildWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted() && !unloaded_) {
        unloaded_ = true;
        main_.forget(this);
        Form_Unload();
    }
}

void ChildWindow::place(int left, int top, int width, int height)
{
    QWidget* target = frame() ? static_cast<QWidget*>(frame()) : this;
    target->setGeometry(left, std::max(0, top), std::max(width, 80), std::max(height, 60));
}

void ChildWindow::setCaption(const Bilingual& caption)
{
    setWindowTitle(qs(caption, chinese()));
}

void ChildWindow::setDefaultButton(QAbstractButton* button)
{
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, button, [this, button] {
            // Enter on another button that has the focus presses that one, as
            // in any dialog: moving to Cancel and pressing Enter must not
            // confirm (overwrite a file, start a transfer).
            auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
            if (focused && focused != button && isAncestorOf(focused)) {
                if (focused->isEnabled())
                    focused->click();
                return;
            }
            if (button->isEnabled() && button->isVisible())
                button->click();
        });
    }
}

void ChildWindow::setCancelButton(QAbstractButton* button)
{
    auto* shortcut = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    connect(shortcut, &QShortcut::activated, button, [button] {
        if (button->isEnabled())
            button->click();
    });
}

void ChildWindow::warn(const Bilingual& text, const QString& detail)
{
    warnTitled(kOperatePrompt, text, detail);
}

void ChildWindow::warnTitled(const Bilingual& title, const Bilingual& text, const QString& detail)
{
    context().prompt.warning(this, qs(title, chinese()), qs(text, chinese()), detail);
}

}  // namespace mx615
