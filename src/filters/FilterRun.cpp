#include "filters/FilterRun.h"

#include "core/Error.h"
#include "filters/CompactBasket.h"
#include "history/HistoryLoad.h"

#include <charconv>

namespace qv {

namespace {

// Lines between two progress reports.
constexpr std::size_t kProgressStep = 65536;

// A basket line that a rule could not judge.
std::string BasketLineReport(std::string_view caption, std::size_t number, std::string_view line)
{
    std::string text = "过滤条件“";
    text += caption;
    text += "”：号码篮（Data/temp.txt）第";
    text += std::to_string(number);
    text += "行“";
    text += QuotedLine(line);
    text += "”无法处理，每行应为6个红球号码，以一个空格分隔（如“01 02 03 04 05 06”）。";
    return text;
}

} // namespace

bool IsSwitchedOn(const FilterState& settings, const FilterInfo& info)
{
    const auto on = settings.Switches.find(info.CheckBox);
    return on != settings.Switches.end() && on->second;
}

std::string CheckedFiltersLine(const FilterState& settings)
{
    std::string captions;
    int checked = 0;
    for (const auto& info : FilterCatalogue()) {
        if (!IsSwitchedOn(settings, info))
            continue;
        if (checked++ > 0)
            captions += "、";
        captions += info.Caption;
    }
    if (checked == 0)
        return "本次运算没有勾选过滤条件";
    return "本次运算勾选了" + std::to_string(checked) + "项过滤条件：" + captions;
}

void PrepareRule(FilterRule& rule, FilterContext& context, const RuleFileSink& save)
{
    rule.Prepare(context);
    if (const auto file = rule.File())
        save(*file);
}

namespace {

// Prepares the rule of info and hands it to walk, which judges the lines; turns what the
// preparation and the walk throw into the run's reports.
template <typename Walk>
long long Pass(const FilterInfo& info, FilterContext& context, std::size_t lines,
               const FilterPassHooks& hooks, Walk&& walk)
{
    const std::unique_ptr<FilterRule> rule = info.Make();
    long long count = 0;
    std::size_t judged = 0; // the lines handed to the rule so far, for the report of a bad one
    std::string_view judging;
    bool walking = false;
    try {
        PrepareRule(*rule, context, hooks.Save);

        hooks.Begin(lines);
        FilterRule& judge = *rule;
        walking = true;
        count = static_cast<long long>(walk(
            [&](const BasketLine& line) {
                ++judged;
                judging = line.Text;
                return judge.Removes(line);
            },
            [&](std::size_t examined) { hooks.Progress(examined); }));
    } catch (const FilterInputError& e) {
        // The report names the filter and the field or rule line; the original text follows
        // it in the log.
        const std::string report = FilterInputReport(info.Caption, e);
        LogStep(context.Log, report);
        context.Log.Log(e.what());
        throw Error(report);
    } catch (const Error& e) {
        if (!walking)
            throw;
        const std::string report = BasketLineReport(info.Caption, judged, judging);
        LogStep(context.Log, report);
        context.Log.Log(e.what());
        throw Error(report);
    }
    return count;
}

} // namespace

long long RunFilterPass(const FilterInfo& info, FilterContext& context, CompactBasket& lines,
                        const FilterPassHooks& hooks)
{
    // The basket changes only once the walk is through: a rule that stops the run on a
    // line leaves the basket as the previous pass left it.
    return Pass(info, context, lines.Size(), hooks, [&](auto&& removes, auto&& progress) {
        return lines.Walk(removes, progress, kProgressStep);
    });
}

long long JudgeFilterPass(const FilterInfo& info, FilterContext& context, const CompactBasket& basket,
                          const FilterPassHooks& hooks, std::vector<std::uint8_t>& rejections)
{
    return Pass(info, context, basket.Size(), hooks, [&](auto&& rejects, auto&& progress) {
        return basket.Judge(rejects, progress, kProgressStep, rejections);
    });
}

int ParseTolerance(std::string_view text)
{
    int value = -1;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < 0)
        throw Error("容错数“" + std::string(text) + "”无法识别，应为0或正整数（0为不容错）");
    return value;
}

} // namespace qv
