#include "platform/linux/LinuxPlatform.h"

RegistryBackend& LinuxPlatform::Registry() {
    return registry_;
}
