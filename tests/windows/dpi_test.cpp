// The real program under other DPI settings (LogPixels, which Wine reads when a program starts): the form grows
// with the DPI, no text is cut off and no component runs into another unless the form lays them so.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/screen_text.h"
#include "resources/main_form.h"
#include "tests/windows/support/box_answerer.h"
#include "tests/windows/support/program.h"
#include "tests/windows/support/test_env.h"
#include "ui/main.h"

namespace {

using namespace Wexo::Form;

// The DPI the system reports to the programs started while it lives.
class LogPixels {
public:
    explicit LogPixels(DWORD dpi) {
        RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                        &key_, nullptr);
        DWORD size = sizeof(previous_);
        had_ = RegQueryValueExW(key_, L"LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&previous_), &size) ==
               ERROR_SUCCESS;
        Set(dpi);
    }
    ~LogPixels() {
        if (had_) {
            Set(previous_);
        } else {
            RegDeleteValueW(key_, L"LogPixels");
        }
        RegCloseKey(key_);
    }
    LogPixels(const LogPixels&) = delete;
    LogPixels& operator=(const LogPixels&) = delete;

private:
    void Set(DWORD dpi) {
        RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof(dpi));
    }

    HKEY key_ = nullptr;
    DWORD previous_ = 96;
    bool had_ = false;
};

int Scaled(int value, unsigned dpi) { return MulDiv(value, static_cast<int>(dpi), 96); }

RECT DesignBounds(Id id, unsigned dpi) {
    const Bounds& b = kComponents<Wexo::Ui::TMainForm>[id].bounds;
    const int left = Scaled(b.left, dpi);
    const int top = Scaled(b.top, dpi);
    return {left, top, left + Scaled(b.width, dpi), top + Scaled(b.height, dpi)};
}

RECT ClientBounds(HWND window, HWND parent) {
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool Overlap(const RECT& a, const RECT& b) {
    RECT both;
    return IntersectRect(&both, &a, &b) != 0;
}

// The size of `text` in the form's font at `dpi`, as this process draws it: as high as the font's characters,
// without the leading for accents above them.
SIZE Extent(const std::wstring& text, unsigned dpi, bool italic) {
    HFONT font = CreateFontW(Scaled(kFontHeight, dpi), 0, 0, 0, FW_NORMAL, italic, FALSE, FALSE, SHIFTJIS_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                             Wexo::FromOwnText(kFontFace).c_str());
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    size.cy -= metrics.tmInternalLeading;
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    return size;
}

// A radio button's text starts after its check mark.
void ExpectRadioTextFits(HWND button, unsigned dpi) {
    RECT rect;
    GetClientRect(button, &rect);
    const SIZE text = Extent(WexoTest::WideWindowText(button), dpi, false);
    EXPECT_LE(text.cx + Scaled(16, dpi), rect.right) << "radio button text cut off";
    EXPECT_LE(text.cy, rect.bottom) << "radio button text cut off";
}

TEST(Dpi, TheFormGrowsWithTheDpiAndKeepsItsTextsWholeAndApart) {
    WexoTest::TempFolder folder;
    for (const unsigned dpi : {96u, 144u, 192u}) {
        SCOPED_TRACE("dpi " + std::to_string(dpi));
        LogPixels setting(dpi);
        WexoTest::Program program("", folder.Path());
        ASSERT_TRUE(program.Started());
        HWND window = program.Window();
        ASSERT_NE(window, nullptr);

        RECT client;
        GetClientRect(window, &client);
        EXPECT_NEAR(client.right, Scaled(kWindow.width, dpi), 1);
        EXPECT_NEAR(client.bottom, Scaled(kWindow.height, dpi), 1);

        std::vector<RECT> placed(kComponentCount);
        for (int i = 0; i < OpenDialog; ++i) {
            const Id id = static_cast<Id>(i);
            SCOPED_TRACE("component " + std::to_string(i));
            HWND control = GetDlgItem(window, ControlId(id));
            ASSERT_NE(control, nullptr);
            placed[id] = ClientBounds(control, window);
            EXPECT_LE(placed[id].right, client.right) << "outside the window";
            EXPECT_LE(placed[id].bottom, client.bottom) << "outside the window";
            const auto& kind = kComponents<Wexo::Ui::TMainForm>[id].kind;
            if (const auto* label = std::get_if<Label>(&kind)) {
                const SIZE text = Extent(WexoTest::WideWindowText(control), dpi, (label->font & kItalic) != 0);
                EXPECT_GE(placed[id].right - placed[id].left, text.cx) << "label text cut off";
                EXPECT_GE(placed[id].bottom - placed[id].top, text.cy) << "label text cut off";
            } else if (std::holds_alternative<Button>(kind)) {
                const SIZE text = Extent(WexoTest::WideWindowText(control), dpi, false);
                EXPECT_LE(text.cx + Scaled(8, dpi), placed[id].right - placed[id].left) << "button text cut off";
            } else if (std::holds_alternative<RadioButton>(kind)) {
                ExpectRadioTextFits(control, dpi);
            } else if (std::holds_alternative<RadioGroup>(kind)) {
                RECT inside;
                GetClientRect(control, &inside);
                std::vector<RECT> items;
                for (HWND item = GetDlgItem(control, 1); item != nullptr;
                     item = GetDlgItem(control, 1 + static_cast<int>(items.size()))) {
                    ExpectRadioTextFits(item, dpi);
                    const RECT at = ClientBounds(item, control);
                    EXPECT_LE(at.right, inside.right) << "item outside its group";
                    EXPECT_LE(at.bottom, inside.bottom) << "item outside its group";
                    for (const RECT& other : items) EXPECT_FALSE(Overlap(at, other)) << "items overlap";
                    items.push_back(at);
                }
                EXPECT_EQ(items.size(), std::get<RadioGroup>(kind).itemIndex == 0 ? 2u : 3u);
            }
        }
        // Only where the form itself lays components over each other (the mode buttons over their groups). Two
        // labels the form sets row on row (the notice over "to Lirrowan") may share the one pixel by which the
        // font's rounded line outgrows the row.
        for (int a = 0; a < OpenDialog; ++a) {
            for (int b = a + 1; b < OpenDialog; ++b) {
                const RECT designA = DesignBounds(static_cast<Id>(a), dpi);
                const RECT designB = DesignBounds(static_cast<Id>(b), dpi);
                if (Overlap(designA, designB)) continue;
                RECT shared{};
                IntersectRect(&shared, &placed[a], &placed[b]);
                const bool rowOnRow = designA.bottom == designB.top || designB.bottom == designA.top;
                const bool labels = std::holds_alternative<Label>(kComponents<Wexo::Ui::TMainForm>[a].kind) &&
                                    std::holds_alternative<Label>(kComponents<Wexo::Ui::TMainForm>[b].kind);
                const int allowed = rowOnRow && labels ? 1 : 0;
                EXPECT_LE(shared.bottom - shared.top, allowed) << "components " << a << " and " << b << " overlap";
            }
        }
        PostMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(program.ExitCode(), 0u);
    }
}

}  // namespace
