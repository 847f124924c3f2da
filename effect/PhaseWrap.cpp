#include "PhaseWrap.h"

#include <cmath>
#include <cstdint>

bool wrapPhase(double& d) {
    constexpr double pi = 3.141592653589793;
    const double quotient = d / pi;
    if (!(std::fabs(quotient) < 2147483648.0)) return false;
    std::int32_t q = static_cast<std::int32_t>(quotient);
    // An odd quotient moves one step away from zero, so q is always even.
    if (q >= 0) q = q + (q & 1);
    else q = q - (q & 1);
    d = d - pi * q;
    return true;
}
