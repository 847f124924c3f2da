#include "RenderJob.h"

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

#include "AudioFileReader.h"
#include "AudioFileWriter.h"
#include "CrashGuard.h"
#include "DemoSignal.h"
#include "HostError.h"
#include "HostedPlugin.h"
#include "OutputFormat.h"
#include "PluginSettings.h"
#include "ProgressBar.h"
#include "TailDetector.h"

namespace {

// The output must never replace the input, whatever names lead to it
// (links, "./a.wav" and "a.wav"): compare the files themselves.
void refuseToOverwriteInput(const std::string& input, const std::string& output) {
    struct stat in {}, out {};
    if (stat(input.c_str(), &in) == 0 && stat(output.c_str(), &out) == 0 && in.st_dev == out.st_dev &&
        in.st_ino == out.st_ino)
        throw HostError("output '" + output + "' is the input file; kelvorn never overwrites its input");
}

TailDetector makeTail(const HostedPlugin& plugin, const RenderOptions& options, int rate) {
    if (options.tailSeconds) return TailDetector::fixedLength(std::llround(*options.tailSeconds * rate));
    const bool ours = plugin.record().uniqueID == fourCharCode('Q', 'O', 'V', 'l');
    const std::int64_t window = ours ? kKelvornDelayLine : std::llround(kForeignQuietSeconds * rate);
    return TailDetector::untilQuiet(window, std::llround(kTailCapSeconds * rate));
}

std::string seconds(std::int64_t frames, int rate) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f s", static_cast<double>(frames) / rate);
    return text;
}

}  // namespace

RenderResult renderFile(HostedPlugin& plugin, const RenderOptions& options) {
    std::unique_ptr<SignalSource> source;
    if (options.input) {
        source = std::make_unique<AudioFileReader>(*options.input);
        refuseToOverwriteInput(*options.input, options.output);
    } else {
        // One file name alone names the output of the demo signal; if that
        // file exists, it is more likely an input whose output was forgotten
        // than something to replace.
        struct stat st {};
        if (stat(options.output.c_str(), &st) == 0 && !S_ISDIR(st.st_mode))
            throw HostError("'" + options.output + "' exists; with one file name kelvorn renders the demo signal into it " +
                            "and replaces no existing file (to render a file: kelvorn render IN OUT)");
        source = std::make_unique<DemoSignal>();
    }
    const int rate = source->sampleRate();
    const int inChannels = source->channels();
    const AEffect& record = plugin.record();
    const int numInputs = record.numInputs;
    const int numOutputs = record.numOutputs;
    const int outChannels = std::min(numOutputs, 2);
    const OutputFormat format =
        chooseOutputFormat(options.format, source->fileFormat(), options.output, outChannels, rate);

    applySettings(plugin, options.program, options.settings);

    const std::size_t block = static_cast<std::size_t>(options.blockSize);
    std::vector<std::vector<float>> inBuffers(std::max(numInputs, 1), std::vector<float>(block, 0.0f));
    std::vector<std::vector<float>> outBuffers(numOutputs, std::vector<float>(block, 0.0f));
    std::vector<float*> inPointers, outPointers;
    for (auto& b : inBuffers) inPointers.push_back(b.data());
    for (auto& b : outBuffers) outPointers.push_back(b.data());
    std::vector<float> inInterleaved(block * inChannels), outInterleaved(block * outChannels);

    AudioFileWriter writer(options.output, format, outChannels, rate);
    TailDetector tail = makeTail(plugin, options, rate);
    ProgressBar progress(source->frames(), rate);

    auto processAndWrite = [&](std::size_t frames, bool inTail) {
        if (CrashGuard::interrupted()) throw HostError("interrupted; no output was written");
        plugin.process(inPointers.data(), outPointers.data(), static_cast<VstInt32>(frames));
        const std::size_t keep = inTail ? tail.accept(outPointers.data(), outChannels, frames) : frames;
        for (std::size_t i = 0; i < keep; ++i)
            for (int c = 0; c < outChannels; ++c) outInterleaved[i * outChannels + c] = outBuffers[c][i];
        writer.write(outInterleaved.data(), keep);
    };

    plugin.start(static_cast<float>(rate), options.blockSize);
    std::int64_t inputFrames = 0;
    for (;;) {
        const std::size_t n = source->read(inInterleaved.data(), block);
        if (n == 0) break;
        // A mono input feeds both of the plug-in's first two inputs.
        for (int c = 0; c < numInputs; ++c) {
            float* dst = inBuffers[c].data();
            if (c < 2) {
                const int from = inChannels == 2 ? c : 0;
                for (std::size_t i = 0; i < n; ++i) dst[i] = inInterleaved[i * inChannels + from];
            } else {
                std::fill(dst, dst + n, 0.0f);
            }
        }
        processAndWrite(n, false);
        inputFrames += static_cast<std::int64_t>(n);
        progress.update(inputFrames, 0);
        if (n < block) break;
    }
    for (auto& b : inBuffers) std::fill(b.begin(), b.end(), 0.0f);
    while (!tail.done()) {
        const auto frames = static_cast<std::size_t>(std::min<std::int64_t>(static_cast<std::int64_t>(block), tail.remaining()));
        processAndWrite(frames, true);
        progress.update(inputFrames, tail.rendered());
    }
    plugin.stop();
    writer.commit();

    RenderResult result;
    result.summary = "wrote " + options.output + " (" + format.description + ", " + std::to_string(outChannels) +
                     (outChannels == 1 ? " channel, " : " channels, ") + std::to_string(rate) + " Hz, " +
                     seconds(writer.framesWritten(), rate) + " including a " + seconds(tail.rendered(), rate) +
                     " tail) from " + source->description();
    const float peak = writer.peak();
    if (format.isInteger() && peak > 1.0f) {
        char text[256];
        if (std::isfinite(peak))
            std::snprintf(text, sizeof text,
                          "the output went %.1f dB over full scale (peak %+.1f dBFS) and was clipped; "
                          "--format wavfloat keeps the peaks",
                          20.0 * std::log10(static_cast<double>(peak)), 20.0 * std::log10(static_cast<double>(peak)));
        else
            std::snprintf(text, sizeof text, "the plug-in produced non-finite samples; they were clipped");
        result.warning = text;
    }
    return result;
}
