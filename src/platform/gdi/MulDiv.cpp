#include "platform/gdi/MulDiv.h"

#include <cstdint>
#include <limits>

int MulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0)
        return -1;
    // Work on magnitudes: |product| <= 2^62 and |denominator| <= 2^31, so
    // 2|product| + |denominator| still fits an unsigned 64-bit value.
    const std::int64_t product = std::int64_t(number) * numerator;
    const bool negative = (product < 0) != (denominator < 0);
    const std::uint64_t p = product < 0 ? 0 - std::uint64_t(product) : std::uint64_t(product);
    const std::uint64_t d = denominator < 0 ? 0 - std::uint64_t(std::int64_t(denominator))
                                            : std::uint64_t(denominator);
    const std::uint64_t q = (2 * p + d) / (2 * d);  // halves round away from zero

    const std::uint64_t limit = negative ? std::uint64_t(std::numeric_limits<int>::max()) + 1
                                         : std::uint64_t(std::numeric_limits<int>::max());
    if (q > limit)
        return -1;
    return negative ? int(-std::int64_t(q)) : int(q);
}
