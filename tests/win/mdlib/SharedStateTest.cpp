// MD.dll across real processes: values one process sets are read by another, the
// MDS flag follows the settings program's executable name, and a killed owner
// releases its flag.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "win/MessageBox.h"
#include "win/ProgramFolder.h"
#include "win/SharedStateBinder.h"
#include "support/HeldProcess.h"
#include "support/WaitFor.h"

namespace {

std::string TestFolder() { return ProgramFolder(); }

std::string Probe() { return TestFolder() + "\\md_probe.exe"; }
std::string Settings() { return TestFolder() + "\\MDS.EXE"; }

HANDLE Start(const std::string& exe, const std::string& arguments) {
    std::string command = "\"" + exe + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(exe.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        return nullptr;
    }
    CloseHandle(info.hThread);
    return info.hProcess;
}

DWORD Finish(HANDLE process) {
    DWORD code = 9999;
    if (WaitForSingleObject(process, 30000) == WAIT_OBJECT_0) GetExitCodeProcess(process, &code);
    CloseHandle(process);
    return code;
}

// Runs a probe to its end: 0 when every expectation held.
DWORD RunToEnd(const std::string& exe, const std::string& arguments) {
    HANDLE process = Start(exe, arguments);
    return process != nullptr ? Finish(process) : 8888;
}

class SharedState : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        SetMessageRecorder([](HWND, const std::string& text, MessageKind, UINT) {
            ADD_FAILURE() << "unexpected message: " << text;
            return IDOK;
        });
        ASSERT_TRUE(SharedStateBinder().Load());
    }
    static void TearDownTestSuite() {
        SharedStateBinder().Unload();
        SetMessageRecorder(nullptr);
    }
    void TearDown() override {
        md.SetMDKFlag(0);
        md.SetItem(-1);
        md.SetChgFlag(0);
        md.SetExitFlag(0);
    }
    SharedStateBinder md;
};

// Runs first in a fresh mapping: nothing has been set yet.
TEST_F(SharedState, AFreshLibraryReadsItsInitialValues) {
    EXPECT_EQ(md.GetMDSFlag(), 0);
    EXPECT_EQ(md.GetMDKFlag(), 0);
    EXPECT_EQ(md.GetItem(), -1);
    EXPECT_EQ(md.GetChgFlag(), 0);
    EXPECT_EQ(md.GetExitFlag(), 0);
}

// Per logon session, not per machine: with fast user switching each user's
// programs keep their own values. Wine has one session; what it can show is
// that the values sit under the session's own name.
TEST_F(SharedState, TheValuesLiveInTheSessionsOwnNamespace) {
    md.SetItem(5);
    HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, "Local\\Vezaru.Mirado.MD.SharedState");
    ASSERT_NE(mapping, nullptr) << GetLastError();
    CloseHandle(mapping);
    EXPECT_EQ(RunToEnd(Probe(), "expect item=5"), 0u);
}

TEST_F(SharedState, ValuesSetInOneProcessAreReadInAnother) {
    md.SetItem(7);
    md.SetChgFlag(1);
    md.SetExitFlag(1);
    EXPECT_EQ(RunToEnd(Probe(), "expect item=7 chg=1 exit=1 mdk=0 mds=0"), 0u);

    HeldProcess other(Probe(), "hold", "item=3 chg=0 exit=0 mdk=1");
    ASSERT_TRUE(other.Started());
    EXPECT_EQ(md.GetItem(), 3);
    EXPECT_EQ(md.GetChgFlag(), 0);
    EXPECT_EQ(md.GetExitFlag(), 0);
    EXPECT_EQ(md.GetMDKFlag(), 1);
    EXPECT_EQ(RunToEnd(Probe(), "expect mdk=1 item=3"), 0u);
    // The change and exit flags are messages to the next reader: they outlive
    // the process that set them.
    md.SetChgFlag(1);
    EXPECT_EQ(other.Release(), 100u);
    EXPECT_EQ(md.GetChgFlag(), 1);
    EXPECT_EQ(md.GetItem(), 3);
}

