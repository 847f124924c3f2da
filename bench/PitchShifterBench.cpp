// The pitch stage against its step-by-step reference, side by side in one
// run: nanoseconds per frame (256 samples at the effect's frame size of
// 8192), the realtime factor (seconds of 44.1 kHz audio per CPU second),
// and at the end the ratio of the medians per stream and per kernel level.
//
//   build/bench/pitch_shifter_bench --benchmark_repetitions=5
//
// For instruction counts per frame under callgrind, run only a few frames
// (pitch_shifter_bench --frames=N --only=production|reference); see the
// command in the README of this folder.
#include "CpuFeatures.h"
#include "PitchShifter.h"
#include "ReferencePitchShifter.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr std::int32_t kFrame = 8192;
constexpr std::int32_t kStep = kFrame / 32;
constexpr float kRate = 44100.0f;
constexpr std::int32_t kBlock = 512;  // a typical host block: two frames per call

std::vector<float> signal(bool tones) {
    std::vector<float> samples(kRate * 4);
    std::mt19937 random(7);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = tones ? static_cast<float>(0.3 * std::sin(6.283185307179586 * 440.0 * i / kRate) +
                                                0.2 * std::sin(6.283185307179586 * 3150.5 * i / kRate))
                           : static_cast<float>(random() >> 8) / 8388608.0f - 1.0f;
    }
    return samples;
}

template <typename Shifter>
void runStage(benchmark::State& state, Shifter& shifter, bool tones) {
    const auto input = signal(tones);
    std::vector<float> block(kBlock);
    std::size_t at = 0;
    // warm the state up past the first frames
    for (int i = 0; i < 40; ++i) {
        std::memcpy(block.data(), input.data() + at, sizeof(float) * kBlock);
        shifter.shift(1.4f, kBlock, kFrame, kRate, block.data(), block.data());
        at = (at + kBlock) % (input.size() - kBlock);
    }
    for (auto _ : state) {
        std::memcpy(block.data(), input.data() + at, sizeof(float) * kBlock);
        shifter.shift(1.4f, kBlock, kFrame, kRate, block.data(), block.data());
        benchmark::DoNotOptimize(block.data());
        at = (at + kBlock) % (input.size() - kBlock);
    }
    const double frames = static_cast<double>(state.iterations()) * kBlock / kStep;
    state.SetItemsProcessed(static_cast<std::int64_t>(frames));
    state.counters["us_per_frame"] = benchmark::Counter(frames * 1e-6, benchmark::Counter::kIsRate |
                                                                           benchmark::Counter::kInvert);
    state.counters["realtime"] = benchmark::Counter(static_cast<double>(state.iterations()) * kBlock / kRate,
                                                    benchmark::Counter::kIsRate);
}

void BM_Reference(benchmark::State& state, bool tones) {
    auto shifter = std::make_unique<ReferencePitchShifter>();
    runStage(state, *shifter, tones);
}

void BM_Production(benchmark::State& state, SimdLevel level, bool tones) {
    if (!simdLevelSupported(level)) {
        state.SkipWithError("this processor lacks the instructions");
        return;
    }
    auto shifter = std::make_unique<PitchShifter>(level);
    runStage(state, *shifter, tones);
}

// Keeps the median CPU time of every benchmark and prints the ratios of
// the reference to each production run of the same stream at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const std::string name = run.benchmark_name();
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            if (median || single) times[run.run_name.function_name] = run.GetAdjustedCPUTime();
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\nRatio reference / production (median CPU time per frame):\n");
        for (const char* stream : {"noise", "tones"}) {
            const auto reference = times.find(std::string("Reference/") + stream);
            if (reference == times.end()) continue;
            for (const auto& [name, time] : times) {
                if (name.rfind("Production/", 0) == 0 && name.find(stream) != std::string::npos && time > 0) {
                    std::printf("  %-28s %6.2fx\n", name.c_str(), reference->second / time);
                }
            }
        }
    }

private:
    std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv) {
    for (bool tones : {false, true}) {
        const std::string stream = tones ? "tones" : "noise";
        benchmark::RegisterBenchmark(("Reference/" + stream).c_str(), BM_Reference, tones)->Unit(benchmark::kMicrosecond);
        for (SimdLevel level : {SimdLevel::Sse2, SimdLevel::Avx2, SimdLevel::Avx512}) {
            benchmark::RegisterBenchmark(("Production/" + std::string(simdLevelName(level)) + "/" + stream).c_str(),
                                         BM_Production, level, tones)
                ->Unit(benchmark::kMicrosecond);
        }
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
