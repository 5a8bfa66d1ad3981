// Cursors by number, as the application registers them; controls refer to a cursor by number.
#pragma once

#include <windows.h>

#include <map>

namespace Wexo::Ui {

class CursorTable {
public:
    void Set(int number, HCURSOR cursor) { cursors_[number] = cursor; }
    // Null when the number was never set: the control then keeps its class cursor.
    HCURSOR Get(int number) const {
        auto found = cursors_.find(number);
        return found == cursors_.end() ? nullptr : found->second;
    }

private:
    std::map<int, HCURSOR> cursors_;  // shared resource cursors, never destroyed
};

// The hand shown over the window's clickable items.
inline constexpr int kHandCursor = 1;

}  // namespace Wexo::Ui
