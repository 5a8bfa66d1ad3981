#include "app/application.h"

#include <commctrl.h>
#include <ole2.h>

#include <exception>

#include "ui/boxes.h"

namespace Wexo {

Application::~Application() {
    mainForm_.reset();
    if (oleInitialized_) OleUninitialize();
}

void Application::Initialize() {
    // Many controls create COM objects inside DllRegisterServer (component categories, for
    // one); they fail unless the calling thread has the COM library, as the system's own
    // registration tool provides.
    oleInitialized_ = SUCCEEDED(OleInitialize(nullptr));
    // The tooltip is the one common control the window uses.
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    if (!services_.GetCPInfo(services_.GetACP(), leadBytes_)) leadBytes_ = LeadBytes();
}

void Application::CreateForm(const WideCommandLine& commandLine, const Text& homePage) {
    Ui::FormEnvironment environment{instance_, runServices_, services_, leadBytes_, Cursors,
                                    Title,     commandLine,  homePage,  true};
    mainForm_ = std::make_unique<Ui::TMainForm>(environment);
    // The window exists from here on; an exception in its creation event is shown and the
    // program goes on with it.
    try {
        mainForm_->FormCreate();
    } catch (const std::exception& error) {
        ShowException(error.what());
    }
}

void Application::Run() {
    if (!mainForm_) return;
    ShowWindow(mainForm_->Handle(), SW_SHOWNORMAL);
    UpdateWindow(mainForm_->Handle());
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        try {
            if (mainForm_->PreTranslateMessage(message)) continue;
        } catch (const std::exception& error) {
            ShowException(error.what());
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Application::ShowException(const char* message) {
    if (mainForm_) {
        mainForm_->ShowException(message);
    } else {
        Ui::ShowStop(nullptr, Text(message) + ".", Title);
    }
}

}  // namespace Wexo
