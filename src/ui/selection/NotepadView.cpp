#include "ui/selection/NotepadView.h"

#include "core/Error.h"
#include "history/AppPaths.h"
#include "history/RichText.h"
#include "history/TextFile.h"
#include "ui/widgets/Buttons.h"
#include "ui/widgets/QtText.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <system_error>

namespace qv::ui {

std::string ReadNotepadFile(const std::filesystem::path& path)
{
    return ReadRichText(ReadFileBytes(path));
}

void WriteNotepadFile(const std::filesystem::path& path, const std::string& text, Flush flush)
{
    ReplaceFile(path, WriteRichText(text), flush);
}

NotepadView::NotepadView(ViewContext context, QWidget* parent)
    : QWidget(parent), m_context(std::move(context))
{
    setObjectName(QStringLiteral("NotepadPanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->setSpacing(6);

    auto* bar = new QHBoxLayout;
    QPushButton* save = MakeButton(QStringLiteral("保存"), QStringLiteral("TeButton4"), this);
    QPushButton* clear = MakeButton(QStringLiteral("全部清除"), QStringLiteral("TeButton2"), this);
    m_autoSave = new QCheckBox(QStringLiteral("自动保存到默认文件"), this);
    m_autoSave->setObjectName(QStringLiteral("TeCheckBox3"));
    m_autoSave->setChecked(false);
    QPushButton* open = MakeButton(QStringLiteral("打开"), QStringLiteral("TeButton16"), this);
    QPushButton* saveAs = MakeButton(QStringLiteral("另存为..."), QStringLiteral("TeButton15"), this);
    bar->addWidget(save);
    bar->addWidget(clear);
    bar->addWidget(m_autoSave);
    bar->addWidget(open);
    bar->addWidget(saveAs);
    bar->addStretch(1);
    layout->addLayout(bar);

    m_richEdit1 = new QPlainTextEdit(this);
    m_richEdit1->setObjectName(QStringLiteral("RichEdit1"));
    m_richEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_richEdit1->setStyleSheet(QStringLiteral("QPlainTextEdit#RichEdit1 { background: #fffef8; }"));
    layout->addWidget(m_richEdit1, 1);

    connect(save, &QPushButton::clicked, this, &NotepadView::TeButton4Click);
    connect(clear, &QPushButton::clicked, this, &NotepadView::TeButton2Click);
    connect(open, &QPushButton::clicked, this, &NotepadView::TeButton16Click);
    connect(saveAs, &QPushButton::clicked, this, &NotepadView::TeButton15Click);
    connect(m_richEdit1, &QPlainTextEdit::textChanged, this, &NotepadView::RichEdit1Change);
}

std::filesystem::path NotepadView::DefaultFile() const
{
    return m_context.State.File(files::kNotepad);
}

QString NotepadView::Text() const
{
    return m_richEdit1->toPlainText();
}

void NotepadView::SetText(const std::string& text)
{
    m_richEdit1->setPlainText(Q(text));
}

void NotepadView::LoadDefaultFile()
{
    const std::filesystem::path path = DefaultFile();
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return; // a first start has no notes yet
    const bool autoSave = m_autoSave->isChecked();
    m_autoSave->setChecked(false);
    m_context.Run([&]() { SetText(ReadNotepadFile(path)); });
    m_autoSave->setChecked(autoSave);
}

void NotepadView::RichEdit1Change()
{
    if (!m_autoSave->isChecked())
        return;
    const std::string text = S(Text());
    bool failed = false;
    m_context.Run([&]() {
        failed = true;
        WriteNotepadFile(DefaultFile(), text, Flush::No);
        failed = false;
    });
    // A default file that cannot be written would put the same error before every
    // keystroke: after reporting it once, auto-save goes off, so the switch never claims
    // that the notes are being saved when they are not.
    if (failed)
        m_autoSave->setChecked(false);
}

void NotepadView::TeButton4Click()
{
    const std::string text = S(Text());
    m_context.Run([&]() { WriteNotepadFile(DefaultFile(), text); });
}

void NotepadView::TeButton2Click()
{
    m_richEdit1->clear();
}

void NotepadView::TeButton16Click()
{
    std::string text;
    bool opened = false;
    m_context.Run([&]() {
        const auto path = m_context.CommandHost.ChooseOpenFile(m_context.State.TextFileDialog());
        if (!path)
            return;
        text = ReadNotepadFile(*path);
        opened = true;
    });
    if (opened)
        SetText(text);
}

void NotepadView::TeButton15Click()
{
    const std::string text = S(Text());
    m_context.Run([&]() {
        const auto path =
            m_context.CommandHost.ChooseSaveFile(m_context.State.TextFileDialog("双色球记事文件.txt"));
        if (path)
            WriteNotepadFile(*path, text);
    });
}

} // namespace qv::ui
