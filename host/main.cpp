// kelvorn: renders audio files through a VST 2.4 plug-in and describes
// plug-ins, from the command line. Every failure is one line on stderr and a
// non-zero exit status: 1 for a failed job, 2 for a malformed command line,
// 70 when the plug-in crashed, 130 when interrupted.
#include <CLI/CLI.hpp>

#include <cmath>
#include <iostream>
#include <memory>

#include "CrashGuard.h"
#include "DefaultModulePath.h"
#include "HostError.h"
#include "HostedPlugin.h"
#include "InfoPrinter.h"
#include "LoadedModule.h"
#include "OutputFormat.h"
#include "PluginSettings.h"
#include "RenderJob.h"

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr int kExitInterrupted = 130;  // as a shell reports Ctrl-C

int fail(const std::string& message, int status) {
    std::cerr << "kelvorn: error: " << message << "\n";
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"kelvorn: renders audio files through a VST 2.4 plug-in (by default Kelvorn.so built beside it)"};
    app.require_subcommand(1);
    app.set_version_flag("--version", "kelvorn 1.0");

    std::string pluginPath;
    RenderOptions render;
    std::vector<std::string> files;
    std::optional<std::string> infoProgram;

    CLI::App* renderCommand = app.add_subcommand("render", "render IN (or the built-in demo signal) into OUT");
    renderCommand->add_option("files", files, "[IN] OUT: input audio file (optional) and output file")
        ->expected(1, 2);
    renderCommand->add_option("--plugin", pluginPath, "VST 2.4 module to load instead of Kelvorn.so");
    renderCommand->add_option("--program", render.program, "program number or name, e.g. 3 or Echo");
    renderCommand->add_option("--set", render.settings, "NAME=VALUE: set a parameter (value 0..1); repeatable")
        ->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
        ->allow_extra_args(false);
    renderCommand->add_option("--block", render.blockSize, "frames per processing block (default 512)")
        ->check(CLI::Range(1, kMaxBlockSize));
    renderCommand->add_option("--tail", render.tailSeconds,
                              "seconds to render after the input ends (default: until 3 s below -90 dBFS, at most 30 s)");
    renderCommand->add_option("--format", render.format, "output format: " + formatNames() +
                                                             " (default: the input's, or as the output name says)");

    CLI::App* infoCommand = app.add_subcommand("info", "show the plug-in's identity, programs and parameters");
    infoCommand->add_option("--plugin", pluginPath, "VST 2.4 module to load instead of Kelvorn.so");
    infoCommand->add_option("--program", infoProgram, "show the parameters of this program (number or name)");

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::string message = e.what();
        for (char& c : message)
            if (c == '\n') c = ' ';
        return fail(message + " (kelvorn --help shows the usage)", kExitUsage);
    }

    if (*renderCommand && files.empty())
        return fail("render needs an output file: kelvorn render [IN] OUT [options]", kExitUsage);

    CrashGuard::install();
    try {
        if (render.tailSeconds && !(*render.tailSeconds >= 0.0 && *render.tailSeconds <= 3600.0))
            return fail("--tail wants seconds from 0 to 3600", kExitUsage);
        if (pluginPath.empty()) pluginPath = defaultModulePath();
        LoadedModule module(pluginPath);
        auto plugin = std::make_unique<HostedPlugin>(module);
        if (*renderCommand) {
            if (files.size() == 2) render.input = files[0];
            render.output = files.back();
            const RenderResult result = renderFile(*plugin, render);
            plugin.reset();
            if (!result.warning.empty()) std::cerr << "kelvorn: warning: " << result.warning << "\n";
            std::cout << result.summary << "\n";
        } else {
            applySettings(*plugin, infoProgram, {});
            printInfo(*plugin, pluginPath, std::cout);
        }
    } catch (const HostError& e) {
        return fail(e.what(), CrashGuard::interrupted() ? kExitInterrupted : kExitFailure);
    } catch (const std::bad_alloc&) {
        return fail("out of memory", kExitFailure);
    } catch (const std::exception& e) {
        return fail(e.what(), kExitFailure);
    }
    return 0;
}
