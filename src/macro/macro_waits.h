#pragma once
// The macro player's and the recorder's arithmetic on wait texts.

#include <string>
#include <string_view>

namespace spindrel {

// The wait as a number; a text that is not one throws ConvertError with the run-time library's
// message, which the user sees.
double waitOrThrow(std::string_view text);

// The click timer's interval for a wait in seconds: W times 1000 truncated toward zero (0.3 s
// gives 299 ms, since 0.3 is held just below itself). A wait of 0 or less, or none to announce,
// gives 1 ms: such a click is never pressed and must not hold the run up. Waits beyond what a
// timer can hold are held at its maximum.
int clickIntervalMs(double waitSeconds, bool hasButton);

}  // namespace spindrel
