#include "ui/windows/adddata.h"

#include "core/Error.h"
#include "history/AppPaths.h"
#include "history/DrawImport.h"
#include "history/DrawLine.h"
#include "history/TextFile.h"
#include "session/AppState.h"
#include "session/HistoryCommands.h"
#include "session/Pipeline.h"
#include "ui/Addresses.h"
#include "ui/QtHost.h"
#include "ui/widgets/Buttons.h"
#include "ui/widgets/ClickableLabel.h"
#include "ui/widgets/QtText.h"
#include "ui/widgets/WindowEffects.h"
#include "ui/windows/ImportPreview.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace qv::ui {

namespace {

constexpr const char* kEmptyInputWarning =
    "没有填入号码！请不要试图添加入非法格式的错误数据，否则可能会导致软件再也无法启动。";
constexpr const char* kFormatHint =
    "\n\n格式为：日期 红球 蓝球，使用一个空格分割，例如：\n2009149 03 08 15 22 27 31 06";

QPushButton* MakeEditorButton(const QString& caption, const QString& objectName, QWidget* parent)
{
    auto* button = MakeButton(caption, objectName, parent);
    button->setAutoDefault(false);
    return button;
}

QLabel* MakeNote(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setProperty("role", QStringLiteral("note"));
    return label;
}

} // namespace

TNadddata::TNadddata(RecordEditorOwner& form, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), m_form(form)
{
    setObjectName(QStringLiteral("Nadddata"));
    setAttribute(Qt::WA_QuitOnClose, false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(6);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("ListBox1"));
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setUniformItemSizes(true);
    connect(m_list, &QListWidget::itemPressed, this, [this](QListWidgetItem* item) {
        // ListBox1MouseDown: the clicked entry becomes the input line.
        if (item)
            m_edit->setText(item->text());
    });
    layout->addWidget(m_list, 1);

    auto* inputRow = new QHBoxLayout;
    auto* caption = new QLabel(QStringLiteral("开奖数据"), this);
    caption->setObjectName(QStringLiteral("Label1"));
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("Edit1"));
    m_edit->setPlaceholderText(QStringLiteral("2009149 03 08 15 22 27 31 06"));
    inputRow->addWidget(caption);
    inputRow->addWidget(m_edit, 1);
    layout->addLayout(inputRow);
    // The line as it goes into the list when it differs from what was typed (reds sorted,
    // numbers padded).
    m_normalised = new QLabel(this);
    m_normalised->setObjectName(QStringLiteral("Label6"));
    m_normalised->setProperty("role", QStringLiteral("note"));
    layout->addWidget(m_normalised);

    layout->addWidget(MakeNote(QStringLiteral(">>格式为：日期 红球 蓝球"), this));
    layout->addWidget(MakeNote(QStringLiteral(">>注意使用一个空格分割，最后一个号码是蓝码"), this));
    auto* lastNote = new QHBoxLayout;
    lastNote->addWidget(MakeNote(QStringLiteral(">>添加后会自动刷新初始化数据"), this));
    lastNote->addStretch(1);
    auto* download = new ClickableLabel(QStringLiteral("下载新数据"), this);
    download->setObjectName(QStringLiteral("Label5"));
    download->setProperty("role", QStringLiteral("link"));
    connect(download, &ClickableLabel::clicked, this, &TNadddata::Label5Click);
    lastNote->addWidget(download);
    layout->addLayout(lastNote);

    auto* buttons = new QGridLayout;
    buttons->setHorizontalSpacing(6);
    buttons->setVerticalSpacing(6);
    const auto add = [&](const QString& text, const QString& name, int row, int column,
                         void (TNadddata::*slot)()) {
        QPushButton* button = MakeEditorButton(text, name, this);
        connect(button, &QPushButton::clicked, this, slot);
        buttons->addWidget(button, row, column);
        return button;
    };
    add(QStringLiteral("添加"), QStringLiteral("TeButton3"), 0, 0, &TNadddata::TeButton3Click);
    add(QStringLiteral("插入"), QStringLiteral("TeButton4"), 0, 1, &TNadddata::TeButton4Click);
    add(QStringLiteral("修改"), QStringLiteral("TeButton6"), 0, 2, &TNadddata::TeButton6Click);
    add(QStringLiteral("删除"), QStringLiteral("TeButton5"), 0, 3, &TNadddata::TeButton5Click);
    add(QStringLiteral("打开.."), QStringLiteral("TeButton8"), 1, 0, &TNadddata::TeButton8Click);
    add(QStringLiteral("另存为..."), QStringLiteral("TeButton9"), 1, 1, &TNadddata::TeButton9Click);
    add(QStringLiteral("&Retry"), QStringLiteral("TeButton7"), 1, 2, &TNadddata::TeButton7Click);
    add(QStringLiteral("粘贴导入"), QStringLiteral("TeButton10"), 2, 0, &TNadddata::TeButton10Click)
        ->setToolTip(QStringLiteral("把剪贴板里复制的开奖数据（每行一期）导入历史记录，先预览再应用"));
    add(QStringLiteral("从文件导入"), QStringLiteral("TeButton11"), 2, 1, &TNadddata::TeButton11Click)
        ->setToolTip(QStringLiteral("从文本文件（UTF-8或GBK）导入开奖数据，先预览再应用"));
    add(QStringLiteral("OK"), QStringLiteral("TeButton1"), 2, 2, &TNadddata::TeButton1Click)
        ->setProperty("role", QStringLiteral("primary"));
    add(QStringLiteral("Cancel"), QStringLiteral("TeButton2"), 2, 3, &TNadddata::TeButton2Click);
    layout->addLayout(buttons);

    setFixedSize(480, 560);
    // Esc closes the editor like Cancel; unsaved changes are confirmed first.
    OnEscape(this, [this]() {
        Command([this]() {
            if (!m_changed ||
                m_form.Host().Message("提示", "开奖记录已修改但还没有保存，确定放弃修改并关闭吗？",
                                      MessageIcon::Question, MessageButtons::YesNo) == MessageAnswer::Yes)
                close();
        });
    });
    FormCreate();
}

