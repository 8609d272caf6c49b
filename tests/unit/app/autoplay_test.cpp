#include <gtest/gtest.h>

#include "app/tmain.h"
#include "support/test_ports.h"

namespace spindrel {
namespace {

using testing::TestPorts;

constexpr RegRoot kHkcu = RegRoot::currentUser;
constexpr RegRoot kHku = RegRoot::users;
constexpr RegRoot kHklm = RegRoot::localMachine;
constexpr const char* kDvdDefault = "Software\\Creative Tech\\Disc Detector\\DVD\\Default";
constexpr const char* kProfileDvdDefault =
    ".DEFAULT\\Software\\Creative Tech\\Disc Detector\\DVD\\Default";
constexpr const char* kUdf = "Software\\Tolvrey\\Spindrel+\\UDF";
constexpr const char* kSettings = "Software\\Tolvrey\\DVD-Spindrel";

class AutoplayButtonsTest : public ::testing::Test {
  protected:
    AutoplayButtonsTest() {
        t.files.directories.insert(TestPorts::kProgramFolder);
        t.registry.createKey(kHkcu, "Software\\Creative Tech\\Disc Detector\\DVD");
        t.registry.createKey(kHku, ".DEFAULT\\Software\\Creative Tech\\Disc Detector\\DVD");
        plugin.install(t.libraries, "Wyvernel.dll");
        tmain = std::make_unique<Tmain>(t.ports());
        tmain->create(1, 2);
        t.clock.advance(10);  // the first controller step has run
        tmain->PCDVD_Timer.setEnabled(false);
        t.messages.shown.clear();
    }
    TestPorts t;
    testing::FakePlugin plugin;
    std::unique_ptr<Tmain> tmain;
};

TEST_F(AutoplayButtonsTest, OptionButtonsRegisterDiscDetectorSilentlyWithTheLowerCasePath) {
    tmain->optionbbtnClick();
    for (const auto& [root, key] : {std::pair{kHkcu, kDvdDefault}, {kHku, kProfileDvdDefault}}) {
        EXPECT_EQ(t.registry.stringValue(root, key, "Parameters"), "/b");
        EXPECT_EQ(t.registry.stringValue(root, key, "Path"),
                  "c:\\program files\\dvd spindrel\\dvd_spindrel.exe");
    }
    tmain->optionabtnClick();
    EXPECT_EQ(t.registry.stringValue(kHku, kProfileDvdDefault, "Parameters"), "/a");
    EXPECT_TRUE(t.messages.shown.empty());
}

TEST_F(AutoplayButtonsTest, SettingsAreStillSavedUnderTheMachineKeyAfterARegistration) {
    tmain->optionabtnClick();  // leaves the registry object at HKEY_USERS
    tmain->checkbox_change(0);
    t.clock.advance(10);
    EXPECT_EQ(t.registry.dwordValue(kHklm, kSettings, "Reset_Before_Test"), 1u);
    EXPECT_FALSE(t.registry.keyExists(kHku, kSettings));
    EXPECT_FALSE(t.registry.keyExists(kHkcu, kSettings));
}

TEST_F(AutoplayButtonsTest, MenuTagChoosesTheOptionAndTheUserIsToldWithAPlainBox) {
    tmain->setup_spindrel(tmain->model.spindrelMenuItem("OptionA1").tag);
    EXPECT_EQ(t.registry.stringValue(kHklm, kUdf, "A)01,DVD Spindrel"),
              "\"C:\\Program Files\\DVD Spindrel\\DVD_Spindrel.exe\" /a");
    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_EQ(t.messages.shown[0].text,
              "Install into Spindrel+\r\rDVD Spindrel will now be executed when you insert any "
              "DVD title.\rAll previous entries under 'UDF' are now menu options.");
    EXPECT_EQ(t.messages.shown[0].caption, "DVD Spindrel");
    EXPECT_EQ(t.messages.shown[0].buttons, MsgButtons::ok);
    EXPECT_EQ(t.messages.shown[0].icon, MsgIcon::none);
    EXPECT_TRUE(tmain->model.autoexecCaretHome);
    EXPECT_EQ(tmain->model.focus, "");

    tmain->setup_spindrel(tmain->model.spindrelMenuItem("OptionB1").tag);
    EXPECT_EQ(t.registry.stringValue(kHklm, kUdf, "A)01,DVD Spindrel"),
              "\"C:\\Program Files\\DVD Spindrel\\DVD_Spindrel.exe\" /b");
}

TEST_F(AutoplayButtonsTest, RefusedWriteEndsInTheErrorBoxAndNoInstallMessage) {
    t.registry.createKey(kHklm, kUdf);
    t.registry.makeReadOnly(kHklm, kUdf);
    tmain->guarded([this] { tmain->setup_spindrel(1); });
    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_EQ(t.messages.shown[0].text, "Failed to set data for 'A)01,DVD Spindrel'");
    EXPECT_EQ(t.messages.shown[0].icon, MsgIcon::error);
    EXPECT_FALSE(tmain->model.autoexecCaretHome);

    // A standard user: done for themselves, and told plainly that the default profile was not.
    t.registry.makeReadOnly(kHku, kProfileDvdDefault);
    t.messages.shown.clear();
    tmain->guarded([this] { tmain->optionabtnClick(); });
    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_EQ(
        t.messages.shown[0].text,
        "Disc Detector will now start DVD Spindrel for you when a DVD is inserted.\r\r"
        "It could not be set up for new users of this computer (the default profile):\r"
        "Failed to create key HKEY_USERS\\.DEFAULT\\Software\\Creative Tech\\Disc Detector\\DVD\\"
        "Default (access denied)\r\r"
        "That needs administrator rights: start DVD Spindrel as administrator and press "
        "the button again to set it up there too.");
    EXPECT_EQ(t.messages.shown[0].icon, MsgIcon::warning);
    EXPECT_EQ(t.registry.stringValue(kHkcu, kDvdDefault, "Name"), "DVD Spindrel");
}

// Rights would not help here: the box gives the system's own words instead.
TEST_F(AutoplayButtonsTest, OtherRegistryFailureUnderTheDefaultProfileGivesTheSystemsError) {
    t.registry.failWritesAfter(4, 1013);  // the current user's four values, then a failed write
    tmain->guarded([this] { tmain->optionabtnClick(); });
    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_EQ(t.messages.shown[0].text,
              "Disc Detector will now start DVD Spindrel for you when a DVD is inserted.\r\r"
              "It could not be set up for new users of this computer (the default profile):\r"
              "Failed to set data for 'Name'\r\rSystem error 1013");
}

TEST_F(AutoplayButtonsTest, ButtonsCarryTheirHintsAndTheMenuItsItems) {
    const MainModel& m = tmain->model;
    EXPECT_EQ(m.optionabtn.hint,
              "Option /A:   will configure Creative's Disc Detector to load\r\n"
              "                   DVD-Spindrel when a DVD is inserted.\r\n\r\n"
              "If no macro exists for this DVD, then DVD-Spindrel will\r\n"
              "terminate, after starting the PC-DVD Player software.");
    EXPECT_EQ(m.optionbbtn.hint,
              "Option /B:   will configure Creative's Disc Detector to load\r\n"
              "                   DVD-Spindrel when a DVD is inserted.\r\n\r\n"
              "If no macro exists for this DVD, then DVD-Spindrel will\r\n"
              "remain minimised, so you can create a macro for this disc.");
    EXPECT_EQ(m.spindrelbtn.hint,
              "   This button will configure your \r\n              SPINDREL+\r\n"
              "instead of Creative's Disc Detector.");
    ASSERT_EQ(m.spindrelmenu.size(), 4u);
    const std::pair<const char*, int> items[] = {{"Option /A      (quit if no macro)", 1},
                                                 {"Option /B      (remain if no macro)", 2},
                                                 {"-", 0},
                                                 {"Cancel", 0}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(m.spindrelmenu[i].caption, items[i].first);
        EXPECT_EQ(m.spindrelmenu[i].tag, items[i].second);
    }
    EXPECT_EQ(m.spindrelmenuAnchor.x, 20);
    EXPECT_EQ(m.spindrelmenuAnchor.y, 1);
    EXPECT_TRUE(m.spindrelmenuAnchor.rightAligned);
    EXPECT_EQ(m.autoplaybtn.hint,
              "Windows AutoPlay:   makes DVD-Spindrel a handler of the\r\n"
              "                   \"Play DVD movie\" event of Windows AutoPlay,\r\n"
              "                   for your user account, with Option /A or /B.\r\n\r\n"
              "Then choose it for DVD movies in Windows' AutoPlay settings.");
}

TEST_F(AutoplayButtonsTest, WindowsAutoPlayAsksForTheOptionRegistersAndSaysHowToChooseIt) {
    constexpr const char* kCommand =
        "Software\\Classes\\Tolvrey.DVDSpindrel.AutoPlay\\shell\\play\\command";
    t.messages.answer(MsgAnswer::cancel);
    tmain->autoplaybtnClick();
    EXPECT_FALSE(t.registry.keyExists(kHkcu, "Software\\Classes\\Tolvrey.DVDSpindrel.AutoPlay"));
    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_EQ(t.messages.shown[0].text,
              "Windows AutoPlay\r\rMake DVD Spindrel a handler of the \"Play DVD movie\" event?"
              "\r\rYes:   Option /A      (quit if no macro)\r"
              "No:    Option /B      (remain if no macro)");
    EXPECT_EQ(t.messages.shown[0].buttons, MsgButtons::yesNoCancel);
    EXPECT_EQ(t.messages.shown[0].icon, MsgIcon::question);

    for (const auto& [answer, option] : {std::pair{MsgAnswer::no, "/b"}, {MsgAnswer::yes, "/a"}}) {
        t.messages.shown.clear();
        t.messages.answer(answer);
        tmain->autoplaybtnClick();
        EXPECT_EQ(t.registry.stringValue(kHkcu, kCommand, ""),
                  std::string("\"C:\\Program Files\\DVD Spindrel\\DVD_Spindrel.exe\" ") + option);
        ASSERT_EQ(t.messages.shown.size(), 2u);
        EXPECT_EQ(t.messages.shown[1].text,
                  std::string("Install into Windows AutoPlay\r\rDVD Spindrel is now a handler of the "
                              "\"Play DVD movie\" event for your user account, with Option ") +
                      (answer == MsgAnswer::yes ? "/A" : "/B") +
                      ".\r\rTo choose it, open AutoPlay in Windows' Settings (or AutoPlay in the "
                      "Control Panel) and pick \"Play DVD movie with its macro (DVD Spindrel)\" for "
                      "DVD movies.");
        EXPECT_EQ(t.messages.shown[1].buttons, MsgButtons::ok);
        EXPECT_EQ(t.messages.shown[1].icon, MsgIcon::information);
    }
}

}  // namespace
}  // namespace spindrel
