#include "filters/Backtest.h"

#include "core/Error.h"
#include "filters/FilterRun.h"
#include "history/HistoryLoad.h"
#include "indicators/BlueIndicators.h"
#include "indicators/RedIndicators.h"
#include "purchase/Replay.h"
#include "selection/Basket.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <exception>
#include <mutex>
#include <set>
#include <thread>

namespace qv {

namespace {

class NoLog : public StepLog
{
public:
    void Log(const std::string&) override {}
};

// The lists whose hits are counted, in the order they are shown: a list of the reference
// or one of the prediction.
struct ListSource
{
    const char* Name;
    const char* Caption;
    const std::string NextIssueReference::*Reference;
    const std::string NextIssuePrediction::*Prediction;

    const std::string& Items(const FilterInputs& inputs) const
    {
        return Reference ? inputs.Sheets.Reference.*Reference : inputs.Prediction.Lists.*Prediction;
    }
};

const std::vector<ListSource>& ListSources()
{
    using R = NextIssueReference;
    using P = NextIssuePrediction;
    static const std::vector<ListSource> sources = {
        {"RepeatNumbers", "重号", &R::RepeatNumbers, nullptr},
        {"NeighbourNumbers", "邻号", &R::NeighbourNumbers, nullptr},
        {"ColdNumbers", "冷号", &R::ColdNumbers, nullptr},
        {"HotNumbers", "热号", &R::HotNumbers, nullptr},
        {"FiveDrawMeanNumbers", "五期平均值", nullptr, &P::FiveDrawMeanNumbers},
        {"FifthDrawNumbers", "第五期重码", nullptr, &P::FifthDrawNumbers},
        {"RegionEdgeNumbers", "区域边缘", nullptr, &P::RegionEdgeNumbers},
        {"KillNumbers", "杀号", nullptr, &P::KillNumbers},
        {"LongOmissionNumbers", "十期遗漏", nullptr, &P::LongOmissionNumbers},
    };
    return sources;
}

std::vector<ListHits> EmptyLists()
{
    std::vector<ListHits> lists;
    for (const auto& source : ListSources())
        lists.push_back(ListHits{source.Name, source.Caption});
    return lists;
}

// Hits of each list against the drawn reds: distinct blank-separated items, each a hit
// when it equals one of the six two-digit numbers.
std::vector<ListHits> CountListHits(const FilterInputs& inputs, const std::string& reds)
{
    const std::vector<std::string> drawn = SplitFields(reds);
    std::vector<ListHits> lists = EmptyLists();
    for (std::size_t k = 0; k < lists.size(); ++k) {
        std::set<std::string> items;
        for (auto& item : SplitFields(ListSources()[k].Items(inputs)))
            if (!item.empty())
                items.insert(std::move(item));
        lists[k].Items = static_cast<long long>(items.size());
        for (const auto& item : items)
            lists[k].Hits += std::count(drawn.begin(), drawn.end(), item) > 0 ? 1 : 0;
        lists[k].Expected = static_cast<double>(items.size()) * 6.0 / 33.0;
    }
    return lists;
}

// The report of a pass that failed, as a run would give it, naming the filter judging
// points to when it failed.
template <typename Pass> std::optional<std::string> Failure(const FilterInfo* const& judging, Pass&& pass)
{
    try {
        pass();
    } catch (const FilterInputError& e) {
        return FilterInputReport(judging->Caption, e);
    } catch (const Error& e) {
        return "过滤条件“" + judging->Caption + "”：" + e.what();
    } catch (const std::exception& e) {
        return "过滤条件“" + judging->Caption + "”：" + e.what();
    }
    return std::nullopt;
}

std::unique_ptr<FilterRule> PreparedRule(const FilterInfo& info, const FilterInputs& inputs,
                                         const FilterState& settings, StepLog& log)
{
    std::unique_ptr<FilterRule> rule = info.Make();
    FilterContext context{inputs.RedHistory, inputs.Sheets.Reference, inputs.Prediction.Lists, settings, log};
    // The file a rule leaves for the player belongs to a real run; a backtest writes nothing.
    PrepareRule(*rule, context, [](const RuleFile&) {});
    return rule;
}

// One draw: the state before it, every filter on its reds, with Shrink every filter on the
// full basket.
BacktestDraw RunDraw(const BacktestRequest& request, std::size_t index, const CompactBasket* basket)
{
    const Lines older(request.History.begin() + static_cast<std::ptrdiff_t>(index) + 1,
                      request.History.end());
    const std::string& line = request.History[index];
    BacktestDraw draw;
    draw.Issue = std::string(FieldAt(SplitFieldViews(line), 0));
    draw.Reds = RedHistoryOf(Lines{line}).front();

    const FilterInputs inputs = ComputeFilterInputs(older, request.Switches);
    draw.Lists = CountListHits(inputs, draw.Reds);
    const BasketLine winner = MakeBasketLine(draw.Reds);
    const auto& catalogue = FilterCatalogue();
    draw.Filters.reserve(catalogue.size());
    int against = 0;
    for (const auto& info : catalogue) {
        draw.Filters.push_back(JudgeFilter(info, inputs, request.Settings, winner));
        const FilterJudgement& j = draw.Filters.back();
        if (IsSwitchedOn(request.Settings, info) && (j.Removed || j.Failed))
            ++against;
    }
    draw.Kept = against <= request.Tolerance;

    if (basket != nullptr) {
        std::vector<std::uint8_t> flags;
        std::vector<std::uint8_t> run(basket->Size(), 0);
        std::string error;
        bool runFailed = false;
        for (const auto& info : catalogue) {
            const auto removed = FilterRemovals(info, inputs, request.Settings, *basket, flags, error);
            const bool on = IsSwitchedOn(request.Settings, info);
            if (!removed) {
                draw.Shares.push_back(-1);
                runFailed = runFailed || on;
                continue;
            }
            draw.Shares.push_back(static_cast<double>(*removed) / static_cast<double>(basket->Size()));
            if (on)
                for (std::size_t i = 0; i < flags.size(); ++i)
                    run[i] |= flags[i];
        }
        std::size_t removed = 0;
        for (const auto flag : run)
            removed += flag;
        draw.RunShare = runFailed ? -1 : static_cast<double>(removed) / static_cast<double>(basket->Size());
    }
    return draw;
}

} // namespace

FilterInputs ComputeFilterInputs(const Lines& olderHistory, const PredictionSwitches& switches)
{
    NoLog log;
    FilterInputs inputs;
    inputs.RedHistory = RedHistoryOf(olderHistory);
    const Lines red = ComputeRedIndicatorTable(olderHistory, inputs.RedHistory, log);
    const Lines blue = ComputeBlueIndicatorTable(olderHistory);
    inputs.Sheets = ComputeReferenceSheets(inputs.RedHistory, red, blue);
    RequirePredictionInput(olderHistory);
    inputs.Prediction = ComputePredictionLists(olderHistory, switches, log);
    return inputs;
}

FilterJudgement JudgeFilter(const FilterInfo& info, const FilterInputs& inputs, const FilterState& settings,
                            const BasketLine& line)
{
    FilterJudgement judgement;
    NoLog log;
    const FilterInfo* judging = &info;
    const auto failure = Failure(judging, [&] {
        const std::unique_ptr<FilterRule> rule = PreparedRule(info, inputs, settings, log);
        judgement.Removed = rule->Removes(line);
    });
    if (failure) {
        judgement.Removed = false;
        judgement.Failed = true;
        judgement.Error = *failure;
    }
    return judgement;
}

CompactBasket MakeFullRedBasket()
{
    CompactBasket basket;
    basket.Assign(
        ExpandLines({"01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 "
                     "30 31 32 33"})
            .Text());
    return basket;
}

std::optional<std::size_t> FilterRemovals(const FilterInfo& info, const FilterInputs& inputs,
                                          const FilterState& settings, const CompactBasket& basket,
                                          std::vector<std::uint8_t>& flags, std::string& error)
{
    flags.assign(basket.Size(), 0);
    std::size_t removed = 0;
    NoLog log;
    const FilterInfo* judging = &info;
    const auto failure = Failure(judging, [&] {
        const std::unique_ptr<FilterRule> rule = PreparedRule(info, inputs, settings, log);
        FilterRule& judge = *rule;
        const std::size_t n = basket.Size();
        for (std::size_t i = 0; i < n; ++i) {
            const bool out = judge.Removes(basket.Line(i));
            flags[i] = out ? 1 : 0;
            removed += out ? 1 : 0;
        }
    });
    if (failure) {
        error = *failure;
        return std::nullopt;
    }
    return removed;
}

std::size_t LargestBacktest(std::size_t historyDraws)
{
    return historyDraws > kBacktestMinimumHistory ? historyDraws - kBacktestMinimumHistory : 0;
}

std::string BacktestDrawsProblem(long long draws, std::size_t historyDraws)
{
    const std::size_t largest = LargestBacktest(historyDraws);
    if (largest == 0)
        return "历史数据只有" + std::to_string(historyDraws) + "期，每验证一期需要之前至少" +
               std::to_string(kBacktestMinimumHistory) + "期数据，无法进行历史验证";
    if (draws < 1 || static_cast<unsigned long long>(draws) > largest)
        return "验证期数应在1至" + std::to_string(largest) + "之间（历史数据共" +
               std::to_string(historyDraws) + "期，每验证一期需要之前至少" +
               std::to_string(kBacktestMinimumHistory) + "期），不能是" + std::to_string(draws);
    return {};
}

std::optional<std::size_t> ParseBacktestDraws(std::string_view text, std::size_t historyDraws,
                                              std::string& problem)
{
    std::string_view trimmed = text;
    while (!trimmed.empty() && trimmed.front() == ' ')
        trimmed.remove_prefix(1);
    while (!trimmed.empty() && trimmed.back() == ' ')
        trimmed.remove_suffix(1);
    long long value = 0;
    const auto [end, ec] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value);
    if (trimmed.empty() || ec != std::errc() || end != trimmed.data() + trimmed.size()) {
        problem = "验证期数“" + std::string(text) + "”不是整数，应在1至" +
                  std::to_string(LargestBacktest(historyDraws)) + "之间";
        return std::nullopt;
    }
    problem = BacktestDrawsProblem(value, historyDraws);
    if (!problem.empty())
        return std::nullopt;
    return static_cast<std::size_t>(value);
}

