// QOVKelvorn: the two-walls reflection effect. (Placeholder until the effect lands.)
#pragma once

#include "../vst/AudioEffectX.h"

class QOVKelvorn : public AudioEffectX {
public:
    explicit QOVKelvorn(audioMasterCallback audioMaster);
    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
};
