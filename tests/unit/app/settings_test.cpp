#include "app/settings.h"

#include <gtest/gtest.h>

#include <functional>

#include "base/errors.h"
#include "support/fake_registry.h"

namespace spindrel {
namespace {

using testing::FakeRegistry;

constexpr RegRoot kHklm = RegRoot::localMachine;
constexpr RegRoot kHkcu = RegRoot::currentUser;
constexpr const char* kKey = "Software\\Tolvrey\\DVD-Spindrel";

class SettingsTest : public ::testing::Test {
protected:
    std::string read(ScreenSize screen = {1024, 768}) {
        return readSettings(registry, model, screen);
    }

    FakeRegistry fake;
    Registry registry{fake};
    MainModel model;
};

TEST_F(SettingsTest, FirstRunWithEmptyRegistryGivesDefaultsAndCreatesTheKey) {
    model.autoexec.caption = "design text";
    model.cbox_1.caption = "x";

    EXPECT_EQ(read(), "Wyvernel.dll");

    EXPECT_TRUE(fake.keyExists(kHklm, kKey));
    EXPECT_EQ(model.cbox_1.caption, "");
    EXPECT_EQ(model.cbox_2.caption, "");
    EXPECT_EQ(model.cbox_3.caption, "");
    EXPECT_EQ(model.autoexec.caption, "");
    EXPECT_EQ(model.left, 294);
    EXPECT_EQ(model.top, 496);
    EXPECT_FALSE(model.spindrelbtn.visible);
    EXPECT_FALSE(model.dsm.dsm_name.visible);
    EXPECT_EQ(model.slideStepDivisor, 2);
    EXPECT_EQ(fake.openHandles(), 0);
}

TEST_F(SettingsTest, StoredValuesAreTakenAndAnyNonZeroCountsAsSet) {
    fake.setDword(kHklm, kKey, "Reset_Before_Test", 1);
    fake.setDword(kHklm, kKey, "Animate_Sliders", 7);
    fake.setDword(kHklm, kKey, "Launch_Other_Program", 0);
    fake.setString(kHklm, kKey, "Other_Program", "C:\\Tools\\lights.exe");
    fake.setDword(kHklm, kKey, "Position:Left", 100);
    fake.setDword(kHklm, kKey, "Position:Top", static_cast<std::uint32_t>(-20));
    fake.setString(kHklm, kKey, "DVD_Interface", "Corvane.dll");
    fake.createKey(kHklm, "Software\\Tolvrey\\Spindrel+");
    model.cbox_3.caption = "x";

    EXPECT_EQ(read(), "Corvane.dll");

    EXPECT_EQ(model.cbox_1.caption, "x");
    EXPECT_EQ(model.cbox_2.caption, "x");
    EXPECT_EQ(model.cbox_3.caption, "");
    EXPECT_EQ(model.autoexec.caption, "C:\\Tools\\lights.exe");
    EXPECT_EQ(model.left, 100);
    EXPECT_EQ(model.top, -20);  // off the top edge: left alone
    EXPECT_TRUE(model.spindrelbtn.visible);
    EXPECT_TRUE(model.dsm.dsm_name.visible);
    EXPECT_EQ(model.slideStepDivisor, 20);
}

TEST_F(SettingsTest, WindowBeyondTheScreenIsCentredOnThatAxisOnly) {
    fake.setDword(kHklm, kKey, "Position:Left", 900);  // 900 + 512 > 1024
    fake.setDword(kHklm, kKey, "Position:Top", 500);   // 500 + 160 <= 768
    read();
    EXPECT_EQ(model.left, (1024 - 512) / 2);
    EXPECT_EQ(model.top, 500);

    fake.setDword(kHklm, kKey, "Position:Left", 10);
    fake.setDword(kHklm, kKey, "Position:Top", 700);
    read({1023, 769});
    EXPECT_EQ(model.left, 10);
    EXPECT_EQ(model.top, 304);  // (769 - 160) / 2 rounded toward zero

    // A screen narrower than the window: the centred Left is negative, rounded toward zero.
    read({401, 769});
    EXPECT_EQ(model.left, -55);
}

TEST_F(SettingsTest, NegativeLeftIsKeptAsStored) {
    fake.setDword(kHklm, kKey, "Position:Left", static_cast<std::uint32_t>(-300));
    read();
    EXPECT_EQ(model.left, -300);
}

TEST_F(SettingsTest, WriteStoresEveryValueWithItsRegistryType) {
    model.cbox_1.caption = "x";
    model.cbox_2.caption = "";
    model.cbox_3.caption = "x";
    model.autoexec.caption = "";
    model.left = 12;
    model.top = 34;

    writeSettings(registry, model);

    EXPECT_EQ(fake.dwordValue(kHklm, kKey, "Reset_Before_Test"), 1u);
    EXPECT_EQ(fake.dwordValue(kHklm, kKey, "Animate_Sliders"), 0u);
    EXPECT_EQ(fake.dwordValue(kHklm, kKey, "Launch_Other_Program"), 1u);
    ASSERT_NE(fake.value(kHklm, kKey, "Other_Program"), nullptr);  // written also when empty
    EXPECT_EQ(fake.value(kHklm, kKey, "Other_Program")->type, RegType::string);
    EXPECT_EQ(fake.stringValue(kHklm, kKey, "Other_Program"), "");
    EXPECT_EQ(fake.dwordValue(kHklm, kKey, "Position:Left"), 12u);
    EXPECT_EQ(fake.dwordValue(kHklm, kKey, "Position:Top"), 34u);
    EXPECT_EQ(fake.value(kHklm, kKey, "DVD_Interface"), nullptr);  // never written
    EXPECT_EQ(fake.openHandles(), 0);
}

TEST_F(SettingsTest, LeftBelowMinus999IsNeverStored) {
    fake.setDword(kHklm, kKey, "Position:Left", 294);
    model.left = -999;
    writeSettings(registry, model);
    EXPECT_EQ(static_cast<std::int32_t>(fake.dwordValue(kHklm, kKey, "Position:Left")), -999);

    model.left = -1000;  // parked off-screen after a failed skin load
    model.top = 77;
    writeSettings(registry, model);
    EXPECT_EQ(static_cast<std::int32_t>(fake.dwordValue(kHklm, kKey, "Position:Left")), -999);
    EXPECT_EQ(fake.dwordValue(kHklm, kKey, "Position:Top"), 77u);
}

TEST_F(SettingsTest, CentredLeftIsStoredAtTheNextSave) {
    fake.setDword(kHklm, kKey, "Position:Left", 2000);
    read();
    writeSettings(registry, model);
    EXPECT_EQ(fake.dwordValue(kHklm, kKey, "Position:Left"), 256u);
}

TEST_F(SettingsTest, WronglyTypedValueRaisesAnErrorNamingItAndKeepsWhatWasRead) {
    fake.setDword(kHklm, kKey, "Reset_Before_Test", 1);
    fake.setString(kHklm, kKey, "Position:Left", "100");
    fake.setString(kHklm, kKey, "DVD_Interface", "Brannock.dll");

    try {
        read();
        FAIL() << "a string where a number belongs must not be read";
    } catch (const RegistryError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("'Position:Left'"), std::string::npos) << message;
        EXPECT_NE(message.find("REG_SZ"), std::string::npos) << message;
    }
    EXPECT_EQ(model.cbox_1.caption, "x");
    EXPECT_EQ(model.left, 294);
    EXPECT_EQ(fake.openHandles(), 0);
}

TEST_F(SettingsTest, NumberStoredAsTextElsewhereIsRefusedToo) {
    fake.setDword(kHklm, kKey, "Other_Program", 5);
    EXPECT_THROW(read(), RegistryError);
    fake.setString(kHklm, kKey, "Other_Program", "");
    fake.setString(kHklm, kKey, "Animate_Sliders", "1");
    EXPECT_THROW(read(), RegistryError);
}

TEST_F(SettingsTest, KeyThatCannotBeCreatedAnywhereIsReportedWithTheMachineKeysName) {
    fake.makeReadOnly(kHklm, "Software");
    fake.makeReadOnly(kHkcu, "Software");
    for (const auto& call : {std::function<void()>([this] { writeSettings(registry, model); }),
                             std::function<void()>([this] { read(); })}) {
        try {
            call();
            FAIL() << "expected an error";
        } catch (const RegistryError& error) {
            EXPECT_NE(std::string(error.what()).find("HKEY_LOCAL_MACHINE\\Software\\Tolvrey"),
                      std::string::npos)
                << error.what();
        }
    }
    EXPECT_EQ(fake.openHandles(), 0);
}

TEST_F(SettingsTest, FailedWriteStopsThereAndKeepsTheValuesWrittenBefore) {
    fake.setDword(kHklm, kKey, "Launch_Other_Program", 1);
    fake.makeReadOnly(kHkcu, "Software");
    model.cbox_1.caption = "x";
    model.cbox_2.caption = "x";
    fake.failWritesAfter(2);
    try {
        writeSettings(registry, model);
        FAIL() << "expected an error";
    } catch (const RegistryError& error) {
        EXPECT_EQ(std::string(error.what()).rfind("Failed to set data for 'Launch_Other_Program'", 0),
                  0u)
            << error.what();
    }
    EXPECT_EQ(fake.dwordValue(kHklm, kKey, "Reset_Before_Test"), 1u);
    EXPECT_EQ(fake.dwordValue(kHklm, kKey, "Animate_Sliders"), 1u);
    EXPECT_EQ(fake.dwordValue(kHklm, kKey, "Launch_Other_Program"), 1u);  // as it was
    EXPECT_EQ(fake.value(kHklm, kKey, "Position:Top"), nullptr);
    EXPECT_EQ(fake.openHandles(), 0);
}

// A standard user: the machine's key may be read (or may not exist) but not written.
class StandardUserSettingsTest : public SettingsTest {
protected:
    void SetUp() override { fake.makeReadOnly(kHklm, "Software"); }
};

TEST_F(StandardUserSettingsTest, WritesGoToTheUsersKeyAndAreReadBackOverTheMachines) {
    read();
    EXPECT_TRUE(fake.keyExists(kHkcu, kKey)) << "the key exists after the first start";

    model.cbox_2.caption = "x";
    model.autoexec.caption = "C:\\Tools\\lights.exe";
    model.left = 10;
    writeSettings(registry, model);
    EXPECT_FALSE(fake.keyExists(kHklm, kKey));
    EXPECT_EQ(fake.dwordValue(kHkcu, kKey, "Animate_Sliders"), 1u);
    EXPECT_EQ(fake.dwordValue(kHkcu, kKey, "Position:Left"), 10u);

    MainModel fresh;
    EXPECT_EQ(readSettings(registry, fresh, {1024, 768}), "Wyvernel.dll");
    EXPECT_EQ(fresh.cbox_2.caption, "x");
    EXPECT_EQ(fresh.autoexec.caption, "C:\\Tools\\lights.exe");
    EXPECT_EQ(fresh.left, 10);
    EXPECT_EQ(registry.rootKey(), kHklm);
    EXPECT_EQ(fake.openHandles(), 0);
}

TEST_F(StandardUserSettingsTest, MachineValuesTheUserHasNotOverriddenStillCount) {
    fake.setString(kHklm, kKey, "DVD_Interface", "Corvane.dll");
    fake.setDword(kHklm, kKey, "Reset_Before_Test", 1);
    fake.setDword(kHklm, kKey, "Position:Top", 50);
    fake.setDword(kHkcu, kKey, "Reset_Before_Test", 0);
    fake.setDword(kHkcu, kKey, "Animate_Sliders", 1);

    EXPECT_EQ(read(), "Corvane.dll");
    EXPECT_EQ(model.cbox_1.caption, "");
    EXPECT_EQ(model.cbox_2.caption, "x");
    EXPECT_TRUE(model.dsm.dsm_name.visible);
    EXPECT_EQ(model.slideStepDivisor, 20);
    EXPECT_EQ(model.top, 50);

    // A wrongly typed value is refused in the user's key as in the machine's.
    fake.setString(kHkcu, kKey, "Position:Left", "12");
    EXPECT_THROW(read(), RegistryError);
    EXPECT_EQ(fake.openHandles(), 0);
}

TEST_F(SettingsTest, OnceTheUserHasAKeyItIsWrittenEvenWhereTheMachinesIsWritable) {
    fake.setDword(kHkcu, kKey, "Animate_Sliders", 1);
    model.cbox_1.caption = "x";
    writeSettings(registry, model);
    EXPECT_EQ(fake.dwordValue(kHkcu, kKey, "Reset_Before_Test"), 1u);
    EXPECT_EQ(fake.dwordValue(kHkcu, kKey, "Animate_Sliders"), 0u);
    EXPECT_EQ(fake.value(kHklm, kKey, "Reset_Before_Test"), nullptr);
}

}  // namespace
}  // namespace spindrel
