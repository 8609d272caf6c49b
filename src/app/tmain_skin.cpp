// Tmain: the skin. The shaped window's picture and outline when it is first shown, and the
// panels' pictures and buttons when the controller first needs the whole window.

#include "app/tmain.h"
#include "base/text.h"
#include "ui/mask.h"
#include "ui/skin.h"

namespace spindrel {

namespace {
inline constexpr const char* kMainPicture = "../images/main_form.bmp";
inline constexpr const char* kMainMask = "../images/main_form.mask";
inline constexpr const char* kMaskError = "Error reading bitmap mask.\t\rFile: ./images/main_form.mask";
// Off the screen, so that no unshaped window is seen; below the lowest stored position.
inline constexpr int kParkedLeft = -1000;
}  // namespace

bool Tmain::LoadMaskFromFile(const std::string& path) {
    std::string bytes;
    if (ports_.fileIo.readAll(path, bytes) != 0) return false;
    const std::optional<Mask> mask = parseMask(bytes);
    if (!mask) return false;
    if (!mask->keepOutline) {
        model.windowRegion = mask->regionData;
        ++model.windowRegionVersion;
    }
    return true;
}

bool Tmain::LoadMainSkin() {
    model.pendingError = bitmapErrorText(kMainPicture);
    Picture picture = ports_.bitmaps.load(kMainPicture);
    if (!picture) return false;
    model.CoolForm1.picture = picture;

    model.pendingError = kMaskError;
    if (!LoadMaskFromFile(kMainMask)) return false;

    model.pendingError.clear();
    SkinLoader loader(ports_.bitmaps, model.pendingError);
    return loader.loadPanelPicture(model.logo_pic, "logo") &&
           loader.loadButtonStrip(model.closebtn, "close") &&
           loader.loadButtonStrip(model.minimizebtn, "minimise");
}

void Tmain::FormShow() {
    if (LoadMainSkin()) return;
    // Parked before the box, so that no unshaped window is seen behind it.
    model.left = kParkedLeft;
    if (frontEnd.reflectNow) frontEnd.reflectNow();
    ports_.messages.show(model.pendingError, model.applicationTitle, MsgButtons::ok,
                         MsgIcon::error);
    model.closeRequested = true;
}

bool Tmain::PreparePanels() {
    SkinLoader loader(ports_.bitmaps, model.pendingError);
    const bool testMode = (run_mode & 0x1F) == 10;
    bool ok = loader.loadPanelPicture(model.Image8, "about") &&
              loader.loadPanelPicture(model.Image6, "remote") &&
              loader.loadPanelPicture(model.Image5, "config") &&
              loader.loadPanelPicture(model.Image3, "filesystem") &&
              loader.loadPanelPicture(model.inactive_pic, "inactive") &&
              loader.loadPanelPicture(model.Image4, testMode ? "testmode" : "active") &&
              loader.loadPanelPicture(model.Image2, "buttonlist") &&
              loader.loadPanelPicture(model.Image1, "dsm");
    if (ok) {
        const std::pair<CoolButton*, const char*> strips[] = {
            {&model.RecBtn, "record"},        {&model.stopbtn, "stoprec"},
            {&model.resetbtn, "resetdisc"},   {&model.testbtn, "testmacro"},
            {&model.dvdbtn, "dvdvideo"},      {&model.refreshbtn, "refresh"},
            {&model.optionabtn, "optiona"},   {&model.optionbbtn, "optionb"},
            {&model.spindrelbtn, "spindrel"}, {&model.autoplaybtn, "winautoplay"},
            {&model.newbtn, "filenew"},
            {&model.openbtn, "fileopen"},     {&model.savebtn, "filesave"},
            {&model.makenamebtn, "fileautoname"}, {&model.clearnamebtn, "fileclear"},
            {&model.aboutbtn, "about"},       {&model.buttonbtn, "buttonlist"},
            {&model.configbtn, "config"},     {&model.dsmbtn, "dsm"},
            {&model.filesysbtn, "filesystem"},
        };
        for (const auto& [button, name] : strips) {
            // Skins made by users know only the strips that came before the WIN button.
            if (button == &model.autoplaybtn) {
                loader.loadExtraButtonStrip(*button, name);
                continue;
            }
            ok = loader.loadButtonStrip(*button, name);
            if (!ok) break;
        }
    }
    ok = ok && loader.loadImage(model.regionLed, "regionled");
    ok = ok && BuildRemotePanel();
    if (!ok) {
        ports_.messages.show(model.pendingError, model.applicationTitle, MsgButtons::ok,
                             MsgIcon::error);
    }
    model.closebtn.enabled = true;
    model.minimizebtn.enabled = true;
    return ok;
}

}  // namespace spindrel