TEST_F(SharedState, TheFirstSettingsProgramReadsZeroAndEveryoneElseNonZero) {
    HeldProcess first(Settings(), "hold", "");
    ASSERT_TRUE(first.Started());
    EXPECT_NE(md.GetMDSFlag(), 0);
    EXPECT_EQ(RunToEnd(Settings(), "expect mds=1"), 0u) << "a second MDS must see the first";
    EXPECT_EQ(RunToEnd(Probe(), "expect mds=1"), 0u) << "any other program sees MDS";
    EXPECT_EQ(first.Release(), 100u) << "the first MDS read 0 at its own start";

    EXPECT_EQ(md.GetMDSFlag(), 0);
    EXPECT_EQ(RunToEnd(Probe(), "expect mds=0"), 0u);
    EXPECT_EQ(RunToEnd(Settings(), "expect mds=0"), 0u) << "the next MDS is first again";
}

TEST_F(SharedState, AKilledSettingsProgramNoLongerPausesAnyone) {
    HeldProcess settings(Settings(), "hold", "");
    ASSERT_TRUE(settings.Started());
    EXPECT_NE(md.GetMDSFlag(), 0);
    settings.Kill();
    EXPECT_TRUE(WaitFor([&] { return md.GetMDSFlag() == 0; }, 2000));
    EXPECT_EQ(RunToEnd(Probe(), "expect mds=0"), 0u);
    HeldProcess next(Settings(), "hold", "");
    ASSERT_TRUE(next.Started());
    EXPECT_NE(md.GetMDSFlag(), 0);
    EXPECT_EQ(next.Release(), 100u);
}

TEST_F(SharedState, AKilledResidentChangerDoesNotBlockTheNext) {
    HeldProcess resident(Probe(), "hold", "mdk=1");
    ASSERT_TRUE(resident.Started());
    EXPECT_EQ(md.GetMDKFlag(), 1);
    md.SetExitFlag(1);  // a request the killed one never saw
    resident.Kill();
    EXPECT_TRUE(WaitFor([&] { return md.GetMDKFlag() == 0; }, 2000));
    EXPECT_EQ(RunToEnd(Probe(), "expect mdk=0"), 0u);

    HeldProcess next(Probe(), "hold", "mdk=1");
    ASSERT_TRUE(next.Started());
    EXPECT_EQ(md.GetMDKFlag(), 1);
    EXPECT_EQ(md.GetExitFlag(), 0) << "the next MDK must not end on its first tick";
    next.Release();
    // It never cleared its mark, but it is gone: the flag reads 0.
    EXPECT_TRUE(WaitFor([&] { return md.GetMDKFlag() == 0; }, 2000));
}

TEST_F(SharedState, EveryExportStaysCheapWhileAnotherProgramOwnsTheFlags) {
    HeldProcess settings(Settings(), "hold", "");
    HeldProcess resident(Probe(), "hold", "mdk=1");
    ASSERT_TRUE(settings.Started());
    ASSERT_TRUE(resident.Started());
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    const int calls = 20000;
    int sum = 0;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < calls; ++i) sum += md.GetMDSFlag();
    QueryPerformanceCounter(&end);
    const double mdsNs = 1e9 * static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart / calls;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < calls; ++i) sum += md.GetMDKFlag();
    QueryPerformanceCounter(&end);
    const double mdkNs = 1e9 * static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart / calls;
    EXPECT_EQ(sum, 2 * calls);
    std::printf("MD_GetMDSFlag %.0f ns/call, MD_GetMDKFlag %.0f ns/call (owner alive in another process)\n",
                mdsNs, mdkNs);
    // Polled every 10 ms: even a millisecond would be a tenth of the resident's time.
    EXPECT_LT(mdsNs, 200000.0);
}

}  // namespace
