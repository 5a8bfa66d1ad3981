// The run's logic against in-memory files: order of calls and boxes, byte for byte.
#include "core/registration_run.h"

#include <gtest/gtest.h>

#include <functional>

#include "tests/support/run_fixture.h"

namespace {

using Wexo::FollowUp;
using Wexo::Placement;
using Wexo::Text;
using WexoTest::FakeServices;
using WexoTest::RecordingHost;
namespace Sjis = WexoTest::Sjis;

using WexoTest::kCopy;
using WexoTest::kFolder;
using WexoTest::kSource;

class RunTest : public WexoTest::RunFixture {
protected:
    void Run() { Wexo::RegistrationRun(host, services).Execute(); }
};

TEST_F(RunTest, RegisteringHereCallsInOrderAndReleasesOnceAfterTheWindowIsBackOnTop) {
    host.placement = Placement::Here;
    Run();
    const std::vector<std::string> expected = {"SetTopMost(0)",
                                               "LoadServer(" + kSource + ")",
                                               "FindExport(DllRegisterServer)",
                                               std::string("ShowMessage(") + Sjis::kRegistered + ")",
                                               "SetTopMost(1)",
                                               "ReleaseServer(" + kSource + ")"};
    EXPECT_EQ(services.calls, expected);
    EXPECT_EQ(host.targetPath, kSource);
}

TEST_F(RunTest, CopyQuestionNamesTheDestinationThenTheTextWithALineFeed) {
    host.placement = Placement::CopyToSystemFolder;
    services.files[kCopy] = "old";
    host.answers = {false};
    Run();
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0], "?" + kCopy + Sjis::kAskCopy + "|Wexo");
    EXPECT_EQ(host.boxes[0].substr(1, kCopy.size() + 1), kCopy + "\x82");  // no blank between
    // The path is in the ANSI code page, the question in Shift_JIS.
    EXPECT_EQ(host.marked[0], "?\x0E" + kCopy + "\x0F" + Sjis::kAskCopy + "|Wexo");
}

struct Scenario {
    const char* name;
    bool registering;
    Placement placement;
    FollowUp followUp;
    std::function<void(FakeServices&, RecordingHost&)> arrange;
    std::vector<bool> answers;
    std::vector<std::string> boxes;  // "?" marks a question; "@" stands for the copy's path
    bool targetKept;
    bool loaded;  // a module was loaded at all
    std::vector<std::string> filesAfter;
};

class RunScenario : public RunTest, public ::testing::WithParamInterface<Scenario> {};

std::string Expand(const std::string& box) {
    if (box.empty() || box[0] != '?') return box;
    return "?" + kCopy + box.substr(1);
}

TEST_P(RunScenario, BoxesTargetAndFiles) {
    const Scenario& s = GetParam();
    host.registering = s.registering;
    host.placement = s.placement;
    host.followUp = s.followUp;
    host.answers.assign(s.answers.begin(), s.answers.end());
    if (s.arrange) s.arrange(services, host);
    Run();

    std::vector<std::string> expected;
    for (const std::string& box : s.boxes) expected.push_back(Expand(box));
    EXPECT_EQ(host.FirstLines(), expected);
    EXPECT_EQ(host.targetPath.empty(), !s.targetKept);
    EXPECT_EQ(services.Count("LoadServer") > 0, s.loaded);
    EXPECT_EQ(services.loaded, 0) << "module not released";
    EXPECT_TRUE(host.topMost);
    std::vector<std::string> files;
    for (const auto& entry : services.files) files.push_back(entry.first);
    EXPECT_EQ(files, s.filesAfter);
}

const std::string kAskCopy = std::string("?") + Sjis::kAskCopy + "|Wexo";
const std::string kAskMove = std::string("?") + Sjis::kAskMove + "|Wexo";

void DestinationExists(FakeServices& services, RecordingHost&) { services.files[kCopy] = "old"; }
void TargetIsTheCopy(FakeServices& services, RecordingHost& host) {
    services.files.erase(kSource);
    services.files[kCopy] = kCopy;
    services.modules[kCopy] = services.modules[kSource];
    host.targetPath = kCopy;
}
void SourceLocked(FakeServices& services, RecordingHost&) { services.undeletable.insert(kSource); }
void ExportFails(FakeServices& services, RecordingHost&) {
    services.modules[kSource] = {
        {{"DllRegisterServer", WexoTest::ExportFailed}, {"DllUnregisterServer", WexoTest::ExportFailed}}};
}

