#include "core/AppState.h"
#include "core/Error.h"
#include "core/RecordingHost.h"
#include "history/Pipeline.h"
#include "history/TextFile.h"
#include "support/CliRunner.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

#include <map>

namespace qv {
namespace {

const char* const kAnalysisFiles[] = {
    "Red/RedAna.txt", "Blue/BlueAna.txt", "Red/RedZB.txt",   "Blue/BlueZB.txt", "Red/RedYL.txt",
    "Blue/BlueYL.txt", "Blue/BlueQK.txt", "Blue/BlueLM.txt", "Red/RedQK.txt",   "Red/RedNext.txt",
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
        EXPECT_EQ(FormatReal(m_state.Analysis.Reference.PositionMeans[k]), FormatReal(reference.PositionMeans[k]));
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
        EXPECT_EQ(std::string(e.what()), "'0x' is not a valid integer value");
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

TEST_F(PipelineTest, UnknownFlagNeverEmptiesStoredFiles)
{
    RunStartup(m_state, m_host);
    const auto before = Snapshot(m_dir);
    m_dir.WriteBytes("option.ini", "data=1\r\n");
    Restart();
    RunStartup(m_state, m_host);
    EXPECT_EQ(Snapshot(m_dir), before);
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
}

} // namespace
} // namespace qv
