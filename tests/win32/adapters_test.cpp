// The smaller adapters against the real API: shared memory, timers, libraries, files, the
// program's own facts, and windows of this process.

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <memory>

#include "app/plugin_binding.h"
#include "base/timer.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_library.h"
#include "platform/win32/win32_message_pump.h"
#include "platform/win32/win32_shared_memory.h"
#include "platform/win32/win32_super_timers.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_timers.h"
#include "platform/win32/win32_windows.h"
#include "support/scripted_message_boxes.h"
#include "support/wine_paths.h"

namespace spindrel {
namespace {

std::string uniqueName(const char* stem) {
    return std::string(stem) + std::to_string(GetCurrentProcessId()) + "_" +
           std::to_string(GetTickCount());
}

TEST(SharedMemoryAdapterTest, SecondCreateOfANameReportsThatItExisted) {
    Win32SharedMemory port;
    const std::string name = uniqueName("SpindrelTest");
    bool existed = true;
    const SharedMemoryHandle first = port.createOrOpen(name, 8, existed);
    ASSERT_NE(first, 0u);
    EXPECT_FALSE(existed);
    auto* view = static_cast<std::uint32_t*>(port.map(first));
    ASSERT_NE(view, nullptr);
    view[0] = 0xCAFE;
    view[1] = 0xBEEF;
    port.unmap(view);

    const SharedMemoryHandle second = port.createOrOpen(name, 8, existed);
    ASSERT_NE(second, 0u);
    EXPECT_TRUE(existed);
    auto* other = static_cast<std::uint32_t*>(port.map(second));
    EXPECT_EQ(other[0], 0xCAFEu);
    EXPECT_EQ(other[1], 0xBEEFu);
    port.unmap(other);
    port.close(second);
    port.close(first);

    // The name lives exactly as long as a handle is open.
    const SharedMemoryHandle third = port.createOrOpen(name, 8, existed);
    EXPECT_FALSE(existed);
    port.close(third);
}

TEST(TimersAdapterTest, TicksArriveThroughTheMessageLoopAndStopWhenDisabled) {
    Win32Timers service;
    Win32MessagePump pump;
    int ticks = 0;
    Timer timer(service, 20, [&] { ++ticks; });
    const double start = service.nowMs();
    timer.setEnabled(true);
    while (ticks < 3 && service.nowMs() - start < 5000) {
        pump.processMessages();
        Sleep(1);
    }
    ASSERT_EQ(ticks, 3) << "three 20 ms ticks did not arrive within 5 s";
    EXPECT_GE(service.nowMs() - start, 55.0);
    timer.setEnabled(false);
    const double stopped = service.nowMs();
    while (service.nowMs() - stopped < 100) {
        pump.processMessages();
        Sleep(1);
    }
    EXPECT_EQ(ticks, 3);
}

TEST(SuperTimersAdapterTest, TicksAreMeasuredOnAThreadButRunOnTheUserInterfaceThread) {
    Win32SuperTimers service;
    Win32MessagePump pump;
    const DWORD uiThread = GetCurrentThreadId();
    std::vector<double> at;
    bool onUiThread = true;
    Timer timer(service, 30, [&] {
        at.push_back(service.nowMs());
        onUiThread = onUiThread && GetCurrentThreadId() == uiThread;
    });
    const double start = service.nowMs();
    timer.setEnabled(true);
    while (at.size() < 5 && service.nowMs() - start < 5000) {
        pump.processMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    ASSERT_EQ(at.size(), 5u) << "five 30 ms ticks did not arrive within 5 s";
    EXPECT_TRUE(onUiThread);
    EXPECT_GE(at.front() - start, 29.0);
    for (std::size_t i = 1; i < at.size(); ++i)
        EXPECT_GE(at[i] - at[i - 1], 25.0);
    timer.setEnabled(false);
    const double stopped = service.nowMs();
    while (service.nowMs() - stopped < 100) {
        pump.processMessages();
        Sleep(1);
    }
    EXPECT_EQ(at.size(), 5u);
}

// The user-interface thread blocked for a second (a plug-in call waiting for the player): the
// slide timer's ticks that fell due meanwhile arrive as one, and a press timer started again by
// its own tick keeps the period from when that tick was due.
TEST(SuperTimersAdapterTest, ALateTimerFiresOnceAndARestartFromItsTickKeepsTheCadence) {
    Win32SuperTimers service;
    Win32MessagePump pump;
    int slides = 0;
    Timer slider(service, 30, [&] { ++slides; });
    slider.setEnabled(true);
    Sleep(1000);
    const double awake = service.nowMs();
    while (service.nowMs() - awake < 20) {
        pump.processMessages();
        Sleep(1);
    }
    slider.setEnabled(false);
    EXPECT_EQ(slides, 1) << "the ticks held up while the thread was busy came in a burst";

    std::vector<double> at;
    Timer clicks(service, 100);
    clicks.setOnTick([&] {
        at.push_back(service.nowMs());
        clicks.setEnabled(false);
        Sleep(40);  // the press, waiting for the player
        if (at.size() < 4)
            clicks.setEnabled(true);
    });
    const double start = service.nowMs();
    clicks.setEnabled(true);
    while (at.size() < 4 && service.nowMs() - start < 5000) {
        pump.processMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
    ASSERT_EQ(at.size(), 4u);
    EXPECT_LT(at.back() - start, 100 * 4 + 30.0) << "each press's own time was added to its wait";
}

// A tick comes as a sent message, which a message loop never gets back; the loop must still
// wake after it, or the window would show what the tick changed only at the next input.
TEST(SuperTimersAdapterTest, EachTickWakesTheMessageLoop) {
    Win32SuperTimers service;
    int ticks = 0;
    Timer timer(service, 20, [&] { ++ticks; });
    timer.setEnabled(true);
    int wokenAfterTick = 0;
    const double start = service.nowMs();
    while (wokenAfterTick < 3 && service.nowMs() - start < 3000) {
        MSG message;
        // Sent messages (the ticks) run inside PeekMessage; it returns only posted ones.
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (ticks > 0)
                ++wokenAfterTick;
            DispatchMessageA(&message);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
    }
    timer.setEnabled(false);
    EXPECT_GE(ticks, 3);
    EXPECT_EQ(wokenAfterTick, 3) << "the loop got nothing back after the ticks";
}

TEST(LibraryAdapterTest, LoadsAPluginAndFindsItsExportsByPlainName) {
    Win32Library libraries;
    const LibraryHandle stub = libraries.load("stub_plugin.dll");
    ASSERT_NE(stub, 0u);
    EXPECT_NE(libraries.symbol(stub, "Get_Abilities"), nullptr);
    EXPECT_EQ(libraries.symbol(stub, "Get_Abilities@4"), nullptr);
    EXPECT_EQ(libraries.symbol(stub, "Nothing"), nullptr);
    EXPECT_EQ(libraries.load("no_such_plugin.dll"), 0u);
}

TEST(LibraryAdapterTest, BindingARealDllCallsItsExports) {
    Win32Library libraries;
    testing::ScriptedMessageBoxes messages;
    Control image4;
    auto player = bindPlugin(libraries, messages, "stub_plugin.dll", "DVD Spindrel", image4);
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->PCDVD_Player(), 0u);
    EXPECT_FALSE(player->Start_DVD_Player('E'));
    auto buffer = std::make_unique<char[]>(10000);
    player->Get_Abilities(buffer.get());
    EXPECT_STREQ(buffer.get(), "Play(7,9,0,0)");

    EXPECT_EQ(bindPlugin(libraries, messages, "stub_plugin_nokill.dll", "DVD Spindrel", image4),
              nullptr);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "Missing function in Dynamic Link Library\t\r\rDLL Name:\tstub_plugin_nokill.dll\r"
              "Export:\t\tKill_DVD_Player");
}

TEST(FileSystemAdapterTest, CreatesFoldersAndReportsTheSystemsErrors) {
    Win32FileSystem files;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + uniqueName("spindrel_fs_");
    ASSERT_FALSE(files.directoryExists(folder));
    ASSERT_EQ(files.createDirectory(folder), 0);
    EXPECT_TRUE(files.directoryExists(folder));
    EXPECT_FALSE(files.fileExists(folder));
    EXPECT_EQ(files.createDirectory(folder), ERROR_ALREADY_EXISTS);
    EXPECT_EQ(files.createDirectory(folder + "\\missing\\child"), ERROR_PATH_NOT_FOUND);

    const std::string before = files.currentDirectory();
    ASSERT_EQ(files.setCurrentDirectory(folder), 0);
    HANDLE file = CreateFileA("probe.dsm", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    EXPECT_TRUE(files.fileExists("probe.dsm"));  // relative names are found in the current folder
    EXPECT_NE(files.setCurrentDirectory(folder + "\\missing"), 0);
    files.setCurrentDirectory(before);
    DeleteFileA((folder + "\\probe.dsm").c_str());
    RemoveDirectoryA(folder.c_str());
}

TEST(SystemAdapterTest, ReadsTheProgramsVersionResourceAndCursors) {
    Win32System system;
    const std::string program =
        testing::windowsPath(std::string(SPINDREL_DIST_DIR) + "/DVD_Spindrel.exe");
    const auto version = system.fileVersion(program);
    ASSERT_TRUE(version.has_value()) << program;
    EXPECT_EQ(*version, (std::array<int, 4>{1, 0, 0, 1}));
    EXPECT_FALSE(system.fileVersion("stub_plugin.dll").has_value());

    HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    EXPECT_NE(FindResourceA(module, "DRAGCURSOR", MAKEINTRESOURCEA(12)),
              nullptr);  // RT_GROUP_CURSOR
    EXPECT_NE(FindResourceA(module, "SAVECURSOR", MAKEINTRESOURCEA(12)), nullptr);
    FreeLibrary(module);

    EXPECT_NE(system.programPath().find("win32_tests.exe"), std::string::npos);
    EXPECT_EQ(system.errorText(ERROR_FILE_NOT_FOUND).empty(), false);
    EXPECT_FALSE(system.loadCursor("NOSUCHCURSOR", -1));
}

class WindowsAdapterTest : public ::testing::Test {
  protected:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_USER + 7)
            return static_cast<LRESULT>(wParam + 1);
        if (message == WM_USER + 8) {
            posted = static_cast<int>(lParam);
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
    void SetUp() override {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &Proc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "SpindrelAdapterProbe";
        RegisterClassA(&windowClass);
        window = CreateWindowExA(0, "SpindrelAdapterProbe", "Probe Window Title", WS_OVERLAPPED, 0,
                                 0, 10, 10, nullptr, nullptr, windowClass.hInstance, nullptr);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override { DestroyWindow(window); }

    static inline int posted = 0;
    HWND window = nullptr;
    Win32Windows windows;
};

TEST_F(WindowsAdapterTest, FindsByWholeClassAndTitleAndDeliversMessages) {
    const WindowHandle found = windows.findWindow("SpindrelAdapterProbe", "Probe Window Title");
    EXPECT_EQ(found, static_cast<WindowHandle>(reinterpret_cast<ULONG_PTR>(window)));
    EXPECT_EQ(windows.findWindow("SpindrelAdapterProbe", "Probe Window"), 0u);
    EXPECT_EQ(windows.findWindow("SpindrelAdapter", "Probe Window Title"), 0u);
    EXPECT_EQ(windows.findWindowWithTitleEnd("SpindrelAdapterProbe", "Window Title"), found);
    EXPECT_EQ(windows.findWindowWithTitleEnd("SpindrelAdapterProbe", "Probe Window Title"), found);
    EXPECT_EQ(windows.findWindowWithTitleEnd("SpindrelAdapterProbe", "Probe Window"), 0u);
    EXPECT_EQ(windows.findWindowWithTitleEnd("SpindrelAdapterProbe", "x Probe Window Title"), 0u);

    const SendResult reply = windows.sendMessageTimeout(found, WM_USER + 7, 41, 0, 1000);
    EXPECT_TRUE(reply.ok);
    EXPECT_EQ(reply.reply, 42u);

    EXPECT_TRUE(windows.postMessage(found, WM_USER + 8, 0, 99));
    Win32MessagePump().processMessages();
    EXPECT_EQ(posted, 99);

    EXPECT_FALSE(windows.sendMessageTimeout(0, WM_USER, 0, 0, 100).ok);
}

}  // namespace
}  // namespace spindrel