// FormCreate: the title, and the list filled from the history file.
void TNadddata::FormCreate()
{
    setWindowTitle(QStringLiteral("添加/修改/删除历史往期记录 ") + Q(kProgramTitle));
    // A history that cannot be read leaves the list empty; the start-up run that follows
    // reports the same file.
    (void)m_form.Execute([this]() { Retry(); });
}

Lines TNadddata::Entries() const
{
    Lines lines;
    lines.reserve(static_cast<std::size_t>(m_list->count()));
    for (int i = 0; i < m_list->count(); ++i)
        lines.push_back(S(m_list->item(i)->text()));
    return lines;
}

void TNadddata::FillList(const Lines& lines)
{
    m_list->clear();
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(lines.size()));
    for (const auto& line : lines)
        texts << Q(line);
    m_list->addItems(texts);
    // The first entry is the current one until the user clicks another; nothing selected.
    if (m_list->count() > 0)
        m_list->setCurrentRow(0, QItemSelectionModel::NoUpdate);
}

int TNadddata::CurrentEntry() const
{
    return m_list->count() == 0 ? -1 : m_list->currentRow();
}

void TNadddata::Command(const std::function<void()>& command)
{
    DialogOwnerScope owner(m_form.Host(), this);
    m_form.Run(command);
}

bool TNadddata::InputPresent()
{
    return !m_edit->text().isEmpty();
}

void TNadddata::WarnEmptyInput()
{
    m_form.Host().Message("数据", kEmptyInputWarning, MessageIcon::Warning, MessageButtons::Ok);
}

// Retry: the list returns to the file's content; the changed mark stays as it is.
void TNadddata::Retry()
{
    m_list->clear();
    m_edit->clear();
    m_normalised->clear();
    FillList(LoadLines(m_form.State().File(files::kHistory)));
}

