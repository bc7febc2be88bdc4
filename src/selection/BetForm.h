#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

// The three written forms of a bet line, shared by the bet list, the purchase list and the
// prize-check list:
//   single    "01 02 03 04 05 06 +07"                six reds, one blue: one bet
//   compound  "01 02 03 04 05 06 07 +03 +09"          r reds, then each blue: C(r, 6) × b bets
//   banker    "(01 02) 03 04 05 06 07 08 +03"         胆 reds in parentheses, then the 拖 reds,
//                                                     then the blues: C(t, 6 − d) × b bets
// Numbers are separated by blanks; a number may be written with one digit.
enum class BetKind
{
    Single,
    Compound,
    Banker,
};

inline constexpr int kRedNumbers = 33;
inline constexpr int kBlueNumbers = 16;
inline constexpr int kMaxCompoundReds = 20; // on a ticket (a line with blues)
inline constexpr int kMaxBankers = 5;

// A parsed line as bit masks: bit n − 1 stands for the number n.
struct BetForm
{
    BetKind Kind = BetKind::Single;
    std::uint64_t Bankers = 0; // the 胆 reds; 0 unless Kind is Banker
    std::uint64_t Reds = 0;    // the other reds (the 拖 reds of a banker line)
    std::uint32_t Blues = 0;   // 0 when the line carries no blue

    int BankerCount() const;
    int RedCount() const;
    int BlueCount() const;
};

// Parses one line. With blueRequired a line without a blue is refused; without it, a line
// of reds only is accepted (a group of the bet list) and may hold up to 33 reds. Returns
// nothing and, when why is given, the reason in Chinese (without the line's number).
std::optional<BetForm> ParseBetForm(std::string_view line, bool blueRequired, std::string* why = nullptr);

// True for a line written as a compound or banker bet: parentheses, two or more blues, or
// seven or more reds followed by a blue. Such a line is read by ParseBetForm; any other
// keeps the reading of a plain line.
bool LooksLikeMultiBetForm(std::string_view line);

// The six-red combinations a form stands for, and the bets (times its blues; a line without
// a blue counts as with one). Saturates instead of overflowing.
std::uint64_t RedComboCount(const BetForm& form);
std::uint64_t BetCount(const BetForm& form);

// C(n, k) for 0 <= n <= 33; 0 when k < 0 or k > n.
std::uint64_t Binomial(int n, int k);

// Calls visit(mask) once for every six-red combination of the form.
template <class Visit> void ForEachRedCombo(const BetForm& form, Visit&& visit);

// "01 02 03 04 05 06" for a mask of six reds.
std::string RedComboText(std::uint64_t mask);

// ---------------------------------------------------------------------------------------

namespace bet_form_detail {

template <class Visit>
void Combine(const int* numbers, int count, int start, int need, std::uint64_t mask, Visit& visit)
{
    if (need == 0) {
        visit(mask);
        return;
    }
    for (int i = start; i <= count - need; ++i)
        Combine(numbers, count, i + 1, need - 1, mask | std::uint64_t{1} << (numbers[i] - 1), visit);
}

} // namespace bet_form_detail

template <class Visit> void ForEachRedCombo(const BetForm& form, Visit&& visit)
{
    int numbers[kRedNumbers];
    int count = 0;
    for (int n = 1; n <= kRedNumbers; ++n)
        if (form.Reds >> (n - 1) & 1)
            numbers[count++] = n;
    const int need = 6 - form.BankerCount();
    if (need < 0 || need > count)
        return;
    bet_form_detail::Combine(numbers, count, 0, need, form.Bankers, visit);
}

} // namespace qv
