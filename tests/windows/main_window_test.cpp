// The real main window, created in this thread and driven by real messages; its boxes are
// answered by a watcher thread.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/support/sjis.h"
#include "tests/windows/support/box_answerer.h"
#include "tests/windows/support/test_env.h"
#include "tests/windows/support/window_driver.h"

namespace {

using namespace Wexo::Form;
using WexoTest::FixturePath;
using WexoTest::SeenBox;
namespace Sjis = WexoTest::Sjis;

constexpr COLORREF kLime = RGB(0, 255, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kOlive = RGB(128, 128, 0);
const std::string kStartPrompt = std::string(Sjis::kDropPrompt) + Sjis::kFullStop;
const std::string kTitle = WexoTest::WindowDriver::kTitle;
const std::string kUnusableName =
    "このファイル名はこのシステムでは使えません。\n"
    "使えない文字を含んでいます。ファイル名を変更してから、もう一度指定してください。";
const std::string kPathTooLong =
    "パスが長すぎます (259 バイトまで)。\nファイルを短いパスのフォルダーに移してから、もう一度指定してください。";

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() : answerer(GetCurrentThreadId()), window(services) {
        CreateDirectoryA(system.c_str(), nullptr);
        services.systemFolder = system;
    }

    // A test server as a file of this test's own.
    std::string Server(const char* fixture, const std::string& name = "Foo.dll") {
        const std::string path = folder.File(name);
        WexoTest::CopyFileOrFail(FixturePath(fixture), path);
        return path;
    }

    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const SeenBox& box : answerer.Seen()) texts.push_back(box.text);
        return texts;
    }

    WexoTest::TempFolder folder;
    const std::string system = folder.File("system");
    WexoTest::TestServices services;
    WexoTest::BoxAnswerer answerer;
    WexoTest::WindowDriver window;
};

TEST_F(MainWindowTest, OpensReadyToRegisterWithNothingChosen) {
    window.Create();
    EXPECT_EQ(WexoTest::WindowText(window.Handle()), "WEXO2 [ja] v1.0");
    RECT client;
    GetClientRect(window.Handle(), &client);
    EXPECT_EQ(client.right, 324);
    EXPECT_EQ(client.bottom, 167);
    const LONG style = GetWindowLongA(window.Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);

    EXPECT_EQ(window.Text(TargetName), kStartPrompt);
    EXPECT_EQ(window.Text(SystemFolder), system);
    EXPECT_EQ(window.Text(ExecButton), "\x8a\x4a\x8e\x6e");  // 開始
    EXPECT_FALSE(window.Enabled(ExecButton));
    EXPECT_TRUE(window.Checked(window.Item(RegistSide)));
    EXPECT_FALSE(window.Checked(window.Item(UnregistSide)));
    EXPECT_EQ(window.CheckedItem(RegistGroup), -1);
    EXPECT_EQ(window.CheckedItem(UnregistGroup), 0);
    EXPECT_FALSE(window.Enabled(UnregistGroup));
    EXPECT_FALSE(IsWindowEnabled(window.GroupItem(UnregistGroup, 1)));
    EXPECT_TRUE(IsWindowEnabled(window.GroupItem(RegistGroup, 2)));
    EXPECT_TRUE(window.TopMost());
    EXPECT_TRUE(answerer.Seen().empty());
    EXPECT_EQ(window.Hint(), "");
}

TEST_F(MainWindowTest, ClickableItemsShowTheHandAndTheWindowCarriesTheIcon) {
    window.Create();
    HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), "HAND");
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(hand, &info));
    EXPECT_EQ(info.xHotspot, 0u);
    EXPECT_EQ(info.yHotspot, 0u);
    BITMAP mask{};
    GetObjectA(info.hbmMask, sizeof(mask), &mask);
    EXPECT_EQ(mask.bmWidth, 32);
    DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);

    for (Id id : {TargetLabel, BrowsLabel, LirroLabel, Help, TargetName, Copyright}) {
        SetCursor(nullptr);
        SendMessageA(window.Item(id), WM_SETCURSOR, reinterpret_cast<WPARAM>(window.Item(id)),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        const bool clickable = id != TargetName && id != Copyright;
        EXPECT_EQ(GetCursor() == hand, clickable) << id;
    }
    EXPECT_NE(GetClassLongPtrA(window.Handle(), GCLP_HICON), 0);
    EXPECT_NE(GetClassLongPtrA(window.Handle(), GCLP_HICONSM), 0);
}

