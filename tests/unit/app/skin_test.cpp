#include <gtest/gtest.h>

#include "app/tmain.h"
#include "support/test_ports.h"

namespace spindrel {
namespace {

using testing::TestPorts;

constexpr RegRoot kHklm = RegRoot::localMachine;
constexpr const char* kKey = "Software\\Tolvrey\\DVD-Spindrel";

std::string emptyMask() { return std::string(4, '\0'); }

std::string oneRectMask() {
    std::string file;
    auto put = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) file += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    put(48);
    for (std::uint32_t v : {32u, 1u, 1u, 16u, 0u, 0u, 512u, 160u, 0u, 0u, 512u, 160u}) put(v);
    return file;
}

class SkinTest : public ::testing::Test {
protected:
    void start(std::vector<std::string> args = {}) {
        t.files.directories.insert(TestPorts::kProgramFolder);
        plugin.install(t.libraries, "Wyvernel.dll");
        t.system.args = std::move(args);
        tmain = std::make_unique<Tmain>(t.ports());
        tmain->create(1, 2);
        t.fileIo.put("../images/main_form.mask", oneRectMask());
    }
    void expectSkinFailure(const char* missingPicture, bool noMask, const char* message) {
        t.registry.setDword(kHklm, kKey, "Position:Left", 300);
        start();
        if (missingPicture != nullptr) t.bitmaps.files[missingPicture] = nullptr;
        if (noMask) t.fileIo.contents.clear();
        tmain->FormShow();
        ASSERT_EQ(t.messages.shown.size(), 1u);
        EXPECT_EQ(t.messages.shown[0].text, message);
        EXPECT_EQ(t.messages.shown[0].icon, MsgIcon::error);
        EXPECT_EQ(tmain->model.left, -1000);
        EXPECT_TRUE(tmain->model.closeRequested);
        ASSERT_TRUE(tmain->FormCloseQuery());
        tmain->FormClose();
        EXPECT_EQ(t.registry.dwordValue(kHklm, kKey, "Position:Left"), 300u);
    }

    std::vector<std::string> loadsOf(const std::string& stem) const {
        std::vector<std::string> found;
        for (const std::string& path : t.bitmaps.loads) {
            if (path.find(stem) != std::string::npos) found.push_back(path);
        }
        return found;
    }

