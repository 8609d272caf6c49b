// Calls a player plug-in's exports in the order given, as the program does, and prints what each
// returned: the end-to-end tests drive a real player through its plug-in with it.
//
//   plugin_call PLUGIN.DLL STEP...
//     start:L   Start_DVD_Player with drive letter L (0: none)
//     wait      waits up to 15 s for PCDVD_Player to find the player, then Wait_For_Player
//     kill      Kill_DVD_Player
//     send:N    Send_To_DVD with button code N
//     pause:MS  sleeps
//     state     waits up to 15 s for PCDVD_State to know the player's state, and prints it
// Ends with 1 as soon as a start, wait or send returns 0, else with 0.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "plugins/contract.h"

namespace {

template <typename Function>
Function exported(HMODULE plugin, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(plugin, name)));
}

}  // namespace

int main(int argc, char** argv) {
    using namespace spindrel::contract;
    if (argc < 2) {
        std::fprintf(stderr, "usage: plugin_call PLUGIN.DLL STEP...\n");
        return 2;
    }
    HMODULE plugin = LoadLibraryA(argv[1]);
    if (plugin == nullptr) {
        std::fprintf(stderr, "%s: cannot load\n", argv[1]);
        return 2;
    }
    const auto player = exported<PCDVD_Player_fn>(plugin, "PCDVD_Player");
    const auto start = exported<Start_DVD_Player_fn>(plugin, "Start_DVD_Player");
    const auto wait = exported<Wait_For_Player_fn>(plugin, "Wait_For_Player");
    const auto kill = exported<Kill_DVD_Player_fn>(plugin, "Kill_DVD_Player");
    const auto send = exported<Send_To_DVD_fn>(plugin, "Send_To_DVD");
    const auto state = exported<PCDVD_State_fn>(plugin, kStateExport);
    if (!player || !start || !wait || !kill || !send) {
        std::fprintf(stderr, "%s: an export is missing\n", argv[1]);
        return 2;
    }
    for (int i = 2; i < argc; ++i) {
        const std::string step = argv[i];
        const std::string name = step.substr(0, step.find(':'));
        const std::string value =
            step.find(':') == std::string::npos ? "" : step.substr(step.find(':') + 1);
        long result = 1;
        if (name == "start") {
            result = start(value == "0" || value.empty() ? '\0' : value[0]);
        } else if (name == "wait") {
            const DWORD looking = GetTickCount();
            while (player() == 0 && GetTickCount() - looking < 15000)
                Sleep(50);
            result = wait();
        } else if (name == "kill") {
            kill();
        } else if (name == "send") {
            result = send(std::atoi(value.c_str()));
        } else if (name == "state" && state) {
            PlayerStateRecord record{};
            record.size = sizeof record;
            const DWORD asking = GetTickCount();
            while ((result = state(&record)) == 0 && GetTickCount() - asking < 15000)
                Sleep(20);
            std::printf("domain %d title %d chapter %d since %u ms\n", record.domain, record.title,
                        record.chapter, record.sinceMs);
        } else if (name == "pause") {
            Sleep(static_cast<DWORD>(std::atoi(value.c_str())));
        } else {
            std::fprintf(stderr, "unknown step %s\n", step.c_str());
            return 2;
        }
        std::printf("%s -> %ld\n", step.c_str(), result);
        std::fflush(stdout);
        if (result == 0)
            return 1;
    }
    return 0;
}
