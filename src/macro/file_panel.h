#pragma once
// The "Filesystem" panel's buttons and the one-line hint that follows the mouse over them.

#include <string>

#include "ui/control.h"

namespace spindrel {

namespace file_tag {
inline constexpr int kNew = 1;
inline constexpr int kOpen = 2;
inline constexpr int kSave = 3;
inline constexpr int kMakeName = 4;
inline constexpr int kClearName = 5;
}  // namespace file_tag

struct FilePanelModel {
    FilePanelModel();

    Control newbtn;
    Control openbtn;
    Control savebtn;
    Control makenamebtn;
    Control clearnamebtn;
    Control filesys_hint;

    // The mouse moved over the control with this tag; anything but a button (tag 0) empties the
    // hint.
    void mouseMoveOver(int tag);
};

// The one-line text for a button's tag; empty for any other tag.
std::string filesysHint(int tag);

}  // namespace spindrel
