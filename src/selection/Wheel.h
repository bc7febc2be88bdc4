#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// Wheels (旋转矩阵): a small set of tickets over v chosen reds with a guarantee 中m保t —
// for every set S of m chosen reds some ticket holds at least t of S.
// Positions 0..v-1 stand for the chosen reds in ascending order; a ticket is a bit mask
// over the positions (bit i for position i).
using WheelTicket = std::uint32_t;

inline constexpr int kWheelMinReds = 7;
inline constexpr int kWheelMaxReds = 20;
inline constexpr int kWheelMaxBankers = 5;

struct WheelCheck
{
    std::uint64_t Checked = 0;   // C(v, m): every m-set of the positions
    std::uint64_t Uncovered = 0; // those no ticket holds t of
};

// Exhaustive: each m-subset of 0..v-1 is tested against the tickets (popcount of the
// intersection), so a result with Uncovered == 0 proves the guarantee.
WheelCheck VerifyWheel(int v, int m, int t, const std::vector<WheelTicket>& tickets);

// The Schönheim lower bound on the size of a covering design C(v, k, t):
// L(v,k,t) = ⌈v/k · L(v−1,k−1,t−1)⌉ with L(·,·,0) = 1.
std::uint64_t SchoenheimBound(int v, int k, int t);

// Tickets of ticketSize positions over 0..v-1 meeting 中m保t. Six-number tickets of an
// offered guarantee come from the shipped tables (selection/WheelTables.h); any other
// size is searched with SearchWheel's default effort. Deterministic: the same arguments
// give the same tickets. The result is verified before it is returned (a failure would
// throw std::logic_error). Requires 1 ≤ t ≤ m ≤ v ≤ 20 and t ≤ ticketSize ≤ v.
std::vector<WheelTicket> BuildWheel(int v, int m, int t, int ticketSize);

// How long the search of SearchWheel runs, counted in ticket walks and scans rather than
// time, so that every machine builds the same wheel.
struct WheelSearchEffort
{
    std::uint64_t AttemptWork = 25000000; // for one ticket fewer
    std::uint64_t SearchWork = 36000000;  // in all
    int Retries = 0;                      // failed attempts before giving up
    std::uint32_t Seed = 20240601u;
};

// A greedy start (or start, when it already meets the guarantee) and a local search
// that takes one ticket away and anneals until every m-set is covered again, as long as
// the effort allows. Verified like BuildWheel.
std::vector<WheelTicket> SearchWheel(int v, int m, int t, int ticketSize,
                                     const WheelSearchEffort& effort = {},
                                     const std::vector<WheelTicket>& start = {});

// The offered guarantees, as "m-t" texts ("6-5") and 中m保t captions.
struct WheelGuarantee
{
    int M = 0;
    int T = 0;
};
const std::vector<WheelGuarantee>& OfferedGuarantees();
std::string GuaranteeCaption(WheelGuarantee guarantee); // "中6保5"
// "6-5" (or "中6保5") to the guarantee; nullopt for text of neither form or a guarantee
// that is not offered.
std::optional<WheelGuarantee> ParseGuarantee(std::string_view text);

// A request as the player states it: reds 1..33.
struct WheelRequest
{
    std::vector<int> Reds;
    std::vector<int> Bankers;
    WheelGuarantee Guarantee;
};

// The Chinese message for a request that cannot be wheeled; empty when it can.
std::string WheelRequestProblem(const WheelRequest& request);

struct WheelResult
{
    std::vector<int> Reds;    // ascending
    std::vector<int> Bankers; // ascending
    WheelGuarantee Guarantee;
    std::vector<WheelTicket> Tickets;
    WheelCheck Check;

    int V() const { return static_cast<int>(Reds.size()); }
    // Each ticket as its reds with the bankers, ascending ("01 05 09 12 16 20").
    std::vector<std::string> Lines() const;
    // "12码中6保5：n注/2n元，全组合924注" against the full expansion of the chosen reds
    // (with the bankers in every line), each ticket bought with blues blues.
    std::string Summary(std::size_t blues = 1) const;
    // "已验证：全部C(v,m)种情况满足" with the numbers filled in.
    std::string VerifiedText() const;
    // The lines to buy: each ticket once per blue ("01 05 09 12 16 20 +07"), or the tickets
    // alone when no blue is given.
    std::vector<std::string> BetLines(const std::vector<int>& blues) const;
};

// Builds and verifies the wheel of a request; throws qv::Error with the message of
// WheelRequestProblem for one that cannot be wheeled.
WheelResult MakeWheel(const WheelRequest& request);

// Numbers from a text such as "01 05 09" (blanks, commas or 、 between them); throws
// qv::Error naming the field that is not a number. The range is checked by the caller.
std::vector<int> ParseWheelNumbers(std::string_view text, std::string_view what);

// The blues of a wheel's lines from such a text, ascending; throws qv::Error for a blue
// outside 01..16, a repeated one or (when required) none at all.
std::vector<int> ParseWheelBlues(std::string_view text, bool required);

} // namespace qv
