#include "macro/wait_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>
#include <vector>

namespace spindrel {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// An unsigned integer big enough for the exact decimal expansion of any double, in base 1e9
// limbs, least significant first.
class BigDecimal {
  public:
    explicit BigDecimal(std::uint64_t value) {
        do {
            limbs_.push_back(static_cast<std::uint32_t>(value % kBase));
            value /= kBase;
        } while (value != 0);
    }

    void multiply(std::uint32_t factor) {
        std::uint64_t carry = 0;
        for (std::uint32_t& limb : limbs_) {
            const std::uint64_t product = std::uint64_t{limb} * factor + carry;
            limb = static_cast<std::uint32_t>(product % kBase);
            carry = product / kBase;
        }
        while (carry != 0) {
            limbs_.push_back(static_cast<std::uint32_t>(carry % kBase));
            carry /= kBase;
        }
    }

    std::string digits() const {
        std::string out = std::to_string(limbs_.back());
        for (std::size_t i = limbs_.size() - 1; i-- > 0;) {
            const std::string part = std::to_string(limbs_[i]);
            out.append(9 - part.size(), '0');
            out += part;
        }
        return out;
    }

  private:
    static constexpr std::uint64_t kBase = 1000000000;
    std::vector<std::uint32_t> limbs_;
};

// The exact decimal digits of a finite positive double, and how many of them stand before the
// decimal point (may be negative or exceed the digit count).
struct ExactDecimal {
    std::string digits;
    long pointPosition;
};

ExactDecimal exactDecimal(double value) {
    int exponent = 0;
    const double fraction = std::frexp(value, &exponent);
    // value = mantissa * 2^binaryExponent, with an integral mantissa below 2^53.
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    int binaryExponent = exponent - 53;
    BigDecimal number(mantissa);
    long decimalPlaces = 0;
    if (binaryExponent >= 0) {
        for (; binaryExponent >= 30; binaryExponent -= 30)
            number.multiply(1u << 30);
        number.multiply(1u << binaryExponent);
    } else {
        // m / 2^k = m * 5^k / 10^k
        int k = -binaryExponent;
        decimalPlaces = k;
        for (; k >= 13; k -= 13)
            number.multiply(1220703125u);  // 5^13
        std::uint32_t rest = 1;
        for (; k > 0; --k)
            rest *= 5;
        number.multiply(rest);
    }
    std::string digits = number.digits();
    const long point = static_cast<long>(digits.size()) - decimalPlaces;
    return {std::move(digits), point};
}

// Adds one to the last digit of a digit string; true when the carry ran off the front.
bool incrementDigits(std::string& digits) {
    for (std::size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return false;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
    return true;
}

}  // namespace

std::optional<double> parseWait(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && text[begin] == ' ')
        ++begin;
    while (end > begin && text[end - 1] == ' ')
        --end;
    std::string_view number = text.substr(begin, end - begin);

    bool negative = false;
    if (!number.empty() && (number.front() == '+' || number.front() == '-')) {
        negative = number.front() == '-';
        number.remove_prefix(1);
    }
    // Check the shape ourselves: from_chars alone would accept "inf", "nan" and hex forms.
    std::size_t pos = 0;
    std::size_t mantissaDigits = 0;
    while (pos < number.size() && isDigit(number[pos]))
        ++pos, ++mantissaDigits;
    if (pos < number.size() && number[pos] == '.') {
        ++pos;
        while (pos < number.size() && isDigit(number[pos]))
            ++pos, ++mantissaDigits;
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    bool negativeExponent = false;
    if (pos < number.size() && (number[pos] == 'E' || number[pos] == 'e')) {
        ++pos;
        if (pos < number.size() && (number[pos] == '+' || number[pos] == '-')) {
            negativeExponent = number[pos] == '-';
            ++pos;
        }
        std::size_t exponentDigits = 0;
        while (pos < number.size() && isDigit(number[pos]))
            ++pos, ++exponentDigits;
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (pos != number.size())
        return std::nullopt;

    double value = 0;
    const auto [ptr, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Too small to tell from zero is zero; too large is not a wait at all.
        if (!negativeExponent)
            return std::nullopt;
        value = 0;
    } else if (error != std::errc() || ptr != number.data() + number.size()) {
        return std::nullopt;
    }
    if (!std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

double waitOrZero(std::string_view text) {
    return parseWait(text).value_or(0.0);
}

std::string formatWait(double value) {
    if (!std::isfinite(value))
        return "0.0";
    const bool negative = std::signbit(value);
    const double magnitude = std::fabs(value);

    // 18 significant digits, rounded half up on the exact expansion.
    std::string significant;
    long point = 1;
    if (magnitude != 0) {
        ExactDecimal exact = exactDecimal(magnitude);
        const std::size_t first = exact.digits.find_first_not_of('0');
        point = exact.pointPosition - static_cast<long>(first);
        significant = exact.digits.substr(first, 18);
        const bool roundUp = exact.digits.size() > first + 18 && exact.digits[first + 18] >= '5';
        significant.resize(18, '0');
        if (roundUp && incrementDigits(significant)) {
            significant.pop_back();
            ++point;
        }
    } else {
        significant.assign(18, '0');
    }

    // Lay the digits out as integer part and at least two decimals.
    std::string integerPart;
    std::string decimals;
    if (point <= 0) {
        integerPart = "0";
        decimals = std::string(static_cast<std::size_t>(-point), '0') + significant;
    } else if (point >= 18) {
        integerPart = significant + std::string(static_cast<std::size_t>(point - 18), '0');
    } else {
        integerPart = significant.substr(0, static_cast<std::size_t>(point));
        decimals = significant.substr(static_cast<std::size_t>(point));
    }
    decimals.resize(std::max<std::size_t>(decimals.size(), 2), '0');

    std::string kept = integerPart + decimals[0];
    if (decimals[1] >= '5')
        incrementDigits(kept);
    const std::size_t nonZero = kept.find_first_not_of('0');
    if (nonZero == std::string::npos)
        return "0.0";
    kept.erase(0, std::min(nonZero, kept.size() - 2));
    std::string out = negative ? "-" : "";
    out += kept.substr(0, kept.size() - 1);
    out += '.';
    out += kept.back();
    return out;
}

}  // namespace spindrel
