#include "session/Pipeline.h"
#include "core/Error.h"
#include "core/RecordingHost.h"
#include "history/TextFile.h"
#include "session/AppState.h"
#include "session/PredictionViews.h"
#include "support/CliRunner.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

#include <map>

namespace qv {
namespace {

const char* const kAnalysisFiles[] = {
    "Red/RedAna.txt",  "Blue/BlueAna.txt", "Red/RedZB.txt",   "Blue/BlueZB.txt", "Red/RedYL.txt",
    "Blue/BlueYL.txt", "Blue/BlueQK.txt",  "Blue/BlueLM.txt", "Red/RedQK.txt",   "Red/RedNext.txt",
};

std::map<std::string, std::string> Snapshot(const test::TempAppDir& dir)
{
    std::map<std::string, std::string> files;
    for (const char* name : kAnalysisFiles)
        if (dir.Exists(name))
            files[name] = dir.ReadBytes(name);
    return files;
}

class PipelineTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.InstallRealHistory());
        m_dir.Attach(m_state);
    }

    void Restart()
    {
        m_state = AppState{};
        m_dir.Attach(m_state);
        m_host.Clear();
    }

    test::TempAppDir m_dir;
    AppState m_state;
    RecordingHost m_host;
};

TEST_F(PipelineTest, FirstStartComputesEveryFileAndSetsTheFlag)
{
    EXPECT_FALSE(m_dir.Exists("option.ini"));
    RunStartup(m_state, m_host);
    EXPECT_EQ(m_dir.ReadBytes("option.ini"), "Data=1\r\n");
    const auto files = Snapshot(m_dir);
    EXPECT_EQ(files.size(), std::size(kAnalysisFiles));
    EXPECT_EQ(m_dir.Read("Red/RedAna.txt").size(), 3493u);
    EXPECT_EQ(m_dir.Read("Red/RedZB.txt").size(), 19u);
    EXPECT_EQ(m_host.LogLines.back(), "螺旋体猜想运算成功.....OK");
    EXPECT_FALSE(m_state.Analysis.Reference.RepeatNumbers.empty());
    EXPECT_FALSE(m_state.Analysis.Prediction.KillNumbers.empty());
}

TEST_F(PipelineTest, ReadyStartReloadsWithoutComputing)
{
    RunStartup(m_state, m_host);
    const auto before = Snapshot(m_dir);
    const auto reference = m_state.Analysis.Reference;
    const auto prediction = m_state.Analysis.Prediction;
    Restart();
    RunStartup(m_state, m_host);
    EXPECT_EQ(Snapshot(m_dir), before);
    EXPECT_EQ(m_dir.ReadBytes("option.ini"), "Data=1\r\n");
    EXPECT_EQ(m_state.Analysis.Reference.RepeatNumbers, reference.RepeatNumbers);
    // Means come back from their 15-digit text.
    for (std::size_t k = 0; k < 6; ++k)
        EXPECT_EQ(FormatReal(m_state.Analysis.Reference.PositionMeans[k]),
                  FormatReal(reference.PositionMeans[k]));
    EXPECT_EQ(m_state.Analysis.Prediction.LongOmissionNumbers, prediction.LongOmissionNumbers);
    // No computation ran: none of the indicator passes logged.
    for (const auto& line : m_host.LogLines)
        EXPECT_EQ(line.find("AC值"), std::string::npos) << line;
}