BacktestReport RunBacktest(const BacktestRequest& request, const BacktestHooks& hooks)
{
    const std::size_t historyDraws = request.History.size();
    const std::string problem = BacktestDrawsProblem(static_cast<long long>(request.Draws), historyDraws);
    if (!problem.empty())
        throw Error(problem);

    BacktestReport report;
    report.Shrink = request.Shrink;
    report.Tolerance = request.Tolerance;
    const CompactBasket basket = MakeFullRedBasket();
    const std::size_t total = request.Draws;
    std::vector<std::optional<BacktestDraw>> draws(total);
    std::vector<std::exception_ptr> failures(total);
    std::atomic<std::size_t> next{0};
    std::atomic<bool> stop{false};
    std::mutex progressLock;
    std::size_t done = 0;
    const auto work = [&] {
        for (;;) {
            if (stop.load() || (hooks.Cancel != nullptr && hooks.Cancel->load()))
                return;
            const std::size_t index = next.fetch_add(1);
            if (index >= total)
                return;
            try {
                draws[index] = RunDraw(request, index, request.Shrink ? &basket : nullptr);
            } catch (...) {
                failures[index] = std::current_exception();
                stop = true;
                return;
            }
            std::lock_guard<std::mutex> lock(progressLock);
            ++done;
            if (hooks.Progress)
                hooks.Progress(done, total);
        }
    };
    const unsigned threads = std::clamp<unsigned>(request.Threads, 1, 2);
    std::vector<std::thread> workers;
    for (unsigned k = 1; k < threads; ++k)
        workers.emplace_back(work);
    work();
    for (auto& worker : workers)
        worker.join();
    for (const auto& failure : failures)
        if (failure)
            std::rethrow_exception(failure);

    // Newest first; after a cancel, the unbroken run of finished draws from the newest.
    for (auto& draw : draws) {
        if (!draw) {
            report.Cancelled = true;
            break;
        }
        report.Draws.push_back(std::move(*draw));
    }

    const auto& catalogue = FilterCatalogue();
    const double n = static_cast<double>(report.Draws.size());
    report.Lists = EmptyLists();
    double chanceKeepSum = 0;
    std::size_t chanceDraws = 0;
    for (const auto& draw : report.Draws) {
        report.Kept += draw.Kept ? 1 : 0;
        for (std::size_t k = 0; k < report.Lists.size(); ++k) {
            report.Lists[k].Hits += draw.Lists[k].Hits;
            report.Lists[k].Items += draw.Lists[k].Items;
            report.Lists[k].Expected += draw.Lists[k].Expected;
        }
        if (request.Shrink && draw.RunShare >= 0) {
            chanceKeepSum += 1 - draw.RunShare;
            ++chanceDraws;
        }
    }
    for (std::size_t f = 0; f < catalogue.size(); ++f) {
        BacktestFilter filter;
        filter.Info = &catalogue[f];
        filter.On = IsSwitchedOn(request.Settings, catalogue[f]);
        double shareSum = 0;
        int shared = 0;
        for (const auto& draw : report.Draws) {
            filter.Removed += draw.Filters[f].Removed ? 1 : 0;
            filter.Errors += draw.Filters[f].Failed ? 1 : 0;
            if (request.Shrink && draw.Shares[f] >= 0) {
                shareSum += draw.Shares[f];
                ++shared;
            }
        }
        filter.KillRate = n > 0 ? filter.Removed / n : 0;
        if (request.Shrink && shared > 0) {
            filter.MeanShare = shareSum / shared;
            if (filter.MeanShare < 1)
                filter.Lift = (1 - filter.KillRate) / (1 - filter.MeanShare);
        }
        report.Filters.push_back(filter);
    }

    if (request.Shrink) {
        report.ChanceKeep = chanceDraws > 0 ? chanceKeepSum / static_cast<double>(chanceDraws) : 1;
        if (chanceDraws == 0 && !report.Draws.empty())
            report.ChanceError = "每期都有开启的过滤条件运行失败，无法估计随机保留率";
    } else if (!report.Cancelled) {
        // What the run keeps of all combinations in today's state: the next draw's chance.
        // Each line meets the switched-on rules in run order until one removes it, so every
        // rule sees the lines the passes before it kept, in basket order, as in a real run.
        const FilterInputs now = ComputeFilterInputs(request.History, request.Switches);
        NoLog log;
        std::vector<std::pair<const FilterInfo*, std::unique_ptr<FilterRule>>> rules;
        std::size_t kept = 0;
        const FilterInfo* judging = &catalogue.front();
        const auto failure = Failure(judging, [&] {
            for (const auto& info : catalogue) {
                judging = &info;
                if (IsSwitchedOn(request.Settings, info))
                    rules.emplace_back(&info, PreparedRule(info, now, request.Settings, log));
            }
            for (std::size_t i = 0; i < basket.Size(); ++i) {
                const BasketLine line = basket.Line(i);
                bool out = false;
                for (auto& [info, rule] : rules) {
                    judging = info;
                    if ((out = rule->Removes(line)))
                        break;
                }
                kept += out ? 0 : 1;
            }
        });
        if (failure)
            report.ChanceError = *failure;
        else

            report.ChanceKeep = static_cast<double>(kept) / static_cast<double>(basket.Size());
    }
    return report;
}

