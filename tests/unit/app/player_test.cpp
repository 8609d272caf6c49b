#include <gtest/gtest.h>

#include "app/tmain.h"
#include "support/test_ports.h"

namespace spindrel {
namespace {

using testing::TestPorts;

constexpr RegRoot kHklm = RegRoot::localMachine;
constexpr const char* kKey = "Software\\Tolvrey\\DVD-Spindrel";
constexpr const char* kLocateQuestion =
    "DVD-Spindrel could not start your PC-DVD Player program!\t\r"
    "                  (possibly because it cannot find it).\r\r"
    "Would you like to manually find the program this time, so that\r"
    "DVD-Spindrel can start it for you automatically next time?";
constexpr const char* kLaunchNow = "Would you like to launch that program now?";
constexpr const char* kLaunchToCheck =
    "You just said \"NO\" to being sure about that program, do you\rwant to launch it now, to "
    "see if you did select the right program?\r\rIf it turns out correct, you will have to "
    "select it again next time.";

class PlayerTest : public ::testing::Test {
protected:
    PlayerTest() {
        t.files.directories.insert(TestPorts::kProgramFolder);
        plugin.install(t.libraries, "Wyvernel.dll");
        tmain = std::make_unique<Tmain>(t.ports());
        tmain->create(1, 2);
        tmain->Timer1.setEnabled(false);
        t.pump.pumps = 0;
    }

