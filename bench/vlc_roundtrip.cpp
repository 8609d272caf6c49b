// One button press through Vlc.dll against the real VLC, beside VLC's own floor: a bare request
// to the same web interface, measured in the same run, alternating with the presses. Then VLC is
// stopped (SIGSTOP: it answers nothing, as a hung player) and the longest a press blocks its
// caller is measured against the contract's time-out.
//
//   vlc_roundtrip PORT PASSWORD VLC_PID [PRESSES]      (run by bench/vlc_roundtrip.sh)
//
// The plug-in finds that VLC through its settings file (%APPDATA%\vlc\vlcrc), as it finds a VLC
// the user started with the web interface on.
//
// Then the state export: what one PCDVD_State call costs its caller (the program's window thread
// asks every 20 ms while a click waits for the player), while VLC answers and while it is stopped.

#include <winsock2.h>
#include <ws2tcpip.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "plugins/contract.h"

namespace {

constexpr int kUpCode = 11;  // Vlc.dll's "Up": nav-up, which changes nothing outside a menu
constexpr double kContractTimeoutMs = 5000;

double nowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

std::string base64(const std::string& bytes) {
    static const char* const kDigits =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        unsigned value = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size())
            value |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size())
            value |= static_cast<unsigned char>(bytes[i + 2]);
        text += kDigits[(value >> 18) & 63];
        text += kDigits[(value >> 12) & 63];
        text += i + 1 < bytes.size() ? kDigits[(value >> 6) & 63] : '=';
        text += i + 2 < bytes.size() ? kDigits[value & 63] : '=';
    }
    return text;
}

// The same key request the plug-in makes, written by hand: connect, send, read to the end.
bool bareRequest(unsigned short port, const std::string& password, DWORD timeoutMs = 5000) {
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET)
        return false;
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeoutMs),
               sizeof timeoutMs);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bool ok = connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    const std::string request =
        "GET /requests/status.xml?command=key&val=nav-up HTTP/1.1\r\n"
        "Host: 127.0.0.1\r\nAuthorization: Basic " +
        base64(":" + password) + "\r\nConnection: close\r\n\r\n";
    ok = ok && send(s, request.data(), static_cast<int>(request.size()), 0) ==
                   static_cast<int>(request.size());
    char buffer[4096];
    std::string answer;
    int got = 0;
    while (ok && (got = recv(s, buffer, sizeof buffer, 0)) > 0)
        answer.append(buffer, got);
    closesocket(s);
    return ok && answer.rfind("HTTP/1.1 200", 0) == 0;
}

double percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1))];
}

