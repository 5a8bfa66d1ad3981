// Faulting servers, loaded by the real loader: the fault ends the call and is reported with its code and module,
// wherever the server raised it, and the process (and its loader) goes on working.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "core/register_server.h"
#include "platform/win32_run_services.h"
#include "tests/windows/support/test_env.h"

namespace {

using Wexo::RegisterServer;
using WexoTest::FixturePath;

class ServerFaultTest : public ::testing::Test {
protected:
    ~ServerFaultTest() override { SetEnvironmentVariableA("WEXO_FAULT_KIND", nullptr); }

    static DWORD WINAPI LoadElsewhere(void*) {
        HMODULE module = LoadLibraryA(FixturePath("server_ok.dll").c_str());
        if (module == nullptr) return 1;
        FreeLibrary(module);
        return 0;
    }

    // The loader lock must be free again: another thread can load a module, as COM's and the shell's threads do.
    static bool LoaderFreeForOtherThreads() {
        HANDLE thread = CreateThread(nullptr, 0, &LoadElsewhere, nullptr, 0, nullptr);
        const bool done = WaitForSingleObject(thread, 10000) == WAIT_OBJECT_0;
        DWORD code = 1;
        GetExitCodeThread(thread, &code);
        CloseHandle(thread);
        return done && code == 0;
    }

    Wexo::Win32RunServices services;
    WexoTest::Trace trace;
};

struct FaultCase {
    const char* name;
    const char* fixture;
    const char* kind;
    std::uint32_t code;
};

TEST_F(ServerFaultTest, AFaultAnywhereInTheServerIsCaughtAndNamed) {
    const FaultCase cases[] = {
        {"AttachAccessViolation", "fault_attach.dll", "av", 0xC0000005u},
        {"RegisterAccessViolation", "fault_register.dll", "av", 0xC0000005u},
        {"RegisterIllegalInstruction", "fault_register.dll", "ud", 0xC000001Du},
        {"RegisterDivideByZero", "fault_register.dll", "div", 0xC0000094u},
        {"UnregisterAccessViolation", "fault_unregister.dll", "av", 0xC0000005u},
        {"DetachAccessViolation", "fault_detach.dll", "av", 0xC0000005u},
    };
    for (const FaultCase& c : cases) {
        SCOPED_TRACE(c.name);
        SetEnvironmentVariableA("WEXO_FAULT_KIND", c.kind);
        const std::string path = FixturePath(c.fixture);
        std::uint32_t caught = 0;
        std::string module;
        try {
            RegisterServer server(services);
            if (server.Load(path)) {
                server.Register();
                server.Unregister();
                server.Unload();
            }
        } catch (const Wexo::ServerFaultError& fault) {
            caught = fault.Fault().code;
            module = fault.Fault().module;
            EXPECT_NE(std::string(fault.what()).find(module), std::string::npos);
        }
        EXPECT_EQ(caught, c.code);
        EXPECT_EQ(_stricmp(module.c_str(), path.c_str()), 0) << module;
        EXPECT_TRUE(LoaderFreeForOtherThreads());
    }
}

TEST_F(ServerFaultTest, ASecondFaultWhileTheFirstUnwindsIsSwallowed) {
    // A fault (thrown here in the server's stead) is on its way out when releasing the server faults again.
    const std::string path = FixturePath("fault_detach.dll");
    HMODULE module = nullptr;
    try {
        RegisterServer server(services);
        ASSERT_TRUE(server.Load(path));
        module = GetModuleHandleA(path.c_str());
        throw Wexo::ServerFaultError({0xC0000005u, 0, path});
    } catch (const Wexo::ServerFaultError& fault) {
        EXPECT_EQ(fault.Fault().code, 0xC0000005u);
    }
    EXPECT_NE(module, nullptr);
    EXPECT_EQ(trace.Count("detach", path), 1);
    EXPECT_TRUE(LoaderFreeForOtherThreads());
}

TEST_F(ServerFaultTest, AMissingDependencyIsNamedNotTakenForAFault) {
    // The loader may raise and handle exceptions of its own on the way; the watch must not take them for faults.
    RegisterServer server(services);
    WexoTest::TempFolder folder;
    const std::string lonely = folder.File("dependent_server.dll");
    WexoTest::CopyFileOrFail(FixturePath("dependent_server.dll"), lonely);
    EXPECT_FALSE(server.Load(lonely));
    EXPECT_EQ(server.LastFailure().kind, Wexo::Failure::Kind::MissingDependency);
    EXPECT_EQ(server.LastFailure().name, "helper.dll");
}

}  // namespace
