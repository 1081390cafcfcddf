#include <iostream>

#include "console/console.h"
#include "platform/framework.h"
#include "settings/memory_settings.h"

// The framework's application object: created after the standard streams,
// destroyed before them.
static platform::CWinApp theApp(nullptr);

int main(int /*argc*/, char* /*argv*/[], char* /*envp*/[]) {
  int RunStatus = 0;

  char* const command_line = platform::GetCommandLineA();
  const platform::Instance instance = platform::GetModuleHandleA(nullptr);
  if (platform::AfxWinInit(instance, nullptr, command_line, 0) == 0) {
    WriteLine(std::cerr, "Fatal Error: MFC initialization failed");
    RunStatus = 1;
    return RunStatus;
  }

  WriteLine(std::cout, "");
  WriteLine(std::cout, "Kestrune by the Kestrune maintainers (maintainers@kestrune.example)");
  WriteLine(std::cout, "Version 1.00, July 15, 1999");
  WriteLine(std::cout, "---------------------------");

  if (!ApplyMemorySettings()) RunStatus = 1;

  if (RunStatus == 0) {
    WriteLine(std::cout, "Successfully updated registry settings.");
    WriteLine(std::cout, "Restart your computer for changes to take effect.");
  }
  return RunStatus;
}