TEST_F(PipelineTest, RecomputeAllAdvancesTheProgressAndReloadsTheSelector)
{
    RunStartup(m_state, m_host);
    // The history changes outside the program: only RecomputeAll brings the files in line.
    auto history = m_dir.Read("data/data.txt");
    history.insert(history.begin(), "2026097 01 02 03 04 05 06 07");
    m_dir.Write("data/data.txt", history);
    RefreshAndReset(m_state, m_host);
    EXPECT_EQ(m_dir.Read("Red/RedAna.txt").size(), 3493u);
    EXPECT_EQ(m_host.ProgressPosition, 100);

    std::vector<int> positions;
    struct ProgressHost : RecordingHost
    {
        std::vector<int>* Positions = nullptr;
        void SetProgressPosition(int position) override
        {
            RecordingHost::SetProgressPosition(position);
            Positions->push_back(position);
        }
    } host;
    host.Positions = &positions;
    int reloads = 0;
    RecomputeAll(m_state, host, [&] {
        ++reloads;
        EXPECT_EQ(m_dir.ReadBytes("option.ini"), "Data=0\r\n"); // still rebuilding
    });
    EXPECT_EQ(positions, (std::vector<int>{0, 25, 45, 60, 80, 100}));
    EXPECT_EQ(host.ProgressMaximum, 100);
    EXPECT_EQ(reloads, 1);
    EXPECT_EQ(m_dir.ReadBytes("option.ini"), "Data=1\r\n");
    EXPECT_EQ(m_dir.Read("Red/RedAna.txt").size(), 3494u);
    EXPECT_EQ(m_dir.Read("Red/RedAna.txt").front().substr(0, 15), "2026097(3494) 0");
}

TEST_F(PipelineTest, FailedStepLeavesTheFlagStale)
{
    RunStartup(m_state, m_host);
    auto history = m_dir.Read("data/data.txt");
    history.insert(history.begin(), "2026097 01 02 03 04 05 0x 07");
    m_dir.Write("data/data.txt", history);
    const auto before = Snapshot(m_dir);
    bool reloaded = false;
    try {
        RecomputeAll(m_state, m_host, [&] { reloaded = true; });
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()).rfind("历史数据（data/data.txt）第1行“2026097 01 02 03 04 05 0x "
                                              "07”无法读取：第6个红球“0x”不是整数。",
                                              0),
                  0u)
            << e.what();
    }
    EXPECT_FALSE(reloaded);
    EXPECT_EQ(m_dir.ReadBytes("option.ini"), "Data=0\r\n");
    EXPECT_EQ(Snapshot(m_dir), before); // nothing was replaced by a half computation

    // The next start computes again and fails the same way, until the history is mended.
    Restart();
    EXPECT_THROW(RunStartup(m_state, m_host), Error);
    history.erase(history.begin());
    m_dir.Write("data/data.txt", history);
    Restart();
    RunStartup(m_state, m_host);
    EXPECT_EQ(m_dir.ReadBytes("option.ini"), "Data=1\r\n");
}

std::size_t CountLogLines(const RecordingHost& host, std::string_view part)
{
    std::size_t found = 0;
    for (const auto& line : host.LogLines)
        found += line.find(part) != std::string::npos;
    return found;
}

// A recompute with one prediction switch off stores an incomplete set and leaves "Data=0";
// the next start, switches on, computes it whole. Files of that kind under "Data=1" (as
// earlier versions left them) are found unusable and computed anew as well.
TEST_F(PipelineTest, StartAfterASwitchedOffRecomputeEndsWithTheFullSet)
{
    RunStartup(m_state, m_host);
    const auto full = Snapshot(m_dir);
    for (const auto& info : kPredictionSwitches) {
        for (const bool flagForcedReady : {false, true}) {
            SCOPED_TRACE(std::string(info.Component) + (flagForcedReady ? " Data=1" : ""));
            Restart();
            m_state.Analysis.PredictionView.Switches.*info.Member = false;
            RecomputeAll(m_state, m_host);
            EXPECT_EQ(m_dir.ReadBytes("option.ini"), "Data=0\r\n");
            const bool shortList = m_dir.Read("Red/RedNext.txt").size() < 5;
            EXPECT_EQ(shortList, info.Member != &PredictionSwitches::TimeSequence);
            if (flagForcedReady)
                m_dir.WriteBytes("option.ini", "Data=1\r\n");

            Restart();
            RunStartup(m_state, m_host);
            EXPECT_EQ(m_dir.ReadBytes("option.ini"), "Data=1\r\n");
            EXPECT_EQ(Snapshot(m_dir), full);
            EXPECT_EQ(
                CountLogLines(m_host,
                              "分析文件“Red/RedNext.txt”无法使用：共4行，应为5行，改为根据历史数据重新计算"),
                flagForcedReady && shortList ? 1u : 0u);
        }
    }
}

