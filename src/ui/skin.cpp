#include "ui/skin.h"

namespace spindrel {

std::string buttonStripPath(const std::string& name) { return "../images/buttons_" + name + ".bmp"; }

std::string playerButtonStripPath(const std::string& playerButtonName) {
    std::string letters;
    for (char c : playerButtonName) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) letters += c;
    }
    return buttonStripPath(letters);
}

std::string imagePath(const std::string& name) { return "../images/image_" + name + ".bmp"; }

std::string panelPicturePath(const std::string& name) { return "../images/panels_" + name + ".bmp"; }

std::string bitmapErrorText(const std::string& path) {
    return "Error reading bitmap image.\t\rFile: " + path.substr(path.empty() ? 0 : 1);
}

bool SkinLoader::loadInto(Picture& target, const std::string& path) {
    if (target) return true;
    target = bitmaps_.load(path);
    if (target) return true;
    pendingError_ = bitmapErrorText(path);
    return false;
}

bool SkinLoader::loadButtonStrip(CoolButton& button, const std::string& name) {
    Picture strip = button.glyphStrip();
    if (!loadInto(strip, buttonStripPath(name))) return false;
    button.setGlyph(strip, 4);
    return true;
}

void SkinLoader::loadExtraButtonStrip(CoolButton& button, const std::string& name) {
    if (button.glyphStrip()) return;
    Picture strip = bitmaps_.load(buttonStripPath(name));
    if (!strip) strip = bitmaps_.loadBuiltIn("buttons_" + name);
    if (strip) button.setGlyph(strip, 4);
}

bool SkinLoader::loadPlayerButtonStrip(CoolButton& button, const std::string& playerButtonName) {
    Picture strip = button.glyphStrip();
    if (!loadInto(strip, playerButtonStripPath(playerButtonName))) return false;
    button.height = strip->height;
    button.setGlyph(strip, 4);
    button.width = strip->width / 4;
    return true;
}

bool SkinLoader::loadImage(Image& image, const std::string& name) {
    return loadInto(image.picture, imagePath(name));
}

bool SkinLoader::loadPanelPicture(Image& image, const std::string& name) {
    return loadInto(image.picture, panelPicturePath(name));
}

}  // namespace spindrel
