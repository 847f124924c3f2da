// Numbers as the short texts that hosts show for parameters.
//
// Every function writes into a caller's buffer of at least maxLen + 1 bytes:
// the complete text cut to its first maxLen characters and terminated at or
// before index maxLen. Nothing is ever written past index maxLen, and a
// maxLen of 0 or less gives the empty text (0 writes only the terminator,
// below 0 writes nothing). No state, no allocation, no locks: safe on any
// thread, the audio thread included.
#pragma once

#include "VstInterface.h"

// Copies src, cut to maxLen characters, and terminates it.
void copyText(char* text, const char* src, VstInt32 maxLen);

// A decimal text within a budget of 8 characters (sign, integer digits,
// point, fraction digits), fraction digits truncated, never rounded.
// Beyond 99999999 or below -9999999 (infinities included): "Huge!".
// Integer parts too long for the point (10000000 up, -1000000 down): the
// digits alone, e.g. "12345678" and "-1234567". NaN: "NaN".
void formatFloat(float value, char* text, VstInt32 maxLen);

// A decimal integer text. From 100000000 up and below -999999999: "Huge!";
// zero: "0".
void formatInteger(VstInt32 value, char* text, VstInt32 maxLen);

// The numbers that the decibel, hertz and millisecond texts show.
// decibelsOf expects a gain above 0 (the caller shows "-oo" otherwise).
float decibelsOf(float gain);
// 0 samples give 0 rather than a division by zero; so does a rate of 0.
float hertzOf(float samples, float sampleRate);
// A rate of 0 gives an infinite duration (shown as "Huge!"), except for
// 0 samples, which last 0 ms at any rate.
float millisecondsOf(float samples, float sampleRate);
