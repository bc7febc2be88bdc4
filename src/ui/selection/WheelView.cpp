#include "ui/selection/WheelView.h"

#include "core/Error.h"
#include "history/Text.h"
#include "session/WheelCommands.h"
#include "ui/widgets/Buttons.h"
#include "ui/widgets/QtText.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include <exception>
#include <memory>

namespace qv::ui {

namespace {

QLineEdit* MakeField(const QString& objectName, const QString& hint, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(objectName);
    field->setPlaceholderText(hint);
    return field;
}

} // namespace

WheelView::WheelView(ViewContext context, std::function<void()> pullPurchaseList, QWidget* parent)
    : QWidget(parent), m_context(std::move(context)), m_pullPurchaseList(std::move(pullPurchaseList))
{
    setObjectName(QStringLiteral("WheelPanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->setSpacing(6);

    auto* form = new QFormLayout;
    auto* redsRow = new QHBoxLayout;
    m_reds =
        MakeField(QStringLiteral("WheelReds"), QStringLiteral("7至20个红球，如 01 05 09 12 16 20 23"), this);
    QPushButton* picker = MakeButton(QStringLiteral("取选号盘红球"), QStringLiteral("WheelTakePicker"), this);
    redsRow->addWidget(m_reds, 1);
    redsRow->addWidget(picker);
    form->addRow(QStringLiteral("选择的红球："), redsRow);
    m_bankers = MakeField(QStringLiteral("WheelBankers"),
                          QStringLiteral("0至5个，不在选择的红球中；每一注都有"), this);
    form->addRow(QStringLiteral("胆码："), m_bankers);
    m_guarantee = new QComboBox(this);
    m_guarantee->setObjectName(QStringLiteral("WheelGuarantee"));
    for (const WheelGuarantee& g : OfferedGuarantees())
        m_guarantee->addItem(Q(GuaranteeCaption(g)));
    form->addRow(QStringLiteral("保证："), m_guarantee);
    m_blues = MakeField(QStringLiteral("WheelBlues"), QStringLiteral("可不填：每注配上这些蓝球"), this);
    form->addRow(QStringLiteral("蓝球："), m_blues);
    layout->addLayout(form);

    auto* note =
        new QLabel(QStringLiteral("中m保t：开出的红球中有m个在选择的红球里时，至少一注中t个。保证只计选择的"
                                  "红球，胆码另计。旋转矩阵降低的是做到保证的花费，不提高每一元的中奖机会。"),
                   this);
    note->setObjectName(QStringLiteral("WheelNote"));
    note->setWordWrap(true);
    layout->addWidget(note);

    auto* bar = new QHBoxLayout;
    m_build = MakeButton(QStringLiteral("生成"), QStringLiteral("WheelBuild"), this);
    m_add = MakeButton(QStringLiteral("加入购买清单"), QStringLiteral("WheelAddToPurchase"), this);
    m_save = MakeButton(QStringLiteral("保存"), QStringLiteral("WheelSave"), this);
    bar->addWidget(m_build);
    bar->addWidget(m_add);
    bar->addWidget(m_save);
    bar->addStretch(1);
    layout->addLayout(bar);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("WheelSummary"));
    m_verified = new QLabel(this);
    m_verified->setObjectName(QStringLiteral("WheelVerified"));
    layout->addWidget(m_summary);
    layout->addWidget(m_verified);
    m_tickets = new QPlainTextEdit(this);
    m_tickets->setObjectName(QStringLiteral("WheelTickets"));
    m_tickets->setReadOnly(true);
    m_tickets->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(m_tickets, 1);

    connect(picker, &QPushButton::clicked, this, &WheelView::TakePickerClick);
    connect(m_build, &QPushButton::clicked, this, &WheelView::BuildClick);
    connect(m_add, &QPushButton::clicked, this, &WheelView::AddToPurchaseClick);
    connect(m_save, &QPushButton::clicked, this, &WheelView::SaveClick);
    connect(m_reds, &QLineEdit::textEdited, this, [this]() { m_redsTyped = true; });
    ShowWheel();
}

WheelView::~WheelView()
{
    // The worker reads nothing of the view or the state; it only has to end first.
    if (m_worker) {
        m_worker->wait();
        QApplication::restoreOverrideCursor();
    }
}

void WheelView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_redsTyped)
        TakePickerClick();
}

