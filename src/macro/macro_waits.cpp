#include "macro/macro_waits.h"

#include <cmath>
#include <limits>

#include "base/errors.h"
#include "macro/macro_texts.h"
#include "macro/wait_text.h"

namespace spindrel {

double waitOrThrow(std::string_view text) {
    const std::optional<double> wait = parseWait(text);
    if (!wait)
        throw ConvertError("'" + std::string(text) + macro_texts::kNotAFloat);
    return *wait;
}

int clickIntervalMs(double waitSeconds, bool hasButton) {
    if (!(waitSeconds > 0) || !hasButton)
        return 1;
    // Truncated from the exact product, not from the double nearest to it: 0.3 is stored just
    // below 0.3, so its product lies just below 300 and gives 299, although 0.3 * 1000 rounds
    // to 300.0. When the rounded product is whole, the rounding error says which side of it the
    // exact product lies on.
    const double product = waitSeconds * 1000.0;
    double ms = std::trunc(product);
    if (ms == product && std::fma(waitSeconds, 1000.0, -product) < 0)
        ms -= 1;
    constexpr double kLongest = std::numeric_limits<int>::max();
    if (!(ms < kLongest))
        return std::numeric_limits<int>::max();
    // A wait below one millisecond still needs a tick of its own.
    return ms < 1 ? 1 : static_cast<int>(ms);
}

}  // namespace spindrel
