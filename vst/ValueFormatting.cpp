#include "ValueFormatting.h"

#include <cmath>

namespace {

constexpr int kBudget = 8;  // characters of a float text, sign and point included
constexpr char kHuge[] = "Huge!";

// One decimal digit of a non-negative double below 10 (the result of fmod),
// truncated. The range is checked so that no conversion can overflow.
char digitOf(double d) {
    if (!(d > 0.0)) return '0';
    if (d >= 9.0) return '9';
    return static_cast<char>('0' + static_cast<int>(d));
}

}  // namespace

void copyText(char* text, const char* src, VstInt32 maxLen) {
    if (maxLen < 0) return;
    VstInt32 i = 0;
    for (; i < maxLen && src[i] != 0; ++i) text[i] = src[i];
    text[i] = 0;
}

void formatFloat(float value, char* text, VstInt32 maxLen) {
    double v = value;  // exact widening; all arithmetic below is in double
    if (std::isnan(v)) {
        // floor and fmod of a NaN give NaN digits that no integer can hold.
        copyText(text, "NaN", maxLen);
        return;
    }
    const bool negative = v < 0.0;
    int c = 0;
    if (negative) {
        v = -v;
        c = 1;
        if (v > 9999999.0) return copyText(text, kHuge, maxLen);
    } else if (v > 99999999.0) {
        return copyText(text, kHuge, maxLen);
    }

    // Integer part, right to left, ending in the point. The division by 10 is
    // deliberately not floored: fmod of the unfloored quotient still yields
    // the next digit by truncation.
    char scratch[32];
    int pos = sizeof scratch - 1;
    scratch[pos] = 0;
    scratch[--pos] = '.';
    ++c;
    double i = std::floor(v);
    do {
        scratch[--pos] = digitOf(std::fmod(i, 10.0));
        i /= 10.0;
        ++c;
    } while (i >= 1.0);
    if (negative) scratch[--pos] = '-';

    if (c > kBudget) {
        // Eight integer digits (seven with the sign) fill the budget without
        // the point; the digits alone still read as the right number.
        scratch[sizeof scratch - 2] = 0;
        return copyText(text, &scratch[pos], maxLen);
    }
    const int head = static_cast<int>(sizeof scratch) - 1 - pos;  // == c
    copyText(text, &scratch[pos], maxLen);
    if (c >= kBudget || head >= maxLen) return;

    // Fraction digits, right to left, truncated.
    const int n = kBudget - c;
    char fraction[kBudget + 1];
    fraction[n] = 0;
    double m = std::fmod(v, 1.0) * std::pow(10.0, n);
    for (int k = n - 1; k >= 0; --k) {
        if (m <= 0.0) {
            fraction[k] = '0';
        } else {
            fraction[k] = digitOf(std::fmod(m, 10.0));
            m /= 10.0;
        }
    }
    copyText(text + head, fraction, maxLen - head);
}

void formatInteger(VstInt32 value, char* text, VstInt32 maxLen) {
    if (value >= 100000000 || value < -999999999) return copyText(text, kHuge, maxLen);
    if (value == 0) return copyText(text, "0", maxLen);

    char full[16];
    int len = 0;
    // value > -10^9 here, so its magnitude never overflows (INT_MIN included above).
    VstInt32 rest = value;
    if (value < 0) {
        full[len++] = '-';
        rest = -value;
    }
    bool started = false;
    for (VstInt32 place = 100000000; place >= 1; place /= 10) {
        const VstInt32 digit = rest / place;
        rest -= digit * place;
        if (digit != 0) started = true;
        if (started) full[len++] = static_cast<char>('0' + digit);
    }
    full[len] = 0;
    copyText(text, full, maxLen);
}

float decibelsOf(float gain) {
    const float lg = static_cast<float>(std::log10(static_cast<double>(gain)));
    return static_cast<float>(20.0 * lg);
}

float hertzOf(float samples, float sampleRate) {
    if (samples == 0.0f) return 0.0f;
    return static_cast<float>(static_cast<double>(sampleRate) / samples);
}

float millisecondsOf(float samples, float sampleRate) {
    if (samples == 0.0f) return 0.0f;  // and not 0/0 at a rate of 0
    return static_cast<float>(samples * 1000.0 / sampleRate);
}
