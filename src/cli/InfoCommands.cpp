#include "cli/Cli.h"

#include <cstdio>

namespace {

using namespace qv::cli;

void RunVersion(Context& ctx, std::vector<std::string>& args)
{
    ExpectPositional(args, 0, "version");
    ctx.Host.Log(qv::kProgramTitle);
}

const bool registered = RegisterCommand({"version", "", RunVersion});

} // namespace
