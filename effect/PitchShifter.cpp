#include "PitchShifter.h"

#include "BinRemap.h"
#include "FftInPlace.h"
#include "PhaseWrap.h"

#include <cmath>
#include <cstring>

namespace {
constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;
}

void PitchShifter::reset() {
    fifoPosition = 0;
    std::memset(inputFifo, 0, sizeof inputFifo);
    std::memset(outputFifo, 0, sizeof outputFifo);
    std::memset(spectrum, 0, sizeof spectrum);
    std::memset(previousPhase, 0, sizeof previousPhase);
    std::memset(phaseSum, 0, sizeof phaseSum);
    std::memset(overlapAccumulator, 0, sizeof overlapAccumulator);
    std::memset(analysisFrequency, 0, sizeof analysisFrequency);
    std::memset(analysisMagnitude, 0, sizeof analysisMagnitude);
    std::memset(synthesisMagnitude, 0, sizeof synthesisMagnitude);
    std::memset(synthesisFrequency, 0, sizeof synthesisFrequency);
}

void PitchShifter::shift(float factor, std::int32_t count, std::int32_t frameSize,
                                  float sampleRate, const float* input, float* output) {
    const std::int32_t n = frameSize;
    const std::int32_t step = n / 32;
    const std::int32_t latency = n - step;
    if (fifoPosition == 0) fifoPosition = latency;
    for (std::int32_t i = 0; i < count; ++i) {
        inputFifo[fifoPosition] = input[i];
        output[i] = outputFifo[fifoPosition - latency];
        ++fifoPosition;
        if (fifoPosition >= n) {
            fifoPosition = latency;
            processFrame(factor, frameSize, sampleRate);
        }
    }
}

void PitchShifter::processFrame(float factor, std::int32_t frameSize, float sampleRate) {
    const std::int32_t n = frameSize;
    const std::int32_t half = n / 2;
    const std::int32_t step = n / 32;
    const std::int32_t latency = n - step;
    const double binWidth = static_cast<double>(sampleRate) / n;
    const double expected = kTwoPi * step / n;
    bool nonFinite = false;

    for (std::int32_t k = 0; k < n; ++k) {
        double w = 0.5 - 0.5 * std::cos(kTwoPi * k / n);
        spectrum[2 * k] = static_cast<float>(w * inputFifo[k]);
        spectrum[2 * k + 1] = 0.0f;
    }
    fftInPlace(spectrum, n, -1);

    for (std::int32_t k = 0; k <= half; ++k) {
        double re = spectrum[2 * k];
        double im = spectrum[2 * k + 1];
        double magnitude = 2.0 * std::sqrt(re * re + im * im);
        double phase = std::atan2(im, re);
        double d = phase - previousPhase[k];
        previousPhase[k] = static_cast<float>(phase);
        d = d - k * expected;
        if (!wrapPhase(d)) nonFinite = true;
        analysisMagnitude[k] = static_cast<float>(magnitude);
        analysisFrequency[k] = static_cast<float>((d * 32 / kTwoPi) * binWidth + k * binWidth);
    }

    remapBins(factor, half, analysisMagnitude, analysisFrequency, synthesisMagnitude, synthesisFrequency);

    for (std::int32_t k = 0; k <= half; ++k) {
        double magnitude = synthesisMagnitude[k];
        double t = (synthesisFrequency[k] - k * binWidth) / binWidth * kTwoPi * 0.03125 + k * expected;
        phaseSum[k] = static_cast<float>(std::remainder(phaseSum[k] + t, kTwoPi));
        double p = phaseSum[k];
        spectrum[2 * k] = static_cast<float>(magnitude * std::cos(p));
        spectrum[2 * k + 1] = static_cast<float>(magnitude * std::sin(p));
    }
    for (std::int32_t k = n + 2; k < 2 * n; ++k) spectrum[k] = 0.0f;
    fftInPlace(spectrum, n, 1);

    for (std::int32_t k = 0; k < n; ++k) {
        double w = 0.5 - 0.5 * std::cos(kTwoPi * k / n);
        overlapAccumulator[k] = static_cast<float>(overlapAccumulator[k] + 2 * w * spectrum[2 * k] / (half * 32));
        if (!std::isfinite(overlapAccumulator[k])) nonFinite = true;
    }
    for (std::int32_t k = 0; k < step; ++k) outputFifo[k] = overlapAccumulator[k];
    std::memmove(overlapAccumulator, overlapAccumulator + step, sizeof(float) * n);
    for (std::int32_t k = 0; k < latency; ++k) inputFifo[k] = inputFifo[k + step];

    if (nonFinite) {
        reset();
        fifoPosition = latency;
    }
}
