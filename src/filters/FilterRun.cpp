#include "filters/FilterRun.h"

#include "core/AppState.h"
#include "core/Error.h"
#include "filters/CompactBasket.h"

#include <algorithm>

namespace qv {

namespace {

// Lines between two reports to the progress bar.
constexpr std::size_t kProgressStep = 65536;

int ProgressValue(std::size_t value)
{
    return static_cast<int>(std::min<std::size_t>(value, 0x7FFFFFFF));
}

std::string BasketTotal(std::size_t lines)
{
    const long long bets = static_cast<long long>(lines);
    std::string text = "总共合计：";
    text += std::to_string(bets);
    text += "注/";
    text += std::to_string(bets * 2);
    text += "元";
    return text;
}

// The basket between passes. The file is loaded once, when the first pass needs it; the
// first pass that completes writes it at once (so a file that cannot be written stops
// the run where a pass writes it), later passes leave their result pending and it is
// written when the run ends or stops. On disk the result is what writing after every
// pass gives.
class RunBasket
{
public:
    RunBasket(std::filesystem::path path, Host& host) : m_path(std::move(path)), m_host(host) {}

    CompactBasket& Lines()
    {
        if (!m_loaded) {
            m_basket.Load(m_path);
            m_loaded = true;
        }
        return m_basket;
    }

    // A pass completed: its result is the basket as it now stands.
    void PassDone()
    {
        if (!m_written) {
            m_basket.Save(m_path);
            m_written = true;
        } else {
            m_pending = true;
        }
    }

    // Writes a pending result; called when the run ends or stops.
    void Flush()
    {
        if (!m_pending)
            return;
        m_pending = false;
        m_basket.Save(m_path);
        m_host.ViewChanged("basket");
    }

private:
    std::filesystem::path m_path;
    Host& m_host;
    CompactBasket m_basket;
    bool m_loaded = false;
    bool m_written = false;
    bool m_pending = false;
};

// One pass of one filter. Returns false when the run must end (the basket was empty).
bool RunPass(const FilterInfo& info, FilterContext& context, RunBasket& basket, FilterState& settings,
             Host& host)
{
    if (info.StartLine != nullptr)
        LogStep(host, info.StartLine(context));
    CompactBasket& lines = basket.Lines();
    if (lines.Size() == 0) {
        basket.Flush();
        host.Message("号码篮", "您的号码篮已经没有号码", MessageIcon::None, MessageButtons::Ok);
        LogStep(host, "号码篮没有号码.....");
        return false;
    }

    const std::unique_ptr<FilterRule> rule = info.Make();
    rule->Prepare(context);

    const std::size_t count = lines.Size();
    host.SetProgressMaximum(ProgressValue(count));
    host.SetProgressPosition(0);
    // Decide every line first and drop them afterwards: a rule that stops the run on a
    // line leaves the basket as the previous pass left it.
    std::vector<std::uint8_t> removed(count, 0);
    long long removedCount = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (rule->Removes(lines.Line(i))) {
            removed[i] = 1;
            ++removedCount;
        }
        if ((i + 1) % kProgressStep == 0)
            host.SetProgressPosition(ProgressValue(i + 1));
    }
    host.SetProgressPosition(ProgressValue(count));
    if (removedCount > 0)
        lines.Remove(removed);

    basket.PassDone();
    host.ViewChanged("basket");
    const std::string counter = CounterText(removedCount);
    settings.Counters[info.Counter] = counter;
    host.SetLabel(info.Counter, counter);
    host.SetLabel("Label4", BasketTotal(lines.Size()));
    LogStep(host, info.ClosingLine(context, removedCount));
    return true;
}

} // namespace

void RunFilters(AppState& state, Host& host)
{
    if (!state.Selection.BasketReadyFlag) {
        host.Message("号码篮", "您的号码篮没有号码", MessageIcon::Information, MessageButtons::Ok);
        host.ShowView("投注/组合");
        return;
    }

    FilterState& settings = state.Filters;
    for (const auto& slot : FilterRunOrder()) {
        settings.Counters[slot.Counter] = CounterText(0);
        host.SetLabel(slot.Counter, settings.Counters[slot.Counter]);
    }

    FilterContext context{state, host, settings};
    RunBasket basket(state.File(files::kBasket), host);
    try {
        for (const auto& info : FilterCatalogue()) {
            const auto on = settings.Switches.find(info.CheckBox);
            if (on == settings.Switches.end() || !on->second)
                continue;
            if (!RunPass(info, context, basket, settings, host))
                return;
        }
        basket.Flush();
    } catch (...) {
        // The passes completed so far stay on disk; a failure to write them wins.
        basket.Flush();
        throw;
    }

    LogStep(host, "完成运算.......OK");
    host.Message("运算完毕", "OK！运算完毕", MessageIcon::None, MessageButtons::Ok);
}

} // namespace qv
