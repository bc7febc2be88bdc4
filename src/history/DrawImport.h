#pragma once

#include "history/Text.h"

#include <string>
#include <vector>

namespace qv {

// Draws brought in from pasted text or a file, one a line in any of the forms ReadDrawLine
// reads, in any order, merged by issue into a newest-first history.

struct ImportedDraw
{
    int LineNumber = 0; // in the input, from 1
    std::string Issue;
    std::string Line; // in the history's form
};

struct ImportRejection
{
    int LineNumber = 0;
    std::string Text; // the input line as it stood
    std::string Reason;
};

struct ImportConflict
{
    std::string Issue;
    std::string Old; // the stored line
    std::string New; // the imported line, in the history's form
};

// What an import would change, worked out before anything is written.
struct ImportPlan
{
    int ValidLines = 0;                    // input lines that hold a draw
    std::vector<ImportedDraw> Added;       // issues the history lacks, newest first
    int Unchanged = 0;                     // draws equal to the stored ones
    std::vector<ImportConflict> Conflicts; // draws that differ from the stored ones, newest first
    std::vector<ImportRejection> Rejected; // lines that hold no draw; blank lines are skipped
    std::vector<std::string> Gaps;         // issues missing within a year after the merge, newest first

    // Whether applying would change the history.
    bool Changes(bool replaceConflicts) const
    {
        return !Added.empty() || (replaceConflicts && !Conflicts.empty());
    }
};

// The plan for input against history (newest first). A draw given twice counts once; the
// second of two different draws of one issue is rejected.
ImportPlan PlanImport(const Lines& history, const Lines& input);

// The history with the plan applied: each added draw stands where its issue orders it, and
// the conflicting draws replace the stored lines when replaceConflicts is set.
Lines MergeImport(const Lines& history, const ImportPlan& plan, bool replaceConflicts);

// The issues missing after each 7-digit issue of a year (and before the first issue of a
// year that follows the one before it), newest first.
std::vector<std::string> IssueGaps(std::vector<std::string> issues);

// Why merged cannot be written as the history (empty, or its line form or order broken,
// FindHistoryFault), as the import reports it; empty when it can.
std::string ImportedHistoryFault(const Lines& merged);

// The information log lines that describe a plan.
Lines DescribeImport(const ImportPlan& plan);

} // namespace qv
