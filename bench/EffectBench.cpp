// Cost of the effect's processing as a host sees it, as a realtime factor:
// seconds of 44.1 kHz stereo audio processed per second of CPU time.
//
//   effect_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
//
// BM_Program/<program>/<block size>: each of the five named programs.
// BM_Block/<kind>: an ordinary block against a block of decaying tail
// (samples below the smallest normal float), which must cost no more.
// BM_WallPathTail/<flush>: one wall on subnormal samples with and without
// the flush-to-zero guard, to show what the guard saves.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "DenormalFlush.h"
#include "QOVKelvorn.h"
#include "WallPath.h"

namespace {

constexpr double kRate = 44100.0;

VstIntPtr host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

std::vector<float> noise(std::size_t frames, float level, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> dist(-1.0f, 1.0f);
    std::vector<float> v(frames);
    for (float& x : v) x = level * dist(rng);
    return v;
}

struct Instance {
    Instance() : effect(createEffectInstance(host)->getAeffect()) {}
    ~Instance() { effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f); }
    void program(VstInt32 p) { effect->dispatcher(effect, effSetProgram, 0, p, nullptr, 0.0f); }
    void process(std::vector<float>& l, std::vector<float>& r, std::vector<float>& ol, std::vector<float>& or_,
                 VstInt32 frames) {
        float* in[2] = {l.data(), r.data()};
        float* out[2] = {ol.data(), or_.data()};
        effect->processReplacing(effect, in, out, frames);
    }
    AEffect* effect;
};

void setRealtimeCounter(benchmark::State& state, std::int64_t frames) {
    state.counters["realtime"] =
        benchmark::Counter(static_cast<double>(frames) / kRate, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_Program(benchmark::State& state) {
    const auto program = static_cast<VstInt32>(state.range(0));
    const auto block = static_cast<VstInt32>(state.range(1));
    Instance plugin;
    plugin.program(program);
    auto left = noise(static_cast<std::size_t>(block), 0.5f, 1), right = noise(static_cast<std::size_t>(block), 0.5f, 2);
    std::vector<float> outL(left.size()), outR(left.size());
    // Fill the delay lines and the pitch stage first.
    for (int i = 0; i < 88200 / block + 1; ++i) plugin.process(left, right, outL, outR, block);
    for (auto _ : state) {
        plugin.process(left, right, outL, outR, block);
        benchmark::DoNotOptimize(outL.data());
        benchmark::ClobberMemory();
    }
    setRealtimeCounter(state, block);
}
BENCHMARK(BM_Program)->ArgsProduct({{0, 1, 2, 3, 4}, {64, 512, 4096}})->ArgNames({"program", "block"});

// "3D Reverb": the short loop between both walls decays by about 20 dB every
// 8018 samples. The tail block keeps the walls and the input at the level of
// a tail that has decayed below the smallest normal float.
void BM_Block(benchmark::State& state) {
    const bool tail = state.range(0) == 1;
    constexpr VstInt32 block = 512;
    Instance plugin;
    plugin.program(1);
    const float level = tail ? 1e-39f : 0.5f;
    auto left = noise(block, level, 3), right = noise(block, level, 4);
    std::vector<float> outL(block), outR(block);
    for (int i = 0; i < 88200 / block + 1; ++i) plugin.process(left, right, outL, outR, block);
    for (auto _ : state) {
        plugin.process(left, right, outL, outR, block);
        benchmark::DoNotOptimize(outL.data());
        benchmark::ClobberMemory();
    }
    setRealtimeCounter(state, block);
    state.SetLabel(tail ? "decaying tail" : "ordinary");
}
BENCHMARK(BM_Block)->Arg(0)->Arg(1)->ArgName("tail");

// One wall, gain factor 0.9, its delay line full of subnormal samples.
void BM_WallPathTail(benchmark::State& state) {
    const bool flush = state.range(0) == 1;
    constexpr std::int32_t block = 512;
    std::atomic<float> delay{0.0f}, gain{0.45f}, pitch{0.33333334f};
    static PitchShifter shifter;
    WallPath wall(delay, gain, pitch, shifter);
    wall.create(44100);
    auto input = noise(block, 1e-39f, 5);
    std::vector<float> output(block);
    for (auto _ : state) {
        if (flush) {
            ScopedDenormalFlush guard;
            wall.write(input.data(), block);
            wall.read(output.data(), block);
        } else {
            wall.write(input.data(), block);
            wall.read(output.data(), block);
        }
        benchmark::DoNotOptimize(output.data());
        benchmark::ClobberMemory();
    }
    setRealtimeCounter(state, block);
}
BENCHMARK(BM_WallPathTail)->Arg(0)->Arg(1)->ArgName("flush");

}  // namespace

BENCHMARK_MAIN();
