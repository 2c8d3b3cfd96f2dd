#include "platform/linux/WallpaperRootPixmap.h"

#include <QFileInfo>
#include <QPainter>

#include "platform/linux/XcbAtom.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace {
const QColor Desktop_Colour(0, 0, 0);

// The pixmap named by a root property, or XCB_NONE.
xcb_pixmap_t Root_Pixmap(xcb_connection_t* connection, xcb_window_t root, xcb_atom_t property) {
    const auto cookie = xcb_get_property(connection, 0, root, property, XCB_ATOM_PIXMAP, 0, 1);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
    xcb_pixmap_t pixmap = XCB_NONE;
    if (reply && reply->type == XCB_ATOM_PIXMAP && reply->format == 32 &&
        xcb_get_property_value_length(reply) >= 4)
        pixmap = *static_cast<const xcb_pixmap_t*>(xcb_get_property_value(reply));
    std::free(reply);
    return pixmap;
}

// True when the screen's root visual stores pixels as 0x00RRGGBB in 32 bits, as QImage's RGB32.
bool Takes_Rgb32(const xcb_setup_t* setup, const xcb_screen_t* screen) {
    if (screen->root_depth != 24 && screen->root_depth != 32)
        return false;
    if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST)
        return false;
    bool pads_to_32 = false;
    for (auto formats = xcb_setup_pixmap_formats_iterator(setup); formats.rem;
         xcb_format_next(&formats)) {
        if (formats.data->depth == screen->root_depth)
            pads_to_32 = formats.data->bits_per_pixel == 32;
    }
    if (!pads_to_32)
        return false;
    for (auto depths = xcb_screen_allowed_depths_iterator(screen); depths.rem;
         xcb_depth_next(&depths)) {
        for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem;
             xcb_visualtype_next(&visuals)) {
            if (visuals.data->visual_id == screen->root_visual)
                return visuals.data->red_mask == 0xFF0000 && visuals.data->green_mask == 0xFF00 &&
                       visuals.data->blue_mask == 0xFF;
        }
    }
    return false;
}

void Upload(xcb_connection_t* connection, xcb_pixmap_t pixmap, const xcb_screen_t* screen,
            const QImage& image) {
    const xcb_gcontext_t gc = xcb_generate_id(connection);
    xcb_create_gc(connection, gc, pixmap, 0, nullptr);
    // Requests are limited in size: send the picture in bands of whole rows.
    const quint32 max_bytes = xcb_get_maximum_request_length(connection) * 4u - 64u;
    const auto row_bytes = static_cast<quint32>(image.bytesPerLine());
    const int band = qMax(1, static_cast<int>(max_bytes / row_bytes));
    for (int y = 0; y < image.height(); y += band) {
        const int rows = qMin(band, image.height() - y);
        xcb_put_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, gc,
                      static_cast<quint16>(image.width()), static_cast<quint16>(rows), 0,
                      static_cast<qint16>(y), 0, screen->root_depth, row_bytes * quint32(rows),
                      image.constScanLine(y));
    }
    xcb_free_gc(connection, gc);
}
} // namespace

QImage Compose_Wallpaper(const QImage& picture, const QSize& screen, WallpaperFit fit,
                         const QColor& background) {
    QImage image(screen, QImage::Format_RGB32);
    image.fill(background);
    if (picture.isNull() || screen.isEmpty())
        return image;
    QPainter painter(&image);
    switch (fit) {
    case WallpaperFit::Centre:
        painter.drawImage(QPoint((screen.width() - picture.width()) / 2,
                                 (screen.height() - picture.height()) / 2),
                          picture);
        break;
    case WallpaperFit::Tile:
        for (int y = 0; y < screen.height(); y += picture.height()) {
            for (int x = 0; x < screen.width(); x += picture.width())
                painter.drawImage(QPoint(x, y), picture);
        }
        break;
    case WallpaperFit::Stretch:
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(QPoint(0, 0), screen), picture);
        break;
    }
    return image;
}

