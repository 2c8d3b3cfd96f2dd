#include "platform/Platform.h"

#include <QDesktopServices>
#include <QUrl>
#include <QtGlobal>

// The one place that picks the native backend.
#if defined(Q_OS_LINUX)
#include "platform/linux/LinuxPlatform.h"
using NativePlatform = LinuxPlatform;
constexpr const char* Platform_Names = "Linux desktops on X11 (Wayland sessions through XWayland)";
#else
#error "No platform backend for this system yet"
#endif

namespace {
Platform* current = nullptr;

Platform& Native() {
    static NativePlatform native;
    return native;
}
} // namespace

Platform& Current_Platform() {
    return current ? *current : Native();
}

void Set_Platform(Platform* platform) {
    current = platform;
}

bool Platform::Open_File(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

QString Build_Platforms() {
    return QString::fromUtf8(Platform_Names);
}
