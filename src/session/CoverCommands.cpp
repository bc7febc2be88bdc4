#include "session/CoverCommands.h"

#include "session/AppState.h"
#include "session/PurchaseCommands.h"

namespace qv {

namespace {

constexpr const char* kCoverCaption = "缩水覆盖";

} // namespace

std::optional<CoverInput> CoverInputOf(const AppState& state, Host& host, int t)
{
    if (!state.Selection.BasketReadyFlag || state.Selection.BasketView.Empty()) {
        host.Message("号码篮", "您的号码篮没有号码", MessageIcon::Information, MessageButtons::Ok);
        host.ShowView("投注/组合");
        return std::nullopt;
    }
    CoverInput input;
    input.Basket = state.Selection.BasketView;
    input.Reds = BasketReds(input.Basket);
    input.T = t;
    return input;
}

Lines CoverLines(const CoverInput& input, const CoverResult& cover)
{
    Lines lines;
    lines.reserve(cover.Tickets.size());
    for (const std::size_t k : cover.Tickets)
        lines.emplace_back(input.Basket[k]);
    return lines;
}

bool OfferCover(AppState& state, Host& host, const CoverInput& input, const CoverResult& cover)
{
    const std::string summary = CoverSummary(input.Basket.Size(), cover.Tickets.size(), input.T);
    LogStep(host, summary);
    if (host.Message(kCoverCaption, summary + "。\n\n号码篮中已选中这些号码。是否加入购买清单？",
                     MessageIcon::Question, MessageButtons::YesNo) != MessageAnswer::Yes)
        return false;
    AppendToPurchaseList(state, host, CoverLines(input, cover));
    LogStep(host, "缩水覆盖的" + std::to_string(cover.Tickets.size()) + "注已加入购买清单");
    return true;
}

} // namespace qv
