#pragma once

#include "killformulas/KillResult.h"

#include <array>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace qv::kill {

// What a kill prediction is checked against in the draw that follows.
enum class KillTarget
{
    Reds,     // one of the six reds equals a killed number
    Blue,     // the blue equals one of the killed numbers
    BlueTail, // the blue's last digit equals the killed tail
};

// The one or two numbers a formula kills, held in place: a verification makes a dozen
// predictions for each of thousands of draws.
class KillNumbers
{
public:
    KillNumbers() = default;
    KillNumbers(std::initializer_list<std::string> numbers)
    {
        for (const auto& number : numbers)
            push_back(number);
    }

    void push_back(std::string number)
    {
        if (m_count == m_numbers.size())
            throw std::length_error("a kill formula names at most two numbers");
        m_numbers[m_count++] = std::move(number);
    }
    const std::string* begin() const { return m_numbers.data(); }
    const std::string* end() const { return m_numbers.data() + m_count; }
    const std::string& operator[](std::size_t index) const { return m_numbers.at(index); }
    std::size_t size() const { return m_count; }
    bool empty() const { return m_count == 0; }

private:
    std::array<std::string, 2> m_numbers;
    std::size_t m_count = 0;
};

// One formula's prediction from the earlier draw of a pair.
struct KillPrediction
{
    std::string Text; // as shown and stored: "15", "08|04", "2尾"
    KillTarget Target = KillTarget::Reds;
    KillNumbers Numbers; // two-digit texts for Reds and Blue
    char Tail = '0';     // for BlueTail
};

using DrawFields = std::vector<std::string_view>;

// A family of formulas: its field name ("杀红公式"), how many, and how each predicts from
// the fields of an earlier history line (throws the usual reports for short or
// non-numeric fields).
struct KillFormulaSet
{
    std::string_view Name;
    std::size_t Count = 0;
    void (*Predict)(const DrawFields& earlier, std::vector<KillPrediction>& out) = nullptr;
};

// The texts of every formula's prediction from one history line, in formula order.
std::vector<std::string> PredictionTexts(const KillFormulaSet& set, std::string_view historyLine);

// The view's column captions: 期号, 当期开奖号码, then the set's name with 1, 2, ...
std::vector<std::string> ColumnCaptions(const KillFormulaSet& set);

// Whether a prediction failed (the killed number came) against the later draw's fields.
bool KillFailed(const KillPrediction& prediction, const DrawFields& later);

// Verifies every formula of the set over the history (newest line first): the table, the
// counters, the rate lines and the view rows. At least two draws are needed; fewer is an
// understandable error instead of a rate divided by zero.
KillVerification VerifyKillFormulas(const Lines& history, const KillFormulaSet& set,
                                    KillRows rows = KillRows::Built);

// Two-digit text of a value that may exceed the int range of TwoDigits.
std::string NumberText(long long value);

// value reduced into 1..limit by subtracting limit as often as it exceeds limit.
long long ReduceInto(long long value, long long limit);

// The last decimal digit of value (0..9 also for negative values).
int UnitsDigit(long long value);

} // namespace qv::kill
