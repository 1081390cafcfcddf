#include "settings/memory_settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console_capture.h"
#include "fake_platform.h"

namespace {

using Bytes = std::vector<unsigned char>;

const char kControl[] = "SYSTEM\\CurrentControlSet\\Control";
const char kMemoryManagement[] =
    "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";

class MemorySettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { fake::Reset(); }
};

TEST_F(MemorySettingsTest, TableRowsDeriveTheirTexts) {
  ASSERT_EQ(std::size(MemorySettings), 2u);
  for (std::size_t i = 0; i < std::size(MemorySettings); ++i) {
    const RegistrySetting& row = MemorySettings[i];
    EXPECT_EQ(std::string(row.display_path), std::string("HKEY_LOCAL_MACHINE\\") + row.subkey)
        << "row " << i;
    EXPECT_EQ(std::string(row.write_failure),
              std::string("Unable to update value: ") + row.value_name)
        << "row " << i;
  }
}

TEST_F(MemorySettingsTest, WritesBothValuesAsDwordsInOrder) {
  ConsoleCapture console;
  EXPECT_TRUE(ApplyMemorySettings());
  EXPECT_EQ(console.out.str(), "");
  EXPECT_EQ(console.err.str(), "");

  const auto& calls = fake::registry.calls;
  ASSERT_EQ(fake::OpSequence(), "OSCOSC");
  struct Expected {
    const char* subkey;
    const char* value_name;
    Bytes data;
  } const rows[] = {
      {kControl, "RegistrySizeLimit", {0xFF, 0xFF, 0xFF, 0xFF}},
      {kMemoryManagement, "PagedPoolSize", {0x00, 0x00, 0x00, 0x00}},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const fake::RegistryCall& open = calls[3 * i];
    const fake::RegistryCall& set = calls[3 * i + 1];
    const fake::RegistryCall& close = calls[3 * i + 2];
    EXPECT_EQ(open.key, platform::kLocalMachine) << "row " << i;
    EXPECT_EQ(open.name, rows[i].subkey) << "row " << i;
    EXPECT_EQ(open.options_or_reserved, 0u) << "row " << i;
    EXPECT_EQ(open.access, 0x00020006u) << "row " << i << ": KEY_WRITE and nothing more";
    EXPECT_EQ(set.name, rows[i].value_name) << "row " << i;
    EXPECT_EQ(set.options_or_reserved, 0u) << "row " << i;
    EXPECT_EQ(set.type, 4u) << "row " << i << ": REG_DWORD";
    EXPECT_EQ(set.size, 4u) << "row " << i;
    EXPECT_EQ(set.data, rows[i].data) << "row " << i;
    EXPECT_EQ(close.key, set.key) << "row " << i;
  }
  EXPECT_NE(calls[1].key, calls[4].key);
  EXPECT_TRUE(fake::registry.open_keys.empty());
  EXPECT_TRUE(fake::registry.errors.empty()) << fake::registry.errors.front();
}

// Each failure point: what is printed, which calls were made, the result, and
// that every key opened was closed exactly once (the double reports a second
// close, or a set or close on a key that is not open, as an error).
TEST_F(MemorySettingsTest, StopsAtTheFirstFailure) {
  struct Case {
    fake::Op op;
    int nth;
    const char* out;
    const char* ops;
    bool result;
  } const cases[] = {
      {fake::Op::kOpen, 0,
       "Unable to open key: \nHKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\n", "O",
       false},
      {fake::Op::kSet, 0, "Unable to update value: RegistrySizeLimit\n", "OSC", false},
      {fake::Op::kClose, 0, "", "OSC", false},
      {fake::Op::kOpen, 1,
       "Unable to open key: \nHKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session "
       "Manager\\Memory Management\n",
       "OSCO", false},
      {fake::Op::kSet, 1, "Unable to update value: PagedPoolSize\n", "OSCOSC", false},
      {fake::Op::kClose, 1, "", "OSCOSC", true},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    fake::Reset();
    fake::FailCall(c.op, c.nth);
    ConsoleCapture console;
    EXPECT_EQ(ApplyMemorySettings(), c.result) << "case " << i;
    EXPECT_EQ(console.out.str(), c.out) << "case " << i;
    EXPECT_EQ(console.err.str(), "") << "case " << i;
    EXPECT_EQ(fake::OpSequence(), c.ops) << "case " << i;
    EXPECT_TRUE(fake::registry.open_keys.empty()) << "case " << i << ": a key was left open";
    for (const std::string& error : fake::registry.errors)
      ADD_FAILURE() << "case " << i << ": " << error;
  }
}

}  // namespace
