#pragma once

#include "platform/Platform.h"
#include "platform/linux/FileRegistry.h"

// The Linux desktop: a file-backed registry whose run-at-logon key is the XDG autostart folder.
class LinuxPlatform final : public Platform {
  public:
    RegistryBackend& Registry() override;

  private:
    FileRegistry registry_;
};
