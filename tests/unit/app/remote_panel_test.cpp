#include <gtest/gtest.h>

#include <cstring>

#include "macro/ability_list.h"
#include "unit/app/macro_fixture.h"

namespace spindrel {
namespace {

using testing::MacroFixture;

class RemotePanelTest : public MacroFixture {};

TEST_F(RemotePanelTest, AbilityListBecomesMenuItemsAndButtons) {
    const auto& menu = tmain->model.ButtonMenu;
    ASSERT_EQ(menu.size(), 5u);
    EXPECT_EQ(menu[4].caption, "Ok / Enter");
    EXPECT_EQ(menu[4].tag, 13);
    EXPECT_EQ(menu[2].caption, "-");
    EXPECT_EQ(menu[2].tag, -1);
    EXPECT_TRUE(menu[3].breakColumn);
    EXPECT_FALSE(menu[4].breakColumn);

    const auto& buttons = tmain->model.remoteButtons;
    ASSERT_EQ(buttons.size(), 4u);
    EXPECT_EQ(buttons[2].tag, 3);  // skips the separator's index
    EXPECT_EQ(buttons[3].tag, 4);
    EXPECT_EQ(buttons[3].left, 231);
    EXPECT_EQ(buttons[3].top, 31);
    EXPECT_EQ(buttons[3].width, 30);  // the fake strip is 120 wide: four glyphs
    EXPECT_EQ(buttons[3].height, 30);
    EXPECT_EQ(t.bitmaps.loads.back(), "../images/buttons_OkEnter.bmp");
    EXPECT_EQ(tmain->knownButtons(),
              (std::vector<std::string>{"Play", "Stop", "Root Menu", "Ok / Enter"}));
}

TEST_F(RemotePanelTest, FaultyListsStopAtTheFaultKeepingWhatCameBefore) {
    struct Case {
        std::string text;
        std::size_t items;
        bool result;
    };
    const Case cases[] = {
        {"", 0, true},
        {"Play(1,2,3,0)Stop(4,5", 1, false},
        {"Play(1,2,3,0)Stop", 1, false},
        {"Play(1,2,3,0)Stop)(1,2,3,4)", 1, false},
        {"Play(1,2,x,0)", 1, true},
    };
    for (const Case& c : cases) {
        plugin.abilities = c.text;
        EXPECT_EQ(tmain->BuildRemotePanel(), c.result) << c.text;
        EXPECT_EQ(tmain->model.ButtonMenu.size(), c.items) << c.text;
        EXPECT_EQ(tmain->model.remoteButtons.size(), c.items) << c.text;
    }
    // A code that is not a number: the button exists and sends -1, which plug-ins ignore.
    EXPECT_EQ(tmain->model.ButtonMenu[0].tag, -1);
    tmain->dvdbuttonclick(0);
    EXPECT_EQ(plugin.sent, std::vector<std::int32_t>{-1});
}

TEST(AbilityListTest, BufferWithoutANulIsReadOnlyToItsEnd) {
    std::vector<char> buffer(10000, 'A');
    const AbilityList junk = parseAbilityList(buffer.data(), buffer.size());
    EXPECT_FALSE(junk.complete);
    EXPECT_TRUE(junk.entries.empty());

    // Whole entries up to the very last byte still fail the list: the plug-in overran it.
    const std::string entry = "Stop(12,22,3,00)";  // 16 bytes, 625 of them fill the buffer
    std::string full;
    while (full.size() < buffer.size())
        full += entry;
    ASSERT_EQ(full.size(), buffer.size());
    std::memcpy(buffer.data(), full.data(), buffer.size());
    const AbilityList overrun = parseAbilityList(buffer.data(), buffer.size());
    EXPECT_FALSE(overrun.complete);
    EXPECT_EQ(overrun.entries.size(), 625u);
}

TEST(AbilityListTest, AbsurdFieldsBecomeMinusOneWithoutCarryingTheNextFields) {
    const std::string longName(3000, 'N');
    const std::string text =
        longName + "(99999999999999999999,2,3,1)Play(1," + std::string(50, '7') + ",5,1)";
    const AbilityList list = parseAbilityList(text.c_str(), text.size() + 1);
    ASSERT_TRUE(list.complete);
    ASSERT_EQ(list.entries.size(), 2u);
    EXPECT_EQ(list.entries[0].name, longName);
    EXPECT_EQ(list.entries[0].x, -1);
    EXPECT_EQ(list.entries[0].y, 2);
    EXPECT_EQ(list.entries[0].code, 3);
    EXPECT_TRUE(list.entries[0].columnBreak);
    EXPECT_EQ(list.entries[1].x, 1);
    EXPECT_EQ(list.entries[1].y, -1);
    // The remainder after Y is cut to twenty characters, so the rest of the sevens go with it.
    EXPECT_EQ(list.entries[1].code, -1);
    EXPECT_EQ(abilityNumber("-12"), -12);
    EXPECT_EQ(abilityNumber("+7"), 7);
    EXPECT_EQ(abilityNumber(""), -1);
    EXPECT_EQ(abilityNumber("2147483648"), -1);
    EXPECT_EQ(abilityNumber("1 "), -1);
}

TEST_F(RemotePanelTest, PluginThatFillsTheWholeBufferIsReadSafely) {
    plugin.fillAbilities = [](char* buffer) { std::memset(buffer, '(', 10000); };
    EXPECT_FALSE(tmain->BuildRemotePanel());
    EXPECT_TRUE(tmain->model.ButtonMenu.empty());
}

TEST_F(RemotePanelTest, MissingBitmapsFailTheBuildNamingTheLastButKeepEveryButton) {
    t.bitmaps.anyPath = false;
    t.bitmaps.files["../images/buttons_Play.bmp"] = testing::FakeBitmaps::solid(80, 20, 1);
    plugin.abilities = "Stop(1,1,6,0)Fast Forward(3,3,7,0)Play(2,2,5,0)";
    EXPECT_FALSE(tmain->BuildRemotePanel());
    EXPECT_EQ(tmain->model.remoteButtons.size(), 3u);
    EXPECT_EQ(tmain->model.remoteButtons[2].width, 20);  // a later success keeps the message
    EXPECT_EQ(tmain->model.pendingError,
              "Error reading bitmap image.\t\rFile: ./images/buttons_FastForward.bmp");
}

TEST_F(RemotePanelTest, RebuildReplacesTheEarlierButtons) {
    const int version = tmain->model.remoteButtonsVersion;
    plugin.abilities = "Play(1,1,5,0)";
    EXPECT_TRUE(tmain->BuildRemotePanel());
    EXPECT_EQ(tmain->model.remoteButtons.size(), 1u);
    EXPECT_EQ(tmain->model.ButtonMenu.size(), 1u);
    EXPECT_NE(tmain->model.remoteButtonsVersion, version);
}

TEST_F(RemotePanelTest, HintFollowsTheMouseAndClearsWhenItLeavesTheButtons) {
    tmain->model.remote_panel.left = 2;
    tmain->dvdbuttonmousemove(remoteIndexOf(0));
    EXPECT_EQ(tmain->model.buttonhint.caption, "Play");
    EXPECT_EQ(tmain->model.buttonhint.tag, 0);
    tmain->dvdbuttonmousemove(remoteIndexOf(4));
    EXPECT_EQ(tmain->model.buttonhint.caption, "Ok / Enter");

    tmain->bitmapButtonUnderMouse = true;
    tmain->PCDVD_TimerTimer();
    EXPECT_EQ(tmain->model.buttonhint.caption, "Ok / Enter");
    tmain->bitmapButtonUnderMouse = false;
    tmain->model.remote_panel.left = -318;  // out of view: the check waits
    tmain->PCDVD_TimerTimer();
    EXPECT_EQ(tmain->model.buttonhint.caption, "Ok / Enter");
    tmain->model.remote_panel.left = 2;
    tmain->PCDVD_TimerTimer();
    EXPECT_EQ(tmain->model.buttonhint.caption, "");
    EXPECT_EQ(tmain->model.buttonhint.tag, -1);
}

TEST_F(RemotePanelTest, ButtonMenuChecksTheShownButtonAndSetsTheSelectedClick) {
    setClicks({{"1.0", "play"}});
    tmain->ButtonSelected(3);  // nothing selected: nothing changes
    EXPECT_EQ(clicks()[0].button, "play");
    EXPECT_FALSE(tmain->document.modified());

    tmain->selectClick(0);
    EXPECT_EQ(tmain->model.buttonlabel.caption, "Play");
    ASSERT_TRUE(tmain->buttonlabelMouseUp());
    EXPECT_TRUE(tmain->model.ButtonMenu[0].checked);
    EXPECT_TRUE(tmain->model.ButtonMenu[0].isDefault);
    EXPECT_FALSE(tmain->model.ButtonMenu[1].checked);

    tmain->ButtonSelected(3);
    EXPECT_EQ(clicks()[0].button, "Root Menu");
    EXPECT_EQ(tmain->model.buttonlabel.caption, "Root Menu");
    EXPECT_TRUE(tmain->document.modified());
    tmain->ButtonMenuPopup();
    EXPECT_FALSE(tmain->model.ButtonMenu[0].checked);
    EXPECT_TRUE(tmain->model.ButtonMenu[3].checked);
}

}  // namespace
}  // namespace spindrel