TEST_F(MainWindowTest, FocusStartsOnRegisterAndTabFollowsTheTabOrder) {
    window.Create();
    EXPECT_EQ(GetFocus(), window.Item(RegistSide));
    // Run is disabled and the unregistering group too, so Tab passes them by.
    std::vector<HWND> order;
    HWND at = window.Item(RegistSide);
    for (int i = 0; i < 4; ++i) {
        window.Key(VK_TAB);
        order.push_back(GetFocus());
    }
    EXPECT_EQ(order, (std::vector<HWND>{window.Item(ExitButton), window.GroupItem(RegistGroup, 0), at,
                                        window.Item(ExitButton)}));
}

TEST_F(MainWindowTest, TabReachesTheModePairAtItsCheckedButton) {
    window.Create();
    for (bool registering : {false, true}) {
        HWND side = window.Item(registering ? RegistSide : UnregistSide);
        window.Click(side);
        // From 終了, Tab passes the chosen side's options (the other group is disabled), then comes round.
        SetFocus(window.Item(ExitButton));
        window.Key(VK_TAB);
        EXPECT_EQ(GetFocus(), window.GroupItem(registering ? RegistGroup : UnregistGroup, 0)) << registering;
        window.Key(VK_TAB);
        EXPECT_EQ(GetFocus(), side) << registering;
    }
}

