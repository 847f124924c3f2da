// Numbers as the short texts that hosts show for parameters.
//
// Every function writes into a caller's buffer of at least maxLen + 1 bytes:
// the complete text cut to its first maxLen characters and terminated at or
// before index maxLen. Nothing is ever written past index maxLen, and a
// maxLen of 0 or less gives the empty text (0 writes only the terminator,
// below 0 writes nothing). No state, no allocation: safe on any thread.
#pragma once

#include "VstInterface.h"

// Copies src, cut to maxLen characters, and terminates it.
void copyText(char* text, const char* src, VstInt32 maxLen);

// A decimal text of at most 8 characters, digits truncated (never rounded),
// or "Huge!" beyond the limits.
void formatFloat(float value, char* text, VstInt32 maxLen);

// A decimal integer text, or "Huge!" from 100000000 up.
void formatInteger(VstInt32 value, char* text, VstInt32 maxLen);

// The numbers that the decibel, hertz and millisecond texts show.
float decibelsOf(float gain);                         // gain above 0
float hertzOf(float samples, float sampleRate);       // 0 samples give 0
float millisecondsOf(float samples, float sampleRate);
