#include "filters/FilterRun.h"
#include "filters/MagicValueProbability.h"
#include "filters/MagicValueProbabilityTestKit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace qv::test {
namespace {

TEST(ProbabilityFilters, KeepAndRemoveOnBothForms)
{
    FamilyBench bench;
    bench.SetHistory({"06 12 15 22 29 32", "01 02 03 04 05 06"});
    bench.State.Analysis.Prediction.KillNumbers = "01 02 03";
    bench.State.Analysis.Prediction.LongOmissionNumbers = "10 20 30 33";
    const LineCase cases[] = {
        {"CheckBox18", "01 03 04 05 07 22", true}, // 22 has no tail
        {"CheckBox18", "01 03 04 05 07 12", false},
        {"CheckBox18", "01 03 04 05 07 09", false},
        {"TeCheckBox14", "01 04 05 06 09 33", true},
        {"TeCheckBox14", "01 04 05 06 09 13", false},
        {"TeCheckBox14", "01 04 05 06 09 22", true},
        {"TeCheckBox2", "07 11 15 23 27 32", false}, // six in range
        {"TeCheckBox2", "08 12 16 24 28 33", true},  // none: every value on a bound
        {"TeCheckBox2", "01 06 30 31 32 33", false}, // two: 01 and 06
        {"TeCheckBox2", "01 05 09 17 21 25", true},  // one: 01
        {"TeCheckBox9", "01 02 03 04 05 06", true},  // three kill numbers
        {"TeCheckBox9", "01 02 07 08 09 10", false},
        {"TeCheckBox9", "04 05 07 08 09 11", false},
        {"TeCheckBox12", "01 02 04 05 06 07", true}, // no long-omission number
        {"TeCheckBox12", "10 20 24 25 26 27", false},
        {"TeCheckBox12", "10 20 30 31 32 33", true}, // four
        {"CheckBox42", "06 12 15 22 29 32", true},   // a past draw
        {"CheckBox42", "06 12 15 22 29 33", true},   // one number changed
        {"CheckBox42", "06 12 15 22 30 33", false},  // two changed
        {"CheckBox42", "01 02 03 04 05 33", true},
        {"CheckBox42", "01 02 03 04 06 12", true},
        {"CheckBox42", "01 02 03 07 08 12", false},
    };
    ExpectLineCases(bench, cases);
}

TEST(ProbabilityFilters, EmptyPredictionLists)
{
    FamilyBench bench;
    auto kill = bench.Prepared("TeCheckBox9");
    auto omission = bench.Prepared("TeCheckBox12");
    auto repeat = bench.Prepared("CheckBox42"); // no draws at all
    for (const auto& line : RandomCombos(200)) {
        EXPECT_FALSE(RemovesCombo(*kill, line));
        EXPECT_TRUE(RemovesCombo(*omission, line));
        EXPECT_FALSE(RemovesCombo(*repeat, line));
        EXPECT_FALSE(RemovesText(*repeat, line));
    }
    EXPECT_EQ(bench.StartLine("TeCheckBox9"), "正在进行杀号过滤.....");
    bench.State.Analysis.Prediction.KillNumbers = "05 17";
    bench.State.Analysis.Prediction.LongOmissionNumbers = "09";
    EXPECT_EQ(bench.StartLine("TeCheckBox9"), "正在进行杀号过滤.....05 17");
    EXPECT_EQ(bench.StartLine("TeCheckBox12"), "正在进行大遗漏值过滤.....09");
}

TEST(ProbabilityFilters, TolerancesAreConvertedAtTheFirstLine)
{
    const ParameterCase cases[] = {
        {"TeCheckBox2", {{"TeSEdit9", "x"}}, NotAnIntegerText("x")},
        {"TeCheckBox2", {{"TeSEdit6", "6 "}}, NotAnIntegerText("6 ")},
        {"TeCheckBox9", {{"TeSEdit7", ""}, {"TeSEdit8", "z"}}, NotAnIntegerText("")},
        {"TeCheckBox12", {{"TeSEdit13", "三"}}, NotAnIntegerText("三")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.CheckBox);
        FamilyBench bench;
        bench.SetEdits(c.Edits);
        std::unique_ptr<FilterRule> rule;
        EXPECT_EQ(ErrorOf([&] { rule = bench.Prepared(c.CheckBox); }), "");
        ASSERT_NE(rule, nullptr);
        EXPECT_EQ(ErrorOf([&] { RemovesCombo(*rule, "01 02 03 04 05 06"); }), c.Error);
    }

    // The first line's own fields are read before the tolerance.
    FamilyBench bench;
    bench.Settings.Edits["TeSEdit9"] = "x";
    auto spiral = bench.Prepared("TeCheckBox2");
    EXPECT_EQ(ErrorOf([&] { RemovesText(*spiral, "01 02"); }), "List index out of bounds (2)");
    EXPECT_EQ(ErrorOf([&] { RemovesText(*spiral, "01 02 03 04 05 06"); }), NotAnIntegerText("x"));
}

TEST(ProbabilityFilters, MalformedLinesFollowTheTextRules)
{
    FamilyBench bench;
    bench.SetHistory({"06 12 15 22 29 32"});
    const OutcomeCase cases[] = {
        {"CheckBox18", "01 02", "List index out of bounds (2)"},
        {"CheckBox18", "01 03 04 05 07 22 12", "removed"}, // a seventh field is not looked at
        {"CheckBox18", "1 3 4 5 7 x2", "kept"},            // the 2 of "x2" stands second
        {"CheckBox18", "2 6 8 9 22 102", "removed"},       // the first 2 of "102" is its third character
        {"CheckBox18", "x 6 8 9 123 1", "kept"},           // "123": 2 stands second
        {"TeCheckBox14", "x y z w v 17", "kept"},
        {"TeCheckBox2", "07 11 x 23 27 32", "'x' is not a valid integer value"},
        {"TeCheckBox2", "-5 6 10 18 22 26", "kept"},
        {"TeCheckBox9", "junk", "kept"}, // no kill list: 0 hits
        {"CheckBox45", "06 12 15", "List index out of bounds (3)"},
        {"CheckBox45", "06 12 x", "removed"},       // "12 x" never stood together
        {"CheckBox45", "6 12 15 22 29 32", "kept"}, // "6 12" lies inside "06 12,1"
        {"CheckBox42", "06 12 15 22 29", "removed"},
        {"CheckBox42", "06 12 15 22", "kept"},
        {"CheckBox42", "x06x12x15x22x29", "removed"}, // hits are substrings
    };
    ExpectTextOutcomes(bench, cases);
}

TEST(NeighbourPairTable, SingleDrawAndTheWrittenFile)
{
    FamilyBench bench;
    bench.SetHistory({"06 12 15 22 29 32"});
    auto rule = bench.Prepared("CheckBox45");
    EXPECT_EQ(bench.Dir.ReadBytes("Red/Redlm.txt"),
              "  \r\n06 12,1\r\n12 15,1\r\n15 22,1\r\n22 29,1\r\n29 32,1\r\n");
    EXPECT_FALSE(RemovesCombo(*rule, "06 12 15 22 29 32"));
    EXPECT_FALSE(RemovesText(*rule, "06 12 15 22 29 32"));
    EXPECT_TRUE(RemovesCombo(*rule, "06 12 15 22 29 33")); // 29 33 never stood together
    EXPECT_TRUE(RemovesText(*rule, "06 12 15 22 29 33"));

    bench.Settings.Edits["edit19"] = "1";
    auto strict = bench.Prepared("CheckBox45");
    EXPECT_TRUE(RemovesCombo(*strict, "06 12 15 22 29 32"));
    for (const auto& line : RandomCombos(200))
        EXPECT_TRUE(RemovesCombo(*strict, line)) << line;
}

// The rule hands its table to the run instead of writing it: a context of hand-made lines
// with no AppDir at all gives the file's path and lines and logs nothing.
TEST(NeighbourPairTable, RuleGivesItsFileWithoutWriting)
{
    struct CollectingLog : StepLog
    {
        void Log(const std::string& line) override { Lines.push_back(line); }
        std::vector<std::string> Lines;
    } log;
    const Lines history{"06 12 15 22 29 32", "01 02 03 04 05 06", ""};
    const NextIssueReference reference;
    const NextIssuePrediction prediction;
    FilterState settings;
    settings.Edits["edit19"] = "0";
    FilterContext context{history, reference, prediction, settings, log};

    const auto rule = FindFilter("CheckBox45")->Make();
    std::vector<std::pair<std::string, Lines>> saved;
    PrepareRule(*rule, context,
                [&](const RuleFile& file) { saved.emplace_back(std::string(file.Path), file.Content); });
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0].first, "Red/Redlm.txt");
    EXPECT_EQ(saved[0].second, BuildNeighbourPairTable(history));
    EXPECT_TRUE(log.Lines.empty());
    EXPECT_FALSE(rule->Removes(MakeBasketLine("01 02 03 04 05 06")));

    // Every other rule produces no file.
    for (const auto& info : FilterCatalogue())
        if (info.CheckBox != "CheckBox45") {
            const auto other = info.Make();
            EXPECT_FALSE(other->File().has_value()) << info.CheckBox;
        }
}

