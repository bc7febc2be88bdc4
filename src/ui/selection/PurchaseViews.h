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
class QPlainTextEdit;
class QRadioButton;
class QSpinBox;
class QTableWidget;
class QThread;
class QTimer;

namespace qv::ui {

// A text box over a list the core may replace whole and the user may edit freely. Typing
// only marks it changed; the lines go into the list when a command needs them (Pull), so
// a list of a million bets costs nothing per keystroke. Commands Pull() before they run;
// Show() redraws the box only when the core changed the list since it was last shown or
// pulled, so the user's edits survive the redraws of every view.
class ListBox
{
public:
    ListBox(QPlainTextEdit* box, Lines& lines);
    ~ListBox();
    ListBox(const ListBox&) = delete;
    ListBox& operator=(const ListBox&) = delete;

    void Pull();
    void Show();
    QPlainTextEdit* Box() const { return m_box; }

private:
    QPlainTextEdit* m_box;
    QMetaObject::Connection m_connection;
    Lines& m_lines;
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
