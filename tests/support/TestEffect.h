// A minimal effect for testing the host interface apart from the real
// effect: two parameters, three programs, and counters of the notifications
// the base classes deliver.
#pragma once

#include <string>
#include <vector>

#include "AudioEffectX.h"

class TestEffect : public AudioEffectX {
public:
    explicit TestEffect(audioMasterCallback audioMaster) : AudioEffectX(audioMaster, 3, 2) {}

    void open() override { log.push_back("open"); }
    void close() override { log.push_back("close"); }
    void suspend() override { log.push_back("suspend"); }
    void resume() override {
        log.push_back("resume");
        AudioEffectX::resume();
    }
    void setProgram(VstInt32 program) override {
        log.push_back("setProgram " + std::to_string(program));
        AudioEffectX::setProgram(program);
    }
    void setParameter(VstInt32 index, float value) override {
        log.push_back("setParameter " + std::to_string(index) + " " + std::to_string(value));
        if (index >= 0 && index < 2) params[index] = value;
    }
    float getParameter(VstInt32 index) override { return index >= 0 && index < 2 ? params[index] : 0.0f; }
    VstInt32 getChunk(void** data, bool isPreset) override {
        log.push_back(std::string("getChunk ") + (isPreset ? "preset" : "bank"));
        return AudioEffectX::getChunk(data, isPreset);
    }
    VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset) override {
        log.push_back("setChunk " + std::to_string(byteSize) + (isPreset ? " preset" : " bank"));
        return AudioEffectX::setChunk(data, byteSize, isPreset);
    }
    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override {
        for (VstInt32 i = 0; i < sampleFrames; ++i) outputs[0][i] = inputs[0][i] * params[0];
    }

    // Lets tests attach an editor or look at protected state.
    void attachEditor(AEffEditor* e) { editor = e; }
    std::vector<std::string> log;
    float params[2] = {0.0f, 0.0f};
};
