#include "UiTestSupport.h"

#include "ui/App.h"
#include "ui/widgets/WindowEffects.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextDocument>

namespace qv::ui::test {

Desk::Desk(bool realHistory)
{
    if (realHistory && !Dir.InstallRealHistory())
        qFatal("the bundled history is missing");
}

void Desk::SetFlagFile(const std::string& value) const
{
    Dir.Write("option.ini", {value});
}

TForm1& Desk::Create()
{
    FormOptions options;
    options.AppDir = Dir.Path();
    options.FlagFile = Dir.Path() / "option.ini";
    Form = CreateWindows(options);
    Form->Host().SetScripted(true);
    return *Form;
}

bool Desk::Start(int timeoutMs)
{
    if (!Form)
        Create();
    QSignalSpy finished(Form.get(), &TForm1::StartupFinished);
    Form->resize(1280, 800);
    Form->show();
    if (!finished.wait(timeoutMs))
        qFatal("the start-up run did not finish");
    return finished.front().front().toBool();
}

QStringList Desk::LogLines() const
{
    QStringList lines;
    const QTextDocument* document = Form->InfoLog()->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        lines << block.text();
    return lines;
}

QStringList Desk::MessageTexts()
{
    QStringList texts;
    for (const auto& message : Script().Messages)
        texts << QString::fromStdString(message.Text);
    return texts;
}

void PrepareApplication()
{
    SetWindowEffectsEnabled(false);
    QApplication::setFont(QFont(QStringLiteral("Noto Sans CJK SC"), 10));
}

} // namespace qv::ui::test