std::vector<std::size_t> RemovedBy(const BacktestReport& report, const BacktestDraw& draw)
{
    std::vector<std::size_t> filters;
    for (std::size_t f = 0; f < draw.Filters.size(); ++f)
        if (report.Filters[f].On && draw.Filters[f].Removed)
            filters.push_back(f);
    return filters;
}

std::vector<std::size_t> FailedOn(const BacktestReport& report, const BacktestDraw& draw)
{
    std::vector<std::size_t> filters;
    for (std::size_t f = 0; f < draw.Filters.size(); ++f)
        if (report.Filters[f].On && draw.Filters[f].Failed)
            filters.push_back(f);
    return filters;
}

std::string BacktestSummary(const BacktestReport& report)
{
    std::string text = "按当前设置，最近" + std::to_string(report.Draws.size()) + "期中开奖号码保留了" +
                       std::to_string(report.Kept) + "期";
    if (report.Tolerance > 0)
        text += "（容错" + std::to_string(report.Tolerance) + "：被不超过" +
                std::to_string(report.Tolerance) + "项开启的过滤条件排除的仍算保留）";
    text += "；";
    if (report.Cancelled && !report.Shrink)
        return text + "验证已取消，未估计随机保留率";
    if (!report.ChanceError.empty())
        return text + "随机保留率无法估计（" + report.ChanceError + "）";
    return text + "随机保留率约为" + PercentText(report.ChanceKeep);
}

} // namespace qv
