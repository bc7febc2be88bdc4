#pragma once

#include <QTextBrowser>
#include <QWidget>

#include <filesystem>
#include <string_view>

class QLineEdit;

namespace qv::ui {

// A browser over the pages shipped below AppDir. Pages may name the configured addresses
// as {{forum}}, {{group-chat}}, ... (see Addresses.h); links to the web open in the
// system's browser.
class PageBrowser : public QTextBrowser
{
    Q_OBJECT
public:
    explicit PageBrowser(QWidget* parent = nullptr);

    QVariant loadResource(int type, const QUrl& name) override;
};

// The text of a page with the configured addresses put in for their placeholders.
QString FillAddresses(QString html);

// The web area ("在线讨论", "使用指南"): a vertical tool bar of the maker's fixed pages and the
// browser that shows them. Each load also reloads the sponsor strip.
class WebArea : public QWidget
{
    Q_OBJECT
public:
    enum class Page
    {
        Forum,      // 即时讨论
        GroupChat,  // QQ群
        NewVersion, // 新版本
        OnlineHelp, // 在线帮助
    };

    WebArea(std::filesystem::path appDir, QWidget* parent = nullptr);

    void LoadPage(Page page);
    // The address the browser was told to load last (kept in a field that is not shown).
    QString CurrentAddress() const;
    PageBrowser* Browser() const { return m_browser; }

    // The sponsor strip's browser, reloaded with every page.
    void SetSponsorBrowser(QTextBrowser* banner) { m_banner = banner; }

private:
    std::filesystem::path m_appDir;
    PageBrowser* m_browser = nullptr;
    QLineEdit* m_current = nullptr;
    QTextBrowser* m_banner = nullptr;
};

// The sponsor strip's banner: the sponsor page without scroll bars.
QTextBrowser* MakeSponsorBanner(const std::filesystem::path& appDir, QWidget* parent);
void LoadSponsorBanner(QTextBrowser* banner, const std::filesystem::path& appDir);

// The small picture at the left of the sponsor strip.
QPixmap SponsorPicture(int size);

// The local file that stands for a page below appDir, found ignoring letter case.
QUrl LocalPage(const std::filesystem::path& appDir, std::string_view relative);

} // namespace qv::ui
