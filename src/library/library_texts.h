#pragma once
// The library dialog's own texts, used exactly as they stand.

namespace spindrel::library_texts {

inline constexpr const char* kNoDescription = "<no description>";
inline constexpr const char* kIndexFile = "descriptions.idx";
inline constexpr const char* kDsmPattern = "*.dsm";

inline constexpr const char* kPicture = "../images/open_dialog.bmp";
inline constexpr const char* kMask = "../images/open_dialog.mask";
inline constexpr const char* kMaskError =
    "Error reading bitmap mask.\t\rFile: ./images/open_dialog.mask";

inline constexpr const char* kSortfileHint = "Sort by \"Filename\"";
inline constexpr const char* kSortdescHint = "Sort by \"Author's Description\"";
inline constexpr const char* kNamefieldHint = "Press [Enter] to rename DSM";
inline constexpr const char* kQuicksrchHint = "Press [Enter] twice to load DSM.";
inline constexpr const char* kPanel1Hint = "Press [Enter] to clear";
inline constexpr const char* kPanel1Caption = "Quick Search";
inline constexpr const char* kListChosen = " X";
// Wingdings: an arrow pointing down.
inline constexpr const char* kSortIndicator = "\xEA";
inline constexpr const char* kNoSortIndicator = " ";

inline constexpr const char* kLoadItem = "Load DSM";
inline constexpr const char* kRenameItem = "Rename";
inline constexpr const char* kDeleteItem = "Delete";

inline constexpr const char* kSortFirstQuestion =
    "The Quick Search facility is only available\rwhen the DSM list is sorted by "
    "\"Description\"\r\rDo you want to sort the list by Description";
inline constexpr const char* kDeleteQuestion = "Are you sure that you want to delete this DSM\r";
inline constexpr const char* kRenameError = "Error renaming File.";
inline constexpr const char* kDeleteError = "Error deleting File.";

}  // namespace spindrel::library_texts
