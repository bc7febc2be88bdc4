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

std::vector<int> ParseBlues(const std::string& text)
{
    std::vector<int> blues = ParseWheelNumbers(text, "蓝球");
    for (const int blue : blues) {
        if (blue < 1 || blue > 16)
            throw Error("蓝球号码应在01至16之间，不是" + TwoDigits(blue));
    }
    std::sort(blues.begin(), blues.end());
    if (const auto at = std::adjacent_find(blues.begin(), blues.end()); at != blues.end())
        throw Error("蓝球中" + TwoDigits(*at) + "重复");
    if (blues.empty())
        throw Error("--blues 没有给出蓝球号码");
    return blues;
}

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
    const std::vector<int> blues = bluesText ? ParseBlues(*bluesText) : std::vector<int>{};

    const WheelResult wheel = MakeWheel(request);
    if (wheel.Check.Uncovered != 0)
        throw Error(wheel.VerifiedText());

    Lines lines;
    for (const auto& ticket : wheel.Lines()) {
        if (blues.empty())
            lines.push_back(ticket);
        for (const int blue : blues)
            lines.push_back(ticket + " +" + TwoDigits(blue));
    }
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
