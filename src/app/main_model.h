#pragma once
// The visible state of the main window as plain data. Core handlers change it; the front end
// shows it after every event; tests read it.

#include <stdexcept>
#include <string>
#include <vector>

#include "ui/control.h"

namespace spindrel {

enum class WindowState { normal, minimized };

inline Control disabledControl() {
    Control control;
    control.enabled = false;
    return control;
}

struct MainModel {
    // The application object: its title is the taskbar text (the skinned window has no caption).
    std::string applicationTitle = "DVD Spindrel";
    int hintHidePause = 2500;
    bool terminateRequested = false;

    // The main window (design position and client size; the window has no border).
    int left = 294;
    int top = 496;
    int width = 512;
    int height = 160;
    WindowState windowState = WindowState::normal;
    bool showAllowed = true;   // false: the window is never to be shown
    bool closeRequested = false;

    // Configuration panel.
    Control cbox_1;  // Reset_Before_Test
    Control cbox_2;  // Animate_Sliders
    Control cbox_3;  // Launch_Other_Program
    Control autoexec;
    Control spindrelbtn;

    // File panel, about panel, active controller panel.
    Control dsm_name;
    Control myversion = labelWithCaption("beta");
    Control Image4;

    // Sliding panels: two small controller panels and six big ones.
    Control inactive_panel;
    Control active_panel;
    Control dsm_panel;
    Control button_panel;
    Control file_panel;
    Control config_panel;
    Control remote_panel;
    Control about_panel;

    std::vector<MenuItem> panelselect_menu{
        {"newpanel1", "&D.S.M. Info", true, false, false, 1},
        {"newpanel2", "&Button List", true, false, false, 2},
        {"newpanel3", "&Filesystem", true, false, false, 3},
        {"newpanel4", "&Configuration", true, false, false, 4},
        {"newpanel7", "&About !", true, false, false, 7},
        {"newpanel5", "PC-DVD Controller          ", false, false, false, 5},
    };

    // Controller panels' buttons, and the window's own.
    Control dvdbtn;
    Control RecBtn;
    Control stopbtn;
    Control testbtn;
    Control resetbtn;
    Control closebtn = disabledControl();
    Control minimizebtn = disabledControl();

    // The pending panel: the one that comes in when the panel in view has gone out (0: none).
    int panelselect_menuTag = 0;
    // Painting of the big-panel area is held during an instant switch.
    bool bigPanelAreaFrozen = false;
    // The control with the keyboard focus, by name; empty for the window itself.
    std::string focus;

    std::string saveDialogInitialDir;
    int slideStepDivisor = 2;

    MenuItem& panelMenuItem(const std::string& name) {
        for (MenuItem& item : panelselect_menu) {
            if (item.name == name) return item;
        }
        throw std::logic_error("no panel menu item " + name);
    }
};

}  // namespace spindrel
