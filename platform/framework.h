#pragma once

// A minimal stand-in for the application framework: one application object
// and a start-up call. Also the two kernel32 calls whose results start-up is
// given; the build links the real ones or a test double.
namespace platform {

struct OpaqueInstance;
using Instance = OpaqueInstance*;  // HINSTANCE

Instance GetModuleHandleA(const char* module_name);
char* GetCommandLineA();

// The application object. At most one exists at a time; start-up records the
// module handle, command line and show state in it.
class CWinApp {
 public:
  explicit CWinApp(const char* app_name = nullptr);
  ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  const char* m_pszAppName;
  Instance m_hInstance = nullptr;
  char* m_lpCmdLine = nullptr;
  int m_nCmdShow = 0;
};

// The application object currently alive, or null.
CWinApp* AfxGetApp();

// Framework start-up. Returns non-zero when the framework is ready; zero when
// there is no application object or no module handle.
int AfxWinInit(Instance instance, Instance prev_instance, char* cmd_line, int show);

}  // namespace platform
