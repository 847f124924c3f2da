#include "ReferencePitchShifter.h"

#include <cmath>
#include <cstring>

namespace {
constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;
}

void ReferencePitchShifter::reset() {
    std::int64_t keptResets = resets;
    *this = ReferencePitchShifter();
    resets = keptResets;
}

void ReferencePitchShifter::shift(float factor, std::int32_t count, std::int32_t frameSize,
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

void ReferencePitchShifter::processFrame(float factor, std::int32_t frameSize, float sampleRate) {
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
        double quotient = d / kPi;
        std::int32_t q = 0;
        if (std::fabs(quotient) < 2147483648.0) {
            q = static_cast<std::int32_t>(quotient);
        } else {
            nonFinite = true;  // only a non-finite d gets here; never convert it
        }
        if (q >= 0) q = q + (q & 1);
        else q = q - (q & 1);
        d = d - kPi * q;
        analysisMagnitude[k] = static_cast<float>(magnitude);
        analysisFrequency[k] = static_cast<float>((d * 32 / kTwoPi) * binWidth + k * binWidth);
    }

    for (std::int32_t k = 0; k < n; ++k) {
        synthesisMagnitude[k] = 0.0f;
        synthesisFrequency[k] = 0.0f;
    }
    for (std::int32_t k = 0; k <= half; ++k) {
        std::int32_t index = static_cast<std::int32_t>(k * static_cast<double>(factor));
        if (index <= half) {
            synthesisMagnitude[index] =
                static_cast<float>(static_cast<double>(synthesisMagnitude[index]) + analysisMagnitude[k]);
            synthesisFrequency[index] = static_cast<float>(analysisFrequency[k] * static_cast<double>(factor));
        }
    }

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
        ++resets;
        fifoPosition = latency;
    }
}

void ReferencePitchShifter::fftInPlace(float* data, std::int32_t n, std::int32_t sign) {
    for (std::int32_t i = 2; i < 2 * n - 2; i += 2) {
        std::int32_t j = 0;
        for (std::int32_t bit = 2; bit < 2 * n; bit <<= 1) {
            if (i & bit) ++j;
            j <<= 1;
        }
        if (i < j) {
            float temp = data[i];
            data[i] = data[j];
            data[j] = temp;
            temp = data[i + 1];
            data[i + 1] = data[j + 1];
            data[j + 1] = temp;
        }
    }
    const std::int32_t stages = static_cast<std::int32_t>(
        static_cast<double>(static_cast<float>(std::log(static_cast<double>(n)))) /
            static_cast<float>(std::log(2.0)) + 0.5);
    std::int32_t le = 2;
    for (std::int32_t stage = 0; stage < stages; ++stage) {
        le *= 2;
        const std::int32_t le2 = le / 2;
        float ur = 1.0f;
        float ui = 0.0f;
        const float arg = static_cast<float>(kPi / (le2 / 2));
        const float wr = static_cast<float>(std::cos(static_cast<double>(arg)));
        const float wi = static_cast<float>(sign * static_cast<double>(static_cast<float>(std::sin(static_cast<double>(arg)))));
        for (std::int32_t j = 0; j < le2; j += 2) {
            for (std::int32_t i = j; i < 2 * n; i += le) {
                const std::int32_t p1 = i;
                const std::int32_t p2 = i + le2;
                const float tr = static_cast<float>(static_cast<double>(data[p2]) * ur - static_cast<double>(data[p2 + 1]) * ui);
                const float ti = static_cast<float>(static_cast<double>(data[p2]) * ui + static_cast<double>(data[p2 + 1]) * ur);
                data[p2] = static_cast<float>(static_cast<double>(data[p1]) - tr);
                data[p2 + 1] = static_cast<float>(static_cast<double>(data[p1 + 1]) - ti);
                data[p1] = static_cast<float>(static_cast<double>(data[p1]) + tr);
                data[p1 + 1] = static_cast<float>(static_cast<double>(data[p1 + 1]) + ti);
            }
            const float newUr = static_cast<float>(static_cast<double>(ur) * wr - static_cast<double>(ui) * wi);
            const float newUi = static_cast<float>(static_cast<double>(ur) * wi + static_cast<double>(ui) * wr);
            ur = newUr;
            ui = newUi;
        }
    }
}
