// What an exception that escapes everything ends in. The library's default handler writes the
// exception's demangled type to stderr before it aborts; a window program has no stderr, and the
// demangler and the formatted output it brings weigh a third of the program. So: abort at once.
#include <cstdlib>

namespace __gnu_cxx {

[[noreturn]] void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
