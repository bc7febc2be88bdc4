#include "core/Error.h"
#include "core/RecordingHost.h"
#include "session/IndicatorCommands.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace qv {
namespace {

const std::string kExample = "2009149 06 12 15 22 29 32 07\r\n";
const std::string kPrevious = "2009148 03 06 17 22 25 31 09\r\n";

class IndicatorRefreshTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir.Attach(state);
        SetWriteFailureHook(
            [this](const std::filesystem::path& path) { written.push_back(path.filename()); });
    }
    void TearDown() override { SetWriteFailureHook({}); }

    // Runs the refresh over the history bytes with the flag; the error text, "" when none.
    std::string Refresh(const std::string& flag, const std::string& history)
    {
        dir.WriteBytes("data/data.txt", history);
        return Refresh(flag);
    }
    std::string Refresh(const std::string& flag)
    {
        state.Flag.SetCopy({flag});
        host.Clear();
        written.clear();
        try {
            RefreshIndicators(state, host);
        } catch (const Error& e) {
            return e.what();
        }
        return "";
    }
    bool Wrote(const char* name) const { return std::count(written.begin(), written.end(), name) == 1; }
    std::string LastLog() const { return host.LogLines.empty() ? "" : host.LogLines.back(); }

    test::TempAppDir dir;
    AppState state;
    RecordingHost host;
    std::vector<std::filesystem::path> written;
};

TEST_F(IndicatorRefreshTest, ComputesShowsAndStoresWithDataZero)
{
    ASSERT_EQ(Refresh("Data=0", kExample + kPrevious), "");
    const auto& ind = state.Indicators;
    EXPECT_EQ(dir.ReadBytes("Red/RedAna.txt"), EncodeLines(ind.RedIndicatorTable));
    EXPECT_EQ(dir.Read("Blue/BlueAna.txt"), ind.BlueIndicatorTable);
    EXPECT_EQ(ind.RedRows.at(0),
              (IndicatorRow{"2009149(2)", "06 12 15 22 29 32 +07", "6", "15", "33", "24", "CCCABB", "44",
                            "116", "NO", "NO", "06,22", "2", "1:3:2", "6:49:61", "26", "水火土火金火",
                            "√√√√×√", "坎震艮坎巽坤:兑"}));
    EXPECT_EQ(ind.BlueRows.at(1), (IndicatorRow{"2009148(1)", "09", "奇", "合", "大", "金", "乾:乾"}));
    const std::vector<std::string> head{" ", "正在初始化数据...", " ", "合计：2期数据进行分析...ing"};
    const std::vector<std::string> tail{
        " ", "正在进行数据导入操作....", " ", "数据导入成功.....OK", " ", "红球数据统计完毕->",
        " ", "正在研究蓝码...",          " ", "研究蓝码...OK"};
    ASSERT_EQ(host.LogLines.size(), head.size() + 56 + tail.size());
    EXPECT_TRUE(std::equal(head.begin(), head.end(), host.LogLines.begin()));
    EXPECT_TRUE(std::equal(tail.rbegin(), tail.rend(), host.LogLines.rbegin()));
    EXPECT_EQ(host.ChangedViews.back(), "TeListView1");
    EXPECT_NE(std::find(host.ChangedViews.begin(), host.ChangedViews.end(), "ListView3"),
              host.ChangedViews.end());
}

