// VLC media player (version 3), driven through its local web interface ("http", Lua): each button
// is one of VLC's hotkey actions, sent as GET /requests/status.json?command=key&val=<action>, which
// the interface hands to VLC's hotkey handler as if the key had been pressed. The answer is VLC's
// status after the command (share/lua/http/requests/status.json: processcommands, then getstatus
// in share/lua/intf/modules/httprequests.lua); the JSON form carries the disc's title and chapter,
// which the XML form lacks, so each press also tells where VLC is.
//
// The action names are VLC 3's own, without their "key-" prefix (src/misc/actions.c, the
// s_names2actions table; handled in modules/control/hotkeys.c): play, pause, stop, chapter-next,
// chapter-prev, faster, slower, frame-next, disc-menu, nav-left, nav-right, nav-up, nav-down,
// nav-activate, vol-up, vol-down, vol-mute, audio-track, subtitle-track. Against VLC 3.0.24, play
// starts a stopped or paused VLC at normal speed, but at any other rate it only brings the rate
// back to normal and a paused VLC stays paused (hotkeys.c, ACTIONID_PLAY; the real-VLC end-to-end
// test presses Fast Forward, Pause, Play); pause pauses, faster and slower step the rate,
// frame-next pauses and steps one frame (read back from status.json).
// Left out because VLC has no such action: Title, Chapter, Angle, Audio and Subpicture Menu (the
// DVD's own menus are reached through disc-menu), Slow Forward and Backward, Step Backward, Zoom
// (VLC's zoom steps the size of the video, not a zoom into the picture), Eject Disc, Next Angle.
// The command codes are those the Corvane plug-ins give the same buttons.

#include "plugins/player_profile.h"

namespace spindrel::plugins {

namespace {

Command action(std::int32_t code, const char* name) {
    return {code, Delivery::request, {}, name};
}

PlayerProfile vlc() {
    PlayerProfile p;
    // Qt 5 registers its top-level windows with an icon as "Qt5QWindowIcon" (qtbase,
    // src/plugins/platforms/windows/qwindowscontext.cpp, registerWindowClass). VLC's main window
    // is titled "VLC media player", or "<what plays> - VLC media player" (VLC 3.0.24's Qt
    // interface: "clip.mpg - VLC media player" while playing, "VLC media player" once stopped);
    // its other top-level windows (playlist, settings) have titles of their own.
    p.mainWindow = {"Qt5QWindowIcon", "VLC media player", false, true};
    // The video is drawn inside the main window.
    p.videoInMainWindow = true;
    p.abilities = {
        {"Play", 7, 9, 0, 0},
        {"Stop", 39, 9, 1, 0},
        {"Pause", 71, 9, 2, 0},
        {"-", 0, 0, 0, 0},
        {"Next", 103, 53, 5, 0},
        {"Previous", 7, 53, 6, 0},
        {"-", 0, 0, 0, 0},
        {"Fast Forward", 71, 53, 3, 0},
        {"Fast Rewind", 39, 53, 4, 0},
        {"Step Forward", 71, 31, 8, 0},
        {"Root Menu", 7, 77, 21, 1},
        {"-", 0, 0, 0, 0},
        {"Left", 208, 33, 9, 0},
        {"Right", 252, 33, 10, 0},
        {"Up", 233, 8, 11, 0},
        {"Down", 233, 52, 12, 0},
        {"Ok / Enter", 231, 31, 13, 0},
        {"Volume Up", 210, 77, 16, 1},
        {"Volume Down", 210, 93, 17, 0},
        {"Mute", 242, 77, 15, 0},
        {"-", 0, 0, 0, 0},
        {"Next Audio", 161, 31, 18, 0},
        {"Next Caption", 161, 53, 19, 0},
    };
    p.commands = {
        action(0, "play"),          action(1, "stop"),         action(2, "pause"),
        action(3, "faster"),        action(4, "slower"),       action(5, "chapter-next"),
        action(6, "chapter-prev"),  action(8, "frame-next"),   action(9, "nav-left"),
        action(10, "nav-right"),    action(11, "nav-up"),      action(12, "nav-down"),
        action(13, "nav-activate"), action(15, "vol-mute"),    action(16, "vol-up"),
        action(17, "vol-down"),     action(18, "audio-track"), action(19, "subtitle-track"),
        action(21, "disc-menu"),
    };
    // VLC's installer records the program under its key (default value) and its folder
    // (InstallDir); a 64-bit VLC is preferred. Then its default folders.
    const auto registered = [](RegRoot root, const char* value, const char* file) {
        return ProgramCandidate{root, "\\Software\\VideoLAN\\VLC", value, file};
    };
    const auto installed = [](const char* file) {
        return ProgramCandidate{RegRoot::localMachine, "", "", file};
    };
    p.programCandidates = {
        registered(RegRoot::localMachine64, "", ""),
        registered(RegRoot::localMachine64, "InstallDir", "vlc.exe"),
        registered(RegRoot::localMachine32, "", ""),
        registered(RegRoot::localMachine32, "InstallDir", "vlc.exe"),
        installed("%ProgramW6432%\\VideoLAN\\VLC\\vlc.exe"),
        installed("%ProgramFiles(x86)%\\VideoLAN\\VLC\\vlc.exe"),
        installed("%ProgramFiles%\\VideoLAN\\VLC\\vlc.exe"),
    };
    // Found nowhere: the shell may still know it by its App Paths entry.
    p.defaultPath = {"", "", "vlc.exe"};
    p.web = {true, "/requests/status.json?command=key&val=", "/requests/status.xml",
             "%APPDATA%\\vlc\\vlcrc", "portable\\vlcrc"};
    // The web interface's in_play adds the address to the playlist and plays it at once
    // (share/lua/intf/modules/httprequests.lua, processcommands; share/lua/http/requests/
    // README.txt); the Lua playlist takes the request's options as trusted ones, so the disc
    // starts with its first-play title here too.
    p.web.openPath = "/requests/status.xml?command=in_play&option=%3Ano-dvdnav-menu&input=";
    return p;
}

}  // namespace

const PlayerProfile& vlcProfile() {
    static const PlayerProfile profile = vlc();
    return profile;
}

}  // namespace spindrel::plugins