    TestPorts t;
    testing::FakePlugin plugin;
    std::unique_ptr<Tmain> tmain;
};

TEST_F(PlayerTest, StartPlayerButtonStartsThePlayerForTheDriveAndWaitsForIt) {
    tmain->model.disc.dvdDrive = 'E';
    tmain->dvdbtnClick();
    EXPECT_EQ(plugin.starts, std::vector<char>{'E'});
    EXPECT_EQ(t.pump.pumps, 1);
    EXPECT_TRUE(t.messages.shown.empty());
    EXPECT_EQ(tmain->controller_state, 79);
    EXPECT_TRUE(tmain->Timer1.enabled());
    EXPECT_EQ(tmain->Timer1.interval(), 1000);
}

TEST_F(PlayerTest, FailedStartAsksToLocateThePlayerAndNoEndsIt) {
    plugin.startResult = false;
    t.messages.answer(MsgAnswer::no);
    tmain->dvdbtnClick();

    EXPECT_EQ(plugin.starts, std::vector<char>{0});  // no disc found yet
    EXPECT_EQ(t.messages.beeps, std::vector<BeepKind>{BeepKind::exclamation});
    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_EQ(t.messages.shown[0].text, kLocateQuestion);
    EXPECT_EQ(t.messages.shown[0].buttons, MsgButtons::yesNo);
    EXPECT_TRUE(t.openDialog.shown.empty());
    EXPECT_FALSE(tmain->Timer1.enabled());
    EXPECT_NE(tmain->controller_state, 79);
}

TEST_F(PlayerTest, LocatedPlayerIsStoredAndLaunchedWithTheDriveRoot) {
    plugin.startResult = false;
    tmain->model.disc.dvdDrive = 'D';
    t.openDialog.answer = "C:\\Players\\Theatre\\play.exe";
    t.messages.answer(MsgAnswer::yes);  // find it by hand
    t.messages.answer(MsgAnswer::yes);  // sure
    t.messages.answer(MsgAnswer::yes);  // launch now
    tmain->dvdbtnClick();

    ASSERT_EQ(t.openDialog.shown.size(), 1u);
    EXPECT_EQ(t.openDialog.shown[0].title, "Find your PC-DVD Player");
    EXPECT_EQ(t.openDialog.shown[0].filter,
              "Programs|*.exe;*.com|Shortcuts|*.lnk;*.pif|Batch Files|*.bat|All Files|*.*");
    EXPECT_EQ(t.openDialog.shown[0].initialFolder, "C:\\");
    EXPECT_TRUE(t.openDialog.shown[0].fileMustExist);
    EXPECT_TRUE(t.openDialog.shown[0].pathMustExist);

    ASSERT_EQ(t.messages.shown.size(), 3u);
    EXPECT_EQ(t.messages.shown[1].text,
              "You have selected to use the following program as your PC-DVD Player.\r\r"
              "C:\\Players\\Theatre\\play.exe\r\rAre you sure that this is correct?\r"
              "If you say YES, it will be used next time without asking.\r"
              "If you say NO, you will be asked again next time.");
    EXPECT_EQ(t.messages.shown[2].text, kLaunchNow);
    EXPECT_EQ(t.registry.stringValue(kHklm, kKey, "PCDVD"), "C:\\Players\\Theatre\\play.exe");

    ASSERT_EQ(t.shell.launches.size(), 1u);
    const auto& launch = t.shell.launches[0];
    EXPECT_EQ(launch.verb, "open");
    EXPECT_EQ(launch.file, "C:\\Players\\Theatre\\play.exe");
    EXPECT_EQ(launch.parameters, "D:\\");
    EXPECT_EQ(launch.directory, "");
    EXPECT_EQ(launch.showCommand, 1);
    EXPECT_EQ(tmain->controller_state, 79);
    EXPECT_EQ(t.registry.openHandles(), 0);
}

TEST_F(PlayerTest, NotSureLaunchesWithoutStoringSoTheNextFailureAsksAgain) {
    plugin.startResult = false;
    t.openDialog.answer = "C:\\x.exe";
    t.messages.answer(MsgAnswer::yes);
    t.messages.answer(MsgAnswer::no);   // not sure
    t.messages.answer(MsgAnswer::yes);  // launch to see
    tmain->dvdbtnClick();

    EXPECT_EQ(t.messages.shown.at(2).text, kLaunchToCheck);
    EXPECT_EQ(t.registry.value(kHklm, kKey, "PCDVD"), nullptr);
    ASSERT_EQ(t.shell.launches.size(), 1u);
    EXPECT_EQ(t.shell.launches[0].parameters, "");  // no drive known: no parameters

    t.messages.answer(MsgAnswer::no);
    tmain->dvdbtnClick();
    EXPECT_EQ(t.messages.shown.back().text, kLocateQuestion);
}

TEST_F(PlayerTest, GivingUpAtTheDialogOrTheLastQuestionLaunchesNothing) {
    plugin.startResult = false;
    t.messages.answer(MsgAnswer::yes);
    tmain->dvdbtnClick();  // dialog cancelled
    EXPECT_EQ(t.messages.shown.size(), 1u);
    EXPECT_TRUE(t.shell.launches.empty());

    t.openDialog.answer = "C:\\x.exe";
    t.messages.answer(MsgAnswer::yes);
    t.messages.answer(MsgAnswer::yes);
    t.messages.answer(MsgAnswer::no);  // not now
    tmain->dvdbtnClick();
    EXPECT_TRUE(t.shell.launches.empty());
    EXPECT_EQ(t.registry.stringValue(kHklm, kKey, "PCDVD"), "C:\\x.exe");  // kept for next time
    EXPECT_FALSE(tmain->Timer1.enabled());
}

TEST_F(PlayerTest, LaunchRefusedByTheShellIsReportedButTheWaitStillFollows) {
    plugin.startResult = false;
    t.shell.result = 2;  // file not found
    t.openDialog.answer = "C:\\gone.exe";
    t.messages.answer(MsgAnswer::yes);
    t.messages.answer(MsgAnswer::yes);
    t.messages.answer(MsgAnswer::yes);
    tmain->dvdbtnClick();

    EXPECT_EQ(t.messages.shown.back().text, "Unable to execute \"C:\\gone.exe\"");
    EXPECT_EQ(t.messages.shown.back().buttons, MsgButtons::ok);
    EXPECT_EQ(tmain->controller_state, 79);
}

TEST_F(PlayerTest, WaitForPlayerLetsTheWindowPaintFirstThenRestoresTheTitle) {
    std::vector<std::string> order;
    t.pump.duringPump = [&] { order.push_back("pump"); };
    plugin.onWait = [&] { order.push_back("wait"); };
    tmain->model.applicationTitle = "Waiting for DVD-Player";
    tmain->WaitForPlayerStep();
    EXPECT_EQ(order, (std::vector<std::string>{"pump", "wait"}));
    EXPECT_EQ(tmain->model.applicationTitle, "DVD Spindrel");
}

}  // namespace
}  // namespace spindrel