TEST_F(MainWindowTest, DefaultFrameMovesToExitWhileItHasTheFocus) {
    window.Create("wexo2.exe C:\\a\\b.dll");
    window.Click(window.GroupItem(RegistGroup, 0));
    auto framed = [this](Id id) {
        return (GetWindowLongA(window.Item(id), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    };
    EXPECT_TRUE(framed(ExecButton));
    EXPECT_FALSE(framed(ExitButton));
    // The frame is drawn: the default button's outermost pixels are the window frame colour.
    const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME);
    EXPECT_EQ(window.PixelOf(window.Item(ExecButton), 0, 12), frame);
    EXPECT_NE(window.PixelOf(window.Item(ExitButton), 0, 12), frame);

    SetFocus(window.Item(RegistSide));
    window.Key(VK_TAB);  // to 開始
    window.Key(VK_TAB);  // to 終了
    ASSERT_EQ(GetFocus(), window.Item(ExitButton));
    EXPECT_TRUE(framed(ExitButton));
    EXPECT_FALSE(framed(ExecButton));
    EXPECT_EQ(window.PixelOf(window.Item(ExitButton), 0, 12), frame);
    EXPECT_NE(window.PixelOf(window.Item(ExecButton), 0, 12), frame);

    window.Key(VK_TAB);  // on to the options
    EXPECT_TRUE(framed(ExecButton));
    EXPECT_FALSE(framed(ExitButton));

    // The same when the focus comes by the mouse, past the dialog manager's Tab handling.
    SetFocus(window.Item(ExitButton));
    EXPECT_TRUE(framed(ExitButton));
    EXPECT_FALSE(framed(ExecButton));
    SetFocus(window.Item(RegistSide));
    EXPECT_TRUE(framed(ExecButton));
    EXPECT_FALSE(framed(ExitButton));
}

TEST_F(MainWindowTest, MovedToAMonitorOfAnotherDpiTheFormIsLaidOutAgain) {
    window.Create("wexo2.exe C:\\a\\b.dll");
    auto clientOf = [](HWND control) {
        RECT rect;
        GetClientRect(control, &rect);
        return rect;
    };
    const RECT labelBefore = clientOf(window.Item(TargetName));
    for (const int dpi : {144, 192, 96}) {
        SCOPED_TRACE(dpi);
        RECT suggested;
        GetWindowRect(window.Handle(), &suggested);
        SendMessageW(window.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        const RECT client = clientOf(window.Handle());
        EXPECT_NEAR(client.right, MulDiv(324, dpi, 96), 1);
        EXPECT_NEAR(client.bottom, MulDiv(167, dpi, 96), 1);
        RECT run;
        GetWindowRect(window.Item(ExecButton), &run);
        MapWindowPoints(nullptr, window.Handle(), reinterpret_cast<POINT*>(&run), 2);
        EXPECT_EQ(run.left, MulDiv(160, dpi, 96));
        EXPECT_EQ(run.right - run.left, MulDiv(75, dpi, 96));
        // The labels took the larger font: the target's name grew with it.
        const RECT label = clientOf(window.Item(TargetName));
        EXPECT_NEAR(label.right, MulDiv(labelBefore.right, dpi, 96), 3);
        EXPECT_EQ(window.Text(TargetName), "b.dll");
    }
}

TEST_F(MainWindowTest, ArrowKeysMoveThroughTheOptionsAndChooseThem) {
    window.Create("wexo2.exe C:\\a\\b.dll");
    SetFocus(window.GroupItem(RegistGroup, 0));
    window.Key(VK_DOWN);
    EXPECT_EQ(GetFocus(), window.GroupItem(RegistGroup, 1));
    EXPECT_EQ(window.CheckedItem(RegistGroup), 1);
    EXPECT_TRUE(window.Enabled(ExecButton));
    window.Key(VK_UP);
    EXPECT_EQ(window.CheckedItem(RegistGroup), 0);

    // Between the mode buttons, the arrows switch the mode.
    SetFocus(window.Item(RegistSide));
    window.Key(VK_DOWN);
    EXPECT_EQ(GetFocus(), window.Item(UnregistSide));
    EXPECT_TRUE(window.Checked(window.Item(UnregistSide)));
    EXPECT_TRUE(window.Enabled(UnregistGroup));
}

TEST_F(MainWindowTest, CommandLineArgumentBecomesTheTargetAsTyped) {
    window.Create("wexo2.exe \"C:\\My Files\\Ctl.OCX\" second.dll");
    EXPECT_EQ(window.Text(TargetName), "Ctl.OCX");
    EXPECT_EQ(window.Hint(), "C:\\My Files\\Ctl.OCX");
    EXPECT_EQ(window.Form().TargetPath(), "C:\\My Files\\Ctl.OCX");
    EXPECT_FALSE(window.Enabled(ExecButton));

    // Unregistering has "leave the file" chosen; registering has nothing chosen yet.
    window.Click(window.Item(UnregistSide));
    EXPECT_TRUE(window.Enabled(ExecButton));
    EXPECT_TRUE(window.Enabled(UnregistGroup));
    EXPECT_FALSE(window.Enabled(RegistGroup));
    window.Click(window.Item(RegistSide));
    EXPECT_FALSE(window.Enabled(ExecButton));

    WexoTest::WindowDriver relative(services);
    relative.Create("wexo2.exe lib\\x.dll");
    EXPECT_EQ(relative.Form().TargetPath(), "lib\\x.dll");
    EXPECT_EQ(relative.Hint(), "lib\\x.dll");
}

TEST_F(MainWindowTest, RefusedCommandLineArgumentIsReportedBeforeTheWindowShows) {
    for (const std::string& argument :
         {std::string("notes.txt"), std::string("C:\\") + std::string(300, 'a') + ".dll"}) {
        WexoTest::WindowDriver refused(services);
        refused.Create("wexo2.exe " + argument);
        EXPECT_EQ(refused.Text(TargetName), kStartPrompt);
        EXPECT_EQ(refused.Form().TargetPath(), "");
    }
    const std::vector<SeenBox> seen = answerer.Seen();
    ASSERT_EQ(seen.size(), 2u);
    for (const SeenBox& box : seen) {
        EXPECT_EQ(box.caption, kTitle);
        EXPECT_FALSE(box.icon);
    }
    EXPECT_EQ(seen[0].text, Sjis::kNotAServer);
    EXPECT_EQ(seen[1].text, kPathTooLong) << "a long path is not called a wrong kind of file";
}

TEST_F(MainWindowTest, MissingSystemFolderIsReportedAtConstruction) {
    services.systemFolderAvailable = false;
    window.Create();
    EXPECT_EQ(Texts(), std::vector<std::string>{Sjis::kNoSystemFolder});
    EXPECT_EQ(answerer.Seen()[0].caption, kTitle);
    EXPECT_EQ(window.Text(SystemFolder), "");
}

TEST_F(MainWindowTest, DropTakesTheFirstFileAndRefusesOthersKeepingTheTarget) {
    window.Create();
    window.Click(window.GroupItem(RegistGroup, 0));
    window.Drop({"C:\\work\\first.dll", "C:\\work\\second.ocx", "C:\\work\\third.dll"});
    EXPECT_EQ(window.Text(TargetName), "first.dll");
    EXPECT_EQ(window.Hint(), "C:\\work\\first.dll");
    EXPECT_TRUE(window.Enabled(ExecButton));

    window.Drop({"C:\\work\\readme.txt"});
    EXPECT_EQ(Texts(), std::vector<std::string>{Sjis::kNotAServer});
    EXPECT_TRUE(answerer.Seen()[0].ownerTopMost) << "the top layer is kept while refusing";
    EXPECT_EQ(window.Text(TargetName), "first.dll");
    EXPECT_EQ(window.Form().TargetPath(), "C:\\work\\first.dll");
    EXPECT_EQ(window.Hint(), "C:\\work\\first.dll");
    EXPECT_TRUE(window.Enabled(ExecButton));
}

TEST_F(MainWindowTest, RunIsEnabledExactlyWhileATargetAndAnOptionAreThere) {
    window.Create();
    window.Click(window.GroupItem(RegistGroup, 1));
    EXPECT_FALSE(window.Enabled(ExecButton)) << "no target";
    window.Drop({"C:\\a\\b.dll"});
    EXPECT_TRUE(window.Enabled(ExecButton));
    window.Click(window.Item(UnregistSide));
    EXPECT_TRUE(window.Enabled(ExecButton));
    // Items of the disabled group cannot be chosen.
    window.Click(window.GroupItem(RegistGroup, 2));
    EXPECT_EQ(window.CheckedItem(RegistGroup), 1);
    window.Click(window.Item(RegistSide));
    EXPECT_TRUE(window.Enabled(ExecButton));
    window.Click(window.GroupItem(RegistGroup, 2));
    EXPECT_EQ(window.CheckedItem(RegistGroup), 2);
    EXPECT_EQ(window.Form().PlacementOption(), Wexo::Placement::MoveToSystemFolder);
}

TEST_F(MainWindowTest, ActiveSideIsLimeAndTheOtherButtonFace) {
    window.Create();
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(window.BackgroundOf(window.Item(RegistSide)), kLime);
    EXPECT_EQ(window.BackgroundOf(window.Item(UnregistSide)), face);
    EXPECT_EQ(window.BackgroundOf(window.GroupItem(RegistGroup, 1)), kLime);
    EXPECT_EQ(window.BackgroundOf(window.GroupItem(UnregistGroup, 1)), face);
    EXPECT_EQ(window.PixelOf(window.Item(RegistGroup), 3, 30), kLime);

    window.Click(window.Item(UnregistSide));
    EXPECT_EQ(window.BackgroundOf(window.Item(RegistSide)), face);
    EXPECT_EQ(window.BackgroundOf(window.Item(UnregistSide)), kLime);
    EXPECT_EQ(window.BackgroundOf(window.GroupItem(UnregistGroup, 0)), kLime);
    EXPECT_EQ(window.PixelOf(window.Item(RegistGroup), 3, 30), face);
    EXPECT_EQ(window.PixelOf(window.Item(UnregistGroup), 3, 30), kLime);
}

TEST_F(MainWindowTest, LabelsShowTheirColoursAndLinksTurnYellowWhilePressed) {
    window.Create();
    EXPECT_TRUE(window.Shows(window.Item(TargetName), kRed));
    EXPECT_TRUE(window.Shows(window.Item(Copyright), kOlive));
    EXPECT_TRUE(window.Shows(window.Item(LirroLabel), kBlue));
    EXPECT_TRUE(window.Shows(window.Item(Help), RGB(255, 255, 0)));
    EXPECT_TRUE(window.Shows(window.Item(Help), RGB(192, 192, 192)));

    HWND link = window.Item(BrowsLabel);
    SendMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_TRUE(window.Shows(link, kYellow));
    EXPECT_EQ(GetCapture(), link) << "the label keeps the mouse until release";
    // Released away from the label: blue again, and no click.
    SendMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(-50, 200));
    EXPECT_FALSE(window.Shows(link, kYellow));
    EXPECT_TRUE(window.Shows(link, kBlue));
    EXPECT_TRUE(services.launched.empty());

    for (auto [down, up] : {std::pair<UINT, UINT>{WM_RBUTTONDOWN, WM_RBUTTONUP}, {WM_MBUTTONDOWN, WM_MBUTTONUP}}) {
        SendMessageA(link, down, 0, MAKELPARAM(2, 2));
        EXPECT_TRUE(window.Shows(link, kYellow));
        SendMessageA(link, up, 0, MAKELPARAM(2, 2));
        EXPECT_TRUE(window.Shows(link, kBlue));
    }
    EXPECT_TRUE(services.launched.empty()) << "only the left button clicks";

    // Labels are as wide as their text: a longer caption makes a wider label.
    RECT before;
    GetClientRect(window.Item(TargetName), &before);
    window.Drop({"C:\\a\\a-much-longer-file-name-than-the-prompt-ever-was.dll"});
    RECT after;
    GetClientRect(window.Item(TargetName), &after);
    EXPECT_GT(after.right, before.right);
    EXPECT_EQ(after.bottom, before.bottom);
}

TEST_F(MainWindowTest, SeparatorSpansTheClientWidthOnRows48And49) {
    window.Create();
    for (int x : {0, 161, 323}) {
        EXPECT_EQ(window.PixelOf(window.Handle(), x, 47), GetSysColor(COLOR_BTNFACE));
        EXPECT_EQ(window.PixelOf(window.Handle(), x, 48), RGB(128, 128, 128)) << x;
        EXPECT_EQ(window.PixelOf(window.Handle(), x, 49), RGB(255, 255, 255)) << x;
    }
}

TEST_F(MainWindowTest, EnterAndEscapeActOnlyWithoutModifiers) {
    const std::string target = Server("server_ok.dll");
    window.Create("wexo2.exe " + target);
    window.Key(VK_RETURN);
    EXPECT_TRUE(answerer.Seen().empty()) << "Run is disabled";

    window.Click(window.GroupItem(RegistGroup, 0));
    SetFocus(window.GroupItem(RegistGroup, 0));
    for (int modifier : {VK_SHIFT, VK_CONTROL, VK_MENU}) {
        window.Key(VK_RETURN, {modifier});
        window.Key(VK_ESCAPE, {modifier});
    }
    EXPECT_TRUE(answerer.Seen().empty());
    EXPECT_NE(window.Handle(), nullptr);

    window.Key(VK_RETURN);
    EXPECT_EQ(Texts(), std::vector<std::string>{Sjis::kRegistered});

    // Enter presses the focused button; Esc closes from anywhere.
    SetFocus(window.Item(ExitButton));
    window.Key(VK_RETURN);
    EXPECT_EQ(window.Handle(), nullptr);

    WexoTest::WindowDriver second(services);
    second.Create();
    second.Key(VK_ESCAPE);
    EXPECT_EQ(second.Handle(), nullptr);
    EXPECT_EQ(answerer.Seen().size(), 1u);
}

TEST_F(MainWindowTest, CopyRunClearsTheTargetButKeepsTheHint) {
    WexoTest::Trace trace;
    const std::string target = Server("server_fail.dll");
    window.Create();
    window.Drop({target});
    window.Click(window.GroupItem(RegistGroup, 1));
    window.Click(window.Item(ExecButton));

    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_EQ(Texts()[0].substr(0, Texts()[0].find('\n')), Sjis::kRegisterFailed);
    EXPECT_FALSE(answerer.Seen()[0].ownerTopMost) << "out of the top layer during the run";
    EXPECT_EQ(answerer.Seen()[0].caption, kTitle);
    EXPECT_EQ(trace.Count("DllRegisterServer", system + "\\Foo.dll"), 1);
    EXPECT_EQ(window.Text(TargetName), Sjis::kDropPrompt);
    EXPECT_EQ(window.Hint(), target);
    EXPECT_FALSE(window.Enabled(ExecButton));
    EXPECT_TRUE(window.TopMost());
}

TEST_F(MainWindowTest, DeclinedQuestionKeepsTheTargetAndReturnsToTheTop) {
    const std::string target = Server("server_ok.dll");
    WexoTest::CopyFileOrFail(target, system + "\\Foo.dll");
    window.Create("wexo2.exe " + target);
    window.Click(window.Item(RegistSide));
    window.Click(window.GroupItem(RegistGroup, 2));
    answerer.Answer({IDCANCEL});
    window.Click(window.Item(ExecButton));

    const std::vector<SeenBox> seen = answerer.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "Wexo");
    EXPECT_EQ(seen[0].text, system + "\\Foo.dll" + Sjis::kAskMove);
    EXPECT_FALSE(seen[0].icon);
    EXPECT_TRUE(WexoTest::FileExists(target));
    EXPECT_EQ(window.Form().TargetPath(), target);
    EXPECT_TRUE(window.Enabled(ExecButton));
    EXPECT_TRUE(window.TopMost());
}

