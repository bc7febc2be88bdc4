#pragma once

#include "analysis/NextIssueLists.h"
#include "analysis/NextIssueReference.h"
#include "analysis/Prediction.h"
#include "filters/CompactBasket.h"
#include "filters/FilterRule.h"
#include "filters/FilterState.h"
#include "history/Text.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qv {

// 历史验证: every filter and every next-issue list judged against the draws that really
// came. For a past draw d the program's state is rebuilt as a computing start-up would
// build it from the draws older than d, in memory, and each filter is asked whether it
// would have removed d's reds.

// The fewest older draws the analyses compute from: a draw needs this many before it.
inline constexpr std::size_t kBacktestMinimumHistory = 10;

// The lines of the full basket: every combination of six of the 33 reds.
inline constexpr std::size_t kFullBasketLines = 1107568;

// What the filters read in the state before a draw: the red history, the next-issue
// reference and the prediction, with the stored texts they come from.
struct FilterInputs
{
    Lines RedHistory;
    ReferenceSheets Sheets;
    PredictionLists Prediction;
};

// The state before a draw from the history lines older than it (newest first), as a start
// with "Data=0" computes it; throws the analyses' reports for a history they cannot use.
FilterInputs ComputeFilterInputs(const Lines& olderHistory, const PredictionSwitches& switches);

// How one filter judged one line, run alone on a basket holding only that line.
struct FilterJudgement
{
    bool Removed = false;
    bool Failed = false;
    std::string Error; // the report of a pass that failed
};

// Judges line with the filter, switched on alone with settings' parameters and rule boxes.
// A pass that fails (a field that is no integer, a window longer than the history) is a
// judgement with Failed set and its Chinese report, never an exception.
FilterJudgement JudgeFilter(const FilterInfo& info, const FilterInputs& inputs, const FilterState& settings,
                            const BasketLine& line);

// The full basket (every six of the 33 reds, in the expansion's order), held compactly.
CompactBasket MakeFullRedBasket();

// The lines the filter removes when it runs alone on basket in the given state: flags
// (one per line, resized) set for each, the count returned. A pass that fails returns
// nullopt with its report in error; flags then mean nothing.
std::optional<std::size_t> FilterRemovals(const FilterInfo& info, const FilterInputs& inputs,
                                          const FilterState& settings, const CompactBasket& basket,
                                          std::vector<std::uint8_t>& flags, std::string& error);

struct BacktestRequest
{
    Lines History;               // the history file's lines, newest first
    FilterState Settings;        // switches, parameter fields, rule boxes
    PredictionSwitches Switches; // the prediction algorithms in use
    std::size_t Draws = 100;     // the newest N draws
    bool Shrink = false;         // also run every filter on the full basket per draw
    int Tolerance = 0;           // 容错 K: a draw is kept when at most K switched-on filters remove it
    unsigned Threads = 2;        // worker threads; the results never depend on them
};

// The largest N the history allows: each draw needs kBacktestMinimumHistory older ones.
std::size_t LargestBacktest(std::size_t historyDraws);

// The Chinese message for N draws of a history of historyDraws draws; empty when fine.
std::string BacktestDrawsProblem(long long draws, std::size_t historyDraws);

// N from the text a player typed; the message of BacktestDrawsProblem (or the text's
// own fault) in problem when it is unusable.
std::optional<std::size_t> ParseBacktestDraws(std::string_view text, std::size_t historyDraws,
                                              std::string& problem);

// One list of the next-issue reference or prediction, summed over the draws.
struct ListHits
{
    const char* Name;    // "KillNumbers"
    const char* Caption; // "杀号"
    long long Hits = 0;  // distinct items equal to one of the drawn reds
    long long Items = 0; // distinct items
    double Expected = 0; // Items × 6 / 33
};

struct BacktestDraw
{
    std::string Issue;
    std::string Reds;                     // "01 04 16 22 26 31"
    std::vector<FilterJudgement> Filters; // the 47 in run order
    std::vector<double> Shares;           // removed share of each filter (with Shrink; -1 after a failure)
    std::vector<ListHits> Lists;          // this draw's hits per list
    bool Kept = false;
    double RunShare = 0; // with Shrink: the share the whole run removes
};

struct BacktestFilter
{
    const FilterInfo* Info = nullptr;
    bool On = false;
    int Removed = 0;
    int Errors = 0;
    double KillRate = 0;        // Removed / N
    double MeanShare = 0;       // with Shrink, over the draws without an error
    std::optional<double> Lift; // (1 − kill rate) / (1 − mean share); none when that is 0/0 or x/0
};

struct BacktestReport
{
    std::vector<BacktestDraw> Draws; // newest first
    std::vector<BacktestFilter> Filters;
    std::vector<ListHits> Lists;
    int Kept = 0;
    bool Shrink = false;
    int Tolerance = 0;
    bool Cancelled = false; // stopped between draws; Draws holds those finished, newest first
    // The share of all combinations the current run keeps in the newest state (the run on
    // the full basket before the newest draw; 1 − its RunShare with Shrink): what chance keeps.
    double ChanceKeep = 1;
    std::string ChanceError; // a pass that failed there
};

struct BacktestHooks
{
    // Called after each draw with the draws done; from the worker threads, one at a time.
    std::function<void(std::size_t done, std::size_t total)> Progress;
    const std::atomic<bool>* Cancel = nullptr; // checked between draws
};

// The switched-on filters that removed the draw's reds, and those that failed on it, as
// indices into report.Filters (run order).
std::vector<std::size_t> RemovedBy(const BacktestReport& report, const BacktestDraw& draw);
std::vector<std::size_t> FailedOn(const BacktestReport& report, const BacktestDraw& draw);

// Runs the backtest; throws qv::Error with BacktestDrawsProblem's message for an N the
// history cannot give and the analyses' report for a history they cannot use.
BacktestReport RunBacktest(const BacktestRequest& request, const BacktestHooks& hooks = {});

// "按当前设置，最近100期中开奖号码保留了k期；随机保留率约为p%" (with 容错 K ≥ 1 the K used
// follows the count of kept draws).
std::string BacktestSummary(const BacktestReport& report);

} // namespace qv
