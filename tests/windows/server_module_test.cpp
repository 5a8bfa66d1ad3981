// The server module against real test servers loaded by the real loader.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include "core/register_server.h"
#include "platform/win32_run_services.h"
#include "tests/windows/support/test_env.h"

namespace {

using Wexo::RegisterServer;
using WexoTest::FixturePath;
using WexoTest::TempFolder;
using WexoTest::Trace;

class ServerModuleTest : public ::testing::Test {
protected:
    Wexo::Win32RunServices services;
    Trace trace;
};

TEST_F(ServerModuleTest, ExportStatusDecidesAndTheRightExportRunsOnce) {
    struct Case {
        const char* fixture;
        bool success;
    };
    for (const Case& c :
         {Case{"server_ok.dll", true}, Case{"server_false.dll", true}, Case{"server_fail.dll", false}}) {
        const std::string path = FixturePath(c.fixture);
        RegisterServer server(services);
        ASSERT_TRUE(server.Load(path)) << c.fixture;
        EXPECT_EQ(server.GetFileName(), path);
        EXPECT_EQ(server.Register(), c.success) << c.fixture;
        EXPECT_EQ(trace.Count("DllRegisterServer", path), 1);
        EXPECT_EQ(trace.Count("DllUnregisterServer", path), 0);
        EXPECT_EQ(server.Unregister(), c.success) << c.fixture;
        EXPECT_EQ(trace.Count("DllUnregisterServer", path), 1);
    }
}

TEST_F(ServerModuleTest, UnloadableOrExportlessModulesFail) {
    RegisterServer server(services);
    EXPECT_FALSE(server.Load(FixturePath("missing.dll")));
    EXPECT_FALSE(server.Load(""));
    EXPECT_FALSE(server.Register());
    EXPECT_EQ(server.GetFileName(), "");

    ASSERT_TRUE(server.Load(FixturePath("server_noexports.dll")));
    EXPECT_FALSE(server.Register());
    EXPECT_FALSE(server.Unregister());
}

TEST_F(ServerModuleTest, ModuleIsReleasedExactlyOnce) {
    const std::string path = FixturePath("server_ok.dll");
    {
        RegisterServer server(services);
        ASSERT_TRUE(server.Load(path));
        server.Unload();
        EXPECT_EQ(GetModuleHandleA(path.c_str()), nullptr);
        server.Unload();
        EXPECT_EQ(server.GetFileName(), path);
        ASSERT_TRUE(server.Load(path));
    }
    EXPECT_EQ(GetModuleHandleA(path.c_str()), nullptr);
    EXPECT_EQ(trace.Count("attach", path), 2);
    EXPECT_EQ(trace.Count("detach", path), 2);

    // A release too many would take the module from another holder.
    HMODULE own = LoadLibraryA(path.c_str());
    ASSERT_NE(own, nullptr);
    {
        RegisterServer server(services);
        ASSERT_TRUE(server.Load(path));
    }
    EXPECT_EQ(GetModuleHandleA(path.c_str()), own);
    FreeLibrary(own);
}

TEST_F(ServerModuleTest, BareFileNameLoadsTheFileInTheCurrentDirectory) {
    // A module of the same name beside the program comes first in the loader's own search.
    TempFolder folder;
    const std::string twin = WexoTest::ExeFolder() + "\\wexo_twin.dll";
    WexoTest::CopyFileOrFail(FixturePath("server_fail.dll"), twin);
    WexoTest::CopyFileOrFail(FixturePath("server_ok.dll"), folder.File("wexo_twin.dll"));
    {
        WexoTest::CurrentDirectory here(folder.Path());
        RegisterServer server(services);
        ASSERT_TRUE(server.Load("wexo_twin.dll"));
        EXPECT_EQ(server.GetFileName(), "wexo_twin.dll");
        EXPECT_TRUE(server.Register());
    }
    EXPECT_EQ(trace.Count("DllRegisterServer", folder.File("wexo_twin.dll")), 1);
    EXPECT_EQ(trace.Count("DllRegisterServer", twin), 0);
    DeleteFileA(twin.c_str());
}

TEST_F(ServerModuleTest, DependenciesBesideTheServerAreFound) {
    TempFolder folder;
    const std::string installed = folder.File("lib");
    ASSERT_TRUE(CreateDirectoryA(installed.c_str(), nullptr));
    WexoTest::CopyFileOrFail(FixturePath("dependent_server.dll"), installed + "\\dependent_server.dll");
    WexoTest::CopyFileOrFail(FixturePath("helper.dll"), installed + "\\helper.dll");

    WexoTest::CurrentDirectory elsewhere(folder.Path());
    RegisterServer server(services);
    ASSERT_TRUE(server.Load(installed + "\\dependent_server.dll"));
    EXPECT_TRUE(server.Register());
    // Relative to the current directory, as a command-line argument may be.
    RegisterServer relative(services);
    EXPECT_TRUE(relative.Load("lib\\dependent_server.dll"));
    EXPECT_TRUE(relative.Unregister());
}

TEST_F(ServerModuleTest, CategoryServerNeedsTheCallersComLibrary) {
    // The server object initialises nothing itself: that is the program's start-up's job.
    const std::string path = FixturePath("category_server.dll");
    {
        RegisterServer server(services);
        ASSERT_TRUE(server.Load(path));
        EXPECT_FALSE(server.Register());
    }
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    {
        RegisterServer server(services);
        ASSERT_TRUE(server.Load(path));
        EXPECT_TRUE(server.Register());
    }
    OleUninitialize();
}

}  // namespace
