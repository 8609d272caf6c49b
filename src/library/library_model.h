#pragma once
// What the library dialog shows, as plain data: the core's handlers change it and the window
// reflects it after every event.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "library/library_placement.h"
#include "ui/control.h"
#include "ui/cool_button.h"

namespace spindrel {

// One row of the grid: its three columns.
struct LibraryRow {
    std::string name;         // as the folder reports it
    std::string description;  // empty until known
    std::string key;          // the name in lower case: the index's and the file-name sort's key

    bool operator==(const LibraryRow&) const = default;
};

enum class LibraryFocus { FileList, quicksrch, namefield };
enum class ModalResult { none, ok, cancel };

namespace library_column {
inline constexpr int kName = 0;
inline constexpr int kDescription = 1;
inline constexpr int kKey = 2;
}  // namespace library_column

namespace library_list {
inline constexpr int kSerialBased = 0;
inline constexpr int kMeaningful = 1;
}  // namespace library_list

struct LibraryModel {
    LibraryModel();

    static constexpr int kWidth = 603;
    static constexpr int kHeight = 339;
    static constexpr int kNameColumnWidth = 105;
    static constexpr int kRowHeight = 17;
    static constexpr int kRowsInView = 15;

    int left = 0;
    int top = 0;
    // -99 while the set-up has not finished; pendingError then says why.
    int tag = 0;
    std::string pendingError;

    Image CoolForm1;
    std::vector<std::uint8_t> windowRegion;  // empty: rectangular
    int windowRegionVersion = 0;

    Control FileList;
    std::vector<LibraryRow> rows;
    int selected = -1;
    // Counts every change of the rows, so the window refreshes only when something changed.
    int rowsVersion = 0;
    int column1Width = 0;
    // The window tells the core how wide a vertical scroll bar is.
    int scrollBarWidth = 16;

    Control sortfile;
    Control sortdesc;
    Control based_serial;
    Control based_meaningful;
    CoolButton loadbtn;
    CoolButton cancelbtn;
    Control namefield;
    Control Panel1;
    Control quicksrch;
    std::vector<MenuItem> filemenu;

    LibraryFocus focus = LibraryFocus::FileList;
    // Screen painting held while the grid is rebuilt.
    bool updatesFrozen = false;
    // Where the mouse pointer is to go (client coordinates); the window moves it and clears this.
    std::optional<ScreenPoint> movePointerTo;

    ModalResult modalResult = ModalResult::none;
    std::string resultName;
};

}  // namespace spindrel
