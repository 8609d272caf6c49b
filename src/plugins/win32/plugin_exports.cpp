// The seven exports of a player plug-in. They only hand over to the engine; nothing may escape
// them as an exception, since the caller on the other side of the boundary cannot catch it.

#include <atomic>
#include <mutex>
#include <utility>

#include "plugins/contract.h"
#include "plugins/engine.h"
#include "plugins/win32/engine_ports.h"
#include "plugins/win32/state_source.h"
#include "plugins/win32/this_player.h"

using namespace spindrel::contract;

namespace {

// The one thing a plug-in keeps between calls: the web interface of the player it started, for
// as long as the program has the plug-in loaded. The program calls from one thread only; a
// plug-in's own thread that reads the player's state takes a copy under the lock.
spindrel::plugins::WebSession session;
std::mutex sessionLock;
// A start of this plug-in's told the player where to report.
std::atomic<bool> toldWhereToReport{false};
// A player told where to report connects a moment after its window shows (MPC-HC: once its
// frame has loaded, mplayerc.cpp InitInstance); a wait gives it this long beyond its answer.
constexpr std::uint32_t kReportWaitMs = 3000;

template <typename Action>
auto withEngine(Action action, decltype(action(std::declval<spindrel::plugins::PluginEngine&>()))
                                   failed) noexcept {
    try {
        const std::lock_guard lock(sessionLock);
        spindrel::plugins::Win32EnginePorts ports;
        spindrel::plugins::PluginEngine engine(spindrel::plugins::thisPlayer(), ports.windows,
                                               ports.shell, ports.registry);
        ports.attach(engine, session);
        return action(engine);
    } catch (...) {
        return failed;
    }
}

}  // namespace

namespace spindrel::plugins {
WebSession webSessionCopy() {
    const std::lock_guard lock(sessionLock);
    return session;
}
}  // namespace spindrel::plugins

extern "C" {

WindowHandle SPINDREL_PLUGIN_CALL PCDVD_Player() {
    return withEngine([](auto& engine) { return engine.mainWindow(); }, WindowHandle{0});
}

WindowHandle SPINDREL_PLUGIN_CALL PCDVD_Window() {
    return withEngine([](auto& engine) { return engine.videoWindow(); }, WindowHandle{0});
}

std::int32_t SPINDREL_PLUGIN_CALL Send_To_DVD(std::int32_t code) {
    return withEngine(
        [code](auto& engine) {
            const std::int32_t sent = engine.sendButton(code);
            const spindrel::WebAnswer* answer = engine.pressAnswer();
            if (answer != nullptr && answer->failure == spindrel::WebFailure::none &&
                answer->status == 200) {
                spindrel::plugins::notePressAnswer(answer->body);
            }
            return sent;
        },
        std::int32_t{0});
}

Boolean SPINDREL_PLUGIN_CALL Start_DVD_Player(char driveLetter) {
    // Before the engine's lock: the window the player reports to may first have to be made.
    const WindowHandle report = spindrel::plugins::thisPlayer().reportSwitch.empty()
                                    ? 0
                                    : spindrel::plugins::stateReportWindow();
    const Boolean started = withEngine(
        [driveLetter, report](auto& engine) {
            engine.setReportWindow(report);
            return static_cast<Boolean>(engine.startPlayer(driveLetter) ? 1 : 0);
        },
        Boolean{0});
    if (started != 0 && report != 0)
        toldWhereToReport = true;
    return started;
}

std::int32_t SPINDREL_PLUGIN_CALL Kill_DVD_Player() {
    return withEngine([](auto& engine) { return engine.closePlayer(); }, std::int32_t{0});
}

std::int32_t SPINDREL_PLUGIN_CALL Wait_For_Player() {
    const std::int32_t answered =
        withEngine([](auto& engine) { return engine.waitForPlayer(); }, std::int32_t{0});
    if (answered == 0 || spindrel::plugins::thisPlayer().reportSwitch.empty())
        return answered;
    // A player that runs without reporting to this plug-in (the user started it, or this plug-in
    // was loaded anew since) is not waited for: the program then starts it once more, and MPC
    // takes that start, "/slave" with it, from a second copy (its "one instance" setting).
    if (!toldWhereToReport)
        return spindrel::plugins::playerReports(0) ? answered : 0;
    spindrel::plugins::playerReports(kReportWaitMs);
    return answered;
}

char* SPINDREL_PLUGIN_CALL Get_Abilities(char* buffer) {
    if (buffer == nullptr) return buffer;
    // Even if the list could not be made, the caller gets an empty string, not stale text.
    buffer[0] = '\0';
    return withEngine([buffer](auto& engine) { return engine.writeAbilities(buffer); }, buffer);
}
}
