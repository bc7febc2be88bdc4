#include "session/FilterCommands.h"

#include "core/Error.h"
#include "filters/CompactBasket.h"
#include "history/Gbk.h"
#include "history/TextFile.h"
#include "session/AppState.h"
#include "session/SelectionCommands.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qv {

namespace {

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

// Fails the way writing the basket would fail when the file cannot be replaced at all:
// a folder in its place, or a folder where no file can be created.
void ProbeWritable(const std::filesystem::path& path)
{
    const std::string target = path.string();
    struct stat st
    {
    };
    if (::stat(target.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        throw Error::CannotOpenFileErrno(target, EISDIR);
    // Named like a replacement's temporary file, so the sweep at the next start removes it
    // when the program is killed before the unlink.
    std::string probe = target;
    probe += '.';
    probe += std::to_string(::getpid());
    probe += ".0000000000000000.tmp";
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        const int err = errno;
        if (err != EEXIST)
            throw Error::CannotOpenFileErrno(target, err);
        return;
    }
    ::close(fd);
    ::unlink(probe.c_str());
}

// The basket between passes. The file is loaded once, when the first pass needs it, and
// written once, when the run ends or stops, with the result of the last completed pass:
// the same file that writing after every pass leaves. Where the first pass would write,
// the run makes sure the file can be replaced at all, so a basket that cannot be
// written stops the run there. While the file stands as this run last wrote or read it,
// its content is the basket view's text, which the run takes over instead of reading
// the file again, and the view is made from the result instead of from reading it back.
class RunBasket
{
public:
    RunBasket(AppState& state, Host& host) : m_state(state), m_path(state.File(files::kBasket)), m_host(host)
    {
    }

    CompactBasket& Lines()
    {
        if (!m_loaded) {
            SelectionState& selection = m_state.Selection;
            if (selection.BasketFile && IdentityOf(m_path) == selection.BasketFile) {
                m_basket.Assign(selection.BasketView.TakeText());
                m_viewTaken = true;
            } else {
                m_basket.Load(m_path);
            }
            m_loaded = true;
        }
        return m_basket;
    }

    // A pass completed: its result is the basket as it now stands.
    void PassDone()
    {
        if (!m_probed) {
            ProbeWritable(m_path);
            m_probed = true;
        }
        m_pending = true;
    }

    // Writes a pending result; called when the run ends or stops. A basket taken from the
    // view goes back to it, changed or not.
    void Flush()
    {
        if (!m_pending) {
            if (m_viewTaken) {
                m_viewTaken = false;
                m_state.Selection.BasketView = m_basket.Table();
            }
            return;
        }
        m_pending = false;
        LineTable written = m_basket.Table();
        std::string gbk;
        if (!m_basket.Ascii())
            gbk = Utf8ToGbk(written.Text());
        try {
            ReplaceFile(m_path, m_basket.Ascii() ? std::string_view(written.Text()) : std::string_view(gbk));
        } catch (...) {
            // The file stayed as it was; so does the view.
            if (m_viewTaken) {
                m_viewTaken = false;
                m_state.Selection.BasketView = LineTable();
                m_state.Selection.BasketFile.reset();
                try {
                    ReloadBasketView(m_state, m_host);
                } catch (...) {
                }
            }
            throw;
        }
        m_viewTaken = false;
        ShowWrittenBasket(m_state, m_host, std::move(written), m_basket.Ascii() ? nullptr : &gbk);
    }

private:
    AppState& m_state;
    std::filesystem::path m_path;
    Host& m_host;
    CompactBasket m_basket;
    bool m_loaded = false;
    bool m_viewTaken = false;
    bool m_probed = false;
    bool m_pending = false;
};

// The stop of a run whose pass finds the basket empty.
void StopOnEmptyBasket(Host& host)
{
    host.Message("号码篮", "您的号码篮已经没有号码", MessageIcon::None, MessageButtons::Ok);
    LogStep(host, "号码篮没有号码.....");
}

// What a pass reports through: the rule's file saved below AppDir, the progress bar.
FilterPassHooks PassHooks(const AppState& state, Host& host)
{
    FilterPassHooks hooks;
    hooks.Save = [&state](const RuleFile& file) { SaveRuleFile(state, file); };
    hooks.Begin = [&host](std::size_t count) {
        host.SetProgressMaximum(ProgressValue(count));
        host.SetProgressPosition(0);
    };
    hooks.Progress = [&host](std::size_t examined) { host.SetProgressPosition(ProgressValue(examined)); };
    return hooks;
}

// One pass of one filter. Returns false when the run must end (the basket was empty).
bool RunPass(const FilterInfo& info, FilterContext& context, RunBasket& basket, AppState& state, Host& host)
{
    if (info.StartLine != nullptr)
        LogStep(host, info.StartLine(context));
    CompactBasket& lines = basket.Lines();
    if (lines.Size() == 0) {
        basket.Flush();
        StopOnEmptyBasket(host);
        return false;
    }

    const long long removedCount = RunFilterPass(info, context, lines, PassHooks(state, host));

    basket.PassDone();
    const std::string counter = CounterText(removedCount);
    state.Filters.Counters[info.Counter] = counter;
    host.SetLabel(info.Counter, counter);
    host.SetLabel("Label4", BasketTotal(lines.Size()));
    LogStep(host, info.ClosingLine(context, removedCount));
    return true;
}

// The run with 容错 K ≥ 1: every switched-on filter judges the basket as the run found it,
// and a line goes only when more than K of them reject it. Each counter shows the lines
// its filter rejected. Returns false when the run must end (the basket was empty).
bool RunTolerantPasses(FilterContext& context, RunBasket& basket, AppState& state, Host& host)
{
    FilterState& settings = state.Filters;
    const int k = settings.Tolerance;
    std::vector<std::uint8_t> rejections; // per line, how many filters rejected it (at most 255)
    bool passed = false;
    for (const auto& info : FilterCatalogue()) {
        if (!IsSwitchedOn(settings, info))
            continue;
        if (info.StartLine != nullptr)
            LogStep(host, info.StartLine(context));
        CompactBasket& lines = basket.Lines();
        if (lines.Size() == 0) {
            StopOnEmptyBasket(host);
            return false;
        }
        const long long rejected = JudgeFilterPass(info, context, lines, PassHooks(state, host), rejections);
        passed = true;
        const std::string counter = CounterText(rejected);
        settings.Counters[info.Counter] = counter;
        host.SetLabel(info.Counter, counter);
        LogStep(host, info.ClosingLine(context, rejected));
    }
    if (!passed)
        return true;

    CompactBasket& lines = basket.Lines();
    const std::size_t before = lines.Size();
    for (auto& count : rejections)
        count = count > k ? 1 : 0;
    lines.Remove(rejections);
    basket.PassDone();
    const std::size_t removed = before - lines.Size();
    const std::string counter = ToleranceCounterText(static_cast<long long>(removed));
    settings.Counters[kToleranceCounter] = counter;
    host.SetLabel(kToleranceCounter, counter);
    host.SetLabel("Label4", BasketTotal(lines.Size()));
    LogStep(host, "容错" + std::to_string(k) + "：被至少" + std::to_string(k + 1) +
                      "项过滤条件排除的号码共删除" + std::to_string(removed) + "注，剩余" +
                      std::to_string(lines.Size()) + "注");
    return true;
}

} // namespace

std::string ToleranceCounterText(long long removed)
{
    return "容错删除" + std::to_string(removed) + "注";
}

FilterContext FilterInputsOf(const AppState& state, StepLog& log)
{
    return FilterContext{state.RedHistory, state.Analysis.Reference, state.Analysis.Prediction, state.Filters,
                         log};
}

void SaveRuleFile(const AppState& state, const RuleFile& file)
{
    SaveLines(state.File(file.Path), file.Content);
}

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

