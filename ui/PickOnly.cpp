#include "ui/PickOnly.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QWidget>

namespace mx615 {

namespace {

class PickOnlyFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && IsTypedListKey(static_cast<QKeyEvent*>(event)))
            return true;
        if (event->type() == QEvent::Wheel && !static_cast<QWidget*>(watched)->hasFocus()) {
            event->ignore();   // on to the parent
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

bool IsTypedListKey(const QKeyEvent* event)
{
    const QString typed = event->text();
    return !typed.isEmpty() && typed.at(0).isPrint() && typed != QStringLiteral(" ");
}

void MakePickOnly(QComboBox* box)
{
    // Not focused by the wheel, which would then pick at once.
    box->setFocusPolicy(Qt::StrongFocus);
    box->installEventFilter(new PickOnlyFilter(box));
}

}  // namespace mx615
