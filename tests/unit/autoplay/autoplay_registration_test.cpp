#include "autoplay/autoplay_registration.h"

#include <gtest/gtest.h>

#include "base/errors.h"
#include "support/fake_registry.h"

namespace spindrel {
namespace {

using testing::FakeRegistry;

constexpr RegRoot kHkcu = RegRoot::currentUser;
constexpr RegRoot kHku = RegRoot::users;
constexpr RegRoot kHklm = RegRoot::localMachine;
constexpr const char* kDvd = "Software\\Creative Tech\\Disc Detector\\DVD";
constexpr const char* kDefaultDvd = ".DEFAULT\\Software\\Creative Tech\\Disc Detector\\DVD";
constexpr const char* kUdf = "Software\\Tolvrey\\Spindrel+\\UDF";
constexpr const char* kProgram = "C:\\Program Files\\DVD Spindrel\\DVD_Spindrel.EXE";

std::string sub(const char* key, const std::string& name) {
    return std::string(key) + "\\" + name;
}

class AutoplayRegistrationTest : public ::testing::Test {
  protected:
    // Another program's handler, with a sub-key of its own, in the Default slot.
    void otherDefault(RegRoot root, const char* dvdKey) {
        fake.setString(root, sub(dvdKey, "Default"), "Name", "Other Player");
        fake.setString(root, sub(dvdKey, "Default"), "Path", "c:\\other\\player.exe");
        fake.setDword(root, sub(dvdKey, "Default\\Options"), "Level", 3);
    }

    void expectOwnDefault(RegRoot root, const char* dvdKey, const char* option) {
        const std::string key = sub(dvdKey, "Default");
        ASSERT_TRUE(fake.keyExists(root, key));
        EXPECT_EQ(fake.stringValue(root, key, "Name"), "DVD Spindrel");
        EXPECT_EQ(fake.stringValue(root, key, "Parameters"), option);
        EXPECT_EQ(fake.stringValue(root, key, "Path"),
                  "c:\\program files\\dvd spindrel\\dvd_spindrel.exe");
        const RegValue* run = fake.value(root, key, "Run");
        ASSERT_NE(run, nullptr);
        EXPECT_EQ(run->type, RegType::binary);
        EXPECT_EQ(run->data, std::vector<std::uint8_t>{0x00});
    }

    std::vector<std::string> subKeys(RegRoot root, const char* key) {
        Registry probe(fake, root);
        probe.openKey(key, false);
        return probe.keyNames();
    }

    std::vector<std::string> values(RegRoot root, const std::string& key) {
        Registry probe(fake, root);
        probe.openKey(key, false);
        return probe.valueNames();
    }

    std::string errorOf(void (*registration)(Registry&, const std::string&, const std::string&)) {
        try {
            registration(registry, kProgram, "/a");
        } catch (const RegistryError& error) {
            return error.what();
        }
        return "no error";
    }