// A Unix program, which Wine starts from its Z:\ path. Wine gives such a process no exit code
// of its own to wait for: whether it did its work is for the caller to see.
bool runUnix(const std::string& commandLine) {
    std::string line = commandLine;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

std::string distFolder() {
    std::string folder = "Z:" SPINDREL_DIST_DIR;
    std::replace(folder.begin(), folder.end(), '/', '\\');
    return folder;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::printf("usage: vlc_roundtrip PORT PASSWORD VLC_PID [PRESSES]\n");
        return 2;
    }
    const auto port = static_cast<unsigned short>(std::atoi(argv[1]));
    const std::string password = argv[2];
    const std::string vlcPid = argv[3];
    const int presses = argc > 4 ? std::max(10, std::atoi(argv[4])) : 200;

    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    HMODULE plugin = LoadLibraryA((distFolder() + "\\Vlc.dll").c_str());
    if (plugin == nullptr) {
        std::printf("Vlc.dll: cannot load\n");
        return 1;
    }
    const auto player = reinterpret_cast<spindrel::contract::PCDVD_Player_fn>(
        reinterpret_cast<void*>(GetProcAddress(plugin, "PCDVD_Player")));
    const auto send = reinterpret_cast<spindrel::contract::Send_To_DVD_fn>(
        reinterpret_cast<void*>(GetProcAddress(plugin, "Send_To_DVD")));
    const DWORD looking = GetTickCount();
    while (player() == 0 && GetTickCount() - looking < 15000)
        Sleep(10);
    // A press, not Wait_For_Player: the wait answers 0 for a VLC the plug-in has not started or
    // handed a disc (this one is the user's own), so that an automatic run gives it the disc.
    if (player() == 0 || send(kUpCode) == 0) {
        std::printf("Vlc.dll does not find VLC (its window, or its web interface)\n");
        return 1;
    }

    for (int i = 0; i < 10; ++i) {  // warm-up of both paths
        send(kUpCode);
        bareRequest(port, password);
    }
    std::vector<double> pressMs;
    std::vector<double> bareMs;
    int bareFailures = 0;
    for (int i = 0; i < presses; ++i) {
        double start = nowMs();
        send(kUpCode);
        pressMs.push_back(nowMs() - start);
        start = nowMs();
        if (!bareRequest(port, password))
            ++bareFailures;
        bareMs.push_back(nowMs() - start);
    }
    const double pressMedian = percentile(pressMs, 0.5);
    const double bareMedian = percentile(bareMs, 0.5);
    std::printf(
        "Vlc.dll press (Send_To_DVD, Up)   %4d  median %6.2f ms  p95 %6.2f ms  max %7.2f ms\n",
        presses, pressMedian, percentile(pressMs, 0.95), percentile(pressMs, 1.0));
    std::printf(
        "bare request (same key, same VLC) %4d  median %6.2f ms  p95 %6.2f ms  max %7.2f ms%s\n",
        presses, bareMedian, percentile(bareMs, 0.95), percentile(bareMs, 1.0),
        bareFailures > 0 ? "  (some failed)" : "");
    std::printf("press / bare request, medians: %.3f\n", pressMedian / bareMedian);

    const auto state = reinterpret_cast<spindrel::contract::PCDVD_State_fn>(
        reinterpret_cast<void*>(GetProcAddress(plugin, spindrel::contract::kStateExport)));
    if (state == nullptr) {
        std::printf("Vlc.dll has no %s\n", spindrel::contract::kStateExport);
        return 1;
    }
    spindrel::contract::PlayerStateRecord record{};
    record.size = sizeof record;
    const auto askEvery20Ms = [&](int calls) {
        std::vector<double> ms;
        for (int i = 0; i < calls; ++i) {
            const double start = nowMs();
            state(&record);
            ms.push_back(nowMs() - start);
            Sleep(20);
        }
        return ms;
    };
    const DWORD asking = GetTickCount();
    while (state(&record) == 0 && GetTickCount() - asking < 5000)
        Sleep(20);
    const double firstKnownMs = GetTickCount() - asking;
    const std::vector<double> stateMs = askEvery20Ms(presses);
    std::printf(
        "PCDVD_State, VLC answers          %4d  median %6.3f ms  p95 %6.3f ms  max %7.3f ms"
        "  (first reading after %.0f ms, domain %d)\n",
        presses, percentile(stateMs, 0.5), percentile(stateMs, 0.95), percentile(stateMs, 1.0),
        firstKnownMs, record.domain);

    // A VLC that stops answering: the connection is accepted by the system, the answer never
    // comes.
    if (!runUnix("Z:\\bin\\kill -STOP " + vlcPid)) {
        std::printf("cannot stop VLC (pid %s)\n", vlcPid.c_str());
        return 1;
    }
    // Wine does not wait for a Unix program the way it waits for its own: a bare request that
    // goes unanswered says VLC has stopped.
    const double stopping = nowMs();
    while (bareRequest(port, password, 300) && nowMs() - stopping < 5000)
        Sleep(50);
    if (bareRequest(port, password, 1000)) {
        std::printf("VLC (pid %s) still answers after SIGSTOP\n", vlcPid.c_str());
        return 1;
    }
    std::vector<double> stoppedMs;
    for (int i = 0; i < 3; ++i) {
        const double start = nowMs();
        send(kUpCode);
        stoppedMs.push_back(nowMs() - start);
    }
    const std::vector<double> stoppedStateMs = askEvery20Ms(100);
    runUnix("Z:\\bin\\kill -CONT " + vlcPid);
    std::printf(
        "PCDVD_State, VLC stopped           100  median %6.3f ms  p95 %6.3f ms  max %7.3f ms\n",
        percentile(stoppedStateMs, 0.5), percentile(stoppedStateMs, 0.95),
        percentile(stoppedStateMs, 1.0));
    std::printf(
        "VLC stopped: presses blocked %.0f, %.0f, %.0f ms (the contract's time-out: %.0f ms)\n",
        stoppedMs[0], stoppedMs[1], stoppedMs[2], kContractTimeoutMs);
    const double longest = *std::max_element(stoppedMs.begin(), stoppedMs.end());
    FreeLibrary(plugin);
    WSACleanup();
    return longest <= kContractTimeoutMs + 100 ? 0 : 1;
}
