// CyberLink's Corvane player, driven with its own keyboard shortcuts. The two versions differ
// only in the title of the main window.

#include "plugins/player_profile.h"

namespace spindrel::plugins {

namespace {

// The player takes the scan code in bits 8 to 15 of lParam, not where a real keystroke has it.
Command character(std::int32_t code, std::uintptr_t character, std::intptr_t scan) {
    return {code, Delivery::sent, {{kWmChar, character, scan << 8}}};
}
Command key(std::int32_t code, std::uintptr_t virtualKey, std::intptr_t scan) {
    return {code, Delivery::sent, {{kWmKeyDown, virtualKey, scan << 8}}};
}
// The DVD menus are "l" followed by a second letter, posted so both queue in order and the
// caller does not wait for the player to open the menu.
Command menu(std::int32_t code, std::uintptr_t second, std::intptr_t scan) {
    return {code, Delivery::posted, {{kWmChar, 'l', 0x26 << 8}, {kWmChar, second, scan << 8}}};
}

PlayerProfile corvane(const std::string& mainTitle) {
    PlayerProfile p;
    p.mainWindow = {"Class of CyberLink Universal Player", mainTitle};
    p.videoWindow = {"CyberLink Video Window Class", "Corvane"};
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
        {"-", 0, 0, 0, 0},
        {"Step Forward", 71, 31, 8, 0},
        {"Zoom", 39, 31, 7, 0},
        {"Root Menu", 7, 77, 21, 1},
        {"Title Menu", 39, 77, 22, 0},
        {"Chapter Menu", 71, 77, 23, 0},
        {"Angle Menu", 103, 77, 24, 0},
        {"Audio Menu", 135, 77, 25, 0},
        {"Subpicture Menu", 167, 77, 26, 0},
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
        {"Eject Disc", 103, 9, 14, 0},
        {"-", 0, 0, 0, 0},
        {"Next Angle", 161, 9, 20, 0},
        {"Next Audio", 161, 31, 18, 0},
        {"Next Caption", 161, 53, 19, 0},
    };
    p.commands = {
        character(0, 0x0D, 0x1C),  // Play: carriage return
        character(1, 's', 0x1F),
        character(2, ' ', 0x19),  // Pause carries P's scan code, as the player expects
        character(3, 'f', 0x21),
        character(4, 'b', 0x30),
        character(5, 'n', 0x31),
        character(6, 'p', 0x19),
        character(7, 'z', 0x2C),
        character(8, 't', 0x14),
        key(9, 0x25, 0x4B),   // VK_LEFT
        key(10, 0x27, 0x4D),  // VK_RIGHT
        key(11, 0x26, 0x48),  // VK_UP
        key(12, 0x28, 0x50),  // VK_DOWN
        character(13, 0x0D, 0x1C),
        character(14, 0x05, 0x12),  // Ctrl+E
        character(15, 'q', 0x10),
        character(16, '+', 0x0D),
        character(17, '-', 0x0C),
        character(18, 'h', 0x23),
        character(19, 'u', 0x16),
        character(20, 'a', 0x1E),
        menu(21, 'r', 0x13),
        menu(22, 't', 0x14),
        menu(23, 'c', 0x2E),
        menu(24, 'g', 0x22),
        menu(25, 'a', 0x1E),
        menu(26, 's', 0x1F),
    };
    p.defaultPath = {"\\Software\\CyberLink\\Corvane", "InstallDir", "Corvane.exe"};
    p.raisesVideoWindow = true;
    return p;
}

}  // namespace

const PlayerProfile& corvaneProfile() {
    static const PlayerProfile profile = corvane("CyberLink Universal Player");
    return profile;
}

const PlayerProfile& corvane3Profile() {
    static const PlayerProfile profile = corvane("Corvane");
    return profile;
}

}  // namespace spindrel::plugins
