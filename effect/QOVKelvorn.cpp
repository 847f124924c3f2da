#include "QOVKelvorn.h"

QOVKelvorn::QOVKelvorn(audioMasterCallback audioMaster) : AudioEffectX(audioMaster, 16, 9) {
    canProcessReplacing();
    setNumInputs(2);
    setNumOutputs(2);
    setUniqueID(fourCharCode('Q', 'O', 'V', 'l'));
}

void QOVKelvorn::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) {
    for (VstInt32 i = 0; i < sampleFrames; ++i) {
        outputs[0][i] = inputs[0][i];
        outputs[1][i] = inputs[1][i];
    }
}
