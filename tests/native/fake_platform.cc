#include "fake_platform.h"

#include <algorithm>

namespace {

char local_machine_root;
char key_storage[16];
char module_storage;
// A failed open stores this, so that a caller who uses it anyway is caught.
char poison_storage;

struct PlannedFailure {
  fake::Op op;
  int nth;
  long status;
};
std::vector<PlannedFailure> planned_failures;

long Outcome(fake::Op op) {
  const int nth = static_cast<int>(
      std::count_if(fake::registry.calls.begin(), fake::registry.calls.end(),
                    [op](const fake::RegistryCall& call) { return call.op == op; }));
  for (const PlannedFailure& failure : planned_failures) {
    if (failure.op == op && failure.nth == nth) return failure.status;
  }
  return platform::kSuccess;
}

bool IsOpen(platform::Key key) {
  const auto& keys = fake::registry.open_keys;
  return std::find(keys.begin(), keys.end(), key) != keys.end();
}

}  // namespace

namespace fake {

Registry registry;
Kernel kernel;

void FailCall(Op op, int nth, long status) { planned_failures.push_back({op, nth, status}); }

void Reset() {
  registry = Registry{};
  kernel = Kernel{reinterpret_cast<platform::Instance>(&module_storage), "Kestrune.exe", {}};
  planned_failures.clear();
}

std::string OpSequence() {
  std::string ops;
  for (const RegistryCall& call : registry.calls) {
    ops += call.op == Op::kOpen ? 'O' : call.op == Op::kSet ? 'S' : 'C';
  }
  return ops;
}

}  // namespace fake

namespace platform {

const Key kLocalMachine = reinterpret_cast<Key>(&local_machine_root);

long RegOpenKeyExA(Key root, const char* subkey, std::uint32_t options, std::uint32_t access,
                   Key* result) {
  const long status = Outcome(fake::Op::kOpen);
  const std::size_t opened = fake::registry.calls.size() % sizeof key_storage;
  fake::registry.calls.push_back(
      {fake::Op::kOpen, root, subkey, options, access, 0, {}, 0, status});
  if (status == kSuccess) {
    *result = reinterpret_cast<Key>(&key_storage[opened]);
    fake::registry.open_keys.push_back(*result);
  } else {
    *result = reinterpret_cast<Key>(&poison_storage);
  }
  return status;
}

long RegSetValueExA(Key key, const char* value_name, std::uint32_t reserved, std::uint32_t type,
                    const unsigned char* data, std::uint32_t size) {
  const long status = Outcome(fake::Op::kSet);
  if (!IsOpen(key))
    fake::registry.errors.push_back(std::string("set on a key not open: ") + value_name);
  fake::registry.calls.push_back({fake::Op::kSet, key, value_name, reserved, 0, type,
                                  std::vector<unsigned char>(data, data + size), size, status});
  return status;
}

long RegCloseKey(Key key) {
  const long status = Outcome(fake::Op::kClose);
  auto& keys = fake::registry.open_keys;
  const auto found = std::find(keys.begin(), keys.end(), key);
  if (found == keys.end()) {
    fake::registry.errors.push_back("close of a key not open");
  } else {
    keys.erase(found);  // released even when the close reports failure
  }
  fake::registry.calls.push_back({fake::Op::kClose, key, "", 0, 0, 0, {}, 0, status});
  return status;
}

Instance GetModuleHandleA(const char* module_name) {
  fake::kernel.calls.push_back(module_name == nullptr ? "GetModuleHandleA(null)"
                                                      : "GetModuleHandleA(name)");
  return fake::kernel.module_handle;
}

char* GetCommandLineA() {
  fake::kernel.calls.push_back("GetCommandLineA");
  return fake::kernel.command_line.data();
}

}  // namespace platform
