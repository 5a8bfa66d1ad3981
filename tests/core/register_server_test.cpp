#include "core/register_server.h"

#include <gtest/gtest.h>

#include "tests/support/fake_services.h"

namespace {

using Wexo::RegisterServer;
using WexoTest::FakeServices;

class RegisterServerTest : public ::testing::Test {
protected:
    RegisterServerTest() {
        services.modules["ok.dll"] = {
            {{"DllRegisterServer", WexoTest::ExportOk}, {"DllUnregisterServer", WexoTest::ExportOk}}};
        services.modules["bare.dll"] = {};
    }
    FakeServices services;
};

TEST_F(RegisterServerTest, NothingLoadedCallsNothing) {
    RegisterServer server(services);
    EXPECT_FALSE(server.Register());
    EXPECT_FALSE(server.Unregister());
    server.Unload();
    EXPECT_TRUE(services.calls.empty());
}

TEST_F(RegisterServerTest, FailedLoadKeepsTheLastFileName) {
    RegisterServer server(services);
    ASSERT_TRUE(server.Load("ok.dll"));
    server.Unload();
    EXPECT_FALSE(server.Load("missing.dll"));
    EXPECT_EQ(server.GetFileName(), "ok.dll");
    EXPECT_FALSE(server.Register());
    EXPECT_EQ(services.Count("FindExport"), 0);
}

TEST_F(RegisterServerTest, StatusSignDecides) {
    struct Case {
        std::int32_t (*export_)();
        bool success;
    };
    for (const Case& c : {Case{WexoTest::ExportOk, true}, Case{WexoTest::ExportFalse, true},
                          Case{WexoTest::ExportFailed, false}, Case{WexoTest::ExportNegative, false}}) {
        services.modules["s.dll"] = {{{"DllRegisterServer", c.export_}, {"DllUnregisterServer", c.export_}}};
        RegisterServer server(services);
        ASSERT_TRUE(server.Load("s.dll"));
        EXPECT_EQ(server.Register(), c.success);
        EXPECT_EQ(server.Unregister(), c.success);
    }
}

TEST_F(RegisterServerTest, MissingExportFails) {
    RegisterServer server(services);
    ASSERT_TRUE(server.Load("bare.dll"));
    EXPECT_FALSE(server.Register());
    EXPECT_FALSE(server.Unregister());
}

TEST_F(RegisterServerTest, ModuleIsReleasedExactlyOnce) {
    {
        RegisterServer server(services);
        ASSERT_TRUE(server.Load("ok.dll"));
        server.Unload();
        server.Unload();
        EXPECT_EQ(server.GetFileName(), "ok.dll");
        EXPECT_FALSE(server.IsLoaded());
    }
    EXPECT_EQ(services.Count("ReleaseServer"), 1);
    {
        RegisterServer server(services);
        ASSERT_TRUE(server.Load("ok.dll"));
    }
    EXPECT_EQ(services.Count("ReleaseServer"), 2);
    EXPECT_EQ(services.loaded, 0);
}

TEST_F(RegisterServerTest, ReloadingReleasesTheEarlierModule) {
    {
        RegisterServer server(services);
        ASSERT_TRUE(server.Load("ok.dll"));
        ASSERT_TRUE(server.Load("bare.dll"));
        EXPECT_EQ(services.loaded, 1);
    }
    EXPECT_EQ(services.loaded, 0);
}

}  // namespace
