// Calls into a server behind a structured exception guard, so that a faulting server (an access violation, an
// illegal instruction, a stack overflow) ends the call instead of the program.
//
// The guard is a frame-based handler on the frame that calls in, as __try/__except would place it: the server's
// own handlers, and the loader's, see the exception first, and only what nobody below handled reaches us. The
// frames in between are then unwound properly (RtlUnwindEx, RtlUnwind), so the loader's termination handlers run
// and release the loader lock when the fault came from DllMain. The guard sits directly around the call into the
// server, deep inside the window message: the exception never has to cross the kernel callback that a window
// procedure runs in on 64-bit Windows, where it would otherwise be lost or end the process.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "core/server_fault.h"

namespace Wexo {

struct GuardedFault {
    std::uint32_t code = 0;
    std::uintptr_t address = 0;
};

// True when `body` returned; false, with `fault` filled in, when a structured exception left it. `body` must not
// throw.
bool CallGuarded(void (*body)(void*), void* context, GuardedFault& fault) noexcept;

template <typename Body>
bool RunGuarded(Body& body, GuardedFault& fault) noexcept {
    return CallGuarded([](void* context) { (*static_cast<Body*>(context))(); }, &body, fault);
}

// The fault as the user is told of it, with the path of the module that holds its address.
ServerFault DescribeFault(const GuardedFault& fault);

// Notes the first hardware fault raised on this thread inside a module that was not loaded when the watch began,
// or inside `module`. The loader catches faults in DllMain itself and only reports a failed load (or nothing, on
// release); the watch lets the program still say what happened. It only observes: every exception goes on to the
// handlers it would have reached anyway.
class FaultWatch {
public:
    explicit FaultWatch(HMODULE module = nullptr);
    ~FaultWatch();
    FaultWatch(const FaultWatch&) = delete;
    FaultWatch& operator=(const FaultWatch&) = delete;

    bool Seen() const { return seen_; }
    ServerFault Fault() const;

private:
    static LONG CALLBACK Observe(EXCEPTION_POINTERS* pointers);
    bool Counts(HMODULE faulting) const;

    // Windows gives a vectored handler no context of its own; one watch runs at a time.
    static FaultWatch* current_;

    HMODULE module_;
    DWORD thread_;
    std::vector<HMODULE> before_;  // sorted
    void* handler_ = nullptr;
    // Filled in by the handler, which may run with the loader lock held and little stack left: no allocation.
    bool seen_ = false;
    GuardedFault fault_;
    wchar_t modulePath_[MAX_PATH] = {};
};

}  // namespace Wexo
