#include "app/plugin_binding.h"

#include <gtest/gtest.h>

#include "support/fake_plugin.h"
#include "support/scripted_message_boxes.h"

namespace spindrel {
namespace {

class PluginBindingTest : public ::testing::Test {
protected:
    std::unique_ptr<PlayerPort> bind(const std::string& name = "Corvane.dll") {
        return bindPlugin(libraries, messages, name, "DVD Spindrel", image4);
    }
    testing::FakeLibraries libraries;
    testing::ScriptedMessageBoxes messages;
    testing::FakePlugin plugin;
    Control image4;
};

TEST_F(PluginBindingTest, CompletePluginIsBoundAndCallsReachIt) {
    plugin.install(libraries, "Corvane.dll");
    plugin.playerWindow = 0x42;
    plugin.videoWindow = 0x43;
    plugin.abilities = "Play(7,9,0,0)";
    auto player = bind();
    ASSERT_NE(player, nullptr);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(image4.hint, "PC-DVD Interface : Corvane.dll");

    EXPECT_EQ(player->PCDVD_Player(), 0x42u);
    EXPECT_EQ(player->PCDVD_Window(), 0x43u);
    player->Send_To_DVD(13);
    EXPECT_EQ(plugin.sent, std::vector<std::int32_t>{13});
    EXPECT_TRUE(player->Start_DVD_Player('E'));
    plugin.startResult = false;
    EXPECT_FALSE(player->Start_DVD_Player(0));
    EXPECT_EQ(plugin.starts, (std::vector<char>{'E', 0}));
    player->Kill_DVD_Player();
    player->Wait_For_Player();
    EXPECT_EQ(plugin.kills, 1);
    EXPECT_EQ(plugin.waits, 1);
    char buffer[100] = "old text";
    player->Get_Abilities(buffer);
    EXPECT_STREQ(buffer, "Play(7,9,0,0)");
}

TEST_F(PluginBindingTest, ExportsAreLookedUpInTheirFixedOrder) {
    plugin.install(libraries, "Corvane.dll");
    bind();
    EXPECT_EQ(libraries.lookedUp,
              (std::vector<std::string>{"PCDVD_Window", "PCDVD_Player", "Send_To_DVD",
                                        "Start_DVD_Player", "Kill_DVD_Player", "Wait_For_Player",
                                        "Get_Abilities", "PCDVD_State"}));
}

TEST_F(PluginBindingTest, TheStateExportIsOptional) {
    plugin.install(libraries, "Corvane.dll");
    EXPECT_EQ(bind()->playerState(), std::nullopt);
    EXPECT_TRUE(messages.shown.empty());

    testing::VirtualClock clock;
    testing::ScriptedPlayerState states(clock);
    plugin.states = &states;
    plugin.install(libraries, "Vlc.dll");
    auto player = bind("Vlc.dll");
    EXPECT_EQ(player->playerState(), PlayerState{});  // nothing known yet
    states.at(0, PlayerDomain::title, 2, 3);
    clock.advance(250);
    EXPECT_EQ(player->playerState(), (PlayerState{true, PlayerDomain::title, 2, 3, 250}));
}

TEST_F(PluginBindingTest, MissingLibraryIsReportedAndStillNamedInTheHint) {
    EXPECT_EQ(bind("Gone.dll"), nullptr);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Missing Dynamic Link Library\t\r\rDLL Name:\tGone.dll");
    EXPECT_EQ(messages.shown[0].buttons, MsgButtons::ok);
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::error);
    EXPECT_EQ(image4.hint, "PC-DVD Interface : Gone.dll");
}

TEST_F(PluginBindingTest, EveryExportIsRequired) {
    for (const char* omitted : kPluginExports) {
        SCOPED_TRACE(omitted);
        testing::FakeLibraries fresh;
        plugin.install(fresh, "Corvane.dll", {omitted});
        messages.shown.clear();
        EXPECT_EQ(bindPlugin(fresh, messages, "Corvane.dll", "DVD Spindrel", image4), nullptr);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text,
                  std::string("Missing function in Dynamic Link Library\t\r\rDLL Name:\t"
                              "Corvane.dll\rExport:\t\t") +
                      omitted);
    }
}

TEST_F(PluginBindingTest, OnlyTheLastMissingExportInLookUpOrderIsNamed) {
    plugin.install(libraries, "Corvane.dll", {"PCDVD_Window", "Get_Abilities"});
    EXPECT_EQ(bind(), nullptr);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text.substr(messages.shown[0].text.rfind('\t') + 1),
              "Get_Abilities");

    libraries = {};
    messages.shown.clear();
    plugin.install(libraries, "Corvane.dll", {"Kill_DVD_Player", "Send_To_DVD"});
    EXPECT_EQ(bind(), nullptr);
    EXPECT_EQ(messages.shown[0].text.substr(messages.shown[0].text.rfind('\t') + 1),
              "Kill_DVD_Player");
}

}  // namespace
}  // namespace spindrel