TEST_F(MainWindowTest, LinksOpenTheSystemFolderAndTheWebPage) {
    window.Create();
    window.Press(window.Item(BrowsLabel));
    window.Press(window.Item(LirroLabel));
    EXPECT_EQ(services.launched, (std::vector<std::string>{"WinExec(explorer " + system + ",1)",
                                                           std::string("ShellExecuteA(desktop,open,") +
                                                               WexoTest::WindowDriver::kHomePage + ",,,5)"}));
}

TEST_F(MainWindowTest, ExceptionInAHandlerIsShownAndTheProgramGoesOn) {
    window.Create();
    services.winExecThrows = "Explorer could not be started.";
    window.Press(window.Item(BrowsLabel));
    ASSERT_EQ(answerer.Seen().size(), 1u);
    EXPECT_EQ(answerer.Seen()[0].text, "Explorer could not be started..") << "a full stop is always added";
    EXPECT_EQ(answerer.Seen()[0].caption, kTitle);
    EXPECT_TRUE(answerer.Seen()[0].icon);
    EXPECT_NE(window.Handle(), nullptr);
}

TEST_F(MainWindowTest, HelpReportsAMissingManualOnlyWhenTheShellSaysSo) {
    window.Create();
    {
        WexoTest::CurrentDirectory empty(folder.Path());
        services.realShell = true;
        window.Press(window.Item(Help));
    }
    ASSERT_EQ(answerer.Seen().size(), 1u);
    const SeenBox box = answerer.Seen()[0];
    EXPECT_EQ(box.text, std::string("manual.html") + Sjis::kNotFound);
    EXPECT_EQ(box.caption, kTitle);
    EXPECT_TRUE(box.icon);
    EXPECT_FALSE(box.ownerTopMost);
    EXPECT_TRUE(window.TopMost());

    services.realShell = false;
    for (std::intptr_t result : {42, 31, 3}) {
        services.shellResult = result;
        window.Press(window.Item(Help));
    }
    EXPECT_EQ(answerer.Seen().size(), 1u);
    EXPECT_EQ(services.launched.back(), "ShellExecuteA(desktop,open,manual.html,,,5)");
}

