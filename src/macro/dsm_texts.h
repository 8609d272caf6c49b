#pragma once
// The macro documents' texts, kept together: the file panel, the naming questions, the save
// dialog and the clipboard header.

namespace spindrel::texts {

inline constexpr const char* kModLabelCaption = ".";
inline constexpr const char* kModLabelHint = "This DSM has been modified, click here to save";

inline constexpr const char* kUnsavedQuestion =
    "You have made changes to the current\rDVD Startup Macro... without saving!\r\r"
    "Would you like to save your changes?";

inline constexpr const char* kMakeNameExistsStart =
    "This file already exists, if you choose to \"Save\",\t\r"
    "you will over-ride the data in the existing file.\r\rFilename : ";
inline constexpr const char* kMakeNameExistsEnd =
    "\r\r"
    "Do you wish to load this Macro instead ?"
    "\r\r"
    "press..."
    "\t"
    "Yes"
    "\t"
    "(load existing macro)"
    "\r"
    "        "
    "\t"
    "No"
    "\t"
    "(apply new filename)"
    "\r"
    "        "
    "\t"
    "Cancel"
    "\t"
    "(pretend I never asked)";

inline constexpr const char* kSaveDialogTitle = "Please enter the name of the D.S.M.";
inline constexpr const char* kSaveDialogFilter = "DVD Startup Macro|*.dsm";
inline constexpr const char* kSaveDialogDefaultExt = "dsm";

inline constexpr const char* kNewDsmNotes[] = {"<dvd title>", "<region>",
                                               "<what this macro will do>"};

inline constexpr const char* kNewbtnHint =
    "NEW :-\r\nThis will clear out the current Macro,\r\nand let you create a brand new one.";
inline constexpr const char* kOpenbtnHint =
    "OPEN :-\r\nThis will allow you to load a previously saved DSM\r\n(DVD Startup Macro) and "
    "make modifications to it.";
inline constexpr const char* kSavebtnHint =
    "SAVE :-"
    "                                                   "
    "[ Control - S ]\r\nThis will save the current DSM   (DVD Startup Macro)\r\nunder the name "
    "displayed below. If no name is shown\r\nthen you will be asked for one.";
inline constexpr const char* kMakenamebtnHint =
    "MAKE NAME :-\r\nThis will change the current filename to the default\r\nDSM (DVD Startup "
    "Macro) filename. This will allow\r\nDVD-Spindrel to find the DSM associated with\r\nthe "
    "current DVD.";
inline constexpr const char* kClearnamebtnHint =
    "CLEAR NAME :-\r\nThis will clear the current filename. After this,\r\nwhen you press the "
    "'Save' button, you will be\r\nasked for a filename to save the current DSM\r\n(DVD Startup "
    "Macro).";

inline constexpr const char* kFilesysHints[] = {
    "Begins a new macro from scratch",
    "Loads a previously saved macro",
    "Saves the current macro to disk",
    "Supplies the default DSM Name for this DVD",
    "Clears the current filename, implies SaveAs",
};

inline constexpr const char* kClipboardHeader = "##DSM Format :";
inline constexpr const char* kClipboardUnavailable = "Cannot open clipboard";

}  // namespace spindrel::texts
