// Times a program from exec until its first top-level window is mapped on the
// X display (the window manager's frame appears), then ends it. With several
// programs it runs them in turn, round after round, so that both see the same
// machine, and prints the median of each.
//
//   startup-probe ROUNDS PROGRAM [-- PROGRAM ...]
//
// A Qt program maps its main window when its event loop first runs, i.e. when
// its start-up is over. Beside the wall-clock time it prints the processor
// time (user + system) the program had used when it was ended, which a busy
// machine disturbs much less.

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Times {
    double wallMs = -1;
    double cpuMs = -1;
};

double milliseconds(const timeval& t)
{
    return t.tv_sec * 1000.0 + t.tv_usec / 1000.0;
}

Times launchAndWait(xcb_connection_t* x, const std::vector<char*>& argv)
{
    // Drain what is pending from the previous round.
    while (xcb_generic_event_t* e = xcb_poll_for_event(x))
        free(e);
    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[0], argv.data());
        _exit(127);
    }
    double ms = -1;
    while (xcb_generic_event_t* e = xcb_wait_for_event(x)) {
        const int type = e->response_type & 0x7F;
        if (type == XCB_MAP_NOTIFY) {
            auto* map = reinterpret_cast<xcb_map_notify_event_t*>(e);
            if (!map->override_redirect) {
                ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
                free(e);
                break;
            }
        }
        free(e);
    }
    kill(pid, SIGTERM);
    rusage usage{};
    wait4(pid, nullptr, 0, &usage);
    usleep(200 * 1000);  // let the window manager settle
    return {ms, milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime)};
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup-probe ROUNDS PROGRAM [ARGS] [-- PROGRAM [ARGS] ...]\n");
        return 2;
    }
    const int rounds = std::atoi(argv[1]);
    std::vector<std::vector<char*>> programs(1);
    for (int i = 2; i < argc; ++i) {
        if (std::string(argv[i]) == "--") {
            programs.emplace_back();
            continue;
        }
        programs.back().push_back(argv[i]);
    }
    for (auto& p : programs)
        p.push_back(nullptr);

    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "startup-probe: no X display (set DISPLAY)\n");
        return 1;
    }
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);

    std::vector<std::vector<double>> wall(programs.size());
    std::vector<std::vector<double>> cpu(programs.size());
    for (int r = 0; r < rounds; ++r)
        for (std::size_t i = 0; i < programs.size(); ++i) {
            const Times t = launchAndWait(x, programs[i]);
            wall[i].push_back(t.wallMs);
            cpu[i].push_back(t.cpuMs);
        }
    for (std::size_t i = 0; i < programs.size(); ++i)
        std::printf("%-40s median %6.1f ms over %d runs (processor time %6.1f ms)\n", programs[i][0],
                    median(wall[i]), rounds, median(cpu[i]));
    xcb_disconnect(x);
    return 0;
}
