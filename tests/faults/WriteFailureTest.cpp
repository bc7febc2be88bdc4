// Every writer made to fail, through the file layer's seam or through the file system: the
// command reports the file error, the previous file stays whole, and the ready flag leaves
// the next start computing whatever no longer matches the history.

#include "core/Error.h"
#include "core/RecordingHost.h"
#include "faults/FileTree.h"
#include "faults/Spawn.h"
#include "filters/FilterRun.h"
#include "history/AppPaths.h"
#include "history/DrawImport.h"
#include "history/RichText.h"
#include "history/TextFile.h"
#include "purchase/PurchaseList.h"
#include "selection/Basket.h"
#include "session/FilterCommands.h"
#include "session/HistoryCommands.h"
#include "session/Pipeline.h"
#include "session/PurchaseCommands.h"
#include "session/SelectionCommands.h"
#include "support/ErrorOf.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>

namespace qv {
namespace {

using test::ErrorOf;

using test::kAnalysisFiles;
using test::kReadyBytes;
using test::kStaleBytes;
using test::ReadTree;
using test::Tree;
using test::WriteTree;

// Makes the nth write of one file (its name, any letter case, any folder) fail the way
// a full disk does.
class FailingWrite
{
public:
    explicit FailingWrite(std::string fileName, int nth = 1)
        : m_name(test::LowerCase(std::move(fileName))), m_nth(nth)
    {
        SetWriteFailureHook([this](const std::filesystem::path& path) {
            if (test::LowerCase(path.filename().string()) == m_name && ++m_attempts == m_nth)
                throw Error::CannotOpenFileErrno(path.string(), ENOSPC);
        });
    }
    ~FailingWrite() { SetWriteFailureHook({}); }
    FailingWrite(const FailingWrite&) = delete;
    FailingWrite& operator=(const FailingWrite&) = delete;

private:
    std::string m_name;
    int m_nth;
    int m_attempts = 0;
};

std::string FullDisk(const std::filesystem::path& path)
{
    return Error::CannotOpenFileErrno(path.string(), ENOSPC).what();
}

// One run of the program on a directory.
struct Session
{
    explicit Session(const test::TempAppDir& dir) { dir.Attach(State); }
    AppState State;
    RecordingHost Host;
};

class WriteFailureTest : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        const Lines history = test::RealHistoryLines();
        s_newHistory = new Lines(history);
        s_oldHistory = new Lines(history.begin() + 3, history.end());
        s_old = new Tree(Computed(*s_oldHistory));
        s_new = new Tree(Computed(*s_newHistory));
    }
    static void TearDownTestSuite()
    {
        delete s_newHistory;
        delete s_oldHistory;
        delete s_old;
        delete s_new;
    }
    void TearDown() override { SetWriteFailureHook({}); }

    // The help texts, the history and every analysis file of a complete start-up on it.
    static Tree Computed(const Lines& history)
    {
        test::TempAppDir dir;
        Tree tree = test::HelpFiles();
        tree["data/data.txt"] = EncodeLines(history);
        WriteTree(dir.Path(), tree);
        Session run(dir);
        RunStartup(run.State, run.Host);
        tree = ReadTree(dir.Path());
        tree.erase("option.ini");
        return tree;
    }

    // The directory as the old history left it, flag "Data=1".
    void StartFromOld()
    {
        Tree tree = *s_old;
        tree["option.ini"] = kReadyBytes;
        WriteTree(m_dir.Path(), tree);
    }

    // After a failure: every analysis file is one of its complete versions, no temporary
    // file is left, and a start with the hook removed leaves every file matching the
    // history on disk.
    void ExpectNextStartRepairs(const Tree& expected)
    {
        std::vector<std::string> temps;
        const Tree now = ReadTree(m_dir.Path(), &temps);
        EXPECT_TRUE(temps.empty()) << temps.front();
        for (const char* name : kAnalysisFiles)
            EXPECT_TRUE(now.at(name) == s_old->at(name) || now.at(name) == s_new->at(name)) << name;
        SetWriteFailureHook({});
        Session next(m_dir);
        RunStartup(next.State, next.Host);
        const Tree repaired = ReadTree(m_dir.Path());
        EXPECT_EQ(repaired.at("option.ini"), kReadyBytes);
        for (const char* name : kAnalysisFiles)
            EXPECT_TRUE(repaired.at(name) == expected.at(name)) << name << " does not match the history";
    }

