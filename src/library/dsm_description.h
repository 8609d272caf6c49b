#pragma once
// The author's description of a DSM, as the library lists it.

#include <string>
#include <string_view>

namespace spindrel {

// Every notes line of the file in order: at most 100 characters after the "#", trimmed of blanks
// and control characters at both ends, then one space. "<no description>" when the file has no
// notes line.
std::string describeDsm(std::string_view bytes);

}  // namespace spindrel
