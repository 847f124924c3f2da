// The speaker-arrangement tools: blocks sized by their channel count,
// bounded name copies, and matching one arrangement to another.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <limits>

#include "TestEffect.h"

namespace {

std::size_t blockBytes(VstInt32 channels) { return 8 + 112 * static_cast<std::size_t>(channels); }

// Every byte of a made block is zero but numChannels.
void expectFreshBlock(VstSpeakerArrangement* a, VstInt32 channels) {
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->type, 0);
    EXPECT_EQ(a->numChannels, channels);
    const auto* bytes = reinterpret_cast<const unsigned char*>(a);
    for (std::size_t i = 8; i < blockBytes(channels); ++i) ASSERT_EQ(bytes[i], 0) << "byte " << i;
}

VstSpeakerProperties speaker(const char* name, VstInt32 type, float azimuth) {
    VstSpeakerProperties s;
    std::memset(&s, 0, sizeof s);
    std::strncpy(s.name, name, sizeof s.name - 1);
    s.type = type;
    s.azimuth = azimuth;
    s.elevation = azimuth + 1;
    s.radius = azimuth + 2;
    s.reserved = azimuth + 3;
    std::memset(s.future, type & 0xff, sizeof s.future);
    return s;
}

// Speaker i of an arrangement; made blocks may hold more speakers than the
// declared array, so they are reached through a pointer.
VstSpeakerProperties& speakerOf(VstSpeakerArrangement* a, VstInt32 i) {
    VstSpeakerProperties* speakers = a->speakers;
    return speakers[i];
}

// An arrangement of n speakers laid out as the tools lay it out.
VstSpeakerArrangement* makeArrangement(TestEffect& effect, VstInt32 type, VstInt32 n) {
    VstSpeakerArrangement* a = nullptr;
    if (!effect.allocateArrangement(&a, n)) return nullptr;
    a->type = type;
    for (VstInt32 i = 0; i < n; ++i) speakerOf(a, i) = speaker(("speaker " + std::to_string(i)).c_str(), i + 1, 0.25f * i);
    return a;
}

TEST(SpeakerArrangement, AllocateMakesAZeroedBlockSizedByTheCount) {
    TestEffect effect(nullptr);
    for (VstInt32 channels : {0, 1, 2, 8, 9, 64}) {
        VstSpeakerArrangement* a = nullptr;
        ASSERT_TRUE(effect.allocateArrangement(&a, channels)) << channels;
        expectFreshBlock(a, channels);
        EXPECT_TRUE(effect.deallocateArrangement(&a));
        EXPECT_EQ(a, nullptr);
    }
}

TEST(SpeakerArrangement, AllocateReplacesTheBlockAlreadyHeld) {
    TestEffect effect(nullptr);
    VstSpeakerArrangement* a = makeArrangement(effect, 7, 3);
    ASSERT_NE(a, nullptr);
    ASSERT_TRUE(effect.allocateArrangement(&a, 2));  // the old block is released (leak checkers see it)
    expectFreshBlock(a, 2);
    effect.deallocateArrangement(&a);
}

TEST(SpeakerArrangement, AllocateRefusesWhatItCannotMake) {
    TestEffect effect(nullptr);
    // A negative count is refused and leaves the held block alone.
    VstSpeakerArrangement* a = makeArrangement(effect, 7, 2);
    EXPECT_FALSE(effect.allocateArrangement(&a, -1));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->numChannels, 2);
    EXPECT_EQ(a->type, 7);
    EXPECT_FALSE(effect.allocateArrangement(nullptr, 2));

    if constexpr (sizeof(std::size_t) == 4) {
        // Here 8 + 112 * count does not fit a size: refused, and the released
        // block is not left behind in the pointer.
        EXPECT_FALSE(effect.allocateArrangement(&a, std::numeric_limits<VstInt32>::max()));
        EXPECT_EQ(a, nullptr);
    }
    effect.deallocateArrangement(&a);
}

TEST(SpeakerArrangement, DeallocateAnswersTrueInEveryCase) {
    TestEffect effect(nullptr);
    VstSpeakerArrangement* a = nullptr;
    EXPECT_TRUE(effect.deallocateArrangement(&a));
    EXPECT_TRUE(effect.deallocateArrangement(nullptr));
    a = makeArrangement(effect, 1, 1);
    EXPECT_TRUE(effect.deallocateArrangement(&a));
    EXPECT_EQ(a, nullptr);
}

