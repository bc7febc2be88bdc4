#pragma once

#include <memory>

#include "ui/ViewContext.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QTableView;
class QStackedWidget;
class QPlainTextEdit;
class QRadioButton;
class QSpinBox;
class QTableWidget;
class QThread;
class QTimer;

namespace qv::ui {

class LinesModel;

// A list the core may replace whole and the user may edit freely. Up to kEditableLines
// lines it is a text box: typing only marks it changed; the lines go into the list when a
// command needs them (Pull), so typing costs nothing per keystroke. Commands Pull() before
// they run; Show() redraws the box only when the core changed the list since it was last
// shown or pulled, so the user's edits survive the redraws of every view.
//
// A longer list (a full basket is over a million bets) is shown by a list view over the
// list itself ("<name>List"), which costs nothing per line: the user selects lines and
// deletes them with Delete, and what is saved is what is shown. Typing into it is not
// offered; a list cut down to kEditableLines lines becomes a text box again.
class ListBox
{
public:
    static constexpr std::size_t kEditableLines = 20000;

    // The box goes into the widget that Widget() gives; changed runs after the user
    // deleted lines in the list view.
    ListBox(QPlainTextEdit* box, Lines& lines, std::function<void()> changed = {});
    ~ListBox();
    ListBox(const ListBox&) = delete;
    ListBox& operator=(const ListBox&) = delete;

    void Pull();
    void Show();
    QPlainTextEdit* Box() const { return m_box; }
    QWidget* Widget() const;
    QTableView* ListView() const { return m_view; }
    // Whether the list is shown by the list view.
    bool Long() const;
    // The lines as the user sees them now (the box's text, or the list itself).
    Lines Shown() const;

private:
    void DeleteSelected();

    QPlainTextEdit* m_box;
    QStackedWidget* m_stack = nullptr;
    QTableView* m_view = nullptr;
    QLabel* m_note = nullptr;
    LinesModel* m_model = nullptr;
    QMetaObject::Connection m_connection;
    Lines& m_lines;
    std::function<void()> m_changed;
    std::uint64_t m_shown;
    bool m_edited = false;
    bool m_refreshing = false;
};

// The purchase-list view ("购买清单"): Memo8, the blue picker "蓝码选择" with lan1 … lan16
// and its five presets, "随机->", "保存清单", "载入清单"; and "加入购买清单" of the right
// column, which fills it.
class PurchaseListView : public QWidget
{
    Q_OBJECT
public:
    explicit PurchaseListView(ViewContext context, QWidget* parent = nullptr);

    void Refresh();
    void RefreshBlues();
    void PullList();

    void Button15Click(); // 加入购买清单 (right column)
    void Button17Click(); // 随机->
    void Button16Click(); // 保存清单
    void Button18Click(); // 载入清单

private:
    void PresetClicked(int preset);
    // The bets and cost of the list as it stands in the box ("PurchaseTotal").
    void RefreshTotal();

    ViewContext m_context;
    QLabel* m_total = nullptr;
    QTimer* m_totalTimer = nullptr;
    // The text boxes are children of the view; the view outlives neither.
    std::unique_ptr<ListBox> m_list;
    std::array<QCheckBox*, 16> m_blues{};
    std::array<QRadioButton*, 5> m_presets{};
    bool m_refreshing = false;
};

// The prize-check view ("中奖查询"): Edit7, Memo9 in "查询清单", the result box Memo7,
// "载入查询清单" and "查询中奖"; the amounts of the last check with the optional per-bet
// amounts of the floating tiers; and "历史回放", the query list bought in each of the newest
// draws, as a table per draw and a chart of the cumulative balance.
class PrizeCheckView : public QWidget
{
    Q_OBJECT
public:
    explicit PrizeCheckView(ViewContext context, QWidget* parent = nullptr);
    // Waits for a replay still running.
    ~PrizeCheckView() override;

    void Refresh();
    // A replay is working on its own thread.
    bool Replaying() const { return m_replayThread != nullptr; }

    void TeButton1Click(); // 载入查询清单
    void Button12Click();  // 查询中奖
    void ReplayClick();    // 历史回放

private:
    void RefreshTotals();
    void RefreshReplay();
    void FloatingAmountChanged();
    // The replay's lists are read and checked on a worker thread; meanwhile the window
    // shows the busy cursor and the running progress bar, and the commands on the query
    // list wait. Its outcome is stored (or its error shown) as a command once it is back.
    void SetReplayRunning(bool running);
    void FinishReplay(const std::function<void()>& store);

    ViewContext m_context;
    QThread* m_replayThread = nullptr;
    std::vector<QWidget*> m_replayLocks; // disabled while a replay runs
    QLineEdit* m_edit7 = nullptr;
    std::unique_ptr<ListBox> m_queries;
    QPlainTextEdit* m_memo7 = nullptr;
    QLineEdit* m_firstAmount = nullptr;
    QLineEdit* m_secondAmount = nullptr;
    QTableWidget* m_prizeTable = nullptr;
    QLabel* m_prizeTotals = nullptr;
    QSpinBox* m_replayDraws = nullptr;
    QTableWidget* m_replayTable = nullptr;
    QLabel* m_replayTotals = nullptr;
    QWidget* m_replayChart = nullptr;
};

} // namespace qv::ui
