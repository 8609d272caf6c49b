// The autoplay registrations against the real registry: every key, value and type they leave,
// read back through the plain API as the autoplay programs would, and a key whose security
// refuses writes. The settings too, as a standard user meets the machine's key: readable only.

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/main_model.h"
#include "app/settings.h"
#include "autoplay/autoplay_registration.h"
#include "base/errors.h"
#include "base/registry.h"
#include "platform/win32/win32_registry.h"

namespace spindrel {
namespace {

constexpr const char* kVendor = "Software\\Creative Tech";
constexpr const char* kDvd = "Software\\Creative Tech\\Disc Detector\\DVD";
constexpr const char* kProfileVendor = ".DEFAULT\\Software\\Creative Tech";
constexpr const char* kProfileDvd = ".DEFAULT\\Software\\Creative Tech\\Disc Detector\\DVD";
constexpr const char* kSpindrelPlus = "Software\\Tolvrey\\Spindrel+";
constexpr const char* kUdf = "Software\\Tolvrey\\Spindrel+\\UDF";
constexpr const char* kSettings = "Software\\Tolvrey\\DVD-Spindrel";
constexpr const char* kProgram = "C:\\Program Files\\DVD Spindrel\\DVD_Spindrel.EXE";

struct Stored {
    DWORD type;
    std::vector<BYTE> data;
    bool operator==(const Stored&) const = default;
};
using Values = std::map<std::string, Stored>;

Stored sz(const std::string& text) {
    std::vector<BYTE> data(text.begin(), text.end());
    data.push_back(0);
    return {REG_SZ, data};
}

Stored dword(DWORD number) {
    return {REG_DWORD,
            {static_cast<BYTE>(number), static_cast<BYTE>(number >> 8),
             static_cast<BYTE>(number >> 16), static_cast<BYTE>(number >> 24)}};
}

std::string sub(const char* key, const std::string& name) {
    return std::string(key) + "\\" + name;
}

bool exists(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// Every value of a key with its type and bytes, as another program reads them.
Values valuesOf(HKEY root, const std::string& path) {
    Values values;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return values;
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD nameLength = sizeof name;
        BYTE data[1024];
        DWORD size = sizeof data;
        DWORD type = 0;
        if (RegEnumValueA(key, index, name, &nameLength, nullptr, &type, data, &size) !=
            ERROR_SUCCESS) {
            break;
        }
        values[std::string(name, nameLength)] = {type, std::vector<BYTE>(data, data + size)};
    }
    RegCloseKey(key);
    return values;
}

std::vector<std::string> subKeysOf(HKEY root, const std::string& path) {
    std::vector<std::string> names;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return names;
    char name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        names.emplace_back(name, length);
    }
    RegCloseKey(key);
    return names;
}

void createWith(HKEY root, const std::string& path, const Values& values) {
    HKEY key = nullptr;
    ASSERT_EQ(
        RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    for (const auto& [name, value] : values) {
        RegSetValueExA(key, name.c_str(), 0, value.type, value.data.data(),
                       static_cast<DWORD>(value.data.size()));
    }
    RegCloseKey(key);
}

// Gives the key a DACL of one entry, or none at all (everybody may do everything).
void setAccess(HKEY root, const std::string& path, const DWORD* everyone) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(root, path.c_str(), 0, WRITE_DAC, &key), ERROR_SUCCESS);
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    alignas(DWORD) BYTE aclBuffer[256];
    auto* acl = reinterpret_cast<PACL>(aclBuffer);
    BYTE sid[SECURITY_MAX_SID_SIZE];
    DWORD sidSize = sizeof sid;
    if (everyone != nullptr) {
        ASSERT_TRUE(CreateWellKnownSid(WinWorldSid, nullptr, sid, &sidSize));
        ASSERT_TRUE(InitializeAcl(acl, sizeof aclBuffer, ACL_REVISION));
        ASSERT_TRUE(AddAccessAllowedAce(acl, ACL_REVISION, *everyone, sid));
    }
    ASSERT_TRUE(SetSecurityDescriptorDacl(&descriptor, TRUE, everyone ? acl : nullptr, FALSE));
    EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor), ERROR_SUCCESS);
    RegCloseKey(key);
}

