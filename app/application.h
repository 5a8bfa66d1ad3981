// The application: start-up services, the cursor table, the title, the one main window and the
// message loop. An exception that escapes a message or the start-up is shown, never lost.
#pragma once

#include <windows.h>

#include <memory>

#include "core/text.h"
#include "core/run_services.h"
#include "platform/window_services.h"
#include "ui/cursor_table.h"
#include "ui/main.h"

namespace Wexo {

class Application {
public:
    Application(HINSTANCE instance, RunServices& runServices, WindowServices& services)
        : instance_(instance), runServices_(runServices), services_(services) {}
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // OLE for the servers that use COM while they register, and the code page's lead bytes.
    void Initialize();
    void CreateForm(const WideCommandLine& commandLine, const Text& homePage);
    // Shows the main window and dispatches messages until it is closed.
    void Run();
    void ShowException(const char* message);

    Ui::CursorTable Cursors;
    Text Title;

private:
    HINSTANCE instance_;
    RunServices& runServices_;
    WindowServices& services_;
    LeadBytes leadBytes_;
    bool oleInitialized_ = false;
    std::unique_ptr<Ui::TMainForm> mainForm_;
};

}  // namespace Wexo
