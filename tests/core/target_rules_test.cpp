#include "core/target_rules.h"

#include <gtest/gtest.h>

namespace {

using Wexo::LeadBytes;
using Wexo::TargetRules;
using Wexo::Text;

const TargetRules kShiftJis(LeadBytes::ShiftJis());
const TargetRules kSingleByte{LeadBytes()};

// 表 is 0x95 0x5C in Shift_JIS: its second byte is a backslash.
const Text kHyo = "\x95\x5C";

struct SplitCase {
    const char* label;  // names the case in the test's name
    Text path;
    Text name;
    Text extension;
    bool serverFile;
};

// A failing case is named, not dumped as bytes.
void PrintTo(const SplitCase& c, std::ostream* out) { *out << c.label; }

class SplitTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitTest, NameExtensionAndVerdict) {
    const SplitCase& c = GetParam();
    const Wexo::PathParts parts = kShiftJis.Split(c.path);
    EXPECT_EQ(parts.name, c.name);
    EXPECT_EQ(parts.extension, c.extension);
    EXPECT_EQ(kShiftJis.IsServerFile(c.path), c.serverFile);
    if (c.serverFile) {
        EXPECT_EQ(kShiftJis.DisplayNameOf(c.path), c.name + c.extension);
    }
}

INSTANTIATE_TEST_SUITE_P(Paths, SplitTest, ::testing::Values(
    // clang-format off
    SplitCase{"Empty",                 "",                        "",              "",           false},
    SplitCase{"FullPath",              "C:\\A\\b.dll",            "b",             ".dll",       true},
    SplitCase{"LastDotSplits",         "b.tar.ocx",               "b.tar",         ".ocx",       true},
    SplitCase{"DriveRelative",         "C:b.dll",                 "b",             ".dll",       true},
    SplitCase{"OnlyAnExtension",       "C:\\A\\.dll",             "",              ".dll",       true},
    SplitCase{"DotOnlyInTheFolder",    "C:\\A.B\\c",              "c",             "",           false},
    SplitCase{"FolderOnly",            "C:\\A\\",                 "",              "",           false},
    SplitCase{"TrailingDot",           "C:\\A\\b.",               "b",             ".",          false},
    SplitCase{"TwoDotsThenDll",        "..dll",                   "",              ".dll",       true},
    SplitCase{"ThreeDotsThenDll",      "...dll",                  "",              ".dll",       true},
    SplitCase{"ThreeDotsThenOcx",      "...ocx",                  "",              ".ocx",       true},
    SplitCase{"ThreeDotsOnly",         "C:\\A\\...",              "",              ".",          false},
    SplitCase{"CurrentFolder",         "C:\\A\\.",                "",              "",           false},
    SplitCase{"ParentFolder",          "C:\\A\\..",               "",              "",           false},
    SplitCase{"BareParent",            "..",                      "",              "",           false},
    SplitCase{"DriveParent",           "C:..",                    "",              "",           false},
    SplitCase{"DriveTwoDotsThenDll",   "C:..dll",                 "",              ".dll",       true},
    SplitCase{"NameEndingInADot",      "a..dll",                  "a.",            ".dll",       true},
    SplitCase{"ColonInTheName",        "ab:c.dll",                "ab:c",          ".dll",       true},
    SplitCase{"QuestionMarkKept",      "C:\\A\\b?.ocx",           "b?",            ".ocx",       true},
    SplitCase{"AsteriskKept",          "C:\\A\\b*.ocx",           "b*",            ".ocx",       true},
    SplitCase{"ForwardSlashes",        "C:/A/b.dll",              "b",             ".dll",       true},
    SplitCase{"MixedSlashes",          "C:\\A/b\\c.OCX",          "c",             ".OCX",       true},
    SplitCase{"BareOcx",               ".ocx",                    "",              ".ocx",       true},
    SplitCase{"CapitalDll",            "x.Dll",                   "x",             ".Dll",       true},
    SplitCase{"MixedCaseDll",          "x.dLL",                   "x",             ".dLL",       true},
    SplitCase{"UpperCaseOcx",          "x.OCX",                   "x",             ".OCX",       true},
    SplitCase{"BackupOfADll",          "x.dll.bak",               "x.dll",         ".bak",       false},
    SplitCase{"Program",               "x.exe",                   "x",             ".exe",       false},
    SplitCase{"NoExtension",           "x",                       "x",             "",           false},
    SplitCase{"OnlyADot",              "x.",                      "x",             ".",          false},
    SplitCase{"TrailingBlank",         "x.dll ",                  "x",             ".dll ",      false},
    SplitCase{"LongerExtension",       "x.dlll",                  "x",             ".dlll",      false},
    // Full-width ＤＬＬ is not the extension.
    SplitCase{"FullWidthDll",          "x.\x82\x63\x82\x6B\x82\x6B", "x",          ".\x82\x63\x82\x6B\x82\x6B", false},
    // A trail byte 0x5C is part of its character, never a separator.
    SplitCase{"TrailByteInTheName",    "C:\\" + kHyo + ".dll",    kHyo,            ".dll",       true},
    SplitCase{"TrailByteBareName",     kHyo + ".dll",             kHyo,            ".dll",       true},
    SplitCase{"TrailByteThenTwoDots",  "C:\\A\\" + kHyo + "..dll", kHyo + ".",     ".dll",       true},
    SplitCase{"TrailByteThenDotDot",   "C:\\A\\" + kHyo + "..",   kHyo + ".",      ".",          false},
    SplitCase{"TrailByteInTheFolder",  "C:\\" + kHyo + "\\b.ocx", "b",             ".ocx",       true}
    // clang-format on
    ),
    [](const ::testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.label); });

