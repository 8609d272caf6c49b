// Each player's ability list byte for byte and its command table code by code, from one below
// the lowest code to one past the highest, as they reach a running player.

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "plugins/engine.h"
#include "support/fake_drives.h"
#include "support/fake_file_io.h"
#include "support/fake_local_web.h"
#include "support/fake_platform.h"
#include "support/fake_registry.h"

namespace spindrel::plugins {
namespace {

using testing::FakeRegistry;
using testing::FakeShell;
using testing::FakeWindows;

struct Expected {
    bool sent;
    std::vector<PlayerMessage> messages;
};
using Table = std::map<int, Expected>;

constexpr std::uint32_t kChar = 0x0102;
constexpr std::uint32_t kKeyDown = 0x0100;
constexpr std::uint32_t kCommand = 0x0111;

// Presses every code from -1 to highest + 1 on a running player and compares what reached the
// main window with the table; codes the table lacks must reach nothing.
void expectTable(const PlayerProfile& profile, const Table& table, int highest) {
    for (int code = -1; code <= highest + 1; ++code) {
        SCOPED_TRACE("code " + std::to_string(code));
        FakeWindows windows;
        FakeShell shell;
        FakeRegistry registry;
        const WindowHandle main = windows.addWindow(
            profile.mainWindow.className,
            profile.mainWindow.anyTitle ? "Any Film.vob" : profile.mainWindow.title);
        PluginEngine engine(profile, windows, shell, registry);
        engine.sendButton(code);

        const auto found = table.find(code);
        if (found == table.end()) {
            EXPECT_TRUE(windows.messages.empty());
            continue;
        }
        ASSERT_EQ(windows.messages.size(), found->second.messages.size());
        for (std::size_t i = 0; i < windows.messages.size(); ++i) {
            const testing::WindowMessage& got = windows.messages[i];
            const PlayerMessage& want = found->second.messages[i];
            EXPECT_EQ(got.window, main);
            EXPECT_EQ(got.message, want.message) << "message " << i;
            EXPECT_EQ(got.wParam, want.wParam) << "message " << i;
            EXPECT_EQ(got.lParam, want.lParam) << "message " << i;
            EXPECT_EQ(got.sent, found->second.sent) << "message " << i;
            if (got.sent) {
                EXPECT_EQ(got.timeoutMs, 5000u);
            }
        }
    }
}

Table corvaneTable() {
    auto ch = [](std::uintptr_t c, std::intptr_t l) { return Expected{true, {{kChar, c, l}}}; };
    auto kd = [](std::uintptr_t k, std::intptr_t l) { return Expected{true, {{kKeyDown, k, l}}}; };
    auto menu = [](std::uintptr_t c, std::intptr_t l) {
        return Expected{false, {{kChar, 0x6C, 0x2600}, {kChar, c, l}}};
    };
    return {
        {0, ch(0x0D, 0x1C00)},  {1, ch(0x73, 0x1F00)},  {2, ch(0x20, 0x1900)},
        {3, ch(0x66, 0x2100)},  {4, ch(0x62, 0x3000)},  {5, ch(0x6E, 0x3100)},
        {6, ch(0x70, 0x1900)},  {7, ch(0x7A, 0x2C00)},  {8, ch(0x74, 0x1400)},
        {9, kd(0x25, 0x4B00)},  {10, kd(0x27, 0x4D00)}, {11, kd(0x26, 0x4800)},
        {12, kd(0x28, 0x5000)}, {13, ch(0x0D, 0x1C00)}, {14, ch(0x05, 0x1200)},
        {15, ch(0x71, 0x1000)}, {16, ch(0x2B, 0x0D00)}, {17, ch(0x2D, 0x0C00)},
        {18, ch(0x68, 0x2300)}, {19, ch(0x75, 0x1600)}, {20, ch(0x61, 0x1E00)},
        {21, menu(0x72, 0x1300)}, {22, menu(0x74, 0x1400)}, {23, menu(0x63, 0x2E00)},
        {24, menu(0x67, 0x2200)}, {25, menu(0x61, 0x1E00)}, {26, menu(0x73, 0x1F00)},
    };
}

Table brannockTable() {
    auto cmd = [](std::uintptr_t id) { return Expected{true, {{kCommand, id, 0}}}; };
    auto menu = [](int downs) {
        Expected e{false, {{kCommand, 1031, 0}}};
        for (int i = 0; i < downs; ++i) e.messages.push_back({kKeyDown, 0x28, 0});
        e.messages.push_back({kKeyDown, 0x0D, 0});
        return e;
    };
    return {
        {0, cmd(1007)},  {1, cmd(992)},   {2, cmd(1009)},  {3, cmd(1013)},  {4, cmd(1012)},
        {5, cmd(1014)},  {6, cmd(1011)},  {7, cmd(1018)},  {9, cmd(1017)},  {11, cmd(1035)},
        {12, cmd(1036)}, {13, cmd(1037)}, {14, cmd(1038)}, {15, cmd(1039)}, {17, cmd(1010)},
        {18, cmd(1057)}, {24, menu(1)},   {25, menu(2)},   {26, menu(3)},   {27, menu(4)},
        {28, menu(5)},   {29, menu(6)},
    };
}

Table wyvernelTable() {
    auto cmd = [](std::uintptr_t id, std::intptr_t l) { return Expected{true, {{kCommand, id, l}}}; };
    auto kd = [](std::uintptr_t k) { return Expected{true, {{kKeyDown, k, 0}}}; };
    return {
        {0, cmd(1320, 0)},       {1, cmd(1321, 0)},       {2, cmd(1322, 0)},
        {3, cmd(0x0002052F, 0)}, {4, cmd(0x00020530, 0)}, {5, cmd(1329, 0)},
        {6, cmd(1330, 0)},       {7, cmd(1325, 0)},       {8, cmd(1326, 0)},
        {9, cmd(1323, 0)},       {10, cmd(1324, 0)},      {11, cmd(1426, 1)},
        {12, cmd(1426, 2)},      {13, cmd(1426, 3)},      {14, cmd(1426, 4)},
        {15, cmd(1426, 5)},      {17, cmd(1331, 0)},      {18, cmd(1232, 0)},
        {19, cmd(1230, 0)},      {20, cmd(1231, 0)},      {21, kd(0x72)},
        {22, kd(0x71)},          {23, kd(0x73)},          {24, kd(0x76)},
        {25, kd(0x77)},          {26, kd(0x78)},          {27, kd(0x7B)},
        {28, kd(0x7A)},          {29, kd(0x79)},
    };
}

// Each button is the player's own menu command, and the code is that command's identifier.
Table mpcTable() {
    Table table;
    for (int id : {887, 888, 890, 891, 894, 895, 907, 908, 909, 921, 922, 923, 924, 925, 926, 927,
                   928, 929, 930, 931, 932, 933, 952, 954}) {
        table[id] = Expected{true, {{kCommand, static_cast<std::uintptr_t>(id), 0}}};
    }
    return table;
}

TEST(PluginTablesTest, CorvanePlayersPressEveryButtonAsTabledAndNothingElse) {
    expectTable(corvaneProfile(), corvaneTable(), 26);
    expectTable(corvane3Profile(), corvaneTable(), 26);
}

TEST(PluginTablesTest, BrannockPressesEveryButtonAsTabledAndNothingElse) {
    expectTable(brannockProfile(), brannockTable(), 29);
}

TEST(PluginTablesTest, WyvernelPressesEveryButtonAsTabledAndNothingElse) {
    expectTable(wyvernelProfile(), wyvernelTable(), 29);
}

TEST(PluginTablesTest, MpcPressesEveryButtonAsTabledAndNothingElse) {
    expectTable(mpcProfile(), mpcTable(), 954);
}

// VLC takes every button as one request naming its hotkey action, to the interface it was
// started with.
TEST(PluginTablesTest, VlcPressesEveryButtonAsItsActionAndNothingElse) {
    const std::map<int, std::string> table = {
        {0, "play"},          {1, "stop"},         {2, "pause"},
        {3, "faster"},        {4, "slower"},       {5, "chapter-next"},
        {6, "chapter-prev"},  {8, "frame-next"},   {9, "nav-left"},
        {10, "nav-right"},    {11, "nav-up"},      {12, "nav-down"},
        {13, "nav-activate"}, {15, "vol-mute"},    {16, "vol-up"},
        {17, "vol-down"},     {18, "audio-track"}, {19, "subtitle-track"},
        {21, "disc-menu"},
    };
    FakeWindows windows;
    FakeShell shell;
    FakeRegistry registry;
    testing::FakeLocalWeb web;
    testing::FakeFileSystem fileSystem;
    testing::FakeFileIo files(fileSystem);
    testing::FakeDrives drives;
    WebSession session{8123, "pw", 0};
    web.ports[8123].password = "pw";
    windows.addWindow("Qt5QWindowIcon", "VLC media player");
    for (int code = -1; code <= 22; ++code) {
        SCOPED_TRACE("code " + std::to_string(code));
        web.requests.clear();
        PluginEngine engine(vlcProfile(), windows, shell, registry);
        engine.attachWeb({web, web, files, drives, session});
        const std::int32_t result = engine.sendButton(code);
        const auto found = table.find(code);
        if (found == table.end()) {
            EXPECT_TRUE(web.requests.empty());
            continue;
        }
        EXPECT_EQ(result, 1);
        ASSERT_EQ(web.requests.size(), 1u);
        EXPECT_EQ(web.requests[0].path, "/requests/status.json?command=key&val=" + found->second);
        EXPECT_EQ(web.requests[0].port, 8123);
        EXPECT_EQ(web.requests[0].password, "pw");
        EXPECT_EQ(web.requests[0].timeoutMs, 4950u);
    }
    EXPECT_TRUE(windows.messages.empty());
}

TEST(PluginTablesTest, AbilityListsAreExactlyThePlayersButtons) {
    const std::string corvane =
        "Play(7,9,0,0)Stop(39,9,1,0)Pause(71,9,2,0)-(0,0,0,0)Next(103,53,5,0)"
        "Previous(7,53,6,0)-(0,0,0,0)Fast Forward(71,53,3,0)Fast Rewind(39,53,4,0)-(0,0,0,0)"
        "Step Forward(71,31,8,0)Zoom(39,31,7,0)Root Menu(7,77,21,1)Title Menu(39,77,22,0)"
        "Chapter Menu(71,77,23,0)Angle Menu(103,77,24,0)Audio Menu(135,77,25,0)"
        "Subpicture Menu(167,77,26,0)-(0,0,0,0)Left(208,33,9,0)Right(252,33,10,0)"
        "Up(233,8,11,0)Down(233,52,12,0)Ok / Enter(231,31,13,0)Volume Up(210,77,16,1)"
        "Volume Down(210,93,17,0)Mute(242,77,15,0)-(0,0,0,0)Eject Disc(103,9,14,0)-(0,0,0,0)"
        "Next Angle(161,9,20,0)Next Audio(161,31,18,0)Next Caption(161,53,19,0)";
    EXPECT_EQ(abilityText(corvaneProfile()), corvane);
    EXPECT_EQ(abilityText(corvane3Profile()), corvane);

    EXPECT_EQ(abilityText(brannockProfile()),
              "Play(71,9,0,0)Stop(103,9,1,0)Pause(135,9,2,0)-(0,0,0,0)Next(167,31,5,0)"
              "Previous(71,31,6,0)-(0,0,0,0)Fast Forward(135,31,3,0)Fast Rewind(103,31,4,0)"
              "Slow Forward(103,53,7,0)Step Forward(135,53,9,0)-(0,0,0,0)Mute(226,77,18,0)"
              "Eject Disc(167,9,17,0)Root Menu(7,9,24,1)Title Menu(39,9,25,0)"
              "Chapter Menu(7,43,26,0)Angle Menu(39,43,29,0)Audio Menu(7,77,28,0)"
              "Subpicture Menu(39,77,27,0)-(0,0,0,0)Left(208,33,11,0)Right(252,33,12,0)"
              "Up(233,8,13,0)Down(233,52,14,0)Ok / Enter(231,31,15,0)-(0,0,0,0)");

    EXPECT_EQ(abilityText(wyvernelProfile()),
              "Play(7,9,0,0)Stop(39,9,1,0)Pause(71,9,2,0)-(0,0,0,0)Next(103,53,5,0)"
              "Previous(7,53,6,0)-(0,0,0,0)Fast Forward(71,53,3,0)Fast Rewind(39,53,4,0)"
              "Slow Forward(103,31,7,0)Slow Backward(7,31,8,0)Step Forward(71,31,9,0)"
              "Step Backward(39,31,10,0)Root Menu(7,77,24,1)Title Menu(39,77,25,0)"
              "Chapter Menu(71,77,26,0)Angle Menu(103,77,27,0)Audio Menu(135,77,28,0)"
              "Subpicture Menu(167,77,29,0)-(0,0,0,0)Left(208,33,11,0)Right(252,33,12,0)"
              "Up(233,8,13,0)Down(233,52,14,0)Ok / Enter(231,31,15,0)Volume Up(210,77,19,1)"
              "Volume Down(210,93,20,0)Mute(242,77,18,0)-(0,0,0,0)Eject Disc(103,9,17,0)"
              "-(0,0,0,0)Next Angle(161,9,23,0)Next Audio(161,31,21,0)"
              "Next Caption(161,53,22,0)");

    EXPECT_EQ(abilityText(mpcProfile()),
              "Play(7,9,887,0)Stop(39,9,890,0)Pause(71,9,888,0)-(0,0,0,0)Next(103,53,922,0)"
              "Previous(7,53,921,0)-(0,0,0,0)Fast Forward(71,53,895,0)Fast Rewind(39,53,894,0)"
              "Step Forward(71,31,891,0)Root Menu(7,77,924,1)Title Menu(39,77,923,0)"
              "Chapter Menu(71,77,928,0)Angle Menu(103,77,927,0)Audio Menu(135,77,926,0)"
              "Subpicture Menu(167,77,925,0)-(0,0,0,0)Left(208,33,929,0)Right(252,33,930,0)"
              "Up(233,8,931,0)Down(233,52,932,0)Ok / Enter(231,31,933,0)"
              "Volume Up(210,77,907,1)Volume Down(210,93,908,0)Mute(242,77,909,0)-(0,0,0,0)"
              "Next Audio(161,31,952,0)Next Caption(161,53,954,0)");

    EXPECT_EQ(abilityText(vlcProfile()),
              "Play(7,9,0,0)Stop(39,9,1,0)Pause(71,9,2,0)-(0,0,0,0)Next(103,53,5,0)"
              "Previous(7,53,6,0)-(0,0,0,0)Fast Forward(71,53,3,0)Fast Rewind(39,53,4,0)"
              "Step Forward(71,31,8,0)Root Menu(7,77,21,1)-(0,0,0,0)Left(208,33,9,0)"
              "Right(252,33,10,0)Up(233,8,11,0)Down(233,52,12,0)Ok / Enter(231,31,13,0)"
              "Volume Up(210,77,16,1)Volume Down(210,93,17,0)Mute(242,77,15,0)-(0,0,0,0)"
              "Next Audio(161,31,18,0)Next Caption(161,53,19,0)");
}

// Every button offered must be one the player can be sent, with the code the list gives.
TEST(PluginTablesTest, EveryOfferedButtonHasACommandAndEveryCommandIsOffered) {
    for (const PlayerProfile* profile :
         {&corvaneProfile(), &corvane3Profile(), &brannockProfile(), &wyvernelProfile(),
          &mpcProfile(), &vlcProfile()}) {
        std::size_t buttons = 0;
        for (const Ability& a : profile->abilities) {
            if (a.name == "-") continue;
            ++buttons;
            EXPECT_NE(findCommand(*profile, a.code), nullptr) << a.name;
        }
        EXPECT_EQ(buttons, profile->commands.size());
    }
}

// A DSM recorded with another plug-in plays unchanged: every name is one the others use, and at
// the place the Creative player has it on the remote panel.
TEST(PluginTablesTest, MpcAndVlcButtonsAreWyvernelsNamesInWyvernelsPlaces) {
    std::vector<Ability> others = mpcProfile().abilities;
    others.insert(others.end(), vlcProfile().abilities.begin(), vlcProfile().abilities.end());
    for (const Ability& a : others) {
        if (a.name == "-") continue;
        bool found = false;
        for (const Ability& w : wyvernelProfile().abilities) {
            if (w.name != a.name) continue;
            found = true;
            EXPECT_EQ(std::make_pair(w.x, w.y), std::make_pair(a.x, a.y)) << a.name;
        }
        EXPECT_TRUE(found) << a.name;
    }
}

}  // namespace
}  // namespace spindrel::plugins
