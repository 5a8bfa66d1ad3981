// The program entry: start-up in the order the window relies on, then the message loop.
#include <windows.h>

#include <exception>

#include "app/application.h"
#include "platform/win32_run_services.h"
#include "platform/win32_window_services.h"

#ifndef WEXO_HOMEPAGE
#define WEXO_HOMEPAGE ""
#endif

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    Wexo::Win32RunServices runServices;
    Wexo::Win32WindowServices services;
    Wexo::Application application(instance, runServices, services);
    try {
        application.Initialize();
        // The cursor and the title must be in place before the window is created: its
        // construction may already show messages, and its creation event hands out the cursor.
        application.Cursors.Set(Wexo::Ui::kHandCursor, static_cast<HCURSOR>(services.LoadCursorA(instance, "HAND")));
        application.Title = "WEXO2 - Taskerand 2";
        application.CreateForm(Wexo::WideCommandLine(GetCommandLineW()), WEXO_HOMEPAGE);
        application.Run();
    } catch (const std::exception& error) {
        application.ShowException(error.what());
    }
    return 0;
}
