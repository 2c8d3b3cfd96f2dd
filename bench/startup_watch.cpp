// Measures how long a program takes from being started to showing its window: starts the
// program, waits for the X server to report a window with the given title as mapped, prints
// the milliseconds in between and the processor milliseconds the program used, and ends it.
// Usage: startup_watch [--trigger] TITLE PROGRAM [ARGS...]
// With --trigger the program only triggers the window (a key sent to a running program, say):
// its end does not stop the wait, and the processor time printed is the trigger's.
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
constexpr int Timeout_Ms = 30000;

struct Free_Deleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using Reply = std::unique_ptr<T, Free_Deleter>;

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : XCB_ATOM_NONE;
}

std::string Property_Text(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property) {
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 256), nullptr));
    if (!reply || reply->format != 8)
        return {};
    return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                       size_t(xcb_get_property_value_length(reply.get())));
}

bool Has_Title(xcb_connection_t* c, xcb_window_t window, const std::string& title,
               xcb_atom_t net_wm_name) {
    return Property_Text(c, window, net_wm_name) == title ||
           Property_Text(c, window, XCB_ATOM_WM_NAME) == title;
}

void Select(xcb_connection_t* c, xcb_window_t window, uint32_t mask) {
    xcb_change_window_attributes(c, window, XCB_CW_EVENT_MASK, &mask);
}
} // namespace

int main(int argc, char** argv) {
    const bool trigger = argc > 1 && std::strcmp(argv[1], "--trigger") == 0;
    if (trigger) {
        --argc;
        ++argv;
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_watch [--trigger] TITLE PROGRAM [ARGS...]\n");
        return 2;
    }
    const std::string title = argv[1];
    int screen_number = 0;
    xcb_connection_t* c = xcb_connect(nullptr, &screen_number);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "startup_watch: cannot open the display\n");
        return 2;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screen_number; ++i)
        xcb_screen_next(&screens);
    const xcb_window_t root = screens.data->root;
    const xcb_atom_t net_wm_name = Atom(c, "_NET_WM_NAME");
    // New top-level windows are reported on the root; each is then watched for its own map,
    // which a window manager may do after reparenting it into a frame.
    Select(c, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY);
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        close(xcb_get_file_descriptor(c));
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    if (child < 0)
        return 2;

    bool found = false;
    pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
    while (!found) {
        const auto waited = std::chrono::steady_clock::now() - start;
        const int left =
            Timeout_Ms - int(std::chrono::duration_cast<std::chrono::milliseconds>(waited).count());
        if (left <= 0 || (!trigger && waitpid(child, nullptr, WNOHANG) == child))
            break;
        poll(&fd, 1, left < 50 ? left : 50);
        while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
            const uint8_t type = event->response_type & 0x7f;
            if (type == XCB_CREATE_NOTIFY) {
                const auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event);
                Select(c, created->window, XCB_EVENT_MASK_STRUCTURE_NOTIFY);
                xcb_flush(c);
            } else if (type == XCB_MAP_NOTIFY) {
                const auto* mapped = reinterpret_cast<xcb_map_notify_event_t*>(event);
                if (!found && Has_Title(c, mapped->window, title, net_wm_name))
                    found = true;
            }
            std::free(event);
        }
        if (xcb_connection_has_error(c))
            break;
    }
    const auto elapsed = std::chrono::steady_clock::now() - start;
    if (!trigger)
        kill(child, SIGTERM);
    // The processor time the program used: less disturbed than the wall clock on a busy machine.
    rusage usage{};
    wait4(child, nullptr, 0, &usage);
    const double cpu_ms = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
                          (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
    xcb_disconnect(c);
    if (!found) {
        std::fprintf(stderr, "startup_watch: no window \"%s\" was mapped\n", title.c_str());
        return 1;
    }
    std::printf("%.1f %.1f\n", std::chrono::duration<double, std::milli>(elapsed).count(), cpu_ms);
    return 0;
}