TEST_F(MainWindowTest, FileDialogLeavesTheTopLayerAndRemembersTheName) {
    const std::string target = Server("server_ok.dll", "Picked.ocx");
    const std::string text = folder.File("notes.txt");
    WexoTest::WriteFileBytes(text, "text");
    window.Create();
    HWND link = window.Item(TargetLabel);

    struct Visit {
        bool formTopMost;
        bool linkYellow;
        std::string nameShown;
    };
    std::vector<Visit> visits;
    std::deque<std::string> choices = {"", text, target};  // "" cancels
    answerer.onOtherDialog = [&](HWND dialog) {
        HWND nameBox = GetDlgItem(dialog, 0x47c);                     // cmb13: the file name combo box
        if (nameBox == nullptr) nameBox = GetDlgItem(dialog, 0x480);  // edt1
        visits.push_back({window.TopMost(), window.Shows(link, kYellow), WexoTest::WindowText(nameBox)});
        const std::string choice = choices.front();
        choices.pop_front();
        if (choice.empty()) {
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        } else {
            SetWindowTextA(nameBox, choice.c_str());
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        }
        return true;
    };
    for (int i = 0; i < 3; ++i) window.Press(link);

    ASSERT_EQ(visits.size(), 3u);
    for (const Visit& visit : visits) {
        EXPECT_FALSE(visit.formTopMost);
        EXPECT_TRUE(visit.linkYellow);
    }
    EXPECT_EQ(visits[2].nameShown, "notes.txt") << "the refused file is offered again";
    EXPECT_EQ(Texts(), std::vector<std::string>{Sjis::kNotAServer});
    EXPECT_EQ(window.Text(TargetName), "Picked.ocx");
    EXPECT_EQ(window.Form().TargetPath(), target);
    EXPECT_TRUE(window.TopMost());
    EXPECT_TRUE(window.Shows(link, kBlue));
    EXPECT_FALSE(window.Shows(link, kYellow));
}

}  // namespace

