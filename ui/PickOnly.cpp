#include "ui/PickOnly.h"

#include <QComboBox>
#include <QKeyEvent>

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
    box->installEventFilter(new PickOnlyFilter(box));
}

}  // namespace mx615
