#pragma once
// Reading the skin's pictures by the program's naming rules. Each loader reads its file only
// while its target is still empty, so running the loads again leaves loaded pictures alone; a
// failure leaves the message naming the file in the one pending error text.

#include <string>

#include "platform/bitmap_port.h"
#include "ui/control.h"
#include "ui/cool_button.h"

namespace spindrel {

class SkinLoader {
public:
    SkinLoader(BitmapPort& bitmaps, std::string& pendingError)
        : bitmaps_(bitmaps), pendingError_(pendingError) {}

    bool loadButtonStrip(CoolButton& button, const std::string& name);
    // A strip that skins made before its button may lack: without the file the program's own
    // picture of that name ("buttons_" + name), and without that no strip (the button stays
    // hidden). Never an error.
    void loadExtraButtonStrip(CoolButton& button, const std::string& name);
    // A player's button: the name with everything but the letters A-Z and a-z dropped; the
    // button takes the size of one glyph.
    bool loadPlayerButtonStrip(CoolButton& button, const std::string& playerButtonName);
    bool loadImage(Image& image, const std::string& name);
    bool loadPanelPicture(Image& image, const std::string& name);
    // A picture by its path, as the shaped windows load theirs; false when it cannot be read.
    Picture loadPicture(const std::string& path) { return bitmaps_.load(path); }

private:
    bool loadInto(Picture& target, const std::string& path);

    BitmapPort& bitmaps_;
    std::string& pendingError_;
};

// "../images/buttons_" + name + ".bmp" and the like.
std::string buttonStripPath(const std::string& name);
std::string playerButtonStripPath(const std::string& playerButtonName);
std::string imagePath(const std::string& name);
std::string panelPicturePath(const std::string& name);
// The message for a picture that could not be read: the path without its first character.
std::string bitmapErrorText(const std::string& path);

}  // namespace spindrel
