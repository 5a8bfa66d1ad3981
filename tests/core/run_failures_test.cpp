// What the run tells the user when it fails, and how it behaves when the server faults or is built for another
// processor: the facts come from the services, the words and the order from the core.
#include <gtest/gtest.h>

#include "core/failure.h"
#include "core/registration_run.h"
#include "core/server_fault.h"
#include "tests/support/pe_builder.h"
#include "tests/support/run_fixture.h"

namespace {

using Wexo::Bitness;
using Wexo::FollowUp;
using Wexo::Placement;
using Wexo::Text;
using WexoTest::FakeServices;
namespace Pe = WexoTest::Pe;
namespace Sjis = WexoTest::Sjis;

using WexoTest::kCopy;
using WexoTest::kSource;

const Text kX86Program = "C:\\tools\\wexo2_x86.exe";

class FailureTest : public WexoTest::RunFixture {
protected:
    void Run(bool registering, Placement placement = Placement::Here, FollowUp followUp = FollowUp::Keep) {
        host.registering = registering;
        host.placement = placement;
        host.followUp = followUp;
        Wexo::RegistrationRun(host, services).Execute();
    }

    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& entry : services.files) names.push_back(entry.first);
        return names;
    }
};

std::int32_t AccessDenied() { return static_cast<std::int32_t>(0x80070005u); }
std::int32_t TypeLibRegistry() { return static_cast<std::int32_t>(0x8002801Cu); }
std::int32_t Unexpected() { return static_cast<std::int32_t>(0x8000FFFFu); }

struct ReasonCase {
    const char* name;
    bool registering;
    void (*arrange)(FakeServices&);
    std::string box;  // after the fixed first line
};

TEST_F(FailureTest, TheBoxSaysWhyBelowTheFixedFirstLine) {
    const ReasonCase cases[] = {
        {"NoSuchFile", true,
         [](FakeServices& s) {
             s.modules.clear();
             s.files.clear();
         },
         "読み込めません: text(2) (エラー 2 / 0x80070002)"},
        {"LoaderSaysModuleNotFoundForAMissingFile", true,
         [](FakeServices& s) {
             s.modules.clear();
             s.files.clear();
             s.loadErrors[kSource] = 126;
         },
         "読み込めません: text(2) (エラー 2 / 0x80070002)"},
        {"NotAModule", false, [](FakeServices& s) { s.modules.clear(); },
         "読み込めません: text(193) (エラー 193 / 0x800700C1)"},
        {"DependencyMissing", true,
         [](FakeServices& s) {
             s.modules.clear();
             s.loadErrors[kSource] = 126;
             s.bytes[kSource] = Pe::Build({.machine = Pe::kX64,
                                           .magic = Pe::kPe32Plus,
                                           .imports = {"KERNEL32.dll", "helper.dll", "other.dll"}})
                                    .bytes;
             s.dependencies = {"KERNEL32.dll"};
         },
         "読み込みに必要な helper.dll が見つかりません。\nhelper.dll "
         "をこのファイルと同じフォルダーに置くか、それを含むランタイムをインストールしてください。"},
        {"DependencyMissingButAllImportsThere", true,
         [](FakeServices& s) {
             s.modules.clear();
             s.loadErrors[kSource] = 126;
             s.bytes[kSource] =
                 Pe::Build({.machine = Pe::kX64, .magic = Pe::kPe32Plus, .imports = {"KERNEL32.dll"}}).bytes;
             s.dependencies = {"KERNEL32.dll"};
         },
         "読み込めません: text(126) (エラー 126 / 0x8007007E)"},
        {"NoRegisterExport", true, [](FakeServices& s) { s.modules[kSource] = {}; },
         "このファイルには DllRegisterServer がありません。自己登録できる COM サーバーではありません。"},
        {"NoUnregisterExport", false, [](FakeServices& s) { s.modules[kSource] = {}; },
         "このファイルには DllUnregisterServer がありません。自己登録できる COM サーバーではありません。"},
        {"ExportFailed", true,
         [](FakeServices& s) {
             s.modules[kSource] = {{{"DllRegisterServer", Unexpected}}};
         },
         "DllRegisterServer がエラーを返しました: text(2147549183) (0x8000FFFF)"},
        {"AccessDeniedNeedsAdministrator", false,
         [](FakeServices& s) {
             s.modules[kSource] = {{{"DllUnregisterServer", AccessDenied}}};
         },
         "DllUnregisterServer がエラーを返しました: text(2147942405) (0x80070005)\n"
         "管理者として実行してください (右クリックして「管理者として実行」)。"},
        {"TypeLibRegistryNeedsAdministrator", true,
         [](FakeServices& s) {
             s.modules[kSource] = {{{"DllRegisterServer", TypeLibRegistry}}};
         },
         "DllRegisterServer がエラーを返しました: text(2147647516) (0x8002801C)\n"
         "管理者として実行してください (右クリックして「管理者として実行」)。"},
    };
    for (const ReasonCase& c : cases) {
        SCOPED_TRACE(c.name);
        Reset();
        c.arrange(services);
        Run(c.registering);
        const std::string first = c.registering ? Sjis::kRegisterFailed : Sjis::kUnregisterFailed;
        EXPECT_EQ(host.boxes, std::vector<std::string>{first + "\n" + c.box});
    }
}