void makeReadOnly(HKEY root, const std::string& path) {
    const DWORD readOnly = KEY_READ;
    setAccess(root, path, &readOnly);
}

// Only its security may still be changed, so that the test can give the key back.
void makeUnreadable(HKEY root, const std::string& path) {
    const DWORD securityOnly = READ_CONTROL | WRITE_DAC;
    setAccess(root, path, &securityOnly);
}

std::string errorOf(void (*registration)(Registry&, const std::string&, const std::string&),
                    Registry& registry) {
    try {
        registration(registry, kProgram, "/a");
    } catch (const RegistryError& error) {
        return error.what();
    }
    return "no error";
}

class AutoplayRegistryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // Never under a real installation's keys: these are removed whole afterwards.
        for (const auto& [root, path] : owned()) {
            if (exists(root, path))
                GTEST_SKIP() << path << " exists already";
        }
        ours_ = true;
    }
    void TearDown() override {
        if (!ours_)
            return;
        for (const auto& [root, path] : locked_)
            setAccess(root, path, nullptr);
        for (const auto& [root, path] : owned())
            RegDeleteTreeA(root, path);
        for (const auto& [root, path] : owned())
            EXPECT_FALSE(exists(root, path)) << path;
    }

    static std::vector<std::pair<HKEY, const char*>> owned() {
        return {{HKEY_CURRENT_USER, kVendor},
                {HKEY_USERS, kProfileVendor},
                {HKEY_LOCAL_MACHINE, kSpindrelPlus}};
    }
    void lock(HKEY root, const std::string& path) {
        makeReadOnly(root, path);
        locked_.emplace_back(root, path);
    }
    void hide(HKEY root, const std::string& path) {
        makeUnreadable(root, path);
        locked_.emplace_back(root, path);
    }

    Win32Registry port;
    Registry registry{port};
    std::vector<std::pair<HKEY, std::string>> locked_;
    bool ours_ = false;
};

TEST_F(AutoplayRegistryTest, DiscDetectorRegistrationUnderTheUserAndTheDefaultProfile) {
    createWith(HKEY_CURRENT_USER, sub(kDvd, "Default"),
               {{"Name", sz("Other Player")}, {"Run", {REG_BINARY, {1}}}});
    createWith(HKEY_CURRENT_USER, sub(kDvd, "Default\\Options"), {{"Level", dword(3)}});
    createWith(HKEY_CURRENT_USER, sub(kDvd, "Player0"), {{"Name", sz("Zeroth")}});
    createWith(HKEY_USERS, kProfileDvd, {});

    registerDiscDetector(registry, kProgram, "/a");

    const Values own{{"Name", sz("DVD Spindrel")},
                     {"Parameters", sz("/a")},
                     {"Path", sz("c:\\program files\\dvd spindrel\\dvd_spindrel.exe")},
                     {"Run", {REG_BINARY, {0}}}};
    EXPECT_EQ(valuesOf(HKEY_CURRENT_USER, sub(kDvd, "Default")), own);
    EXPECT_TRUE(subKeysOf(HKEY_CURRENT_USER, sub(kDvd, "Default")).empty());
    EXPECT_EQ(valuesOf(HKEY_CURRENT_USER, sub(kDvd, "Player1")),
              (Values{{"Name", sz("Other Player")}, {"Run", {REG_BINARY, {1}}}}));
    EXPECT_EQ(valuesOf(HKEY_CURRENT_USER, sub(kDvd, "Player1\\Options")),
              (Values{{"Level", dword(3)}}));
    EXPECT_EQ(valuesOf(HKEY_CURRENT_USER, sub(kDvd, "Player0")), (Values{{"Name", sz("Zeroth")}}));
    EXPECT_EQ(subKeysOf(HKEY_CURRENT_USER, kDvd).size(), 3u);
    EXPECT_EQ(valuesOf(HKEY_USERS, sub(kProfileDvd, "Default")), own);
    EXPECT_EQ(subKeysOf(HKEY_USERS, kProfileDvd), std::vector<std::string>{"Default"});

    registerDiscDetector(registry, kProgram, "/b");
    EXPECT_EQ(valuesOf(HKEY_USERS, sub(kProfileDvd, "Default")).at("Parameters"), sz("/b"));
    EXPECT_EQ(subKeysOf(HKEY_CURRENT_USER, kDvd).size(), 3u);  // nothing moved the second time
}

