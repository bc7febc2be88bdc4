#pragma once

#include <string_view>

namespace qv::ui::addresses {

// The maker's pages, by role. They are opened in the system's browser.
inline constexpr std::string_view kForumPage = "https://forum.pellisor.example.com/quorvane";
inline constexpr std::string_view kCommunityHome = "https://pellisor.example.com/";
inline constexpr std::string_view kProductHome = "https://kevrin.example.com/quorvane";
inline constexpr std::string_view kGroupChatPage =
    "https://forum.pellisor.example.com/quorvane/topic/qq-group";
inline constexpr std::string_view kNewVersionPage =
    "https://forum.pellisor.example.com/quorvane/topic/new-version";
inline constexpr std::string_view kOnlineHelpPage = "https://forum.pellisor.example.com/quorvane/topic/help";
inline constexpr std::string_view kSponsorPage = "https://kevrin.example.com/quorvane/sponsor";
inline constexpr std::string_view kContactMail = "quorvane@kevrin.example.com";

// The web area shows local pages shipped below AppDir, one per role; each names its
// address above and links to it. In the pages, {{forum}}, {{group-chat}}, {{new-version}},
// {{online-help}}, {{sponsor}}, {{community}}, {{product}} and {{mail}} stand for them.
inline constexpr std::string_view kForumLocal = "web/forum.html";
inline constexpr std::string_view kGroupChatLocal = "web/qq.html";
inline constexpr std::string_view kNewVersionLocal = "web/version.html";
inline constexpr std::string_view kOnlineHelpLocal = "web/guide.html";
inline constexpr std::string_view kSponsorLocal = "web/sponsor.html";

} // namespace qv::ui::addresses
