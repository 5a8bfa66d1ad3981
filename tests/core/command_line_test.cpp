#include "core/command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Wexo::CommandLine;
using Wexo::Text;

struct ParamCase {
    const char* label;  // names the case in the test's name
    Text commandLine;
    std::vector<Text> params;  // after the program name
};

// A failing case is named, not dumped as bytes.
void PrintTo(const ParamCase& c, std::ostream* out) { *out << c.label; }

class CommandLineTest : public ::testing::TestWithParam<ParamCase> {};

TEST_P(CommandLineTest, SplitsAtBlanksAndGroupsQuotes) {
    const ParamCase& c = GetParam();
    const CommandLine line(c.commandLine);
    ASSERT_EQ(line.ParamCount(), static_cast<int>(c.params.size()));
    for (std::size_t i = 0; i < c.params.size(); ++i) {
        EXPECT_EQ(line.ParamStr(static_cast<int>(i) + 1), c.params[i]) << i;
    }
    EXPECT_EQ(line.ParamStr(line.ParamCount() + 1), "");
}

// clang-format off
const ParamCase kLines[] = {
    {"Empty",                  "",                                         {}},
    {"ProgramOnly",            "wexo2.exe",                                {}},
    {"QuotedProgramOnly",      "\"C:\\Program Files\\wexo2.exe\"",         {}},
    {"OneArgument",            "wexo2.exe C:\\a\\b.ocx",                   {"C:\\a\\b.ocx"}},
    {"BlanksAndTabs",          "wexo2.exe   x.dll\ty.dll ",                {"x.dll", "y.dll"}},
    {"QuotedWithBlank",        "wexo2.exe \"C:\\My Files\\b.ocx\" next",   {"C:\\My Files\\b.ocx", "next"}},
    {"QuotesInsideAnArgument", "wexo2.exe C:\\\"My Files\"\\b.ocx",        {"C:\\My Files\\b.ocx"}},
    {"EmptyQuotesSkipped",     "wexo2.exe \"\" x.dll",                     {"x.dll"}},
    {"UnterminatedQuote",      "wexo2.exe \"unterminated path",            {"unterminated path"}},
    // Shift_JIS bytes are never blanks: 表 ends in 0x5C, ソ in 0x5C too.
    {"ShiftJisTrailBytes",     "wexo2.exe C:\\\x95\x5C\\\x83\x5C.dll",     {"C:\\\x95\x5C\\\x83\x5C.dll"}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Lines, CommandLineTest, ::testing::ValuesIn(kLines),
                         [](const ::testing::TestParamInfo<ParamCase>& info) { return std::string(info.param.label); });

TEST(CommandLine, WideLinesSplitByTheSameRules) {
    // The yen sign and Hangul stay what they are: no code page stands between them and the program.
    const Wexo::WideCommandLine line(L"wexo2.exe \"C:\\My Files\\..\u00A5victim.dll\" \uD55C\uAE00.dll");
    ASSERT_EQ(line.ParamCount(), 2);
    EXPECT_EQ(line.ParamStr(1), L"C:\\My Files\\..\u00A5victim.dll");
    EXPECT_EQ(line.ParamStr(2), L"\uD55C\uAE00.dll");
    EXPECT_EQ(line.ParamStr(3), L"");
}

TEST(CommandLine, ProgramNameIsParamZero) {
    EXPECT_EQ(CommandLine("\"C:\\a b\\wexo2.exe\" x.dll").ParamStr(0), "C:\\a b\\wexo2.exe");
}

}  // namespace