namespace {
// What a root pixmap shows: the pixmap, the fit, the screen's size and the picture's file.
QByteArray Pixmap_Note(xcb_pixmap_t pixmap, WallpaperFit fit, const xcb_screen_t* screen,
                       const QString& path) {
    const QFileInfo file(path);
    const qint64 modified = path.isEmpty() ? -1 : file.lastModified().toMSecsSinceEpoch();
    const qint64 size = path.isEmpty() ? -1 : file.size();
    return QStringLiteral("%1 %2 %3x%4 %5 %6 %7")
        .arg(pixmap)
        .arg(int(fit))
        .arg(screen->width_in_pixels)
        .arg(screen->height_in_pixels)
        .arg(modified)
        .arg(size)
        .arg(path)
        .toUtf8();
}

QByteArray Root_Text(xcb_connection_t* connection, xcb_window_t root, xcb_atom_t property) {
    const auto cookie =
        xcb_get_property(connection, 0, root, property, XCB_ATOM_STRING, 0, 4096 / 4);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
    QByteArray text;
    if (reply && reply->type == XCB_ATOM_STRING && reply->format == 8)
        text = QByteArray(static_cast<const char*>(xcb_get_property_value(reply)),
                          xcb_get_property_value_length(reply));
    std::free(reply);
    return text;
}

const xcb_screen_t* Default_Screen(xcb_connection_t* connection, int screen_number) {
    auto screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screen_number && screens.rem; ++i)
        xcb_screen_next(&screens);
    return screens.rem ? screens.data : nullptr;
}
} // namespace

bool Root_Pixmap_Shows(const QString& path, WallpaperFit fit) {
    int screen_number = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screen_number);
    bool shows = false;
    if (!xcb_connection_has_error(connection)) {
        const xcb_screen_t* screen = Default_Screen(connection, screen_number);
        const xcb_atom_t root_id = Xcb_Atom(connection, "_XROOTPMAP_ID");
        const xcb_atom_t note = Xcb_Atom(connection, "_ALMANOR_WALLPAPER");
        if (screen && root_id != XCB_ATOM_NONE && note != XCB_ATOM_NONE) {
            const xcb_pixmap_t pixmap = Root_Pixmap(connection, screen->root, root_id);
            shows = pixmap != XCB_NONE && Root_Text(connection, screen->root, note) ==
                                              Pixmap_Note(pixmap, fit, screen, path);
        }
    }
    xcb_disconnect(connection);
    return shows;
}