TEST_F(AutoplayRegistryTest, ProfileWithoutDiscDetectorGetsNothing) {
    createWith(HKEY_CURRENT_USER, kDvd, {});
    registerDiscDetector(registry, kProgram, "/b");
    EXPECT_EQ(valuesOf(HKEY_CURRENT_USER, sub(kDvd, "Default")).at("Parameters"), sz("/b"));
    EXPECT_FALSE(exists(HKEY_USERS, kProfileVendor));
}

TEST_F(AutoplayRegistryTest, SpindrelPlusRegistrationRewritesTheList) {
    createWith(
        HKEY_LOCAL_MACHINE, kUdf,
        {{"A)03,Other", sz("C:\\other.exe /x")}, {"B)03,Other", dword(1)}, {"O)", dword(7)}});

    registerSpindrelPlus(registry, kProgram, "/b");

    const Values expected{
        {"A)03,Other", sz("C:\\other.exe /x")},
        {"B)03,Other", dword(2)},
        {"O)", dword(0)},
        {"A)04,DVD Spindrel", sz("\"C:\\Program Files\\DVD Spindrel\\DVD_Spindrel.EXE\" /b")},
        {"B)04,DVD Spindrel", dword(1)}};
    EXPECT_EQ(valuesOf(HKEY_LOCAL_MACHINE, kUdf), expected);

    registerSpindrelPlus(registry, kProgram, "/a");
    Values again = expected;
    again["A)04,DVD Spindrel"] = sz("\"C:\\Program Files\\DVD Spindrel\\DVD_Spindrel.EXE\" /a");
    EXPECT_EQ(valuesOf(HKEY_LOCAL_MACHINE, kUdf), again);
}

TEST_F(AutoplayRegistryTest, MissingListIsCreated) {
    registerSpindrelPlus(registry, kProgram, "/a");
    EXPECT_EQ(valuesOf(HKEY_LOCAL_MACHINE, kUdf),
              (Values{{"A)01,DVD Spindrel",
                       sz("\"C:\\Program Files\\DVD Spindrel\\DVD_Spindrel.EXE\" /a")},
                      {"B)01,DVD Spindrel", dword(1)},
                      {"O)", dword(0)}}));
}

TEST_F(AutoplayRegistryTest, KeyThatRefusesWritesStopsTheRegistrationByName) {
    createWith(HKEY_CURRENT_USER, kDvd, {});
    createWith(HKEY_USERS, sub(kProfileDvd, "Default"), {{"Name", sz("DVD Spindrel")}});
    lock(HKEY_USERS, sub(kProfileDvd, "Default"));

    // A standard user: told what was done for them and what could not be done, and why.
    const std::string refused = errorOf(registerDiscDetector, registry);
    EXPECT_EQ(refused.rfind("Disc Detector will now start DVD Spindrel for you", 0), 0u) << refused;
    EXPECT_NE(refused.find("(the default profile):\rFailed to set data for 'Name'\r"),
              std::string::npos)
        << refused;
    // The user's own registration, written before, stays.
    EXPECT_EQ(valuesOf(HKEY_CURRENT_USER, sub(kDvd, "Default")).size(), 4u);
    EXPECT_EQ(valuesOf(HKEY_USERS, sub(kProfileDvd, "Default")),
              (Values{{"Name", sz("DVD Spindrel")}}));

    createWith(HKEY_LOCAL_MACHINE, kUdf, {{"B)03,Other", dword(1)}});
    lock(HKEY_LOCAL_MACHINE, kUdf);
    EXPECT_EQ(errorOf(registerSpindrelPlus, registry), "Failed to set data for 'B)03,Other'");
    EXPECT_EQ(valuesOf(HKEY_LOCAL_MACHINE, kUdf), (Values{{"B)03,Other", dword(1)}}));
}

