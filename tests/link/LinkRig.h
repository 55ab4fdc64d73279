#pragma once
// The protocol engine wired to the simulated radio on COM2 of an in-memory
// hub, on a virtual clock, with everything it reports recorded.

#include <QList>
#include <QStringList>
#include <memory>

#include "MemoryRadio.h"
#include "link/CloneLink.h"
#include "link/ClonePlans.h"
#include "link/MemoryCommControl.h"
#include "model/RadioDefaults.h"
#include "support/VirtualClock.h"

namespace mx615::test {

struct LinkRig {
    explicit LinkRig(TransferPlan plan, int port = 2)
    {
        state.CommPort = int16_t(port);
        auto control = std::make_unique<MemoryCommControl>(hub, clock);
        comm = control.get();
        link = std::make_unique<CloneLink>(state, clock, std::move(control), std::move(plan));
        link->events.progress = [this](int v) {
            progress << v;
            log << QString("progress %1").arg(v);
        };
        link->events.label = [this](const Bilingual& t) {
            labels << QString::fromStdString(t.en);
            log << "label " + labels.back();
        };
        link->events.message = [this](const LinkMessage& m) {
            messages << m;
            log << "message " + QString::fromStdString(m.text.en);
        };
        link->events.finished = [this] {
            ++finished;
            log << "finished";
        };
        link->events.closeWindow = [this] { ++closeRequests; };
    }

    // Every cell of the image set to a value no transfer writes.
    void markImage(int16_t marker = 0x1234)
    {
        for (auto& line : state.RadioImage)
            line.fill(marker);
    }

    QStringList messageTexts() const
    {
        QStringList out;
        for (const LinkMessage& m : messages)
            out << QString::fromStdString(m.text.en);
        return out;
    }

    // How many times the access code went out, and where each began.
    QList<int> accessCodeOffsets() const
    {
        const auto code = AccessCode();
        const std::vector<uint8_t>& w = comm->written();
        QList<int> at;
        for (std::size_t i = 0; i + code.size() <= w.size(); ++i)
            if (std::equal(code.begin(), code.end(), w.begin() + long(i)))
                at << int(i);
        return at;
    }

    ProgramState state;
    VirtualClock clock;
    MemoryPortHub hub;
    sim::MemoryRadio radio{hub, 2, clock};
    MemoryCommControl* comm = nullptr;
    std::unique_ptr<CloneLink> link;

    QList<int> progress;
    QStringList labels;
    QList<LinkMessage> messages;
    QStringList log;
    int finished = 0;
    int closeRequests = 0;
};

inline std::vector<uint8_t> operator+(std::vector<uint8_t> a, const std::vector<uint8_t>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline std::vector<uint8_t> accessCodeBytes()
{
    const auto code = AccessCode();
    return {code.begin(), code.end()};
}

}  // namespace mx615::test
