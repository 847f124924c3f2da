// The factory of the test module.
#include "TestEffect.h"

AudioEffect* createEffectInstance(audioMasterCallback audioMaster) { return new TestEffect(audioMaster); }
