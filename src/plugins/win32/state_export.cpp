// The optional state export. The program asks for the player's state several times a second on
// its window's thread, so the answer must never wait for the player: a thread of the plug-in's
// own reads the player and keeps its latest reading, which the export hands over at once. The
// thread reads only while the program asks, so an idle program costs the player nothing.

#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

#include "plugins/contract.h"
#include "plugins/engine.h"
#include "plugins/player_status.h"
#include "plugins/win32/engine_ports.h"
#include "plugins/win32/this_player.h"

namespace spindrel::plugins {
WebSession webSessionCopy();  // plugin_exports.cpp
}

using namespace spindrel::plugins;

namespace {

// One status request costs VLC about 22 ms and 1 to 2 ms of its processor time (measured with
// VLC 3.0.24); the pause between requests keeps that share small while a reading is never much
// older than a request.
constexpr auto kPollGap = std::chrono::milliseconds(30);
constexpr std::uint32_t kPollTimeoutMs = 1000;
// Reading goes on this long after the program last asked, so that between two clicks that wait
// for the player, with blind ones in between, a state's beginning is still known.
constexpr double kKeepReadingMs = 60000;

double nowMs() {
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

struct Poller {
    std::mutex mutex;
    std::condition_variable asked;
    StateTracker tracker;
    double lastAskMs = -kKeepReadingMs;
    // A reading taken since the program began asking again; an older one may be long out of date.
    bool fresh = false;
    bool started = false;
};

// Never destroyed: its thread runs until the process ends and must not find it gone.
Poller& poller() {
    static Poller* const instance = new Poller;
    return *instance;
}

// Nothing when the player did not answer in time: the last reading stands. The player's window is
// not looked for here: finding it reads window titles, which for a window of this process waits
// for the thread that owns it.
std::optional<StateReading> readPlayer() {
    try {
        Win32EnginePorts ports;
        WebSession session = webSessionCopy();
        PluginEngine engine(thisPlayer(), ports.windows, ports.shell, ports.registry);
        ports.attach(engine, session);
        const spindrel::WebAnswer answer = engine.webRequest(kVlcStatusJsonPath, kPollTimeoutMs);
        // Only a player that is gone (or refuses the password) takes its state with it; one that
        // is slow to answer is still where it was last seen.
        if (answer.failure == spindrel::WebFailure::refused ||
            (answer.failure == spindrel::WebFailure::none && answer.status != 200)) {
            return StateReading{};
        }
        if (answer.failure != spindrel::WebFailure::none)
            return std::nullopt;
        return vlcStatusReading(answer.body);
    } catch (...) {
        return StateReading{};
    }
}

void readLoop() {
    Poller& p = poller();
    for (;;) {
        {
            std::unique_lock lock(p.mutex);
            p.asked.wait(lock, [&] { return nowMs() - p.lastAskMs < kKeepReadingMs; });
        }
        const std::optional<StateReading> reading = readPlayer();
        {
            const std::lock_guard lock(p.mutex);
            if (reading) {
                p.tracker.update(*reading, nowMs());
                p.fresh = true;
            }
        }
        std::this_thread::sleep_for(kPollGap);
    }
}

}  // namespace

extern "C" std::int32_t SPINDREL_PLUGIN_CALL
PCDVD_State(spindrel::contract::PlayerStateRecord* record) {
    if (record == nullptr || record->size < sizeof *record)
        return 0;
    try {
        Poller& p = poller();
        const std::lock_guard lock(p.mutex);
        const double now = nowMs();
        if (now - p.lastAskMs >= kKeepReadingMs)
            p.fresh = false;
        p.lastAskMs = now;
        if (!p.started) {
            // The thread runs this library's code until the process ends, so the library stays
            // loaded for it even if its loader lets it go.
            HMODULE self = nullptr;
            GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                               reinterpret_cast<LPCSTR>(&poller), &self);
            std::thread(readLoop).detach();
            p.started = true;
        }
        p.asked.notify_one();
        spindrel::contract::PlayerStateRecord latest = p.tracker.record(now);
        if (!p.fresh)
            latest.known = 0;
        latest.size = record->size;
        *record = latest;
        return latest.known;
    } catch (...) {
        return 0;
    }
}
