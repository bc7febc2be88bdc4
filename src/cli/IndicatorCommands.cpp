#include "session/IndicatorCommands.h"
#include "cli/Cli.h"

#include <filesystem>

namespace {

using namespace qv::cli;

void RunRefreshIndicators(Context& ctx, std::vector<std::string>& args)
{
    ExpectPositional(args, 0, "refresh-indicators");
    qv::RefreshIndicators(ctx.State, ctx.Host);
}

// The save dialog of an export is answered with the file named on the command line.
void RunExport(Context& ctx, std::vector<std::string>& args, const std::string& usage,
               void (*exportTable)(qv::AppState&, qv::Host&))
{
    ExpectPositional(args, 1, usage);
    ctx.Host.QueueSaveFile(std::filesystem::absolute(args[0]));
    exportTable(ctx.State, ctx.Host);
}

void RunExportRed(Context& ctx, std::vector<std::string>& args)
{
    RunExport(ctx, args, "export-red FILE", qv::ExportRedTable);
}

void RunExportBlue(Context& ctx, std::vector<std::string>& args)
{
    RunExport(ctx, args, "export-blue FILE", qv::ExportBlueTable);
}

const bool registeredRefresh = RegisterCommand({"refresh-indicators", "", RunRefreshIndicators});
const bool registeredRed = RegisterCommand({"export-red", "FILE", RunExportRed});
const bool registeredBlue = RegisterCommand({"export-blue", "FILE", RunExportBlue});

} // namespace
