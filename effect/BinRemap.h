// remapBins: moves analysed bins 0..half to the synthesis bins of a pitch
// factor. Source bin k lands on bin trunc(k * factor); bins landing above
// half are dropped; where several land on one bin their magnitudes add up
// and the frequency (times factor) of the highest of them remains.
//
// Any thread; touches only the arrays passed in (each of half + 1 values).
#pragma once

#include <cstdint>

void remapBins(float factor, std::int32_t half, const float* analysisMagnitude,
               const float* analysisFrequency, float* synthesisMagnitude, float* synthesisFrequency);
