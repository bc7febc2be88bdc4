#include "selection/BetList.h"

#include "history/Text.h"

namespace qv {

std::string PickerLine(const std::array<bool, kPickerNumbers>& picker)
{
    std::string line;
    for (int k = 0; k < kPickerNumbers; ++k) {
        if (!picker[k])
            continue;
        line += TwoDigits(k + 1);
        line += ' ';
    }
    return line;
}

int CheckedCount(const std::array<bool, kPickerNumbers>& picker)
{
    int count = 0;
    for (const bool checked : picker)
        count += checked ? 1 : 0;
    return count;
}

} // namespace qv
