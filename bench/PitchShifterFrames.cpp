// Runs a fixed number of frames through one pitch stage, for instruction
// counts under callgrind (noise-free, unlike timings):
//
//   valgrind --tool=callgrind --callgrind-out-file=/dev/null
//     build/bench/pitch_shifter_callgrind production 100
//
// and the same with "reference", and with 0 frames to subtract the set-up;
// instructions per frame = (count(100) - count(0)) / 100. The production
// stage runs its baseline (SSE2) kernels under valgrind unless "avx2" is
// given instead of "production" (valgrind does not run AVX-512).
#include "CpuFeatures.h"
#include "PitchShifter.h"
#include "ReferencePitchShifter.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {
template <typename Shifter>
void run(Shifter& shifter, int frames) {
    std::vector<float> block(256);
    std::vector<float> tones(256 * (frames + 32));
    for (std::size_t i = 0; i < tones.size(); ++i) {
        const double t = i / 44100.0;
        tones[i] = static_cast<float>(0.3 * std::sin(6.283185307179586 * 440.0 * t) +
                                      0.2 * std::sin(6.283185307179586 * 3150.5 * t));
    }
    double sum = 0.0;
    for (int f = 0; f < frames + 32; ++f) {
        std::memcpy(block.data(), tones.data() + 256 * f, sizeof(float) * 256);
        shifter.shift(1.4f, 256, 8192, 44100.0f, block.data(), block.data());
        sum += block[0];
    }
    std::printf("%d frames, checksum %.9g\n", frames + 32, sum);
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s production|avx2|reference FRAMES\n", argv[0]);
        return 2;
    }
    const int frames = std::atoi(argv[2]);
    if (std::strcmp(argv[1], "reference") == 0) {
        auto shifter = std::make_unique<ReferencePitchShifter>();
        run(*shifter, frames);
    } else {
        const SimdLevel level = std::strcmp(argv[1], "avx2") == 0 ? SimdLevel::Avx2 : SimdLevel::Sse2;
        auto shifter = std::make_unique<PitchShifter>(level);
        run(*shifter, frames);
    }
    return 0;
}
