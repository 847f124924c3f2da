// SpectralBins: the analysis and synthesis of one bin, with the standard
// library's atan2, sin, cos and remainder. The vectorised kernels use these
// for every bin their approximations cannot decide, so that each bin gives
// exactly what these give.
//
// Audio thread. Compiled for the baseline processor: callable from any kernel.
#pragma once

#include "SpectralWork.h"

// Analyses bin k, whose previous phase was previousPhase: writes
// previousPhase[k], analysisMagnitude[k] and analysisFrequency[k]. Returns
// false when the phase difference is not finite (the frame must be dropped).
bool analyseBin(const SpectralWork& work, std::int32_t k, float previousPhase);

// Resynthesises bin k from its accumulated phase phaseSum: writes
// phaseSum[k], re[k] and im[k].
void synthesiseBin(const SpectralWork& work, std::int32_t k, float phaseSum);
