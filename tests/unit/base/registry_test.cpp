#include "base/registry.h"

#include <gtest/gtest.h>

#include "base/errors.h"
#include "support/fake_registry.h"

namespace spindrel {
namespace {

using testing::FakeRegistry;

class RegistryTest : public ::testing::Test {
protected:
    FakeRegistry fake;
    Registry registry{fake};
};

TEST_F(RegistryTest, PathsAreTakenFromTheRootWithOrWithoutOuterBackslashes) {
    ASSERT_TRUE(registry.openKey("\\Software\\Tolvrey\\DVD-Spindrel\\", true));
    registry.writeString("a", "1");
    ASSERT_TRUE(registry.openKey("Software\\Tolvrey\\DVD-Spindrel", false));
    EXPECT_EQ(registry.readString("a"), "1");
    EXPECT_EQ(registry.currentPath(), "Software\\Tolvrey\\DVD-Spindrel");
    registry.closeKey();
    EXPECT_EQ(fake.openHandles(), 0);
}

TEST_F(RegistryTest, OpenWithoutCreateFailsForMissingKeysAndCreatesNothing) {
    EXPECT_FALSE(registry.openKey("\\Software\\Nobody", false));
    EXPECT_FALSE(registry.keyExists("\\Software\\Nobody"));
    EXPECT_FALSE(fake.keyExists(RegRoot::localMachine, "Software\\Nobody"));
    EXPECT_FALSE(registry.hasOpenKey());
}

TEST_F(RegistryTest, RootKeyDecidesWhereKeysAreFound) {
    fake.createKey(RegRoot::users, ".DEFAULT\\Software\\X");
    EXPECT_FALSE(registry.keyExists("\\.DEFAULT\\Software\\X"));
    registry.setRootKey(RegRoot::users);
    EXPECT_TRUE(registry.keyExists("\\.DEFAULT\\Software\\X"));
    registry.setRootKey(RegRoot::currentUser);
    EXPECT_FALSE(registry.keyExists("\\.DEFAULT\\Software\\X"));
}

TEST_F(RegistryTest, EachTypeRoundTrips) {
    ASSERT_TRUE(registry.openKey("\\K", true));
    registry.writeString("s", "text with spaces");
    registry.writeInteger("i", -1000);
    registry.writeBinary("b", {0x00, 0xFF, 0x10});
    EXPECT_EQ(registry.readString("s"), "text with spaces");
    EXPECT_EQ(registry.readInteger("i"), -1000);
    EXPECT_EQ(registry.readBinary("b"), (std::vector<std::uint8_t>{0x00, 0xFF, 0x10}));
    EXPECT_EQ(fake.value(RegRoot::localMachine, "K", "i")->type, RegType::dword);
    EXPECT_EQ(fake.value(RegRoot::localMachine, "K", "b")->type, RegType::binary);
    EXPECT_EQ(registry.valueNames(), (std::vector<std::string>{"s", "i", "b"}));
}

TEST_F(RegistryTest, ValueOfAnotherTypeIsRefusedWithAMessageNamingIt) {
    ASSERT_TRUE(registry.openKey("\\K", true));
    registry.writeString("Position:Left", "1");
    registry.writeInteger("n", 1);
    try {
        registry.readInteger("Position:Left");
        FAIL() << "expected an error";
    } catch (const RegistryError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Invalid data type for 'Position:Left' in HKEY_LOCAL_MACHINE\\K: stored as "
                  "REG_SZ, expected REG_DWORD");
    }
    EXPECT_THROW(registry.readString("n"), RegistryError);
    EXPECT_THROW(registry.readBinary("n"), RegistryError);
}

TEST_F(RegistryTest, MissingStringReadsEmptyButMissingNumberIsAnError) {
    ASSERT_TRUE(registry.openKey("\\K", true));
    EXPECT_EQ(registry.readString("none"), "");
    EXPECT_FALSE(registry.valueExists("none"));
    EXPECT_THROW(registry.readInteger("none"), RegistryError);
}

TEST_F(RegistryTest, StringsStopAtAnEmbeddedTerminator) {
    fake.setValue(RegRoot::localMachine, "K", "s", RegValue{RegType::string, {'a', 'b', 0, 'c'}});
    ASSERT_TRUE(registry.openKey("\\K", false));
    EXPECT_EQ(registry.readString("s"), "ab");
}

TEST_F(RegistryTest, AccessWithoutAnOpenKeyIsAnError) {
    EXPECT_THROW(registry.writeString("x", "y"), RegistryError);
    EXPECT_FALSE(registry.valueExists("x"));
}

TEST_F(RegistryTest, MoveKeyCopiesTheWholeTreeAndDeletesTheOldKey) {
    constexpr RegRoot hkcu = RegRoot::currentUser;
    fake.setString(hkcu, "DVD\\Default", "Name", "Other Player");
    fake.setDword(hkcu, "DVD\\Default", "Run", 1);
    fake.setString(hkcu, "DVD\\Default\\Options\\Deep", "Level", "3");
    fake.createKey(hkcu, "DVD\\Player0");
    registry.setRootKey(hkcu);
    ASSERT_TRUE(registry.openKey("\\DVD", false));

    registry.moveKey("Default", "\\Player1", true);

    EXPECT_FALSE(fake.keyExists(hkcu, "DVD\\Default"));
    EXPECT_EQ(fake.stringValue(hkcu, "DVD\\Player1", "Name"), "Other Player");
    EXPECT_EQ(fake.dwordValue(hkcu, "DVD\\Player1", "Run"), 1u);
    EXPECT_EQ(fake.stringValue(hkcu, "DVD\\Player1\\Options\\Deep", "Level"), "3");
    EXPECT_EQ(registry.keyNames(), (std::vector<std::string>{"Player0", "Player1"}));
    registry.closeKey();
    EXPECT_EQ(fake.openHandles(), 0);
}

TEST_F(RegistryTest, MoveKeyDoesNothingWhenSourceIsMissingOrTargetExists) {
    fake.setString(RegRoot::localMachine, "DVD\\Default", "Name", "A");
    fake.setString(RegRoot::localMachine, "DVD\\Player0", "Name", "B");
    ASSERT_TRUE(registry.openKey("\\DVD", false));
    registry.moveKey("Default", "Player0", true);
    registry.moveKey("Missing", "Player5", true);
    EXPECT_EQ(fake.stringValue(RegRoot::localMachine, "DVD\\Default", "Name"), "A");
    EXPECT_EQ(fake.stringValue(RegRoot::localMachine, "DVD\\Player0", "Name"), "B");
    EXPECT_FALSE(fake.keyExists(RegRoot::localMachine, "DVD\\Player5"));
}

TEST_F(RegistryTest, MoveKeyThatCannotCreateItsTargetSaysWhich) {
    fake.setString(RegRoot::localMachine, "DVD\\Default", "Name", "A");
    fake.makeReadOnly(RegRoot::localMachine, "DVD\\Player1");
    ASSERT_TRUE(registry.openKey("\\DVD", false));
    try {
        registry.moveKey("Default", "Player1", true);
        FAIL() << "expected an error";
    } catch (const RegistryError& error) {
        EXPECT_EQ(std::string(error.what()), "Failed to create key DVD\\Player1");
    }
    EXPECT_TRUE(fake.keyExists(RegRoot::localMachine, "DVD\\Default"));
    registry.closeKey();
    EXPECT_EQ(fake.openHandles(), 0);
}

TEST_F(RegistryTest, MoveKeyThatCannotReadOrDeleteItAllStopsWithTheError) {
    constexpr RegRoot hkcu = RegRoot::currentUser;
    fake.setString(hkcu, "DVD\\Default", "Name", "Other Player");
    fake.setString(hkcu, "DVD\\Default\\Options", "Level", "3");
    fake.makeUnreadable(hkcu, "DVD\\Default\\Options");
    registry.setRootKey(hkcu);
    ASSERT_TRUE(registry.openKey("\\DVD", false));
    try {
        registry.moveKey("Default", "Player0", true);
        FAIL() << "a part of the key that cannot be read must stop the move";
    } catch (const RegistryError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Failed to open key HKEY_CURRENT_USER\\DVD\\Default\\Options (access denied)");
    }
    EXPECT_EQ(fake.stringValue(hkcu, "DVD\\Default", "Name"), "Other Player");
    EXPECT_FALSE(fake.keyExists(hkcu, "DVD\\Player0"));  // no half copy is left

    fake.setString(hkcu, "DVD\\Other", "Name", "Third Player");
    fake.refuseDeletes();
    try {
        registry.moveKey("Other", "Player1", true);
        FAIL() << "a refused delete must not pass for a move";
    } catch (const RegistryError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Failed to delete key HKEY_CURRENT_USER\\DVD\\Other (access denied)");
    }
    registry.closeKey();
    EXPECT_EQ(fake.openHandles(), 0);
}

}  // namespace
}  // namespace spindrel
