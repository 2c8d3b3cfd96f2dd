#pragma once

class RegistryBackend;

// What the desktop provides. One backend per operating system, chosen in Platform.cpp; tests
// install a fake with Set_Platform where a real effect can't be observed.
class Platform {
  public:
    virtual ~Platform() = default;

    // The store behind the registry module.
    virtual RegistryBackend& Registry() = 0;
};

// The platform in force. Never null.
Platform& Current_Platform();
// Installs platform (not owned); nullptr restores the native backend.
void Set_Platform(Platform* platform);
