#include "QOVKelvorn.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "DenormalFlush.h"
#include "ParameterMapping.h"
#include "StereoPlacement.h"

namespace {

struct Preset {
    const char* name;
    float angle, w1Delay, w1Gain, w2Delay, w2Gain;
    float w2Pitch;  // 0 means: keep the default
};

// Programs 1 to 4; in-mix is 1.0, wall 2 on and wall 1's pitch unshifted in all of them.
constexpr Preset kPresets[] = {
    {"3D Reverb", 0.022736f, 0.060609f, 0.151524f, 0.060609f, 0.151524f, 0.0f},
    {"Walking Up", 0.151524f, 0.5f, 0.25f, 0.5f, 0.5f, 0.6f},
    {"Echo", 0.34849f, 0.560594f, 0.280312f, 0.560594f, 0.280312f, 0.0f},
    {"Talking to Myself", 0.87878f, 0.560594f, 0.280312f, 0.08f, 0.5f, 0.0f},
};

std::unique_ptr<float[]> makeWorkBlock(std::int32_t length) {
    return std::make_unique_for_overwrite<float[]>(static_cast<std::size_t>(length));
}

bool isProgramNumber(VstInt32 program) { return program >= 0 && program < kNumPrograms; }

// Bounded copy that zero-fills the rest of the bound (names and labels).
void copyBounded(char* text, const char* source, std::size_t bound) {
    std::strncpy(text, source, bound);
    text[bound] = 0;
}

}  // namespace

QOVKelvorn::QOVKelvorn(audioMasterCallback audioMaster)
    : AudioEffectX(audioMaster, kNumPrograms, kNumParams),
      wall1(w1Delay, w1Gain, w1Pitch, pitchShifter),
      wall2(w2Delay, w2Gain, w2Pitch, pitchShifter) {
    canProcessReplacing();
    setNumInputs(2);
    setNumOutputs(2);
    setUniqueID(fourCharCode('Q', 'O', 'V', 'l'));

    programs = std::make_unique<EffectProgram[]>(kNumPrograms);

    for (std::int32_t i = 0; i < kNumParams; ++i) liveValue(i).store(0.0f, std::memory_order_relaxed);
    setProgram(0);

    for (std::int32_t p = 1; p <= 4; ++p) {
        const Preset& preset = kPresets[p - 1];
        EffectProgram& program = programs[p];
        program.setName(preset.name);
        program.inMix.store(1.0f, std::memory_order_relaxed);
        program.angle.store(preset.angle, std::memory_order_relaxed);
        program.w1Delay.store(preset.w1Delay, std::memory_order_relaxed);
        program.w1Gain.store(preset.w1Gain, std::memory_order_relaxed);
        program.w2Enable.store(1.0f, std::memory_order_relaxed);
        program.w2Delay.store(preset.w2Delay, std::memory_order_relaxed);
        program.w2Gain.store(preset.w2Gain, std::memory_order_relaxed);
        if (preset.w2Pitch != 0.0f) program.w2Pitch.store(preset.w2Pitch, std::memory_order_relaxed);
    }
    for (std::int32_t p = 5; p < kNumPrograms; ++p) {
        char name[kVstMaxProgNameLen + 1];
        std::snprintf(name, sizeof name, "%s %d", "Extra", static_cast<int>(p - 4));
        programs[p].setName(name);
    }

    const auto rate = static_cast<std::int32_t>(getSampleRate());
    wall1.create(rate);
    wall2.create(rate);

    workLength = 3 * rate;
    wall1Out = makeWorkBlock(workLength);
    wall2Out = makeWorkBlock(workLength);
    wall1Left = makeWorkBlock(workLength);
    wall1Right = makeWorkBlock(workLength);
    wall2Left = makeWorkBlock(workLength);
    wall2Right = makeWorkBlock(workLength);

    resume();
}

QOVKelvorn::~QOVKelvorn() {
    programs.reset();
    wall1Out.reset();
    wall2Out.reset();
    wall1Left.reset();
    wall1Right.reset();
    wall2Left.reset();
    wall2Right.reset();
    // The walls follow as members, wall 2 first.
}

std::atomic<float>& QOVKelvorn::liveValue(std::int32_t index) {
    static constexpr std::atomic<float> QOVKelvorn::*kLive[kNumParams] = {
        &QOVKelvorn::inMix,    &QOVKelvorn::angle,   &QOVKelvorn::w1Delay,
        &QOVKelvorn::w1Gain,   &QOVKelvorn::w1Pitch, &QOVKelvorn::w2Enable,
        &QOVKelvorn::w2Delay,  &QOVKelvorn::w2Gain,  &QOVKelvorn::w2Pitch};
    return this->*kLive[index];
}

