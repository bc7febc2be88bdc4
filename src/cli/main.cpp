// quorvane-cli: the program without windows. One invocation is one run of the program:
// every in-memory list starts empty, "option.ini" is read from the working directory,
// and the command's information log goes to stdout.

#include "cli/Cli.h"
#include "core/Error.h"
#include "core/HeapPages.h"
#include "history/AppLocation.h"
#include "history/TextFile.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace qv;
using namespace qv::cli;

void PrintUsage(std::FILE* out)
{
    std::fprintf(out, "usage: quorvane-cli [--app-dir DIR] [--json] COMMAND [ARGS]\n\ncommands:\n");
    for (const auto& [name, command] : Commands())
        std::fprintf(out, "  %s %s\n", name.c_str(), command.Usage.c_str());
}

void PrintJson(const Context& ctx, const std::string* error)
{
    std::string out = "{\"log\":[";
    for (std::size_t i = 0; i < ctx.Host.LogLines.size(); ++i) {
        if (i)
            out += ',';
        out += JsonString(ctx.Host.LogLines[i]);
    }
    out += "],\"messages\":[";
    for (std::size_t i = 0; i < ctx.Host.Messages.size(); ++i) {
        const auto& m = ctx.Host.Messages[i];
        if (i)
            out += ',';
        const char* icon = "none";
        switch (m.Icon) {
        case MessageIcon::Information:
            icon = "information";
            break;
        case MessageIcon::Question:
            icon = "question";
            break;
        case MessageIcon::Warning:
            icon = "warning";
            break;
        case MessageIcon::Error:
            icon = "error";
            break;
        case MessageIcon::None:
            break;
        }
        out += "{\"caption\":" + JsonString(m.Caption) + ",\"text\":" + JsonString(m.Text) +
               ",\"icon\":" + JsonString(icon) + "}";
    }
    out += "],\"labels\":{";
    bool first = true;
    for (const auto& [name, text] : ctx.Host.Labels) {
        if (!first)
            out += ',';
        first = false;
        out += JsonString(name) + ":" + JsonString(text);
    }
    out += "},\"lists\":{";
    first = true;
    for (const auto& [name, value] : ctx.Lists) {
        if (!first)
            out += ',';
        first = false;
        out += JsonString(name) + ":" + value;
    }
    out += "}";
    if (ctx.ReportProgress)
        out += ",\"progress\":{\"position\":" + std::to_string(ctx.Host.ProgressPosition) +
               ",\"maximum\":" + std::to_string(ctx.Host.ProgressMaximum) + "}";
    out += ",\"error\":" + (error ? JsonString(*error) : std::string("null")) + "}\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
}

} // namespace

int main(int argc, char** argv)
{
    qv::UseLargeHeapPages();
    std::vector<std::string> args(argv + 1, argv + argc);
    Context ctx;
    ctx.State.BuildsViews = false;
    const Command* command = nullptr;
    try {
        if (TakeFlag(args, "help") || args.empty()) {
            PrintUsage(args.empty() ? stderr : stdout);
            return args.empty() ? 2 : 0;
        }
        // Global options stand before the command name.
        std::size_t i = 0;
        std::optional<std::string> appDir;
        for (; i < args.size(); ++i) {
            if (args[i] == "--json") {
                ctx.Json = true;
            } else if (args[i] == "--app-dir") {
                if (i + 1 >= args.size())
                    throw UsageError{"--app-dir needs a value"};
                appDir = args[++i];
            } else if (args[i].rfind("--app-dir=", 0) == 0) {
                appDir = args[i].substr(10);
            } else {
                break;
            }
        }
        if (i >= args.size())
            throw UsageError{"no command given"};
        const auto found = Commands().find(args[i]);
        if (found == Commands().end())
            throw UsageError{"unknown command " + args[i]};
        command = &found->second;
        args.erase(args.begin(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1);
        if (TakeFlag(args, "json"))
            ctx.Json = true;
        if (auto dir = TakeOption(args, "app-dir"))
            appDir = dir;

        const auto location = LocateAppDir(
            AppPaths::ExecutableDir(), appDir ? std::optional<std::filesystem::path>(*appDir) : std::nullopt);
        ctx.State.Paths.SetDir(location.AppDir);
        RemoveStaleTempFiles(location.AppDir);
        ctx.State.Flag.SetFile(location.OptionIni);
        if (!ctx.Json) {
            ctx.Host.OnLog = [](const std::string& line) {
                std::fwrite(line.data(), 1, line.size(), stdout);
                std::fputc('\n', stdout);
            };
            ctx.Host.OnMessage = [](const RecordingHost::MessageRecord& m) {
                std::fflush(stdout);
                std::fprintf(stderr, "[%s] %s\n", m.Caption.c_str(), m.Text.c_str());
            };
        }
    } catch (const UsageError& e) {
        std::fprintf(stderr, "quorvane-cli: %s\n", e.Text.c_str());
        if (!command)
            PrintUsage(stderr);
        return 2;
    }

    try {
        ctx.State.Flag.Load();
        command->Run(ctx, args);
    } catch (const UsageError& e) {
        std::fprintf(stderr, "quorvane-cli: %s\nusage: quorvane-cli [--app-dir DIR] [--json] %s %s\n",
                     e.Text.c_str(), command->Name.c_str(), command->Usage.c_str());
        return 2;
    } catch (const qv::Error& e) {
        const std::string text = e.what();
        if (ctx.Json) {
            PrintJson(ctx, &text);
        } else {
            std::fflush(stdout);
            std::fprintf(stderr, "%s\n", text.c_str());
        }
        return 1;
    } catch (const std::bad_alloc&) {
        const std::string text = "Out of memory";
        if (ctx.Json)
            PrintJson(ctx, &text);
        else
            std::fprintf(stderr, "%s\n", text.c_str());
        return 1;
    }
    if (ctx.Json)
        PrintJson(ctx, nullptr);
    std::fflush(stdout);
    std::fflush(stderr);
#ifndef QUORVANE_CHECK_LEAKS
    // Every file is written and closed; the memory goes back with the process. Taking
    // apart the state line by line (a full basket, the analysis tables) would cost a
    // tenth of a start-up. Builds that look for leaks still end the long way.
    std::_Exit(0);
#endif
    return 0;
}
