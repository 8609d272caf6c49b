#include "platform/win32/win32_registry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include "base/errors.h"
#include "base/registry.h"

namespace spindrel {
namespace {

constexpr const char* kTestKey = "Software\\Tolvrey\\SpindrelTests\\Registry";

class RegistryAdapterTest : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, kTestKey); }
    void TearDown() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, kTestKey); }

    RegKey open(bool create = true) {
        RegKey key = 0;
        EXPECT_EQ(port.openKey(RegRoot::localMachine, kTestKey, create, key), RegStatus::ok);
        return key;
    }

    Win32Registry port;
};

TEST_F(RegistryAdapterTest, EachTypeRoundTripsWithItsRegistryType) {
    const RegKey key = open();
    ASSERT_EQ(port.writeValue(key, "s", {RegType::string, {'a', 'b', 'c'}}), RegStatus::ok);
    ASSERT_EQ(port.writeValue(key, "d", {RegType::dword, {0x78, 0x56, 0x34, 0x12}}), RegStatus::ok);
    ASSERT_EQ(port.writeValue(key, "b", {RegType::binary, {0x00}}), RegStatus::ok);
    ASSERT_EQ(port.writeValue(key, "e", {RegType::string, {}}), RegStatus::ok);
    port.closeKey(key);

    // What another program sees, through the plain API.
    DWORD type = 0;
    DWORD number = 0;
    DWORD size = sizeof number;
    ASSERT_EQ(RegGetValueA(HKEY_LOCAL_MACHINE, kTestKey, "d", RRF_RT_ANY, &type, &number, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(number, 0x12345678u);
    char text[16] = {};
    size = sizeof text;
    ASSERT_EQ(RegGetValueA(HKEY_LOCAL_MACHINE, kTestKey, "s", RRF_RT_ANY, &type, text, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(text, "abc");

    const RegKey again = open(false);
    RegValue value;
    ASSERT_EQ(port.readValue(again, "s", value), RegStatus::ok);
    EXPECT_EQ(value.type, RegType::string);
    EXPECT_EQ(value.data, (std::vector<std::uint8_t>{'a', 'b', 'c'}));
    ASSERT_EQ(port.readValue(again, "b", value), RegStatus::ok);
    EXPECT_EQ(value.type, RegType::binary);
    EXPECT_EQ(value.data, std::vector<std::uint8_t>{0x00});
    ASSERT_EQ(port.readValue(again, "e", value), RegStatus::ok);
    EXPECT_TRUE(value.data.empty());
    EXPECT_EQ(port.readValue(again, "missing", value), RegStatus::notFound);
    port.closeKey(again);
}

TEST_F(RegistryAdapterTest, ProgramRegistryObjectRefusesAValueOfAnotherType) {
    Registry registry(port);
    ASSERT_TRUE(registry.openKey(std::string("\\") + kTestKey + "\\", true));
    registry.writeString("Position:Left", "1");
    registry.writeInteger("Position:Top", -5);
    registry.writeBinary("Run", {0});
    EXPECT_EQ(registry.readInteger("Position:Top"), -5);
    EXPECT_EQ(registry.readBinary("Run"), std::vector<std::uint8_t>{0});
    try {
        registry.readInteger("Position:Left");
        FAIL() << "a REG_SZ must not read as a number";
    } catch (const RegistryError& error) {
        EXPECT_NE(std::string(error.what()).find("Invalid data type for 'Position:Left'"),
                  std::string::npos);
    }
    EXPECT_THROW(registry.readString("Position:Top"), RegistryError);
}

TEST_F(RegistryAdapterTest, OpeningWithoutCreateFindsNothingAndCreatesNothing) {
    RegKey key = 0;
    EXPECT_EQ(port.openKey(RegRoot::localMachine, kTestKey, false, key), RegStatus::notFound);
    HKEY probe = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kTestKey, 0, KEY_READ, &probe), ERROR_SUCCESS);
}

TEST_F(RegistryAdapterTest, NamesComeBackAndMoveKeyCopiesATreeUnderTheUserRoots) {
    Registry registry(port, RegRoot::currentUser);
    const std::string base = std::string("\\") + kTestKey;
    ASSERT_TRUE(registry.openKey(base + "\\DVD\\Default\\Sub", true));
    registry.writeString("Inner", "deep");
    ASSERT_TRUE(registry.openKey(base + "\\DVD\\Default", false));
    registry.writeString("Name", "Other");
    registry.writeInteger("Count", 3);
    // Wine enumerates values sorted by name, Windows in the order they were written.
    EXPECT_THAT(registry.valueNames(), ::testing::UnorderedElementsAre("Name", "Count"));
    ASSERT_TRUE(registry.openKey(base + "\\DVD", false));
    EXPECT_EQ(registry.keyNames(), std::vector<std::string>{"Default"});

    registry.moveKey("Default", "Player0", true);
    EXPECT_EQ(registry.keyNames(), std::vector<std::string>{"Player0"});
    ASSERT_TRUE(registry.openKey(base + "\\DVD\\Player0\\Sub", false));
    EXPECT_EQ(registry.readString("Inner"), "deep");
    registry.closeKey();
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
}

}  // namespace
}  // namespace spindrel