TEST(NeighbourPairTable, CountedEntriesMoveToTheEnd)
{
    const Lines history{"01 02 10 20 30 33", "01 03 11 21 31 32", "01 02 12 22 23 24", ""};
    const Lines expected{"  ",      "01 03,1", "01 02,2", "02 10,1", "02 12,1",
                         "03 11,1", "10 20,1", "11 21,1", "12 22,1", "20 30,1",
                         "21 31,1", "22 23,1", "23 24,1", "30 33,1", "31 32,1"};
    EXPECT_EQ(BuildNeighbourPairTable(history), expected);
    EXPECT_EQ(BuildNeighbourPairTable({""}), Lines{"  "});
    EXPECT_EQ(BuildNeighbourPairTable({}), Lines{"  "});
}

TEST(NeighbourPairTable, OddHistoryLinesAreSearchedAsText)
{
    // "01 2" is first found inside "01 23,1", takes over its count and moves to the end.
    const Lines history{"01 23 30 31 32 33", "01 2 05 06 07 08", ""};
    const Lines expected{"  ",      "01 2,2",  "05 06,1", "06 07,1", "07 08,1",
                         "23 30,1", "30 31,1", "31 32,1", "32 33,1"};
    EXPECT_EQ(BuildNeighbourPairTable(history), expected);

    // A draw too short for the neighbour of its number stops the pass.
    EXPECT_EQ(ErrorOf([] { BuildNeighbourPairTable({"01 02 03"}); }), "List index out of bounds (3)");

    FamilyBench bench;
    bench.SetHistory({"01 23 30 31 32 33", "01 2 05 06 07 08"});
    auto rule = bench.Prepared("CheckBox45");
    EXPECT_EQ(bench.Dir.Read("Red/Redlm.txt"), expected);
    EXPECT_TRUE(RemovesCombo(*rule, "01 23 30 31 32 33")); // "01 23" is gone from the table
    EXPECT_TRUE(RemovesText(*rule, "01 2 05 06 07 08"));   // "2 05" stands in no entry
    EXPECT_FALSE(RemovesText(*rule, "01 2 3 30 31 32"));   // "2 3" inside "32 33,1", "3 30" inside "23 30,1"
    ExpectCompactMatchesText(bench, "CheckBox45", RandomCombos(2000, 3));
}

