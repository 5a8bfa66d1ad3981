#include "core/pe_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "tests/support/pe_builder.h"

namespace {

using namespace WexoTest::Pe;
using Wexo::ImageMachine;

Text WithU32(Text bytes, std::size_t offset, std::uint32_t value) {
    Put32(bytes, offset, value);
    return bytes;
}

struct HeaderCase {
    const char* name;
    Text bytes;
    ImageMachine machine;
    std::uint16_t machineCode;
};

TEST(PeImage, ReadImageHeaderTellsTheMachine) {
    const Text x86 = Build({}).bytes;
    const std::size_t headersEnd = 0x80 + 24;
    const HeaderCase cases[] = {
        {"X86", x86, ImageMachine::X86, kX86},
        {"X64", Build({.machine = kX64, .magic = kPe32Plus}).bytes, ImageMachine::X64, kX64},
        {"Arm64IsOther", Build({.machine = kArm64, .magic = kPe32Plus}).bytes, ImageMachine::Other, kArm64},
        {"HeadEndingWithTheFileHeader", x86.substr(0, headersEnd), ImageMachine::X86, kX86},
        {"HeadersEndAtTheBound", Build({.lfanew = Wexo::kImageHeaderBytes - 24}).bytes, ImageMachine::X86, kX86},
        {"HeadersEndPastTheBound", Build({.lfanew = Wexo::kImageHeaderBytes - 20}).bytes, ImageMachine::NotAnImage, 0},
        {"Empty", "", ImageMachine::NotAnImage, 0},
        {"TextFile", Text("Option Explicit\r\nPrivate Sub Form_Load()\r\nEnd Sub\r\n"), ImageMachine::NotAnImage, 0},
        {"NewExecutableNotPe", WithU32(x86, 0x80, 0x454E), ImageMachine::NotAnImage, 0},
        {"LfanewPastTheBytes", WithU32(x86.substr(0, headersEnd), 0x3C, headersEnd), ImageMachine::NotAnImage, 0},
        {"LfanewNearFourGigabytes", WithU32(x86, 0x3C, 0xFFFFFFF0), ImageMachine::NotAnImage, 0},
        {"CutInsideTheFileHeader", x86.substr(0, headersEnd - 1), ImageMachine::NotAnImage, 0},
        {"CutInsideTheDosHeader", x86.substr(0, 0x3E), ImageMachine::NotAnImage, 0},
    };
    for (const HeaderCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Wexo::ImageHeader header = Wexo::ReadImageHeader(c.bytes);
        EXPECT_EQ(header.machine, c.machine);
        EXPECT_EQ(header.machineCode, c.machineCode);
    }
}

const std::vector<Text> kModules = {"KERNEL32.dll", "ole32.dll", "OLEAUT32.dll"};

struct ImportCase {
    const char* name;
    Layout layout;
    std::function<void(Image&)> damage;
    std::vector<Text> expected;
};

TEST(PeImage, ImportedModulesFollowTheImportDirectory) {
    const Text longest(Wexo::kMaxModuleNameBytes, 'a');
    const ImportCase cases[] = {
        {"Pe32InDirectoryOrder", {.imports = kModules}, nullptr, kModules},
        {"Pe32PlusInDirectoryOrder", {.machine = kX64, .magic = kPe32Plus, .imports = kModules}, nullptr, kModules},
        {"NoImportDirectory", {}, nullptr, {}},
        {"ImportEntryBeyondNumberOfRvaAndSizes", {.directoryCount = 1, .imports = kModules}, nullptr, {}},
        {"UnknownOptionalHeaderMagic", {.magic = 0x107, .imports = kModules}, nullptr, {}},
        {"NotAnImage", {.imports = kModules}, [](Image& i) { i.bytes[0x81] = 'X'; }, {}},
        {"NameOutsideEverySection",
         {.imports = kModules},
         [](Image& i) { Put32(i.bytes, i.descriptorsAt + 20 + 12, 0x00F00000); },
         {"KERNEL32.dll"}},
        {"FileCutInsideTheSecondName",
         {.imports = kModules},
         [](Image& i) { i.bytes.resize(i.bytes.find("ole32.dll") + 3); },
         {"KERNEL32.dll"}},
        {"NameLongerThanTheLimit", {.imports = {longest, longest + "b", "c.dll"}}, nullptr, {longest}},
        {"DescriptorCountIsBounded",
         {.imports = std::vector<Text>(Wexo::kMaxImportDescriptors + 1, "a.dll")},
         nullptr,
         std::vector<Text>(Wexo::kMaxImportDescriptors, "a.dll")},
    };
    for (const ImportCase& c : cases) {
        SCOPED_TRACE(c.name);
        Image image = Build(c.layout);
        if (c.damage) c.damage(image);
        EXPECT_EQ(Wexo::ImportedModulesOf(image.bytes), c.expected);
    }
}

TEST(PeImage, EveryCutOfAnImageGivesAPrefixOfItsImports) {
    for (const std::uint16_t magic : {kPe32, kPe32Plus}) {
        SCOPED_TRACE(magic == kPe32 ? "PE32" : "PE32+");
        const Text bytes = Build({.magic = magic, .imports = kModules}).bytes;
        for (std::size_t size = 0; size <= bytes.size(); ++size) {
            const std::vector<Text> modules = Wexo::ImportedModulesOf(bytes.substr(0, size));
            ASSERT_LE(modules.size(), kModules.size()) << "cut at " << size;
            EXPECT_TRUE(std::equal(modules.begin(), modules.end(), kModules.begin())) << "cut at " << size;
        }
        EXPECT_EQ(Wexo::ImportedModulesOf(bytes), kModules);
    }
}

}  // namespace