// The typed line in the history's form, once it is a sound draw that may stand at position
// (in place of the entry there when replacing); nothing, after saying why, when it is not.
std::optional<QString> TNadddata::CheckedInput(int position, bool replacing, const char* refusal)
{
    m_normalised->clear();
    const std::string typed = S(m_edit->text());
    const DrawLineRead read = ReadDrawLine(typed);
    if (read.Blank) {
        WarnEmptyInput();
        return std::nullopt;
    }
    if (!read.Draw) {
        m_form.Host().Message("数据",
                              "开奖数据格式不对，" + std::string(refusal) + "：\n" + typed + "\n" +
                                  read.Reason + kFormatHint,
                              MessageIcon::Warning, MessageButtons::Ok);
        return std::nullopt;
    }
    const std::string line = read.Draw->ToLine();
    Lines lines = Entries();
    const auto at = static_cast<std::size_t>(position);
    if (replacing)
        lines.at(at) = line;
    else
        lines.insert(lines.begin() + position, line);
    if (const auto fault = PlacementFault(lines, at)) {
        m_form.Host().Message("数据", std::string(refusal) + "：\n" + line + "\n" + *fault,
                              MessageIcon::Warning, MessageButtons::Ok);
        return std::nullopt;
    }
    if (line != typed)
        m_normalised->setText(QStringLiteral("已整理为：") + Q(line));
    return Q(line);
}

void TNadddata::TeButton3Click()
{
    Command([this]() {
        if (!InputPresent())
            return WarnEmptyInput();
        const auto line = CheckedInput(0, false, "没有添加");
        if (!line)
            return;
        m_list->insertItem(0, *line);
        if (m_list->count() == 1)
            m_list->setCurrentRow(0, QItemSelectionModel::NoUpdate);
        m_list->scrollToItem(m_list->item(0));
        m_edit->clear();
        m_changed = true;
    });
}

void TNadddata::TeButton4Click()
{
    Command([this]() {
        if (!InputPresent())
            return WarnEmptyInput();
        const int current = std::max(CurrentEntry(), 0);
        const auto line = CheckedInput(current, false, "没有插入");
        if (!line)
            return;
        m_list->insertItem(current, *line);
        m_list->setCurrentRow(current, QItemSelectionModel::NoUpdate);
        m_list->scrollToItem(m_list->item(current));
        m_edit->clear();
        m_changed = true;
    });
}

void TNadddata::TeButton6Click()
{
    Command([this]() {
        if (!InputPresent())
            return WarnEmptyInput();
        const int current = CurrentEntry();
        if (current < 0)
            throw Error::ListIndexOutOfBounds(current);
        const auto line = CheckedInput(current, true, "没有修改");
        if (!line)
            return;
        m_list->item(current)->setText(*line);
        m_edit->clear();
        m_changed = true;
    });
}

void TNadddata::TeButton5Click()
{
    Command([this]() {
        m_changed = true;
        std::vector<int> rows;
        for (const QModelIndex& index : m_list->selectionModel()->selectedIndexes())
            rows.push_back(index.row());
        std::sort(rows.rbegin(), rows.rend());
        for (const int row : rows)
            delete m_list->takeItem(row);
    });
}

void TNadddata::TeButton1Click()
{
    Command([this]() {
        if (m_changed) {
            const MessageAnswer answer =
                m_form.Host().Message("提示", "您已经更新了期数，数据库将会全部重新进行运算，您确定吗？",
                                      MessageIcon::Question, MessageButtons::YesNo);
            if (answer == MessageAnswer::Yes) {
                const Lines lines = Entries();
                // A malformed line written to the history would keep every later start from
                // finishing: nothing is written until every line keeps the format, and the
                // list stays open as edited so the line can be mended.
                if (lines.empty()) {
                    m_form.Host().Message("数据", "开奖记录是空的，没有写入任何数据。", MessageIcon::Warning,
                                          MessageButtons::Ok);
                    return;
                }
                if (const auto fault = FindHistoryFault(lines)) {
                    std::string text = "第";
                    text += std::to_string(fault->LineNumber);
                    text += fault->Order ? "行的期号顺序不对，没有写入任何数据：\n"
                                         : "行的开奖数据格式不对，没有写入任何数据：\n";
                    text += fault->Line;
                    text += "\n";
                    if (fault->Order) {
                        text += lines[static_cast<std::size_t>(fault->LineNumber)];
                        text += "\n";
                    }
                    text += fault->Reason;
                    if (!fault->Order)
                        text += kFormatHint;
                    m_form.Host().Message("数据", text, MessageIcon::Warning, MessageButtons::Ok);
                    m_list->setCurrentRow(fault->LineNumber - 1);
                    m_list->scrollToItem(m_list->item(fault->LineNumber - 1));
                    return;
                }
                SaveHistoryForRecompute(m_form.State(), lines);
                m_form.RecomputeAllSteps();
            } else {
                Retry();
            }
        }
        close();
    });
}

