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
            const WebAnswer& answer = pressAnswer_.emplace(
                request(profile_.web.commandPath + command->action, deadline, false));
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
    if (!profile_.reportSwitch.empty() && reportWindow_ != 0) {
        parameters += (parameters.empty() ? "" : " ") + profile_.reportSwitch + " " +
                      std::to_string(static_cast<std::int32_t>(reportWindow_));
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
    if (profile_.web.used && web_) {
        // A player this plug-in neither started nor handed a disc plays something else, or
        // cannot be reached at all: the program then starts it once more (startWebPlayer).
        if (web_->session.port == 0)
            return 0;
        return waitForWebInterface();
    }
    return windows_.sendMessageTimeout(player, kWmUser, 0, 0, kWaitTimeoutMs).ok ? 1 : 0;
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
