#pragma once

#include "core/Host.h"
#include "history/Text.h"
#include "selection/BasketCover.h"

#include <optional>

namespace qv {

struct AppState;

// What 缩水覆盖 works on: the basket view as the state holds it, copied so that the cover
// can be computed while the state changes.
struct CoverInput
{
    LineTable Basket;
    std::vector<std::array<std::uint8_t, 6>> Reds;
    int T = 5;
};

// 缩水覆盖 starts here: without an expansion in this run, or with an empty basket, it
// refuses with a message (as the filter run does) and gives nothing; a basket line that is
// not six reds stops it with qv::Error naming the line.
std::optional<CoverInput> CoverInputOf(const AppState& state, Host& host, int t);

// The tickets of a cover as basket lines, in basket order.
Lines CoverLines(const CoverInput& input, const CoverResult& cover);

// After the cover: logs its size and guarantee, says them in a message and asks whether
// the tickets go into the purchase list; on Yes they are appended after its last
// non-empty line and the purchase-list view is shown. True when they were added.
bool OfferCover(AppState& state, Host& host, const CoverInput& input, const CoverResult& cover);

} // namespace qv
