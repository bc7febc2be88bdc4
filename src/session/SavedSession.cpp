#include "session/SavedSession.h"

#include "core/Error.h"
#include "filters/FilterRun.h"
#include "history/AppPaths.h"
#include "history/Gbk.h"
#include "history/TextFile.h"
#include "purchase/BluePicker.h"
#include "session/AppState.h"

#include <charconv>

namespace qv {

namespace {

constexpr std::string_view kSwitchPrefix = "filter.switch.";
constexpr std::string_view kEditPrefix = "filter.edit.";
constexpr std::string_view kMemoPrefix = "filter.memo.";

std::string Flag(bool on)
{
    return on ? "1" : "0";
}

bool ParseFlag(std::string_view text, bool& on)
{
    if (text != "0" && text != "1")
        return false;
    on = text == "1";
    return true;
}

// "01 05 33": the numbers 1..highest, ascending, each at most once.
std::optional<std::vector<int>> ParseNumbers(std::string_view text, int highest)
{
    std::vector<int> numbers;
    if (text.empty())
        return numbers;
    for (const auto field : SplitFieldViews(text)) {
        int value = 0;
        if (!TryStrToInt(field, value) || value < 1 || value > highest ||
            (!numbers.empty() && value <= numbers.back()))
            return std::nullopt;
        numbers.push_back(value);
    }
    return numbers;
}

bool ParseCount(std::string_view text, std::uint64_t& value)
{
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && ec == std::errc() && end == text.data() + text.size();
}

std::string Wrong(const std::string& key, const std::string& value, std::string_view expected)
{
    std::string shown = value.size() > 40 ? value.substr(0, 40) + "…" : value;
    return "的“" + key + "=" + shown + "”不对（应为" + std::string(expected) + "）";
}

template <typename Map, typename Parse>
bool Overlay(Map& target, std::string_view key, std::string_view prefix, const std::string& value,
             Parse parse)
{
    if (key.substr(0, prefix.size()) != prefix)
        return false;
    const auto found = target.find(std::string(key.substr(prefix.size())));
    // A name this window no longer has is left out.
    if (found != target.end())
        parse(found->second, value);
    return true;
}

std::string SessionPathText(const AppState& state)
{
    return "设置文件“" + state.File(kSessionFile).string() + "”";
}

} // namespace

SettingValues CaptureSession(const AppState& state)
{
    SettingValues values;
    std::vector<int> reds;
    for (int k = 1; k <= kPickerNumbers; ++k)
        if (state.Selection.Picker[static_cast<std::size_t>(k - 1)])
            reds.push_back(k);
    values["reds"] = JoinTwoDigits(reds);
    values["bets"] = LinesValue(state.Selection.BetList);

    std::vector<int> blues;
    for (int k = 1; k <= kBlueCount; ++k)
        if (state.Purchase.BlueChecked[static_cast<std::size_t>(k - 1)])
            blues.push_back(k);
    values["blues"] = JoinTwoDigits(blues);
    values["blues.preset"] = std::string(BluePresetCaption(state.Purchase.SelectedPreset));
    values["purchase.path"] = state.Purchase.ListPath.string();

    const FilterState& filters = state.Filters;
    for (const auto& [name, on] : filters.Switches)
        values[std::string(kSwitchPrefix) + name] = Flag(on);
    for (const auto& [name, text] : filters.Edits)
        values[std::string(kEditPrefix) + name] = text;
    for (const auto& [name, lines] : filters.Memos)
        values[std::string(kMemoPrefix) + name] = LinesValue(lines);
    values["filter.selectall"] = Flag(filters.SelectAllState);
    values["filter.tolerance"] = std::to_string(filters.Tolerance);

    if (state.Selection.BasketReadyFlag) {
        values["basket.stamp"] = StampText(BasketFileStamp(state.Selection));
        values["basket.groups"] = std::to_string(state.Selection.BasketGroups);
    }
    return values;
}

std::optional<SessionRestore> ApplySession(const SettingValues& values, AppState& state, std::string& problem)
{
    // Everything goes into copies first: a wrong value leaves the state as it was.
    FilterState filters;
    ResetFilterState(filters);
    std::array<bool, kPickerNumbers> picker{};
    Lines bets;
    PurchaseState purchase;
    std::optional<FileStamp> stamp;
    std::uint64_t groups = 0;

    for (const auto& [key, value] : values) {
        const auto fail = [&, &key = key, &value = value](std::string_view expected) {
            problem = Wrong(key, value, expected);
            return std::nullopt;
        };
        bool ok = true;
        if (key == "reds") {
            const auto numbers = ParseNumbers(value, kPickerNumbers);
            if (!numbers)
                return fail("01–33的升序号码，以空格分隔");
            for (const int k : *numbers)
                picker[static_cast<std::size_t>(k - 1)] = true;
        } else if (key == "bets") {
            bets = ValueLines(value);
        } else if (key == "blues") {
            const auto numbers = ParseNumbers(value, kBlueCount);
            if (!numbers)
                return fail("01–16的升序号码，以空格分隔");
            CheckOnlyBlues(purchase, *numbers);
        } else if (key == "blues.preset") {
            const auto preset = BluePresetFromCaption(value);
            if (!preset)
                return fail("全16码、全奇、全偶、全大或全小");
            purchase.SelectedPreset = *preset;
        } else if (key == "purchase.path") {
            purchase.ListPath = value;
        } else if (key == "filter.tolerance") {
            try {
                filters.Tolerance = ParseTolerance(value);
            } catch (const Error&) {
                return fail("0或正整数");
            }
        } else if (key == "filter.selectall") {
            if (!ParseFlag(value, filters.SelectAllState))
                return fail("0或1");
        } else if (key == "basket.stamp") {
            stamp = ParseStamp(value);
            if (!stamp)
                return fail("大小:16位十六进制校验值");
        } else if (key == "basket.groups") {
            if (!ParseCount(value, groups))
                return fail("组数");
        } else if (Overlay(filters.Switches, key, kSwitchPrefix, value,
                           [&ok](bool& on, const std::string& text) { ok = ParseFlag(text, on); })) {
            if (!ok)
                return fail("0或1");
        } else if (Overlay(filters.Edits, key, kEditPrefix, value,
                           [](std::string& text, const std::string& saved) { text = saved; })) {
        } else {
            Overlay(filters.Memos, key, kMemoPrefix, value,
                    [](Lines& lines, const std::string& saved) { lines = ValueLines(saved); });
        }
        // Other keys belong to later versions and are left alone.
    }
    SessionRestore restore;
    if (stamp) {
        const std::filesystem::path path = state.File(files::kBasket);
        std::string bytes;
        std::optional<FileIdentity> identity;
        if (!std::filesystem::exists(path)) {
            restore.BasketProblem = "号码篮文件“" + std::string(files::kBasket) + "”已不存在";
        } else {
            try {
                identity = IdentityOf(path);
                bytes = ReadFileBytes(path);
                if (StampOf(bytes) == *stamp)
                    restore.BasketReady = true;
                else
                    restore.BasketProblem = "号码篮文件“" + std::string(files::kBasket) + "”已被改动";
            } catch (const Error& e) {
                restore.BasketProblem = e.what();
            }
        }
        if (restore.BasketReady) {
            state.Selection.BasketView = LineTable(GbkToUtf8(bytes));
            state.Selection.BasketStamp = *stamp;
            state.Selection.BasketStampOfView = false;
            state.Selection.BasketFile = identity;
            state.Selection.BasketGroups = groups;
            state.Selection.BasketReadyFlag = true;
            restore.BasketLines = state.Selection.BasketView.Size();
            restore.BasketGroups = groups;
        }
    }

    // The counters describe this run's last filter run, not a setting.
    if (!state.Filters.Counters.empty())
        filters.Counters = state.Filters.Counters;
    state.Filters = std::move(filters);
    state.Selection.Picker = picker;
    state.Selection.BetList = std::move(bets);
    state.Purchase.BlueChecked = purchase.BlueChecked;
    state.Purchase.SelectedPreset = purchase.SelectedPreset;
    state.Purchase.ListPath = std::move(purchase.ListPath);
    return restore;
}

void ResetSession(AppState& state)
{
    ResetFilterState(state.Filters);
    state.Selection.Picker = {};
    state.Selection.BetList.clear();
    ApplyBluePreset(state.Purchase, BluePreset::All16);
    state.Purchase.ListPath.clear();
}

std::string LoadSession(AppState& state)
{
    const std::filesystem::path path = state.File(kSessionFile);
    if (!std::filesystem::exists(path))
        return {};
    const std::string ignored = "，已忽略，使用默认设置";
    std::string problem;
    std::optional<SettingValues> values;
    try {
        values = ReadSettings(ReadFileBytes(path), problem);
    } catch (const Error& e) {
        return SessionPathText(state) + "无法读取（" + e.what() + "）" + ignored;
    }
    if (!values)
        return SessionPathText(state) + problem + ignored;
    const auto restore = ApplySession(*values, state, problem);
    if (!restore)
        return SessionPathText(state) + problem + ignored;

    std::string line = "已恢复上次的设置（过滤条件、选号与投注列表、蓝码、购买清单位置）";
    if (restore->BasketReady)
        line += "，号码篮" + std::to_string(restore->BasketLines) + "注";
    else if (!restore->BasketProblem.empty())
        line += "；" + restore->BasketProblem + "，号码篮未恢复";
    return line;
}

void SaveSession(const AppState& state)
{
    ReplaceFile(state.File(kSessionFile),
                WriteSettings(CaptureSession(state), "Quorvane 的设置（UTF-8），程序退出时写入"), Flush::Yes);
}

} // namespace qv
