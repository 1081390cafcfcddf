#include "platform/registry.h"

#include <windows.h>

static_assert(platform::kSuccess == ERROR_SUCCESS);
static_assert(platform::kKeyWrite == KEY_WRITE);
static_assert(platform::kRegDword == REG_DWORD);

namespace platform {

namespace {
HKEY ToHkey(Key key) { return reinterpret_cast<HKEY>(key); }
}  // namespace

const Key kLocalMachine = reinterpret_cast<Key>(HKEY_LOCAL_MACHINE);

long RegOpenKeyExA(Key root, const char* subkey, std::uint32_t options, std::uint32_t access,
                   Key* result) {
  HKEY opened = nullptr;
  const LONG status = ::RegOpenKeyExA(ToHkey(root), subkey, options, access, &opened);
  if (status == ERROR_SUCCESS) *result = reinterpret_cast<Key>(opened);
  return status;
}

long RegSetValueExA(Key key, const char* value_name, std::uint32_t reserved, std::uint32_t type,
                    const unsigned char* data, std::uint32_t size) {
  return ::RegSetValueExA(ToHkey(key), value_name, reserved, type, data, size);
}

long RegCloseKey(Key key) { return ::RegCloseKey(ToHkey(key)); }

}  // namespace platform
