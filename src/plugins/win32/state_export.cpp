// The optional state export. The program asks for the player's state several times a second on
// its window's thread, so the answer must never wait for the player: a thread of the plug-in's
// own reads the player and keeps its latest reading, which the export hands over at once. The
// thread reads only while the program asks, so an idle program costs the player nothing.
//
// The thread pumps its messages whenever it is not reading: a player that reports to a window of
// the plug-in's own (MPC) sends it every notice with SendMessage, and would stand still until
// that window's thread took it.

#include <windows.h>

#include <chrono>
#include <mutex>
#include <thread>

#include "plugins/contract.h"
#include "plugins/player_status.h"
#include "plugins/win32/state_source.h"

using namespace spindrel::plugins;

namespace {

// One status request costs VLC about 22 ms and 1 to 2 ms of its processor time (measured with
// VLC 3.0.24); the pause between requests keeps that share small while a reading is never much
// older than a request.
constexpr DWORD kPollGapMs = 30;
// Reading goes on this long after the program last asked, so that between two clicks that wait
// for the player, with blind ones in between, a state's beginning is still known.
constexpr double kKeepReadingMs = 60000;
// Opening makes a window, nothing that waits for the player.
constexpr DWORD kOpenWaitMs = 5000;

double nowMs() {
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

struct Poller {
    std::mutex mutex;
    HANDLE asked = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
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

// Takes the messages sent to the thread's windows for up to ms (INFINITE: until woken), and
// returns early once wake is set.
void pumpFor(DWORD ms, HANDLE wake) {
    const ULONGLONG end = GetTickCount64() + ms;
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        DWORD left = INFINITE;
        if (ms != INFINITE) {
            const ULONGLONG now = GetTickCount64();
            if (now >= end)
                return;
            left = static_cast<DWORD>(end - now);
        }
        const DWORD woke =
            MsgWaitForMultipleObjects(wake != nullptr ? 1 : 0, &wake, FALSE, left, QS_ALLINPUT);
        if (woke == WAIT_OBJECT_0 || woke == WAIT_TIMEOUT || woke == WAIT_FAILED)
            return;
    }
}

void readLoop() {
    Poller& p = poller();
    StateSource& source = thisStateSource();
    try {
        source.open();
    } catch (...) {
    }
    SetEvent(p.opened);
    for (;;) {
        for (;;) {
            double sinceAsk = 0;
            {
                const std::lock_guard lock(p.mutex);
                sinceAsk = nowMs() - p.lastAskMs;
            }
            if (sinceAsk < kKeepReadingMs)
                break;
            pumpFor(INFINITE, p.asked);
        }
        std::optional<StateReading> reading;
        try {
            reading = source.read();
        } catch (...) {
            reading = StateReading{};
        }
        {
            const std::lock_guard lock(p.mutex);
            if (reading) {
                p.tracker.update(*reading, nowMs());
                p.fresh = true;
            }
        }
        pumpFor(kPollGapMs, nullptr);
    }
}

// Under the poller's lock.
void startThread(Poller& p) {
    if (p.started)
        return;
    // The thread runs this library's code until the process ends, so the library stays loaded
    // for it even if its loader lets it go.
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&poller),
                       &self);
    std::thread(readLoop).detach();
    p.started = true;
}

}  // namespace

namespace spindrel::plugins {

std::uint32_t stateReportWindow() {
    try {
        Poller& p = poller();
        {
            const std::lock_guard lock(p.mutex);
            startThread(p);
        }
        if (WaitForSingleObject(p.opened, kOpenWaitMs) != WAIT_OBJECT_0)
            return 0;
        return thisStateSource().reportWindow();
    } catch (...) {
        return 0;
    }
}

void notePressAnswer(std::string_view body) {
    try {
        const std::optional<StateReading> reading = thisStateSource().pressAnswerReading(body);
        // An answer that shows no state says nothing the next reading would not; taken, it would
        // make the state the player is still in seem to begin anew at that reading.
        if (!reading || !reading->known)
            return;
        Poller& p = poller();
        const std::lock_guard lock(p.mutex);
        p.tracker.update(*reading, nowMs());
        // Only while the program asks does the reading count as fresh; an ask after a long
        // silence starts afresh anyway.
        if (nowMs() - p.lastAskMs < kKeepReadingMs)
            p.fresh = true;
    } catch (...) {
    }
}

bool playerReports(std::uint32_t waitMs) {
    try {
        const ULONGLONG until = GetTickCount64() + waitMs;
        while (!thisStateSource().reporting()) {
            if (GetTickCount64() >= until)
                return false;
            Sleep(20);
        }
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace spindrel::plugins

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
        startThread(p);
        SetEvent(p.asked);
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
