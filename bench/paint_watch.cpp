// Starts a program and reports when its window is mapped and first painted, leaving it running:
// waits for the X server to map a window with the given title, then for the first drawing into
// that window (a DAMAGE report), and prints "PID MAP_MS PAINT_MS" (milliseconds from the start).
// Usage: paint_watch TITLE PROGRAM [ARGS...]
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include <fcntl.h>
#include <poll.h>
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

double Ms_Since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s TITLE PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    const std::string title = argv[1];
    int screen_number = 0;
    xcb_connection_t* c = xcb_connect(nullptr, &screen_number);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "paint_watch: cannot open the display\n");
        return 2;
    }
    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(c, &xcb_damage_id);
    if (!damage || !damage->present) {
        std::fprintf(stderr, "paint_watch: the X server has no DAMAGE extension\n");
        return 2;
    }
    free(xcb_damage_query_version_reply(c, xcb_damage_query_version(c, 1, 1), nullptr));
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screen_number; ++i)
        xcb_screen_next(&screens);
    const xcb_window_t root = screens.data->root;
    const xcb_atom_t net_wm_name = Atom(c, "_NET_WM_NAME");
    const uint32_t root_mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &root_mask);
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        close(xcb_get_file_descriptor(c));
        // The program outlives this watcher: it must not hold the caller's output open.
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    if (child < 0)
        return 2;

    // Every new top-level window is watched for its map and for drawing into it.
    xcb_window_t shown = XCB_NONE;
    double map_ms = -1;
    double paint_ms = -1;
    bool late = false;
    pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
    while (paint_ms < 0) {
        const int left = Timeout_Ms - int(Ms_Since(start));
        if (left <= 0)
            break;
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            std::fprintf(stderr, "paint_watch: %s ended (status %d) before its window showed\n",
                         argv[2], status);
            return 1;
        }
        poll(&fd, 1, left < 50 ? left : 50);
        while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
            const uint8_t type = event->response_type & 0x7f;
            if (type == XCB_CREATE_NOTIFY) {
                const auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event);
                const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
                xcb_change_window_attributes(c, created->window, XCB_CW_EVENT_MASK, &mask);
                xcb_damage_create(c, xcb_generate_id(c), created->window,
                                  XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
                // On a busy machine the program may have mapped and drawn the window before the
                // requests above were seen: a window found mapped already counts as mapped and
                // painted now.
                const Reply<xcb_get_window_attributes_reply_t> attributes(
                    xcb_get_window_attributes_reply(
                        c, xcb_get_window_attributes(c, created->window), nullptr));
                if (shown == XCB_NONE && attributes &&
                    attributes->map_state == XCB_MAP_STATE_VIEWABLE &&
                    Has_Title(c, created->window, title, net_wm_name)) {
                    shown = created->window;
                    map_ms = paint_ms = Ms_Since(start);
                    late = true;
                }
            } else if (type == XCB_MAP_NOTIFY && shown == XCB_NONE) {
                const auto* mapped = reinterpret_cast<xcb_map_notify_event_t*>(event);
                if (Has_Title(c, mapped->window, title, net_wm_name)) {
                    shown = mapped->window;
                    map_ms = Ms_Since(start);
                }
            } else if (type == damage->first_event + XCB_DAMAGE_NOTIFY) {
                const auto* drawn = reinterpret_cast<xcb_damage_notify_event_t*>(event);
                if (shown != XCB_NONE && drawn->drawable == shown)
                    paint_ms = Ms_Since(start);
            }
            std::free(event);
        }
        if (xcb_connection_has_error(c))
            break;
    }
    xcb_disconnect(c);
    if (paint_ms < 0) {
        std::fprintf(stderr, "paint_watch: no window \"%s\" was %s\n", title.c_str(),
                     map_ms < 0 ? "mapped" : "painted after its map");
        kill(child, SIGTERM);
        waitpid(child, nullptr, 0);
        return 1;
    }
    if (late)
        std::fprintf(stderr, "paint_watch: the window was found mapped already\n");
    std::printf("%d %.1f %.1f\n", int(child), map_ms, paint_ms);
    std::fflush(stdout);
    // The program stays running for the caller to measure and end.
    return 0;
}
