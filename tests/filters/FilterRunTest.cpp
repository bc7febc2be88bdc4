#include "FilterTestSupport.h"

#include "core/Error.h"
#include "history/Gbk.h"
#include "selection/Basket.h"
#include "session/FilterCommands.h"
#include "session/SelectionCommands.h"
#include "support/TempAppDir.h"

#include <bit>
#include <map>
#include <random>
#include <unistd.h>

namespace qv {
namespace {

using test::ErrorOf;

// A filter run on a temporary app directory with a basket of the given lines.
class FilterRunTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir.Attach(m_state);
        ResetFilterState(m_state.Filters);
        m_state.Selection.BasketReadyFlag = true;
        m_state.RedHistory = {"06 12 15 22 29 32", ""};
    }
    void TearDown() override { SetWriteFailureHook({}); }

    void Basket(const Lines& lines) { m_dir.Write("Data/temp.txt", lines); }
    Lines BasketNow() const { return m_dir.Read("Data/temp.txt"); }

    void Only(std::initializer_list<const char*> boxes)
    {
        for (auto& [name, on] : m_state.Filters.Switches)
            on = false;
        for (const char* box : boxes)
            m_state.Filters.Switches.at(box) = true;
    }

    std::string Run()
    {
        m_host.Clear();
        return ErrorOf([&] { RunFilters(m_state, m_host); });
    }

    // The log without the blank lines that precede every entry; checks they are there.
    std::vector<std::string> Entries() const
    {
        std::vector<std::string> entries;
        for (std::size_t i = 0; i < m_host.LogLines.size(); ++i) {
            if (i % 2 == 0)
                EXPECT_EQ(m_host.LogLines[i], " ") << "entry " << i;
            else
                entries.push_back(m_host.LogLines[i]);
        }
        return entries;
    }

    test::TempAppDir m_dir;
    AppState m_state;
    RecordingHost m_host;
};

TEST_F(FilterRunTest, RefusesWithoutAnExpansionInThisRun)
{
    Basket({"01 02 03 04 05 06"});
    m_state.Selection.BasketReadyFlag = false;
    m_state.Filters.Counters["Label5"] = "已排除7注";
    EXPECT_EQ(Run(), "");
    ASSERT_EQ(m_host.Messages.size(), 1u);
    EXPECT_EQ(m_host.Messages[0].Caption, "号码篮");
    EXPECT_EQ(m_host.Messages[0].Text, "您的号码篮没有号码");
    EXPECT_EQ(m_host.Messages[0].Icon, MessageIcon::Information);
    EXPECT_EQ(m_host.ShownViews, std::vector<std::string>{"投注/组合"});
    EXPECT_TRUE(m_host.LogLines.empty());
    EXPECT_TRUE(m_host.Labels.empty());
    EXPECT_EQ(m_state.Filters.Counters["Label5"], "已排除7注");
}

TEST_F(FilterRunTest, NoBoxCheckedResetsCountersAndLeavesTheFileAlone)
{
    m_dir.WriteBytes("Data/temp.txt", "01 02 03 04 05 06\n01 02 03 04 05 07");
    Only({});
    m_state.Filters.Counters["Label46"] = "已排除3注";
    EXPECT_EQ(Run(), "");
    EXPECT_EQ(Entries(), (std::vector<std::string>{"本次运算没有勾选过滤条件", "完成运算.......OK"}));
    ASSERT_EQ(m_host.Messages.size(), 1u);
    EXPECT_EQ(m_host.Messages[0].Caption, "运算完毕");
    EXPECT_EQ(m_host.Messages[0].Text, "OK！运算完毕");
    EXPECT_EQ(m_host.Messages[0].Buttons, MessageButtons::Ok);
    EXPECT_EQ(m_dir.ReadBytes("Data/temp.txt"), "01 02 03 04 05 06\n01 02 03 04 05 07");
    EXPECT_EQ(m_host.Labels.count("Label4"), 0u);
    ASSERT_EQ(m_state.Filters.Counters.size(), 47u);
    for (const auto& slot : FilterRunOrder()) {
        SCOPED_TRACE(slot.Counter);
        EXPECT_EQ(m_state.Filters.Counters.at(slot.Counter), "已排除0注");
        EXPECT_EQ(m_host.Labels.at(slot.Counter), "已排除0注");
    }
}

