#include "platform/linux/DesktopStacking.h"

#include "platform/DesktopStack.h"
#include "platform/linux/XcbAtom.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace {

template <typename Reply> using Owned = std::unique_ptr<Reply, decltype(&std::free)>;
template <typename Reply> Owned<Reply> Own(Reply* reply) {
    return Owned<Reply>(reply, &std::free);
}

QList<xcb_window_t> Stacking_List(xcb_connection_t* c, xcb_window_t root, xcb_atom_t list) {
    QList<xcb_window_t> windows;
    auto reply = Own(xcb_get_property_reply(
        c, xcb_get_property(c, 0, root, list, XCB_ATOM_WINDOW, 0, 4096), nullptr));
    if (reply && reply->format == 32 && reply->type == XCB_ATOM_WINDOW) {
        const auto* data = static_cast<const xcb_window_t*>(xcb_get_property_value(reply.get()));
        const int count = xcb_get_property_value_length(reply.get()) / 4;
        for (int i = 0; i < count; ++i)
            windows.append(data[i]);
    }
    return windows;
}

// Every window's type and place, the requests of all windows sent before any answer is read.
QList<StackedWindow> Describe(xcb_connection_t* c, xcb_window_t root,
                              const QList<xcb_window_t>& windows, xcb_atom_t type_atom,
                              xcb_atom_t desktop_type) {
    QList<xcb_get_property_cookie_t> types;
    QList<xcb_get_geometry_cookie_t> sizes;
    QList<xcb_translate_coordinates_cookie_t> places;
    for (const xcb_window_t w : windows) {
        types.append(xcb_get_property(c, 0, w, type_atom, XCB_ATOM_ATOM, 0, 1));
        sizes.append(xcb_get_geometry(c, w));
        places.append(xcb_translate_coordinates(c, w, root, 0, 0));
    }
    QList<StackedWindow> described;
    for (qsizetype i = 0; i < windows.size(); ++i) {
        StackedWindow window;
        window.id = windows[i];
        auto type = Own(xcb_get_property_reply(c, types[i], nullptr));
        if (type && type->format == 32 && xcb_get_property_value_length(type.get()) >= 4)
            window.desktop_type =
                *static_cast<const xcb_atom_t*>(xcb_get_property_value(type.get())) == desktop_type;
        auto size = Own(xcb_get_geometry_reply(c, sizes[i], nullptr));
        auto place = Own(xcb_translate_coordinates_reply(c, places[i], nullptr));
        if (size && place)
            window.geometry = QRect(place->dst_x, place->dst_y, size->width, size->height);
        described.append(window);
    }
    return described;
}

class DesktopStacking final : public QObject, public QAbstractNativeEventFilter {
  public:
    DesktopStacking(QWindow* window, xcb_connection_t* connection)
        : QObject(window), window_(window), connection_(connection) {
        setObjectName(QStringLiteral("DesktopStacking"));
        const xcb_setup_t* setup = xcb_get_setup(connection);
        root_ = xcb_setup_roots_iterator(setup).data->root;
        stacking_ = Xcb_Atom(connection, "_NET_CLIENT_LIST_STACKING");
        type_ = Xcb_Atom(connection, "_NET_WM_WINDOW_TYPE");
        desktop_type_ = Xcb_Atom(connection, "_NET_WM_WINDOW_TYPE_DESKTOP");
        // The root window's property changes, added to whatever this connection already hears.
        auto attributes = Own(xcb_get_window_attributes_reply(
            connection, xcb_get_window_attributes(connection, root_), nullptr));
        const quint32 mask =
            (attributes ? attributes->your_event_mask : 0) | XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_change_window_attributes(connection, root_, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection);
        check_.setSingleShot(true);
        connect(&check_, &QTimer::timeout, this, [this] { Check(); });
        qApp->installNativeEventFilter(this);
    }
    ~DesktopStacking() override { qApp->removeNativeEventFilter(this); }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
            return false;
        const auto* change = reinterpret_cast<const xcb_property_notify_event_t*>(event);
        // Looked at once the events of this turn have been handled: a click restacks several
        // times in a row.
        if (change->window == root_ && change->atom == stacking_ && !check_.isActive())
            check_.start(0);
        return false;
    }

  private:
    void Check() {
        if (!window_ || !window_->isVisible() || stacking_ == XCB_ATOM_NONE)
            return;
        const auto own = static_cast<xcb_window_t>(window_->winId());
        const QList<xcb_window_t> windows = Stacking_List(connection_, root_, stacking_);
        const qsizetype own_index = windows.indexOf(own);
        if (own_index < 0)
            return;
        // Only the windows from this one up matter.
        const QList<StackedWindow> described =
            Describe(connection_, root_, windows.mid(own_index), type_, desktop_type_);
        if (!Covered_By_Desktop_Window(described, own))
            return;
        // The window manager takes this as a request and raises the window within its layer.
        const quint32 above = XCB_STACK_MODE_ABOVE;
        xcb_configure_window(connection_, own, XCB_CONFIG_WINDOW_STACK_MODE, &above);
        xcb_flush(connection_);
    }

    QPointer<QWindow> window_;
    xcb_connection_t* connection_;
    xcb_window_t root_ = XCB_WINDOW_NONE;
    xcb_atom_t stacking_ = XCB_ATOM_NONE;
    xcb_atom_t type_ = XCB_ATOM_NONE;
    xcb_atom_t desktop_type_ = XCB_ATOM_NONE;
    QTimer check_;
};

} // namespace

void Keep_Above_Desktop_Windows(QWindow* window) {
    if (!window || QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return;
    if (window->findChild<QObject*>(QStringLiteral("DesktopStacking"), Qt::FindDirectChildrenOnly))
        return;
    new DesktopStacking(window, x11->connection());
}