namespace {

// A name the ANSI code page cannot spell: the yen sign would best-fit to 0x5C, a backslash, and turn
// "..¥victim.dll" into "..\victim.dll", the file of that name in the parent folder.
class ForeignNameTest : public MainWindowTest {
protected:
    ForeignNameTest() {
        CreateDirectoryA(inner.c_str(), nullptr);
        WexoTest::CopyFileOrFail(FixturePath("server_ok.dll"), victim);
        WexoTest::CopyFileOrFailW(FixturePath("server_ok.dll"), yenName);
    }

    // Unregisters and deletes whatever the window took as its target.
    void UnregisterAndDelete() {
        window.Click(window.Item(UnregistSide));
        window.Click(window.GroupItem(UnregistGroup, 1));
        if (window.Enabled(ExecButton)) window.Click(window.Item(ExecButton));
    }

    void ExpectVictimUntouched() {
        EXPECT_TRUE(WexoTest::FileExists(victim));
        EXPECT_EQ(trace.Count("attach", victim), 0);
    }

    WexoTest::Trace trace;
    const std::string inner = folder.File("inner");
    const std::string victim = folder.File("victim.dll");
    const std::wstring yenName = Wexo::FromAnsi(inner) + L"\\..\u00A5victim.dll";
};

TEST_F(ForeignNameTest, DroppedOrTypedItNeverReachesTheParentsFile) {
    for (const bool dropped : {false, true}) {
        SCOPED_TRACE(dropped ? "dropped" : "typed");
        WexoTest::CopyFileOrFailW(FixturePath("server_ok.dll"), yenName);
        WexoTest::WindowDriver driver(services);
        if (dropped) {
            driver.Create();
            driver.Drop(std::vector<std::wstring>{yenName});
        } else {
            driver.Create(L"wexo2.exe \"" + yenName + L"\"");
        }
        // Wine's volumes have short names, so the file is taken by its own.
        const std::string taken = driver.Form().TargetPath();
        ASSERT_FALSE(taken.empty());
        wchar_t longName[MAX_PATH] = {};
        GetLongPathNameW(Wexo::FromAnsi(taken).c_str(), longName, MAX_PATH);
        EXPECT_EQ(std::wstring(longName), yenName);
        driver.Click(driver.Item(UnregistSide));
        driver.Click(driver.GroupItem(UnregistGroup, 1));
        driver.Click(driver.Item(ExecButton));
        EXPECT_FALSE(WexoTest::FileExistsW(yenName)) << "the file named is the file deleted";
        ExpectVictimUntouched();
    }
}

TEST_F(ForeignNameTest, ChosenInTheDialogItIsTakenByItsShortNameOrRefused) {
    // The dialog will not take a name that starts with "..", so here the yen sign would lead into the folder
    // "inner" instead: "inner¥victim.dll" must never become inner\victim.dll.
    const std::string innerVictim = inner + "\\victim.dll";
    WexoTest::CopyFileOrFail(FixturePath("server_ok.dll"), innerVictim);
    const std::wstring yenInName = Wexo::FromAnsi(folder.Path()) + L"\\inner\u00A5victim.dll";
    const std::wstring hangul = Wexo::FromAnsi(folder.Path()) + L"\\\uD55C\uAE00.dll";
    WexoTest::CopyFileOrFailW(FixturePath("server_ok.dll"), yenInName);
    WexoTest::CopyFileOrFailW(FixturePath("server_ok.dll"), hangul);
    window.Create();
    std::wstring choice;
    int visits = 0;
    answerer.onOtherDialog = [&](HWND dialog) {
        HWND nameBox = GetDlgItem(dialog, 0x47c);
        if (nameBox == nullptr) nameBox = GetDlgItem(dialog, 0x480);
        // A dialog that does not take the name stays open: cancel it the second time round.
        if (++visits > 1) {
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            return true;
        }
        SetWindowTextW(nameBox, choice.c_str());
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        return true;
    };
    for (const std::wstring& chosen : {yenInName, hangul}) {
        choice = chosen;
        visits = 0;
        window.Press(window.Item(TargetLabel));
        EXPECT_EQ(visits, 1);
        const std::string taken = window.Form().TargetPath();
        if (taken.empty()) {
            EXPECT_EQ(Texts().back(), kUnusableName);
            continue;
        }
        // The short name the system gives names the very file chosen.
        wchar_t longName[MAX_PATH] = {};
        GetLongPathNameW(Wexo::FromAnsi(taken).c_str(), longName, MAX_PATH);
        EXPECT_EQ(std::wstring(longName), chosen);
        EXPECT_EQ(taken.find('?'), std::string::npos) << taken;
        UnregisterAndDelete();
        EXPECT_FALSE(WexoTest::FileExistsW(chosen)) << "the file chosen is the file deleted";
    }
    EXPECT_TRUE(WexoTest::FileExists(innerVictim));
    EXPECT_EQ(trace.Count("attach", innerVictim), 0);
}

TEST_F(ForeignNameTest, WithoutAShortNameTheNameIsRefusedInPlainWords) {
    // A name that does not exist has no short name either.
    window.Create(L"wexo2.exe C:\\nowhere\\\uD55C\uAE00.dll");
    EXPECT_EQ(window.Form().TargetPath(), "");
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_EQ(Texts()[0], kUnusableName);
    EXPECT_EQ(answerer.Seen()[0].caption, kTitle);
}

}  // namespace
