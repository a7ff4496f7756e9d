#include "numbers.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace Korvane {

double LeadingDouble(const QByteArray& text) {
    const char* p = text.constData();
    const char* end = p + text.size();
    while (p < end && (*p == ' ' || *p == '\t'))
        ++p;
    if (p < end && *p == '+')
        ++p;
    double value = 0.0;
    const auto result = std::from_chars(p, end, value);
    // Out of range ("1e999") is reported as an error and leaves value alone.
    if (result.ec != std::errc() || !std::isfinite(value))
        return 0.0;
    return value;
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
