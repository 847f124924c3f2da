#include "SpectralBins.h"

#include "PhaseWrap.h"

#include <cmath>

namespace {
constexpr double kTwoPi = 6.283185307179586;
}

bool analyseBin(const SpectralWork& work, std::int32_t k, float previousPhase) {
    const double re = work.re[k];
    const double im = work.im[k];
    const double magnitude = 2.0 * std::sqrt(re * re + im * im);
    const double phase = std::atan2(im, re);
    double d = phase - previousPhase;
    work.previousPhase[k] = static_cast<float>(phase);
    d = d - k * work.expected;
    const bool finite = wrapPhase(d);
    work.analysisMagnitude[k] = static_cast<float>(magnitude);
    work.analysisFrequency[k] = static_cast<float>((d * 32 / kTwoPi) * work.binWidth + k * work.binWidth);
    return finite;
}

void synthesiseBin(const SpectralWork& work, std::int32_t k, float phaseSum) {
    const double magnitude = work.synthesisMagnitude[k];
    const double t = (work.synthesisFrequency[k] - k * work.binWidth) / work.binWidth * kTwoPi * 0.03125 +
                     k * work.expected;
    // Reduced at every frame: a float that only grows would run out of precision.
    const float reduced = static_cast<float>(std::remainder(phaseSum + t, kTwoPi));
    work.phaseSum[k] = reduced;
    const double p = reduced;
    work.re[k] = static_cast<float>(magnitude * std::cos(p));
    work.im[k] = static_cast<float>(magnitude * std::sin(p));
}
