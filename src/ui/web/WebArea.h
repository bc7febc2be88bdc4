#pragma once

#include <QTextBrowser>
#include <QWidget>

#include <filesystem>
#include <functional>
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

// Whether an address is only a stand-in: its host lies in a domain reserved for examples
// (example.com, .example, .invalid, .test, ...), where no site answers.
bool IsPlaceholderAddress(const QUrl& url);
// The local page (below AppDir) that stands for a placeholder address: the page of the
// configured address it starts with, else the forum page.
std::string_view LocalPageFor(const QUrl& url);

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
    ~WebArea() override;

    void LoadPage(Page page);
    // The address the browser was told to load last (kept in a field that is not shown).
    QString CurrentAddress() const;
    PageBrowser* Browser() const { return m_browser; }

    // The sponsor strip's browser, reloaded with every page.
    void SetSponsorBrowser(QTextBrowser* banner) { m_banner = banner; }

    // Takes over every web address the program opens (links in pages, the about window,
    // the menus): a placeholder address shows its local page here (showArea brings this
    // area to the front); any other opens in the system's browser, and when none can be
    // started, report says so.
    void RouteLinks(std::function<void()> showArea, std::function<void(const QString&)> report);
    // How the system's browser is started; tests replace it.
    void SetBrowserLauncher(std::function<bool(const QUrl&)> launch) { m_launch = std::move(launch); }

public slots:
    void OpenLink(const QUrl& url);

private:
    std::filesystem::path m_appDir;
    PageBrowser* m_browser = nullptr;
    QLineEdit* m_current = nullptr;
    QTextBrowser* m_banner = nullptr;
    std::function<void()> m_showArea;
    std::function<void(const QString&)> m_report;
    std::function<bool(const QUrl&)> m_launch;
    bool m_routing = false;
};

// The sponsor strip's banner: the sponsor page without scroll bars.
QTextBrowser* MakeSponsorBanner(const std::filesystem::path& appDir, QWidget* parent);
void LoadSponsorBanner(QTextBrowser* banner, const std::filesystem::path& appDir);

// The small picture at the left of the sponsor strip.
QPixmap SponsorPicture(int size);

// The local file that stands for a page below appDir, found ignoring letter case.
QUrl LocalPage(const std::filesystem::path& appDir, std::string_view relative);

} // namespace qv::ui
