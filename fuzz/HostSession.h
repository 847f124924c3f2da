// Plays one host session, decoded from arbitrary bytes, against a fresh
// plug-in instance reached only through its record, and checks after every
// step what any host may rely on:
//   - no output sample is written outside the frame count (guard zones around
//     every buffer, text buffers included);
//   - input buffers that are not also outputs come back unchanged;
//   - with finite input of moderate level (|x| <= 1) and every parameter in
//     0..1, the output is finite whenever the walls' loop cannot grow (wall 2
//     off, or both gain factors at most 0.5 and no pitch stage in the loop);
//   - after anything else (non-finite or huge input, parameters outside 0..1,
//     a loop that may grow), a resume followed by a few seconds of such input
//     makes the output finite again.
//
// Used by the libFuzzer target and by the corpus replay test; single thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "VstInterface.h"

namespace kelvorn::fuzz {

// Frames processed per session at most, so that one input stays well under
// a second even under the sanitizers.
constexpr std::int64_t kMaxFramesPerSession = 1 << 18;

// Frames passed through a pitch stage per session at most (counted once per
// stage at work): the phase vocoder costs far more per frame than the rest.
constexpr std::int64_t kMaxPitchFramesPerSession = 1 << 13;

// Frames of qualifying input after a resume before finite output is required
// again: three seconds at the construction rate.
constexpr std::int64_t kRecoveryFrames = 3 * 44100;

// Creates an instance with `entry`, plays the session that `data` encodes and
// closes the instance. Returns an empty text when every check held, else a
// description of the first broken one.
std::string runHostSession(VstPluginMainProc entry, const std::uint8_t* data, std::size_t size);

}  // namespace kelvorn::fuzz
