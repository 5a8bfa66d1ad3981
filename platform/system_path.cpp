#include "platform/system_path.h"

#include <windows.h>

namespace Wexo {

std::optional<Text> ToAnsiExact(const std::wstring& text) {
    if (text.empty()) return Text();
    const UINT codePage = GetACP();
    const int length = static_cast<int>(text.size());
    // UTF-8 as the ANSI code page takes neither flag; it has no best fit, and the round trip still decides.
    const bool utf8 = codePage == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = utf8 ? nullptr : &usedDefault;
    const int size = WideCharToMultiByte(codePage, flags, text.data(), length, nullptr, 0, nullptr, usedDefaultOut);
    if (size <= 0 || usedDefault) return std::nullopt;
    Text bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(codePage, flags, text.data(), length, bytes.data(), size, nullptr, usedDefaultOut);
    if (usedDefault || FromAnsi(bytes) != text) return std::nullopt;
    // A converted zero would cut the path short where the system reads it.
    if (bytes.find('\0') != Text::npos) return std::nullopt;
    return bytes;
}

std::wstring FromCodePage(const Text& text, unsigned codePage) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0);
    if (size <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), length, wide.data(), size);
    return wide;
}

std::wstring FromAnsi(const Text& text) { return FromCodePage(text, CP_ACP); }

namespace {

std::optional<Text> ShortNameOf(const std::wstring& path) {
    const DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (size == 0) return std::nullopt;
    std::wstring shortPath(size, L'\0');
    const DWORD length = GetShortPathNameW(path.c_str(), shortPath.data(), size);
    if (length == 0 || length >= size) return std::nullopt;
    shortPath.resize(length);
    return ToAnsiExact(shortPath);
}

}  // namespace

SystemPath ToSystemPath(const std::wstring& path) {
    const std::optional<Text> exact = ToAnsiExact(path);
    if (exact && exact->size() <= kLongestPath) return {*exact, PathRefusal::None};
    const std::optional<Text> shortName = ShortNameOf(path);
    if (shortName && shortName->size() <= kLongestPath) return {*shortName, PathRefusal::None};
    return {{}, exact ? PathRefusal::TooLong : PathRefusal::Unconvertible};
}

}  // namespace Wexo
