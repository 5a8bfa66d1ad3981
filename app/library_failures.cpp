// How the standard library reports a failed precondition (a position past the end, a length
// beyond the maximum, no memory) in this program. The library's own versions build
// std::out_of_range and its kin, whose message strings bring a second, reference-counted string
// implementation and the rest of the exception family: about a quarter of the program. These
// throw small exceptions with fixed texts instead, still caught and shown like any other; memory
// failures keep the library's own types. All of the library's set is defined here, so that its
// version is never linked in beside these.
#include <bits/functexcept.h>

#include <exception>
#include <new>
#include <typeinfo>

namespace {

class LibraryFailure final : public std::exception {
public:
    explicit LibraryFailure(const char* text) noexcept : text_(text) {}
    const char* what() const noexcept override { return text_; }

private:
    const char* text_;
};

}  // namespace

namespace std {

void __throw_bad_exception() { throw bad_exception(); }
void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_bad_cast() { throw bad_cast(); }
void __throw_bad_typeid() { throw bad_typeid(); }

void __throw_logic_error(const char*) { throw LibraryFailure("Logic error"); }
void __throw_domain_error(const char*) { throw LibraryFailure("Domain error"); }
void __throw_invalid_argument(const char*) { throw LibraryFailure("Invalid argument"); }
void __throw_length_error(const char*) { throw LibraryFailure("Length error"); }
void __throw_out_of_range(const char*) { throw LibraryFailure("Out of range"); }
void __throw_out_of_range_fmt(const char*, ...) { throw LibraryFailure("Out of range"); }
void __throw_runtime_error(const char*) { throw LibraryFailure("Runtime error"); }
void __throw_range_error(const char*) { throw LibraryFailure("Range error"); }
void __throw_overflow_error(const char*) { throw LibraryFailure("Overflow error"); }
void __throw_underflow_error(const char*) { throw LibraryFailure("Underflow error"); }

}  // namespace std
