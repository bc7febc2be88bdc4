// save-red-reference: "保存" of the panel "  红球下期指标参考" on its own. It copies the stored
// sheet "Red/RedZB.txt" of the app directory to FILE and needs no run before it.

#include "session/AnalysisCommands.h"
#include "analysis/NextIssueReference.h"
#include "cli/Cli.h"

namespace qv::cli {

namespace {

void RunSaveRedReference(Context& ctx, std::vector<std::string>& args)
{
    ExpectPositional(args, 1, "save-red-reference FILE");
    ctx.Host.QueueSaveFile(std::filesystem::absolute(args[0]));
    SaveRedReference(ctx.State, ctx.Host);
}

const bool registered = RegisterCommand({"save-red-reference", "FILE", RunSaveRedReference});

} // namespace

} // namespace qv::cli
