// The built program's manifest and version, read the way the system reads them: its resources
// loaded as data, its manifest parsed into an activation context, its version through version.dll.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "tests/windows/support/test_env.h"

namespace {

// The program's file name and version come from the build, so that the test follows the project.
#ifndef WEXO_PROGRAM_FILE
#error WEXO_PROGRAM_FILE must name the built program
#endif

constexpr WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
// The resource ids in UTF-16 form: this program is built for the ANSI interface.
const LPCWSTR kManifestType = MAKEINTRESOURCEW(24);
const LPCWSTR kManifestId = MAKEINTRESOURCEW(1);
const LPCWSTR kBitmapType = MAKEINTRESOURCEW(2);
const LPCWSTR kCursorGroupType = MAKEINTRESOURCEW(12);
const LPCWSTR kIconGroupType = MAKEINTRESOURCEW(14);

std::wstring Wide(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(length, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::wstring ProgramPath() { return Wide(WexoTest::ExeFolder() + "\\..\\bin\\" WEXO_PROGRAM_FILE); }

std::wstring VersionText() {
    return std::to_wstring(WEXO_VERSION_MAJOR) + L"." + std::to_wstring(WEXO_VERSION_MINOR) + L"." +
           std::to_wstring(WEXO_VERSION_PATCH);
}

std::string GuidText(const GUID& id) {
    char text[40];
    snprintf(text, sizeof(text), "{%08lx-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x}",
             static_cast<unsigned long>(id.Data1), id.Data2, id.Data3, id.Data4[0], id.Data4[1], id.Data4[2],
             id.Data4[3], id.Data4[4], id.Data4[5], id.Data4[6], id.Data4[7]);
    return text;
}

const std::set<std::string> kSupportedSystems = {
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // Windows 7
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // Windows 8
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // Windows 8.1
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // Windows 10 and 11
};

// The program loaded as data: none of its code runs.
class ProgramImage : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = LoadLibraryExW(ProgramPath().c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module_, nullptr) << "cannot load the program as data, error " << GetLastError();
    }
    void TearDown() override {
        if (module_ != nullptr) FreeLibrary(module_);
    }

    // The bytes of a resource in Japanese, empty when there is none.
    std::string Resource(LPCWSTR type, LPCWSTR name) const {
        HRSRC found = FindResourceExW(module_, type, name, kJapanese);
        if (found == nullptr) return {};
        const void* data = LockResource(LoadResource(module_, found));
        return data == nullptr ? std::string() : std::string(static_cast<const char*>(data), SizeofResource(module_, found));
    }

    HMODULE module_ = nullptr;
};

struct Found {
    int count = 0;
    std::vector<std::string> others;  // type/name/language of every resource not in Japanese
};

std::string Key(LPCWSTR key) {
    if (IS_INTRESOURCE(key)) return "#" + std::to_string(reinterpret_cast<ULONG_PTR>(key));
    std::string text;
    for (; *key != 0; ++key) text += static_cast<char>(*key < 0x80 ? *key : '?');
    return text;
}

BOOL CALLBACK EachLanguage(HMODULE, LPCWSTR type, LPCWSTR name, WORD language, LONG_PTR found) {
    auto& seen = *reinterpret_cast<Found*>(found);
    ++seen.count;
    if (language != kJapanese) seen.others.push_back(Key(type) + "/" + Key(name) + "/" + std::to_string(language));
    return TRUE;
}

BOOL CALLBACK EachName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR found) {
    EnumResourceLanguagesW(module, type, name, EachLanguage, found);
    return TRUE;
}

BOOL CALLBACK EachType(HMODULE module, LPWSTR type, LONG_PTR found) {
    EnumResourceNamesW(module, type, EachName, found);
    return TRUE;
}

TEST_F(ProgramImage, EveryResourceIsInJapanese) {
    Found found;
    EnumResourceTypesW(module_, EachType, reinterpret_cast<LONG_PTR>(&found));
    // The icon (with its group), the cursor (with its group), the help picture, the manifest, the version.
    EXPECT_GE(found.count, 7);
    EXPECT_TRUE(found.others.empty()) << ::testing::PrintToString(found.others);
    EXPECT_FALSE(Resource(kIconGroupType, L"MAINICON").empty());
    EXPECT_FALSE(Resource(kCursorGroupType, L"HAND").empty());
    EXPECT_FALSE(Resource(kBitmapType, L"HELPPICTURE").empty());
}

TEST_F(ProgramImage, ManifestAsksForElevationSystemsAndPerMonitorAwareness) {
    const std::string manifest = Resource(kManifestType, kManifestId);
    ASSERT_FALSE(manifest.empty()) << "no manifest with id 1 in Japanese";
    EXPECT_NE(manifest.find("level=\"requireAdministrator\""), std::string::npos) << manifest;
    EXPECT_NE(manifest.find("uiAccess=\"false\""), std::string::npos) << manifest;
    for (const std::string& id : kSupportedSystems) EXPECT_NE(manifest.find(id), std::string::npos) << id;
    EXPECT_NE(manifest.find(">true/pm</dpiAware>"), std::string::npos) << manifest;
    EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos) << manifest;
}

