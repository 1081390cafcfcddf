#include "platform/framework.h"

namespace platform {

namespace {
CWinApp* current_app = nullptr;
}  // namespace

CWinApp::CWinApp(const char* app_name) : m_pszAppName(app_name) {
  if (current_app == nullptr) current_app = this;
}

CWinApp::~CWinApp() {
  if (current_app == this) current_app = nullptr;
}

CWinApp* AfxGetApp() { return current_app; }

int AfxWinInit(Instance instance, Instance /*prev_instance*/, char* cmd_line, int show) {
  CWinApp* const app = AfxGetApp();
  if (app == nullptr || instance == nullptr) return 0;
  app->m_hInstance = instance;
  app->m_lpCmdLine = cmd_line;
  app->m_nCmdShow = show;
  return 1;
}

}  // namespace platform
