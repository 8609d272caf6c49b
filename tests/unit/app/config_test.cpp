#include <gtest/gtest.h>

#include "app/app_texts.h"
#include "app/tmain.h"
#include "support/test_ports.h"

namespace spindrel {
namespace {

using testing::TestPorts;

constexpr RegRoot kHklm = RegRoot::localMachine;
constexpr const char* kKey = "Software\\Tolvrey\\DVD-Spindrel";

class ConfigTest : public ::testing::Test {
protected:
    ConfigTest() {
        t.files.directories.insert(TestPorts::kProgramFolder);
        plugin.install(t.libraries, "Wyvernel.dll");
        tmain = std::make_unique<Tmain>(t.ports());
        tmain->create(1, 2);
        t.clock.advance(10);  // the first controller step has run
        tmain->PCDVD_Timer.setEnabled(false);
        tmain->moveState = 0;  // the first panels' moves are left unstarted here
    }
    TestPorts t;
    testing::FakePlugin plugin;
    std::unique_ptr<Tmain> tmain;
};

TEST_F(ConfigTest, OptionClicksToggleAndABurstOfChangesSavesOnceAfterTheLast) {
    MainModel& m = tmain->model;
    tmain->checkbox_change(1);
    EXPECT_EQ(m.cbox_2.caption, "x");
    EXPECT_EQ(m.slideStepDivisor, 20);
    t.clock.advance(5);
    tmain->autoexecChange("C:\\a");
    t.clock.advance(5);
    tmain->autoexecChange("C:\\ab");
    t.clock.advance(9);
    EXPECT_EQ(t.registry.value(kHklm, kKey, "Other_Program"), nullptr);
    t.clock.advance(1);
    EXPECT_EQ(t.registry.stringValue(kHklm, kKey, "Other_Program"), "C:\\ab");
    EXPECT_EQ(t.registry.dwordValue(kHklm, kKey, "Animate_Sliders"), 1u);

    tmain->checkbox_change(1);
    EXPECT_EQ(m.cbox_2.caption, "");
    EXPECT_EQ(m.slideStepDivisor, 2);
}

TEST_F(ConfigTest, CheckingTheLaunchOptionWithAnEmptyBoxMovesTheFocusThere) {
    MainModel& m = tmain->model;
    tmain->checkbox_change(2);
    EXPECT_EQ(m.focus, "autoexec");
    m.focus.clear();
    tmain->checkbox_change(2);
    EXPECT_EQ(m.cbox_3.caption, "");
    EXPECT_EQ(m.focus, "");
}

TEST_F(ConfigTest, DroppedFilesFillTheBoxWithTheFirstAndCheckTheOption) {
    MainModel& m = tmain->model;
    tmain->DropWatchFilesDropped({"C:\\Tools\\lights.lnk", "C:\\b.exe", "C:\\c.exe"});
    EXPECT_EQ(m.autoexec.caption, "C:\\Tools\\lights.lnk");
    EXPECT_EQ(m.cbox_3.caption, "x");
    EXPECT_EQ(m.focus, "autoexec");
    EXPECT_TRUE(m.autoexecCaretAtEnd);
    t.clock.advance(10);
    EXPECT_EQ(t.registry.dwordValue(kHklm, kKey, "Launch_Other_Program"), 1u);
}

TEST_F(ConfigTest, AltLettersSwitchPanelsAndCtrlAGoesToTheNotes) {
    MainModel& m = tmain->model;
    m.slideStepDivisor = 2;
    m.button_panel.left = 2;
    tmain->FormKeyDown('C', false);
    EXPECT_EQ(m.panelselect_menuTag, 0);
    tmain->FormKeyDown('C', true);
    EXPECT_EQ(m.panelselect_menuTag, 4);

    t.clock.runUntilIdle(200);
    EXPECT_EQ(m.config_panel.left, 2);

    tmain->FormKeyPress(1);  // Ctrl+A with the configuration in view
    t.clock.runUntilIdle(200);
    EXPECT_EQ(m.dsm_panel.left, 2);
    EXPECT_EQ(m.focus, "Notes");

    m.focus.clear();
    tmain->FormKeyPress(1);  // already in view: only the focus moves
    EXPECT_EQ(m.focus, "Notes");
    EXPECT_FALSE(tmain->Slider.enabled());

    m.dsm_panel.left = -318;
    m.remote_panel.left = 2;
    m.focus.clear();
    tmain->FormKeyPress(1);  // the remote panel in view: nothing
    EXPECT_EQ(m.focus, "");
    EXPECT_FALSE(tmain->Slider.enabled());
}

// Only plug-ins that bind are offered, named by their players; the choice is stored for the
// next start and a Yes restarts the program through its close.
TEST_F(ConfigTest, PlayerListOffersWhatBindsAndAChoiceStoresItAndRestarts) {
    const std::string folder = std::string(TestPorts::kProgramFolder) + "\\";
    for (const char* name : {"Wyvernel.dll", "Vlc.dll", "broken.dll", "unloadable.dll"}) {
        t.files.files.insert(folder + name);
    }
    plugin.install(t.libraries, folder + "Wyvernel.dll");
    plugin.install(t.libraries, folder + "Vlc.dll");
    t.libraries.add(folder + "broken.dll", {{"PCDVD_Window", &t}});
    t.system.versionTexts[folder + "Vlc.dll|PlayerName"] = "VLC media player";
    MainModel& m = tmain->model;

    tmain->playerlabelClick();
    ASSERT_EQ(m.playermenu.size(), 2u);
    EXPECT_EQ(m.playermenu[0].caption, "VLC media player\tVlc.dll");
    EXPECT_FALSE(m.playermenu[0].checked);
    EXPECT_EQ(m.playermenu[1].caption, "Wyvernel.dll\tWyvernel.dll");
    EXPECT_TRUE(m.playermenu[1].checked);
    EXPECT_EQ(t.libraries.unloaded.size(), 3u) << "every library looked at is let go";

    t.messages.answer(MsgAnswer::yes);
    tmain->playermenuClick(0);
    EXPECT_EQ(t.registry.stringValue(kHklm, kKey, "DVD_Interface"), "Vlc.dll");
    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_EQ(t.messages.shown[0].text,
              "DVD-Spindrel will drive VLC media player from its next start.\r\r"
              "Restart DVD-Spindrel now?");
    EXPECT_EQ(m.playerlabel.caption, "VLC media player  (next start)");
    EXPECT_TRUE(m.closeRequested);
    tmain->FormClose();
    ASSERT_EQ(t.shell.launches.size(), 1u);
    EXPECT_EQ(t.shell.launches[0].file, t.system.path);
    EXPECT_EQ(t.messages.shown.size(), 1u) << "a restart that starts says nothing more";

    t.shell.result = 2;  // the file is gone
    tmain->FormClose();
    ASSERT_EQ(t.messages.shown.size(), 2u) << "a restart that could not start went unsaid";
    EXPECT_EQ(t.messages.shown[1].text, texts::kRestartFailed);
}

}  // namespace
}  // namespace spindrel
