#include "purchase/PurchaseList.h"

#include "core/Error.h"
#include "history/AppPaths.h"
#include "history/TextFile.h"
#include "purchase/BluePicker.h"
#include "purchase/FieldScan.h"
#include "selection/Basket.h"
#include "selection/BetForm.h"

#include <chrono>
#include <string_view>

namespace qv {

namespace {

using purchase_detail::FieldScan;
using purchase_detail::ScanFields;

std::string LineReference(std::size_t index, const std::string& line)
{
    std::string text = "购买清单第";
    text += std::to_string(index + 1);
    text += "行“";
    text += line;
    text += "”";
    return text;
}

} // namespace

BlueGenerator ClockSeededGenerator()
{
    const auto ticks =
        static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
    std::seed_seq seed{static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32)};
    return BlueGenerator(seed);
}

bool IsBlankList(const Lines& lines)
{
    for (const auto& line : lines)
        for (const char c : line)
            if (static_cast<unsigned char>(c) > ' ')
                return false;
    return true;
}

namespace {

// What "随机->" makes of one non-empty line. With checkOnly it only throws for a line of the
// wrong form; otherwise it draws the line's pick (every non-empty line draws one, whether
// it takes it or not) and rewrites the line.
void AssignLine(std::string& line, std::size_t i, const Lines& captions, BlueGenerator& generator,
                bool checkOnly)
{
    const std::size_t n = captions.size();
    std::uniform_int_distribution<std::size_t> pick(0, n == 0 ? 0 : n - 1);
    if (LooksLikeMultiBetForm(line)) {
        // A compound or banker line keeps the blues it carries; without any it gets one.
        std::string why;
        const auto form = ParseBetForm(line, false, &why);
        if (!form)
            throw Error(LineReference(i, line) + "：" + why);
        if (form->Blues == 0 && n == 0)
            throw Error("没有选择蓝码，请至少勾选一个蓝码（" + LineReference(i, line) + "需要配蓝码）");
        if (checkOnly)
            return;
        const std::size_t r = n == 0 ? 0 : pick(generator);
        if (form->Blues != 0)
            return;
        line.erase(line.find_last_not_of(" \t\r") + 1);
        line += " +";
        line += captions[r];
        return;
    }
    const FieldScan scan = ScanFields(line);
    if (scan.Count < 6) {
        std::string text = LineReference(i, line);
        text += "不足6个红球号码，无法配蓝码（每行应为6个红球，以一个空格分隔，如“01 02 03 04 05 06”）";
        throw Error(text);
    }
    if (scan.Count < 8 && n == 0) {
        std::string text = "没有选择蓝码，请至少勾选一个蓝码（";
        text += LineReference(i, line);
        text += "需要配蓝码）";
        throw Error(text);
    }
    if (checkOnly)
        return;
    const std::size_t r = n == 0 ? 0 : pick(generator);
    if (scan.Count >= 8) {
        line.resize(scan.EndOfSeventh);
        return;
    }
    // A fresh string of the exact size: a million lines grown in place would each take
    // twice the room.
    std::string out;
    out.reserve(scan.EndOfSixth + 4);
    out.append(line, 0, scan.EndOfSixth);
    out += " +";
    out += captions[r];
    line = std::move(out);
}

} // namespace

void AssignBlues(Lines& list, const Lines& captions, BlueGenerator& generator)
{
    // Every line is checked before any changes, so that a line of the wrong form leaves the
    // list as it was; then the list is rewritten where it stands, without a second copy.
    for (std::size_t i = 0; i < list.size(); ++i)
        if (!list[i].empty())
            AssignLine(list[i], i, captions, generator, true);
    std::size_t kept = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].empty())
            continue;
        AssignLine(list[i], i, captions, generator, false);
        if (kept != i) // a string moved onto itself is left empty
            list[kept] = std::move(list[i]);
        ++kept;
    }
    list.resize(kept);
    // Room for exactly one line more: a full list doubled would take another 35 MB.
    list.reserve(kept + 1);
    list.emplace_back();
}

} // namespace qv