    TestPorts t;
    testing::FakePlugin plugin;
    std::unique_ptr<Tmain> tmain;
};

TEST_F(SkinTest, ShownWindowTakesItsPictureOutlineAndButtons) {
    start();
    const int before = tmain->model.windowRegionVersion;
    tmain->FormShow();
    EXPECT_TRUE(t.messages.shown.empty());
    EXPECT_TRUE(tmain->model.CoolForm1.picture != nullptr);
    EXPECT_EQ(tmain->model.windowRegionVersion, before + 1);
    EXPECT_EQ(tmain->model.windowRegion.size(), 48u);
    EXPECT_TRUE(tmain->model.closebtn.glyphStrip() != nullptr);
    EXPECT_TRUE(tmain->model.logo_pic.picture != nullptr);
    EXPECT_EQ(t.bitmaps.loads,
              (std::vector<std::string>{"../images/main_form.bmp", "../images/panels_logo.bmp",
                                        "../images/buttons_close.bmp",
                                        "../images/buttons_minimise.bmp"}));
    EXPECT_FALSE(tmain->model.closeRequested);
}

TEST_F(SkinTest, EmptyMaskKeepsTheRectangularWindow) {
    start();
    t.fileIo.put("../images/main_form.mask", emptyMask());
    const int before = tmain->model.windowRegionVersion;
    tmain->FormShow();
    EXPECT_TRUE(t.messages.shown.empty());
    EXPECT_EQ(tmain->model.windowRegionVersion, before);
}

TEST_F(SkinTest, MissingPictureIsNamedAndTheWindowClosesWithoutMovingTheStoredPosition) {
    expectSkinFailure("../images/main_form.bmp", false,
                      "Error reading bitmap image.\t\rFile: ./images/main_form.bmp");
}

TEST_F(SkinTest, MissingMaskIsNamed) {
    expectSkinFailure(nullptr, true, "Error reading bitmap mask.\t\rFile: ./images/main_form.mask");
}

TEST_F(SkinTest, MissingCloseButtonStripIsNamed) {
    expectSkinFailure("../images/buttons_close.bmp", false,
                      "Error reading bitmap image.\t\rFile: ./images/buttons_close.bmp");
}

TEST_F(SkinTest, MalformedMaskCountsAsUnreadable) {
    start();
    t.fileIo.put("../images/main_form.mask", oneRectMask().substr(0, 30));
    tmain->FormShow();
    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_EQ(t.messages.shown[0].text, "Error reading bitmap mask.\t\rFile: ./images/main_form.mask");
}

TEST_F(SkinTest, PreparePanelsLoadsPicturesThenStripsThenTheRegionLightOnce) {
    start();
    EXPECT_FALSE(tmain->model.closebtn.enabled);
    EXPECT_TRUE(tmain->PreparePanels());
    EXPECT_TRUE(t.messages.shown.empty());
    EXPECT_TRUE(tmain->model.closebtn.enabled);
    EXPECT_TRUE(tmain->model.minimizebtn.enabled);
    const std::vector<std::string> panels = loadsOf("panels_");
    EXPECT_EQ(panels, (std::vector<std::string>{
                          "../images/panels_about.bmp", "../images/panels_remote.bmp",
                          "../images/panels_config.bmp", "../images/panels_filesystem.bmp",
                          "../images/panels_inactive.bmp", "../images/panels_active.bmp",
                          "../images/panels_buttonlist.bmp", "../images/panels_dsm.bmp"}));
    EXPECT_EQ(loadsOf("buttons_").size(), 20u);
    EXPECT_EQ(loadsOf("buttons_").front(), "../images/buttons_record.bmp");
    EXPECT_EQ(loadsOf("buttons_").back(), "../images/buttons_filesystem.bmp");
    EXPECT_EQ(t.bitmaps.loads.back(), "../images/image_regionled.bmp");

    const std::size_t reads = t.bitmaps.loads.size();
    EXPECT_TRUE(tmain->PreparePanels());
    EXPECT_EQ(t.bitmaps.loads.size(), reads);  // nothing is read twice
}

TEST_F(SkinTest, MissingPanelPictureStopsBeforeAnyStripAndStillEnablesTheWindowButtons) {
    start();
    t.bitmaps.files["../images/panels_remote.bmp"] = nullptr;
    EXPECT_FALSE(tmain->PreparePanels());
    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_EQ(t.messages.shown[0].text,
              "Error reading bitmap image.\t\rFile: ./images/panels_remote.bmp");
    EXPECT_TRUE(loadsOf("buttons_").empty());
    EXPECT_TRUE(tmain->model.closebtn.enabled);
}

TEST_F(SkinTest, SkinWithoutTheWinButtonStripStartsWithTheProgramsOwnPicture) {
    start();
    t.bitmaps.files["../images/buttons_winautoplay.bmp"] = nullptr;
    const Picture own = testing::FakeBitmaps::solid(132, 12, 0x345678);
    t.bitmaps.builtIn["buttons_winautoplay"] = own;
    EXPECT_TRUE(tmain->PreparePanels());
    EXPECT_TRUE(t.messages.shown.empty());
    EXPECT_EQ(tmain->model.autoplaybtn.glyphStrip(), own);
    EXPECT_TRUE(tmain->model.filesysbtn.glyphStrip() != nullptr);  // the strips after it load
}

TEST_F(SkinTest, TestModeShowsTheTestModePictureOnTheActivePanel) {
    start({"/test"});
    tmain->PreparePanels();
    EXPECT_EQ(loadsOf("panels_testmode").size(), 1u);
    EXPECT_TRUE(loadsOf("panels_active").empty());
}

}  // namespace
}  // namespace spindrel
