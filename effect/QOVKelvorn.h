// QOVKelvorn: the two-walls reflection effect. The left input goes to wall 1,
// whose reflection may travel on to wall 2 and back; both reflections are
// placed in the stereo field by one angle and mixed with the dry input.
//
// Threads:
// - constructor and destructor: the thread on which the host creates and
//   closes the instance;
// - processReplacing: the host's audio thread;
// - setParameter, getParameter, setProgram: any host thread (automation may
//   arrive on the audio thread); they touch only relaxed atomics;
// - resume, program names, parameter texts and identity answers: the host's
//   main (non-audio) thread.
// Each instance owns all of its state; instances share nothing.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "AudioEffectX.h"
#include "EffectParameters.h"
#include "EffectProgram.h"
#include "PitchShifter.h"
#include "WallPath.h"

class QOVKelvorn : public AudioEffectX {
public:
    // May throw std::bad_alloc; everything obtained so far is released then.
    explicit QOVKelvorn(audioMasterCallback audioMaster);
    ~QOVKelvorn() override;

    void resume() override;
    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;

    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;

    void setProgram(VstInt32 program) override;
    void setProgramName(char* name) override;
    void getProgramName(char* name) override;
    bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;

    void getParameterLabel(VstInt32 index, char* label) override;
    void getParameterDisplay(VstInt32 index, char* text) override;
    void getParameterName(VstInt32 index, char* text) override;

    bool getEffectName(char* name) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    VstInt32 getVendorVersion() override;

    // Longest stretch processed in one pass. A wall's write must not wrap
    // onto positions the same pass still reads, so longer host blocks are
    // processed in consecutive pieces of at most this many frames.
    std::int32_t maxPieceLength() const { return workLength / 2; }

private:
    std::atomic<float>& liveValue(std::int32_t index);
    void processPiece(const float* inLeft, const float* inRight, float* outLeft, float* outRight,
                      std::int32_t frames, bool wall2On);

    std::unique_ptr<EffectProgram[]> programs;
    std::int32_t workLength = 0;
    std::unique_ptr<float[]> wall1Left, wall1Right;
    std::unique_ptr<float[]> wall2Left, wall2Right;
    std::atomic<float> inMix, angle;
    WallPath wall1;
    WallPath wall2;
    std::unique_ptr<float[]> wall1Out;
    std::atomic<float> w1Delay, w1Gain, w1Pitch;
    std::unique_ptr<float[]> wall2Out;
    std::atomic<float> w2Enable, w2Delay, w2Gain, w2Pitch;
    PitchShifter pitchShifter;
};