TEST_F(FilterRunTest, OnePass)
{
    Basket({"01 02 03 04 10 20", "05 12 18 23 27 31", "10 11 12 13 14 15"});
    Only({"CheckBox6"});
    EXPECT_EQ(Run(), "");
    EXPECT_EQ(Entries(),
              (std::vector<std::string>{"本次运算勾选了1项过滤条件：排除无效组合", "正在排除无效组合.....",
                                        "排除无效组合，注数2....OK", "完成运算.......OK"}));
    EXPECT_EQ(m_dir.ReadBytes("Data/temp.txt"), "05 12 18 23 27 31\r\n");
    EXPECT_EQ(m_host.Labels.at("Label5"), "已排除2注");
    EXPECT_EQ(m_state.Filters.Counters.at("Label5"), "已排除2注");
    EXPECT_EQ(m_host.Labels.at("Label4"), "总共合计：1注/2元");
    EXPECT_EQ(m_host.ProgressMaximum, 3);
    EXPECT_EQ(m_host.ProgressPosition, 3);
    EXPECT_GE(std::count(m_host.ChangedViews.begin(), m_host.ChangedViews.end(), "BasketView"), 1);
    EXPECT_EQ(m_host.Messages.back().Text, "OK！运算完毕");
}

TEST_F(FilterRunTest, PassesRunInTheFixedOrderOnWhatTheEarlierOnesLeft)
{
    // CheckBox46 (place 1) takes 01 05 away before CheckBox6 (place 5) sees the basket;
    // CheckBox42 is not there yet, CheckBox36 (place 35) runs after both.
    Basket({"01 02 03 04 05 06", "01 05 12 18 23 27", "02 12 18 23 27 31", "10 11 12 13 14 15"});
    Only({"CheckBox36", "CheckBox6", "CheckBox46"});
    m_state.Filters.Edits["Edit11"] = "02";
    EXPECT_EQ(Run(), "");
    EXPECT_EQ(Entries(),
              (std::vector<std::string>{"本次运算勾选了3项过滤条件：号码相斥排除、排除无效组合、设胆码",
                                        "正在排除号码相斥.....", "号码相斥：排除2注....OK",
                                        "正在排除无效组合.....", "排除无效组合，注数1....OK",
                                        "正在设立胆码.....02", "胆码：排除0注....OK", "完成运算.......OK"}));
    EXPECT_EQ(BasketNow(), Lines{"02 12 18 23 27 31"});
    EXPECT_EQ(m_host.Labels.at("Label50"), "已排除2注");
    EXPECT_EQ(m_host.Labels.at("Label5"), "已排除1注");
    EXPECT_EQ(m_host.Labels.at("Label37"), "已排除0注");
}

TEST_F(FilterRunTest, EmptyBasketStopsTheRun)
{
    Basket({"01 05 11 12 13 14", "01 05 21 22 23 24"});
    Only({"CheckBox46", "CheckBox6", "CheckBox36"});
    EXPECT_EQ(Run(), "");
    EXPECT_EQ(Entries(),
              (std::vector<std::string>{"本次运算勾选了3项过滤条件：号码相斥排除、排除无效组合、设胆码",
                                        "正在排除号码相斥.....", "号码相斥：排除2注....OK",
                                        "正在排除无效组合.....", "号码篮没有号码....."}));
    ASSERT_EQ(m_host.Messages.size(), 1u);
    EXPECT_EQ(m_host.Messages[0].Caption, "号码篮");
    EXPECT_EQ(m_host.Messages[0].Text, "您的号码篮已经没有号码");
    EXPECT_EQ(m_host.Messages[0].Buttons, MessageButtons::Ok);
    EXPECT_EQ(m_host.Labels.at("Label50"), "已排除2注");
    EXPECT_EQ(m_host.Labels.at("Label4"), "总共合计：0注/0元");
    EXPECT_EQ(m_dir.ReadBytes("Data/temp.txt"), "");

    // With nothing after the pass that emptied it the run ends normally.
    Basket({"01 05 11 12 13 14"});
    Only({"CheckBox46"});
    EXPECT_EQ(Run(), "");
    EXPECT_EQ(m_host.Messages.back().Text, "OK！运算完毕");
    EXPECT_EQ(m_dir.ReadBytes("Data/temp.txt"), "");

    // An empty file stops the first pass and is not rewritten.
    m_dir.WriteBytes("Data/temp.txt", "");
    int writes = 0;
    SetWriteFailureHook([&](const std::filesystem::path&) { ++writes; });
    Only({"CheckBox6", "CheckBox9"});
    EXPECT_EQ(Run(), "");
    EXPECT_EQ(Entries(), (std::vector<std::string>{"本次运算勾选了2项过滤条件：排除无效组合、排除无效重号",
                                                   "正在排除无效组合.....", "号码篮没有号码....."}));
    EXPECT_EQ(m_host.Messages.back().Text, "您的号码篮已经没有号码");
    EXPECT_EQ(writes, 0);
}