TEST_F(FailureTest, FailedFileOperationsGiveTheSystemsReason) {
    services.files[kCopy] = "old";
    host.answers = {true};
    services.undeletable.insert(kSource);
    Run(true, Placement::MoveToSystemFolder);
    EXPECT_EQ(host.boxes.back(), std::string(Sjis::kDeleteFailed) + "\ntext(5) (エラー 5 / 0x80070005)");

    host.boxes.clear();
    host.targetPath = kCopy;  // copying a file onto itself
    host.answers = {true};
    services.files[kCopy] = kCopy;
    Run(true, Placement::CopyToSystemFolder);
    EXPECT_EQ(host.boxes.back(), std::string(Sjis::kCopyFailed) + "\ntext(32) (エラー 32 / 0x80070020)");
}

// The system's words and the file name are in the ANSI code page: they are marked as such a run.
TEST(Failure, SystemTextNamesTheFileAndCodesWithoutWordsStandAlone) {
    Wexo::Failure failure;
    failure.kind = Wexo::Failure::Kind::NotLoaded;
    failure.code = 193;
    failure.systemText = "%1 は有効な Win32 アプリケーションではありません。";
    EXPECT_EQ(Wexo::DescribeFailure(failure, "a%1.dll"),
              "読み込めません: \x0E" "a%1.dll は有効な Win32 アプリケーションではありません。\x0F"
              " (エラー 193 / 0x800700C1)");
    failure.systemText.clear();
    EXPECT_EQ(Wexo::DescribeFailure(failure, "a.dll"), "読み込めません: エラー 193 / 0x800700C1");
    EXPECT_EQ(Wexo::WithReason("x", Wexo::Failure{}, "a.dll"), "x");
}

// A fault is the server's doing: it ends the run as an exception, releases the module on its way, and leaves the
// window out of the top layer.
TEST_F(FailureTest, FaultInTheExportLeavesTheRunWithTheModuleReleased) {
    services.modules[kSource] = {{{"DllRegisterServer", WexoTest::ExportFaults}}};
    services.exportFault = {0xC0000005u, 0x7FF812345678u, "C:\\work\\Foo.dll"};
    services.faultOnFree[kSource] = {0xC000001Du, 0x1000u, "C:\\work\\Foo.dll"};  // faults again while detaching
    try {
        Run(true);
        FAIL() << "the fault did not leave the run";
    } catch (const Wexo::ServerFaultError& error) {
        EXPECT_EQ(error.Fault().code, 0xC0000005u);
        EXPECT_STREQ(error.what(),
                     "サーバーの中で例外 0xC0000005 (アクセス違反) が発生しました。アドレス 0x00007FF812345678、"
                     "モジュール \x0E" "C:\\work\\Foo.dll\x0F");
    }
    EXPECT_EQ(services.loaded, 0);
    EXPECT_EQ(services.Count("ReleaseServer"), 1);
    EXPECT_FALSE(host.topMost);
    EXPECT_TRUE(host.boxes.empty());
}

TEST_F(FailureTest, FaultWhileLoadingOrReleasingIsThrownToo) {
    services.faultOnLoad[kSource] = {0xC0000094u, 0x10001000u, ""};
    EXPECT_THROW(Run(true), Wexo::ServerFaultError);
    EXPECT_FALSE(host.topMost);
    EXPECT_EQ(services.loaded, 0);

    // A fault while the module detaches at the end comes after the outcome and the top layer.
    services.faultOnLoad.clear();
    services.faultOnFree[kSource] = {0xC00000FDu, 0x10001000u, ""};
    EXPECT_THROW(Run(true), Wexo::ServerFaultError);
    EXPECT_EQ(host.boxes, std::vector<std::string>{Sjis::kRegistered});
    EXPECT_TRUE(host.topMost);
    EXPECT_EQ(services.loaded, 0);

    // Before deleting, the release is the run's own: a fault there ends the run and the file stays.
    host.boxes.clear();
    EXPECT_THROW(Run(false, Placement::None, FollowUp::Delete), Wexo::ServerFaultError);
    EXPECT_EQ(Files(), std::vector<std::string>{kSource});
    EXPECT_EQ(host.boxes, std::vector<std::string>{Sjis::kUnregistered});
}