    // The file as the program finds it below the directory.
    std::filesystem::path At(std::string_view relative) const
    {
        return ResolveIgnoringCase(m_dir.Path(), relative);
    }

    static Lines* s_newHistory;
    static Lines* s_oldHistory;
    static Tree* s_old;
    static Tree* s_new;
    test::TempAppDir m_dir;
};

Lines* WriteFailureTest::s_newHistory = nullptr;
Lines* WriteFailureTest::s_oldHistory = nullptr;
Tree* WriteFailureTest::s_old = nullptr;
Tree* WriteFailureTest::s_new = nullptr;

TEST_F(WriteFailureTest, AnalysisFileThatCannotBeWrittenStopsTheRecomputeWithTheFlagStale)
{
    for (const char* name : kAnalysisFiles) {
        SCOPED_TRACE(name);
        StartFromOld();
        Session run(m_dir);
        SaveHistoryForRecompute(run.State, *s_newHistory);
        const auto path = run.State.File(name);
        {
            FailingWrite failing(path.filename().string());
            EXPECT_EQ(ErrorOf([&] { RecomputeAll(run.State, run.Host); }), FullDisk(path));
        }
        EXPECT_EQ(m_dir.ReadBytes(name), s_old->at(name));
        EXPECT_EQ(m_dir.ReadBytes("option.ini"), kStaleBytes);
        EXPECT_TRUE(run.State.Flag.IsStale());
        EXPECT_LT(run.Host.ProgressPosition, 100);
        ExpectNextStartRepairs(*s_new);
    }
}

