#include "console/console.h"

#include <gtest/gtest.h>

#include <ostream>
#include <streambuf>
#include <string>

namespace {

// Holds bytes in its own buffer until the stream is flushed, like a console
// stream does; `delivered` is what has reached the "descriptor".
class PendingBuf : public std::streambuf {
 public:
  PendingBuf() { setp(buffer_, buffer_ + sizeof buffer_); }
  std::string delivered;
  bool fail_sync = false;

 protected:
  int sync() override {
    if (fail_sync) return -1;
    delivered.append(pbase(), pptr());
    setp(buffer_, buffer_ + sizeof buffer_);
    return 0;
  }
  int_type overflow(int_type ch) override {
    if (sync() != 0) return traits_type::eof();
    if (!traits_type::eq_int_type(ch, traits_type::eof())) sputc(traits_type::to_char_type(ch));
    return traits_type::not_eof(ch);
  }

 private:
  char buffer_[256];
};

TEST(WriteLineTest, DeliversTextAndLineFeedBeforeReturning) {
  const std::string texts[] = {
      "",
      "Unable to open key: ",
      "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control",
      std::string("8-bit \xE9\xFF and a NUL \0 byte", 26),
      std::string(1000, 'x'),  // longer than the stream's buffer
  };
  for (std::size_t i = 0; i < std::size(texts); ++i) {
    PendingBuf buf;
    std::ostream stream(&buf);
    WriteLine(stream, texts[i]);
    EXPECT_EQ(buf.delivered, texts[i] + "\n") << "case " << i;
    EXPECT_TRUE(stream.good()) << "case " << i;
  }
}

TEST(WriteLineTest, ConsecutiveLinesKeepTheirOrder) {
  PendingBuf buf;
  std::ostream stream(&buf);
  WriteLine(stream, "first");
  WriteLine(stream, "");
  WriteLine(stream, "third");
  EXPECT_EQ(buf.delivered, "first\n\nthird\n");
}

TEST(WriteLineTest, FailedStreamStaysSilentAndDropsLaterLines) {
  PendingBuf buf;
  buf.fail_sync = true;
  std::ostream stream(&buf);
  WriteLine(stream, "lost");  // must neither throw nor report
  EXPECT_TRUE(stream.bad());
  buf.fail_sync = false;
  WriteLine(stream, "dropped");
  EXPECT_EQ(buf.delivered.find("dropped"), std::string::npos) << buf.delivered;
}

}  // namespace
