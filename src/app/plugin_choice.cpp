#include "app/plugin_choice.h"

#include <vector>

#include "app/app_texts.h"
#include "base/text.h"

namespace spindrel {

namespace {

struct Candidate {
    const char* file;
    const plugins::PlayerProfile& (*profile)();
};

// In the order of preference. Corvane3.dll drives the same installed program as Corvane.dll
// (only the window title differs), so an install key alone cannot tell them apart: the older
// plug-in, listed first, takes it, and a user of the other chooses it in the panel.
const Candidate kCandidates[] = {
    {"Wyvernel.dll", plugins::wyvernelProfile}, {"Brannock.dll", plugins::brannockProfile},
    {"Corvane.dll", plugins::corvaneProfile},   {"Corvane3.dll", plugins::corvane3Profile},
    {"Mpc.dll", plugins::mpcProfile},           {"Vlc.dll", plugins::vlcProfile},
};

std::string trimmedKey(const std::string& path) {
    const std::size_t begin = path.find_first_not_of('\\');
    if (begin == std::string::npos)
        return "";
    return path.substr(begin, path.find_last_not_of('\\') - begin + 1);
}

// A text value as the plug-ins take it: a string, expanded where the registry says so.
std::optional<std::string> readText(const PlayerSearch& search, RegRoot root,
                                    const std::string& path, const std::string& name) {
    RegKey key = 0;
    if (search.registry.openKey(root, trimmedKey(path), false, key) != RegStatus::ok) {
        return std::nullopt;
    }
    RegValue value;
    const RegStatus status = search.registry.readValue(key, name, value);
    search.registry.closeKey(key);
    if (status != RegStatus::ok)
        return std::nullopt;
    if (value.type != RegType::string && value.type != RegType::expandString)
        return std::nullopt;
    std::string text(value.data.begin(), value.data.end());
    if (const std::size_t nul = text.find('\0'); nul != std::string::npos)
        text.resize(nul);
    if (value.type == RegType::expandString) {
        text = plugins::expandEnvironment(text, search.environment);
    }
    return text;
}

// Where the shell finds a program started by its bare name, as the plug-ins start a player they
// found nowhere else (Creative's PC-DVD Player has no other trace).
constexpr const char* kAppPaths = "\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

// The same rule the plug-in follows to start its player, the shell's App Paths entry taking
// the place of the bare file name it leaves to the shell.
bool playerInstalled(const PlayerSearch& search, const plugins::PlayerProfile& profile) {
    for (const plugins::ProgramCandidate& candidate : profile.programCandidates) {
        std::optional<std::string> path;
        if (candidate.key.empty()) {
            path = plugins::expandEnvironment(candidate.file, search.environment);
        } else {
            path = readText(search, candidate.root, candidate.key, candidate.value);
            if (path && !candidate.file.empty())
                *path += "\\" + candidate.file;
        }
        if (path && !path->empty() && search.files.fileExists(*path))
            return true;
    }
    const plugins::DefaultPath& rule = profile.defaultPath;
    for (const RegRoot view : {RegRoot::localMachine64, RegRoot::localMachine32}) {
        if (!rule.installKey.empty() && readText(search, view, rule.installKey, rule.installValue))
            return true;
    }
    if (!rule.installKey.empty() || rule.programFile.empty())
        return false;
    for (const RegRoot root :
         {RegRoot::currentUser, RegRoot::localMachine64, RegRoot::localMachine32}) {
        const auto path = readText(search, root, kAppPaths + rule.programFile, "");
        if (path && !path->empty() && search.files.fileExists(*path))
            return true;
    }
    return false;
}

// The user's own located player first, as the plug-ins read it.
std::optional<std::string> locatedPlayer(const PlayerSearch& search) {
    for (const RegRoot root : {RegRoot::currentUser, RegRoot::localMachine}) {
        if (auto path = readText(search, root, texts::kSettingsKey, plugins::kPlayerPathValue)) {
            return path;
        }
    }
    return std::nullopt;
}

// The program files a plug-in's player is known by (lower case), for a path located by hand.
std::vector<std::string> knownPrograms(const plugins::PlayerProfile& profile) {
    std::vector<std::string> names;
    const auto add = [&names](const std::string& path) {
        if (path.empty())
            return;
        const std::string name = asciiLower(fileNameOf(path));
        for (const std::string& known : names) {
            if (known == name)
                return;
        }
        names.push_back(name);
    };
    for (const plugins::ProgramCandidate& candidate : profile.programCandidates)
        add(candidate.file);
    add(profile.defaultPath.programFile);
    return names;
}

}  // namespace

std::string firstStartPlugin(const PlayerSearch& search, const std::string& programFolder) {
    const auto beside = [&](const Candidate& candidate) {
        return search.files.fileExists(programFolder + candidate.file);
    };
    if (const auto located = locatedPlayer(search)) {
        const std::string program = asciiLower(fileNameOf(*located));
        for (const Candidate& candidate : kCandidates) {
            if (!beside(candidate))
                continue;
            for (const std::string& known : knownPrograms(candidate.profile())) {
                if (known == program)
                    return candidate.file;
            }
        }
        return texts::kDefaultPlugin;
    }
    for (const Candidate& candidate : kCandidates) {
        if (beside(candidate) && playerInstalled(search, candidate.profile())) {
            return candidate.file;
        }
    }
    return texts::kDefaultPlugin;
}

}  // namespace spindrel
