#pragma once

#include "history/TextFile.h"
#include "ui/ViewContext.h"

#include <QWidget>

#include <filesystem>
#include <string>

class QCheckBox;
class QPlainTextEdit;

namespace qv::ui {

// The notepad's files: every file is written as a rich-text document of the plain text;
// a file that is not one is read as plain GBK text. A missing default file reads as an
// empty notepad.
std::string ReadNotepadFile(const std::filesystem::path& path);
// Saves made on request reach the disk before they count as done; the keystroke auto-save
// does not wait for the disk, it only replaces the file whole.
void WriteNotepadFile(const std::filesystem::path& path, const std::string& text, Flush flush = Flush::Yes);

// The notepad view ("记事工作区域"): RichEdit1 over "Data/text.txt", with 保存, 全部清除,
// 自动保存到默认文件, 打开 and 另存为....
class NotepadView : public QWidget
{
    Q_OBJECT
public:
    explicit NotepadView(ViewContext context, QWidget* parent = nullptr);

    // The main window's creation loads the default file (auto-save is off then).
    void LoadDefaultFile();

    QPlainTextEdit* Editor() const { return m_richEdit1; }
    QString Text() const;

    void TeButton4Click();  // 保存
    void TeButton2Click();  // 全部清除
    void TeButton16Click(); // 打开
    void TeButton15Click(); // 另存为...
    void RichEdit1Change();

private:
    void SetText(const std::string& text);
    std::filesystem::path DefaultFile() const;

    ViewContext m_context;
    QPlainTextEdit* m_richEdit1 = nullptr;
    QCheckBox* m_autoSave = nullptr; // TeCheckBox3
};

} // namespace qv::ui
