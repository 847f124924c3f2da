// Every failure the command can meet: one line on stderr naming the
// problem, a non-zero exit status, no crash, and no output file.
#include <gtest/gtest.h>

#include <fstream>

#include "KelvornRun.h"

namespace {

struct ErrorCase {
    const char* what;
    std::vector<std::string> args;  // "DIR" is replaced by the scratch folder
    int status;
    std::string message;  // expected in the line on stderr
};

}  // namespace

TEST(Errors, OneLineNonZeroStatusAndNoOutput) {
    ScratchDir dir;
    std::vector<float> stereo(2000, 0.1f), three(3000, 0.1f);
    writeAudio(dir / "in.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2, 44100, stereo);
    writeAudio(dir / "three.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 3, 44100, three);
    std::ofstream(dir / "notes.txt") << "not audio at all\n";
    std::ofstream(dir / "fake.so") << "not a shared library\n";
    const std::string gain = fakeModule("Gain");

    const ErrorCase cases[] = {
        {"missing input", {"render", "DIR/missing.wav", "DIR/out.wav"}, 1,
         "cannot read input 'DIR/missing.wav': No such file or directory"},
        {"directory as input", {"render", "DIR", "DIR/out.wav"}, 1, "cannot read input 'DIR': it is a directory"},
        {"unsupported format", {"render", "DIR/notes.txt", "DIR/out.wav"}, 1,
         "cannot read input 'DIR/notes.txt': Format not recognised"},
        {"three channels", {"render", "DIR/three.wav", "DIR/out.wav"}, 1,
         "input 'DIR/three.wav' has 3 channels; kelvorn renders mono or stereo files only"},
        {"unknown output format", {"render", "DIR/in.wav", "DIR/out.wav", "--format", "mp3"}, 1,
         "unknown output format 'mp3' (choose one of wav16, wav24"},
        {"input given without output", {"render", "DIR/in.wav"}, 1,
         "'DIR/in.wav' exists; with one file name kelvorn renders the demo signal into it and replaces no existing file"},
        {"no format for the demo", {"render", "DIR/out"}, 1, "cannot tell the output format from 'DIR/out'"},
        {"output folder missing", {"render", "DIR/in.wav", "DIR/nowhere/out.wav"}, 1,
         "cannot write output 'DIR/nowhere/out.wav': No such file or directory"},
        {"output is a directory", {"render", "DIR/in.wav", "DIR"}, 1, "output 'DIR' is a directory"},
        {"unknown program name", {"render", "DIR/in.wav", "DIR/out.wav", "--plugin", gain, "--program", "Loud"}, 1,
         "no program named 'Loud' (kelvorn info lists them)"},
        {"program number too large", {"render", "DIR/in.wav", "DIR/out.wav", "--plugin", gain, "--program", "2"}, 1,
         "program 2 does not exist: the plug-in has programs 0 to 1"},
        {"unknown parameter", {"render", "DIR/in.wav", "DIR/out.wav", "--plugin", gain, "--set", "Volume=0.5"}, 1,
         "no parameter named 'Volume' (kelvorn info lists them)"},
        {"value above 1", {"render", "DIR/in.wav", "DIR/out.wav", "--plugin", gain, "--set", "Gain=1.5"}, 1,
         "value 1.5 for Gain is outside 0..1"},
        {"value below 0", {"render", "DIR/in.wav", "DIR/out.wav", "--plugin", gain, "--set", "Gain=-0.1"}, 1,
         "value -0.1 for Gain is outside 0..1"},
        {"value not a number", {"render", "DIR/in.wav", "DIR/out.wav", "--plugin", gain, "--set", "Gain=loud"}, 1,
         "value 'loud' for Gain is not a number"},
        {"setting without value", {"render", "DIR/in.wav", "DIR/out.wav", "--plugin", gain, "--set", "Gain"}, 1,
         "--set wants NAME=VALUE, got 'Gain'"},
        {"Kelvorn: program 16", {"render", "DIR/in.wav", "DIR/out.wav", "--program", "16"}, 1,
         "program 16 does not exist: the plug-in has programs 0 to 15"},
        {"Kelvorn: unknown program", {"render", "DIR/in.wav", "DIR/out.wav", "--program", "Reverb"}, 1,
         "no program named 'Reverb'"},
        {"Kelvorn: misspelt parameter", {"render", "DIR/in.wav", "DIR/out.wav", "--set", "W1Dlay=0.5"}, 1,
         "no parameter named 'W1Dlay'"},
        {"module missing", {"render", "DIR/in.wav", "DIR/out.wav", "--plugin", "DIR/none.so"}, 1,
         "cannot load plug-in module 'DIR/none.so': No such file or directory"},
        {"module not a library", {"info", "--plugin", "DIR/fake.so"}, 1,
         "cannot load plug-in module: DIR/fake.so: file too short"},
        {"module without entry point", {"info", "--plugin", fakeModule("NoEntry")}, 1,
         "plug-in module '" + fakeModule("NoEntry") + "' has no VSTPluginMain or main entry point"},
        {"module returning a null record", {"info", "--plugin", fakeModule("NullRecord")}, 1,
         "plug-in module '" + fakeModule("NullRecord") + "' returned no plug-in record"},
        {"module crashing while processing", {"render", "DIR/in.wav", "DIR/out.wav", "--plugin", fakeModule("Crash")}, 70,
         "the plug-in crashed (SIGSEGV); no output was written"},
        {"no arguments", {}, 2, "A subcommand is required"},
        {"no output", {"render"}, 2, "render needs an output file: kelvorn render [IN] OUT [options]"},
        {"block of 0 frames", {"render", "DIR/in.wav", "DIR/out.wav", "--block", "0"}, 2, "--block"},
        {"negative tail", {"render", "DIR/in.wav", "DIR/out.wav", "--tail", "-1"}, 2, "--tail wants seconds from 0 to 3600"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args;
        for (std::string a : c.args) {
            for (auto at = a.find("DIR"); at != std::string::npos; at = a.find("DIR")) a.replace(at, 3, dir.path);
            args.push_back(a);
        }
        std::string message = c.message;
        for (auto at = message.find("DIR"); at != std::string::npos; at = message.find("DIR"))
            message.replace(at, 3, dir.path);
        const auto run = runKelvorn(args);
        EXPECT_EQ(run.status, c.status) << c.what << ": " << run.err;
        EXPECT_EQ(run.errLines(), 1) << c.what << ": " << run.err;
        EXPECT_EQ(run.err.rfind("kelvorn: error: ", 0), 0u) << c.what << ": " << run.err;
        EXPECT_NE(run.err.find(message), std::string::npos) << c.what << ": " << run.err;
        EXPECT_EQ(run.out, "") << c.what;
        EXPECT_EQ(dir.entries(), (std::vector<std::string>{"fake.so", "in.wav", "notes.txt", "three.wav"})) << c.what;
    }
}

// A module named without a folder is the file in the current folder, as the
// user means it, not a library searched for on the system's library path.
TEST(Errors, AModuleNamedWithoutAFolderIsLookedForInTheCurrentFolder) {
    ScratchDir dir;
    std::ofstream(dir / "fake.so") << "not a shared library\n";
    const auto run = runKelvorn({"info", "--plugin", "fake.so"}, dir.path);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("cannot load plug-in module: " + (dir / "fake.so") + ": file too short"), std::string::npos)
        << run.err;
}
