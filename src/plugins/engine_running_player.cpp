// The plug-in engine and a player with a web interface that is running already when the program
// starts it: one left playing by an earlier run (whose interface password went with that run),
// or one the user started. The program needs it to play the new disc and to take its presses.

#include "plugins/engine.h"

namespace spindrel::plugins {

namespace {

// A player asked to close is given this long to go before it is taken as stuck.
inline constexpr double kCloseWaitMs = 10000;

// The disc's address as VLC takes it, escaped for a query.
std::string discAddress(char disc) {
    return std::string("dvd%3A%2F%2F%2F") + disc + "%3A%2F";
}

}  // namespace

bool PluginEngine::openInRunningPlayer(char disc) {
    if (profile_.web.openPath.empty())
        return false;
    for (const Endpoint& endpoint : endpoints()) {
        // The player this plug-in started is asked again only when it stopped answering, or
        // while it closes for a restart: both want a fresh one.
        if (endpoint.port == web_->session.port && endpoint.password == web_->session.password)
            continue;
        // As a press: the user's saved password goes only to a listener that asks for it as
        // VLC does.
        const WebAnswer answer =
            ask(endpoint, profile_.web.openPath + discAddress(disc),
                web_->service.nowMs() + kRequestTimeoutMs, false);
        if (answer.failure == WebFailure::none && answer.status == 200) {
            // From now on this is the player the program drives.
            WebSession& session = web_->session;
            session = {endpoint.port, endpoint.password, 0, session.vouchedPort,
                       session.settingsFile};
            return true;
        }
    }
    return false;
}

bool PluginEngine::closeRunningPlayer() {
    web_->session = {};
    LocalServicePort& service = web_->service;
    const double deadline = service.nowMs() + kCloseWaitMs;
    // A second player started while the first still closes may hand its disc to the first and
    // end (VLC's "one instance" setting), so the first must be gone.
    const WindowHandle player = mainWindow();
    if (player != 0)
        windows_.postMessage(player, kWmClose, 0, 0);
    while (mainWindow() != 0) {
        if (service.nowMs() >= deadline)
            return false;
        service.pause(kPollPauseMs);
    }
    return true;
}

}  // namespace spindrel::plugins