TEST(TargetRules, WithoutLeadBytesEveryByteIsACharacter) {
    const Text path = "C:\\" + kHyo + ".dll";
    EXPECT_EQ(kSingleByte.Split(path).name, "");
    EXPECT_EQ(kSingleByte.DisplayNameOf(path), ".dll");
    EXPECT_TRUE(kSingleByte.IsServerFile(path));
}

TEST(TargetRules, OnlyTheFirst260BytesAreSplitAndTheCutKeepsCharactersWhole) {
    // 0x95 at byte 259 starts a character that the cut would split, so the cut is at 259.
    const Text folder = "C:\\" + Text(252, 'x') + "\\";
    ASSERT_EQ(folder.size(), 256u);
    const Text path = folder + "abc" + kHyo + ".dll";
    EXPECT_EQ(kShiftJis.Split(path).name, "abc");
    EXPECT_EQ(kShiftJis.Split(path).extension, "");
    EXPECT_FALSE(kShiftJis.IsServerFile(path));

    // A .dll whose extension lies beyond the limit is not looked at.
    EXPECT_FALSE(kShiftJis.IsServerFile(folder + "abcd" + ".dll"));
    EXPECT_TRUE(kShiftJis.IsServerFile(folder.substr(4) + "abcd" + ".dll"));
}

TEST(TargetRules, PartsAreCutTo255BytesWithoutSplittingACharacter) {
    const Text longName(256, 'a');
    EXPECT_EQ(kShiftJis.DisplayNameOf(longName + ".dll"), Text(255, 'a') + ".dll");

    // The 255th byte would begin 表, so the name ends after 254 bytes.
    const Text path = Text(254, 'a') + kHyo + ".dll";
    ASSERT_EQ(path.size(), 260u);
    EXPECT_EQ(kShiftJis.Split(path).name, Text(254, 'a'));
    EXPECT_EQ(kShiftJis.DisplayNameOf(path), Text(254, 'a') + ".dll");
}

TEST(TargetRules, LongExtensionsAreRefused) {
    for (std::size_t length : {31u, 32u, 40u, 255u, 400u}) {
        const Text path = "C:\\a." + Text(length - 1, 'D');
        EXPECT_FALSE(kShiftJis.IsServerFile(path)) << length;
    }
}

TEST(TargetRules, SystemFolderPathJoinsWithOneSeparator) {
    EXPECT_EQ(TargetRules::SystemFolderPathOf("C:\\WINDOWS\\SYSTEM", "Foo.Dll"), "C:\\WINDOWS\\SYSTEM\\Foo.Dll");
    // An unavailable system folder leaves the destination starting with the separator.
    EXPECT_EQ(TargetRules::SystemFolderPathOf("", "x.dll"), "\\x.dll");
}

}  // namespace
