// How long one button press takes from the program's side: Send_To_DVD of a plug-in to the
// stand-in player in another process, from the call to its return.
//
//   send_roundtrip [PLUGIN.dll [CODE [CALLS]]]      (default: every plug-in, its Play, 2000 calls)
//
// The plug-ins are taken from the build's dist folder, fakeplayer.exe from beside this program.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "plugins/contract.h"

namespace {

struct Target {
    const char* dll;
    const char* as;
    int play;  // the plug-in's code for Play
};

constexpr Target kTargets[] = {
    {"Corvane.dll", "corvane", 0},   {"Corvane3.dll", "corvane3", 0},
    {"Brannock.dll", "brannock", 0}, {"Wyvernel.dll", "wyvernel", 0},
    {"Mpc.dll", "mpc", 887},
};

std::string folderOf(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }

std::string ownFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return folderOf(path);
}

std::string distFolder() {
    std::string folder = "Z:" SPINDREL_DIST_DIR;
    std::replace(folder.begin(), folder.end(), '/', '\\');
    return folder;
}

double percentile(std::vector<double> sorted, double fraction) {
    const auto index = static_cast<std::size_t>(fraction * static_cast<double>(sorted.size() - 1));
    return sorted[index];
}

int measure(const Target& target, int code, int calls) {
    HMODULE plugin = LoadLibraryA((distFolder() + "\\" + target.dll).c_str());
    if (plugin == nullptr) {
        std::printf("%s: cannot load\n", target.dll);
        return 1;
    }
    const auto player = reinterpret_cast<spindrel::contract::PCDVD_Player_fn>(
        reinterpret_cast<void*>(GetProcAddress(plugin, "PCDVD_Player")));
    const auto send = reinterpret_cast<spindrel::contract::Send_To_DVD_fn>(
        reinterpret_cast<void*>(GetProcAddress(plugin, "Send_To_DVD")));
    const auto kill = reinterpret_cast<spindrel::contract::Kill_DVD_Player_fn>(
        reinterpret_cast<void*>(GetProcAddress(plugin, "Kill_DVD_Player")));

    std::string command =
        "\"" + ownFolder() + "\\..\\testbin\\fakeplayer.exe\" --quiet --as " + target.as;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::printf("cannot start %s\n", command.c_str());
        FreeLibrary(plugin);
        return 1;
    }
    const DWORD start = GetTickCount();
    while (player() == 0 && GetTickCount() - start < 15000) Sleep(10);
    if (player() == 0) {
        std::printf("%s: the stand-in player did not appear\n", target.dll);
        TerminateProcess(process.hProcess, 1);
        return 1;
    }
    WaitForInputIdle(process.hProcess, 5000);

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    for (int i = 0; i < calls / 10; ++i) send(code);  // warm-up
    std::vector<double> times;
    times.reserve(static_cast<std::size_t>(calls));
    for (int i = 0; i < calls; ++i) {
        LARGE_INTEGER before;
        LARGE_INTEGER after;
        QueryPerformanceCounter(&before);
        send(code);
        QueryPerformanceCounter(&after);
        times.push_back(static_cast<double>(after.QuadPart - before.QuadPart) * 1000.0 /
                        static_cast<double>(frequency.QuadPart));
    }
    std::sort(times.begin(), times.end());
    std::printf("%-13s code %3d  %5d calls  median %.3f ms  p95 %.3f ms  max %.3f ms\n", target.dll,
                code, calls, percentile(times, 0.5), percentile(times, 0.95), times.back());

    kill();
    if (WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    FreeLibrary(plugin);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const int calls = argc > 3 ? std::max(1, std::atoi(argv[3])) : 2000;
    int failures = 0;
    for (const Target& target : kTargets) {
        if (argc > 1 && lstrcmpiA(argv[1], target.dll) != 0) continue;
        failures += measure(target, argc > 2 ? std::atoi(argv[2]) : target.play, calls);
    }
    return failures == 0 ? 0 : 1;
}