    FakeRegistry fake;
    Registry registry{fake};
};

TEST_F(AutoplayRegistrationTest, OldDefaultMovesWholeToTheFirstFreePlayerAndTheProgramTakesIt) {
    otherDefault(kHkcu, kDvd);
    fake.setString(kHkcu, sub(kDvd, "Player0"), "Name", "Zeroth");

    registerDiscDetector(registry, kProgram, "/a");

    EXPECT_EQ(subKeys(kHkcu, kDvd), (std::vector<std::string>{"Player0", "Player1", "Default"}));
    EXPECT_EQ(fake.stringValue(kHkcu, sub(kDvd, "Player1"), "Name"), "Other Player");
    EXPECT_EQ(fake.stringValue(kHkcu, sub(kDvd, "Player1"), "Path"), "c:\\other\\player.exe");
    EXPECT_EQ(fake.dwordValue(kHkcu, sub(kDvd, "Player1\\Options"), "Level"), 3u);
    EXPECT_EQ(fake.stringValue(kHkcu, sub(kDvd, "Player0"), "Name"), "Zeroth");
    expectOwnDefault(kHkcu, kDvd, "/a");
    EXPECT_EQ(values(kHkcu, sub(kDvd, "Default")),
              (std::vector<std::string>{"Name", "Parameters", "Path", "Run"}));
    // No Disc Detector for the default profile: nothing is made there.
    EXPECT_FALSE(fake.keyExists(kHku, ".DEFAULT\\Software\\Creative Tech"));
    EXPECT_EQ(fake.openHandles(), 0);
}

TEST_F(AutoplayRegistrationTest, RegisteringAgainOnlyRewritesTheProgramsValuesUnderBothRoots) {
    fake.createKey(kHkcu, kDvd);
    otherDefault(kHku, kDefaultDvd);

    registerDiscDetector(registry, kProgram, "/a");
    expectOwnDefault(kHkcu, kDvd, "/a");
    expectOwnDefault(kHku, kDefaultDvd, "/a");
    EXPECT_EQ(fake.stringValue(kHku, sub(kDefaultDvd, "Player0"), "Name"), "Other Player");

    registerDiscDetector(registry, kProgram, "/b");
    expectOwnDefault(kHkcu, kDvd, "/b");
    expectOwnDefault(kHku, kDefaultDvd, "/b");
    EXPECT_EQ(subKeys(kHkcu, kDvd), std::vector<std::string>{"Default"});
    EXPECT_EQ(subKeys(kHku, kDefaultDvd), (std::vector<std::string>{"Player0", "Default"}));
    EXPECT_EQ(fake.openHandles(), 0);
}

TEST_F(AutoplayRegistrationTest, PlayerNumberIsFreeOnlyWhenItOccursInNoNameAsText) {
    otherDefault(kHkcu, kDvd);
    fake.createKey(kHkcu, sub(kDvd, "Player0"));
    fake.createKey(kHkcu, sub(kDvd, "Player12"));  // Player1 occurs in it

    registerDiscDetector(registry, kProgram, "/a");

    EXPECT_EQ(fake.stringValue(kHkcu, sub(kDvd, "Player2"), "Name"), "Other Player");
    EXPECT_FALSE(fake.keyExists(kHkcu, sub(kDvd, "Player1")));
}

TEST_F(AutoplayRegistrationTest, AnotherCaseOfAPlayerNameStillCountsAsTaken) {
    otherDefault(kHkcu, kDvd);
    fake.setString(kHkcu, sub(kDvd, "player0"), "Name", "Typed by hand");

    registerDiscDetector(registry, kProgram, "/a");

    // The registry would take "Player0" for the existing key: the old default goes to Player1
    // instead of being lost under the program's values.
    EXPECT_EQ(fake.stringValue(kHkcu, sub(kDvd, "Player1"), "Name"), "Other Player");
    EXPECT_EQ(fake.stringValue(kHkcu, sub(kDvd, "player0"), "Name"), "Typed by hand");
    expectOwnDefault(kHkcu, kDvd, "/a");
}

TEST_F(AutoplayRegistrationTest, MissingUserKeyIsSkippedAndTheDefaultProfileStillRegistered) {
    fake.createKey(kHkcu, "Software\\Creative Tech");
    fake.createKey(kHku, kDefaultDvd);

    registerDiscDetector(registry, kProgram, "/b");

    EXPECT_FALSE(fake.keyExists(kHkcu, kDvd));
    expectOwnDefault(kHku, kDefaultDvd, "/b");
}

TEST_F(AutoplayRegistrationTest, RefusedWriteStopsEverythingAfterIt) {
    fake.createKey(kHkcu, kDvd);
    fake.createKey(kHku, kDefaultDvd);
    fake.failWritesAfter(2);

    EXPECT_EQ(errorOf(registerDiscDetector), "Failed to set data for 'Path'");

    EXPECT_EQ(fake.stringValue(kHkcu, sub(kDvd, "Default"), "Name"), "DVD Spindrel");
    EXPECT_EQ(fake.stringValue(kHkcu, sub(kDvd, "Default"), "Parameters"), "/a");
    EXPECT_EQ(fake.value(kHkcu, sub(kDvd, "Default"), "Run"), nullptr);
    EXPECT_FALSE(fake.keyExists(kHku, sub(kDefaultDvd, "Default")));
    EXPECT_EQ(fake.openHandles(), 0);
}

TEST_F(AutoplayRegistrationTest, MoveThatCannotCreateItsTargetNamesTheKeyAndKeepsTheOldDefault) {
    otherDefault(kHkcu, kDvd);
    fake.makeReadOnly(kHkcu, sub(kDvd, "Player0"));

    EXPECT_EQ(errorOf(registerDiscDetector),
              "Failed to create key Software\\Creative Tech\\Disc Detector\\DVD\\Player0");

    EXPECT_EQ(fake.stringValue(kHkcu, sub(kDvd, "Default"), "Name"), "Other Player");
    EXPECT_EQ(fake.openHandles(), 0);
}

TEST_F(AutoplayRegistrationTest, NewEntryTakesTheNextNumberAndOthersBecomeMenuOptions) {
    fake.setString(kHklm, kUdf, "A)03,Other", "C:\\other.exe");
    fake.setDword(kHklm, kUdf, "B)03,Other", 1);
    fake.setDword(kHklm, kUdf, "O)", 7);

    registerSpindrelPlus(registry, kProgram, "/a");

    EXPECT_EQ(values(kHklm, kUdf),
              (std::vector<std::string>{"A)03,Other", "B)03,Other", "O)", "A)04,DVD Spindrel",
                                        "B)04,DVD Spindrel"}));
    EXPECT_EQ(fake.stringValue(kHklm, kUdf, "A)03,Other"), "C:\\other.exe");
    EXPECT_EQ(fake.dwordValue(kHklm, kUdf, "B)03,Other"), 2u);
    EXPECT_EQ(fake.stringValue(kHklm, kUdf, "A)04,DVD Spindrel"),
              "\"C:\\Program Files\\DVD Spindrel\\DVD_Spindrel.EXE\" /a");
    EXPECT_EQ(fake.dwordValue(kHklm, kUdf, "B)04,DVD Spindrel"), 1u);
    EXPECT_EQ(fake.dwordValue(kHklm, kUdf, "O)"), 0u);
    EXPECT_EQ(fake.openHandles(), 0);
}

TEST_F(AutoplayRegistrationTest, ExistingEntryKeepsItsNumberAndTheLastOneFoundIsRewritten) {
    fake.setString(kHklm, kUdf, "A)02,DVD Spindrel", "\"c:\\old\\dvd_spindrel.exe\" /b");
    fake.setDword(kHklm, kUdf, "B)02,DVD Spindrel", 2);
    fake.setString(kHklm, kUdf, "A)05,Other", "C:\\other.exe");
    fake.setDword(kHklm, kUdf, "B)05,Other", 1);

    registerSpindrelPlus(registry, kProgram, "/a");

    EXPECT_EQ(values(kHklm, kUdf).size(), 5u);  // only O) is new
    EXPECT_EQ(fake.stringValue(kHklm, kUdf, "A)02,DVD Spindrel"),
              "\"C:\\Program Files\\DVD Spindrel\\DVD_Spindrel.EXE\" /a");
    EXPECT_EQ(fake.dwordValue(kHklm, kUdf, "B)02,DVD Spindrel"), 1u);
    EXPECT_EQ(fake.dwordValue(kHklm, kUdf, "B)05,Other"), 2u);

    // A second pair of the program's, found later, is the one rewritten from now on.
    fake.setString(kHklm, kUdf, "A)09,DVD Spindrel", "old");
    fake.setDword(kHklm, kUdf, "B)09,DVD Spindrel", 2);
    registerSpindrelPlus(registry, kProgram, "/b");
    EXPECT_EQ(fake.stringValue(kHklm, kUdf, "A)09,DVD Spindrel"),
              "\"C:\\Program Files\\DVD Spindrel\\DVD_Spindrel.EXE\" /b");
    EXPECT_EQ(fake.dwordValue(kHklm, kUdf, "B)09,DVD Spindrel"), 1u);
    EXPECT_EQ(fake.stringValue(kHklm, kUdf, "A)02,DVD Spindrel"),
              "\"C:\\Program Files\\DVD Spindrel\\DVD_Spindrel.EXE\" /a");
}

TEST_F(AutoplayRegistrationTest, MissingListIsCreatedAndStartsAtOne) {
    registerSpindrelPlus(registry, kProgram, "/b");
    EXPECT_EQ(values(kHklm, kUdf),
              (std::vector<std::string>{"A)01,DVD Spindrel", "B)01,DVD Spindrel", "O)"}));
    EXPECT_EQ(fake.stringValue(kHklm, kUdf, "A)01,DVD Spindrel"),
              "\"C:\\Program Files\\DVD Spindrel\\DVD_Spindrel.EXE\" /b");
}

TEST_F(AutoplayRegistrationTest, EmptyListStartsAtOne) {
    fake.createKey(kHklm, kUdf);
    registerSpindrelPlus(registry, kProgram, "/a");
    EXPECT_EQ(fake.dwordValue(kHklm, kUdf, "B)01,DVD Spindrel"), 1u);
}

TEST_F(AutoplayRegistrationTest, ShortAndUnnumberedNamesCountForNothingAndAreNotTouched) {
    fake.setDword(kHklm, kUdf, "O)", 3);
    fake.setString(kHklm, kUdf, "Ab", "kept");
    fake.setString(kHklm, kUdf, "A)xx,Other", "C:\\other.exe");
    fake.setString(kHklm, kUdf, "B", "short");
    fake.setString(kHklm, kUdf, "Backup", "C:\\old.exe");
    fake.setDword(kHklm, kUdf, "B)xx,Other", 1);

    registerSpindrelPlus(registry, kProgram, "/a");

    EXPECT_EQ(fake.stringValue(kHklm, kUdf, "Ab"), "kept");
    EXPECT_EQ(fake.stringValue(kHklm, kUdf, "A)xx,Other"), "C:\\other.exe");
    EXPECT_EQ(fake.stringValue(kHklm, kUdf, "B"), "short");
    EXPECT_EQ(fake.stringValue(kHklm, kUdf, "Backup"), "C:\\old.exe");
    EXPECT_EQ(fake.dwordValue(kHklm, kUdf, "B)xx,Other"), 2u);  // of the entry form: an entry
    EXPECT_EQ(fake.dwordValue(kHklm, kUdf, "B)01,DVD Spindrel"), 1u);
}

TEST_F(AutoplayRegistrationTest, RefusedListWriteKeepsWhatWasWrittenBefore) {
    fake.setDword(kHklm, kUdf, "B)03,Other", 1);
    fake.setDword(kHklm, kUdf, "O)", 7);
    fake.failWritesAfter(1);

    EXPECT_EQ(errorOf(registerSpindrelPlus), "Failed to set data for 'A)04,DVD Spindrel'");

    EXPECT_EQ(fake.dwordValue(kHklm, kUdf, "B)03,Other"), 2u);
    EXPECT_EQ(fake.value(kHklm, kUdf, "B)04,DVD Spindrel"), nullptr);
    EXPECT_EQ(fake.dwordValue(kHklm, kUdf, "O)"), 7u);
    EXPECT_EQ(fake.openHandles(), 0);
}

constexpr const char* kVerbKey = "Software\\Classes\\Tolvrey.DVDSpindrel.AutoPlay\\shell\\play";
constexpr const char* kHandlerKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoplayHandlers\\Handlers\\"
    "TolvreyDVDSpindrelPlayDVDMovie";
constexpr const char* kOtherHandler =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoplayHandlers\\Handlers\\Other";
constexpr const char* kDvdEvent =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoplayHandlers\\EventHandlers\\"
    "PlayDVDMovieOnArrival";

TEST_F(AutoplayRegistrationTest, WindowsHandlerIsWrittenForTheUserBesideTheOthersAndRewritten) {
    fake.setString(kHkcu, kDvdEvent, "MSPlayDVDMovieOnArrival", "");
    fake.setString(kHkcu, kOtherHandler, "Action", "kept");

    registerWindowsAutoPlay(registry, kProgram, "/a");

    EXPECT_EQ(fake.stringValue(kHkcu, kVerbKey, ""), "Play DVD movie with its macro");
    EXPECT_EQ(fake.stringValue(kHkcu, sub(kVerbKey, "command"), ""),
              "\"C:\\Program Files\\DVD Spindrel\\DVD_Spindrel.EXE\" /a");
    EXPECT_EQ(values(kHkcu, kHandlerKey),
              (std::vector<std::string>{"Action", "Provider", "DefaultIcon", "InvokeProgID",
                                        "InvokeVerb"}));
    EXPECT_EQ(fake.stringValue(kHkcu, kHandlerKey, "Action"), "Play DVD movie with its macro");
    EXPECT_EQ(fake.stringValue(kHkcu, kHandlerKey, "Provider"), "DVD Spindrel");
    EXPECT_EQ(fake.stringValue(kHkcu, kHandlerKey, "DefaultIcon"),
              "C:\\Program Files\\DVD Spindrel\\DVD_Spindrel.EXE,0");
    EXPECT_EQ(fake.stringValue(kHkcu, kHandlerKey, "InvokeProgID"), "Tolvrey.DVDSpindrel.AutoPlay");
    EXPECT_EQ(fake.stringValue(kHkcu, kHandlerKey, "InvokeVerb"), "play");
    for (const char* name : {"Action", "Provider", "DefaultIcon", "InvokeProgID", "InvokeVerb"}) {
        EXPECT_EQ(fake.value(kHkcu, kHandlerKey, name)->type, RegType::string) << name;
    }
    EXPECT_EQ(values(kHkcu, kDvdEvent),
              (std::vector<std::string>{"MSPlayDVDMovieOnArrival", "TolvreyDVDSpindrelPlayDVDMovie"}));
    EXPECT_EQ(fake.value(kHkcu, kDvdEvent, "TolvreyDVDSpindrelPlayDVDMovie")->type, RegType::string);
    EXPECT_EQ(fake.stringValue(kHkcu, kDvdEvent, "TolvreyDVDSpindrelPlayDVDMovie"), "");

    registerWindowsAutoPlay(registry, kProgram, "/b");
    EXPECT_EQ(fake.stringValue(kHkcu, sub(kVerbKey, "command"), ""),
              "\"C:\\Program Files\\DVD Spindrel\\DVD_Spindrel.EXE\" /b");
    EXPECT_EQ(values(kHkcu, kDvdEvent).size(), 2u);
    EXPECT_EQ(fake.stringValue(kHkcu, kOtherHandler, "Action"), "kept");
    // Nothing of the machine's, so no administrator is needed.
    EXPECT_FALSE(fake.keyExists(kHklm, "Software\\Microsoft"));
    EXPECT_FALSE(fake.keyExists(kHklm, "Software\\Classes"));
    EXPECT_EQ(fake.openHandles(), 0);
}

// The command is written before the handler and the handler before the event's list, so a
// refusal never leaves Windows offering something that leads nowhere.
TEST_F(AutoplayRegistrationTest, RefusedWindowsWriteLeavesNoHandlerInTheEventsList) {
    fake.failWritesAfter(2);
    EXPECT_EQ(errorOf(registerWindowsAutoPlay), "Failed to set data for 'Action'");
    EXPECT_FALSE(fake.keyExists(kHkcu, kDvdEvent));
    EXPECT_EQ(fake.openHandles(), 0);
}

}  // namespace
}  // namespace spindrel
