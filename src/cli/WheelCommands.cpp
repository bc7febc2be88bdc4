// Wheels (旋转矩阵) without windows: built, verified, printed or saved.

#include "cli/Cli.h"
#include "core/Error.h"
#include "history/Text.h"
#include "history/TextFile.h"
#include "selection/Wheel.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace qv::cli {

namespace {

constexpr const char* kUsage =
    "--reds \"01 05 ...\" --guarantee 6-5 [--banker \"...\"] [--blues \"...\"] [--out FILE]";

std::string WheelJson(const WheelResult& wheel)
{
    std::string json = "{\"v\":" + std::to_string(wheel.V()) + ",\"m\":" + std::to_string(wheel.Guarantee.M) +
                       ",\"t\":" + std::to_string(wheel.Guarantee.T) + ",\"banker\":[";
    for (std::size_t i = 0; i < wheel.Bankers.size(); ++i) {
        if (i)
            json += ',';
        json += JsonString(TwoDigits(wheel.Bankers[i]));
    }
    json += "],\"tickets\":[";
    const auto lines = wheel.Lines();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i)
            json += ',';
        json += JsonString(lines[i]);
    }
    json += "],\"checked\":" + std::to_string(wheel.Check.Checked) +
            ",\"uncovered\":" + std::to_string(wheel.Check.Uncovered) + "}";
    return json;
}

void RunWheel(Context& ctx, std::vector<std::string>& args)
{
    const auto reds = TakeOption(args, "reds");
    const auto guarantee = TakeOption(args, "guarantee");
    const auto banker = TakeOption(args, "banker");
    const auto bluesText = TakeOption(args, "blues");
    const auto out = TakeOption(args, "out");
    ExpectPositional(args, 0, kUsage);
    if (!reds)
        throw UsageError{"--reds is required"};
    if (!guarantee)
        throw UsageError{"--guarantee is required"};

    WheelRequest request;
    request.Reds = ParseWheelNumbers(*reds, "红球");
    if (banker)
        request.Bankers = ParseWheelNumbers(*banker, "胆码");
    const auto parsed = ParseGuarantee(*guarantee);
    if (!parsed)
        throw Error("不提供“" + *guarantee +
                    "”这种保证；可选：6-5、6-4、5-5、5-4、4-4、4-3、3-3（中6保5、中6保4、中5保5、中5保4、"
                    "中4保4、中4保3、中3保3）");
    request.Guarantee = *parsed;
    const std::vector<int> blues = bluesText ? ParseWheelBlues(*bluesText, true) : std::vector<int>{};

    const WheelResult wheel = MakeWheel(request);
    if (wheel.Check.Uncovered != 0)
        throw Error(wheel.VerifiedText());

    const Lines lines = wheel.BetLines(blues);
    if (out) {
        SaveLines(std::filesystem::absolute(*out), lines);
    } else if (!ctx.Json) {
        for (const auto& line : lines) {
            std::fwrite(line.data(), 1, line.size(), stdout);
            std::fputc('\n', stdout);
        }
    }
    ctx.Lists["wheel"] = WheelJson(wheel);
    ctx.Host.Log(wheel.Summary(blues.empty() ? 1 : blues.size()));
    ctx.Host.Log(wheel.VerifiedText());
    if (out)
        ctx.Host.Log("已保存：" + *out);
}

const bool registered = RegisterCommand({"wheel", kUsage, RunWheel});

} // namespace
} // namespace qv::cli
