#include "console/console.h"

#include <ostream>

void WriteLine(std::ostream& stream, std::string_view text) {
  stream << text << '\n';
  stream.flush();
}