TEST(NeighbourPairTable, LimitIsConvertedAtTheFirstPairFound)
{
    FamilyBench bench;
    bench.Settings.Edits["edit19"] = "abc";
    auto none = bench.Prepared("CheckBox45"); // no draws: only the two-blank entry
    EXPECT_EQ(bench.Dir.ReadBytes("Red/Redlm.txt"), "  \r\n");
    for (const auto& line : RandomCombos(100)) {
        EXPECT_TRUE(RemovesCombo(*none, line));
        EXPECT_TRUE(RemovesText(*none, line));
    }

    bench.SetHistory({"06 12 15 22 29 32"});
    for (bool compact : {true, false}) {
        SCOPED_TRACE(compact);
        auto rule = bench.Prepared("CheckBox45");
        const auto removes = [&](const std::string& line) {
            return compact ? RemovesCombo(*rule, line) : RemovesText(*rule, line);
        };
        EXPECT_TRUE(removes("01 02 03 04 05 06"));
        EXPECT_EQ(ErrorOf([&] { removes("06 12 13 14 15 16"); }), NotAnIntegerText("abc"));
    }
}

TEST(NeighbourPairTable, UnwritableFileStopsThePass)
{
    FamilyBench bench;
    bench.SetHistory({"06 12 15 22 29 32"});
    std::filesystem::create_directories(bench.Dir / "Red" / "Redlm.txt");
    const std::string error = ErrorOf([&] { bench.Prepared("CheckBox45"); });
    EXPECT_EQ(error.rfind("Cannot open file \"", 0), 0u) << error;
    EXPECT_NE(error.find("Redlm.txt"), std::string::npos) << error;
}

TEST(HistoryRepeat, OddHistoryLinesCountTheirItems)
{
    struct Case
    {
        const char* Draw;
        const char* Line;
        bool Removed;
    };
    const Case cases[] = {
        {"12 06 15 22 29 32", "06 12 15 22 29 33", true}, // not ascending
        {"12 06 15 22 29 32", "06 12 15 21 28 33", false},
        {"07 07 07 07 07", "01 02 03 04 05 07", true}, // an item listed five times counts five times
        {"07 07 07 07 07", "01 02 03 04 05 06", false},
        {"1 2 3 4 5", "14 25 30 31 32 33", true}, // one-digit items hit every number holding them
        {"1 2 3 4 5", "10 20 30 31 32 33", false},
        {"06 12 15 22 29 32 33", "06 12 15 22 23 24", false},
        {"06 12 15 22 29 32 33", "12 15 22 29 32 33", true},
        {"06  12 15 22 29", "06 12 15 22 29 33", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Draw) + " / " + c.Line);
        FamilyBench bench;
        bench.SetHistory({"20 21 23 24 25 26", c.Draw});
        ExpectRemoved(*bench.Prepared("CheckBox42"), c.Line, c.Removed);
    }
}

