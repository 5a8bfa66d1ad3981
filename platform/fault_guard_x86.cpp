// The guard on 32-bit Windows, where handlers are not described by tables but chained on the stack: a
// registration record (next, handler) at the head of the thread's exception list (fs:[0]). The handler records
// the fault, lets RtlUnwind call the handlers of every frame above ours for unwinding (the loader's termination
// handlers among them) and take them off the list, then jumps back into WexoCallGuarded through the buffer of
// __builtin_setjmp, which restores the stack and frame pointers; every other register is reloaded there, since
// the compiler treats all of them as lost across __builtin_setjmp.
#include <windows.h>

#include "platform/fault_guard.h"

namespace {

struct GuardRecord {
    // The layout of EXCEPTION_REGISTRATION_RECORD, which the system walks; the rest is ours.
    GuardRecord* next;
    void* handler;
    Wexo::GuardedFault* fault;
    void* resume[5];
};

// The head of the thread's handler list: the first field of its information block, at fs:[0].
GuardRecord* ChainHead() {
    GuardRecord* head;
    __asm__ __volatile__("movl %%fs:0, %0" : "=r"(head));
    return head;
}

void SetChainHead(GuardRecord* head) { __asm__ __volatile__("movl %0, %%fs:0" : : "r"(head) : "memory"); }

EXCEPTION_DISPOSITION __cdecl GuardHandler(EXCEPTION_RECORD* record, void* frame, CONTEXT*, void*) {
    if ((record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) != 0) return ExceptionContinueSearch;
    auto* guard = static_cast<GuardRecord*>(frame);
    guard->fault->code = record->ExceptionCode;
    guard->fault->address = reinterpret_cast<std::uintptr_t>(record->ExceptionAddress);
    // Read back from memory after the unwind: RtlUnwind is not relied on to keep ebx, esi and edi.
    GuardRecord* volatile kept = guard;
    RtlUnwind(frame, nullptr, record, nullptr);
    __builtin_longjmp(kept->resume, 1);
}

}  // namespace

extern "C" int WexoCallGuarded(void (*body)(void*), void* context, Wexo::GuardedFault* fault) {
    GuardRecord guard{};
    guard.handler = reinterpret_cast<void*>(&GuardHandler);
    guard.fault = fault;
    if (__builtin_setjmp(guard.resume) == 0) {
        guard.next = ChainHead();
        SetChainHead(&guard);
        body(context);
        SetChainHead(guard.next);
        return 0;
    }
    // RtlUnwind has already made our record the head of the list; take it off too.
    SetChainHead(guard.next);
    return 1;
}
