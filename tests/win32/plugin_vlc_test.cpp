// Vlc.dll under the real API: it starts the player with a web interface of its own, presses
// through that interface with the port and password of that start, and gives up on bad or missing
// answers within the contract's time-outs. A small server in the test stands in for VLC's
// interface, a window of VLC's class for its main window.

#include "local_http_server.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <sstream>

#include "platform/http_text.h"
#include "plugin_fakeplayer.h"
#include "plugins/player_profile.h"

namespace spindrel::testing {
namespace {

constexpr const char* kProgramKey = "Software\\Tolvrey\\DVD-Spindrel";

double msSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// A top-level window as VLC's Qt interface registers it.
class VlcWindow {
  public:
    explicit VlcWindow(const char* title) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "Qt5QWindowIcon";
        RegisterClassA(&windowClass);
        window_ = CreateWindowExA(0, "Qt5QWindowIcon", title, WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                  nullptr, windowClass.hInstance, nullptr);
    }
    ~VlcWindow() { DestroyWindow(window_); }
    HWND get() const { return window_; }

  private:
    HWND window_ = nullptr;
};

// The value of "--name=" in a command line, up to the next blank.
std::string option(const std::string& line, const std::string& name) {
    const std::size_t at = line.find("--" + name + "=");
    if (at == std::string::npos)
        return "";
    const std::size_t begin = at + name.size() + 3;
    return line.substr(begin, line.find(' ', begin) - begin);
}

TEST(VlcPluginTest, PressesReachTheInterfaceItStartedAndBadAnswersFailFast) {
    PluginDll vlc("Vlc.dll");
    ASSERT_TRUE(vlc.loaded()) << pluginPath("Vlc.dll");
    std::vector<char> buffer(contract::kAbilityBufferSize, 'x');
    EXPECT_EQ(std::string(vlc.Get_Abilities(buffer.data())),
              plugins::abilityText(plugins::vlcProfile()));

    // No VLC yet: nothing is found, pressed or waited for.
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(vlc.PCDVD_Player(), 0u);
    EXPECT_EQ(vlc.Send_To_DVD(12), 0);
    EXPECT_EQ(vlc.Wait_For_Player(), 0);
    EXPECT_LE(msSince(start), 1000.0);

    // The "player" is a batch file that writes down its command line.
    TempFile arguments("vlc_arguments");
    TempFile script("vlc_player");
    const std::string batch = script.path() + ".bat";
    {
        std::ofstream out(batch, std::ios::binary);
        out << "@echo %*> \"" << arguments.path() << "\"\r\n";
    }
    SavedRegistryValue located(kProgramKey, "PCDVD");
    located.set(batch);
    ASSERT_NE(vlc.Start_DVD_Player('E'), 0);
    std::string line;
    for (int i = 0; i < 200 && line.empty(); ++i) {
        Sleep(25);
        std::ifstream in(arguments.path());
        std::getline(in, line);
    }
    DeleteFileA(batch.c_str());
    ASSERT_FALSE(line.empty()) << "the player was not started";
    EXPECT_EQ(option(line, "extraintf").find("http"), 0u) << line;
    EXPECT_EQ(option(line, "http-host"), "127.0.0.1");
    EXPECT_NE(line.find(" --no-one-instance --no-dvdnav-menu dvd:///E:/"), std::string::npos)
        << line;
    const std::string password = option(line, "http-password");
    EXPECT_EQ(password.size(), 32u);
    const int port = std::atoi(option(line, "http-port").c_str());
    ASSERT_GT(port, 0) << line;

    LocalHttpServer server(static_cast<std::uint16_t>(port));
    ASSERT_EQ(server.port(), port);
    const VlcWindow window("Film - VLC media player");
    EXPECT_EQ(toHwnd(vlc.PCDVD_Player()), window.get());
    EXPECT_EQ(toHwnd(vlc.PCDVD_Window()), window.get());

    EXPECT_EQ(vlc.Wait_For_Player(), 1);
    EXPECT_EQ(vlc.Send_To_DVD(12), 1);
    EXPECT_EQ(vlc.Send_To_DVD(-1), 0);
    const std::vector<std::string> requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].rfind("GET /requests/status.xml HTTP/1.0\r\n", 0), 0u);
    EXPECT_EQ(requests[1].rfind("GET /requests/status.json?command=key&val=nav-down HTTP", 0), 0u);
    EXPECT_NE(requests[1].find("Authorization: Basic " + base64(":" + password) + "\r\n"),
              std::string::npos);

    server.answer(401, "");
    EXPECT_EQ(vlc.Send_To_DVD(12), 0);
    start = std::chrono::steady_clock::now();
    EXPECT_EQ(vlc.Wait_For_Player(), 0);
    EXPECT_LE(msSince(start), 1000.0);

    // VLC stops answering mid-macro: one press waits out the contract's time-out, the next ones
    // give up at once until it answers again.
    server.silent();
    start = std::chrono::steady_clock::now();
    EXPECT_EQ(vlc.Send_To_DVD(12), 0);
    EXPECT_GE(msSince(start), 4900.0);
    EXPECT_LE(msSince(start), 6000.0);
    start = std::chrono::steady_clock::now();
    EXPECT_EQ(vlc.Send_To_DVD(12), 0);
    EXPECT_LE(msSince(start), 1000.0);
    server.answer(200, "<root/>");
    EXPECT_EQ(vlc.Send_To_DVD(12), 1);

    // The state: read from status.json on a thread of the plug-in's, handed over at once, also
    // while VLC keeps the reader waiting.
    ASSERT_NE(vlc.PCDVD_State, nullptr);
    server.answer(200, R"({"state":"playing","information":{"title":2,"chapter":1}})");
    contract::PlayerStateRecord record{};
    record.size = sizeof record;
    start = std::chrono::steady_clock::now();
    while (vlc.PCDVD_State(&record) == 0 && msSince(start) < 3000)
        Sleep(10);
    EXPECT_EQ(record.known, 1) << "no state within 3 s";
    EXPECT_EQ(record.domain, contract::kDomainTitle);
    EXPECT_EQ(record.title, 2);
    EXPECT_EQ(record.chapter, 2);
    EXPECT_NE(server.requests().back().find("GET /requests/status.json HTTP/1.0"),
              std::string::npos);
    server.silent();
    Sleep(100);
    double slowest = 0;
    for (int i = 0; i < 20; ++i) {
        start = std::chrono::steady_clock::now();
        vlc.PCDVD_State(&record);
        slowest = std::max(slowest, msSince(start));
        Sleep(10);
    }
    EXPECT_LE(slowest, 20.0);
    EXPECT_EQ(record.title, 2);  // the last reading stands while VLC is silent
    server.answer(200, "<root/>");

    // It closes as a user closes it: WM_CLOSE posted to its main window.
    EXPECT_EQ(vlc.Kill_DVD_Player(), 1);
    MSG message;
    EXPECT_TRUE(PeekMessageA(&message, window.get(), WM_CLOSE, WM_CLOSE, PM_REMOVE));
}

TEST(VlcPluginTest, WithoutAnyInterfaceNothingIsPressedAndTheWaitSaysSoAtOnce) {
    PluginDll vlc("Vlc.dll");
    ASSERT_TRUE(vlc.loaded());
    const VlcWindow window("VLC media player");
    // A VLC with no interface of this run nor of the user's settings cannot take presses: the
    // wait answers 0 at once, so that the program starts it afresh.
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(vlc.Wait_For_Player(), 0);
    EXPECT_LE(msSince(start), 1000.0);
    start = std::chrono::steady_clock::now();
    EXPECT_EQ(vlc.Send_To_DVD(0), 0);
    EXPECT_LE(msSince(start), 1000.0);
}

}  // namespace
}  // namespace spindrel::testing