TEST(HistoryRepeat, LinesOfOtherFormsCountLikeCountHits)
{
    FamilyBench bench;
    bench.UseRealHistory();
    bench.State.RedHistory.insert(bench.State.RedHistory.begin() + 5, "1 2 3 4 5 6");
    auto rule = bench.Prepared("CheckBox42");
    int removed = 0;
    for (const auto& line : OddLines(1000, 5)) {
        bool expected = false;
        for (const auto& draw : bench.State.RedHistory)
            expected = expected || CountHits(draw, line) >= 5;
        ASSERT_EQ(RemovesText(*rule, line), expected) << line;
        removed += expected;
    }
    EXPECT_GT(removed, 30) << "too few lines removed to tell anything";
    EXPECT_LT(removed, 970);
}

TEST(ProbabilityFilters, LinesAndParameterFields)
{
    FamilyBench bench;
    struct Entry
    {
        const char* CheckBox;
        const char* Start;
        const char* Closing; // for 3 lines removed
        std::vector<std::pair<std::string, std::string>> Edits;
    };
    const Entry entries[] = {
        {"CheckBox18", "正在排除没有2689的号码.....", "排除没有2689的号码：3注....OK", {}},
        {"TeCheckBox14", "正在排除没有2378的号码.....", "排除没有2378的号码：3注....OK", {}},
        {"TeCheckBox2",
         "正在进行螺旋体第1算法.....",
         "螺旋体第1算法，排除注数3....OK",
         {{"TeSEdit9", "2"}, {"TeSEdit6", "6"}}},
        {"TeCheckBox9",
         "正在进行杀号过滤.....",
         "杀号过滤，排除注数3....OK",
         {{"TeSEdit7", "0"}, {"TeSEdit8", "2"}}},
        {"TeCheckBox12",
         "正在进行大遗漏值过滤.....",
         "大遗漏值过滤，排除注数3....OK",
         {{"TeSEdit12", "1"}, {"TeSEdit13", "3"}}},
        {"CheckBox45", "正在进行历史邻号运算.....", "排除历史邻号，排除注数3....OK", {{"edit19", "0"}}},
        {"CheckBox42", "正在排除历史出号.....", "排除历史出号：3注....OK", {}},
    };
    for (const auto& e : entries) {
        SCOPED_TRACE(e.CheckBox);
        EXPECT_EQ(bench.StartLine(e.CheckBox), e.Start);
        EXPECT_EQ(bench.ClosingLine(e.CheckBox, 3), e.Closing);
        EXPECT_EQ(bench.Info(e.CheckBox).EditDefaults, e.Edits);
    }
}

TEST(ProbabilityFilters, CompactFormMatchesText)
{
    FamilyBench bench;
    bench.UseRealHistory();
    bench.State.Analysis.Prediction.KillNumbers = "02 09 13 27 31";
    bench.State.Analysis.Prediction.LongOmissionNumbers = "04 11 18 25 33";
    // Random lines, and real draws with one number changed, which the repeat rule removes.
    auto lines = RandomCombos(4000, 11);
    for (std::size_t i = 0; i < 300; ++i) {
        const auto fields = SplitFields(bench.State.RedHistory[i * 10]);
        std::vector<int> numbers;
        for (const auto& field : fields)
            numbers.push_back(StrToInt(field));
        const int changed = numbers[i % 6] % 33 + 1;
        if (std::find(numbers.begin(), numbers.end(), changed) != numbers.end())
            continue;
        numbers[i % 6] = changed;
        std::sort(numbers.begin(), numbers.end());
        std::vector<std::string> texts;
        for (int n : numbers)
            texts.push_back(TwoDigits(n));
        lines.push_back(Join(texts, " "));
    }
    for (const char* limit : {"0", "2", "9"}) {
        bench.Settings.Edits["edit19"] = limit;
        ExpectCompactMatchesText(bench, "CheckBox45", lines);
    }
    for (const char* checkBox : {"CheckBox18", "TeCheckBox14", "TeCheckBox2", "TeCheckBox9", "TeCheckBox12"})
        ExpectCompactMatchesText(bench, checkBox, lines);
    const int repeats = ExpectCompactMatchesText(bench, "CheckBox42", lines);
    EXPECT_GT(repeats, 300);
    EXPECT_LT(repeats, 4000);
}

} // namespace
} // namespace qv::test
