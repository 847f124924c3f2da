#include "PitchKernels.h"

PitchKernels pitchKernelsFor(SimdLevel level) {
    switch (level) {
    case SimdLevel::Avx512: return pitchKernelsAvx512();
    case SimdLevel::Avx2: return pitchKernelsAvx2();
    case SimdLevel::Sse2: break;
    }
    return pitchKernelsSse2();
}