// ---- Parameters and programs ----

void QOVKelvorn::setParameter(VstInt32 index, float value) {
    if (!isParameterIndex(index)) return;
    programs[curProgram.load(std::memory_order_relaxed)].value(index).store(value, std::memory_order_relaxed);
    liveValue(index).store(value, std::memory_order_relaxed);
}

float QOVKelvorn::getParameter(VstInt32 index) {
    if (!isParameterIndex(index)) return 0.0f;
    return liveValue(index).load(std::memory_order_relaxed);
}

void QOVKelvorn::setProgram(VstInt32 program) {
    // The dispatcher only forwards valid numbers; a direct call with any
    // other number must not reach outside the programs either.
    if (!isProgramNumber(program)) return;
    curProgram.store(program, std::memory_order_relaxed);
    EffectProgram& source = programs[program];
    for (std::int32_t i = 0; i < kNumParams; ++i)
        setParameter(i, source.value(i).load(std::memory_order_relaxed));
}

void QOVKelvorn::setProgramName(char* name) {
    if (!name) return;
    programs[curProgram.load(std::memory_order_relaxed)].setName(name);
}

void QOVKelvorn::getProgramName(char* name) {
    if (!name) return;
    copyBounded(name, programs[curProgram.load(std::memory_order_relaxed)].name, kVstMaxProgNameLen);
}

bool QOVKelvorn::getProgramNameIndexed(VstInt32 /*category*/, VstInt32 index, char* text) {
    if (!isProgramNumber(index) || !text) return false;
    copyBounded(text, programs[index].name, kVstMaxProgNameLen);
    return true;
}

// ---- Processing ----

void QOVKelvorn::resume() {
    wall1.clear();
    wall2.clear();
    for (float* block : {wall1Out.get(), wall2Out.get(), wall1Left.get(), wall1Right.get(), wall2Left.get(),
                         wall2Right.get()})
        std::fill_n(block, workLength, 0.0f);
    AudioEffectX::resume();
}

void QOVKelvorn::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) {
    if (sampleFrames <= 0) return;
    ScopedDenormalFlush flushDenormals;
    const bool wall2On = wall2IsOn(w2Enable.load(std::memory_order_relaxed));
    const std::int32_t piece = maxPieceLength();
    for (std::int32_t done = 0; done < sampleFrames;) {
        const std::int32_t frames = std::min(piece, sampleFrames - done);
        processPiece(inputs[0] + done, inputs[1] + done, outputs[0] + done, outputs[1] + done, frames, wall2On);
        done += frames;
    }
}

void QOVKelvorn::processPiece(const float* inLeft, const float* inRight, float* outLeft, float* outRight,
                              std::int32_t frames, bool wall2On) {
    if (wall2On) {
        wall2.peekAdd(inLeft, wall2Out.get(), frames);
        wall1.write(wall2Out.get(), frames);
    } else {
        wall1.write(inLeft, frames);
    }
    wall1.read(wall1Out.get(), frames);
    if (wall2On) {
        wall2.write(wall1Out.get(), frames);
        wall2.read(wall2Out.get(), frames);
    }

    const float p = effectiveAngle(angle.load(std::memory_order_relaxed));
    placeStereo(wall1Out.get(), wall1Left.get(), wall1Right.get(), frames, p);
    if (wall2On) {
        const float q = effectiveAngle(angle.load(std::memory_order_relaxed));
        const auto mirrored = static_cast<float>((static_cast<double>(q) - 1.0) * -1.0);
        placeStereo(wall2Out.get(), wall2Left.get(), wall2Right.get(), frames, mirrored);
    }

    // Reads and writes in exactly this order: an output may share its buffer
    // with the input of its own channel, and the right output with the left input.
    const float* const w1l = wall1Left.get();
    const float* const w1r = wall1Right.get();
    const float* const w2l = wall2Left.get();
    const float* const w2r = wall2Right.get();
    for (std::int32_t i = 0; i < frames; ++i) {
        outLeft[i] = static_cast<float>(static_cast<double>(inLeft[i]) *
                                            dryGain(inMix.load(std::memory_order_relaxed)) +
                                        static_cast<double>(w1l[i]));
        outRight[i] = static_cast<float>(static_cast<double>(inRight[i]) *
                                             dryGain(inMix.load(std::memory_order_relaxed)) +
                                         static_cast<double>(w1r[i]));
        if (wall2On) {
            outLeft[i] = static_cast<float>(static_cast<double>(w2l[i]) + static_cast<double>(outLeft[i]));
            outRight[i] = static_cast<float>(static_cast<double>(w2r[i]) + static_cast<double>(outRight[i]));
        }
    }
}
