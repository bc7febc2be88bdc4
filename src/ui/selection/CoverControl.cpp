#include "ui/selection/CoverControl.h"

#include "ui/widgets/Buttons.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QItemSelection>
#include <QItemSelectionModel>
#include <QTableView>
#include <QThread>

#include <exception>

namespace qv::ui {

CoverControl::CoverControl(ViewContext context, QTableView* grid, std::function<void()> pullPurchaseList,
                           QWidget* parent)
    : QWidget(parent), m_context(std::move(context)), m_grid(grid),
      m_pullPurchaseList(std::move(pullPurchaseList))
{
    setObjectName(QStringLiteral("CoverControl"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    m_guarantee = new QComboBox(this);
    m_guarantee->setObjectName(QStringLiteral("CoverGuarantee"));
    for (const int t : {5, 4, 3})
        m_guarantee->addItem(QStringLiteral("中%1").arg(t), t);
    m_guarantee->setToolTip(
        QStringLiteral("若开奖红球是号码篮中的一注，选出的号码中至少有一注中这么多个红球"));
    m_cover = MakeButton(QStringLiteral("缩水覆盖"), QStringLiteral("CoverButton"), this);
    m_cover->setToolTip(QStringLiteral("从号码篮中选出尽量少的号码，保证所选的中奖红球个数"));
    m_cancel = MakeButton(QStringLiteral("取消"), QStringLiteral("CoverCancel"), this);
    m_cancel->setVisible(false);
    layout->addWidget(m_guarantee);
    layout->addWidget(m_cover, 1);
    layout->addWidget(m_cancel);
    connect(m_cover, &QPushButton::clicked, this, &CoverControl::CoverClick);
    connect(m_cancel, &QPushButton::clicked, this, &CoverControl::CancelClick);
}

CoverControl::~CoverControl()
{
    if (m_thread) {
        m_cancelFlag->store(true);
        m_thread->wait();
        QApplication::restoreOverrideCursor();
    }
}

void CoverControl::CoverClick()
{
    if (Running())
        return;
    auto input = std::make_shared<std::optional<CoverInput>>();
    const int t = m_guarantee->currentData().toInt();
    if (!m_context.Run([&]() { *input = CoverInputOf(m_context.State, m_context.CommandHost, t); }) ||
        !*input)
        return;

    m_cancelFlag = std::make_shared<std::atomic<bool>>(false);
    auto cancel = m_cancelFlag;
    auto cover = std::make_shared<CoverResult>();
    auto failure = std::make_shared<std::exception_ptr>();
    m_thread = QThread::create([this, input, cancel, cover, failure]() {
        CoverHooks hooks;
        hooks.Cancel = cancel.get();
        hooks.Progress = [this](std::size_t covered, std::size_t total) {
            QMetaObject::invokeMethod(
                this,
                [this, covered, total]() {
                    m_context.CommandHost.SetProgressMaximum(static_cast<int>(total));
                    m_context.CommandHost.SetProgressPosition(static_cast<int>(covered));
                },
                Qt::QueuedConnection);
        };
        try {
            *cover = CoverBasket((*input)->Reds, (*input)->T, hooks);
        } catch (...) {
            *failure = std::current_exception();
        }
    });
    m_thread->setParent(this);
    connect(m_thread, &QThread::finished, this, [this, input, cover, failure]() {
        m_thread->deleteLater();
        m_thread = nullptr;
        SetRunning(false);
        if (*failure)
            m_context.Run([&]() { std::rethrow_exception(*failure); });
        else if (cover->Cancelled)
            m_context.Run([&]() { LogStep(m_context.CommandHost, "缩水覆盖已取消"); });
        else
            Finish(**input, *cover);
        emit Finished();
    });
    SetRunning(true);
    m_thread->start();
}

void CoverControl::CancelClick()
{
    if (m_cancelFlag)
        m_cancelFlag->store(true);
}

void CoverControl::SetRunning(bool running)
{
    m_cover->setEnabled(!running);
    m_guarantee->setEnabled(!running);
    m_cancel->setVisible(running);
    if (running) {
        QApplication::setOverrideCursor(Qt::BusyCursor);
        m_context.CommandHost.SetProgressMaximum(0);
    } else {
        QApplication::restoreOverrideCursor();
        m_context.CommandHost.SetProgressMaximum(1);
        m_context.CommandHost.SetProgressPosition(1);
    }
}

void CoverControl::Finish(const CoverInput& input, const CoverResult& cover)
{
    // The cover's lines become the grid's selection, unless the basket changed meanwhile.
    if (m_grid && m_grid->model() && m_context.State.Selection.BasketView.Text() == input.Basket.Text()) {
        QItemSelection selection;
        const auto* model = m_grid->model();
        for (std::size_t k = 0; k < cover.Tickets.size();) {
            std::size_t end = k + 1;
            while (end < cover.Tickets.size() && cover.Tickets[end] == cover.Tickets[end - 1] + 1)
                ++end;
            selection.select(model->index(static_cast<int>(cover.Tickets[k]), 0),
                             model->index(static_cast<int>(cover.Tickets[end - 1]), 0));
            k = end;
        }
        m_grid->selectionModel()->select(selection,
                                         QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        if (!cover.Tickets.empty())
            m_grid->scrollTo(model->index(static_cast<int>(cover.Tickets.front()), 0));
    }
    if (m_pullPurchaseList)
        m_pullPurchaseList();
    m_context.Run([&]() { OfferCover(m_context.State, m_context.CommandHost, input, cover); });
}

} // namespace qv::ui
