// Media Player Classic, in its two maintained lines (MPC-HC and MPC-BE), driven with the players'
// own WM_COMMAND identifiers. Both keep the identifiers of the menu commands they inherited, so one
// table serves both.
//
// The identifiers are the ID_* values of the players' resource.h (mpc-hc: src/mpc-hc/resource.h,
// MPC-BE: src/apps/mplayerc/resource.h), the list their "Keys" options page shows:
//   887 ID_PLAY_PLAY, 888 ID_PLAY_PAUSE, 890 ID_PLAY_STOP, 891 ID_PLAY_FRAMESTEP,
//   894 ID_PLAY_DECRATE, 895 ID_PLAY_INCRATE, 907 ID_VOLUME_UP, 908 ID_VOLUME_DOWN,
//   909 ID_VOLUME_MUTE, 921 ID_NAVIGATE_SKIPBACK, 922 ID_NAVIGATE_SKIPFORWARD,
//   923 ID_NAVIGATE_TITLEMENU, 924 ID_NAVIGATE_ROOTMENU, 925 ID_NAVIGATE_SUBPICTUREMENU,
//   926 ID_NAVIGATE_AUDIOMENU, 927 ID_NAVIGATE_ANGLEMENU, 928 ID_NAVIGATE_CHAPTERMENU,
//   929..932 ID_NAVIGATE_MENU_LEFT, _RIGHT, _UP, _DOWN, 933 ID_NAVIGATE_MENU_ACTIVATE,
//   952 ID_STREAM_AUDIO_NEXT, 954 ID_STREAM_SUB_NEXT.
// Left out because the two players disagree or have no such command: Step Backward (892 is a
// backward frame step in MPC-BE but cancels the frame step in MPC-HC), Next Angle (961 is the DVD
// angle in MPC-HC but the next video stream in MPC-BE), Slow Forward and Backward, Zoom and Eject
// Disc. The command codes of this plug-in are the identifiers themselves.

#include "plugins/player_profile.h"

namespace spindrel::plugins {

namespace {

Command command(std::int32_t id) {
    return {id, Delivery::sent, {{kWmCommand, static_cast<std::uintptr_t>(id), 0}}};
}

PlayerProfile mpc() {
    PlayerProfile p;
    // MPC-HC registers "MediaPlayerClassicW", as MPC-BE did until it took a class of its own name;
    // the title is the file playing, so only the class counts.
    p.mainWindow = {"MediaPlayerClassicW", "", true};
    p.otherMainWindows = {{"MPC-BE", "", true}};
    // The video is drawn in a child of the main window, which has no top-level window to find.
    p.videoInMainWindow = true;
    p.abilities = {
        {"Play", 7, 9, 887, 0},
        {"Stop", 39, 9, 890, 0},
        {"Pause", 71, 9, 888, 0},
        {"-", 0, 0, 0, 0},
        {"Next", 103, 53, 922, 0},
        {"Previous", 7, 53, 921, 0},
        {"-", 0, 0, 0, 0},
        {"Fast Forward", 71, 53, 895, 0},
        {"Fast Rewind", 39, 53, 894, 0},
        {"Step Forward", 71, 31, 891, 0},
        {"Root Menu", 7, 77, 924, 1},
        {"Title Menu", 39, 77, 923, 0},
        {"Chapter Menu", 71, 77, 928, 0},
        {"Angle Menu", 103, 77, 927, 0},
        {"Audio Menu", 135, 77, 926, 0},
        {"Subpicture Menu", 167, 77, 925, 0},
        {"-", 0, 0, 0, 0},
        {"Left", 208, 33, 929, 0},
        {"Right", 252, 33, 930, 0},
        {"Up", 233, 8, 931, 0},
        {"Down", 233, 52, 932, 0},
        {"Ok / Enter", 231, 31, 933, 0},
        {"Volume Up", 210, 77, 907, 1},
        {"Volume Down", 210, 93, 908, 0},
        {"Mute", 242, 77, 909, 0},
        {"-", 0, 0, 0, 0},
        {"Next Audio", 161, 31, 952, 0},
        {"Next Caption", 161, 53, 954, 0},
    };
    for (const Ability& a : p.abilities) {
        if (a.name != "-") p.commands.push_back(command(a.code));
    }
    // Both installers record the program's full path in ExePath; a 64-bit player is preferred, and
    // MPC-HC before MPC-BE. Without the keys, the players' default folders.
    const auto registered = [](RegRoot root, const char* key) {
        return ProgramCandidate{root, key, "ExePath", ""};
    };
    const auto installed = [](const char* file) {
        return ProgramCandidate{RegRoot::localMachine, "", "", file};
    };
    p.programCandidates = {
        registered(RegRoot::localMachine64, "\\Software\\MPC-HC\\MPC-HC"),
        registered(RegRoot::localMachine32, "\\Software\\MPC-HC\\MPC-HC"),
        installed("%ProgramW6432%\\MPC-HC\\mpc-hc64.exe"),
        installed("%ProgramFiles(x86)%\\MPC-HC\\mpc-hc.exe"),
        installed("%ProgramFiles%\\MPC-HC\\mpc-hc.exe"),
        registered(RegRoot::localMachine64, "\\Software\\MPC-BE"),
        registered(RegRoot::localMachine32, "\\Software\\MPC-BE"),
        installed("%ProgramW6432%\\MPC-BE x64\\mpc-be64.exe"),
        installed("%ProgramFiles(x86)%\\MPC-BE\\mpc-be.exe"),
        installed("%ProgramFiles%\\MPC-BE\\mpc-be.exe"),
    };
    // Found nowhere: the shell may still know the 64-bit MPC-HC by its App Paths entry.
    p.defaultPath = {"", "", "mpc-hc64.exe"};
    p.driveSwitch = "/dvd";
    // "/slave N": MPC sends CMD_CONNECT with its own window to window N, and answers its
    // CMD_GETNOWPLAYING from then on. The number is read with _ttoi (MPC-HC
    // src/mpc-hc/AppSettings.cpp, ParseCommandLine), so it is written in decimal, as a signed
    // 32-bit value, as the system widens window handles.
    p.reportSwitch = "/slave";
    return p;
}

}  // namespace

const PlayerProfile& mpcProfile() {
    static const PlayerProfile profile = mpc();
    return profile;
}

}  // namespace spindrel::plugins
