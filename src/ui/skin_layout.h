#pragma once
// Where the controls of the skinned windows sit. The default skin's artwork is drawn around
// these same rectangles (tools/skin reads this file), so a control moved here must be moved in
// the artwork too: rebuild the skin and look at its previews.
//
// Each namespace is one parent (window, area or panel); a rectangle is {left, top, width, height}
// in that parent's client coordinates. Panels are given at their in-view position within their
// area. Keep one declaration per line: the skin generator reads them with a simple pattern.

namespace spindrel::skin {

struct Rect {
    int left;
    int top;
    int width;
    int height;
};

struct Colour {
    int red;
    int green;
    int blue;
};

// Colours the program draws with so that its controls match the artwork.
inline constexpr Colour kLcdFill{200, 248, 200};      // edit boxes, lists, the disc display
inline constexpr Colour kLcdText{16, 56, 28};         // text on kLcdFill
inline constexpr Colour kPanelFill{52, 57, 66};       // big and small panels behind controls
inline constexpr Colour kPanelText{222, 228, 236};    // labels on kPanelFill
inline constexpr Colour kStatusText{255, 214, 102};   // status lines (next_button, filesys_hint)
inline constexpr Colour kHintText{255, 255, 255};     // buttonhint and timeindex on the remote
inline constexpr Colour kModifiedMark{230, 30, 30};   // ModLabel
inline constexpr Colour kDialogFill{100, 100, 100};   // open_dialog behind its controls

namespace main_form {
inline constexpr Rect client{0, 0, 512, 160};
inline constexpr Rect base_panel{199, 15, 298, 130};
inline constexpr Rect dead_panel1{15, 83, 177, 61};
inline constexpr Rect DVD_Title{22, 29, 136, 15};
inline constexpr Rect DVD_Serial{40, 50, 76, 15};
inline constexpr Rect refreshbtn{136, 46, 24, 22};
inline constexpr Rect Shape3{168, 13, 24, 65};
inline constexpr Rect Region1LED{181, 16, 9, 9};
inline constexpr Rect Region2LED{181, 26, 9, 9};
inline constexpr Rect Region3LED{181, 36, 9, 9};
inline constexpr Rect Region4LED{181, 46, 9, 9};
inline constexpr Rect Region5LED{181, 56, 9, 9};
inline constexpr Rect Region6LED{181, 66, 9, 9};
inline constexpr Rect closebtn{493, 21, 14, 14};
inline constexpr Rect minimizebtn{493, 39, 14, 14};
inline constexpr Rect ModLabel{481, 16, 12, 14};
}  // namespace main_form

// The small-panel area; the logo shows while neither small panel is in view.
namespace dead_panel1 {
inline constexpr Rect logo_pic{0, 0, 177, 61};
inline constexpr Rect inactive_panel{1, 0, 175, 61};
inline constexpr Rect active_panel{1, 0, 175, 61};
}  // namespace dead_panel1

// The big-panel area: every big panel in view.
namespace base_panel {
inline constexpr Rect dsm_panel{2, 0, 291, 130};
inline constexpr Rect button_panel{2, 0, 291, 130};
inline constexpr Rect file_panel{2, 0, 291, 130};
inline constexpr Rect config_panel{2, 0, 291, 130};
inline constexpr Rect remote_panel{2, 0, 291, 130};
inline constexpr Rect about_panel{2, 0, 291, 130};
}  // namespace base_panel

namespace inactive_panel {
inline constexpr Rect dvdbtn{10, 24, 155, 31};
}  // namespace inactive_panel

namespace active_panel {
inline constexpr Rect RecBtn{6, 23, 38, 33};
inline constexpr Rect stopbtn{48, 23, 38, 33};
inline constexpr Rect resetbtn{90, 23, 38, 33};
inline constexpr Rect testbtn{132, 23, 38, 33};
}  // namespace active_panel

namespace dsm_panel {
inline constexpr Rect dsmbtn{4, 3, 100, 17};
inline constexpr Rect Notes{8, 26, 275, 78};
inline constexpr Rect NoClicks{58, 110, 44, 14};
inline constexpr Rect runtime{176, 110, 60, 14};
}  // namespace dsm_panel

namespace button_panel {
inline constexpr Rect buttonbtn{4, 3, 100, 17};
inline constexpr Rect ClickList{8, 26, 178, 78};
inline constexpr Rect editwait{196, 42, 87, 17};
inline constexpr Rect buttonlabel{196, 84, 87, 17};
inline constexpr Rect next_button{8, 110, 275, 14};
}  // namespace button_panel

namespace file_panel {
inline constexpr Rect filesysbtn{4, 3, 100, 17};
inline constexpr Rect newbtn{8, 27, 51, 46};
inline constexpr Rect openbtn{64, 27, 51, 46};
inline constexpr Rect savebtn{120, 27, 51, 46};
inline constexpr Rect makenamebtn{176, 27, 51, 46};
inline constexpr Rect clearnamebtn{232, 27, 51, 46};
inline constexpr Rect dsm_name{48, 83, 233, 15};
inline constexpr Rect filesys_hint{8, 110, 275, 14};
}  // namespace file_panel

namespace config_panel {
inline constexpr Rect configbtn{4, 3, 100, 17};
inline constexpr Rect optionabtn{217, 7, 33, 13};
inline constexpr Rect optionbbtn{217, 20, 33, 13};
inline constexpr Rect spindrelbtn{250, 7, 21, 26};
inline constexpr Rect autoplaybtn{238, 35, 33, 12};
inline constexpr Rect cbox_1{31, 37, 206, 20};
inline constexpr Rect cbox_2{31, 54, 190, 20};
inline constexpr Rect cbox_3{31, 71, 210, 20};
inline constexpr Rect autoexec{18, 97, 239, 15};
inline constexpr Rect playerlabel{62, 115, 195, 12};
}  // namespace config_panel

// The player's buttons come from the plug-in's ability list; only the labels are placed here.
namespace remote_panel {
inline constexpr Rect timeindex{8, 113, 52, 14};
inline constexpr Rect buttonhint{66, 113, 217, 14};
}  // namespace remote_panel

namespace about_panel {
inline constexpr Rect aboutbtn{4, 3, 100, 17};
inline constexpr Rect myversion{166, 104, 90, 14};
}  // namespace about_panel

namespace open_dialog {
inline constexpr Rect client{0, 0, 603, 339};
inline constexpr Rect sortfile{104, 42, 14, 14};
inline constexpr Rect sortdesc{300, 42, 14, 14};
inline constexpr Rect FileList{20, 58, 460, 255};
inline constexpr Rect based_serial{20, 318, 18, 14};
inline constexpr Rect based_meaningful{196, 318, 18, 14};
inline constexpr Rect loadbtn{498, 58, 86, 34};
inline constexpr Rect cancelbtn{498, 100, 86, 34};
inline constexpr Rect Panel1{160, 150, 180, 52};
// Laid over the selected row's file-name cell at run time; only the size is fixed.
inline constexpr Rect namefield{0, 0, 105, 18};
}  // namespace open_dialog

namespace Panel1 {
inline constexpr Rect quicksrch{12, 26, 156, 16};
}  // namespace Panel1

}  // namespace spindrel::skin
