// Draw lines as players copy them, the history's order check, and the import of draws:
// its plan against a history, the merge and the gaps.

#include "history/DrawImport.h"
#include "history/DrawLine.h"
#include "history/Gbk.h"
#include "history/TextFile.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace qv {
namespace {

TEST(DrawLine, ReadsEveryAcceptedForm)
{
    const std::string plain = "2026097 01 02 05 12 20 33 07";
    const struct
    {
        const char* line;
        std::string expected;
    } cases[] = {
        {"2026097 01 02 05 12 20 33 07", plain},
        {"2026097 01 02 05 12 20 33 +07", plain},
        {"2026097,01,02,05,12,20,33,07", plain},
        {"2026097 01 02 05 12 20 33 | 07", plain},
        {"2026097\t1\t2\t5\t12\t20\t33\t7", plain},
        {"2026097 33 05 01 20 12 02 07", plain},  // drawing order
        {"2026-097 01 02 05 12 20 33 07", plain}, // dash
        {"26097 01 02 05 12 20 33 07", plain},    // short year
        {"26-097 01 02 05 12 20 33 07", plain},
        {"第2026097期 01 02 05 12 20 33 07", plain},
        {"2026-12-08 2026097 01 02 05 12 20 33 07 星期二", plain}, // date before, weekday after
        {"周二,2026097,01,02,05,12,20,33,07,2026/12/08,21:15", plain},
        {"2026097 01 02 05 12 20 33 07 358123456 1.5亿", plain}, // amounts after the draw
        {"2026097 20261208 01 02 05 12 20 33 07", plain},
        {"2026097，０１、02 05 12 20 33＋07", plain}, // full-width forms
        {" 2026097  01 02 05 12 20 33 07 \r", plain},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const DrawLineRead read = ReadDrawLine(c.line);
        ASSERT_TRUE(read.Draw) << read.Reason;
        EXPECT_EQ(read.Draw->ToLine(), c.expected);
    }
}

TEST(DrawLine, RefusesWithItsReason)
{
    const struct
    {
        const char* line;
        const char* reason;
    } cases[] = {
        {"期号,红1,红2,红3,红4,红5,红6,蓝", "没有期号"},
        {"202609 01 02 03 04 05 06 07", "期号应为7位数字"},
        {"第97期 01 02 03 04 05 06 07", "期号应为7位数字"},
        {"2026000 01 02 03 04 05 06 07", "期数应从001起"},
        {"1 2026097 01 02 03 04 05 06 07", "期号之前不应有号码：1"},
        {"2026097 01 02 03 04 05 06", "号码不足7个（应为6个红球和1个蓝球），只有6个"},
        {"2026097 01 02 03 04 05 06 07 08", "号码多于7个"},
        {"2026097 01 02 003 04 05 06 07", "号码应为一至两位数字：003"},
        {"2026097 20261308 01 02 03 04 05 06 07", "号码应为一至两位数字：20261308"},
        {"2026097 01 02 03 04 0A 06 07", "无法识别：0A"},
        {"2026097 01 02 03 04 05 34 07", "红球应在1至33之间：34"},
        {"2026097 00 02 03 04 05 06 07", "红球应在1至33之间：00"},
        {"2026097 01 02 03 04 05 1 07", "红球重复：1"},
        {"2026097 01 02 03 04 05 06 17", "蓝球应在1至16之间：17"},
        {"2026097 01 02 03 04 05 06 0", "蓝球应在1至16之间：0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const DrawLineRead read = ReadDrawLine(c.line);
        EXPECT_FALSE(read.Draw);
        EXPECT_FALSE(read.Blank);
        EXPECT_NE(read.Reason.find(c.reason), std::string::npos) << read.Reason;
    }
    EXPECT_TRUE(ReadDrawLine(" \t, |").Blank);
}

TEST(DrawLine, HistoryFaultIsTheFirstBrokenLineOrOrder)
{
    const std::string a = "2026096 01 04 16 22 26 31 04";
    const std::string b = "2026095 04 06 14 21 22 33 16";
    const std::string newYear = "2027001 01 02 03 04 05 06 07";
    const std::string oldYear = "2026153 01 02 03 04 05 06 07";
    const struct
    {
        Lines lines;
        int line; // 0: sound
        bool order;
    } cases[] = {
        {{a, b}, 0, false},        {{newYear, oldYear}, 0, false},
        {{"x", a}, 1, false},      {{a, b, "2026094 01 04 16 22 26 31 4 "}, 3, false},
        {{a, "a", "b"}, 2, false}, {{a, ""}, 2, false},
        {{a, a}, 1, true},         {{b, a}, 1, true},
        {{a, b, a}, 2, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.lines));
        const auto fault = FindHistoryFault(c.lines);
        EXPECT_EQ(fault ? fault->LineNumber : 0, c.line);
        if (fault) {
            EXPECT_EQ(fault->Order, c.order);
            EXPECT_EQ(fault->Line, c.lines[static_cast<std::size_t>(c.line) - 1]);
            EXPECT_FALSE(fault->Reason.empty());
        }
    }
}

TEST(DrawLine, PlacementKeepsIssuesDescendingAndUnique)
{
    const auto line = [](const char* issue) { return std::string(issue) + " 01 02 03 04 05 06 07"; };
    const struct
    {
        Lines lines;
        std::size_t index;
        const char* fault; // empty: may stand there
    } cases[] = {
        {{line("2026097"), line("2026096")}, 0, ""},
        {{line("2027001"), line("2026153")}, 0, ""},
        {{line("2026090"), line("2026096"), line("2026090")}, 0, "期号2026090已经存在"},
        {{line("2026090"), line("2026096")}, 0, "应大于下一行的期号2026096"},
        {{line("2026096"), line("2026097"), line("2026095")}, 1, "应小于上一行的期号2026096"},
        {{line("2026097"), "x", line("2026096")}, 0, ""}, // a broken neighbour is not compared
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.lines));
        const auto fault = PlacementFault(c.lines, c.index);
        if (*c.fault == '\0') {
            EXPECT_FALSE(fault) << *fault;
        } else {
            ASSERT_TRUE(fault);
            EXPECT_NE(fault->find(c.fault), std::string::npos) << *fault;
        }
    }
}