TEST(SpeakerArrangement, CopySpeakerCopiesEveryFieldAndBoundsTheName) {
    TestEffect effect(nullptr);
    VstSpeakerProperties from = speaker("left", 5, 0.5f);
    VstSpeakerProperties to;
    std::memset(&to, 0x7f, sizeof to);
    ASSERT_TRUE(effect.copySpeaker(&to, &from));
    EXPECT_EQ(std::memcmp(&to, &from, sizeof to), 0);  // the name's tail is zeroed, as in the source

    // A name that runs past its field (into type and future) is cut to 63
    // characters and terminated.
    VstSpeakerProperties longName = speaker("", 0x41414141, 1.0f);
    std::memset(longName.name, 'x', sizeof longName.name);
    ASSERT_TRUE(effect.copySpeaker(&to, &longName));
    EXPECT_EQ(std::strlen(to.name), 63u);
    EXPECT_EQ(to.name[63], 0);
    EXPECT_EQ(to.type, 0x41414141);

    // Copying a speaker onto itself changes nothing.
    VstSpeakerProperties same = from;
    ASSERT_TRUE(effect.copySpeaker(&same, &same));
    EXPECT_EQ(std::memcmp(&same, &from, sizeof same), 0);
}

TEST(SpeakerArrangement, CopySpeakerRefusesNull) {
    TestEffect effect(nullptr);
    VstSpeakerProperties s = speaker("centre", 3, 0.0f);
    const VstSpeakerProperties before = s;
    EXPECT_FALSE(effect.copySpeaker(&s, nullptr));
    EXPECT_FALSE(effect.copySpeaker(nullptr, &s));
    EXPECT_EQ(std::memcmp(&s, &before, sizeof s), 0);
}

TEST(SpeakerArrangement, MatchMakesAnEqualArrangement) {
    TestEffect effect(nullptr);
    for (VstInt32 channels : {0, 2, 10}) {
        VstSpeakerArrangement* from = makeArrangement(effect, 42, channels);
        VstSpeakerArrangement* to = makeArrangement(effect, 9, 5);  // replaced
        ASSERT_TRUE(effect.matchArrangement(&to, from)) << channels;
        ASSERT_NE(to, from);
        EXPECT_EQ(std::memcmp(to, from, blockBytes(channels)), 0) << channels;
        effect.deallocateArrangement(&to);
        effect.deallocateArrangement(&from);
    }
}

TEST(SpeakerArrangement, MatchRefusesANullSourceAndLeavesTheTarget) {
    TestEffect effect(nullptr);
    VstSpeakerArrangement* to = makeArrangement(effect, 9, 1);
    VstSpeakerArrangement* held = to;
    EXPECT_FALSE(effect.matchArrangement(&to, nullptr));
    EXPECT_EQ(to, held);
    EXPECT_EQ(to->numChannels, 1);
    EXPECT_FALSE(effect.matchArrangement(nullptr, to));
    effect.deallocateArrangement(&to);
}

TEST(SpeakerArrangement, MatchWithItselfKeepsTheArrangement) {
    TestEffect effect(nullptr);
    VstSpeakerArrangement* a = makeArrangement(effect, 42, 2);
    VstSpeakerArrangement* held = a;
    EXPECT_TRUE(effect.matchArrangement(&a, a));
    EXPECT_EQ(a, held);
    EXPECT_EQ(a->type, 42);
    EXPECT_EQ(a->numChannels, 2);
    EXPECT_STREQ(speakerOf(a, 1).name, "speaker 1");
    effect.deallocateArrangement(&a);
}

// Overrides take part in matching, so their failures stop it.
class FailingTools : public TestEffect {
public:
    FailingTools() : TestEffect(nullptr) {}
    int copiesAllowed = 1 << 30;
    bool allocationWorks = true;
    bool allocateArrangement(VstSpeakerArrangement** a, VstInt32 channels) override {
        return allocationWorks && TestEffect::allocateArrangement(a, channels);
    }
    bool copySpeaker(VstSpeakerProperties* to, VstSpeakerProperties* from) override {
        return copiesAllowed-- > 0 && TestEffect::copySpeaker(to, from);
    }
};

TEST(SpeakerArrangement, MatchStopsAtTheFirstFailure) {
    FailingTools effect;
    VstSpeakerArrangement* from = makeArrangement(effect, 42, 3);

    effect.copiesAllowed = 1;
    VstSpeakerArrangement* to = nullptr;
    EXPECT_FALSE(effect.matchArrangement(&to, from));
    ASSERT_NE(to, nullptr);
    EXPECT_EQ(to->type, 42);
    EXPECT_STREQ(speakerOf(to, 0).name, "speaker 0");  // copied before the failure
    EXPECT_STREQ(speakerOf(to, 1).name, "");
    effect.deallocateArrangement(&to);

    effect.allocationWorks = false;
    to = makeArrangement(effect, 1, 1);
    EXPECT_EQ(to, nullptr);  // the failing allocation makes none either
    EXPECT_FALSE(effect.matchArrangement(&to, from));
    EXPECT_EQ(to, nullptr);

    effect.allocationWorks = true;
    effect.deallocateArrangement(&from);
}

// A negative count in the source cannot be matched.
TEST(SpeakerArrangement, MatchRefusesANegativeSourceCount) {
    TestEffect effect(nullptr);
    VstSpeakerArrangement from{};
    from.numChannels = -3;
    VstSpeakerArrangement* to = nullptr;
    EXPECT_FALSE(effect.matchArrangement(&to, &from));
    EXPECT_EQ(to, nullptr);
}

}  // namespace
