#pragma once

#include <cstdint>

// What a failed close of a row's key does to the stage.
enum class CloseFailure { kFatal, kIgnored };

// One registry value to write under HKEY_LOCAL_MACHINE, as a REG_DWORD.
struct RegistrySetting {
  const char* subkey;        // existing key, no leading backslash
  const char* display_path;  // "HKEY_LOCAL_MACHINE\" + subkey
  const char* value_name;
  std::uint32_t data;
  const char* write_failure;  // "Unable to update value: " + value_name
  CloseFailure close_failure;
};

// Written in this order.
extern const RegistrySetting MemorySettings[2];

// Writes every row of MemorySettings, stopping at the first failure, which it
// reports on standard output. Returns true when every row was written.
bool ApplyMemorySettings();