// Under "Data=1" a stored file that cannot be read as written is named in one log line and
// the whole chain is computed from the history, ending with the files of a fresh recompute.
TEST_F(PipelineTest, ReadyStartWithAnUnusableFileComputesEverything)
{
    RunStartup(m_state, m_host);
    const auto full = Snapshot(m_dir);
    const auto cutAt = [this](const char* file, std::size_t keep) {
        Lines lines = m_dir.Read(file);
        lines.resize(keep);
        m_dir.Write(file, lines);
    };
    const auto replaceLine = [this](const char* file, std::size_t index, const char* text) {
        Lines lines = m_dir.Read(file);
        lines.at(index) = text;
        m_dir.Write(file, lines);
    };
    const struct
    {
        const char* File;
        std::function<void()> Damage;
        const char* Reason;
    } cases[] = {
        {"Red/RedNext.txt", [&] { cutAt("Red/RedNext.txt", 4); }, "共4行，应为5行"},
        {"Red/RedQK.txt", [&] { std::filesystem::remove(m_dir / "Red/RedQK.txt"); }, "文件不存在"},
        {"Red/RedYL.txt", [&] { cutAt("Red/RedYL.txt", 500); }, "缺少号码"},
        {"Blue/BlueYL.txt", [&] { cutAt("Blue/BlueYL.txt", 902); }, "缺少结尾的空行"},
        {"Blue/BlueQK.txt", [&] { cutAt("Blue/BlueQK.txt", 100); }, "共100行，应为113行"},
        {"Red/RedQK.txt", [&] { replaceLine("Red/RedQK.txt", 8, "=======03======="); },
         "第9行不是号码02的标题"},
        {"Red/RedAna.txt", [&] { cutAt("Red/RedAna.txt", 3000); }, "共3000行，应为3493行"},
        {"Red/RedAna.txt", [&] { replaceLine("Red/RedAna.txt", 7, "2026089(3486) 05"); },
         "List index out of bounds (2)"},
        {"Blue/BlueAna.txt",
         [&] { m_dir.WriteBytes("Blue/BlueAna.txt", m_dir.ReadBytes("Blue/BlueAna.txt") + "\xFF\xFF\r\n"); },
         "第3494行不是GBK编码的文字"},
        {"Red/RedZB.txt", [&] { replaceLine("Red/RedZB.txt", 13, "十二"); }, "is not a valid"},
        {"Blue/BlueZB.txt", [&] { cutAt("Blue/BlueZB.txt", 7); }, "共7行，应为8行"},
        {"Red/RedNext.txt", [&] { replaceLine("Red/RedNext.txt", 2, "01 0二 03"); },
         "'0二' is not a valid integer"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Reason);
        c.Damage();
        Restart();
        RunStartup(m_state, m_host);
        EXPECT_EQ(m_dir.ReadBytes("option.ini"), "Data=1\r\n");
        EXPECT_EQ(Snapshot(m_dir), full);
        const std::string logged = std::string("分析文件“") + c.File + "”无法使用：";
        EXPECT_EQ(CountLogLines(m_host, logged), 1u);
        EXPECT_EQ(CountLogLines(m_host, c.Reason), 1u);
        EXPECT_EQ(CountLogLines(m_host, "AC值计算成功"), 1u); // computed once, after the reload failed
    }
}

// A history edited in place behind a ready flag: the tables no longer open with its draws,
// and the start computes everything for the edited history.
TEST_F(PipelineTest, ReadyStartAfterAnEditedHistoryComputesForIt)
{
    RunStartup(m_state, m_host);
    auto history = m_dir.Read("data/data.txt");
    history[0].back() = '5'; // the newest blue 04 becomes 05
    m_dir.Write("data/data.txt", history);
    Restart();
    RunStartup(m_state, m_host);
    EXPECT_EQ(CountLogLines(m_host, "分析文件“Red/RedAna.txt”无法使用：第1行与历史数据的同一行不符"), 1u);
    EXPECT_EQ(m_dir.ReadBytes("option.ini"), "Data=1\r\n");
    const auto started = Snapshot(m_dir);
    RecomputeAll(m_state, m_host);
    EXPECT_EQ(Snapshot(m_dir), started);
    EXPECT_EQ(m_dir.Read("Blue/BlueAna.txt").front().substr(0, 17), "2026096(3493) 05 ");
}

