#include "platform/fault_guard.h"

#include <psapi.h>

#include <algorithm>

// Implemented per processor (fault_guard_x64.S, fault_guard_x86.cpp): 0 when body returned, else 1 with the
// fault filled in.
extern "C" int WexoCallGuarded(void (*body)(void*), void* context, Wexo::GuardedFault* fault);

namespace Wexo {

namespace {

// A stack overflow is raised while this much stack is still free: enough for the system's dispatcher and the
// vectored handlers that run before ours (the threads library installs one), which would otherwise overflow again
// and take the process with them.
constexpr ULONG kStackGuarantee = 64 * 1024;

// After a stack overflow the guard page is used up and the guaranteed room is plain committed memory; without a new
// guard the next overflow would end the process without any exception. The guard goes back just above the
// guaranteed room, as the C runtime's _resetstkoflw puts it.
void RestoreStackGuard() {
    MEMORY_BASIC_INFORMATION here;
    if (VirtualQuery(&here, &here, sizeof(here)) == 0) return;
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    auto* cursor = static_cast<char*>(here.AllocationBase);
    auto* const current = reinterpret_cast<char*>(&here);
    MEMORY_BASIC_INFORMATION region;
    while (cursor < current && VirtualQuery(cursor, &region, sizeof(region)) != 0) {
        if (region.State == MEM_COMMIT && (region.Protect & PAGE_NOACCESS) == 0) {
            if ((region.Protect & PAGE_GUARD) != 0) return;
            char* guard = cursor + kStackGuarantee;
            // Never the page this function runs on, nor one above it.
            if (guard + 2 * system.dwPageSize >= current) return;
            DWORD old = 0;
            VirtualProtect(guard, system.dwPageSize, PAGE_READWRITE | PAGE_GUARD, &old);
            return;
        }
        cursor = static_cast<char*>(region.BaseAddress) + region.RegionSize;
    }
}

// Structured exception codes raised by the processor, as opposed to software exceptions a server throws and
// catches within itself (C++ exceptions, RPC, debug output).
bool IsHardwareFault(DWORD code) {
    switch (code) {
        case EXCEPTION_ACCESS_VIOLATION:
        case EXCEPTION_ILLEGAL_INSTRUCTION:
        case EXCEPTION_PRIV_INSTRUCTION:
        case EXCEPTION_INT_DIVIDE_BY_ZERO:
        case EXCEPTION_INT_OVERFLOW:
        case EXCEPTION_FLT_DIVIDE_BY_ZERO:
        case EXCEPTION_STACK_OVERFLOW:
        case EXCEPTION_IN_PAGE_ERROR:
        case EXCEPTION_DATATYPE_MISALIGNMENT:
        case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
        case EXCEPTION_BREAKPOINT:
            return true;
    }
    return false;
}

HMODULE ModuleAt(std::uintptr_t address) {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(address), &module);
    return module;
}

// For the message only: characters the code page lacks show as '?', never as a look-alike.
Text DisplayText(const wchar_t* text) {
    if (text[0] == L'\0') return {};
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return {};
    Text bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, -1, bytes.data(), size, nullptr, nullptr);
    bytes.resize(static_cast<std::size_t>(size - 1));
    return bytes;
}

}  // namespace

#if defined(__x86_64__)
// The filter of the guard's scope entry, called by __C_specific_handler while the exception is dispatched. The
// guard keeps the fault record's address in its frame, just above the callee's home area.
extern "C" LONG WexoGuardFilter(EXCEPTION_POINTERS* pointers, void* establisherFrame) {
    auto* fault = *reinterpret_cast<GuardedFault**>(static_cast<char*>(establisherFrame) + 32);
    fault->code = pointers->ExceptionRecord->ExceptionCode;
    fault->address = reinterpret_cast<std::uintptr_t>(pointers->ExceptionRecord->ExceptionAddress);
    return EXCEPTION_EXECUTE_HANDLER;
}
#endif

bool CallGuarded(void (*body)(void*), void* context, GuardedFault& fault) noexcept {
    fault = {};
    ULONG guarantee = kStackGuarantee;
    SetThreadStackGuarantee(&guarantee);
    if (WexoCallGuarded(body, context, &fault) == 0) return true;
    if (fault.code == EXCEPTION_STACK_OVERFLOW) RestoreStackGuard();
    return false;
}

ServerFault DescribeFault(const GuardedFault& fault) {
    ServerFault described{fault.code, fault.address, {}};
    if (HMODULE module = ModuleAt(fault.address)) {
        wchar_t path[MAX_PATH] = {};
        if (GetModuleFileNameW(module, path, MAX_PATH) != 0) described.module = DisplayText(path);
    }
    return described;
}

FaultWatch* FaultWatch::current_ = nullptr;

FaultWatch::FaultWatch(HMODULE module) : module_(module), thread_(GetCurrentThreadId()) {
    HANDLE process = GetCurrentProcess();
    DWORD needed = 0;
    EnumProcessModules(process, nullptr, 0, &needed);
    // Room for a few modules more, loaded by another thread in between.
    before_.resize(needed / sizeof(HMODULE) + 16);
    if (EnumProcessModules(process, before_.data(), static_cast<DWORD>(before_.size() * sizeof(HMODULE)), &needed)) {
        before_.resize(std::min<std::size_t>(before_.size(), needed / sizeof(HMODULE)));
    } else {
        before_.clear();
    }
    std::sort(before_.begin(), before_.end());
    current_ = this;
    handler_ = AddVectoredExceptionHandler(1, &FaultWatch::Observe);
}

FaultWatch::~FaultWatch() {
    if (handler_ != nullptr) RemoveVectoredExceptionHandler(handler_);
    current_ = nullptr;
}

ServerFault FaultWatch::Fault() const { return {fault_.code, fault_.address, DisplayText(modulePath_)}; }

bool FaultWatch::Counts(HMODULE faulting) const {
    if (faulting == nullptr) return false;
    if (faulting == module_) return true;
    return !std::binary_search(before_.begin(), before_.end(), faulting);
}

LONG CALLBACK FaultWatch::Observe(EXCEPTION_POINTERS* pointers) {
    FaultWatch* watch = current_;
    const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
    if (watch == nullptr || watch->seen_ || GetCurrentThreadId() != watch->thread_) return EXCEPTION_CONTINUE_SEARCH;
    if (!IsHardwareFault(record.ExceptionCode)) return EXCEPTION_CONTINUE_SEARCH;
    const auto address = reinterpret_cast<std::uintptr_t>(record.ExceptionAddress);
    // With the stack used up there is no room to look further; a stack overflow in DllMain is counted as such.
    const bool stackOverflow = record.ExceptionCode == EXCEPTION_STACK_OVERFLOW;
    HMODULE faulting = stackOverflow ? nullptr : ModuleAt(address);
    if (!stackOverflow && !watch->Counts(faulting)) return EXCEPTION_CONTINUE_SEARCH;
    watch->fault_ = {record.ExceptionCode, address};
    if (faulting != nullptr) GetModuleFileNameW(faulting, watch->modulePath_, MAX_PATH);
    watch->seen_ = true;
    return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace Wexo
