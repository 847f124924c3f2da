#include "BinRemap.h"

void remapBins(float factor, std::int32_t half, const float* analysisMagnitude,
               const float* analysisFrequency, float* synthesisMagnitude, float* synthesisFrequency) {
    for (std::int32_t k = 0; k <= half; ++k) {
        synthesisMagnitude[k] = 0.0f;
        synthesisFrequency[k] = 0.0f;
    }
    const double f = factor;
    for (std::int32_t k = 0; k <= half; ++k) {
        const std::int32_t index = static_cast<std::int32_t>(k * f);
        if (index <= half) {
            // float + float rounded once: the same as in double and then rounded
            synthesisMagnitude[index] = synthesisMagnitude[index] + analysisMagnitude[k];
            synthesisFrequency[index] = static_cast<float>(analysisFrequency[k] * f);
        }
    }
}
