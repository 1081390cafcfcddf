// Linked into the static MinGW-w64 exe only.
//
// The tool lets no exception escape, so std::terminate is never reached. This
// stands in for libstdc++'s verbose terminate handler, which would otherwise
// bring its C++ name demangler (about 46 KB) into every static build, and
// ends the process as that handler does after its message: std::abort.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
