#include "fake_options.h"

#include <windows.h>

#include <cstdlib>

namespace {

constexpr Impersonation kPlayers[] = {
    {"corvane", "Class of CyberLink Universal Player", "CyberLink Universal Player",
     "CyberLink Video Window Class", "Corvane"},
    {"corvane3", "Class of CyberLink Universal Player", "Corvane", "CyberLink Video Window Class",
     "Corvane"},
    {"brannock", "CTBrannock", "Creative Brannock", "DVDFrame",
     "Creative SoftPC-DVD software decoder Video Windo"},
    {"wyvernel", "PlayWnd", "Creative PC-DVD Player", "DVDFrame", "Creative PC-DVD Video Window"},
    // Media Player Classic draws the video inside its main window: no video window of its own.
    {"mpc", "MediaPlayerClassicW", "Media Player Classic Home Cinema", nullptr, nullptr},
    {"mpcbe", "MPC-BE", "MPC-BE", nullptr, nullptr},
    // VLC 3 draws its interface with Qt 5, whose top-level windows register "Qt5QWindowIcon"
    // (qtbase, src/plugins/platforms/windows/qwindowscontext.cpp); the title ends in the
    // program's name. The real VLC under Linux shows no window Wine can see, so this one stands
    // beside it for the plug-in's player watch.
    {"vlc", "Qt5QWindowIcon", "VLC media player", nullptr, nullptr},
};

}  // namespace

const Impersonation& defaultPlayer() {
    return kPlayers[3];
}

std::vector<std::string> splitWords(const char* text) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false;
    bool inWord = false;
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p == '"') {
            quoted = !quoted;
            inWord = true;
        } else if ((*p == ' ' || *p == '\t') && !quoted) {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += *p;
            inWord = true;
        }
    }
    if (inWord) words.push_back(word);
    return words;
}

bool parseOptions(const std::vector<std::string>& words, Options& options, std::string& error) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        const bool hasValue = i + 1 < words.size();
        if (word == "--as" && hasValue) {
            const std::string name = words[++i];
            options.player = nullptr;
            for (const Impersonation& p : kPlayers) {
                if (name == p.name) options.player = &p;
            }
            if (options.player == nullptr) {
                error = "unknown player '" + name + "'";
                return false;
            }
        } else if (word == "--main-title" && hasValue) {
            options.mainTitle = words[++i];
        } else if (word == "--log" && hasValue) {
            options.logFile = words[++i];
        } else if (word == "--hang" && hasValue) {
            options.hangMs = std::atoi(words[++i].c_str());
        } else if (word == "--slow" && hasValue) {
            options.slowMs = std::atoi(words[++i].c_str());
        } else if (word == "--late" && hasValue) {
            options.lateMs = std::atoi(words[++i].c_str());
        } else if (word == "--menu-after" && hasValue) {
            options.menuAfterMs = std::atoi(words[++i].c_str());
        } else if (word == "--one-instance") {
            options.oneInstance = true;
        } else if (word == "--no-window") {
            options.noWindow = true;
        } else if (word == "--quiet") {
            options.quiet = true;
        } else if (word == "--close") {
            options.close = true;
        } else if (word.rfind("--", 0) == 0) {
            error = "unknown option '" + word + "'";
            return false;
        } else {
            options.arguments.push_back(word);
        }
    }
    return true;
}

const char* argumentText() {
    const char* p = GetCommandLineA();
    bool quoted = false;
    while (*p != '\0' && (quoted || (*p != ' ' && *p != '\t'))) {
        if (*p == '"') quoted = !quoted;
        ++p;
    }
    while (*p == ' ' || *p == '\t') ++p;
    return p;
}
