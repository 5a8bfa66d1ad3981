// A fault raised inside a server (an access violation, an illegal instruction, a stack overflow...) that the
// program caught instead of dying with it. It travels as an exception, as any exception in a run does, and is
// shown by the handler around the window message.
#pragma once

#include <cstdint>
#include <exception>

#include "core/text.h"

namespace Wexo {

struct ServerFault {
    std::uint32_t code = 0;     // the structured exception code, 0xC0000005 for an access violation
    std::uint64_t address = 0;  // where it was raised
    Text module;                // the module holding that address; empty when none does any more
};

// One Japanese sentence naming the code, the address and the module (the handler appends ".").
Text FaultMessage(const ServerFault& fault);

class ServerFaultError : public std::exception {
public:
    explicit ServerFaultError(const ServerFault& fault) : fault_(fault), message_(FaultMessage(fault)) {}
    const char* what() const noexcept override { return message_.c_str(); }
    const ServerFault& Fault() const { return fault_; }

private:
    ServerFault fault_;
    Text message_;
};

}  // namespace Wexo
