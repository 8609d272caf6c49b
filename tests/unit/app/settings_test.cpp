#include "app/settings.h"

#include <gtest/gtest.h>

#include "base/errors.h"
#include "support/fake_registry.h"

namespace spindrel {
namespace {

using testing::FakeRegistry;

constexpr RegRoot kHklm = RegRoot::localMachine;
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

TEST_F(SettingsTest, KeyThatCannotBeCreatedIsReportedWithItsName) {
    fake.makeReadOnly(kHklm, "Software");
    try {
        writeSettings(registry, model);
        FAIL() << "expected an error";
    } catch (const RegistryError& error) {
        EXPECT_NE(std::string(error.what()).find("HKEY_LOCAL_MACHINE\\Software\\Tolvrey"),
                  std::string::npos)
            << error.what();
    }
    EXPECT_THROW(read(), RegistryError);
}

TEST_F(SettingsTest, FailedWriteStopsThereAndKeepsTheValuesWrittenBefore) {
    fake.setDword(kHklm, kKey, "Launch_Other_Program", 1);
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

}  // namespace
}  // namespace spindrel