// A fallback whose computation fails as well (a damaged history) reports that error and
// leaves "Data=0" for the next start.
TEST_F(PipelineTest, FallbackOnADamagedHistoryReportsItsError)
{
    RunStartup(m_state, m_host);
    auto history = m_dir.Read("data/data.txt");
    history.insert(history.begin(), "2026097 01 02 03 04 05 0x 07");
    m_dir.Write("data/data.txt", history);
    Restart();
    EXPECT_THROW(RunStartup(m_state, m_host), Error);
    EXPECT_EQ(CountLogLines(m_host, "分析文件“Red/RedAna.txt”无法使用：共3493行，应为3494行"), 1u);
    EXPECT_EQ(m_dir.ReadBytes("option.ini"), "Data=0\r\n");
}

// A flag of neither value is not trusted: the start computes as for "Data=0", whether the
// stored files are there or not, and ends with the full set and "Data=1".
TEST_F(PipelineTest, UnknownFlagComputesLikeAStaleOne)
{
    RunStartup(m_state, m_host);
    const auto before = Snapshot(m_dir);
    for (const bool removeFiles : {false, true}) {
        SCOPED_TRACE(removeFiles ? "stored files removed" : "stored files kept");
        if (removeFiles)
            for (const char* name : kAnalysisFiles)
                std::filesystem::remove(m_dir / name);
        m_dir.WriteBytes("option.ini", "data=1\r\n");
        Restart();
        RunStartup(m_state, m_host);
        EXPECT_EQ(Snapshot(m_dir), before);
        EXPECT_EQ(m_dir.ReadBytes("option.ini"), "Data=1\r\n");
    }
}

TEST_F(PipelineTest, SpiralStepNeedsTheRedTable)
{
    RunStartup(m_state, m_host);
    std::filesystem::remove(m_dir / "Red" / "RedAna.txt");
    m_host.Clear();
    EXPECT_THROW(RunSpiralStep(m_state, m_host), Error);
    EXPECT_EQ(m_host.LogLines, (std::vector<std::string>{" ", "正在开始螺旋体猜想..."}));
}

TEST(PipelineCli, RecomputeWritesEveryFileAndStartupReloadsThem)
{
    test::TempAppDir dir;
    ASSERT_TRUE(dir.InstallRealHistory());
    const auto appDir = dir.Path().string();
    auto result = test::RunCli({"--app-dir", appDir, "recompute"}, dir.Path());
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(dir.ReadBytes("option.ini"), "Data=1\r\n");
    const auto files = Snapshot(dir);
    EXPECT_EQ(files.size(), std::size(kAnalysisFiles));

    result = test::RunCli({"--json", "--app-dir", appDir, "startup"}, dir.Path());
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(Snapshot(dir), files);
    EXPECT_NE(result.Out.find("\"RepeatNumbers\":\""), std::string::npos);
    EXPECT_NE(result.Out.find("\"PositionMeans\":["), std::string::npos);
    EXPECT_NE(result.Out.find("\"error\":null"), std::string::npos);

    result = test::RunCli({"--app-dir", appDir, "analyse-prediction", "--off", "CheckBox9"}, dir.Path());
    EXPECT_EQ(result.ExitCode, 2);

    // A switched-off recompute, then a start: every file as with all switches on.
    result = test::RunCli({"--app-dir", appDir, "recompute", "--off", "CheckBox2"}, dir.Path());
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(dir.Read("Red/RedNext.txt").size(), 4u);
    result = test::RunCli({"--app-dir", appDir, "startup"}, dir.Path());
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(dir.ReadBytes("option.ini"), "Data=1\r\n");
    EXPECT_EQ(Snapshot(dir), files);
}

} // namespace
} // namespace qv
