// A registration run against in-memory files: the target C:\work\Foo.dll, a server whose exports succeed, and the
// system folder C:\WINDOWS\SYSTEM.
#pragma once

#include <gtest/gtest.h>

#include "tests/support/fake_services.h"
#include "tests/support/recording_host.h"

namespace WexoTest {

inline const Text kFolder = "C:\\WINDOWS\\SYSTEM";
inline const Text kSource = "C:\\work\\Foo.dll";
inline const Text kCopy = "C:\\WINDOWS\\SYSTEM\\Foo.dll";

class RunFixture : public ::testing::Test {
protected:
    RunFixture() : host(services.calls) { Reset(); }

    // Back to the starting point: the services forget every file, module and call.
    void Reset() {
        services = FakeServices();
        host.targetPath = kSource;
        host.displayName = "Foo.dll";
        host.systemFolder = kFolder;
        host.boxes.clear();
        services.files[kSource] = kSource;
        Serve(kSource, ExportOk);
    }

    void Serve(const Text& path, std::int32_t (*status)()) {
        services.modules[path] = {{{"DllRegisterServer", status}, {"DllUnregisterServer", status}}};
    }

    FakeServices services;
    RecordingHost host;
};

}  // namespace WexoTest
