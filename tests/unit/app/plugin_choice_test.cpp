#include "app/plugin_choice.h"

#include <gtest/gtest.h>

#include "support/fake_platform.h"
#include "support/fake_registry.h"

namespace spindrel {
namespace {

constexpr const char* kFolder = "C:\\Spindrel\\";
constexpr const char* kAllPlugins[] = {"Wyvernel.dll", "Brannock.dll", "Corvane.dll",
                                       "Corvane3.dll", "Mpc.dll",      "Vlc.dll"};

struct Machine {
    testing::FakeRegistry registry;
    testing::FakeFileSystem files;

    std::string choose() {
        const PlayerSearch search{registry, files,
                                  [](const std::string& name) -> std::optional<std::string> {
                                      if (name == "ProgramW6432")
                                          return "C:\\Program Files";
                                      if (name == "ProgramFiles(x86)")
                                          return "C:\\Program Files (x86)";
                                      return std::nullopt;
                                  }};
        return firstStartPlugin(search, kFolder);
    }
};

// What a machine has, written in a few words per row: each row sets up registry values and
// files, and names the plug-in the first start must bind.
struct Row {
    const char* what;
    std::function<void(Machine&)> setUp;
    const char* expected;
    bool allPlugins = true;
};

const RegRoot hklm64 = RegRoot::localMachine64;
const RegRoot hklm32 = RegRoot::localMachine32;

TEST(PluginChoiceTest, FirstStartBindsThePluginOfTheInstalledPlayer) {
    const Row rows[] = {
        {"nothing installed", [](Machine&) {}, "Wyvernel.dll"},
        {"VLC by its install key and program",
         [](Machine& m) {
             m.registry.setString(hklm64, "\\Software\\VideoLAN\\VLC", "", "D:\\VLC\\vlc.exe");
             m.files.files.insert("D:\\VLC\\vlc.exe");
         },
         "Vlc.dll"},
        {"VLC's key left behind by an uninstall",
         [](Machine& m) {
             m.registry.setString(hklm64, "\\Software\\VideoLAN\\VLC", "", "D:\\VLC\\vlc.exe");
         },
         "Wyvernel.dll"},
        {"32-bit VLC in its default folder, no key",
         [](Machine& m) {
             m.files.files.insert("C:\\Program Files (x86)\\VideoLAN\\VLC\\vlc.exe");
         },
         "Vlc.dll"},
        {"MPC-BE's key beside VLC: MPC first",
         [](Machine& m) {
             m.registry.setString(hklm64, "\\Software\\VideoLAN\\VLC", "", "D:\\VLC\\vlc.exe");
             m.files.files.insert("D:\\VLC\\vlc.exe");
             m.registry.setString(hklm32, "\\Software\\MPC-BE", "ExePath", "D:\\BE\\mpc-be.exe");
             m.files.files.insert("D:\\BE\\mpc-be.exe");
         },
         "Mpc.dll"},
        {"Brannock's key beside MPC and VLC: Creative first",
         [](Machine& m) {
             m.files.files.insert("C:\\Program Files\\MPC-HC\\mpc-hc64.exe");
             m.files.files.insert("C:\\Program Files\\VideoLAN\\VLC\\vlc.exe");
             m.registry.setString(hklm32, "\\Software\\Creative Tech\\Creative Brannock", "Path",
                                  "C:\\Creative");
         },
         "Brannock.dll"},
        {"Creative's PC-DVD Player known to the shell beside VLC: Creative first",
         [](Machine& m) {
             m.files.files.insert("C:\\Program Files\\VideoLAN\\VLC\\vlc.exe");
             m.registry.setString(hklm32,
                                  "\\Software\\Microsoft\\Windows\\CurrentVersion\\App "
                                  "Paths\\CTDVDPLY.exe",
                                  "", "C:\\Creative\\CTDVDPLY.exe");
             m.files.files.insert("C:\\Creative\\CTDVDPLY.exe");
         },
         "Wyvernel.dll"},
        {"Corvane's key: the older of its two plug-ins",
         [](Machine& m) {
             m.registry.setString(hklm64, "\\Software\\CyberLink\\Corvane", "InstallDir",
                                  "C:\\CyberLink");
         },
         "Corvane.dll"},
        {"VLC installed but Vlc.dll not beside the program",
         [](Machine& m) {
             m.files.files.insert("C:\\Program Files\\VideoLAN\\VLC\\vlc.exe");
             m.files.files.erase(std::string(kFolder) + "Vlc.dll");
         },
         "Wyvernel.dll"},
        {"a located VLC outweighs an installed MPC",
         [](Machine& m) {
             m.files.files.insert("C:\\Program Files\\MPC-HC\\mpc-hc64.exe");
             m.registry.setString(RegRoot::localMachine, "\\Software\\Tolvrey\\DVD-Spindrel",
                                  "PCDVD", "E:\\Tools\\VLC.EXE");
         },
         "Vlc.dll"},
        {"the user's located player before the machine's",
         [](Machine& m) {
             m.registry.setString(RegRoot::localMachine, "\\Software\\Tolvrey\\DVD-Spindrel",
                                  "PCDVD", "E:\\vlc.exe");
             m.registry.setString(RegRoot::currentUser, "\\Software\\Tolvrey\\DVD-Spindrel",
                                  "PCDVD", "E:\\mpc-be64.exe");
         },
         "Mpc.dll"},
        {"a located program no plug-in knows keeps the default that starts it",
         [](Machine& m) {
             m.files.files.insert("C:\\Program Files\\VideoLAN\\VLC\\vlc.exe");
             m.registry.setString(RegRoot::localMachine, "\\Software\\Tolvrey\\DVD-Spindrel",
                                  "PCDVD", "E:\\Players\\myplayer.exe");
         },
         "Wyvernel.dll"},
        {"a number where the install path belongs",
         [](Machine& m) {
             m.registry.setDword(hklm64, "\\Software\\CyberLink\\Corvane", "InstallDir", 1);
         },
         "Wyvernel.dll"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Machine machine;
        for (const char* plugin : kAllPlugins) {
            machine.files.files.insert(std::string(kFolder) + plugin);
        }
        row.setUp(machine);
        EXPECT_EQ(machine.choose(), row.expected);
        EXPECT_EQ(machine.registry.openHandles(), 0);
    }
}

}  // namespace
}  // namespace spindrel
