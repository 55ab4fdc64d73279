#pragma once
// The program's timers: QTimer behind the LinkTimer interface.

#include <QTimer>

#include "link/LinkTimer.h"

namespace mx615 {

class QtLinkTimer : public LinkTimer {
public:
    explicit QtLinkTimer(bool precise);
    void start(int milliseconds) override;
    void stop() override;
    bool isActive() const override;

private:
    QTimer timer_;
};

class QtTimerFactory : public TimerFactory {
public:
    std::unique_ptr<LinkTimer> createTimer(bool precise = false) override;
};

}  // namespace mx615
