// The window under whatever ANSI code page the system has (the suite runs under 932 and under 1252): the program's
// own texts read back as the same UTF-16 text, and paths as the names the user gave them.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "platform/screen_text.h"
#include "platform/system_path.h"
#include "tests/support/sjis.h"
#include "tests/windows/support/box_answerer.h"
#include "tests/windows/support/test_env.h"
#include "tests/windows/support/window_driver.h"

namespace {

using namespace Wexo::Form;
using Wexo::FromAnsi;
using Wexo::FromOwnText;
using WexoTest::WideWindowText;
namespace Sjis = WexoTest::Sjis;

// The hint the window gives `control`, as the tooltip holds it.
std::wstring HintOf(HWND owner, HWND control) {
    for (HWND tooltip = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr); tooltip != nullptr;
         tooltip = FindWindowExW(nullptr, tooltip, TOOLTIPS_CLASSW, nullptr)) {
        wchar_t text[1024] = {};
        TOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.hwnd = owner;
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        tool.lpszText = text;
        SendMessageW(tooltip, TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&tool));
        if (text[0] != L'\0') return text;
    }
    return L"<no hint>";
}

class CodePageTest : public ::testing::Test {
protected:
    CodePageTest() : answerer(GetCurrentThreadId()), window(services) {
        CreateDirectoryA(system.c_str(), nullptr);
        services.systemFolder = system;
    }

    WexoTest::TempFolder folder;
    const std::string system = folder.File("system");
    WexoTest::TestServices services;
    WexoTest::BoxAnswerer answerer;
    WexoTest::WindowDriver window;
};

TEST_F(CodePageTest, OwnTextsReadBackAsTheSameText) {
    window.Create();
    EXPECT_EQ(WideWindowText(window.Handle()), FromOwnText(kCaption));
    for (const auto& row : kComponents<Wexo::Ui::TMainForm>) {
        SCOPED_TRACE(row.id);
        const auto* label = std::get_if<Label>(&row.kind);
        if (label != nullptr && row.id != TargetName && row.id != SystemFolder) {
            EXPECT_EQ(WideWindowText(window.Item(row.id)), FromOwnText(label->text));
        } else if (const auto* button = std::get_if<Button>(&row.kind)) {
            EXPECT_EQ(WideWindowText(window.Item(row.id)), FromOwnText(button->text));
        } else if (const auto* mode = std::get_if<RadioButton>(&row.kind)) {
            EXPECT_EQ(WideWindowText(window.Item(row.id)), FromOwnText(mode->text));
        } else if (const auto* group = std::get_if<RadioGroup>(&row.kind)) {
            std::wstring items;
            for (int i = 0; window.GroupItem(row.id, i) != nullptr; ++i) {
                items += (i > 0 ? L"\n" : L"") + WideWindowText(window.GroupItem(row.id, i));
            }
            EXPECT_EQ(items, FromOwnText(group->items));
        }
    }
    EXPECT_EQ(WideWindowText(window.Item(TargetName)), FromOwnText(Sjis::kDropPrompt) + FromOwnText(Sjis::kFullStop));
    EXPECT_EQ(WideWindowText(window.Item(SystemFolder)), FromAnsi(system));

    window.Drop(std::vector<std::string>{folder.File("readme.txt")});
    ASSERT_EQ(answerer.Seen().size(), 1u);
    EXPECT_EQ(answerer.Seen()[0].wideText, FromOwnText(Sjis::kNotAServer));
}

TEST_F(CodePageTest, PathsReadBackAsTheirNamesInTheMessagesToo) {
    // A name the system's code page spells, outside ASCII.
    const std::wstring name = GetACP() == 932 ? L"\u8868\u30BD.dll" : L"caf\u00E9.dll";
    const std::wstring target = FromAnsi(folder.Path()) + L"\\" + name;
    const std::wstring copy = FromAnsi(system) + L"\\" + name;
    WexoTest::CopyFileOrFailW(WexoTest::FixturePath("server_ok.dll"), target);
    WexoTest::CopyFileOrFailW(WexoTest::FixturePath("server_ok.dll"), copy);

    window.Create();
    window.Drop(std::vector<std::wstring>{target});
    EXPECT_EQ(WideWindowText(window.Item(TargetName)), name);
    EXPECT_EQ(HintOf(window.Handle(), window.Item(TargetName)), target);

    // The copy question: a path in the ANSI code page, then the question in Shift_JIS.
    answerer.Answer({IDCANCEL});
    window.Click(window.GroupItem(RegistGroup, 1));
    window.Click(window.Item(ExecButton));
    ASSERT_EQ(answerer.Seen().size(), 1u);
    EXPECT_EQ(answerer.Seen()[0].wideText, copy + FromOwnText(Sjis::kAskCopy));
    EXPECT_EQ(answerer.Seen()[0].wideCaption, L"Wexo");
}

}  // namespace