void WheelView::TakePickerClick()
{
    m_reds->setText(Q(JoinTwoDigits(PickedReds(m_context.State))));
    m_redsTyped = false;
}

void WheelView::BuildClick()
{
    if (Building())
        return;
    WheelRequest request;
    std::vector<int> blues;
    const bool valid = m_context.Run([&]() {
        m_wheel.reset();
        ShowWheel();
        request.Reds = ParseWheelNumbers(S(m_reds->text()), "红球");
        request.Bankers = ParseWheelNumbers(S(m_bankers->text()), "胆码");
        const auto& offered = OfferedGuarantees();
        request.Guarantee = offered.at(static_cast<std::size_t>(std::max(0, m_guarantee->currentIndex())));
        blues = ParseWheelBlues(S(m_blues->text()), false);
        if (const std::string problem = WheelRequestProblem(request); !problem.empty())
            throw Error(problem);
    });
    if (!valid)
        return;
    auto wheel = std::make_shared<WheelResult>();
    auto failure = std::make_shared<std::exception_ptr>();
    m_worker = QThread::create([request, wheel, failure]() {
        try {
            *wheel = MakeWheel(request);
        } catch (...) {
            *failure = std::current_exception();
        }
    });
    m_worker->setParent(this);
    connect(m_worker, &QThread::finished, this, [this, wheel, failure, blues]() {
        FinishBuild([this, wheel, failure, blues]() {
            if (*failure)
                std::rethrow_exception(*failure);
            if (wheel->Check.Uncovered != 0)
                throw Error(wheel->VerifiedText());
            m_wheel = std::move(*wheel);
            m_wheelBlues = blues;
            ShowWheel();
        });
    });
    SetBuilding(true);
    m_worker->start();
}

void WheelView::FinishBuild(const std::function<void()>& store)
{
    bool ran = false;
    m_context.Run([&]() {
        ran = true;
        m_worker->deleteLater();
        m_worker = nullptr;
        SetBuilding(false);
        store();
    });
    // Another command was running (a message box of it open): show once it is over.
    if (!ran)
        QTimer::singleShot(50, this, [this, store]() { FinishBuild(store); });
}

void WheelView::SetBuilding(bool building)
{
    for (QWidget* widget :
         {static_cast<QWidget*>(m_build), static_cast<QWidget*>(m_add), static_cast<QWidget*>(m_save),
          static_cast<QWidget*>(m_reds), static_cast<QWidget*>(m_bankers), static_cast<QWidget*>(m_guarantee),
          static_cast<QWidget*>(m_blues)})
        widget->setEnabled(!building);
    if (building) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_summary->setText(QStringLiteral("正在生成旋转矩阵……"));
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void WheelView::ShowWheel()
{
    m_add->setEnabled(m_wheel.has_value());
    m_save->setEnabled(m_wheel.has_value());
    if (!m_wheel) {
        m_summary->clear();
        m_verified->clear();
        m_tickets->clear();
        return;
    }
    m_summary->setText(Q(m_wheel->Summary(m_wheelBlues.empty() ? 1 : m_wheelBlues.size())));
    m_verified->setText(Q(m_wheel->VerifiedText()));
    m_tickets->setPlainText(MemoText(BetLines()));
}

std::vector<std::string> WheelView::BetLines() const
{
    return m_wheel ? m_wheel->BetLines(m_wheelBlues) : std::vector<std::string>{};
}

void WheelView::AddToPurchaseClick()
{
    if (Building())
        return;
    const Lines lines = BetLines();
    m_context.Run([&]() {
        if (m_pullPurchaseList)
            m_pullPurchaseList();
        AddLinesToPurchaseList(m_context.State, m_context.CommandHost, lines);
    });
}

void WheelView::SaveClick()
{
    if (Building())
        return;
    const Lines lines = BetLines();
    m_context.Run([&]() { SaveWheelLines(m_context.State, m_context.CommandHost, lines); });
}

} // namespace qv::ui