// What the loader makes of the manifest: a misspelt namespace or attribute is dropped silently by
// the parser, so the text alone proves nothing.
class ProgramContext : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = ProgramPath();
        ACTCTXW description{};
        description.cbSize = sizeof(description);
        description.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
        description.lpSource = path_.c_str();
        description.lpResourceName = kManifestId;
        context_ = CreateActCtxW(&description);
        ASSERT_NE(context_, INVALID_HANDLE_VALUE) << "the manifest does not parse, error " << GetLastError();
    }
    void TearDown() override {
        if (context_ != INVALID_HANDLE_VALUE) ReleaseActCtx(context_);
    }

    std::wstring Setting(LPCWSTR space, LPCWSTR name) const {
        wchar_t value[128] = {};
        SIZE_T written = 0;
        if (!QueryActCtxSettingsW(0, context_, space, name, value, ARRAYSIZE(value), &written)) return L"(none)";
        return value;
    }

    std::wstring path_;
    HANDLE context_ = INVALID_HANDLE_VALUE;
};

TEST_F(ProgramContext, RequiresAdministratorWithoutUiAccess) {
    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION level{};
    ASSERT_TRUE(QueryActCtxW(0, context_, nullptr, RunlevelInformationInActivationContext, &level, sizeof(level),
                             nullptr));
    EXPECT_EQ(level.RunLevel, ACTCTX_RUN_LEVEL_REQUIRE_ADMIN);
    EXPECT_EQ(level.UiAccess, 0u);
}

TEST_F(ProgramContext, SupportsWindows7To11) {
    SIZE_T size = 0;
    QueryActCtxW(0, context_, nullptr, CompatibilityInformationInActivationContext, nullptr, 0, &size);
    ASSERT_GE(size, sizeof(DWORD));
    std::vector<BYTE> buffer(size);
    ASSERT_TRUE(QueryActCtxW(0, context_, nullptr, CompatibilityInformationInActivationContext, buffer.data(),
                             buffer.size(), nullptr));
    // Since Windows 10 1903 each element also carries a 64-bit MaxVersionTested, which moves the
    // elements to an 8-byte boundary; older systems (and older headers) know only a GUID and a type.
    DWORD count = 0;
    memcpy(&count, buffer.data(), sizeof(count));
    const bool wide = size >= 8 + 32 * static_cast<SIZE_T>(count);
    const size_t first = wide ? 8 : 4;
    const size_t stride = wide ? 32 : 20;
    ASSERT_GE(size, first + stride * count);
    std::set<std::string> systems;
    for (DWORD i = 0; i < count; ++i) {
        GUID id;
        DWORD type = 0;
        memcpy(&id, buffer.data() + first + stride * i, sizeof(id));
        memcpy(&type, buffer.data() + first + stride * i + sizeof(id), sizeof(type));
        if (type == ACTCTX_COMPATIBILITY_ELEMENT_TYPE_OS) systems.insert(GuidText(id));
    }
    EXPECT_EQ(systems, kSupportedSystems);
}

TEST_F(ProgramContext, IsAwareOfEachMonitorsDpi) {
    EXPECT_EQ(Setting(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"),
              L"PerMonitorV2, PerMonitor");
    EXPECT_EQ(Setting(L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"), L"true/pm");
}

// The version through version.dll, as the file's properties show it.
class ProgramVersion : public ::testing::Test {
protected:
    void SetUp() override {
        const std::wstring path = ProgramPath();
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
        ASSERT_GT(size, 0u) << "no version information, error " << GetLastError();
        data_.resize(size);
        ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, data_.data()));
    }

    std::wstring Text(const std::wstring& name) {
        void* value = nullptr;
        UINT length = 0;
        const std::wstring key = L"\\StringFileInfo\\041104B0\\" + name;
        if (!VerQueryValueW(data_.data(), key.c_str(), &value, &length) || value == nullptr) return L"(none)";
        std::wstring text(static_cast<const wchar_t*>(value), length);
        return text.substr(0, text.find(L'\0'));
    }

    std::vector<BYTE> data_;
};

TEST_F(ProgramVersion, IsJapanese) {
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data_.data(), L"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 2 * sizeof(WORD)) << "one translation";
    const WORD* translation = static_cast<const WORD*>(value);
    EXPECT_EQ(translation[0], kJapanese);
    EXPECT_EQ(translation[1], 1200) << "strings in UTF-16";
}

TEST_F(ProgramVersion, NamesTheProgramAndItsBitness) {
    const std::wstring bits = sizeof(void*) == 8 ? L"64" : L"32";
    EXPECT_EQ(Text(L"FileDescription"), L"WEXO2 COM サーバー登録ツール (" + bits + L" ビット版)");
    EXPECT_EQ(Text(L"OriginalFilename"), Wide(WEXO_PROGRAM_FILE));
    EXPECT_EQ(Text(L"InternalName"), L"wexo2");
    EXPECT_EQ(Text(L"ProductName"), L"WEXO2");
    EXPECT_EQ(Text(L"CompanyName"), L"Taskerand");
    EXPECT_EQ(Text(L"LegalCopyright"), L"(C) 2001-2026 Taskerand");
}

TEST_F(ProgramVersion, NumbersAreTheProjectsVersion) {
    EXPECT_EQ(Text(L"FileVersion"), VersionText());
    EXPECT_EQ(Text(L"ProductVersion"), VersionText());
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data_.data(), L"\\", &value, &length));
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    const DWORD high = MAKELONG(WEXO_VERSION_MINOR, WEXO_VERSION_MAJOR);
    const DWORD low = MAKELONG(0, WEXO_VERSION_PATCH);
    EXPECT_EQ(fixed->dwFileVersionMS, high);
    EXPECT_EQ(fixed->dwFileVersionLS, low);
    EXPECT_EQ(fixed->dwProductVersionMS, high);
    EXPECT_EQ(fixed->dwProductVersionLS, low);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

}  // namespace