TEST(DrawImport, GapsWithinAYearAndAtTheStartOfTheNext)
{
    const struct
    {
        std::vector<std::string> issues;
        std::vector<std::string> gaps;
    } cases[] = {
        {{"2026003", "2026002", "2026001"}, {}},
        {{"2026001", "2025151"}, {}},
        {{"2026005", "2026002"}, {"2026004", "2026003"}},
        {{"2026002", "2026005", "2026005"}, {"2026004", "2026003"}},
        {{"2026003", "2025150"}, {"2026002", "2026001"}},
        {{"2028002", "2026150"}, {}}, // a missing year is not guessed
        {{}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.issues));
        EXPECT_EQ(IssueGaps(c.issues), c.gaps);
    }
}

TEST(DrawImport, MergesByIssueWithConflictsAndRejections)
{
    const Lines history = {
        "2026100 01 02 03 04 05 06 07",
        "2026098 01 02 03 04 05 06 08",
        "2026097 01 02 03 04 05 06 09",
        "2026095 01 02 03 04 05 06 10",
    };
    const Lines input = {
        "2026094 6 5 4 3 2 1 11",       // older than the whole history
        "2026098 01 02 03 04 05 06 08", // unchanged
        "2026101,1,2,3,4,5,6,12",       // newest
        "",
        "2026097 01 02 03 04 05 06 16", // conflict
        "2026099 01 02 03 04 05 06 13", // between stored lines
        "2026099 01 02 03 04 05 06 13", // the same again: counted once
        "2026101 01 02 03 04 05 06 14", // differs from line 3
        "2026102 01 02 03 04 05 06 99",
    };
    const ImportPlan plan = PlanImport(history, input);
    EXPECT_EQ(plan.ValidLines, 6);
    std::vector<std::string> added;
    for (const auto& d : plan.Added)
        added.push_back(d.Issue);
    EXPECT_EQ(added, (std::vector<std::string>{"2026101", "2026099", "2026094"}));
    EXPECT_EQ(plan.Unchanged, 1);
    ASSERT_EQ(plan.Conflicts.size(), 1u);
    EXPECT_EQ(plan.Conflicts[0].Issue, "2026097");
    EXPECT_EQ(plan.Conflicts[0].Old, history[2]);
    EXPECT_EQ(plan.Conflicts[0].New, "2026097 01 02 03 04 05 06 16");
    ASSERT_EQ(plan.Rejected.size(), 2u);
    EXPECT_EQ(plan.Rejected[0].LineNumber, 8);
    EXPECT_NE(plan.Rejected[0].Reason.find("与第3行同一期号的号码不同"), std::string::npos);
    EXPECT_EQ(plan.Rejected[1].LineNumber, 9);
    EXPECT_EQ(plan.Rejected[1].Text, input[8]);
    EXPECT_EQ(plan.Gaps, (std::vector<std::string>{"2026096"}));
    EXPECT_TRUE(plan.Changes(false));

    const Lines kept = {
        "2026101 01 02 03 04 05 06 12",
        history[0],
        "2026099 01 02 03 04 05 06 13",
        history[1],
        history[2],
        history[3],
        "2026094 01 02 03 04 05 06 11",
    };
    EXPECT_EQ(MergeImport(history, plan, false), kept);
    Lines replaced = kept;
    replaced[4] = "2026097 01 02 03 04 05 06 16";
    EXPECT_EQ(MergeImport(history, plan, true), replaced);

    // Only a conflict: nothing changes unless it replaces.
    const ImportPlan conflictOnly = PlanImport(history, {input[4]});
    EXPECT_FALSE(conflictOnly.Changes(false));
    EXPECT_TRUE(conflictOnly.Changes(true));
    EXPECT_EQ(MergeImport(history, conflictOnly, false), history);
}

