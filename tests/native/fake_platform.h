#pragma once

// Test double for the platform calls: records every registry call and can fail
// any one of them on demand; the module handle and command line are settable.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/framework.h"
#include "platform/registry.h"

namespace fake {

enum class Op { kOpen, kSet, kClose };

struct RegistryCall {
  Op op;
  platform::Key key;  // the root of an open; the key of a set or close
  std::string name;   // the subkey of an open; the value name of a set
  std::uint32_t options_or_reserved;
  std::uint32_t access;             // open only
  std::uint32_t type;               // set only
  std::vector<unsigned char> data;  // set only: the `size` bytes passed
  std::uint32_t size;               // set only
  long result;
};

struct Registry {
  std::vector<RegistryCall> calls;
  // Misuse seen by the double: a set or close on a key that is not open.
  std::vector<std::string> errors;
  std::vector<platform::Key> open_keys;
};

extern Registry registry;

// The `nth` call (from 0) of `op` after the last Reset fails with `status`.
void FailCall(Op op, int nth, long status = 5 /* ERROR_ACCESS_DENIED */);

struct Kernel {
  platform::Instance module_handle;
  std::string command_line;
  std::vector<std::string> calls;
};

extern Kernel kernel;

// Back to a working registry and kernel with nothing recorded.
void Reset();

// "O" for an open, "S" for a set, "C" for a close, in call order.
std::string OpSequence();

}  // namespace fake
