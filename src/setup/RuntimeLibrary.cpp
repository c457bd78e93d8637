// Pieces of the C++ runtime library that setup.exe brings its own of, to
// stay small. Defined in an object of the program itself (not in a library,
// whose members the linker would not prefer), they keep the library's
// versions, and what those drag in, out of the link. The tests link the
// library's versions.
#include <cstdlib>
#include <exception>
#include <new>

#include "runtime/SysUtils.h"

// What std::terminate calls. The library's default prints the escaping
// exception's demangled type to stderr, which a GUI program has not, and
// brings the demangler (some 46 KB); the end is the same abort.
void __gnu_cxx::__verbose_terminate_handler() { std::abort(); }

// What the containers raise when asked for more than they can hold, or for
// an element they do not have. The library's versions raise its
// logic_error family, whose copy-on-write strings bring some 80 KB of string
// code that nothing else uses. These raise an Exception with the same
// message; the program treats any of them alike (a std::exception, a fatal
// error), and never shows the text.
namespace std {

void __throw_bad_alloc() { throw bad_alloc(); }

void __throw_bad_array_new_length() { throw bad_array_new_length(); }

void __throw_length_error(const char *message) { throw Exception(message); }

void __throw_logic_error(const char *message) { throw Exception(message); }

// The message is the format, unfilled: it is never shown.
void __throw_out_of_range_fmt(const char *format, ...) { throw Exception(format); }

}  // namespace std
