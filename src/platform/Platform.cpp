#include "platform/Platform.h"
#include <QtGlobal>

// The one place that picks the native backend.
#if defined(Q_OS_LINUX)
#include "platform/linux/LinuxPlatform.h"
using NativePlatform = LinuxPlatform;
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