// name, registering, placement, follow-up, arrangement, answers, boxes, target kept, loaded, files after
// clang-format off
const Scenario kScenarios[] = {
    {"HereFails", true, Placement::Here, FollowUp::Keep, ExportFails, {}, {Sjis::kRegisterFailed}, true, true, {kSource}},
    {"CopyFresh", true, Placement::CopyToSystemFolder, FollowUp::Keep, nullptr, {}, {Sjis::kRegistered}, false, true, {kCopy, kSource}},
    {"CopyFreshExportFails", true, Placement::CopyToSystemFolder, FollowUp::Keep, ExportFails, {}, {Sjis::kRegisterFailed}, false, true, {kCopy, kSource}},
    {"CopyOverwrite", true, Placement::CopyToSystemFolder, FollowUp::Keep, DestinationExists, {true}, {kAskCopy, Sjis::kRegistered}, false, true, {kCopy, kSource}},
    {"CopyDeclined", true, Placement::CopyToSystemFolder, FollowUp::Keep, DestinationExists, {false}, {kAskCopy}, true, false, {kCopy, kSource}},
    {"CopyOntoItself", true, Placement::CopyToSystemFolder, FollowUp::Keep, TargetIsTheCopy, {true}, {kAskCopy, Sjis::kCopyFailed}, true, false, {kCopy}},
    {"MoveFresh", true, Placement::MoveToSystemFolder, FollowUp::Keep, nullptr, {}, {Sjis::kRegistered}, false, true, {kCopy}},
    {"MoveOverwrite", true, Placement::MoveToSystemFolder, FollowUp::Keep, DestinationExists, {true}, {kAskMove, Sjis::kRegistered}, false, true, {kCopy}},
    {"MoveDeclined", true, Placement::MoveToSystemFolder, FollowUp::Keep, DestinationExists, {false}, {kAskMove}, true, false, {kCopy, kSource}},
    {"MoveOntoItself", true, Placement::MoveToSystemFolder, FollowUp::Keep, TargetIsTheCopy, {true}, {kAskMove, Sjis::kCopyFailed}, true, false, {kCopy}},
    {"MoveSourceLocked", true, Placement::MoveToSystemFolder, FollowUp::Keep, SourceLocked, {}, {Sjis::kDeleteFailed}, true, false, {kCopy, kSource}},
    {"UnregisterKeep", false, Placement::None, FollowUp::Keep, nullptr, {}, {Sjis::kUnregistered}, true, true, {kSource}},
    {"UnregisterDelete", false, Placement::None, FollowUp::Delete, nullptr, {}, {Sjis::kUnregistered}, false, true, {}},
    {"UnregisterFailsThenDeletes", false, Placement::None, FollowUp::Delete, ExportFails, {}, {Sjis::kUnregisterFailed}, false, true, {}},
    {"UnregisterDeleteLocked", false, Placement::None, FollowUp::Delete, SourceLocked, {}, {Sjis::kUnregistered, Sjis::kDeleteFailed}, true, true, {kSource}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Runs, RunScenario, ::testing::ValuesIn(kScenarios),
                         [](const ::testing::TestParamInfo<Scenario>& info) { return std::string(info.param.name); });

TEST_F(RunTest, DeletionFollowsTheUnregistrationBoxAndTheRelease) {
    host.registering = false;
    host.followUp = FollowUp::Delete;
    Run();
    const std::vector<std::string> expected = {"SetTopMost(0)",
                                               "LoadServer(" + kSource + ")",
                                               "FindExport(DllUnregisterServer)",
                                               std::string("ShowMessage(") + Sjis::kUnregistered + ")",
                                               "ReleaseServer(" + kSource + ")",
                                               "Delete(" + kSource + ")",
                                               "ClearTarget()",
                                               "SetTopMost(1)"};
    EXPECT_EQ(services.calls, expected);
}

TEST_F(RunTest, MissingFileIsReportedAsAFailedExport) {
    services.modules.clear();
    services.files.clear();
    host.registering = false;
    Run();
    EXPECT_EQ(host.boxes, std::vector<std::string>{std::string(Sjis::kUnregisterFailed) +
                                                   "\n読み込めません: text(2) (エラー 2 / 0x80070002)"});
}

TEST_F(RunTest, CopyLoadsTheCopyAndClearsTheTargetBeforeRegistering) {
    host.placement = Placement::CopyToSystemFolder;
    Run();
    const std::vector<std::string> expected = {
        "SetTopMost(0)", "Copy(" + kSource + "," + kCopy + ",1)", "LoadServer(" + kCopy + ")",
        "ClearTarget()", "FindExport(DllRegisterServer)",         std::string("ShowMessage(") + Sjis::kRegistered + ")",
        "SetTopMost(1)", "ReleaseServer(" + kCopy + ")"};
    EXPECT_EQ(services.calls, expected);
}

}  // namespace
