// The engine's side of a player driven through its own web interface (VLC): where the player
// the user started keeps its settings, which interfaces a request tries and for how long, and
// the start of a player with an interface of this plug-in's own.

#include "plugins/engine.h"
#include "plugins/vlc_settings.h"

namespace spindrel::plugins {

const std::optional<VlcSettings>& PluginEngine::userSettings() {
    // A press or a wait reads the file once: VLC replaces it by deleting and renaming, which
    // fails while the file is open, and the user's change of settings would then be lost.
    if (!settings_)
        settings_ = readUserSettings();
    return *settings_;
}

std::optional<VlcSettings> PluginEngine::readUserSettings() {
    std::string text;
    // Where the file is, is found once until the player is started or closed again: finding the
    // program takes registry reads that would lengthen every press.
    std::string& file = web_->session.settingsFile;
    if (file.empty()) {
        // A portable VLC keeps its settings in a folder beside the program, when that folder
        // exists (src/win32/dirs.c, config_GetAppDir); a file that is not found in a folder that
        // is there is told from a folder that is not (ERROR_FILE_NOT_FOUND, not
        // ERROR_PATH_NOT_FOUND).
        constexpr int kFileNotFound = 2;
        if (!profile_.web.portableSettingsFile.empty()) {
            const std::string program = playerPath();
            const std::size_t folderEnd = program.find_last_of("\\/");
            if (folderEnd != std::string::npos) {
                const std::string portable =
                    program.substr(0, folderEnd + 1) + profile_.web.portableSettingsFile;
                const int error = web_->files.readAll(portable, text);
                if (error == 0 || error == kFileNotFound)
                    file = portable;
                if (error == 0)
                    return parseVlcSettings(text);
                if (error == kFileNotFound)
                    return std::nullopt;
            }
        }
        const std::string own = expandEnvironment(profile_.web.settingsFile, environment_);
        // A variable that is not set leaves the path unexpanded: no file to read then.
        if (own.empty() || own.find('%') != std::string::npos)
            return std::nullopt;
        file = own;
    }
    if (web_->files.readAll(file, text) != 0)
        return std::nullopt;
    return parseVlcSettings(text);
}

std::vector<PluginEngine::Endpoint> PluginEngine::endpoints() {
    std::vector<Endpoint> found;
    if (!web_)
        return found;
    // The player this plug-in started comes first; then one the user started with the interface
    // already on, from the player's own settings.
    if (web_->session.port != 0)
        found.push_back({web_->session.port, web_->session.password, true});
    const std::optional<VlcSettings>& settings = userSettings();
    if (settings && webInterfaceOn(*settings)) {
        const Endpoint own{settings->httpPort, settings->httpPassword, false};
        if (found.empty() || found[0].port != own.port || found[0].password != own.password) {
            found.push_back(own);
        }
    }
    return found;
}

WebAnswer PluginEngine::ask(const Endpoint& endpoint, const std::string& path, double deadline,
                            bool shareTime) {
    WebSession& session = web_->session;
    LocalServicePort& clock = web_->service;
    const double start = clock.nowMs();
    // An endpoint with another after it leaves that one half of the time; a silent one gets
    // only a moment, as Windows gives up at once on a window it judges hung.
    double until = shareTime ? start + (deadline - start) / 2 : deadline;
    if (endpoint.port == session.silentPort && start + kSilentTimeoutMs < until)
        until = start + kSilentTimeoutMs;
    const auto get = [&](const std::string& what, const std::string& password) {
        const double left = until - clock.nowMs();
        WebAnswer answer;
        answer.failure = WebFailure::timedOut;
        if (left <= 0)
            return answer;
        answer = web_->web.get(endpoint.port, what, password,
                               left < 1 ? 1 : static_cast<std::uint32_t>(left));
        if (answer.failure == WebFailure::timedOut) {
            session.silentPort = endpoint.port;
        } else if (endpoint.port == session.silentPort) {
            session.silentPort = 0;
        }
        return answer;
    };
    if (!endpoint.started && session.vouchedPort != endpoint.port) {
        // The user's saved password goes only to a listener that first asks for it as VLC does:
        // another program may listen on that port, another user's among them.
        const WebAnswer challenge = get(profile_.web.statusPath, "");
        if (challenge.failure != WebFailure::none)
            return challenge;
        if (challenge.status != 401 || challenge.challenge != kVlcChallenge)
            return WebAnswer{};
        session.vouchedPort = endpoint.port;
    }
    const WebAnswer answer = get(path, endpoint.password);
    if (!endpoint.started && (answer.failure != WebFailure::none || answer.status == 401))
        session.vouchedPort = 0;
    return answer;
}

WebAnswer PluginEngine::request(const std::string& path, double deadline, bool starting) {
    WebAnswer answer;
    answer.failure = WebFailure::refused;
    if (!web_)
        return answer;
    WebSession& session = web_->session;
    const std::vector<Endpoint> found = endpoints();
    bool startedFailed = false;
    for (std::size_t i = 0; i < found.size(); ++i) {
        const Endpoint& endpoint = found[i];
        answer = ask(endpoint, path, deadline, i + 1 < found.size());
        if (endpoint.started && !starting && answer.failure != WebFailure::none) {
            startedFailed = true;
            // Refused once it is up: that VLC is gone (closed, or it never had the port).
            if (answer.failure == WebFailure::refused)
                session = {0, "", 0, session.vouchedPort, session.settingsFile};
        }
        if (answer.failure == WebFailure::none) {
            // The user's VLC answered where the one started here did not: the presses go there
            // from now on, and no longer wait for that one first.
            if (!endpoint.started && startedFailed)
                session = {0, "", 0, session.vouchedPort, session.settingsFile};
            break;
        }
    }
    return answer;
}

WebAnswer PluginEngine::webRequest(const std::string& path, std::uint32_t timeoutMs) {
    if (!web_)
        return request(path, 0, true);
    // A poll forgets nothing: a refusal may be a player still starting, and the presses decide
    // when the player this plug-in started is gone.
    return request(path, web_->service.nowMs() + timeoutMs, true);
}

std::int32_t PluginEngine::waitForWebInterface() {
    LocalServicePort& service = web_->service;
    const double deadline = service.nowMs() + kWaitTimeoutMs;
    for (;;) {
        const double now = service.nowMs();
        if (deadline - now <= 0)
            return 0;
        const double poll = now + kPollTimeoutMs < deadline ? now + kPollTimeoutMs : deadline;
        const WebAnswer answer = request(profile_.web.statusPath, poll, true);
        // Any answer ends the wait: a refused password will not get better by waiting.
        if (answer.failure == WebFailure::none)
            return answer.status == 200 ? 1 : 0;
        if (answer.failure != WebFailure::timedOut)
            service.pause(kPollPauseMs);
    }
}

char PluginEngine::firstVideoDisc() {
    // The automatic run starts the player before its first drive scan; VLC on Windows has no DVD
    // device of its own to fall back on, so the first disc drive holding a DVD-Video is named.
    DrivesPort& drives = web_->drives;
    const std::uint32_t present = drives.logicalDrives();
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
        if ((present & (1u << (letter - 'A'))) == 0)
            continue;
        const std::string root{letter, ':', '\\'};
        if (drives.driveType(root) != kDriveTypeCdrom)
            continue;
        if (drives.fileExists(root + "Video_ts\\video_ts.ifo"))
            return letter;
    }
    return 0;
}

bool PluginEngine::startWebPlayer(char driveLetter) {
    if (!web_)
        return false;
    LocalServicePort& service = web_->service;
    // Without a secret from the system's random source the interface would be open to anyone
    // on the machine: then the player is not started at all.
    const std::uint16_t port = service.freeLoopbackPort();
    const std::optional<std::string> secret = service.randomBytes(16);
    if (port == 0 || !secret)
        return false;
    const std::string password = passwordText(*secret);

    const char disc = driveLetter != 0 ? driveLetter : firstVideoDisc();
    if (mainWindow() != 0) {
        if (disc != 0 && openInRunningPlayer(disc))
            return true;
        if (!closeRunningPlayer())
            return false;
    }
    const std::optional<VlcSettings>& settings = userSettings();
    const std::string userInterfaces = settings ? settings->extraInterfaces : "";
    const std::intptr_t result =
        shell_.execute("open", playerPath(),
                       vlcStartParameters(disc, port, password, userInterfaces), "", kSwShow);
    if (result <= 32)
        return false;
    web_->session = {port, password, 0, web_->session.vouchedPort, ""};
    return true;
}

}  // namespace spindrel::plugins
