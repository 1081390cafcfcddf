#pragma once

#include <cstdint>

// The three Win32 registry calls the tool makes (ANSI forms), with their
// arguments as the Windows API takes them. The build links either the real
// advapi32 forwarders or a test double.
namespace platform {

struct OpaqueKey;
using Key = OpaqueKey*;  // HKEY

extern const Key kLocalMachine;  // HKEY_LOCAL_MACHINE

constexpr long kSuccess = 0;                  // ERROR_SUCCESS
constexpr std::uint32_t kKeyWrite = 0x20006;  // KEY_WRITE
constexpr std::uint32_t kRegDword = 4;        // REG_DWORD

long RegOpenKeyExA(Key root, const char* subkey, std::uint32_t options, std::uint32_t access,
                   Key* result);
long RegSetValueExA(Key key, const char* value_name, std::uint32_t reserved, std::uint32_t type,
                    const unsigned char* data, std::uint32_t size);
long RegCloseKey(Key key);

}  // namespace platform
