#include "core/link/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace Korvane {

namespace {
// Blanks and a plus sign skipped, then the number in the precision asked for; 0 for none, for
// a value out of the type's range ("1e999", reported as an error) and for inf and nan.
template <typename T> T Leading(const QByteArray& text) {
    const char* p = text.constData();
    const char* end = p + text.size();
    while (p < end && (*p == ' ' || *p == '\t'))
        ++p;
    if (p < end && *p == '+')
        ++p;
    T value = 0;
    const auto result = std::from_chars(p, end, value);
    if (result.ec != std::errc() || !std::isfinite(value))
        return 0;
    return value;
}
} // namespace

double LeadingDouble(const QByteArray& text) {
    return Leading<double>(text);
}

float LeadingFloat(const QByteArray& text) {
    return Leading<float>(text);
}

int SaturatingInt(const QByteArray& text) {
    const char* p = text.constData();
    const char* end = p + text.size();
    while (p < end &&
           (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\v' || *p == '\f'))
        ++p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-'))
        negative = *p++ == '-';
    long long value = 0;
    constexpr long long kLimit = std::numeric_limits<int>::max() + 1LL;
    for (; p < end && *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > kLimit) {
            value = kLimit;
            // Skip the remaining digits; the value stays at the limit.
        }
    }
    if (negative)
        return int(std::max(-value, static_cast<long long>(std::numeric_limits<int>::min())));
    return int(std::min(value, static_cast<long long>(std::numeric_limits<int>::max())));
}

} // namespace Korvane
