// The speaker-arrangement tools of AudioEffectX. An arrangement is a header
// followed by numChannels speaker records, so its size depends on the count.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "AudioEffectX.h"

namespace {

constexpr std::size_t kHeaderBytes = offsetof(VstSpeakerArrangement, speakers);
constexpr std::size_t kSpeakerBytes = sizeof(VstSpeakerProperties);

// The records of an arrangement. Blocks made here may hold more or fewer
// speakers than the declared array, so they are reached through a pointer.
VstSpeakerProperties* speakersOf(VstSpeakerArrangement* arrangement) { return arrangement->speakers; }

}  // namespace

bool AudioEffectX::allocateArrangement(VstSpeakerArrangement** arrangement, VstInt32 channels) {
    if (!arrangement || channels < 0) return false;
    if (*arrangement) {
        std::free(*arrangement);
        // Never leave the caller holding the released block, whatever follows.
        *arrangement = nullptr;
    }
    const auto count = static_cast<std::size_t>(channels);
    // On a 32-bit target a large count would wrap the size around.
    if (count > (SIZE_MAX - kHeaderBytes) / kSpeakerBytes) return false;
    void* block = std::calloc(1, kHeaderBytes + kSpeakerBytes * count);
    if (!block) return false;
    auto* made = static_cast<VstSpeakerArrangement*>(block);
    made->numChannels = channels;
    *arrangement = made;
    return true;
}

bool AudioEffectX::deallocateArrangement(VstSpeakerArrangement** arrangement) {
    if (arrangement && *arrangement) {
        std::free(*arrangement);
        *arrangement = nullptr;
    }
    return true;
}

bool AudioEffectX::copySpeaker(VstSpeakerProperties* to, VstSpeakerProperties* from) {
    if (!to || !from) return false;
    // The source name need not be terminated within its field: read at most
    // 63 bytes, and always leave the target terminated.
    constexpr std::size_t kNameBound = sizeof(to->name) - 1;
    std::size_t i = 0;
    for (; i < kNameBound && from->name[i] != 0; ++i) to->name[i] = from->name[i];
    for (; i < sizeof(to->name); ++i) to->name[i] = 0;
    to->type = from->type;
    to->azimuth = from->azimuth;
    to->elevation = from->elevation;
    to->radius = from->radius;
    to->reserved = from->reserved;
    std::memmove(to->future, from->future, sizeof(to->future));
    return true;
}

bool AudioEffectX::matchArrangement(VstSpeakerArrangement** to, VstSpeakerArrangement* from) {
    if (!from || !to) return false;
    // Matching an arrangement with itself: releasing the target would release
    // the source too, and it already matches.
    if (*to == from) return true;
    if (!deallocateArrangement(to)) return false;
    if (!allocateArrangement(to, from->numChannels)) return false;
    VstSpeakerArrangement* made = *to;
    made->type = from->type;
    for (VstInt32 i = 0; i < made->numChannels; ++i)
        if (!copySpeaker(speakersOf(made) + i, speakersOf(from) + i)) return false;
    return true;
}
