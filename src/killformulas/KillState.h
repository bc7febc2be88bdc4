#pragma once

#include "history/Text.h"

#include <string>
#include <vector>

namespace qv {

using ViewRow = std::vector<std::string>;
using ViewRows = std::vector<ViewRow>;

// The outcome of one kill-formula verification run over the whole history.
struct KillVerification
{
    // The table the save command writes: the coming issue first, then one line per draw,
    // newest first, the oldest draw last (its formula fields read "无").
    Lines Table;
    // Per formula: successful kills (√) and failed kills (×) over the verified draws.
    std::vector<int> Hits;
    std::vector<int> Failures;
    // The number of verified draws (every draw but the oldest).
    int Verified = 0;
    // The rate lines, one per formula ("杀红公式1在…期中 杀中…次，杀错…次，命中率为…%").
    Lines RateLines;
    // The list-view rows, oldest draw first, the coming issue last (the bottom row the
    // view is scrolled to): issue, "当期开奖号码", then one field per formula.
    ViewRows Rows;

    bool Empty() const { return Table.empty(); }
};

// The kill-formula pages "杀号公式" and "杀蓝公式". Red feeds TeListView5 and the text
// pane Memo19, blue TeListView6 and Memo20: after a run the front end is told
// ViewChanged("TeListView5") / ViewChanged("Memo19") (blue: "TeListView6", "Memo20") and
// reads the rows and the rate lines from here. Nothing of it is stored on disk.
struct KillState
{
    KillVerification Red;
    KillVerification Blue;
};

} // namespace qv
