#pragma once
// The author's description of a DSM, as the library lists it.

#include <string>
#include <string_view>

namespace spindrel {

// Every notes line of the file in order: at most 100 characters after the "#", trimmed of blanks
// and control characters at both ends, then one space. "<no description>" when the file has no
// notes line.
std::string describeDsm(std::string_view bytes);

// How much of a file is read for its description: far more than any DSM the program writes,
// and little enough that a huge file named "*.dsm" does not hold up the dialog.
inline constexpr std::size_t kDescriptionReadLimit = 64 * 1024;

}  // namespace spindrel
