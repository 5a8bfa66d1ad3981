// Whole runs against real test servers and real files; a temporary folder stands in for the
// system folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "core/registration_run.h"

#include "platform/win32_run_services.h"
#include "tests/support/recording_host.h"
#include "tests/windows/support/test_env.h"

namespace {

using Wexo::FollowUp;
using Wexo::Placement;
using WexoTest::FileExists;
using WexoTest::FixturePath;
using WexoTest::ReadFileBytes;
namespace Sjis = WexoTest::Sjis;

// Keeps a file open without letting anyone delete it.
class Lock {
public:
    explicit Lock(const std::string& path)
        : file_(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~Lock() { CloseHandle(file_); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;
    bool Held() const { return file_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE file_;
};

class RealRunTest : public ::testing::Test {
protected:
    RealRunTest() : host(log) {
        CreateDirectoryA(system.c_str(), nullptr);
        host.systemFolder = system;
    }

    // Makes `fixture` the target, as the file Foo.dll in the work folder.
    void Target(const char* fixture) {
        WexoTest::CopyFileOrFail(FixturePath(fixture), source);
        host.targetPath = source;
        host.displayName = "Foo.dll";
    }

    void Run(bool registering, Placement placement, FollowUp followUp = FollowUp::Keep) {
        host.registering = registering;
        host.placement = placement;
        host.followUp = followUp;
        Wexo::RegistrationRun(host, services).Execute();
        EXPECT_TRUE(host.topMost);
    }

    std::string Ask(const char* question) const { return "?" + copy + question + "|Wexo"; }

    WexoTest::Trace trace;
    WexoTest::TempFolder folder;
    const std::string system = folder.File("system");
    const std::string source = folder.File("Foo.dll");
    const std::string copy = system + "\\Foo.dll";
    Wexo::Win32RunServices services;
    std::vector<std::string> log;
    WexoTest::RecordingHost host;
};

TEST_F(RealRunTest, CopyRegistersTheCopyAndClearsTheTarget) {
    Target("server_ok.dll");
    Run(true, Placement::CopyToSystemFolder);
    EXPECT_EQ(host.FirstLines(), std::vector<std::string>{Sjis::kRegistered});
    EXPECT_EQ(ReadFileBytes(copy), ReadFileBytes(source));
    EXPECT_EQ(trace.Count("DllRegisterServer", copy), 1);
    EXPECT_EQ(trace.Count("attach", source), 0);
    EXPECT_EQ(trace.Count("detach", copy), 1);
    EXPECT_TRUE(host.targetPath.empty());
}

TEST_F(RealRunTest, ExistingDestinationIsOverwrittenOnlyAfterOk) {
    Target("server_ok.dll");
    WexoTest::WriteFileBytes(copy, "older file");
    host.answers = {false};
    Run(true, Placement::CopyToSystemFolder);
    EXPECT_EQ(host.FirstLines(), std::vector<std::string>{Ask(Sjis::kAskCopy)});
    EXPECT_EQ(ReadFileBytes(copy), "older file");
    EXPECT_EQ(host.targetPath, source);
    EXPECT_TRUE(trace.Lines().empty());

    host.boxes.clear();
    host.answers = {true};
    Run(true, Placement::CopyToSystemFolder);
    EXPECT_EQ(host.FirstLines(), (std::vector<std::string>{Ask(Sjis::kAskCopy), Sjis::kRegistered}));
    EXPECT_EQ(ReadFileBytes(copy), ReadFileBytes(source));
    EXPECT_EQ(trace.Count("DllRegisterServer", copy), 1);
}

TEST_F(RealRunTest, MoveOverwritesThenDeletesTheSource) {
    Target("server_false.dll");
    const std::string bytes = ReadFileBytes(source);
    WexoTest::WriteFileBytes(copy, "older file");
    host.answers = {true};
    Run(true, Placement::MoveToSystemFolder);
    EXPECT_EQ(host.FirstLines(), (std::vector<std::string>{Ask(Sjis::kAskMove), Sjis::kRegistered}));
    EXPECT_FALSE(FileExists(source));
    EXPECT_EQ(ReadFileBytes(copy), bytes);
    EXPECT_EQ(trace.Count("DllRegisterServer", copy), 1);
    EXPECT_TRUE(host.targetPath.empty());
}

TEST_F(RealRunTest, TargetAlreadyInTheSystemFolderIsNeverDeleted) {
    for (Placement placement : {Placement::CopyToSystemFolder, Placement::MoveToSystemFolder}) {
        WexoTest::CopyFileOrFail(FixturePath("server_ok.dll"), copy);
        host.targetPath = copy;
        host.displayName = "Foo.dll";
        host.boxes.clear();
        host.answers = {true};
        Run(true, placement);
        const char* question = placement == Placement::CopyToSystemFolder ? Sjis::kAskCopy : Sjis::kAskMove;
        EXPECT_EQ(host.FirstLines(), (std::vector<std::string>{Ask(question), Sjis::kCopyFailed}));
        EXPECT_EQ(ReadFileBytes(copy), ReadFileBytes(FixturePath("server_ok.dll")));
        EXPECT_EQ(host.targetPath, copy);
    }
    EXPECT_TRUE(trace.Lines().empty());
}

TEST_F(RealRunTest, MoveWhoseSourceCannotBeDeletedRegistersNothing) {
    Target("server_ok.dll");
    Lock lock(source);
    ASSERT_TRUE(lock.Held());
    Run(true, Placement::MoveToSystemFolder);
    EXPECT_EQ(host.FirstLines(), std::vector<std::string>{Sjis::kDeleteFailed});
    EXPECT_TRUE(FileExists(source));
    EXPECT_TRUE(FileExists(copy));
    EXPECT_EQ(host.targetPath, source);
    EXPECT_TRUE(trace.Lines().empty());
}

TEST_F(RealRunTest, DeletionAfterAFailedUnregistrationReleasesTheModuleFirst) {
    Target("server_fail.dll");
    Run(false, Placement::None, FollowUp::Delete);
    EXPECT_EQ(host.FirstLines(), std::vector<std::string>{Sjis::kUnregisterFailed});
    EXPECT_EQ(trace.Count("DllUnregisterServer", source), 1);
    EXPECT_EQ(trace.Count("detach", source), 1);
    EXPECT_FALSE(FileExists(source));
    EXPECT_TRUE(host.targetPath.empty());
}

TEST_F(RealRunTest, UndeletableFileAfterUnregisteringKeepsTheTarget) {
    Target("server_ok.dll");
    Lock lock(source);
    Run(false, Placement::None, FollowUp::Delete);
    EXPECT_EQ(host.FirstLines(), (std::vector<std::string>{Sjis::kUnregistered, Sjis::kDeleteFailed}));
    EXPECT_TRUE(FileExists(source));
    EXPECT_EQ(host.targetPath, source);
}

TEST_F(RealRunTest, RegisteringHereKeepsTheTargetForAnotherRun) {
    Target("server_fail.dll");
    Run(true, Placement::Here);
    Run(true, Placement::Here);
    EXPECT_EQ(host.FirstLines(), (std::vector<std::string>{Sjis::kRegisterFailed, Sjis::kRegisterFailed}));
    EXPECT_EQ(trace.Count("DllRegisterServer", source), 2);
    EXPECT_EQ(trace.Count("detach", source), 2);
    EXPECT_EQ(host.targetPath, source);
}

}  // namespace

namespace {

// The reason below the fixed first line, from real files and the system's own words (Japanese under this locale).
struct ReasonCase {
    const char* name;
    std::function<void(const std::string& source)> arrange;
    bool registering;
    Placement placement;
    std::vector<std::string> contains;  // pieces of the reason line
    bool sourceKept;
};

TEST_F(RealRunTest, TheReasonIsTheSystemsAndTheFileIsNeverLostToIt) {
    const ReasonCase cases[] = {
        {"NoSuchFile", [](const std::string&) {}, true, Placement::Here, {"(エラー 2 / 0x80070002)"}, false},
        {"NotAModule",
         [](const std::string& s) { WexoTest::WriteFileBytes(s, "not a module"); },
         false,
         Placement::Here,
         {"(エラー 193 / 0x800700C1)"},
         true},
        {"DependencyMissing",
         [](const std::string& s) { WexoTest::CopyFileOrFail(FixturePath("dependent_server.dll"), s); },
         true,
         Placement::Here,
         {"helper.dll が見つかりません"},
         true},
        {"NoExports",
         [](const std::string& s) { WexoTest::CopyFileOrFail(FixturePath("server_noexports.dll"), s); },
         true,
         Placement::Here,
         {"DllRegisterServer がありません"},
         true},
        {"ExportFails",
         [](const std::string& s) { WexoTest::CopyFileOrFail(FixturePath("server_fail.dll"), s); },
         false,
         Placement::Here,
         {"DllUnregisterServer がエラーを返しました", "(0x80004005)"},
         true},
        // A 32-bit server is refused before the move: it stays where it is and nothing lands in the system folder.
        {"OtherBitnessMove",
         [](const std::string& s) { WexoTest::CopyFileOrFail(FixturePath("server_x86.dll"), s); },
         true,
         Placement::MoveToSystemFolder,
         {"32 ビット用です", "wexo2_x86.exe"},
         true},
    };
    for (const ReasonCase& c : cases) {
        SCOPED_TRACE(c.name);
        // A file of its own for each case: Wine keeps a module whose imports failed mapped, and so locked.
        const std::string name = std::string(c.name) + ".dll";
        const std::string source = folder.File(name);
        const std::string copy = system + "\\" + name;
        c.arrange(source);
        host.targetPath = source;
        host.displayName = name;
        host.boxes.clear();
        Run(c.registering, c.placement);
        ASSERT_EQ(host.boxes.size(), 1u);
        const std::string& box = host.boxes[0];
        const std::string first = c.registering ? Sjis::kRegisterFailed : Sjis::kUnregisterFailed;
        EXPECT_EQ(box.substr(0, box.find('\n')), first);
        for (const std::string& piece : c.contains) EXPECT_NE(box.find(piece), std::string::npos) << box;
        EXPECT_EQ(FileExists(source), c.sourceKept);
        EXPECT_FALSE(FileExists(copy));
    }
}

}  // namespace
