// Real files and folders for tests under Windows: the built program and test servers, a
// temporary folder of the test's own, and the trace the test servers write.
#pragma once

#include <string>
#include <vector>

namespace WexoTest {

std::string ExeFolder();                           // where this test program lies
std::string FixturePath(const std::string& name);  // a test server, by file name
std::string ProgramPath();                         // the built wexo2.exe

bool FileExists(const std::string& path);
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
void CopyFileOrFail(const std::string& from, const std::string& to);
// For names the ANSI code page cannot spell.
bool FileExistsW(const std::wstring& path);
void CopyFileOrFailW(const std::string& from, const std::wstring& to);

// A new empty folder, removed with everything in it when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

// Points WEXO_TRACE at a file of its own for as long as it lives.
class Trace {
public:
    Trace();
    ~Trace();
    Trace(const Trace&) = delete;
    Trace& operator=(const Trace&) = delete;

    std::vector<std::string> Lines() const;
    // How many lines record `event` for the module at `modulePath` (compared case-insensitively).
    int Count(const std::string& event, const std::string& modulePath) const;
    const std::string& Path() const { return file_; }

private:
    TempFolder folder_;
    std::string file_;
};

// Changes the current directory for as long as it lives.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::string& path);
    ~CurrentDirectory();
    CurrentDirectory(const CurrentDirectory&) = delete;
    CurrentDirectory& operator=(const CurrentDirectory&) = delete;

private:
    std::string previous_;
};

}  // namespace WexoTest
