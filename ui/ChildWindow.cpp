#include "ui/ChildWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QShortcut>
#include <QVBoxLayout>

#include "model/ProgramState.h"
#include "ui/Prompt.h"

namespace mx615 {

ChildWindow::ChildWindow(WindowHost& host) : host_(host)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

AppContext& ChildWindow::context() const
{
    return host_.context();
}

ProgramState& ChildWindow::state() const
{
    return host_.context().state;
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
    host_.forget(this);
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
        host_.forget(this);
        Form_Unload();
        if (boxesOpen_ > 0) {
            // Code below an open box of ours still runs when the box closes:
            // keep the object (hidden, out of the closing frame) until then.
            setAttribute(Qt::WA_DeleteOnClose, false);
            setParent(window());
        }
    }
}

void ChildWindow::place(int left, int top, int width, int height)
{
    QWidget* target = frame() ? static_cast<QWidget*>(frame()) : this;
    target->setGeometry(left, std::max(0, top), std::max(width, 80), std::max(height, 60));
}

void ChildWindow::useDialogFrame()
{
    if (QMdiSubWindow* sub = frame()) {
        const QRect geometry = sub->geometry();
        sub->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
        sub->setGeometry(geometry);
        sub->setFixedSize(geometry.size());
    }
}

void ChildWindow::placeInClient(double widthDivisor, double heightDivisor, int raise)
{
    const QSize client = host_.clientSize();
    centreInClient(QSize(int(client.width() / widthDivisor), int(client.height() / heightDivisor)), raise);
}

void ChildWindow::centreInClient(QSize size, int raise)
{
    const QSize client = host_.clientSize();
    place((client.width() - size.width()) / 2, (client.height() - size.height()) / 2 - raise, size.width(),
          size.height());
}

void ChildWindow::growToContent()
{
    QWidget* target = frame() ? static_cast<QWidget*>(frame()) : this;
    // A frame keeps its title bar and borders as contents margins.
    const QMargins borders = target == this ? QMargins() : target->contentsMargins();
    const QSize needed = minimumSizeHint().grownBy(borders);
    const int width = std::max(target->width(), needed.width());
    const int height = std::max(target->height(), needed.height());
    if (width == target->width() && height == target->height())
        return;
    QRect grown(0, 0, width, height);
    grown.moveCenter(target->geometry().center());
    place(std::max(0, grown.left()), grown.top(), width, height);
}

QLabel* ChildWindow::makeLabel(const char* name, QWidget* buddy)
{
    auto* label = makeNamed<QLabel>(name);
    if (buddy)
        label->setBuddy(buddy);
    return label;
}

QPushButton* ChildWindow::makeButton(const char* name)
{
    auto* button = makeNamed<QPushButton>(name);
    button->setAutoDefault(false);
    return button;
}

QBoxLayout* ChildWindow::buttonRow(std::initializer_list<QPushButton*> buttons, ButtonsAt where)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* button : buttons)
        row->addWidget(button);
    if (where == ButtonsAt::Centre)
        row->addStretch();
    return row;
}

void ChildWindow::layOutForm(QLayout* fields, QBoxLayout* buttons)
{
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addLayout(fields);
    layout->addStretch();
    layout->addLayout(buttons);
}

void ChildWindow::showActive()
{
    if (QMdiSubWindow* sub = frame()) {
        sub->show();
        if (QMdiArea* area = sub->mdiArea())
            area->setActiveSubWindow(sub);
    } else {
        show();
    }
}

void ChildWindow::setCaption(const Bilingual& caption)
{
    caption_ = caption;
    setWindowTitle(qs(caption, chinese()));
}

void ChildWindow::setControlCaptions(const std::vector<ControlCaption>& captions)
{
    const bool zh = chinese();
    for (const ControlCaption& caption : captions) {
        QWidget* control = findChild<QWidget*>(QString::fromLatin1(caption.control));
        const QString text = qs(caption.text, zh);
        if (auto* label = qobject_cast<QLabel*>(control))
            label->setText(text);
        else if (auto* button = qobject_cast<QAbstractButton*>(control))
            button->setText(text);
        else if (auto* group = qobject_cast<QGroupBox*>(control))
            group->setTitle(text);
        else if (control)
            control->setAccessibleName(text);
        else   // a misspelt name in a caption table would leave its control unnamed without a word
            qWarning("caption table of %s: no control named %s", qPrintable(objectName()), caption.control);
    }
}

void ChildWindow::setLook(QWidget* control, bool enabled)
{
    control->setEnabled(enabled);
    QPalette look = control->palette();
    look.setColor(QPalette::Base, QApplication::palette().color(enabled ? QPalette::Base : QPalette::Button));
    control->setPalette(look);
}

int ChildWindow::twipsToPixels(int twips) const
{
    const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
    const double dpi = shown ? shown->logicalDotsPerInch() : 96.0;
    return int(twips * dpi / 1440.0 + 0.5);
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

bool ChildWindow::warn(const Bilingual& text, const QString& detail)
{
    return warnTitled(kOperatePrompt, text, detail);
}

bool ChildWindow::warnTitled(const Bilingual& title, const Bilingual& text, const QString& detail)
{
    const QPointer<ChildWindow> self(this);
    ++boxesOpen_;
    context().prompt.warning(this, qs(title, chinese()), qs(text, chinese()), detail);
    if (!self)
        return false;  // the whole program went away
    --boxesOpen_;
    if (unloaded_ && boxesOpen_ == 0)
        deleteLater();  // unloaded while the box was open: go now
    return !unloaded_;
}

}  // namespace mx615
