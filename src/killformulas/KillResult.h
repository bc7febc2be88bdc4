#pragma once

#include "history/Text.h"

#include <string>
#include <vector>

namespace qv {

using ViewRow = std::vector<std::string>;
using ViewRows = std::vector<ViewRow>;

// The progress lines around each verification.
inline constexpr const char* kRedKillStartLine = "正在进行杀红算法....";
inline constexpr const char* kRedKillDoneLine = "杀红运算成功...OK";
inline constexpr const char* kBlueKillStartLine = "正在进行杀蓝算法....";
inline constexpr const char* kBlueKillDoneLine = "杀蓝运算成功...OK";

// Whether a verification lays out the view rows: the command line shows no view.
enum class KillRows
{
    Built,
    Left,
};

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
    // view is scrolled to): issue, "当期开奖号码", then one field per formula. Empty when
    // the run left them (KillRows::Left).
    ViewRows Rows;

    bool Empty() const { return Table.empty(); }
};

} // namespace qv
