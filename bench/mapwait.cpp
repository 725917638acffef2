// mapwait COMMAND [ARGS...]
// Starts COMMAND and prints two figures: the milliseconds from exec until its first top-level
// window is mapped on the X server, and the program's peak resident memory in KiB one second
// later. The X server is watched from outside, so the program under test needs no hooks.
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

long peakResidentKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: mapwait COMMAND [ARGS...]\n");
        return 2;
    }
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "mapwait: cannot reach the X server\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }

    double mappedAfter = -1;
    while (xcb_generic_event_t *event = xcb_wait_for_event(connection)) {
        const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY
                            && !reinterpret_cast<xcb_map_notify_event_t *>(event)->override_redirect;
        free(event);
        if (mapped) {
            mappedAfter = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            break;
        }
    }
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const long peak = peakResidentKiB(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    xcb_disconnect(connection);
    if (mappedAfter < 0)
        return 1;
    std::printf("%.1f %ld\n", mappedAfter, peak);
    return 0;
}
