#include <windows.h>

#include "platform/framework.h"

namespace platform {

Instance GetModuleHandleA(const char* module_name) {
  return reinterpret_cast<Instance>(::GetModuleHandleA(module_name));
}

char* GetCommandLineA() { return ::GetCommandLineA(); }

}  // namespace platform