TEST_F(AutoplayRegistryTest, OldDefaultWithAPartThatCannotBeReadIsNeitherMovedNorDeleted) {
    createWith(HKEY_CURRENT_USER, sub(kDvd, "Default"), {{"Name", sz("Other Player")}});
    createWith(HKEY_CURRENT_USER, sub(kDvd, "Default\\Options"), {{"Level", dword(3)}});
    hide(HKEY_CURRENT_USER, sub(kDvd, "Default\\Options"));

    EXPECT_EQ(errorOf(registerDiscDetector, registry),
              "Failed to open key HKEY_CURRENT_USER\\Software\\Creative Tech\\Disc "
              "Detector\\DVD\\Default\\Options (access denied)");
    EXPECT_EQ(valuesOf(HKEY_CURRENT_USER, sub(kDvd, "Default")),
              (Values{{"Name", sz("Other Player")}}));
    EXPECT_EQ(subKeysOf(HKEY_CURRENT_USER, kDvd), std::vector<std::string>{"Default"});
}

// Wine does not check the parent's KEY_CREATE_SUB_KEY when a key is created by its full path
// from a root, so a DACL cannot refuse the move's new key there. A volatile parent refuses it on
// Windows and Wine alike: its children must be volatile too, and the program's keys are not.
TEST_F(AutoplayRegistryTest, MoveIntoAKeyThatRefusesNewKeysNamesTheKey) {
    for (const std::string& path : {std::string(kDvd), sub(kDvd, "Default")}) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }
    createWith(HKEY_CURRENT_USER, sub(kDvd, "Default"), {{"Name", sz("Other Player")}});

    EXPECT_EQ(errorOf(registerDiscDetector, registry),
              "Failed to create key Software\\Creative Tech\\Disc Detector\\DVD\\Player0");
    EXPECT_EQ(valuesOf(HKEY_CURRENT_USER, sub(kDvd, "Default")),
              (Values{{"Name", sz("Other Player")}}));
    EXPECT_EQ(subKeysOf(HKEY_CURRENT_USER, kDvd), std::vector<std::string>{"Default"});
}

constexpr const char* kProgId = "Software\\Classes\\Tolvrey.DVDSpindrel.AutoPlay";
constexpr const char* kHandler =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoplayHandlers\\Handlers\\"
    "TolvreyDVDSpindrelPlayDVDMovie";
constexpr const char* kDvdEvent =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoplayHandlers\\EventHandlers\\"
    "PlayDVDMovieOnArrival";
constexpr const char* kHandlerName = "TolvreyDVDSpindrelPlayDVDMovie";

// Windows AutoPlay's lists may hold other programs' entries: only the program's own are taken
// away afterwards, and the event's key only if the test made it.
class WindowsAutoPlayRegistryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (exists(HKEY_CURRENT_USER, kProgId) || exists(HKEY_CURRENT_USER, kHandler) ||
            valuesOf(HKEY_CURRENT_USER, kDvdEvent).count(kHandlerName) != 0) {
            GTEST_SKIP() << "the program is registered with Windows AutoPlay already";
        }
        eventKeyExisted_ = exists(HKEY_CURRENT_USER, kDvdEvent);
        ours_ = true;
    }
    void TearDown() override {
        if (!ours_)
            return;
        RegDeleteTreeA(HKEY_CURRENT_USER, kProgId);
        RegDeleteTreeA(HKEY_CURRENT_USER, kHandler);
        if (eventKeyExisted_) {
            HKEY key = nullptr;
            if (RegOpenKeyExA(HKEY_CURRENT_USER, kDvdEvent, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
                RegDeleteValueA(key, kHandlerName);
                RegDeleteValueA(key, "OtherDVDHandler");
                RegCloseKey(key);
            }
        } else {
            RegDeleteTreeA(HKEY_CURRENT_USER, kDvdEvent);
        }
        EXPECT_FALSE(exists(HKEY_CURRENT_USER, kProgId));
        EXPECT_FALSE(exists(HKEY_CURRENT_USER, kHandler));
    }

    Win32Registry port;
    Registry registry{port};
    bool eventKeyExisted_ = false;
    bool ours_ = false;
};

