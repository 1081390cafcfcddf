#include <gtest/gtest.h>

#include <iostream>
#include <string>

#include "console_capture.h"
#include "fake_platform.h"
#include "platform/framework.h"

int KestruneMain(int argc, char* argv[], char* envp[]);

namespace {

const std::string kBanner =
    "\n"
    "Kestrune by the Kestrune maintainers (maintainers@kestrune.example)\n"
    "Version 1.00, July 15, 1999\n"
    "---------------------------\n";
const std::string kSuccess =
    "Successfully updated registry settings.\n"
    "Restart your computer for changes to take effect.\n";

int RunMain() {
  char program[] = "Kestrune.exe";
  char* argv[] = {program, nullptr};
  char* envp[] = {nullptr};
  return KestruneMain(1, argv, envp);
}

class RunTest : public ::testing::Test {
 protected:
  void SetUp() override { fake::Reset(); }
};

// Every observable outcome of a run: both streams and the exit status.
TEST_F(RunTest, TranscriptAndExitStatusForEachOutcome) {
  struct Case {
    const char* name;
    bool framework_fails;
    fake::Op op;
    int nth;  // -1: the registry does not fail
    std::string out;
    std::string err;
    int status;
  } const cases[] = {
      {"framework start-up fails", true, fake::Op::kOpen, -1, "",
       "Fatal Error: MFC initialization failed\n", 1},
      {"both values written", false, fake::Op::kOpen, -1, kBanner + kSuccess, "", 0},
      {"first key cannot be opened", false, fake::Op::kOpen, 0,
       kBanner + "Unable to open key: \nHKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\n",
       "", 1},
      {"RegistrySizeLimit cannot be written", false, fake::Op::kSet, 0,
       kBanner + "Unable to update value: RegistrySizeLimit\n", "", 1},
      {"first key cannot be closed", false, fake::Op::kClose, 0, kBanner, "", 1},
      {"second key cannot be opened", false, fake::Op::kOpen, 1,
       kBanner +
           "Unable to open key: \nHKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session "
           "Manager\\Memory Management\n",
       "", 1},
      {"PagedPoolSize cannot be written", false, fake::Op::kSet, 1,
       kBanner + "Unable to update value: PagedPoolSize\n", "", 1},
      {"second key cannot be closed", false, fake::Op::kClose, 1, kBanner + kSuccess, "", 0},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    fake::Reset();
    if (c.framework_fails) fake::kernel.module_handle = nullptr;
    if (c.nth >= 0) fake::FailCall(c.op, c.nth);
    ConsoleCapture console;
    EXPECT_EQ(RunMain(), c.status) << "case " << i << ": " << c.name;
    EXPECT_EQ(console.out.str(), c.out) << "case " << i << ": " << c.name;
    EXPECT_EQ(console.err.str(), c.err) << "case " << i << ": " << c.name;
    if (c.framework_fails) {
      EXPECT_TRUE(fake::registry.calls.empty()) << "case " << i << ": registry touched";
    }
  }
}

TEST_F(RunTest, StartsTheFrameworkWithThisProcess) {
  ConsoleCapture console;
  ASSERT_EQ(RunMain(), 0);
  const std::vector<std::string> kernel_calls = {"GetCommandLineA", "GetModuleHandleA(null)"};
  EXPECT_EQ(fake::kernel.calls, kernel_calls);
  const platform::CWinApp* app = platform::AfxGetApp();
  ASSERT_NE(app, nullptr);
  EXPECT_EQ(app->m_pszAppName, nullptr);
  EXPECT_EQ(app->m_hInstance, fake::kernel.module_handle);
  EXPECT_EQ(app->m_lpCmdLine, fake::kernel.command_line.data());
  EXPECT_EQ(app->m_nCmdShow, 0);
}

// Console failures are never reported and never change what the run does.
TEST_F(RunTest, UnwritableStandardOutputChangesNothing) {
  ConsoleCapture console;
  std::cout.setstate(std::ios::badbit);
  EXPECT_EQ(RunMain(), 0);
  EXPECT_EQ(fake::OpSequence(), "OSCOSC");
  EXPECT_EQ(console.out.str(), "");

  fake::Reset();
  fake::FailCall(fake::Op::kOpen, 1);
  std::cout.setstate(std::ios::badbit);
  EXPECT_EQ(RunMain(), 1);
  EXPECT_EQ(fake::OpSequence(), "OSCO");
}

}  // namespace