TEST(DrawImport, YearChangeAndEmptyHistory)
{
    const Lines history = {"2026153 01 02 03 04 05 06 07", "2026152 01 02 03 04 05 06 07"};
    const ImportPlan plan = PlanImport(history, {"2027002 01 02 03 04 05 06 07", "27001 1 2 3 4 5 6 7"});
    EXPECT_TRUE(plan.Gaps.empty());
    EXPECT_EQ(
        MergeImport(history, plan, false),
        (Lines{"2027002 01 02 03 04 05 06 07", "2027001 01 02 03 04 05 06 07", history[0], history[1]}));
    const ImportPlan fresh = PlanImport({}, {"2026001 01 02 03 04 05 06 07", "2026002 01 02 03 04 05 06 07"});
    EXPECT_EQ(MergeImport({}, fresh, false),
              (Lines{"2026002 01 02 03 04 05 06 07", "2026001 01 02 03 04 05 06 07"}));
}

// The newest draws of the bundled history, re-written in each form players paste, go back
// into the history cut before them and give the bundled file again, byte for byte.
TEST(DrawImport, NewestDrawsInEveryFormRestoreTheBundledHistory)
{
    const std::string bundled =
        ReadFileBytes(std::filesystem::path(QUORVANE_SOURCE_DIR) / "appdata/data/data.txt");
    const Lines all = SplitLines(bundled);
    constexpr std::size_t kNewest = 50;
    const Lines newest(all.begin(), all.begin() + kNewest);
    const Lines cut(all.begin() + kNewest, all.end());

    using Field = std::vector<std::string>;
    const auto fields = [](const std::string& line) { return SplitFields(line); };
    const auto unpadded = [](const std::string& n) { return n[0] == '0' ? n.substr(1) : n; };
    const auto rewrite = [&](const std::function<std::string(const Field&)>& form) {
        Lines out;
        for (const auto& line : newest)
            out.push_back(form(fields(line)));
        return out;
    };
    const auto joined = [](const Field& f, std::size_t from, const char* separator) {
        return Join(std::vector<std::string>(f.begin() + static_cast<std::ptrdiff_t>(from), f.end()),
                    separator);
    };
    enum class Encoding
    {
        Utf8,
        Utf8Bom,
        Gbk,
    };
    const struct
    {
        const char* name;
        Lines input;
        Encoding encoding;
        std::size_t rejected; // header lines
    } forms[] = {
        {"own", newest, Encoding::Gbk, 0},
        {"own with +",
         rewrite([&](const Field& f) { return joined(Field(f.begin(), f.end() - 1), 0, " ") + " +" + f[7]; }),
         Encoding::Utf8, 0},
        {"commas with header",
         [&] {
             Lines lines = rewrite([&](const Field& f) { return joined(f, 0, ","); });
             lines.insert(lines.begin(), "期号,红1,红2,红3,红4,红5,红6,蓝球");
             return lines;
         }(),
         Encoding::Gbk, 1},
        {"bar before blue", rewrite([&](const Field& f) {
             return joined(Field(f.begin(), f.end() - 1), 0, " ") + " | " + f[7];
         }),
         Encoding::Utf8Bom, 0},
        {"tabs, one digit", rewrite([&](const Field& f) {
             std::string line = f[0];
             for (std::size_t i = 1; i < f.size(); ++i)
                 line.append("\t").append(unpadded(f[i]));
             return line;
         }),
         Encoding::Utf8, 0},
        {"date and weekday",
         rewrite([&](const Field& f) { return "2026-12-08 " + joined(f, 0, " ") + " 星期二"; }),
         Encoding::Gbk, 0},
        {"drawing order, dash", rewrite([&](const Field& f) {
             Field reds(f.begin() + 1, f.begin() + 7);
             std::reverse(reds.begin(), reds.end());
             return f[0].substr(0, 4) + "-" + f[0].substr(4) + " " + Join(reds, " ") + " " + f[7];
         }),
         Encoding::Utf8, 0},
        {"short year, oldest first",
         [&] {
             Lines lines = rewrite([&](const Field& f) { return f[0].substr(2) + " " + joined(f, 1, " "); });
             std::reverse(lines.begin(), lines.end());
             return lines;
         }(),
         Encoding::Utf8, 0},
    };
    test::TempAppDir dir;
    for (const auto& form : forms) {
        SCOPED_TRACE(form.name);
        std::string bytes = EncodeLines(form.input);
        if (form.encoding != Encoding::Gbk)
            bytes = GbkToUtf8(bytes);
        if (form.encoding == Encoding::Utf8Bom)
            bytes = "\xEF\xBB\xBF" + bytes;
        dir.WriteBytes("input.txt", bytes);
        const ImportPlan plan = PlanImport(cut, LoadLinesUtf8OrGbk(dir / "input.txt"));
        EXPECT_EQ(plan.Added.size(), kNewest);
        EXPECT_EQ(plan.Rejected.size(), form.rejected);
        EXPECT_TRUE(plan.Conflicts.empty());
        EXPECT_TRUE(plan.Gaps.empty());
        EXPECT_EQ(EncodeLines(MergeImport(cut, plan, false)), bundled);
    }
}

} // namespace
} // namespace qv
