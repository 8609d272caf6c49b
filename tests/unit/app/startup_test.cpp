#include <gtest/gtest.h>

#include "app/tmain.h"
#include "support/test_ports.h"

namespace spindrel {
namespace {

using testing::TestPorts;

constexpr RegRoot kHklm = RegRoot::localMachine;
constexpr const char* kKey = "Software\\Tolvrey\\DVD-Spindrel";

class StartupTest : public ::testing::Test {
protected:
    StartupTest() { t.files.directories.insert(TestPorts::kProgramFolder); }

    TestPorts t;

    Tmain& start(std::vector<std::string> args = {}) {
        plugin.install(t.libraries, "Wyvernel.dll");
        t.system.args = std::move(args);
        tmain = std::make_unique<Tmain>(t.ports());
        tmain->create(0x400000, 0x1234);
        return *tmain;
    }

    testing::FakePlugin plugin;
    std::unique_ptr<Tmain> tmain;
};

TEST_F(StartupTest, PlainStartPreparesEverythingAndStartsBothTimers) {
    Tmain& m = start();

    EXPECT_EQ(m.run_mode, 2);
    EXPECT_EQ(m.controller_state, 200);
    EXPECT_EQ(m.moveState, 0x15);  // inactive panel, then the "Filesystem" panel
    EXPECT_TRUE(m.model.showAllowed);
    EXPECT_FALSE(m.model.terminateRequested);
    EXPECT_EQ(m.model.windowState, WindowState::normal);
    EXPECT_EQ(m.model.height, 160);
    EXPECT_EQ(m.model.hintHidePause, 5000);
    EXPECT_EQ(m.model.applicationTitle, "DVD Spindrel");
    EXPECT_EQ(m.model.myversion.caption, "1.2.3.4");
    EXPECT_EQ(m.model.Image4.hint, "PC-DVD Interface : Wyvernel.dll");

    EXPECT_TRUE(t.clock.isArmed(m.Timer1));
    EXPECT_EQ(t.clock.dueAt(m.Timer1), 10);
    EXPECT_TRUE(t.clock.isArmed(m.PCDVD_Timer));
    EXPECT_EQ(m.PCDVD_Timer.interval(), 500);

    EXPECT_EQ(t.files.current, TestPorts::kDsmFolder);
    EXPECT_EQ(m.model.saveDialogInitialDir, TestPorts::kDsmFolder);
    EXPECT_EQ(t.system.cursors.at(-99), "DRAGCURSOR");
    EXPECT_EQ(t.system.cursors.at(-98), "SAVECURSOR");

    EXPECT_EQ(m.model.inactive_panel.left, -199);
    EXPECT_EQ(m.model.active_panel.left, -199);
    for (const Control* panel : {&m.model.dsm_panel, &m.model.button_panel, &m.model.file_panel,
                                 &m.model.config_panel, &m.model.remote_panel,
                                 &m.model.about_panel}) {
        EXPECT_EQ(panel->left, -318);
        EXPECT_EQ(panel->width, 291);
    }
    EXPECT_TRUE(t.messages.shown.empty());
    EXPECT_TRUE(t.registry.keyExists(kHklm, kKey));
}

TEST_F(StartupTest, ModesSetRunModeMoveStateAndFirstControllerState) {
    struct Expect {
        std::vector<std::string> args;
        int runMode;
        int state;
        int move;
        bool minimized;
    };
    t.files.files.insert(std::string(TestPorts::kDsmFolder) + "\\movie.dsm");
    const Expect cases[] = {
        {{"/a"}, 0x41, 100, 0x13, true},      {{"/b"}, 0x48, 800, 0x13, true},
        {{"movie"}, 0x46, 600, 0x13, true},   {{"/e"}, 5, 500, 0x11, false},
        {{"/test"}, 0x8A, 1000, 0x10, false}, {{"nothing"}, 2, 200, 0x15, false},
    };
    for (const Expect& c : cases) {
        SCOPED_TRACE(c.args[0]);
        tmain.reset();
        Tmain& m = start(c.args);
        EXPECT_EQ(m.run_mode, c.runMode);
        EXPECT_EQ(m.controller_state, c.state);
        EXPECT_EQ(m.moveState, c.move);
        EXPECT_EQ(m.model.windowState == WindowState::minimized, c.minimized);
    }
}

TEST_F(StartupTest, RunningPlayerChoosesTheActiveControllerPanel) {
    plugin.playerWindow = 0x777;
    EXPECT_EQ(start().moveState, 0x35);
    tmain.reset();
    EXPECT_EQ(start({"/b"}).moveState, 0x33);
}

TEST_F(StartupTest, FileArgumentIsShownAsTheCurrentDsmName) {
    Tmain& m = start({"/e", "Star Wars"});
    EXPECT_EQ(m.model.dsm.dsm_name.caption, "star wars.dsm");
}

TEST_F(StartupTest, TestModeSwapsWhichPanelMenuItemsAreEnabled) {
    Tmain& plain = start();
    EXPECT_TRUE(plain.model.panelMenuItem("newpanel1").enabled);
    EXPECT_FALSE(plain.model.panelMenuItem("newpanel5").enabled);

    tmain.reset();
    Tmain& m = start({"/TEST"});
    EXPECT_FALSE(m.model.panelMenuItem("newpanel1").enabled);
    EXPECT_FALSE(m.model.panelMenuItem("newpanel2").enabled);
    EXPECT_FALSE(m.model.panelMenuItem("newpanel3").enabled);
    EXPECT_TRUE(m.model.panelMenuItem("newpanel4").enabled);
    EXPECT_TRUE(m.model.panelMenuItem("newpanel7").enabled);
    EXPECT_TRUE(m.model.panelMenuItem("newpanel5").enabled);
}

TEST_F(StartupTest, WithoutVersionResourceTheAboutLabelKeepsItsDesignText) {
    t.system.version.reset();
    EXPECT_EQ(start().model.myversion.caption, "beta");
}

TEST_F(StartupTest, MissingPluginEndsTheProgramBeforeItsWindowShows) {
    t.registry.setString(kHklm, kKey, "DVD_Interface", "Nowhere.dll");
    Tmain& m = start();

    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_EQ(t.messages.shown[0].text, "Missing Dynamic Link Library\t\r\rDLL Name:\tNowhere.dll");
    EXPECT_EQ(t.messages.shown[0].icon, MsgIcon::error);
    EXPECT_EQ(m.model.Image4.hint, "PC-DVD Interface : Nowhere.dll");
    EXPECT_FALSE(m.model.showAllowed);
    EXPECT_TRUE(m.model.terminateRequested);
    EXPECT_FALSE(m.pluginBound());
    // Nothing after the binding ran.
    EXPECT_FALSE(t.clock.isArmed(m.Timer1));
    EXPECT_FALSE(t.clock.isArmed(m.PCDVD_Timer));
    EXPECT_EQ(t.files.directories.count(TestPorts::kDsmFolder), 0u);
    EXPECT_EQ(m.model.myversion.caption, "beta");
}

TEST_F(StartupTest, WronglyTypedSettingIsShownAndSkipsTheRestOfStartUp) {
    t.registry.setString(kHklm, kKey, "Position:Top", "496");
    t.registry.setString(kHklm, kKey, "Other_Program", "C:\\lights.exe");
    t.registry.setDword(kHklm, kKey, "Launch_Other_Program", 1);
    Tmain& m = start({"/a"});

    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_NE(t.messages.shown[0].text.find("'Position:Top'"), std::string::npos);
    EXPECT_EQ(t.messages.shown[0].caption, "DVD Spindrel");
    EXPECT_EQ(t.messages.shown[0].icon, MsgIcon::error);
    EXPECT_TRUE(t.libraries.loaded.empty());  // the plug-in is not bound
    EXPECT_FALSE(t.clock.isArmed(m.Timer1));
    EXPECT_FALSE(t.clock.isArmed(m.PCDVD_Timer));
    EXPECT_EQ(m.run_mode, 0);
    // The program ends after the box; without a plug-in every player check answers "none".
    EXPECT_FALSE(m.model.showAllowed);
    EXPECT_TRUE(m.model.terminateRequested);
    EXPECT_EQ(m.player().PCDVD_Player(), 0u);

    // A close on the way out keeps every stored value, read or not.
    ASSERT_TRUE(m.FormCloseQuery());
    m.FormClose();
    EXPECT_EQ(t.registry.stringValue(kHklm, kKey, "Position:Top"), "496");
    EXPECT_EQ(t.registry.stringValue(kHklm, kKey, "Other_Program"), "C:\\lights.exe");
    EXPECT_EQ(t.registry.dwordValue(kHklm, kKey, "Launch_Other_Program"), 1u);
    EXPECT_EQ(t.registry.value(kHklm, kKey, "Reset_Before_Test"), nullptr);
}

TEST_F(StartupTest, DsmFolderThatCannotBeCreatedIsReportedWithItsPath) {
    t.files.createError = 5;
    Tmain& m = start({"/a"});

    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_EQ(t.messages.shown[0].text,
              "Unable to create the DSM folder\rC:\\Program Files\\DVD Spindrel\\dsm\r\r"
              "System error 5");
    EXPECT_FALSE(t.clock.isArmed(m.Timer1));
    EXPECT_EQ(m.run_mode, 0);
    EXPECT_EQ(m.controller_state, 0);
    EXPECT_TRUE(m.pluginBound());
    EXPECT_TRUE(m.model.terminateRequested);
}

TEST_F(StartupTest, ExistingDsmFolderIsUsedAsItIs) {
    t.files.directories.insert(TestPorts::kDsmFolder);
    t.files.createError = 5;  // would fail if it were created again
    start();
    EXPECT_TRUE(t.messages.shown.empty());
    EXPECT_EQ(t.files.current, TestPorts::kDsmFolder);
}

TEST_F(StartupTest, SecondCopyEndsSilentlyAfterReadingSettingsAndBinding) {
    testing::FakeSharedMemory firstProcess(t.sharedMemorySystem);
    bool existed = false;
    firstProcess.createOrOpen("DVD_Spindrel.exe", 8, existed);

    Tmain& m = start();

    EXPECT_FALSE(m.model.showAllowed);
    EXPECT_TRUE(m.model.terminateRequested);
    EXPECT_TRUE(t.messages.shown.empty());
    EXPECT_TRUE(t.windows.foregrounds.empty());  // the first copy is not brought forward
    EXPECT_TRUE(t.registry.keyExists(kHklm, kKey));
    EXPECT_EQ(t.libraries.loaded, std::vector<std::string>{"Wyvernel.dll"});
}

TEST_F(StartupTest, CopyUnderAnotherFileNameRuns) {
    testing::FakeSharedMemory firstProcess(t.sharedMemorySystem);
    bool existed = false;
    firstProcess.createOrOpen("DVD_Spindrel.exe", 8, existed);
    t.system.path = "C:\\Program Files\\DVD Spindrel\\Spindrel2.exe";

    Tmain& m = start();
    EXPECT_TRUE(m.model.showAllowed);
    EXPECT_FALSE(m.model.terminateRequested);
}

TEST_F(StartupTest, CloseRestoresThePlayerWindowAndSavesTheSettings) {
    Tmain& m = start();
    plugin.playerWindow = 0x5150;
    m.model.cbox_3.caption = "x";
    m.moved(40, 50);
    ASSERT_TRUE(m.FormCloseQuery());
    m.FormClose();

    ASSERT_EQ(t.windows.shows.size(), 1u);
    EXPECT_EQ(t.windows.shows[0].first, 0x5150u);
    EXPECT_EQ(t.windows.shows[0].second, ShowCommand::restore);
    EXPECT_EQ(t.registry.dwordValue(kHklm, kKey, "Launch_Other_Program"), 1u);
    EXPECT_EQ(t.registry.dwordValue(kHklm, kKey, "Position:Left"), 40u);
    EXPECT_EQ(t.registry.dwordValue(kHklm, kKey, "Position:Top"), 50u);
}

TEST_F(StartupTest, CloseWithoutPlayerRestoresNothing) {
    start().FormClose();
    EXPECT_TRUE(t.windows.shows.empty());
}

TEST_F(StartupTest, SaveStateWritesSettingsOneIntervalAfterTheLastChange) {
    Tmain& m = start();
    t.clock.advance(10);  // the first controller step (nothing to do for it yet)
    m.model.cbox_1.caption = "x";
    m.controller_state = 50;
    m.Timer1.restart();
    t.clock.advance(5);
    m.model.cbox_2.caption = "x";
    m.Timer1.restart();  // a second change restarts the wait
    t.clock.advance(9);
    EXPECT_EQ(t.registry.value(kHklm, kKey, "Reset_Before_Test"), nullptr);
    t.clock.advance(1);
    EXPECT_EQ(t.registry.dwordValue(kHklm, kKey, "Reset_Before_Test"), 1u);
    EXPECT_EQ(t.registry.dwordValue(kHklm, kKey, "Animate_Sliders"), 1u);
    EXPECT_FALSE(m.Timer1.enabled());
}

TEST_F(StartupTest, ErrorInATimerTickIsShownInTheStandardErrorBox) {
    Tmain& m = start();
    // A standard user: the machine's key refuses, the user's takes the option without a word.
    t.registry.makeReadOnly(kHklm, kKey);
    m.model.cbox_1.caption = "x";
    m.controller_state = 50;
    m.Timer1.restart();
    t.clock.advance(10);
    EXPECT_TRUE(t.messages.shown.empty());
    EXPECT_EQ(t.registry.dwordValue(RegRoot::currentUser, kKey, "Reset_Before_Test"), 1u);

    t.registry.makeReadOnly(RegRoot::currentUser, kKey);
    m.controller_state = 50;
    m.Timer1.restart();
    t.clock.advance(10);
    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_EQ(t.messages.shown[0].text.rfind("Failed to set data for 'Reset_Before_Test'", 0), 0u);
    EXPECT_EQ(t.messages.shown[0].icon, MsgIcon::error);
}

TEST_F(StartupTest, MinimiseSetsTheMinimisedBitAndTheWindowState) {
    Tmain& m = start();
    m.ApplicationMinimize();
    EXPECT_EQ(m.run_mode, 0x42);
    // The run end step brings the player's video forward only for a minimised window.
    EXPECT_EQ(m.model.windowState, WindowState::minimized);
}

}  // namespace
}  // namespace spindrel
