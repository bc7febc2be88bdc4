#include "BenchSupport.h"
#include "analysis/NextIssueReference.h"
#include "analysis/OmissionStatistics.h"
#include "core/RecordingHost.h"
#include "history/HistoryLoad.h"
#include "history/TextFile.h"
#include "session/AnalysisCommands.h"
#include "session/AppState.h"
#include "session/HistoryCommands.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace {

// A scratch app directory with the bundled history loaded and the two indicator tables the
// reference reads (span and blue words filled in, the other fields placeholders).
class AnalysisApp
{
public:
    explicit AnalysisApp(const char* flag)
    {
        m_dir.Attach(State);
        State.Flag.SetCopy({qv::ReadyFlag::kStale});
        qv::LoadHistory(State);
        WriteTables();
        // A first computed run leaves the stored files the "Data=1" runs read.
        qv::RunNextIssueReference(State, Host);
        qv::RunOmissionStatistics(State, Host);
        State.Flag.SetCopy({flag});
    }
    qv::AppState State;
    qv::RecordingHost Host;

private:
    void WriteTables()
    {
        static const char* elements[] = {"土", "水", "火", "木", "金"};
        static const char* trigrams[] = {"乾", "兑", "离", "震", "巽", "坎", "艮", "坤"};
        qv::Lines red;
        qv::Lines blue;
        const auto& history = State.HistoryLines;
        for (std::size_t i = 0; i < history.size(); ++i) {
            const auto f = qv::SplitFields(history[i]);
            const std::size_t ordinal = history.size() - i;
            std::string head = f[0] + "(" + std::to_string(ordinal) + ")";
            std::string r = head;
            for (std::size_t k = 1; k <= 7; ++k) {
                r += ' ';
                r += f[k];
            }
            for (std::size_t k = 8; k <= 24; ++k) {
                r += ' ';
                r += k == 21 ? std::to_string(qv::StrToInt(f[6]) - qv::StrToInt(f[1])) : std::string("0");
            }
            red.push_back(std::move(r));
            const int b = qv::StrToInt(f[7]);
            std::string l = head + " " + f[7];
            l += b % 2 == 0 ? " 偶" : " 奇";
            l += qv::Contains("02 03 05 07 11 13", f[7]) ? " 质" : " 合";
            l += b <= 8 ? " 小 " : " 大 ";
            l += elements[b % 5];
            l += " ";
            l += trigrams[(b - 1) % 8];
            l += ":";
            l += trigrams[(ordinal + 7) % 8];
            blue.push_back(std::move(l));
        }
        qv::SaveLines(State.File(qv::files::kRedAna), red);
        qv::SaveLines(State.File(qv::files::kBlueAna), blue);
    }

    qv::bench::ScratchAppDir m_dir{"ana"};
};

// Button1Click in "Data=0" on the bundled history: both sheets computed and written.
void BM_NextIssueReferenceStale(benchmark::State& state)
{
    AnalysisApp app(qv::ReadyFlag::kStale);
    for (auto _ : state) {
        app.Host.LogLines.clear();
        qv::RunNextIssueReference(app.State, app.Host);
    }
}
BENCHMARK(BM_NextIssueReferenceStale)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// Button1Click in "Data=1": the two sheets read back.
void BM_NextIssueReferenceReady(benchmark::State& state)
{
    AnalysisApp app(qv::ReadyFlag::kReady);
    for (auto _ : state) {
        app.Host.LogLines.clear();
        qv::RunNextIssueReference(app.State, app.Host);
    }
}
BENCHMARK(BM_NextIssueReferenceReady)->Unit(benchmark::kMillisecond);

// Button5Click in "Data=0": the four reports written, then the whole prediction.
void BM_OmissionStatisticsStale(benchmark::State& state)
{
    AnalysisApp app(qv::ReadyFlag::kStale);
    for (auto _ : state) {
        app.Host.LogLines.clear();
        qv::RunOmissionStatistics(app.State, app.Host);
    }
}
BENCHMARK(BM_OmissionStatisticsStale)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// The omission step's own share: both omission reports and the blue appearance report.
void BM_OmissionReportsOnly(benchmark::State& state)
{
    AnalysisApp app(qv::ReadyFlag::kStale);
    const auto draws = qv::ParseOmissionDraws(app.State.HistoryLines);
    for (auto _ : state) {
        benchmark::DoNotOptimize(qv::BuildOmissionReport(draws, qv::BallColour::Red));
        benchmark::DoNotOptimize(qv::BuildOmissionReport(draws, qv::BallColour::Blue));
        benchmark::DoNotOptimize(qv::BuildAppearanceReport(draws, qv::BallColour::Blue));
    }
}
BENCHMARK(BM_OmissionReportsOnly)->Unit(benchmark::kMillisecond);

// Button5Click in "Data=1": the four panes loaded.
void BM_OmissionStatisticsReady(benchmark::State& state)
{
    AnalysisApp app(qv::ReadyFlag::kReady);
    for (auto _ : state)
        qv::RunOmissionStatistics(app.State, app.Host);
}
BENCHMARK(BM_OmissionStatisticsReady)->Unit(benchmark::kMillisecond);

} // namespace
