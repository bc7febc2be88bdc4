#include "ui/QtHost.h"

#include "ui/Unit1.h"
#include "ui/ViewContext.h"
#include "ui/widgets/QtText.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTextEdit>

namespace qv::ui {

QtHost::QtHost(TForm1& form) : m_form(form) {}

QWidget* QtHost::DialogOwner() const
{
    if (m_owner && m_owner->isVisible())
        return m_owner;
    return &m_form;
}

void QtHost::Log(const std::string& line)
{
    m_form.AppendLog(Q(line));
}

MessageAnswer QtHost::Message(const std::string& caption, const std::string& text, MessageIcon icon,
                              MessageButtons buttons)
{
    // Recorded in both modes; only a scripted host takes its answer from the queue.
    const MessageAnswer scripted = m_script.Message(caption, text, icon, buttons);
    if (m_scripted)
        return scripted;

    QMessageBox::Icon boxIcon = QMessageBox::NoIcon;
    switch (icon) {
    case MessageIcon::Information:
        boxIcon = QMessageBox::Information;
        break;
    case MessageIcon::Question:
        boxIcon = QMessageBox::Question;
        break;
    case MessageIcon::Warning:
        boxIcon = QMessageBox::Warning;
        break;
    case MessageIcon::Error:
        boxIcon = QMessageBox::Critical;
        break;
    case MessageIcon::None:
        break;
    }
    const auto standard =
        buttons == MessageButtons::YesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok;
    QMessageBox box(boxIcon, Q(caption), Q(text), standard, DialogOwner());
    box.setObjectName(QStringLiteral("MessageBox"));
    if (buttons == MessageButtons::YesNo)
        box.setDefaultButton(QMessageBox::Yes);
    FitCaption(box);
    const int pressed = box.exec();
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    return pressed == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

void QtHost::SetProgressMaximum(int maximum)
{
    m_script.SetProgressMaximum(maximum);
    m_form.ProgressBar()->setMaximum(maximum);
    KeepPainting();
}

void QtHost::SetProgressPosition(int position)
{
    m_script.SetProgressPosition(position);
    m_form.ProgressBar()->setValue(position);
    KeepPainting();
}

void QtHost::KeepPainting()
{
    // A command running aside: the window's own event loop paints.
    if (StateLent())
        return;
    // The eye sees the bar move with a repaint every few dozen milliseconds; a repaint per
    // step of a pass over a full basket would cost more than the pass.
    constexpr qint64 kPaintInterval = 40;
    if (m_painted.isValid() && m_painted.elapsed() < kPaintInterval)
        return;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_painted.start();
}

void QtHost::FitCaption(QMessageBox& box)
{
    // The window manager draws the caption in its own, often larger, bold face (a quarter
    // is allowed for it); the title bar's icon, three buttons and margins take some 140
    // pixels more.
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const int caption = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle());
    constexpr int kTitleBarExtras = 140;
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    grid->addItem(
        new QSpacerItem(caption * 5 / 4 + kTitleBarExtras, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
        grid->rowCount(), 0, 1, grid->columnCount());
}

QString QtHost::NameFilter(const std::string& filter)
{
    const QStringList parts = Q(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        const QString pattern = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << (description == pattern ? pattern
                                           : description + QStringLiteral(" (") + pattern + QLatin1Char(')'));
    }
    if (parts.size() % 2 == 1 && !parts.back().isEmpty())
        filters << parts.back();
    return filters.join(QStringLiteral(";;"));
}

namespace {

// The dialogs open in the folder the command asks for, AppDir when it names none.
QString StartPath(const FileDialogRequest& request, const std::filesystem::path& appDir)
{
    QString folder = QPath(request.StartFolder.empty() ? appDir : request.StartFolder);
    if (request.ProposedName.empty())
        return folder;
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder + Q(request.ProposedName);
}

} // namespace

std::optional<std::filesystem::path> QtHost::ChooseOpenFile(const FileDialogRequest& request)
{
    if (m_scripted)
        return m_script.ChooseOpenFile(request);
    const QString title = request.Title.empty() ? QStringLiteral("打开") : Q(request.Title);
    const QString chosen = QFileDialog::getOpenFileName(
        DialogOwner(), title, StartPath(request, m_form.State().Paths.Dir()), NameFilter(request.Filter));
    if (chosen.isEmpty())
        return std::nullopt;
    return PathOf(chosen);
}

std::optional<std::filesystem::path> QtHost::ChooseSaveFile(const FileDialogRequest& request)
{
    if (m_scripted)
        return m_script.ChooseSaveFile(request);
    const QString title = request.Title.empty() ? QStringLiteral("保存") : Q(request.Title);
    const QString chosen = QFileDialog::getSaveFileName(
        DialogOwner(), title, StartPath(request, m_form.State().Paths.Dir()), NameFilter(request.Filter));
    if (chosen.isEmpty())
        return std::nullopt;
    return PathOf(chosen);
}

void QtHost::SetLabel(const std::string& component, const std::string& text)
{
    m_script.SetLabel(component, text);
    QWidget* widget = m_form.Component(Q(component));
    if (!widget)
        return;
    const QString value = Q(text);
    if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(value);
    else if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->setText(value);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget))
        plain->setPlainText(value);
    else if (auto* rich = qobject_cast<QTextEdit*>(widget))
        rich->setPlainText(value);
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setText(value);
}

void QtHost::ViewChanged(const std::string& component)
{
    m_form.RefreshView(component);
}

void QtHost::ShowView(const std::string& view)
{
    m_form.ShowView(Q(view));
}

} // namespace qv::ui