TEST(Failure, FaultMessageWithoutAKnownNameOrModule) {
    EXPECT_EQ(Wexo::FaultMessage({0xE0434352u, 0x401000u, ""}),
              "サーバーの中で例外 0xE0434352 が発生しました。アドレス 0x00401000、モジュール不明");
}

struct BitnessCase {
    const char* name;
    bool registering;
    Placement placement;
    FollowUp followUp;
    std::uint16_t machine;
    bool besideUs;  // the other program stands beside this one
    std::vector<bool> answers;
    std::vector<std::string> boxes;    // whole texts; "?" marks a question
    std::vector<std::string> started;  // StartProgram calls
};

const std::string kFailed32 =
    std::string(Sjis::kRegisterFailed) + "\nこのファイルは 32 ビット用です。扱えるのは wexo2_x86.exe です。";
const std::string kAskHandOver = "?" + kFailed32 + "\nwexo2_x86.exe に渡して開きますか？|Wexo";

TEST_F(FailureTest, AFileForAnotherProcessorIsNeitherPlacedNorDeleted) {
    const std::string unregFailed32 =
        std::string(Sjis::kUnregisterFailed) + "\nこのファイルは 32 ビット用です。扱えるのは wexo2_x86.exe です。";
    const std::string start = "StartProgram(" + kX86Program + "," + kSource + ")";
    const BitnessCase cases[] = {
        {"MoveAlone", true, Placement::MoveToSystemFolder, FollowUp::Keep, Pe::kX86, false, {}, {kFailed32}, {}},
        {"CopyHandedOver",
         true,
         Placement::CopyToSystemFolder,
         FollowUp::Keep,
         Pe::kX86,
         true,
         {true},
         {kAskHandOver},
         {start}},
        {"HandOverDeclined", true, Placement::Here, FollowUp::Keep, Pe::kX86, true, {false}, {kAskHandOver}, {}},
        {"UnregisterAndDelete", false, Placement::None, FollowUp::Delete, Pe::kX86, false, {}, {unregFailed32}, {}},
        {"Arm64",
         true,
         Placement::MoveToSystemFolder,
         FollowUp::Keep,
         Pe::kArm64,
         true,
         {},
         {std::string(Sjis::kRegisterFailed) + "\nこのファイルは別の種類の CPU (マシン 0xAA64) 用です。"},
         {}},
    };
    for (const BitnessCase& c : cases) {
        SCOPED_TRACE(c.name);
        services.calls.clear();
        host.boxes.clear();
        host.answers.assign(c.answers.begin(), c.answers.end());
        services.bytes[kSource] = Pe::Build({.machine = c.machine}).bytes;
        services.programs.clear();
        if (c.besideUs) services.programs[Bitness::Bits32] = kX86Program;
        Run(c.registering, c.placement, c.followUp);
        EXPECT_EQ(host.boxes, c.boxes);
        std::vector<std::string> started;
        for (const std::string& call : services.calls) {
            if (call.rfind("StartProgram", 0) == 0) started.push_back(call);
        }
        EXPECT_EQ(started, c.started);
        EXPECT_EQ(Files(), std::vector<std::string>{kSource});
        EXPECT_EQ(services.Count("LoadServer") + services.Count("Copy") + services.Count("Delete"), 0);
        EXPECT_EQ(host.targetPath, kSource);
        EXPECT_TRUE(host.topMost);
    }
}

TEST_F(FailureTest, OwnBitnessRunsAsBeforeAndAFailedHandOverIsSaid) {
    services.bytes[kSource] = Pe::Build({.machine = Pe::kX64, .magic = Pe::kPe32Plus}).bytes;
    Run(true);
    EXPECT_EQ(host.boxes, std::vector<std::string>{Sjis::kRegistered});

    // The 32-bit program is given a 64-bit file.
    host.boxes.clear();
    services.bitness = Bitness::Bits32;
    services.programs[Bitness::Bits64] = "C:\\tools\\wexo2.exe";
    services.startFails = true;
    host.answers = {true};
    Run(true);
    ASSERT_EQ(host.boxes.size(), 2u);
    EXPECT_EQ(host.boxes[1], "wexo2.exe を起動できませんでした\ntext(2) (エラー 2 / 0x80070002)");
    EXPECT_EQ(services.Count("LoadServer"), 1);
}

}  // namespace
