#pragma once

#include <string_view>

namespace qv::ui::addresses {

// The maker's pages, by role. They are opened in the system's browser.
inline constexpr std::string_view kForumPage = "https://forum.pellisor.example.com/quorvane";
inline constexpr std::string_view kCommunityHome = "https://pellisor.example.com/";
inline constexpr std::string_view kProductHome = "https://kevrin.example.com/quorvane";

} // namespace qv::ui::addresses
