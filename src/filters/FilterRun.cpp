#include "filters/FilterRun.h"

#include "selection/Basket.h"

#include "session/AppState.h"
#include "core/Error.h"
#include "filters/CompactBasket.h"
#include "history/HistoryLoad.h"
#include "selection/Basket.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qv {

namespace {

// Lines between two reports to the progress bar.
constexpr std::size_t kProgressStep = 65536;

int ProgressValue(std::size_t value)
{
    return static_cast<int>(std::min<std::size_t>(value, 0x7FFFFFFF));
}

// The filters a run will apply, in their run order, whichever tab they sit on.
std::string CheckedFiltersLine(const FilterState& settings)
{
    std::string captions;
    int checked = 0;
    for (const auto& info : FilterCatalogue()) {
        const auto on = settings.Switches.find(info.CheckBox);
        if (on == settings.Switches.end() || !on->second)
            continue;
        if (checked++ > 0)
            captions += "、";
        captions += info.Caption;
    }
    if (checked == 0)
        return "本次运算没有勾选过滤条件";
    return "本次运算勾选了" + std::to_string(checked) + "项过滤条件：" + captions;
}

// A basket line that a rule could not judge.
std::string BasketLineReport(std::string_view caption, std::size_t number, std::string_view line)
{
    std::string text = "过滤条件“";
    text += caption;
    text += "”：号码篮（Data/temp.txt）第";
    text += std::to_string(number);
    text += "行“";
    text += QuotedLine(line);
    text += "”无法处理，每行应为6个红球号码，以一个空格分隔（如“01 02 03 04 05 06”）。";
    return text;
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
// written stops the run there.
class RunBasket
{
public:
    RunBasket(AppState& state, Host& host) : m_state(state), m_path(state.File(files::kBasket)), m_host(host) {}

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
        if (!m_probed) {
            ProbeWritable(m_path);
            m_probed = true;
        }
        m_pending = true;
    }

    // Writes a pending result; called when the run ends or stops.
    void Flush()
    {
        if (!m_pending)
            return;
        m_pending = false;
        m_basket.Save(m_path);
        ReloadBasketView(m_state, m_host);
    }

private:
    AppState& m_state;
    std::filesystem::path m_path;
    Host& m_host;
    CompactBasket m_basket;
    bool m_loaded = false;
    bool m_probed = false;
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
    long long removedCount = 0;
    std::size_t judged = 0; // the lines handed to the rule so far, for the report of a bad one
    std::string_view judging;
    bool walking = false;
    try {
        rule->Prepare(context);

        const std::size_t count = lines.Size();
        host.SetProgressMaximum(ProgressValue(count));
        host.SetProgressPosition(0);
        // The basket changes only once the walk is through: a rule that stops the run on a
        // line leaves the basket as the previous pass left it.
        FilterRule& judge = *rule;
        walking = true;
        removedCount = static_cast<long long>(lines.Walk(
            [&](const BasketLine& line) {
                ++judged;
                judging = line.Text;
                return judge.Removes(line);
            },
            [&](std::size_t examined) { host.SetProgressPosition(ProgressValue(examined)); }, kProgressStep));
    } catch (const FilterInputError& e) {
        // The report names the filter and the field or rule line; the original text follows
        // it in the log.
        const std::string report = FilterInputReport(info.Caption, e);
        LogStep(host, report);
        host.Log(e.what());
        throw Error(report);
    } catch (const Error& e) {
        if (!walking)
            throw;
        const std::string report = BasketLineReport(info.Caption, judged, judging);
        LogStep(host, report);
        host.Log(e.what());
        throw Error(report);
    }

    basket.PassDone();
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

    LogStep(host, CheckedFiltersLine(settings));
    FilterContext context{state, host, settings};
    RunBasket basket(state, host);
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
