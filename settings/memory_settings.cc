#include "settings/memory_settings.h"

#include <iostream>

#include "console/console.h"
#include "platform/registry.h"

const RegistrySetting MemorySettings[2] = {
    {"SYSTEM\\CurrentControlSet\\Control", "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control",
     "RegistrySizeLimit", 0xFFFFFFFFu, "Unable to update value: RegistrySizeLimit",
     CloseFailure::kFatal},
    {"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management",
     "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management",
     "PagedPoolSize", 0u, "Unable to update value: PagedPoolSize", CloseFailure::kIgnored},
};

bool ApplyMemorySettings() {
  // Held from a successful open to that key's close; null when no key is open.
  platform::Key key = nullptr;
  bool failed = false;

  // Each failure point throws 1; the one handler below records it.
  try {
    for (const RegistrySetting& setting : MemorySettings) {
      platform::Key opened = nullptr;
      if (platform::RegOpenKeyExA(platform::kLocalMachine, setting.subkey, 0, platform::kKeyWrite,
                                  &opened) != platform::kSuccess) {
        WriteLine(std::cout, "Unable to open key: ");
        WriteLine(std::cout, setting.display_path);
        throw 1;
      }
      key = opened;

      // REG_DWORD data: 4 bytes, least significant first, whatever the host.
      const unsigned char bytes[4] = {static_cast<unsigned char>(setting.data),
                                      static_cast<unsigned char>(setting.data >> 8),
                                      static_cast<unsigned char>(setting.data >> 16),
                                      static_cast<unsigned char>(setting.data >> 24)};
      if (platform::RegSetValueExA(key, setting.value_name, 0, platform::kRegDword, bytes,
                                   sizeof bytes) != platform::kSuccess) {
        WriteLine(std::cout, setting.write_failure);
        throw 1;
      }

      // A key is closed once: it counts as released whatever the close returns.
      const long closed = platform::RegCloseKey(key);
      key = nullptr;
      if (closed != platform::kSuccess && setting.close_failure == CloseFailure::kFatal) throw 1;
    }
  } catch (...) {
    failed = true;
  }

  // Only a write failure leaves a key open; its close result is ignored.
  if (key != nullptr) platform::RegCloseKey(key);
  return !failed;
}
