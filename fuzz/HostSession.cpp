#include "HostSession.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

namespace kelvorn::fuzz {
namespace {

// The host's answer to every request: a version for the version query, 0 to
// everything else. Keeps nothing, so sessions stay independent.
// KELVORN_SESSION_TRACE=1 prints every action, to read what a failing
// input does.
const bool tracing = std::getenv("KELVORN_SESSION_TRACE") != nullptr;

VstIntPtr quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

// Reads the session's bytes; past the end every read gives zeros.
class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : data(data), size(size) {}
    bool empty() const { return size == 0; }
    std::uint8_t byte() {
        if (size == 0) return 0;
        --size;
        return *data++;
    }
    std::uint32_t u32() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(byte()) << (8 * i);
        return v;
    }

private:
    const std::uint8_t* data;
    std::size_t size;
};

// A cheap generator for signal contents, so that long blocks cost few bytes.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state(seed ? seed : 0x9E3779B9u) {}
    std::uint32_t next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    float uniform() { return static_cast<float>(next() >> 8) / 16777216.0f * 2.0f - 1.0f; }

private:
    std::uint32_t state;
};

float floatFromBits(std::uint32_t bits) {
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

std::uint32_t bitsOf(float f) {
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

VstInt32 edgeInt(ByteReader& in) {
    static constexpr std::array<VstInt32, 20> edges{0,    1,      -1,         2,     8,    9,     15,
                                                    16,   24,     25,         64,    100,  1000,  44100,
                                                    132300, 132301, std::numeric_limits<VstInt32>::min(),
                                                    std::numeric_limits<VstInt32>::max(), -2, 3};
    const std::uint8_t pick = in.byte();
    if (pick < 2 * edges.size()) return edges[pick % edges.size()];
    return static_cast<VstInt32>(in.u32());
}

VstIntPtr edgeValue(ByteReader& in) {
    const std::uint8_t pick = in.byte();
    if (pick == 250) return std::numeric_limits<VstIntPtr>::min();
    if (pick == 251) return std::numeric_limits<VstIntPtr>::max();
    if (pick >= 252) return static_cast<VstIntPtr>(static_cast<std::intptr_t>(in.u32()) << 16);
    if (pick >= 200) return static_cast<VstIntPtr>(static_cast<VstInt32>(in.u32()));
    static constexpr std::array<VstIntPtr, 16> edges{0, 1, -1, 2, 8, 9, 15, 16, 24, 64, 256, 1024, 44100, 132300,
                                                     132301, 200000};
    return edges[pick % edges.size()];
}

// Any float: edge values, raw bit patterns (NaNs, infinities, denormals) and
// plain values in 0..1.
float anyFloat(ByteReader& in) {
    static const std::array<float, 22> edges{
        0.0f, 1.0f, 0.5f, 0.25f, -0.0f, -1.0f, 2.0f, 1e30f, -1e30f,
        std::numeric_limits<float>::quiet_NaN(), -std::numeric_limits<float>::quiet_NaN(),
        std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(),
        std::numeric_limits<float>::min(), std::numeric_limits<float>::denorm_min(),
        std::numeric_limits<float>::max(), std::numeric_limits<float>::lowest(), 44100.0f, 48000.0f,
        0.45f, 0.55f, 1.0000001f};
    const std::uint8_t pick = in.byte();
    if (pick < 2 * edges.size()) return edges[pick % edges.size()];
    if (pick < 160) return floatFromBits(in.u32());
    return static_cast<float>(in.u32() >> 8) / 16777215.0f;  // 0..1
}

// A value in 0..1 that keeps the walls' loop from growing more often than not:
// gains stay at or below 0.25 (factor 0.5) when `tame` is set.
float normalized(ByteReader& in, bool tame) {
    const float v = static_cast<float>(in.byte()) / 255.0f;
    return tame ? v * 0.25f : v;
}

// The mappings that decide whether the walls' loop can grow; these mirror
// the effect's own rules for gain factor, pitch band and wall 2's switch.
float gainFactor(float value) { return (value > 0.45f && value < 0.55f) ? 1.0f : 2.0f * value; }
bool pitchIsUnity(float value) { return value > 0.28333 && value < 0.38333; }

constexpr std::size_t kGuardFrames = 64;
constexpr std::size_t kTextGuard = 32;
const std::uint32_t kGuardBits = 0x7FA5A5A5u;  // a NaN pattern no computation produces

// One audio buffer with guard zones on both sides.
class GuardedBuffer {
public:
    explicit GuardedBuffer(std::size_t frames)
        : frames(frames), storage(frames + 2 * kGuardFrames, floatFromBits(kGuardBits)) {}
    float* data() { return storage.data() + kGuardFrames; }
    bool guardsIntact() const {
        for (std::size_t i = 0; i < kGuardFrames; ++i)
            if (bitsOf(storage[i]) != kGuardBits || bitsOf(storage[kGuardFrames + frames + i]) != kGuardBits)
                return false;
        return true;
    }
    std::size_t frames;
    std::vector<float> storage;
};

enum class Signal : std::uint8_t { Silence, Noise, Sine, Impulse, FullScale, Square, Burst, Denormal, Huge, Count };

bool isModerate(Signal s) { return s <= Signal::Square; }

void fill(float* out, std::size_t frames, Signal kind, Noise& noise) {
    const float freq = 0.001f + static_cast<float>(noise.next() % 1000) / 2000.0f;
    for (std::size_t i = 0; i < frames; ++i) {
        float v = 0.0f;
        switch (kind) {
            case Signal::Silence: v = 0.0f; break;
            case Signal::Noise: v = noise.uniform(); break;
            case Signal::Sine: v = std::sin(freq * static_cast<float>(i)); break;
            case Signal::Impulse: v = i == 0 ? 1.0f : 0.0f; break;
            case Signal::FullScale: v = 1.0f; break;
            case Signal::Square: v = ((i / 50) & 1) ? 1.0f : -1.0f; break;
            case Signal::Burst: {
                const std::uint32_t r = noise.next();
                if ((r & 63) == 0)
                    v = std::numeric_limits<float>::quiet_NaN();
                else if ((r & 63) == 1)
                    v = (r & 64) ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity();
                else
                    v = noise.uniform();
                break;
            }
            case Signal::Denormal: v = std::numeric_limits<float>::denorm_min() * static_cast<float>(noise.next() & 15); break;
            case Signal::Huge: v = noise.uniform() * 3e38f; break;
            case Signal::Count: break;
        }
        out[i] = v;
    }
}

class Session {
public:
    Session(AEffect* effect, ByteReader& in) : effect(effect), in(in) {}

    std::string play() {
        for (int step = 0; step < 96 && !in.empty() && error.empty() && open; ++step) {
            const std::uint8_t action = in.byte();
            switch (action % 12) {
                case 0: case 1: dispatch(); break;
                case 2: setParameter(); break;
                case 3: setTameParameters(); break;
                case 4: setProgram(); break;
                case 5: mainsChanged(); break;
                case 6: sampleRateOrBlockSize(); break;
                case 7: readParameters(); break;
                default: process(); break;
            }
        }
        if (open) close();
        return error;
    }

private:
    AEffect* effect;
    ByteReader& in;
    std::string error;
    bool open = true;
    std::int64_t framesLeft = kMaxFramesPerSession;
    std::int64_t pitchFramesLeft = kMaxPitchFramesPerSession;
    // Whether the instance's state is known to be clean enough for the
    // finite-output check, and how far a recovery after a resume has come.
    bool trusted = true;
    bool recovering = false;
    std::int64_t recoveredFrames = 0;

    void fail(const std::string& what) {
        if (error.empty()) error = what;
    }

    VstIntPtr call(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
        if (tracing)
            std::fprintf(stderr, "dispatcher(%d, %d, %lld, %p, %g)\n", opcode, index, static_cast<long long>(value),
                         ptr, static_cast<double>(opt));
        return effect->dispatcher(effect, opcode, index, value, ptr, opt);
    }

    void close() {
        call(effClose, 0, 0, nullptr, 0.0f);
        open = false;
    }

    // A buffer the plug-in writes text into: `size` bytes as the interface
    // defines them, then a guard zone that must stay untouched, and a
    // terminator inside the bound whenever anything was written.
    void textOut(VstInt32 opcode, VstInt32 index, VstIntPtr value, float opt, std::size_t size) {
        std::vector<char> buffer(size + kTextGuard, 'Z');
        call(opcode, index, value, buffer.data(), opt);
        for (std::size_t i = size; i < buffer.size(); ++i)
            if (buffer[i] != 'Z') return fail("opcode " + std::to_string(opcode) + " wrote past its " +
                                              std::to_string(size) + "-byte text buffer");
        const bool touched = std::any_of(buffer.begin(), buffer.begin() + size, [](char c) { return c != 'Z'; });
        if (touched && std::find(buffer.begin(), buffer.begin() + size, '\0') == buffer.begin() + size)
            fail("opcode " + std::to_string(opcode) + " left its text unterminated");
    }

    void textIn(VstInt32 opcode, VstInt32 index, VstIntPtr value, float opt) {
        const std::size_t length = in.byte() % 80;
        std::vector<char> text(length + 1, '\0');
        for (std::size_t i = 0; i < length; ++i) text[i] = static_cast<char>(1 + in.byte() % 255);
        call(opcode, index, value, text.data(), opt);
    }

    void dispatch() {
        const VstInt32 opcode = static_cast<VstInt32>(in.byte() % 106) - 5;  // -5 .. 100
        const VstInt32 index = edgeInt(in);
        VstIntPtr value = edgeValue(in);
        const float opt = anyFloat(in);
        switch (opcode) {
            case effClose: close(); return;  // only ever the last action
            case effSetProgramName: case effString2Parameter: case effCanDo:
                return textIn(opcode, index, value, opt);
            case effGetProgramName: case effGetProgramNameIndexed:
                return textOut(opcode, index, value, opt, kVstMaxProgNameLen + 1);
            case effGetParamLabel: case effGetParamDisplay: case effGetParamName:
                return textOut(opcode, index, value, opt, kVstMaxParamStrLen + 1);
            case effGetEffectName: return textOut(opcode, index, value, opt, kVstMaxEffectNameLen + 1);
            case effGetErrorText: return textOut(opcode, index, value, opt, 256 + 1);
            case effGetVendorString: case effGetProductString: case effShellGetNextPlugin:
                return textOut(opcode, index, value, opt, kVstMaxVendorStrLen + 1);
            case effEditGetRect: case effGetChunk: {
                void* slot = nullptr;  // the plug-in stores an address here
                call(opcode, index, value, &slot, opt);
                return;
            }
            case effSetChunk: {
                std::vector<std::uint8_t> chunk(in.byte() * 16u);
                for (auto& b : chunk) b = in.byte();
                call(opcode, index, static_cast<VstIntPtr>(chunk.size()), chunk.data(), opt);
                return;
            }
            case effSetSpeakerArrangement: {
                VstSpeakerArrangement input{}, output{};
                input.type = edgeInt(in);
                input.numChannels = in.byte() % 9;
                output.type = edgeInt(in);
                output.numChannels = in.byte() % 9;
                call(opcode, index, reinterpret_cast<VstIntPtr>(&input), &output, opt);
                return;
            }
            case effGetSpeakerArrangement: {
                VstSpeakerArrangement* input = nullptr;
                VstSpeakerArrangement* output = nullptr;
                call(opcode, index, reinterpret_cast<VstIntPtr>(&input), &output, opt);
                return;
            }
            default: {
                // Records that pass through unread (events, pin and parameter
                // properties, offline tasks, MIDI names, patch info) and any
                // opcode without a pointer: a zeroed block larger than any of
                // those records.
                std::vector<std::uint8_t> block(1024, 0);
                if (opcode == effSetBlockSize && value > (1 << 20)) value = 1 << 20;
                call(opcode, index, value, block.data(), opt);
                return;
            }
        }
    }

    void setParameter() {
        const VstInt32 index = (in.byte() & 1) ? static_cast<VstInt32>(in.byte() % 9) : edgeInt(in);
        const float value = anyFloat(in);
        if (tracing) std::fprintf(stderr, "setParameter(%d, %g)\n", index, static_cast<double>(value));
        effect->setParameter(effect, index, value);
    }

    // All nine parameters in 0..1, mostly with a loop that cannot grow, so
    // that the finite-output check has something to check.
    void setTameParameters() {
        const std::uint8_t mask = in.byte();
        for (VstInt32 i = 0; i < 9; ++i) {
            const bool isGain = i == 3 || i == 7;
            const bool isPitch = i == 4 || i == 8;
            float v = normalized(in, isGain && !(mask & 1));
            if (isPitch && (mask & 2)) v = 1.0f / 3.0f;
            if (tracing) std::fprintf(stderr, "setParameter(%d, %g)\n", i, static_cast<double>(v));
            effect->setParameter(effect, i, v);
        }
    }

    void setProgram() { call(effSetProgram, 0, edgeValue(in), nullptr, 0.0f); }

    void mainsChanged() {
        const VstIntPtr value = (in.byte() & 1) ? 1 : 0;
        call(effMainsChanged, 0, value, nullptr, 0.0f);
        if (value != 0 && !trusted) {
            recovering = true;
            recoveredFrames = 0;
        }
    }

    void sampleRateOrBlockSize() {
        if (in.byte() & 1)
            call(effSetSampleRate, 0, 0, nullptr, anyFloat(in));
        else
            call(effSetBlockSize, 0, edgeInt(in), nullptr, 0.0f);
    }

    void readParameters() {
        for (VstInt32 i = -1; i <= 9; ++i) (void)effect->getParameter(effect, i);
    }

    struct Settings {
        bool loopCannotGrow;  // finite moderate input stays finite
        int pitchStages;      // pitch stages at work in the next block
    };

    Settings currentSettings() {
        float p[9];
        bool normalizedValues = true;
        for (VstInt32 i = 0; i < 9; ++i) {
            p[i] = effect->getParameter(effect, i);
            if (!(p[i] >= 0.0f && p[i] <= 1.0f)) normalizedValues = false;
        }
        const bool wall2On = p[5] >= 0.5f;
        const int stages = (pitchIsUnity(p[4]) ? 0 : 1) + (wall2On && !pitchIsUnity(p[8]) ? 1 : 0);
        // wall 2 off: nothing feeds back
        const bool tame = !wall2On || (gainFactor(p[3]) <= 0.5f && gainFactor(p[7]) <= 0.5f &&
                                       pitchIsUnity(p[4]) && pitchIsUnity(p[8]));
        return {normalizedValues && tame, stages};
    }

    VstInt32 frameCount() {
        static constexpr std::array<VstInt32, 26> edges{0,     1,     2,      3,      7,      64,     255,
                                                        256,   257,   511,    512,    513,    1024,   4096,
                                                        8191,  8192,  33075,  66150,  66151,  132299, 132300,
                                                        132301, 200000, -1,   std::numeric_limits<VstInt32>::min(), 100};
        const std::uint8_t pick = in.byte();
        if (pick < 3 * edges.size()) return edges[pick % edges.size()];
        if (pick < 200) return static_cast<VstInt32>(in.u32() % 200001);
        return static_cast<VstInt32>(in.u32() % 4097);
    }

    void process() {
        VstInt32 frames = frameCount();
        const std::uint8_t layout = in.byte() % 3;  // separate, in place, right output on left input
        const auto leftKind = static_cast<Signal>(in.byte() % static_cast<std::uint8_t>(Signal::Count));
        const auto rightKind = static_cast<Signal>(in.byte() % static_cast<std::uint8_t>(Signal::Count));
        Noise noise(in.u32());
        const Settings settings = currentSettings();
        if (frames > framesLeft) frames = static_cast<VstInt32>(framesLeft);
        if (settings.pitchStages > 0 && frames > pitchFramesLeft / settings.pitchStages)
            frames = static_cast<VstInt32>(pitchFramesLeft / settings.pitchStages);
        const std::size_t n = frames > 0 ? static_cast<std::size_t>(frames) : 0;
        framesLeft -= static_cast<std::int64_t>(n);
        pitchFramesLeft -= static_cast<std::int64_t>(n) * settings.pitchStages;

        GuardedBuffer inL(n), inR(n), outL(n), outR(n);
        fill(inL.data(), n, leftKind, noise);
        fill(inR.data(), n, rightKind, noise);
        float* inputs[2] = {inL.data(), inR.data()};
        float* outputs[2] = {outL.data(), outR.data()};
        bool leftSeparate = true, rightSeparate = true;
        if (layout == 1) {
            outputs[0] = inputs[0];
            outputs[1] = inputs[1];
            leftSeparate = rightSeparate = false;
        } else if (layout == 2) {
            outputs[1] = inputs[0];
            leftSeparate = false;
        }
        const std::vector<float> leftCopy(inL.storage), rightCopy(inR.storage);

        const bool qualifies = isModerate(leftKind) && isModerate(rightKind) && settings.loopCannotGrow;
        const bool mustBeFinite = qualifies && trusted;

        if (tracing)
            std::fprintf(stderr, "processReplacing(%d frames, layout %d, signals %d %d)%s\n", frames, layout,
                         static_cast<int>(leftKind), static_cast<int>(rightKind), mustBeFinite ? " checked" : "");
        effect->processReplacing(effect, inputs, outputs, frames);

        const std::string block = " (block of " + std::to_string(frames) + " frames, layout " +
                                  std::to_string(layout) + ")";
        if (!inL.guardsIntact() || !inR.guardsIntact() || !outL.guardsIntact() || !outR.guardsIntact())
            return fail("processing wrote outside the frame count" + block);
        if (leftSeparate && std::memcmp(leftCopy.data(), inL.storage.data(), leftCopy.size() * sizeof(float)) != 0)
            return fail("processing changed the separate left input" + block);
        if (rightSeparate &&
            std::memcmp(rightCopy.data(), inR.storage.data(), rightCopy.size() * sizeof(float)) != 0)
            return fail("processing changed the separate right input" + block);
        if (mustBeFinite) {
            for (int c = 0; c < 2; ++c)
                for (std::size_t i = 0; i < n; ++i)
                    if (!std::isfinite(outputs[c][i]))
                        return fail("output " + std::to_string(c) + " not finite at frame " + std::to_string(i) +
                                    (recovering ? " after recovery" : "") + block);
        }

        if (!qualifies) {
            trusted = false;
            recovering = false;
        } else if (recovering) {
            recoveredFrames += static_cast<std::int64_t>(n);
            if (recoveredFrames >= kRecoveryFrames) trusted = true;
        }
    }
};

}  // namespace

std::string runHostSession(VstPluginMainProc entry, const std::uint8_t* data, std::size_t size) {
    AEffect* effect = entry(quietHost);
    if (!effect) return "the entry point returned no record";
    ByteReader in(data, size);
    return Session(effect, in).play();
}

}  // namespace kelvorn::fuzz
