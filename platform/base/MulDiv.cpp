#include "platform/base/MulDiv.h"

#include <cstdint>
#include <limits>

int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0)
        return -1;
    std::int64_t product = static_cast<std::int64_t>(number) * numerator;
    bool negative = (product < 0) != (denominator < 0);
    std::uint64_t magnitude =
        product < 0 ? static_cast<std::uint64_t>(-product) : static_cast<std::uint64_t>(product);
    std::uint64_t divisor = denominator < 0
                                ? static_cast<std::uint64_t>(-static_cast<std::int64_t>(denominator))
                                : static_cast<std::uint64_t>(denominator);
    std::uint64_t quotient = (magnitude + divisor / 2) / divisor;
    if (quotient > static_cast<std::uint64_t>(std::numeric_limits<int>::max()))
        return -1;
    return negative ? -static_cast<int>(quotient) : static_cast<int>(quotient);
}
