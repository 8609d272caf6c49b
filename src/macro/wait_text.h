#pragma once
// Waits travel as text with one decimal ("12.5"); these turn such text into a number and back
// the same way on every C run-time, so a DSM written on one machine reads the same on another.

#include <optional>
#include <string>
#include <string_view>

namespace spindrel {

// A decimal number with "." as the decimal mark: spaces (and only spaces) may stand before and
// after it; an optional sign and an exponent ("E" or "e") are accepted. Nothing when the text is
// not such a number or lies beyond the range of a double.
std::optional<double> parseWait(std::string_view text);

// As parseWait, but a text that is not a number counts as 0.
double waitOrZero(std::string_view text);

// The number with one decimal, as "%.1f" would write it, but rounded the one way the program
// has always rounded: the value is first written with 18 significant digits, and that digit
// string is rounded at the first decimal, half away from zero. 2.25 gives "2.3"; 0.15, whose
// double lies just below 0.15, gives "0.1". A result of zero carries no sign.
std::string formatWait(double value);

}  // namespace spindrel
