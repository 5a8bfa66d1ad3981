// Answers the modal boxes a UI thread shows, from a thread of its own, and remembers what they
// said: caption, text, whether they carry an icon, and whether the owner was always on top.
#pragma once

#include <windows.h>

#include <atomic>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace WexoTest {

struct SeenBox {
    std::string caption;
    std::string text;
    bool icon;
    bool ownerTopMost;
    // As the box holds them: what the user reads, whatever the system's code page.
    std::wstring wideCaption;
    std::wstring wideText;
};

class BoxAnswerer {
public:
    // Watches the top-level dialogs of `threadId` (of any thread of `processId` when given).
    explicit BoxAnswerer(DWORD threadId, DWORD processId = 0);
    ~BoxAnswerer();
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;

    // Answers for the next boxes, in order (IDOK, IDCANCEL); IDOK once they run out.
    void Answer(std::initializer_list<int> answers);
    std::vector<SeenBox> Seen() const;
    // Waits until `count` boxes have been answered; false after the timeout.
    bool WaitFor(std::size_t count, DWORD milliseconds = 10000) const;

    // A dialog that is not a message box (the file-open dialog) goes here; true when handled.
    std::function<bool(HWND dialog)> onOtherDialog;

private:
    void Watch();
    void Handle(HWND dialog);

    DWORD threadId_;
    DWORD processId_;
    mutable std::mutex mutex_;
    std::deque<int> answers_;
    std::vector<SeenBox> seen_;
    std::atomic<bool> stop_{false};
    std::thread watcher_;
};

// The text of a window, as WM_GETTEXT gives it.
std::string WindowText(HWND window);
std::wstring WideWindowText(HWND window);

}  // namespace WexoTest