    settings.Counters.erase(kToleranceCounter);
    LogStep(host, CheckedFiltersLine(settings));
    FilterContext context = FilterInputsOf(state, host);
    RunBasket basket(state, host);
    if (settings.Tolerance > 0) {
        const std::string counter = ToleranceCounterText(0);
        settings.Counters[kToleranceCounter] = counter;
        host.SetLabel(kToleranceCounter, counter);
        LogStep(host, "本次运算容错" + std::to_string(settings.Tolerance) +
                          "：每项过滤条件都按运算开始时的号码篮判断，被至少" +
                          std::to_string(settings.Tolerance + 1) + "项排除的号码才删除");
        try {
            if (!RunTolerantPasses(context, basket, state, host)) {
                basket.Flush();
                return;
            }
            basket.Flush();
        } catch (...) {
            // Nothing was removed yet; a failure to write wins.
            basket.Flush();
            throw;
        }
        LogStep(host, "完成运算.......OK");
        host.Message("运算完毕", "OK！运算完毕", MessageIcon::None, MessageButtons::Ok);
        return;
    }
    try {
        for (const auto& info : FilterCatalogue()) {
            if (!IsSwitchedOn(settings, info))
                continue;
            if (!RunPass(info, context, basket, state, host))
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

std::vector<std::string> HelpLines(const HelpEntry& entry, const AppState& state)
{
    return HelpLines(entry, HelpInputs{state.Paths, state.Analysis.Reference, state.Analysis.Prediction});
}

} // namespace qv
