// Calls that only newer Windows versions have, looked up in user32 at run time so that the programs still start
// on Windows 7. Null where the system lacks the call.
#pragma once

#include <windows.h>

namespace Wexo {

template <typename Function>
Function NewerUser32Call(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 == nullptr ? nullptr
                             : reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

}  // namespace Wexo