TEST_F(FilterRunTest, SecondRunCountsOnlyWhatItRemoved)
{
    Basket({"01 05 11 12 13 14", "02 12 18 23 27 31", "02 05 12 18 23 27"});
    Only({"CheckBox46"});
    EXPECT_EQ(Run(), "");
    EXPECT_EQ(m_host.Labels.at("Label50"), "已排除1注");
    m_state.Filters.Memos["Memo3"] = {"02 05,1"};
    Only({"CheckBox6"});
    EXPECT_EQ(Run(), "");
    EXPECT_EQ(m_host.Labels.at("Label50"), "已排除0注");
    EXPECT_EQ(m_host.Labels.at("Label5"), "已排除0注");
    EXPECT_EQ(BasketNow(), (Lines{"02 12 18 23 27 31", "02 05 12 18 23 27"}));
}

TEST_F(FilterRunTest, FailuresLeaveTheBasketOfTheLastCompletedPass)
{
    const Lines basket = {"01 05 11 12 13 14", "02 12 18 23 27 31", "01 02 03", "03 12 18 23 27 31"};
    struct Case
    {
        const char* name;
        std::vector<const char*> boxes;
        std::function<void(AppState&)> change;
        std::string error;
        Lines left;           // the basket file afterwards
        std::string lastLine; // the last log entry
    };
    const Lines afterExclusion = {"02 12 18 23 27 31", "01 02 03", "03 12 18 23 27 31"};
    const Case cases[] = {
        {"parameter",
         {"CheckBox46", "CheckBox36"},
         [](AppState& s) { s.Filters.Edits["edit12"] = "1x"; },
         "过滤条件“设胆码”：参数框“至少出现…个”（edit12）的内容“1x”无法识别，应为一个整数（如 "
         "2），不带空格。",
         afterExclusion,
         "'1x' is not a valid integer value"},
        {"parameter without a caption",
         {"CheckBox7"},
         [](AppState& s) { s.Filters.Edits["Edit5"] = ""; },
         "过滤条件“排除首位数>=”：参数框 Edit5的内容“”无法识别，应为一个整数（如 2），不带空格。",
         basket,
         "'' is not a valid integer value"},
        {"bad line",
         {"CheckBox46", "CheckBox6"},
         [](AppState&) {},
         "过滤条件“排除无效组合”：号码篮（Data/temp.txt）第2行“01 02 "
         "03”无法处理，每行应为6个红球号码，以一个空格分隔"
         "（如“01 02 03 04 05 06”）。",
         afterExclusion,
         "List index out of bounds (3)"},
        {"bad line, first pass",
         {"CheckBox6"},
         [](AppState&) {},
         "过滤条件“排除无效组合”：号码篮（Data/temp.txt）第3行“01 02 "
         "03”无法处理，每行应为6个红球号码，以一个空格分隔"
         "（如“01 02 03 04 05 06”）。",
         basket,
         "List index out of bounds (3)"},
        {"rule line",
         {"CheckBox46", "TeCheckBox10"},
         [](AppState& s) { s.Filters.Memos["TeMemo3"] = {"02,0"}; },
         "过滤条件“组合模块条件”：规则框 TeMemo3 第1行的内容“02,0”无法识别，应为“号码,下限,上限”（如 01 05 "
         "09,1,2）。",
         afterExclusion,
         "List index out of bounds (2)"},
        {"second rule line",
         {"CheckBox46"},
         [](AppState& s) {
             s.Filters.Memos["Memo3"] = {"07 08,1", "02"};
         },
         "过滤条件“号码相斥排除”：规则框 Memo3 第2行的内容“02”无法识别，应为“号码,上限”（如 01 05 09,1）。",
         basket,
         "List index out of bounds (1)"},
        {"history",
         {"CheckBox46", "TeCheckBox5"},
         [](AppState& s) { s.RedHistory.clear(); },
         "List index out of bounds (0)",
         afterExclusion,
         "正在排除无效和值....."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        Basket(basket);
        Only({});
        for (const char* box : c.boxes)
            m_state.Filters.Switches.at(box) = true;
        c.change(m_state);
        EXPECT_EQ(Run(), c.error);
        EXPECT_EQ(BasketNow(), c.left);
        ASSERT_FALSE(m_host.LogLines.empty());
        EXPECT_EQ(m_host.LogLines.back(), c.lastLine);
        EXPECT_TRUE(m_host.Messages.empty());
    }
}

TEST_F(FilterRunTest, MissingBasketFile)
{
    Only({"CheckBox6"});
    const std::string error = Run();
    EXPECT_EQ(error.rfind("Cannot open file \"", 0), 0u) << error;
    EXPECT_NE(error.find("temp.txt"), std::string::npos);
    EXPECT_EQ(m_host.LogLines.back(), "正在排除无效组合.....");
}

TEST_F(FilterRunTest, UnwritableBasketStopsWithTheFileError)
{
    const Lines basket = {"01 05 11 12 13 14", "01 02 03 04 10 20", "02 12 18 23 27 31"};
    Basket(basket);
    SetWriteFailureHook([&](const std::filesystem::path& path) {
        if (path.filename() == "temp.txt")
            throw Error::CannotOpenFileErrno(path.string(), ENOSPC);
    });
    Only({"CheckBox46", "CheckBox6"});
    const std::string error = Run();
    SetWriteFailureHook({});
    EXPECT_NE(error.find("Cannot open file"), std::string::npos) << error;
    EXPECT_EQ(BasketNow(), basket);
    EXPECT_TRUE(m_host.Messages.empty());
    EXPECT_NE(m_host.LogLines.back(), "完成运算.......OK");
}

// A folder that takes no new file stops the run where the first pass writes.
TEST_F(FilterRunTest, ReadOnlyFolderStopsAtTheFirstPass)
{
    const Lines basket = {"01 05 11 12 13 14", "01 02 03 04 10 20", "02 12 18 23 27 31"};
    Basket(basket);
    Only({"CheckBox46", "CheckBox6"});
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    std::filesystem::permissions(m_dir / "Data", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    const std::string denied = Run();
    std::filesystem::permissions(m_dir / "Data", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    EXPECT_NE(denied.find("Cannot open file"), std::string::npos) << denied;
    EXPECT_EQ(BasketNow(), basket);
    EXPECT_EQ(m_host.Labels.at("Label50"), "已排除0注");
    EXPECT_EQ(m_host.LogLines.back(), "正在排除号码相斥.....");
}

TEST_F(FilterRunTest, LinesKeepTheirTextAndLineEndsBecomeCrLf)
{
    // Typed and Chinese lines pass through untouched; LF and CR line ends become CR LF.
    const std::string gbk = Utf8ToGbk("中文 01");
    m_dir.WriteBytes("Data/temp.txt",
                     "07 03 02 04 06 09\n" + gbk + "\r01 05 11 12 13 14\r\n\n02 12 18 23 27 31");
    Only({"CheckBox46"});
    EXPECT_EQ(Run(), "");
    EXPECT_EQ(m_dir.ReadBytes("Data/temp.txt"),
              "07 03 02 04 06 09\r\n" + gbk + "\r\n\r\n02 12 18 23 27 31\r\n");
    EXPECT_EQ(m_host.Labels.at("Label4"), "总共合计：4注/8元");
}

TEST_F(FilterRunTest, ProgressGoesInCoarseSteps)
{
    Lines basket;
    for (int a = 1; a <= 28 && basket.size() < 200000; ++a)
        for (int b = a + 1; b <= 29; ++b)
            for (int c = b + 1; c <= 30; ++c)
                for (int d = c + 1; d <= 31; ++d)
                    for (int e = d + 1; e <= 32; ++e)
                        basket.push_back(
                            Join(std::vector<std::string>{TwoDigits(a), TwoDigits(b), TwoDigits(c),
                                                          TwoDigits(d), TwoDigits(e), std::string("33")},
                                 " "));
    Basket(basket);
    Only({"CheckBox46", "CheckBox31"});
    EXPECT_EQ(Run(), "");
    EXPECT_LE(m_host.ProgressUpdates, 2 * (2 + static_cast<int>(basket.size() / 65536) + 1));
    EXPECT_EQ(m_host.ProgressPosition, m_host.ProgressMaximum);
}

// Running the enabled filters together must leave what running them one at a time, each
// in its own run, leaves.
TEST_F(FilterRunTest, OneRunEqualsPassByPassRuns)
{
    std::mt19937 random(5);
    Lines basket;
    std::vector<int> numbers(33);
    for (int i = 0; i < 33; ++i)
        numbers[static_cast<std::size_t>(i)] = i + 1;
    for (int i = 0; i < 30000; ++i) {
        std::shuffle(numbers.begin(), numbers.end(), random);
        std::vector<int> six(numbers.begin(), numbers.begin() + 6);
        std::sort(six.begin(), six.end());
        basket.push_back(JoinTwoDigits(six));
    }
    std::sort(basket.begin(), basket.end());
    basket.erase(std::unique(basket.begin(), basket.end()), basket.end());
    basket.insert(basket.begin() + 100, "07 03 01 02 04 05");
    test::SetPlausibleInputs(m_state);
    m_state.Filters.Memos["TeMemo3"] = {"01 02 03 04 05 06 07 08 09 10,1,4"};

    std::vector<std::string> enabled;
    for (const auto& info : FilterCatalogue())
        if (info.Order <= 3 || info.Default || info.CheckBox == "CheckBox31" || info.CheckBox == "CheckBox17")
            enabled.push_back(info.CheckBox);
    enabled.erase(std::remove(enabled.begin(), enabled.end(), "TeCheckBox8"), enabled.end());

    Basket(basket);
    for (auto& [name, on] : m_state.Filters.Switches)
        on = std::find(enabled.begin(), enabled.end(), name) != enabled.end();
    ASSERT_EQ(Run(), "");
    const std::string together = m_dir.ReadBytes("Data/temp.txt");
    ASSERT_EQ(m_host.Messages.back().Text, "OK！运算完毕");
    const std::map<std::string, std::string> labels = m_host.Labels;

    Basket(basket);
    for (const auto& box : enabled) {
        SCOPED_TRACE(box);
        Only({box.c_str()});
        const FilterInfo* info = FindFilter(box);
        ASSERT_EQ(Run(), "");
        EXPECT_EQ(m_host.Labels.at(info->Counter), labels.at(info->Counter));
    }
    EXPECT_EQ(m_dir.ReadBytes("Data/temp.txt"), together);
    EXPECT_EQ(m_host.Labels.at("Label4"), labels.at("Label4"));
}

} // namespace
} // namespace qv

namespace qv {
namespace {

// 容错: a line goes when more than K filters, each judging the basket the run began with,
// reject it.
// After an expansion the run takes the basket from memory and shows its result without
// reading the file back: the file, the view and the saved stamp must be what reading the
// file would give, and a file changed on disk since must be read.
TEST_F(FilterRunTest, ExpandedBasketRunsFromMemoryUnlessTheFileChanged)
{
    struct Case
    {
        const char* name;
        Lines rewritten; // written over the expanded file before the run, if any
        std::string edit5;
        Lines left;
    };
    const Lines expanded = ExpandLines({"01 02 03 04 05 06 07 08"}).ToLines();
    const Lines fromOne(expanded.begin(), expanded.begin() + 21); // C(7,5): first number 01
    const Case cases[] = {
        {"unchanged", {}, "2", fromOne},
        {"rewritten",
         {"01 02 03 04 05 06", "02 03 04 05 06 07", "01 03 04 05 06 07"},
         "2",
         {"01 02 03 04 05 06", "01 03 04 05 06 07"}},
        {"failing pass", {}, "x", expanded},
        {"nothing removed", {}, "9", expanded},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_state.Selection.BetList = {"01 02 03 04 05 06 07 08"};
        ExpandBetList(m_state, m_host);
        if (!c.rewritten.empty()) {
            usleep(20000); // a new modification time even on coarse clocks
            Basket(c.rewritten);
        }
        Only({"CheckBox7"});
        m_state.Filters.Edits["Edit5"] = c.edit5;
        Run();
        EXPECT_EQ(BasketNow(), c.left);
        EXPECT_EQ(m_state.Selection.BasketView.ToLines(), c.left);
        EXPECT_EQ(BasketFileStamp(m_state.Selection), StampOf(m_dir.ReadBytes("Data/temp.txt")));
    }
}

TEST_F(FilterRunTest, ToleranceRemovesWhatMoreThanKFiltersReject)
{
    test::SetPlausibleInputs(m_state);
    Lines basket;
    for (unsigned mask = 0; mask < (1u << 12); ++mask) {
        if (std::popcount(mask) != 6)
            continue;
        std::vector<int> reds;
        for (int n = 1; n <= 12; ++n)
            if (mask & (1u << (n - 1)))
                reds.push_back(n);
        basket.push_back(JoinTwoDigits(reds));
    }
    std::sort(basket.begin(), basket.end());
    const std::vector<std::string> boxes = {"CheckBox7", "CheckBox38", "CheckBox23"};
    Only({"CheckBox7", "CheckBox38", "CheckBox23"});
    m_state.Filters.Edits["Edit5"] = "3";
    m_state.Filters.Edits["edit15"] = "2";
    m_state.Filters.Edits["edit16"] = "4";
    std::vector<int> rejections(basket.size(), 0);
    std::map<std::string, long long> rejectedBy;
    for (const auto& box : boxes)
        for (std::size_t i = 0; i < basket.size(); ++i)
            if (test::Removes(m_state, box, basket[i])) {
                ++rejections[i];
                ++rejectedBy[box];
            }

    for (const int k : {1, 2, 3}) {
        SCOPED_TRACE(k);
        Basket(basket);
        m_state.Filters.Tolerance = k;
        ASSERT_EQ(Run(), "");
        Lines kept;
        for (std::size_t i = 0; i < basket.size(); ++i)
            if (rejections[i] <= k)
                kept.push_back(basket[i]);
        EXPECT_EQ(BasketNow(), kept);
        for (const auto& box : boxes)
            EXPECT_EQ(m_state.Filters.Counters[FindFilter(box)->Counter], CounterText(rejectedBy[box]))
                << box;
        EXPECT_EQ(m_host.Labels[kToleranceCounter],
                  ToleranceCounterText(static_cast<long long>(basket.size() - kept.size())));
        const auto entries = Entries();
        EXPECT_NE(std::find_if(entries.begin(), entries.end(),
                               [&](const std::string& e) {
                                   return e.rfind("本次运算容错" + std::to_string(k), 0) == 0;
                               }),
                  entries.end());
    }

    // K = 0 is the plain run; a filter that fails with K ≥ 1 stops the run with nothing removed.
    Basket(basket);
    m_state.Filters.Tolerance = 0;
    ASSERT_EQ(Run(), "");
    EXPECT_EQ(m_host.Labels.count(kToleranceCounter), 0u);
    Lines kept;
    for (std::size_t i = 0; i < basket.size(); ++i)
        if (rejections[i] == 0)
            kept.push_back(basket[i]);
    EXPECT_EQ(BasketNow(), kept);
    Basket(basket);
    m_state.Filters.Tolerance = 1;
    m_state.Filters.Edits["edit16"] = "x";
    EXPECT_NE(Run().find("留下奇数在"), std::string::npos);
    EXPECT_EQ(BasketNow(), basket);
}

TEST(Tolerance, TypedKIsANumberOfZeroOrMore)
{
    for (const auto& [text, value] : std::vector<std::pair<std::string, int>>{{"0", 0}, {"3", 3}, {"46", 46}})
        EXPECT_EQ(ParseTolerance(text), value);
    for (const char* text : {"", "-1", "x", "1.5", " 2", "２"})
        EXPECT_NE(test::ErrorOf([&] { ParseTolerance(text); }).find("容错数“"), std::string::npos) << text;
}

} // namespace
} // namespace qv
