// Creative's two players, driven mainly with their own WM_COMMAND identifiers.

#include "plugins/player_profile.h"

namespace spindrel::plugins {

namespace {

inline constexpr std::uintptr_t kVkReturn = 0x0D;
inline constexpr std::uintptr_t kVkDown = 0x28;

Command command(std::int32_t code, std::uintptr_t id, std::intptr_t lParam = 0) {
    return {code, Delivery::sent, {{kWmCommand, id, lParam}}};
}
Command key(std::int32_t code, std::uintptr_t virtualKey) {
    return {code, Delivery::sent, {{kWmKeyDown, virtualKey, 0}}};
}

// Brannock has no direct command per DVD menu: it opens its menu list and walks down to the
// entry. Posted, so the keys queue behind the command and reach the list it opens.
Command brannockMenu(std::int32_t code, int downs) {
    Command c{code, Delivery::posted, {{kWmCommand, 1031, 0}}};
    for (int i = 0; i < downs; ++i) c.messages.push_back({kWmKeyDown, kVkDown, 0});
    c.messages.push_back({kWmKeyDown, kVkReturn, 0});
    return c;
}

PlayerProfile brannock() {
    PlayerProfile p;
    p.mainWindow = {"CTBrannock", "Creative Brannock"};
    // The player's own title is cut off at 48 characters.
    p.videoWindow = {"DVDFrame", "Creative SoftPC-DVD software decoder Video Windo"};
    p.abilities = {
        {"Play", 71, 9, 0, 0},
        {"Stop", 103, 9, 1, 0},
        {"Pause", 135, 9, 2, 0},
        {"-", 0, 0, 0, 0},
        {"Next", 167, 31, 5, 0},
        {"Previous", 71, 31, 6, 0},
        {"-", 0, 0, 0, 0},
        {"Fast Forward", 135, 31, 3, 0},
        {"Fast Rewind", 103, 31, 4, 0},
        {"Slow Forward", 103, 53, 7, 0},
        {"Step Forward", 135, 53, 9, 0},
        {"-", 0, 0, 0, 0},
        {"Mute", 226, 77, 18, 0},
        {"Eject Disc", 167, 9, 17, 0},
        {"Root Menu", 7, 9, 24, 1},
        {"Title Menu", 39, 9, 25, 0},
        {"Chapter Menu", 7, 43, 26, 0},
        {"Angle Menu", 39, 43, 29, 0},
        {"Audio Menu", 7, 77, 28, 0},
        {"Subpicture Menu", 39, 77, 27, 0},
        {"-", 0, 0, 0, 0},
        {"Left", 208, 33, 11, 0},
        {"Right", 252, 33, 12, 0},
        {"Up", 233, 8, 13, 0},
        {"Down", 233, 52, 14, 0},
        {"Ok / Enter", 231, 31, 15, 0},
        {"-", 0, 0, 0, 0},
    };
    p.commands = {
        command(0, 1007),  command(1, 992),   command(2, 1009),  command(3, 1013),
        command(4, 1012),  command(5, 1014),  command(6, 1011),  command(7, 1018),
        command(9, 1017),  command(11, 1035), command(12, 1036), command(13, 1037),
        command(14, 1038), command(15, 1039), command(17, 1010), command(18, 1057),
        brannockMenu(24, 1), brannockMenu(25, 2), brannockMenu(26, 3),
        brannockMenu(27, 4), brannockMenu(28, 5), brannockMenu(29, 6),
    };
    p.defaultPath = {"\\Software\\Creative Tech\\Creative Brannock", "Path", "ctplay.exe"};
    return p;
}

PlayerProfile wyvernel() {
    PlayerProfile p;
    p.mainWindow = {"PlayWnd", "Creative PC-DVD Player"};
    p.videoWindow = {"DVDFrame", "Creative PC-DVD Video Window"};
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
        {"Slow Forward", 103, 31, 7, 0},
        {"Slow Backward", 7, 31, 8, 0},
        {"Step Forward", 71, 31, 9, 0},
        {"Step Backward", 39, 31, 10, 0},
        {"Root Menu", 7, 77, 24, 1},
        {"Title Menu", 39, 77, 25, 0},
        {"Chapter Menu", 71, 77, 26, 0},
        {"Angle Menu", 103, 77, 27, 0},
        {"Audio Menu", 135, 77, 28, 0},
        {"Subpicture Menu", 167, 77, 29, 0},
        {"-", 0, 0, 0, 0},
        {"Left", 208, 33, 11, 0},
        {"Right", 252, 33, 12, 0},
        {"Up", 233, 8, 13, 0},
        {"Down", 233, 52, 14, 0},
        {"Ok / Enter", 231, 31, 15, 0},
        {"Volume Up", 210, 77, 19, 1},
        {"Volume Down", 210, 93, 20, 0},
        {"Mute", 242, 77, 18, 0},
        {"-", 0, 0, 0, 0},
        {"Eject Disc", 103, 9, 17, 0},
        {"-", 0, 0, 0, 0},
        {"Next Angle", 161, 9, 23, 0},
        {"Next Audio", 161, 31, 21, 0},
        {"Next Caption", 161, 53, 22, 0},
    };
    // Fast Forward and Fast Rewind carry 2 in the high word of wParam; the low word alone is not
    // what the player acts on for them.
    p.commands = {
        command(0, 1320),          command(1, 1321),          command(2, 1322),
        command(3, 0x0002052F),    command(4, 0x00020530),    command(5, 1329),
        command(6, 1330),          command(7, 1325),          command(8, 1326),
        command(9, 1323),          command(10, 1324),         command(11, 1426, 1),
        command(12, 1426, 2),      command(13, 1426, 3),      command(14, 1426, 4),
        command(15, 1426, 5),      command(17, 1331),         command(18, 1232),
        command(19, 1230),         command(20, 1231),
        key(21, 0x72),  // VK_F3
        key(22, 0x71),  // VK_F2
        key(23, 0x73),  // VK_F4
        key(24, 0x76),  // VK_F7
        key(25, 0x77),  // VK_F8
        key(26, 0x78),  // VK_F9
        key(27, 0x7B),  // VK_F12
        key(28, 0x7A),  // VK_F11
        key(29, 0x79),  // VK_F10
    };
    // The player registers no install folder of its own; the shell finds it.
    p.defaultPath = {"", "", "CTDVDPLY.exe"};
    return p;
}

}  // namespace

const PlayerProfile& brannockProfile() {
    static const PlayerProfile profile = brannock();
    return profile;
}

const PlayerProfile& wyvernelProfile() {
    static const PlayerProfile profile = wyvernel();
    return profile;
}

}  // namespace spindrel::plugins
