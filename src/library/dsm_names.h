#pragma once
// How the library sorts, splits and renames DSM file names.

#include <string>
#include <string_view>

namespace spindrel {

// A name of the default form: eight hex digits before the first ".DSM" (letter case ignored).
// Every other name is a meaningful name.
bool isSerialBasedName(std::string_view name);

// The grid's comparison: A to Z folded to lower case, then bytes compared as unsigned values.
// -1, 0 or 1.
int compareFolded(std::string_view a, std::string_view b);

// The name a rename gives: the typed name, with ".dsm" appended when its lower-case form holds
// no ".dsm" anywhere.
std::string renamedDsmName(const std::string& typed);

// A typed name that would take the file out of the DSM folder.
bool leavesTheFolder(std::string_view name);

}  // namespace spindrel
