#include "plugins/engine.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "plugins/contract.h"
#include "plugins/vlc_settings.h"

namespace spindrel::plugins {

namespace {

// "\Software\X\" as the registry wants it: no outer backslashes.
std::string keyPath(const std::string& path) {
    const std::size_t begin = path.find_first_not_of('\\');
    if (begin == std::string::npos) return "";
    return path.substr(begin, path.find_last_not_of('\\') - begin + 1);
}

// Closes the key on every way out: the plug-in holds nothing open between calls.
class OpenKey {
public:
    OpenKey(RegistryPort& port, RegRoot root, const std::string& path, bool create)
        : port_(port) {
        const std::string trimmed = keyPath(path);
        if (port_.openKey(root, trimmed, create, key_) == RegStatus::ok) return;
        key_ = 0;
        // A user without the right to create or write the program's key may still read it, and
        // then the player the administrator located is wanted all the same.
        if (create && port_.openKey(root, trimmed, false, key_) != RegStatus::ok) key_ = 0;
    }
    ~OpenKey() {
        if (key_ != 0) port_.closeKey(key_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    RegKey key() const { return key_; }

private:
    RegistryPort& port_;
    RegKey key_ = 0;
};

}  // namespace

std::string abilityText(const PlayerProfile& profile) {
    std::string text;
    for (const Ability& a : profile.abilities) {
        text += a.name + "(" + std::to_string(a.x) + "," + std::to_string(a.y) + "," +
                std::to_string(a.code) + "," + std::to_string(a.flag) + ")";
    }
    return text;
}

const Command* findCommand(const PlayerProfile& profile, std::int32_t code) {
    for (const Command& command : profile.commands) {
        if (command.code == code) return &command;
    }
    return nullptr;
}

std::optional<std::string> processEnvironment(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    if (value == nullptr) return std::nullopt;
    return std::string(value);
}

bool fileIsThere(const std::string& path) {
    if (path.empty()) return false;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
}

std::string expandEnvironment(const std::string& text, const EnvironmentLookup& lookup) {
    std::string result;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t open = text.find('%', pos);
        const std::size_t close = open == std::string::npos ? open : text.find('%', open + 1);
        if (close == std::string::npos) {
            result.append(text, pos, std::string::npos);
            break;
        }
        result.append(text, pos, open - pos);
        const std::string name = text.substr(open + 1, close - open - 1);
        const std::optional<std::string> value =
            name.empty() ? std::nullopt : lookup(name);
        if (value) {
            result += *value;
        } else {
            result.append(text, open, close - open + 1);
        }
        pos = close + 1;
    }
    return result;
}

PluginEngine::PluginEngine(const PlayerProfile& profile, WindowPort& windows, ShellPort& shell,
                           RegistryPort& registry, EnvironmentLookup environment,
                           FileCheck fileCheck)
    : profile_(profile),
      windows_(windows),
      shell_(shell),
      registry_(registry),
      environment_(std::move(environment)),
      fileCheck_(std::move(fileCheck)) {}

WindowHandle PluginEngine::findWindow(const WindowName& name) {
    if (name.anyTitle) return windows_.findWindowOfClass(name.className);
    if (name.titleEnds) return windows_.findWindowWithTitleEnd(name.className, name.title);
    return windows_.findWindow(name.className, name.title);
}

WindowHandle PluginEngine::mainWindow() {
    if (const WindowHandle found = findWindow(profile_.mainWindow)) return found;
    for (const WindowName& other : profile_.otherMainWindows) {
        if (const WindowHandle found = findWindow(other)) return found;
    }
    return 0;
}

WindowHandle PluginEngine::videoWindow() {
    if (profile_.videoInMainWindow) return mainWindow();
    return findWindow(profile_.videoWindow);
}

std::int32_t PluginEngine::sendButton(std::int32_t code) {
    // Counted from the call: whatever comes before the request is part of the press.
    const double deadline = web_ ? web_->service.nowMs() + kRequestTimeoutMs : 0;
    const WindowHandle player = mainWindow();
    if (player == 0) {
        // The user's VLC is gone: whatever listens on its port next must prove itself again.
        if (web_)
            web_->session.vouchedPort = 0;
        return 0;
    }
    if (const Command* command = findCommand(profile_, code)) {
        if (command->delivery == Delivery::request) {
            const WebAnswer answer =
                request(profile_.web.commandPath + command->action, deadline, false);
            return answer.failure == WebFailure::none && answer.status == 200 ? 1 : 0;
        }
        for (const PlayerMessage& m : command->messages) {
            if (command->delivery == Delivery::sent) {
                windows_.sendMessageTimeout(player, m.message, m.wParam, m.lParam,
                                            kButtonTimeoutMs);
            } else {
                windows_.postMessage(player, m.message, m.wParam, m.lParam);
            }
        }
    }
    // Even for a code it does not know, and even with no video window to find (then the call
    // fails on the null handle and says so).
    if (profile_.raisesVideoWindow) return windows_.setForegroundWindow(videoWindow()) ? 1 : 0;
    return 0;
}

std::optional<std::string> PluginEngine::readText(RegRoot root, const std::string& path,
                                                  const std::string& name, bool createKey) {
    const OpenKey key(registry_, root, path, createKey);
    if (key.key() == 0) return std::nullopt;
    RegValue value;
    if (registry_.readValue(key.key(), name, value) != RegStatus::ok) return std::nullopt;
    // A number or binary data cannot name a program; such a value is passed over as if it were
    // not there, so the player still starts by its own rule.
    if (value.type != RegType::string && value.type != RegType::expandString) return std::nullopt;
    std::string text(value.data.begin(), value.data.end());
    const std::size_t nul = text.find('\0');
    if (nul != std::string::npos) text.resize(nul);
    if (value.type == RegType::expandString) text = expandEnvironment(text, environment_);
    return text;
}

std::string PluginEngine::playerPath() {
    // A standard user's located player is kept under HKEY_CURRENT_USER, where the program
    // stores it when the machine's key refuses; the user's own choice comes first.
    if (auto located = readText(RegRoot::currentUser, kProgramKey, kPlayerPathValue, false)) {
        return *located;
    }
    if (auto located = readText(RegRoot::localMachine, kProgramKey, kPlayerPathValue, true)) {
        return *located;
    }
    for (const ProgramCandidate& candidate : profile_.programCandidates) {
        std::optional<std::string> path;
        if (candidate.key.empty()) {
            path = expandEnvironment(candidate.file, environment_);
        } else {
            path = readText(candidate.root, candidate.key, candidate.value, false);
            if (path && !candidate.file.empty()) *path += "\\" + candidate.file;
        }
        if (path && fileCheck_(*path)) return *path;
    }
    const DefaultPath& rule = profile_.defaultPath;
    if (!rule.installKey.empty()) {
        for (const RegRoot view : {RegRoot::localMachine64, RegRoot::localMachine32}) {
            if (auto folder = readText(view, rule.installKey, rule.installValue, false)) {
                return *folder + "\\" + rule.programFile;
            }
        }
    }
    return rule.programFile;
}

bool PluginEngine::startPlayer(char driveLetter) {
    if (profile_.web.used) return startWebPlayer(driveLetter);
    // The letter 0 makes the parameter text empty: the player then starts without a disc, unless
    // its DVD switch alone has it open the disc drive by itself.
    std::string parameters = driveLetter == 0 ? "" : std::string{driveLetter, ':', '\\'};
    // Unquoted: a quoted "E:\" would end in an escaped quote by the usual command line rules.
    if (!profile_.driveSwitch.empty()) {
        parameters += (parameters.empty() ? "" : " ") + profile_.driveSwitch;
    }
    const std::intptr_t result = shell_.execute("open", playerPath(), parameters, "", kSwShow);
    return result > 32;
}

std::int32_t PluginEngine::closePlayer() {
    // The VLC this plug-in started ends here: its port may be anyone's next.
    if (web_)
        web_->session = {};
    const WindowHandle player = mainWindow();
    if (player == 0) return 0;
    return windows_.postMessage(player, kWmClose, 0, 0) ? 1 : 0;
}

std::int32_t PluginEngine::waitForPlayer() {
    const WindowHandle player = mainWindow();
    if (player == 0) return 0;
    if (profile_.web.used && web_ && !endpoints().empty()) return waitForWebInterface();
    return windows_.sendMessageTimeout(player, kWmUser, 0, 0, kWaitTimeoutMs).ok ? 1 : 0;
}

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

    const std::optional<VlcSettings> settings = userSettings();
    const std::string userInterfaces = settings ? settings->extraInterfaces : "";
    const char disc = driveLetter != 0 ? driveLetter : firstVideoDisc();
    const std::intptr_t result =
        shell_.execute("open", playerPath(),
                       vlcStartParameters(disc, port, password, userInterfaces), "", kSwShow);
    if (result <= 32)
        return false;
    web_->session = {port, password, 0, web_->session.vouchedPort, ""};
    return true;
}

char* PluginEngine::writeAbilities(char* buffer) const {
    const std::string text = abilityText(profile_);
    const std::size_t room = static_cast<std::size_t>(contract::kAbilityBufferSize) - 1;
    const std::size_t length = text.size() < room ? text.size() : room;
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return buffer;
}

}  // namespace spindrel::plugins