TEST_F(WriteFailureTest, FlagThatCannotBeWrittenNeverClaimsStaleFilesReady)
{
    struct Case
    {
        const char* Name;
        int FailingFlagWrite; // which write of "option.ini" fails
        bool SaveHistory;     // through the editor's save, or a history changed outside
        const char* HistoryAfter;
        const char* FlagAfter;
        bool FilesNew;
    };
    const Case cases[] = {
        {"editor save: the flag before the history", 1, true, "old", kReadyBytes, false},
        {"recompute: its first write", 1, false, "new", kStaleBytes, false},
        {"recompute: the closing Data=1", 2, false, "new", kStaleBytes, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        StartFromOld();
        Session run(m_dir);
        if (!c.SaveHistory) {
            m_dir.WriteBytes("data/data.txt", EncodeLines(*s_newHistory));
            m_dir.WriteBytes("option.ini", kStaleBytes);
            run.State.Flag.Load();
        }
        {
            FailingWrite failing("option.ini", c.FailingFlagWrite);
            const std::string error = ErrorOf([&] {
                if (c.SaveHistory)
                    SaveHistoryForRecompute(run.State, *s_newHistory);
                else
                    RecomputeAll(run.State, run.Host);
            });
            EXPECT_EQ(error, FullDisk(At("option.ini")));
        }
        EXPECT_EQ(m_dir.ReadBytes("data/data.txt"),
                  (std::string(c.HistoryAfter) == "new" ? s_new : s_old)->at("data/data.txt"));
        EXPECT_EQ(m_dir.ReadBytes("option.ini"), c.FlagAfter);
        EXPECT_EQ(run.State.Flag.Value() + "\r\n", c.FlagAfter);
        for (const char* name : kAnalysisFiles)
            EXPECT_EQ(m_dir.ReadBytes(name), (c.FilesNew ? s_new : s_old)->at(name)) << name;
        ExpectNextStartRepairs(std::string(c.HistoryAfter) == "new" ? *s_new : *s_old);
    }
}

TEST_F(WriteFailureTest, HistorySaveFailureKeepsTheOldHistoryAndTheNextStartRecomputes)
{
    StartFromOld();
    Session run(m_dir);
    {
        FailingWrite failing("data.txt");
        EXPECT_EQ(ErrorOf([&] { SaveHistoryForRecompute(run.State, *s_newHistory); }),
                  FullDisk(At("data/data.txt")));
    }
    EXPECT_EQ(m_dir.ReadBytes("data/data.txt"), s_old->at("data/data.txt"));
    EXPECT_EQ(m_dir.ReadBytes("option.ini"), kStaleBytes);
    ExpectNextStartRepairs(*s_old);

    // Saved: the flag already reads "Data=0" when the new history lands, so a program
    // killed before its recompute starts still recomputes at the next start.
    Session edit(m_dir);
    SaveHistoryForRecompute(edit.State, *s_newHistory);
    EXPECT_EQ(m_dir.ReadBytes("data/data.txt"), s_new->at("data/data.txt"));
    EXPECT_EQ(m_dir.ReadBytes("option.ini"), kStaleBytes);
    ExpectNextStartRepairs(*s_new);
}

TEST_F(WriteFailureTest, ImportThatCannotBeSavedKeepsTheOldHistoryAndTheNextStartRecomputes)
{
    StartFromOld();
    Session run(m_dir);
    const Lines newest(s_newHistory->begin(), s_newHistory->begin() + 3);
    const ImportPlan plan = PlanImport(*s_oldHistory, newest);
    {
        FailingWrite failing("data.txt");
        EXPECT_EQ(ErrorOf([&] { SaveImportedHistory(run.State, MergeImport(*s_oldHistory, plan, false)); }),
                  FullDisk(At("data/data.txt")));
    }
    EXPECT_EQ(m_dir.ReadBytes("data/data.txt"), s_old->at("data/data.txt"));
    EXPECT_EQ(m_dir.ReadBytes("option.ini"), kStaleBytes);
    ExpectNextStartRepairs(*s_old);

    // A merged history out of order is refused before anything is written.
    StartFromOld();
    Session refused(m_dir);
    Lines unordered = *s_newHistory;
    std::swap(unordered[0], unordered[1]);
    EXPECT_NE(ErrorOf([&] { SaveImportedHistory(refused.State, unordered); }).find("期号顺序不对"),
              std::string::npos);
    EXPECT_EQ(m_dir.ReadBytes("data/data.txt"), s_old->at("data/data.txt"));
    EXPECT_EQ(m_dir.ReadBytes("option.ini"), kReadyBytes);
}

TEST_F(WriteFailureTest, BasketWritersKeepThePreviousBasket)
{
    Tree tree = *s_new;
    tree["option.ini"] = kReadyBytes;
    WriteTree(m_dir.Path(), tree);
    Session run(m_dir);
    RunStartup(run.State, run.Host);
    const Lines twelve = {"01 02 03 04 05 06 07 08 09 10 11 12"};
    const Lines ten = {"01 03 05 07 09 11 13 15 17 19"};

    // The expansion: nothing counts as expanded unless the basket was written.
    m_dir.Write("data/temp.txt", {"01 02 03 04 05 06"});
    run.State.Selection.BetList = twelve;
    {
        FailingWrite failing("temp.txt");
        EXPECT_EQ(ErrorOf([&] { ExpandBetList(run.State, run.Host); }), FullDisk(At("data/temp.txt")));
    }
    EXPECT_EQ(m_dir.Read("Data/temp.txt"), Lines{"01 02 03 04 05 06"});
    EXPECT_FALSE(run.State.Selection.BasketReadyFlag);

    // A second expansion that fails leaves the first one's basket and view together.
    ExpandBetList(run.State, run.Host);
    const std::string expanded = m_dir.ReadBytes("Data/temp.txt");
    EXPECT_EQ(run.State.Selection.BasketView.Size(), 924u);
    run.State.Selection.BetList = ten;
    {
        FailingWrite failing("temp.txt");
        EXPECT_NE(ErrorOf([&] { ExpandBetList(run.State, run.Host); }), "");
    }
    EXPECT_EQ(m_dir.ReadBytes("Data/temp.txt"), expanded);
    EXPECT_EQ(run.State.Selection.BasketView.Size(), 924u);

    // The filter run writes once at its end; when that fails the expanded basket stays.
    ResetFilterState(run.State.Filters);
    {
        FailingWrite failing("temp.txt");
        EXPECT_EQ(ErrorOf([&] { RunFilters(run.State, run.Host); }), FullDisk(At("data/temp.txt")));
    }
    EXPECT_EQ(m_dir.ReadBytes("Data/temp.txt"), expanded);
    EXPECT_EQ(m_dir.ReadBytes("option.ini"), kReadyBytes);
    RunFilters(run.State, run.Host);
    EXPECT_LT(m_dir.Read("Data/temp.txt").size(), 924u);
}

TEST_F(WriteFailureTest, NeighbourTableFailureKeepsTheOldTableAndTheEarlierPasses)
{
    Tree tree = *s_new;
    tree["option.ini"] = kReadyBytes;
    tree["red/redlm.txt"] = "01 02 9\r\n";
    WriteTree(m_dir.Path(), tree);
    Session run(m_dir);
    RunStartup(run.State, run.Host);
    run.State.Selection.BetList = {"01 02 03 04 05 06 07 08 09 10 11 12 13 14"};
    ResetFilterState(run.State.Filters);
    for (auto& [name, on] : run.State.Filters.Switches)
        on = false;
    run.State.Filters.Switches["CheckBox7"] = true; // 排除首位数>=, an earlier pass
    run.State.Filters.Edits["Edit5"] = "3";

    // What the earlier pass alone leaves.
    ExpandBetList(run.State, run.Host);
    RunFilters(run.State, run.Host);
    const std::string earlierPass = m_dir.ReadBytes("Data/temp.txt");

    ExpandBetList(run.State, run.Host);
    run.State.Filters.Switches["CheckBox45"] = true;
    {
        FailingWrite failing("Redlm.txt");
        EXPECT_EQ(ErrorOf([&] { RunFilters(run.State, run.Host); }), FullDisk(At("Red/Redlm.txt")));
    }
    EXPECT_EQ(m_dir.ReadBytes("Red/Redlm.txt"), "01 02 9\r\n");
    EXPECT_EQ(m_dir.ReadBytes("Data/temp.txt"), earlierPass);
    EXPECT_EQ(m_dir.ReadBytes("option.ini"), kReadyBytes);
}

TEST_F(WriteFailureTest, ListAndNotepadSavesKeepThePreviousFile)
{
    Session run(m_dir);
    run.State.Purchase.PurchaseList = {"01 02 03 04 05 06 +07", ""};
    m_dir.WriteBytes("list.txt", "old list\r\n");
    m_dir.WriteBytes("data/text.txt", WriteRichText("旧的记事"));
    std::filesystem::create_directories(m_dir / "folder.txt");

    struct Case
    {
        const char* Name;
        std::function<void()> Save;
        std::filesystem::path File;
        std::string Error;
    };
    const Case cases[] = {
        {"purchase list, disk full",
         [&] {
             run.Host.QueueSaveFile(m_dir / "list.txt");
             FailingWrite failing("list.txt");
             SavePurchaseList(run.State, run.Host);
         },
         m_dir / "list.txt", FullDisk(m_dir / "list.txt")},
        {"purchase list onto a folder",
         [&] {
             run.Host.QueueSaveFile(m_dir / "folder.txt");
             SavePurchaseList(run.State, run.Host);
         },
         m_dir / "folder.txt", Error::CannotOpenFileErrno((m_dir / "folder.txt").string(), EISDIR).what()},
        {"purchase list below a file",
         [&] {
             run.Host.QueueSaveFile(m_dir / "list.txt" / "x.txt");
             SavePurchaseList(run.State, run.Host);
         },
         m_dir / "list.txt",
         Error::CannotOpenFileErrno((m_dir / "list.txt" / "x.txt").string(), ENOTDIR).what()},
        {"notepad, disk full",
         [&] {
             FailingWrite failing("text.txt");
             ReplaceFile(run.State.File("Data/text.txt"), WriteRichText("新的记事"));
         },
         At("data/text.txt"), FullDisk(At("data/text.txt"))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const bool folder = std::filesystem::is_directory(c.File);
        const std::string before = folder ? "" : ReadFileBytes(c.File);
        EXPECT_EQ(ErrorOf(c.Save), c.Error);
        if (folder)
            EXPECT_TRUE(std::filesystem::is_directory(c.File));
        else
            EXPECT_EQ(ReadFileBytes(c.File), before);
        std::vector<std::string> temps;
        ReadTree(m_dir.Path(), &temps);
        EXPECT_TRUE(temps.empty());
    }
    EXPECT_EQ(ReadRichText(m_dir.ReadBytes("Data/text.txt")), "旧的记事");
}

// Real failures of the file system under the command-line program: a file that may not
// grow past a limit (the write itself fails half-way) and a file where a folder belongs.
TEST_F(WriteFailureTest, CommandsReportFileSystemFailuresAndLeaveOldFilesWhole)
{
    struct Case
    {
        const char* Name;
        std::vector<std::string> Args;
        bool Edited; // the history was just saved: old analysis files, "Data=0"
        long FileSizeLimit;
        const char* BlockingFile; // a file standing where this folder should be
        const char* FailingFile;
        const char* Reason;
    };
    const Case cases[] = {
        {"recompute, the red table too large",
         {"recompute"},
         true,
         300'000,
         nullptr,
         "Red/RedAna.txt",
         "File too large."},
        {"filter, the expanded basket too large",
         {"filter", "--bets", "bets.txt"},
         false,
         4'000'000,
         nullptr,
         "data/temp.txt",
         "File too large."},
        {"recompute, a file where the blue folder belongs",
         {"recompute"},
         true,
         0,
         "Blue",
         "Blue/BlueAna.txt",
         "Not a directory."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Tree tree = c.Edited ? *s_old : *s_new;
        tree["data/data.txt"] = s_new->at("data/data.txt");
        const char* flag = c.Edited ? kStaleBytes : kReadyBytes;
        tree["option.ini"] = flag;
        tree["data/temp.txt"] = "01 02 03 04 05 06\r\n";
        tree["bets.txt"] =
            "01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 "
            "29 30 31 32 33\r\n";
        if (c.BlockingFile) {
            for (auto it = tree.begin(); it != tree.end();)
                it = it->first.starts_with(test::LowerCase(c.BlockingFile) + "/") ? tree.erase(it)
                                                                                  : std::next(it);
            tree[test::LowerCase(c.BlockingFile)] = "not a folder\r\n";
        }
        WriteTree(m_dir.Path(), tree);

        auto request = test::CliRequest(m_dir.Path(), c.Args);
        request.FileSizeLimit = c.FileSizeLimit;
        const auto run = test::RunChild(request);
        EXPECT_EQ(run.Exit.Code, 1);
        const std::string error =
            "Cannot open file \"" + At(c.FailingFile).string() + "\". " + c.Reason + "\n";
        EXPECT_EQ(run.Err, error);

        std::vector<std::string> temps;
        const Tree after = ReadTree(m_dir.Path(), &temps);
        EXPECT_TRUE(temps.empty()) << temps.front();
        for (const auto& [name, bytes] : tree) {
            if (name == test::LowerCase(c.FailingFile) || !test::IsAnalysisFile(name))
                EXPECT_EQ(after.at(name), bytes) << name;
            else
                EXPECT_TRUE(after.at(name) == bytes || after.at(name) == s_new->at(name)) << name;
        }

        if (c.BlockingFile)
            std::filesystem::remove(At(c.BlockingFile));
        const auto next = test::RunChild(test::CliRequest(m_dir.Path(), {"startup"}));
        EXPECT_EQ(next.Exit.Code, 0) << next.Err;
        const Tree repaired = ReadTree(m_dir.Path());
        EXPECT_EQ(repaired.at("option.ini"), kReadyBytes);
        for (const char* name : kAnalysisFiles)
            EXPECT_TRUE(repaired.at(name) == s_new->at(name)) << name;
    }
}

} // namespace
} // namespace qv
