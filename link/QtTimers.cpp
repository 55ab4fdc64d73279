#include "link/QtTimers.h"

namespace mx615 {

QtLinkTimer::QtLinkTimer(bool precise)
{
    timer_.setTimerType(precise ? Qt::PreciseTimer : Qt::CoarseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (onTimeout)
            onTimeout();
    });
}

void QtLinkTimer::start(int milliseconds)
{
    timer_.start(milliseconds);
}

void QtLinkTimer::stop()
{
    timer_.stop();
}

bool QtLinkTimer::isActive() const
{
    return timer_.isActive();
}

std::unique_ptr<LinkTimer> QtTimerFactory::createTimer(bool precise)
{
    return std::make_unique<QtLinkTimer>(precise);
}

}  // namespace mx615
