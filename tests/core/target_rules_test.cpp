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

// clang-format off
const SplitCase kSplitCases[] = {
    {"Empty",                 "",                        "",              "",           false},
    {"FullPath",              "C:\\A\\b.dll",            "b",             ".dll",       true},
    {"LastDotSplits",         "b.tar.ocx",               "b.tar",         ".ocx",       true},
    {"DriveRelative",         "C:b.dll",                 "b",             ".dll",       true},
    {"OnlyAnExtension",       "C:\\A\\.dll",             "",              ".dll",       true},
    {"DotOnlyInTheFolder",    "C:\\A.B\\c",              "c",             "",           false},
    {"FolderOnly",            "C:\\A\\",                 "",              "",           false},
    {"TrailingDot",           "C:\\A\\b.",               "b",             ".",          false},
    {"TwoDotsThenDll",        "..dll",                   "",              ".dll",       true},
    {"ThreeDotsThenDll",      "...dll",                  "",              ".dll",       true},
    {"ThreeDotsThenOcx",      "...ocx",                  "",              ".ocx",       true},
    {"ThreeDotsOnly",         "C:\\A\\...",              "",              ".",          false},
    {"CurrentFolder",         "C:\\A\\.",                "",              "",           false},
    {"ParentFolder",          "C:\\A\\..",               "",              "",           false},
    {"BareParent",            "..",                      "",              "",           false},
    {"DriveParent",           "C:..",                    "",              "",           false},
    {"DriveTwoDotsThenDll",   "C:..dll",                 "",              ".dll",       true},
    {"NameEndingInADot",      "a..dll",                  "a.",            ".dll",       true},
    {"ColonInTheName",        "ab:c.dll",                "ab:c",          ".dll",       true},
    {"QuestionMarkKept",      "C:\\A\\b?.ocx",           "b?",            ".ocx",       true},
    {"AsteriskKept",          "C:\\A\\b*.ocx",           "b*",            ".ocx",       true},
    {"ForwardSlashes",        "C:/A/b.dll",              "b",             ".dll",       true},
    {"MixedSlashes",          "C:\\A/b\\c.OCX",          "c",             ".OCX",       true},
    {"BareOcx",               ".ocx",                    "",              ".ocx",       true},
    {"CapitalDll",            "x.Dll",                   "x",             ".Dll",       true},
    {"MixedCaseDll",          "x.dLL",                   "x",             ".dLL",       true},
    {"UpperCaseOcx",          "x.OCX",                   "x",             ".OCX",       true},
    {"BackupOfADll",          "x.dll.bak",               "x.dll",         ".bak",       false},
    {"Program",               "x.exe",                   "x",             ".exe",       false},
    {"NoExtension",           "x",                       "x",             "",           false},
    {"OnlyADot",              "x.",                      "x",             ".",          false},
    {"TrailingBlank",         "x.dll ",                  "x",             ".dll ",      false},
    {"LongerExtension",       "x.dlll",                  "x",             ".dlll",      false},
    // Full-width ＤＬＬ is not the extension.
    {"FullWidthDll",          "x.\x82\x63\x82\x6B\x82\x6B", "x",          ".\x82\x63\x82\x6B\x82\x6B", false},
    // A trail byte 0x5C is part of its character, never a separator.
    {"TrailByteInTheName",    "C:\\" + kHyo + ".dll",    kHyo,            ".dll",       true},
    {"TrailByteBareName",     kHyo + ".dll",             kHyo,            ".dll",       true},
    {"TrailByteThenTwoDots",  "C:\\A\\" + kHyo + "..dll", kHyo + ".",     ".dll",       true},
    {"TrailByteThenDotDot",   "C:\\A\\" + kHyo + "..",   kHyo + ".",      ".",          false},
    {"TrailByteInTheFolder",  "C:\\" + kHyo + "\\b.ocx", "b",             ".ocx",       true},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Paths, SplitTest, ::testing::ValuesIn(kSplitCases),
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
