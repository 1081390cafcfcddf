#pragma once

#include <iosfwd>
#include <string_view>

// Writes `text` byte for byte, then a line feed, then flushes `stream`.
// Failures are left in the stream's state and never reported.
void WriteLine(std::ostream& stream, std::string_view text);
