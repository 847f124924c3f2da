#include "PitchShifter.h"

#include "BinRemap.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr double kTwoPi = 6.283185307179586;
}

PitchShifter::PitchShifter() : PitchShifter(bestSimdLevel()) {}

PitchShifter::PitchShifter(SimdLevel simdLevel)
    : level(simdLevel), best(pitchKernelsFor(simdLevel)), narrow(pitchKernelsSse2()), kernels(best) {
    reset();
    prepare(kMaxFrameSize);
}

void PitchShifter::reset() {
    fifoPosition = 0;
    std::memset(inputFifo, 0, sizeof inputFifo);
    std::memset(outputFifo, 0, sizeof outputFifo);
    std::memset(spectrumRe, 0, sizeof spectrumRe);
    std::memset(spectrumIm, 0, sizeof spectrumIm);
    std::memset(previousPhase, 0, sizeof previousPhase);
    std::memset(phaseSum, 0, sizeof phaseSum);
    std::memset(overlapAccumulator, 0, sizeof overlapAccumulator);
    std::memset(analysisFrequency, 0, sizeof analysisFrequency);
    std::memset(analysisMagnitude, 0, sizeof analysisMagnitude);
    std::memset(synthesisMagnitude, 0, sizeof synthesisMagnitude);
    std::memset(synthesisFrequency, 0, sizeof synthesisFrequency);
}

void PitchShifter::prepare(std::int32_t frameSize) {
    // the kernels lay the first transform stages out as rows of at least one vector
    kernels = frameSize >= best.rows * best.rows ? best : narrow;
    tables.prepare(frameSize, kernels.rows);
}

void PitchShifter::shift(float factor, std::int32_t count, std::int32_t frameSize, float sampleRate,
                         const float* input, float* output) {
    if (frameSize != tables.frameSize()) prepare(frameSize);
    const std::int32_t n = frameSize;
    const std::int32_t step = n / 32;
    const std::int32_t latency = n - step;
    if (fifoPosition == 0) fifoPosition = latency;
    std::int32_t i = 0;
    while (i < count) {
        // up to the next frame: each input sample is taken in before the
        // output sample at its index is written
        const std::int32_t chunk = std::min(count - i, n - fifoPosition);
        std::memcpy(inputFifo + fifoPosition, input + i, sizeof(float) * static_cast<std::size_t>(chunk));
        std::memcpy(output + i, outputFifo + (fifoPosition - latency), sizeof(float) * static_cast<std::size_t>(chunk));
        fifoPosition += chunk;
        i += chunk;
        if (fifoPosition == n) {
            fifoPosition = latency;
            processFrame(factor, sampleRate);
        }
    }
}

void PitchShifter::processFrame(float factor, float sampleRate) {
    const std::int32_t n = tables.frameSize();
    const std::int32_t step = n / 32;
    const std::int32_t latency = n - step;

    SpectralWork work;
    work.n = n;
    work.half = n / 2;
    work.rows = kernels.rows;
    work.binWidth = static_cast<double>(sampleRate) / n;
    work.expected = kTwoPi * step / n;
    work.factor = factor;
    work.window = tables.window();
    work.rowSource = tables.rowSource();
    for (int direction = 0; direction < 2; ++direction) {
        work.twiddleRe[direction] = tables.twiddleRe(direction);
        work.twiddleIm[direction] = tables.twiddleIm(direction);
    }
    work.inputFifo = inputFifo;
    work.re = spectrumRe;
    work.im = spectrumIm;
    work.rowRe = rowRe;
    work.rowIm = rowIm;
    work.previousPhase = previousPhase;
    work.phaseSum = phaseSum;
    work.analysisMagnitude = analysisMagnitude;
    work.analysisFrequency = analysisFrequency;
    work.synthesisMagnitude = synthesisMagnitude;
    work.synthesisFrequency = synthesisFrequency;
    work.overlapAccumulator = overlapAccumulator;

    kernels.forwardTransform(work);
    bool finite = kernels.analyse(work);
    remapBins(factor, work.half, analysisMagnitude, analysisFrequency, synthesisMagnitude, synthesisFrequency);
    kernels.synthesise(work);
    kernels.inverseTransform(work);
    finite = kernels.overlapAdd(work) && finite;

    std::memcpy(outputFifo, overlapAccumulator, sizeof(float) * static_cast<std::size_t>(step));
    std::memmove(overlapAccumulator, overlapAccumulator + step, sizeof(float) * static_cast<std::size_t>(n));
    std::memmove(inputFifo, inputFifo + step, sizeof(float) * static_cast<std::size_t>(latency));

    if (!finite) {
        // A non-finite value (a finite but huge input can overflow the
        // transform) must not stay in the state: start afresh.
        reset();
        fifoPosition = latency;
    }
}
