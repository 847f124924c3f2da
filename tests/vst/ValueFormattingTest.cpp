// The texts hosts show for parameter values: the float and integer tables at
// several length bounds, the decibel, hertz and millisecond texts through the
// base class, and the guarantee that nothing is written past the bound.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "AudioEffect.h"
#include "ValueFormatting.h"

namespace {

constexpr char kSentinel = '\x7f';
constexpr int kBufferSize = 40;

// Runs one formatting call into a sentinel-filled buffer; fails the test if
// anything beyond index maxLen changed or the text is not terminated by then.
template <typename Format>
std::string formatted(Format format, VstInt32 maxLen) {
    char buffer[kBufferSize];
    std::memset(buffer, kSentinel, sizeof buffer);
    format(buffer, maxLen);
    const int firstUntouched = maxLen < 0 ? 0 : maxLen + 1;
    for (int i = firstUntouched; i < kBufferSize; ++i) {
        EXPECT_EQ(buffer[i], kSentinel) << "written at index " << i << " with maxLen " << maxLen;
        if (buffer[i] != kSentinel) break;
    }
    if (maxLen < 0) return std::string(buffer, 0);
    const void* end = std::memchr(buffer, 0, static_cast<size_t>(maxLen) + 1);
    EXPECT_NE(end, nullptr) << "not terminated within maxLen " << maxLen;
    return end ? std::string(buffer) : std::string();
}

std::string floatText(float value, VstInt32 maxLen) {
    return formatted([value](char* t, VstInt32 n) { formatFloat(value, t, n); }, maxLen);
}

std::string intText(VstInt32 value, VstInt32 maxLen) {
    return formatted([value](char* t, VstInt32 n) { formatInteger(value, t, n); }, maxLen);
}

// What any text looks like under a shorter bound.
std::string cut(const std::string& s, VstInt32 maxLen) { return s.substr(0, static_cast<size_t>(maxLen)); }

struct FloatCase {
    float value;
    const char* text;  // at maxLen 8
};

const float kInf = std::numeric_limits<float>::infinity();
const float kNaN = std::numeric_limits<float>::quiet_NaN();

const FloatCase kFloatCases[] = {
    {0.0f, "0.000000"},
    {-0.0f, "0.000000"},
    {1.5f, "1.500000"},
    {-1.5f, "-1.50000"},
    {-0.25f, "-0.25000"},
    {0.7f, "0.699999"},  // stored as 0.69999998: truncated, not rounded
    {0.001f, "0.001000"},
    {123.456f, "123.4560"},
    {44100.0f, "44100.00"},
    {1234567.0f, "1234567."},
    {-999999.0f, "-999999."},
    {9999999.0f, "9999999."},
    {0.99999994f, "0.999999"},  // the largest float below 1
    {1e-30f, "0.000000"},
    {-1e-30f, "-0.00000"},
    // Too many integer digits for the point: the digits alone.
    {10000000.0f, "10000000"},
    {12345678.0f, "12345678"},
    {99999992.0f, "99999992"},  // the largest float not above 99999999
    {-1000000.0f, "-1000000"},
    {-1234567.0f, "-1234567"},
    {-9999999.0f, "-9999999"},
    // Beyond the limits.
    {100000000.0f, "Huge!"},
    {-10000000.0f, "Huge!"},
    {std::numeric_limits<float>::max(), "Huge!"},
    {std::numeric_limits<float>::lowest(), "Huge!"},
    {kInf, "Huge!"},
    {-kInf, "Huge!"},
    {kNaN, "NaN"},
    {-kNaN, "NaN"},
};

TEST(FloatToString, TableAtEveryLengthBound) {
    for (const FloatCase& c : kFloatCases) {
        for (VstInt32 maxLen : {8, 4, 2, 1, 0}) {
            EXPECT_EQ(floatText(c.value, maxLen), cut(c.text, maxLen))
                << "value " << c.value << " maxLen " << maxLen;
        }
        EXPECT_EQ(floatText(c.value, 30), c.text) << "a long buffer changes nothing: " << c.value;
    }
}

TEST(FloatToString, ShortBoundsCutTheText) {
    // Spelled out so that a wrong cut cannot hide behind the helper above.
    EXPECT_EQ(floatText(1.5f, 4), "1.50");
    EXPECT_EQ(floatText(-1.5f, 4), "-1.5");
    EXPECT_EQ(floatText(-0.25f, 4), "-0.2");
    EXPECT_EQ(floatText(0.7f, 4), "0.69");
    EXPECT_EQ(floatText(123.456f, 4), "123.");
    EXPECT_EQ(floatText(44100.0f, 4), "4410");
    EXPECT_EQ(floatText(-999999.0f, 4), "-999");
    EXPECT_EQ(floatText(100000000.0f, 4), "Huge");
    EXPECT_EQ(floatText(-1.5f, 2), "-1");
    EXPECT_EQ(floatText(0.0f, 0), "");
}

TEST(FloatToString, NegativeBoundWritesNothing) {
    char buffer[4] = {kSentinel, kSentinel, kSentinel, kSentinel};
    formatFloat(1.5f, buffer, -1);
    formatInteger(15, buffer, -1);
    copyText(buffer, "abc", -5);
    for (char ch : buffer) EXPECT_EQ(ch, kSentinel);
}

TEST(FloatToString, EveryValueWithinTheLimitsTakesExactlyEightCharacters) {
    // A sweep over magnitudes: each text is 8 characters of digits, one
    // optional leading sign and at most one point.
    for (double magnitude = 1e-7; magnitude < 1e8; magnitude *= 1.37) {
        for (float value : {static_cast<float>(magnitude), static_cast<float>(-magnitude)}) {
            if (value < -9999999.0f) continue;
            const std::string text = floatText(value, 8);
            ASSERT_EQ(text.size(), 8u) << value << " gave " << text;
            int points = 0;
            for (size_t i = 0; i < text.size(); ++i) {
                if (text[i] == '.') {
                    ++points;
                } else if (!(i == 0 && text[i] == '-')) {
                    ASSERT_TRUE(text[i] >= '0' && text[i] <= '9') << text;
                }
            }
            EXPECT_LE(points, 1) << text;
            // Truncation: the text never shows more than the value.
            EXPECT_LE(std::fabs(std::stod(text)), std::fabs(static_cast<double>(value))) << text;
        }
    }
}

struct IntCase {
    VstInt32 value;
    const char* text;  // at maxLen 10
};

const IntCase kIntCases[] = {
    {42, "42"},
    {-5, "-5"},
    {1000, "1000"},
    {-1000, "-1000"},
    {1, "1"},
    {-1, "-1"},
    {0, "0"},
    {10203, "10203"},
    {99999999, "99999999"},
    {100000000, "Huge!"},
    {std::numeric_limits<VstInt32>::max(), "Huge!"},
    {-999999999, "-999999999"},
    {-100000000, "-100000000"},
    {-1000000000, "Huge!"},
    {std::numeric_limits<VstInt32>::min(), "Huge!"},
};

TEST(IntToString, TableAtEveryLengthBound) {
    for (const IntCase& c : kIntCases) {
        for (VstInt32 maxLen : {10, 8, 4, 3, 2, 1, 0}) {
            EXPECT_EQ(intText(c.value, maxLen), cut(c.text, maxLen))
                << "value " << c.value << " maxLen " << maxLen;
        }
    }
    EXPECT_EQ(intText(-1234, 3), "-12");
    EXPECT_EQ(intText(12345, 3), "123");
}

// The base class's five operations, with a sample rate set as a host sets it.
class FormattingEffect : public AudioEffect {
public:
    FormattingEffect() : AudioEffect(nullptr, 1, 1) {}
    void processReplacing(float**, float**, VstInt32) override {}
};

// An effect whose float2string marks its text, proving that the decibel,
// hertz and millisecond texts go through the virtual slot.
class MarkingEffect : public FormattingEffect {
public:
    void float2string(float value, char* text, VstInt32 maxLen) override {
        ++calls;
        lastValue = value;
        copyText(text, "mark", maxLen);
    }
    int calls = 0;
    float lastValue = 0.0f;
};

struct UnitCase {
    enum Kind { dB, Hz, ms, floatText, intText } kind;
    float sampleRate;
    float value;
    VstInt32 maxLen;
    const char* text;
};

const UnitCase kUnitCases[] = {
    {UnitCase::dB, 44100.0f, 1.0f, 8, "0.000000"},
    {UnitCase::dB, 44100.0f, 0.5f, 8, "-6.02060"},
    {UnitCase::dB, 44100.0f, 2.0f, 8, "6.020600"},
    {UnitCase::dB, 44100.0f, 0.1f, 8, "-20.0000"},
    {UnitCase::dB, 44100.0f, 0.00001f, 8, "-100.000"},
    {UnitCase::dB, 44100.0f, kInf, 8, "Huge!"},
    {UnitCase::dB, 44100.0f, 0.0f, 8, "-oo"},
    {UnitCase::dB, 44100.0f, -0.0f, 8, "-oo"},
    {UnitCase::dB, 44100.0f, -1.0f, 8, "-oo"},
    {UnitCase::dB, 44100.0f, -kInf, 8, "-oo"},
    {UnitCase::dB, 44100.0f, 0.0f, 2, "-o"},
    {UnitCase::dB, 44100.0f, 0.0f, 0, ""},
    {UnitCase::dB, 44100.0f, 0.5f, 4, "-6.0"},
    {UnitCase::dB, 44100.0f, kNaN, 8, "NaN"},
    {UnitCase::Hz, 44100.0f, 100.0f, 8, "441.0000"},
    {UnitCase::Hz, 44100.0f, 44100.0f, 8, "1.000000"},
    {UnitCase::Hz, 44100.0f, 0.0f, 8, "0.000000"},
    {UnitCase::Hz, 96000.0f, -0.0f, 8, "0.000000"},
    {UnitCase::Hz, 44100.0f, 100.0f, 4, "441."},
    {UnitCase::Hz, 0.0f, 100.0f, 8, "0.000000"},  // no sample rate: 0 Hz
    {UnitCase::ms, 44100.0f, 441.0f, 8, "10.00000"},
    {UnitCase::ms, 44100.0f, 44100.0f, 8, "1000.000"},
    {UnitCase::ms, 48000.0f, 22050.0f, 8, "459.3750"},
    {UnitCase::ms, 44100.0f, 0.0f, 8, "0.000000"},
    {UnitCase::ms, 48000.0f, 22050.0f, 2, "45"},
    {UnitCase::ms, 0.0f, 441.0f, 8, "Huge!"},  // no sample rate: endless
    {UnitCase::ms, 0.0f, -441.0f, 8, "Huge!"},
    {UnitCase::ms, 0.0f, 0.0f, 8, "0.000000"},  // 0 samples last 0 ms at any rate
    {UnitCase::floatText, 44100.0f, 0.7f, 8, "0.699999"},
    {UnitCase::floatText, 44100.0f, 99999992.0f, 8, "99999992"},
    {UnitCase::intText, 44100.0f, 42.0f, 8, "42"},
};

TEST(BaseClassFormatting, DecibelsHertzMillisecondsAndTheCore) {
    for (const UnitCase& c : kUnitCases) {
        FormattingEffect effect;
        effect.setSampleRate(c.sampleRate);
        const std::string text = formatted(
            [&](char* t, VstInt32 n) {
                switch (c.kind) {
                    case UnitCase::dB: effect.dB2string(c.value, t, n); break;
                    case UnitCase::Hz: effect.Hz2string(c.value, t, n); break;
                    case UnitCase::ms: effect.ms2string(c.value, t, n); break;
                    case UnitCase::floatText: effect.float2string(c.value, t, n); break;
                    case UnitCase::intText: effect.int2string(static_cast<VstInt32>(c.value), t, n); break;
                }
            },
            c.maxLen);
        EXPECT_EQ(text, c.text) << "kind " << c.kind << " rate " << c.sampleRate << " value " << c.value
                                << " maxLen " << c.maxLen;
    }
}

TEST(BaseClassFormatting, UnitTextsGoThroughTheVirtualFloatText) {
    MarkingEffect effect;
    effect.setSampleRate(48000.0f);
    char text[9];
    effect.dB2string(0.5f, text, 8);
    EXPECT_STREQ(text, "mark");
    EXPECT_FLOAT_EQ(effect.lastValue, static_cast<float>(20.0 * static_cast<float>(std::log10(0.5))));
    effect.Hz2string(100.0f, text, 8);
    EXPECT_STREQ(text, "mark");
    EXPECT_EQ(effect.lastValue, 480.0f);
    effect.ms2string(22050.0f, text, 8);
    EXPECT_EQ(effect.lastValue, 459.375f);
    effect.Hz2string(0.0f, text, 8);
    EXPECT_EQ(effect.lastValue, 0.0f);
    EXPECT_EQ(effect.calls, 4);
    effect.dB2string(0.0f, text, 8);  // "-oo" needs no number
    EXPECT_STREQ(text, "-oo");
    EXPECT_EQ(effect.calls, 4);
}

}  // namespace