TEST_F(WindowsAutoPlayRegistryTest, HandlerProgIdAndEventEntryForTheUserWithExactTypes) {
    createWith(HKEY_CURRENT_USER, kDvdEvent, {{"OtherDVDHandler", sz("")}});

    registerWindowsAutoPlay(registry, kProgram, "/a");

    EXPECT_EQ(valuesOf(HKEY_CURRENT_USER, sub(kProgId, "shell\\play")),
              (Values{{"", sz("Play DVD movie with its macro")}}));
    EXPECT_EQ(valuesOf(HKEY_CURRENT_USER, sub(kProgId, "shell\\play\\command")),
              (Values{{"", sz("\"C:\\Program Files\\DVD Spindrel\\DVD_Spindrel.EXE\" /a")}}));
    EXPECT_EQ(subKeysOf(HKEY_CURRENT_USER, kProgId), std::vector<std::string>{"shell"});
    EXPECT_EQ(valuesOf(HKEY_CURRENT_USER, kHandler),
              (Values{{"Action", sz("Play DVD movie with its macro")},
                      {"Provider", sz("DVD Spindrel")},
                      {"DefaultIcon", sz("C:\\Program Files\\DVD Spindrel\\DVD_Spindrel.EXE,0")},
                      {"InvokeProgID", sz("Tolvrey.DVDSpindrel.AutoPlay")},
                      {"InvokeVerb", sz("play")}}));
    EXPECT_EQ(valuesOf(HKEY_CURRENT_USER, kDvdEvent),
              (Values{{"OtherDVDHandler", sz("")}, {kHandlerName, sz("")}}));

    registerWindowsAutoPlay(registry, kProgram, "/b");
    EXPECT_EQ(valuesOf(HKEY_CURRENT_USER, sub(kProgId, "shell\\play\\command")),
              (Values{{"", sz("\"C:\\Program Files\\DVD Spindrel\\DVD_Spindrel.EXE\" /b")}}));
    EXPECT_EQ(valuesOf(HKEY_CURRENT_USER, kDvdEvent).size(), 2u);
    // The machine's own lists are not touched: no administrator is needed.
    HKEY machine = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Classes\\Tolvrey.DVDSpindrel.AutoPlay", 0,
                            KEY_READ, &machine),
              ERROR_SUCCESS);
}

// Wine refuses value writes through a key whose access list grants reading only, as Windows
// refuses a standard user under HKEY_LOCAL_MACHINE.
TEST(StandardUserSettingsTest, OptionsAndTheLocatedPlayerGoToTheUsersKeyWithoutAnError) {
    struct Cleanup {
        ~Cleanup() {
            HKEY key = nullptr;
            if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettings, 0, WRITE_DAC, &key) == ERROR_SUCCESS) {
                RegCloseKey(key);
                setAccess(HKEY_LOCAL_MACHINE, kSettings, nullptr);
            }
            RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSettings);
            RegDeleteTreeA(HKEY_CURRENT_USER, kSettings);
        }
    } cleanup;
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettings);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSettings);
    createWith(HKEY_LOCAL_MACHINE, kSettings, {{"DVD_Interface", sz("Corvane.dll")}});
    makeReadOnly(HKEY_LOCAL_MACHINE, kSettings);

    Win32Registry port;
    Registry registry{port};
    MainModel model;
    EXPECT_EQ(readSettings(registry, model, {1024, 768}), "Corvane.dll");
    model.cbox_1.caption = "x";
    EXPECT_NO_THROW(writeSettings(registry, model));
    EXPECT_NO_THROW(writeToSettingsKey(
        registry, [](Registry& key) { key.writeString("PCDVD", "C:\\Mine\\player.exe"); }));

    EXPECT_EQ(valuesOf(HKEY_LOCAL_MACHINE, kSettings), (Values{{"DVD_Interface", sz("Corvane.dll")}}));
    const Values mine = valuesOf(HKEY_CURRENT_USER, kSettings);
    ASSERT_EQ(mine.count("Reset_Before_Test"), 1u);
    EXPECT_EQ(mine.at("Reset_Before_Test"), dword(1));
    EXPECT_EQ(mine.at("PCDVD"), sz("C:\\Mine\\player.exe"));

    MainModel again;
    EXPECT_EQ(readSettings(registry, again, {1024, 768}), "Corvane.dll");
    EXPECT_EQ(again.cbox_1.caption, "x");
}

}  // namespace
}  // namespace spindrel
