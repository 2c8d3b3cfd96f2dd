#include "platform/linux/DesktopLayer.h"

#include <QGuiApplication>
#include <QList>
#include <QWindow>

#include "platform/linux/DesktopStacking.h"
#include "platform/linux/XcbAtom.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace {
constexpr quint32 All_Desktops = 0xFFFFFFFFu;
constexpr quint32 Net_Wm_State_Add = 1;
const char* const Desktop_States[] = {"_NET_WM_STATE_BELOW", "_NET_WM_STATE_SKIP_TASKBAR",
                                      "_NET_WM_STATE_SKIP_PAGER", "_NET_WM_STATE_STICKY"};

QList<xcb_atom_t> Current_States(xcb_connection_t* connection, xcb_window_t window,
                                 xcb_atom_t state) {
    QList<xcb_atom_t> atoms;
    const auto cookie = xcb_get_property(connection, 0, window, state, XCB_ATOM_ATOM, 0, 1024);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
    if (!reply)
        return atoms;
    if (reply->format == 32 && reply->type == XCB_ATOM_ATOM) {
        const auto* data = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
        const int count = xcb_get_property_value_length(reply) / 4;
        for (int i = 0; i < count; ++i)
            atoms.append(data[i]);
    }
    std::free(reply);
    return atoms;
}

void Send_To_Root(xcb_connection_t* connection, xcb_window_t root, xcb_window_t window,
                  xcb_atom_t type, const quint32 (&data)[5]) {
    xcb_client_message_event_t event;
    std::memset(&event, 0, sizeof event);
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = type;
    std::memcpy(event.data.data32, data, sizeof data);
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
}

xcb_window_t Root_Of(xcb_connection_t* connection, xcb_window_t window) {
    const auto cookie = xcb_get_geometry(connection, window);
    xcb_get_geometry_reply_t* reply = xcb_get_geometry_reply(connection, cookie, nullptr);
    if (!reply)
        return XCB_WINDOW_NONE;
    const xcb_window_t root = reply->root;
    std::free(reply);
    return root;
}
} // namespace

void Keep_Window_On_Desktop(QWindow* window) {
    if (!window || QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return;
    // Qt's own connection, so these requests reach the server after the window was created and
    // before Qt maps it.
    xcb_connection_t* connection = x11->connection();
    const auto id = static_cast<xcb_window_t>(window->winId());
    const xcb_atom_t state = Xcb_Atom(connection, "_NET_WM_STATE");
    const xcb_atom_t desktop = Xcb_Atom(connection, "_NET_WM_DESKTOP");
    if (state == XCB_ATOM_NONE || desktop == XCB_ATOM_NONE)
        return;

    if (!window->isVisible()) {
        // A window of the desktop's own type stays when the desktop is shown ("show desktop"
        // hides or minimises every ordinary window) and lies on the layer below all others.
        const xcb_atom_t type = Xcb_Atom(connection, "_NET_WM_WINDOW_TYPE");
        const xcb_atom_t desktop_type = Xcb_Atom(connection, "_NET_WM_WINDOW_TYPE_DESKTOP");
        if (type != XCB_ATOM_NONE && desktop_type != XCB_ATOM_NONE)
            xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, type, XCB_ATOM_ATOM, 32, 1,
                                &desktop_type);
        QList<xcb_atom_t> atoms = Current_States(connection, id, state);
        for (const char* name : Desktop_States) {
            const xcb_atom_t atom = Xcb_Atom(connection, name);
            if (atom != XCB_ATOM_NONE && !atoms.contains(atom))
                atoms.append(atom);
        }
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, state, XCB_ATOM_ATOM, 32,
                            static_cast<quint32>(atoms.size()), atoms.constData());
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, desktop, XCB_ATOM_CARDINAL, 32,
                            1, &All_Desktops);
    } else {
        const xcb_window_t root = Root_Of(connection, id);
        if (root == XCB_WINDOW_NONE)
            return;
        // Two states per message, source indication 1 (an application).
        for (int i = 0; i < 4; i += 2) {
            const quint32 data[5] = {Net_Wm_State_Add, Xcb_Atom(connection, Desktop_States[i]),
                                     Xcb_Atom(connection, Desktop_States[i + 1]), 1, 0};
            Send_To_Root(connection, root, id, state, data);
        }
        const quint32 data[5] = {All_Desktops, 1, 0, 0, 0};
        Send_To_Root(connection, root, id, desktop, data);
    }
    xcb_flush(connection);
    // The desktop's icon window shares that layer: the calendar keeps above it.
    Keep_Above_Desktop_Windows(window);
}