TEST_F(IndicatorRefreshTest, MalformedHistoriesStopWithoutReplacingTables)
{
    struct Case
    {
        const char* name;
        std::string history;
        std::string error;
        std::string lastLog;
        bool red, blue; // the table files written
    };
    const std::string total = "合计：2期数据进行分析...ing";
    const std::string ac = "初始化成功....开始计算AC值->";
    const Case cases[] = {
        {"two blanks", "2009149 06 12  15 22 29 32 07\r\n" + kPrevious,
         "第1行“2009149 06 12  15 22 29 32 07”无法读取：第3个红球“”不是整数", ac, 0, 0},
        {"no blue", "2009149 06 12 15 22 29 32\r\n" + kPrevious,
         "第1行“2009149 06 12 15 22 29 32”无法读取：只有7项", total, 0, 0},
        {"missing reds", "2009149 06 12 15 22\r\n" + kPrevious, "第1行“2009149 06 12 15 22”无法读取：只有5项",
         "", 0, 0},
        {"letters in a red", "2009149 06 1a 15 22 29 32 07\r\n" + kPrevious, "第2个红球“1a”不是整数", ac, 0,
         0},
        {"letters in the blue", kExample + "2009148 03 06 17 22 25 31 a9\r\n",
         "第2行“2009148 03 06 17 22 25 31 a9”无法读取：蓝球“a9”不是整数", "正在研究蓝码...", 1, 0},
        {"blank line", kExample + "\r\n" + kPrevious, "第2行“”无法读取：空行", "", 0, 0},
        {"empty last line", kExample + kPrevious + "\r\n", "第3行“”无法读取：空行", "", 0, 0},
        {"blue beyond 16", kExample + "2009148 03 06 17 22 25 31 17\r\n",
         "第2行“2009148 03 06 17 22 25 31 17”无法读取：蓝球应在01至16之间", "正在研究蓝码...", 1, 1},
        {"empty file", "", "", "研究蓝码...OK", 1, 1},
        {"trailing blank", "2009149 06 12 15 22 29 32 07 \r\n" + kPrevious, "", "研究蓝码...OK", 1, 1},
        {"five-digit issue", "20091 06 12 15 22 29 32 07\r\n" + kPrevious, "", "研究蓝码...OK", 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dir.Write("Red/RedAna.txt", {"old red"});
        dir.Write("Blue/BlueAna.txt", {"old blue"});
        const std::string error = Refresh("Data=0", c.history);
        if (c.error.empty())
            EXPECT_EQ(error, "");
        else
            EXPECT_EQ(error.rfind("历史数据（data/data.txt）", 0), 0u) << error;
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
        EXPECT_EQ(LastLog(), c.lastLog);
        EXPECT_EQ(Wrote("RedAna.txt"), c.red);
        EXPECT_EQ(Wrote("BlueAna.txt"), c.blue);
        EXPECT_EQ(dir.Read("Red/RedAna.txt") == Lines{"old red"}, !c.red);
        EXPECT_EQ(dir.Read("Blue/BlueAna.txt") == Lines{"old blue"}, !c.blue);
    }
    // The short issue and the trailing blank change nothing but the issue's own text.
    EXPECT_EQ(Refresh("Data=0", "20091 06 12 15 22 29 32 07 \r\n" + kPrevious), "");
    EXPECT_EQ(
        state.Indicators.RedIndicatorTable[0],
        "20091(2) 06 12 15 22 29 32 07 6 15 33 24 CCCABB 44 116 NO NO 06,22 2 1:3:2 6:49:61 26 水火土火金火 "
        "√√√√×√ 坎震艮坎巽坤:兑");
    // An empty history leaves both views empty and both files empty.
    EXPECT_EQ(Refresh("Data=0", ""), "");
    EXPECT_EQ(host.LogLines.at(3), "合计：0期数据进行分析...ing");
    EXPECT_EQ(dir.ReadBytes("Red/RedAna.txt") + dir.ReadBytes("Blue/BlueAna.txt"), "");
    EXPECT_TRUE(state.Indicators.RedRows.empty() && state.Indicators.BlueRows.empty());
}

TEST_F(IndicatorRefreshTest, DataOneShowsTheStoredTablesAndWritesThemBack)
{
    const std::string red =
        "2009150(9) 01 02 03 04 05 06 07 0 60 06 33 ABCABC 9 21 01-02-03-04-05-06 6 NO NO 6:0:0 "
        "21:0:0 5 水火木金土水 √××××× 乾兑离震巽坎:乾";
    const std::string blue = "2009150(9) 07 奇 质 小 火 艮:乾";
    struct Case
    {
        const char* name;
        Lines red, blue; // stored files; a missing red file when empty
        std::string error;
        std::size_t redRows, blueRows; // a stop in the red part leaves the blue view as it was
        bool redWritten, blueWritten;
    };
    const Case cases[] = {
        {"stored tables that no longer match", {red, red}, {blue}, "", 2, 1, 1, 1},
        {"red file missing", {}, {blue}, "分析文件“Red/RedAna.txt”无法使用：文件不存在", 0, 1, 0, 0},
        {"short red line",
         {red, "2009149(8) 01", red},
         {blue},
         "分析文件“Red/RedAna.txt”无法使用：List index out of bounds (2)",
         0,
         1,
         0,
         0},
        {"short blue line",
         {red},
         {blue, "2009149(8) 07 奇 质 小 火"},
         "分析文件“Blue/BlueAna.txt”无法使用：List index out of bounds (6)",
         1,
         0,
         1,
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(dir / "Red/RedAna.txt");
        if (!c.red.empty())
            dir.Write("Red/RedAna.txt", c.red);
        dir.Write("Blue/BlueAna.txt", c.blue);
        EXPECT_EQ(Refresh("Data=1", kExample), c.error);
        EXPECT_EQ(state.Indicators.RedRows.size(), c.redRows);
        EXPECT_EQ(state.Indicators.BlueRows.size(), c.blueRows);
        EXPECT_EQ(Wrote("RedAna.txt"), c.redWritten);
        EXPECT_EQ(Wrote("BlueAna.txt"), c.blueWritten);
        EXPECT_EQ(dir.Read("Blue/BlueAna.txt"), c.blue);
        if (!c.red.empty()) {
            EXPECT_EQ(dir.Read("Red/RedAna.txt"), c.red);
        }
    }
    EXPECT_EQ(state.Indicators.RedRows[0][1], "01 02 03 04 05 06 +07");
}

TEST_F(IndicatorRefreshTest, AnyOtherFlagShowsNothingAndKeepsTheFiles)
{
    for (const char* flag : {"data=1", "Data=1 ", "", "Data=2"}) {
        SCOPED_TRACE(flag);
        dir.Write("Red/RedAna.txt", {"old red"});
        dir.Write("Blue/BlueAna.txt", {"old blue"});
        EXPECT_EQ(Refresh(flag, kExample + kPrevious), "");
        EXPECT_TRUE(written.empty());
        EXPECT_TRUE(state.Indicators.RedRows.empty() && state.Indicators.BlueRows.empty());
        EXPECT_EQ(dir.Read("Red/RedAna.txt"), Lines{"old red"});
        EXPECT_EQ(LastLog(), "研究蓝码...OK");
    }
}

TEST_F(IndicatorRefreshTest, FailedWriteKeepsThePreviousTable)
{
    dir.Write("Red/RedAna.txt", {"old red"});
    SetWriteFailureHook([](const std::filesystem::path& path) {
        if (path.filename() == "RedAna.txt")
            throw Error::CannotOpenFileErrno(path.string(), EACCES);
    });
    EXPECT_NE(Refresh("Data=0", kExample).find("Cannot open file"), std::string::npos);
    EXPECT_EQ(dir.Read("Red/RedAna.txt"), Lines{"old red"});
    EXPECT_FALSE(dir.Exists("Blue/BlueAna.txt"));
}

TEST_F(IndicatorRefreshTest, RealHistoryRoundTripsThroughDataOne)
{
    ASSERT_TRUE(dir.InstallRealHistory());
    ASSERT_EQ(Refresh("Data=0"), "");
    const auto computed = state.Indicators;
    ASSERT_EQ(computed.RedIndicatorTable.size(), 3493u);
    ASSERT_EQ(computed.BlueIndicatorTable.size(), 3493u);
    EXPECT_EQ(computed.RedIndicatorTable[0],
              "2026096(3493) 01 04 16 22 26 31 04 9 24 42 24 AAAABA 32 100 NO NO 04,22 2 "
              "2:2:2 5:38:57 30 水金水火水水 √×√√√√ 乾震坤坎兑艮:巽");
    for (const auto& line : computed.RedIndicatorTable)
        ASSERT_EQ(std::count(line.begin(), line.end(), ' '), 24) << line;
    for (const auto& row : computed.BlueRows)
        ASSERT_EQ(row.size(), 7u);
    const std::string redBytes = dir.ReadBytes("Red/RedAna.txt");
    const std::string blueBytes = dir.ReadBytes("Blue/BlueAna.txt");
    ASSERT_EQ(Refresh("Data=1"), "");
    EXPECT_EQ(dir.ReadBytes("Red/RedAna.txt"), redBytes);
    EXPECT_EQ(dir.ReadBytes("Blue/BlueAna.txt"), blueBytes);
    EXPECT_EQ(state.Indicators.RedRows, computed.RedRows);
    EXPECT_EQ(state.Indicators.BlueRows, computed.BlueRows);
}

TEST_F(IndicatorRefreshTest, ExportsCopyTheStoredFile)
{
    struct Case
    {
        void (*run)(AppState&, Host&);
        const char* stored;
        const char* proposed;
    };
    for (const Case c : {Case{ExportRedTable, "Red/RedAna.txt", "红球数据.txt"},
                         Case{ExportBlueTable, "Blue/BlueAna.txt", "蓝球数据.txt"}}) {
        SCOPED_TRACE(c.stored);
        host.Clear();
        std::filesystem::remove(dir / c.stored);
        EXPECT_THROW(c.run(state, host), Error);
        EXPECT_TRUE(host.SaveRequests.empty());
        dir.Write(c.stored, {"第一行", "2009149(3) 07"});
        const auto target = dir / "export.txt";
        std::filesystem::remove(target);
        c.run(state, host); // cancelled
        EXPECT_FALSE(std::filesystem::exists(target));
        for (int twice = 0; twice < 2; ++twice) {
            host.QueueSaveFile(target);
            c.run(state, host);
        }
        EXPECT_EQ(dir.ReadBytes("export.txt"), dir.ReadBytes(c.stored));
        ASSERT_EQ(host.SaveRequests.size(), 3u);
        EXPECT_EQ(host.SaveRequests[0].ProposedName, c.proposed);
        EXPECT_EQ(host.SaveRequests[0].Filter, "*.txt|*.txt");
        EXPECT_EQ(host.SaveRequests[0].StartFolder, dir.Path());
    }
}

TEST(IndicatorCommands, RefreshAndExportFromTheCommandLine)
{
    test::TempAppDir dir;
    ASSERT_TRUE(dir.InstallRealHistory());
    const std::string run = "cd '" + dir.Path().string() + "' && '" + QUORVANE_CLI + "' --app-dir . ";
    for (const char* flag : {"Data=0", "Data=1"}) {
        dir.Write("option.ini", {flag});
        ASSERT_EQ(std::system((run + "refresh-indicators > /dev/null").c_str()), 0) << flag;
        EXPECT_EQ(dir.Read("Red/RedAna.txt").size(), 3493u);
        EXPECT_EQ(dir.Read("Blue/BlueAna.txt").size(), 3493u);
    }
    ASSERT_EQ(std::system((run + "export-red red.txt && " + run + "export-blue blue.txt").c_str()), 0);
    EXPECT_EQ(dir.ReadBytes("red.txt"), dir.ReadBytes("Red/RedAna.txt"));
    EXPECT_EQ(dir.ReadBytes("blue.txt"), dir.ReadBytes("Blue/BlueAna.txt"));
}

} // namespace
} // namespace qv
namespace qv {
namespace {

TEST(IndicatorHelp, ExplainsEveryColumnInCleanGbk)
{
    const std::filesystem::path appdata = std::filesystem::path(QUORVANE_SOURCE_DIR) / "appdata";
    const std::pair<const char*, std::vector<const char*>> helps[] = {
        {"Red/Redhelp.txt",
         {"期号", "号码", "AC值", "个十", "大小", "奇偶", "除3", "奇数和", "总和", "连号", "连号数", "重号",
          "重号数", "三区比", "三区和值", "极距", "五行", "螺旋体范围", "先天八卦"}},
        {"Blue/Bluehelp.txt", {"期号", "蓝球号码", "奇偶", "质合", "大小", "五行属性", "先天八卦"}},
    };
    for (const auto& [file, columns] : helps) {
        SCOPED_TRACE(file);
        const std::string bytes = ReadFileBytes(appdata / file);
        EXPECT_TRUE(bytes.ends_with("\r\n"));
        EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), std::count(bytes.begin(), bytes.end(), '\r'));
        const std::string text = Join(LoadLines(appdata / file), "\n");
        EXPECT_EQ(text.find("\xEF\xBF\xBD"), std::string::npos); // no undecodable byte
        for (const char* column : columns)
            EXPECT_NE(text.find(std::string("\n") + column + "："), std::string::npos) << column;
    }
}

} // namespace
} // namespace qv