bool Set_Root_Pixmap(const QString& path, WallpaperFit fit, bool noted) {
    QImage picture;
    if (!path.isEmpty() && (!picture.load(path) || picture.isNull()))
        return false;
    int screen_number = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screen_number);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return false;
    }
    const xcb_setup_t* setup = xcb_get_setup(connection);
    auto screens = xcb_setup_roots_iterator(setup);
    for (int i = 0; i < screen_number && screens.rem; ++i)
        xcb_screen_next(&screens);
    const xcb_screen_t* screen = screens.rem ? screens.data : nullptr;
    const xcb_atom_t root_id = Xcb_Atom(connection, "_XROOTPMAP_ID");
    const xcb_atom_t esetroot_id = Xcb_Atom(connection, "ESETROOT_PMAP_ID");
    if (!screen || !Takes_Rgb32(setup, screen) || root_id == XCB_ATOM_NONE ||
        esetroot_id == XCB_ATOM_NONE) {
        xcb_disconnect(connection);
        return false;
    }
    const QImage image = Compose_Wallpaper(
        picture, QSize(screen->width_in_pixels, screen->height_in_pixels), fit, Desktop_Colour);
    const xcb_window_t root = screen->root;
    const xcb_pixmap_t pixmap = xcb_generate_id(connection);
    xcb_create_pixmap(connection, screen->root_depth, pixmap, root, screen->width_in_pixels,
                      screen->height_in_pixels);
    Upload(connection, pixmap, screen, image);

    // A pixmap left by an earlier setter that follows the same convention belongs to a
    // connection kept only for it: ending that connection frees the pixmap.
    const xcb_pixmap_t old_root = Root_Pixmap(connection, root, root_id);
    const xcb_pixmap_t old_esetroot = Root_Pixmap(connection, root, esetroot_id);
    if (old_esetroot != XCB_NONE && old_esetroot == old_root)
        xcb_kill_client(connection, old_esetroot);

    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, root, root_id, XCB_ATOM_PIXMAP, 32, 1,
                        &pixmap);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, root, esetroot_id, XCB_ATOM_PIXMAP, 32,
                        1, &pixmap);
    const xcb_atom_t note_id = Xcb_Atom(connection, "_ALMANOR_WALLPAPER");
    if (note_id != XCB_ATOM_NONE && !noted)
        xcb_delete_property(connection, root, note_id);
    if (note_id != XCB_ATOM_NONE && noted) {
        const QByteArray note = Pixmap_Note(pixmap, fit, screen, path);
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, root, note_id, XCB_ATOM_STRING, 8,
                            quint32(note.size()), note.constData());
    }
    xcb_change_window_attributes(connection, root, XCB_CW_BACK_PIXMAP, &pixmap);
    xcb_clear_area(connection, 0, root, 0, 0, 0, 0);
    xcb_set_close_down_mode(connection, XCB_CLOSE_DOWN_RETAIN_PERMANENT);
    // A round trip makes sure the server has done it all before the connection goes.
    free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    const bool ok = !xcb_connection_has_error(connection);
    xcb_disconnect(connection);
    return ok;
}

namespace {
// The pixmap's picture, when the visual stores pixels as QImage's RGB32 does.
QImage Pixmap_Picture(xcb_connection_t* connection, const xcb_screen_t* screen,
                      xcb_pixmap_t pixmap) {
    xcb_get_geometry_reply_t* geometry =
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, pixmap), nullptr);
    if (!geometry)
        return QImage();
    const int width = geometry->width;
    const int height = geometry->height;
    const bool same_depth = geometry->depth == screen->root_depth;
    std::free(geometry);
    if (!same_depth)
        return QImage();
    QImage image(width, height, QImage::Format_RGB32);
    // One band of rows per request, as requests are limited in size.
    const int band =
        qMax(1, int((xcb_get_maximum_request_length(connection) * 4u - 64u) / quint32(width * 4)));
    for (int y = 0; y < height; y += band) {
        const int rows = qMin(band, height - y);
        xcb_get_image_reply_t* reply =
            xcb_get_image_reply(connection,
                                xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, 0,
                                              qint16(y), quint16(width), quint16(rows), ~0u),
                                nullptr);
        if (!reply || xcb_get_image_data_length(reply) < width * rows * 4) {
            std::free(reply);
            return QImage();
        }
        const uint8_t* data = xcb_get_image_data(reply);
        for (int r = 0; r < rows; ++r)
            std::memcpy(image.scanLine(y + r), data + std::size_t(r) * width * 4,
                        std::size_t(width) * 4);
        std::free(reply);
    }
    return image;
}

// The root window's background at its top-left pixel. X can't be asked for a window's
// background: a one-pixel window that takes its parent's background shows it for a moment.
std::optional<quint32> Root_Background_Pixel(xcb_connection_t* connection,
                                             const xcb_screen_t* screen) {
    const xcb_window_t probe = xcb_generate_id(connection);
    const quint32 values[] = {XCB_BACK_PIXMAP_PARENT_RELATIVE, 1};
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, probe, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT,
                      XCB_CW_BACK_PIXMAP | XCB_CW_OVERRIDE_REDIRECT, values);
    xcb_map_window(connection, probe);
    xcb_get_image_reply_t* reply = xcb_get_image_reply(
        connection, xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, probe, 0, 0, 1, 1, ~0u),
        nullptr);
    xcb_destroy_window(connection, probe);
    std::optional<quint32> pixel;
    if (reply && xcb_get_image_data_length(reply) >= 4) {
        quint32 value = 0;
        std::memcpy(&value, xcb_get_image_data(reply), 4);
        pixel = value & 0xFFFFFFu;
    }
    std::free(reply);
    return pixel;
}
} // namespace