void TNadddata::TeButton2Click()
{
    close();
}

void TNadddata::TeButton7Click()
{
    Command([this]() { Retry(); });
}

void TNadddata::TeButton8Click()
{
    Command([this]() {
        const auto chosen = m_form.Host().ChooseOpenFile(m_form.State().TextFileDialog());
        if (!chosen)
            return;
        m_changed = true;
        FillList(LoadLines(*chosen));
    });
}

void TNadddata::TeButton9Click()
{
    Command([this]() {
        const auto chosen = m_form.Host().ChooseSaveFile(m_form.State().TextFileDialog("历史开奖记录.txt"));
        if (!chosen)
            return;
        SaveLines(*chosen, Entries(), Flush::Yes);
    });
}

void TNadddata::TeButton10Click()
{
    Command([this]() {
        const QString text = QGuiApplication::clipboard()->text();
        if (text.trimmed().isEmpty()) {
            m_form.Host().Message("数据", "剪贴板里没有文字。请先复制开奖数据（每行一期），再点“粘贴导入”。",
                                  MessageIcon::Warning, MessageButtons::Ok);
            return;
        }
        OpenImport(SplitLines(S(text)), QStringLiteral("剪贴板"));
    });
}

void TNadddata::TeButton11Click()
{
    Command([this]() {
        const auto chosen = m_form.Host().ChooseOpenFile(m_form.State().TextFileDialog());
        if (!chosen)
            return;
        OpenImport(LoadLinesUtf8OrGbk(*chosen), QPath(*chosen));
    });
}

// The preview of an import into the list as it stands; 应用 writes the merged list and
// recomputes, as OK does.
void TNadddata::OpenImport(const Lines& input, const QString& source)
{
    Lines history = Entries();
    ImportPlan plan = PlanImport(history, input);
    auto* preview = new ImportPreview(std::move(history), std::move(plan), source, m_changed, this);
    // Deleted only once it has finished: the recompute behind 应用 keeps painting, and a
    // dialog deleted then would still be emitting its signals.
    connect(preview, &QDialog::finished, preview, &QObject::deleteLater);
    connect(preview, &QDialog::accepted, this, [this, preview]() {
        const Lines merged = preview->Merged();
        ApplyImport(merged, DescribeImport(preview->Plan()));
    });
    preview->open();
}

void TNadddata::ApplyImport(const Lines& merged, const Lines& log)
{
    Command([&]() {
        SaveImportedHistory(m_form.State(), merged);
        for (const auto& line : log)
            m_form.Host().Log(line);
        m_changed = false;
        FillList(merged);
        m_form.RecomputeAllSteps();
    });
}

void TNadddata::Label5Click()
{
    QDesktopServices::openUrl(QUrl(Q(addresses::kForumPage)));
}

// FormShow: the changed mark starts cleared; the window opens centred on the desktop.
void TNadddata::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_changed = false;
    if (QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

// FormClose, however the window closes: the mark is cleared and the list reloaded, so the
// next showing starts from the file as it is.
void TNadddata::closeEvent(QCloseEvent* event)
{
    if (!FadeOutBeforeClose(this, event, 1000))
        return;
    m_changed = false;
    const std::string error = m_form.Execute([this]() { Retry(); });
    QWidget::closeEvent(event);
    if (!error.empty())
        m_form.ReportError(error);
}

} // namespace qv::ui