std::optional<WallpaperRecord> Record_Root_Background(const QString& folder) {
    int screen_number = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screen_number);
    std::optional<WallpaperRecord> record;
    const xcb_screen_t* screen =
        xcb_connection_has_error(connection) ? nullptr : Default_Screen(connection, screen_number);
    if (screen && Takes_Rgb32(xcb_get_setup(connection), screen)) {
        const xcb_atom_t root_id = Xcb_Atom(connection, "_XROOTPMAP_ID");
        const xcb_atom_t note = Xcb_Atom(connection, "_ALMANOR_WALLPAPER");
        const xcb_pixmap_t pixmap = Root_Pixmap(connection, screen->root, root_id);
        const QByteArray noted = Root_Text(connection, screen->root, note);
        const bool ours = pixmap != XCB_NONE && noted.startsWith(QByteArray::number(pixmap) + ' ');
        const QImage picture =
            pixmap != XCB_NONE && !ours ? Pixmap_Picture(connection, screen, pixmap) : QImage();
        const QString file = folder + QStringLiteral("/root.png");
        if (ours) {
            // Only a picture of this program is known: the user's own is gone already.
        } else if (!picture.isNull() && picture.save(file, "PNG")) {
            record = WallpaperRecord{QString::fromLatin1(Root_Backend),
                                     {{QStringLiteral("picture"), file}}};
        } else if (const auto pixel = Root_Background_Pixel(connection, screen)) {
            record = WallpaperRecord{QString::fromLatin1(Root_Backend),
                                     {{QStringLiteral("pixel"), QString::number(*pixel)}}};
        }
    }
    xcb_disconnect(connection);
    return record;
}

bool Restore_Root_Background(const WallpaperRecord& record) {
    if (record.backend != QLatin1String(Root_Backend) || record.values.size() != 1)
        return false;
    const auto& [name, value] = record.values.first();
    if (name == QLatin1String("picture"))
        return Set_Root_Pixmap(value, WallpaperFit::Tile, false);
    bool number = false;
    const quint32 pixel = value.toUInt(&number);
    if (name != QLatin1String("pixel") || !number)
        return false;
    int screen_number = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screen_number);
    const xcb_screen_t* screen =
        xcb_connection_has_error(connection) ? nullptr : Default_Screen(connection, screen_number);
    if (screen) {
        const xcb_window_t root = screen->root;
        const xcb_atom_t root_id = Xcb_Atom(connection, "_XROOTPMAP_ID");
        const xcb_atom_t esetroot_id = Xcb_Atom(connection, "ESETROOT_PMAP_ID");
        const xcb_atom_t note = Xcb_Atom(connection, "_ALMANOR_WALLPAPER");
        xcb_change_window_attributes(connection, root, XCB_CW_BACK_PIXEL, &pixel);
        // The pixmap this program left is freed with the connection kept for it.
        const xcb_pixmap_t pixmap = Root_Pixmap(connection, root, root_id);
        if (pixmap != XCB_NONE && pixmap == Root_Pixmap(connection, root, esetroot_id) &&
            Root_Text(connection, root, note).startsWith(QByteArray::number(pixmap) + ' '))
            xcb_kill_client(connection, pixmap);
        for (const xcb_atom_t property : {root_id, esetroot_id, note}) {
            if (property != XCB_ATOM_NONE)
                xcb_delete_property(connection, root, property);
        }
        xcb_clear_area(connection, 0, root, 0, 0, 0, 0);
        std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    }
    const bool ok = screen && !xcb_connection_has_error(connection);
    xcb_disconnect(connection);
    return ok;
}
