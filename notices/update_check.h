#pragma once

#include "core/text.h"
#include "notices/notice_source.h"
#include "notices/notice_window.h"

#include <string_view>

namespace qytxt::notices {

// The version this program publishes itself as on the notice page (ASCII, so also GBK).
inline constexpr std::string_view kCurrentVersion = "v1.1";

// Looks up the published versions on the notice page. When `currentVersion` is not among them, tells
// the user, opens the download address (web addresses only) and asks the window to close. Silent on
// any network or page failure.
void runUpdateCheck(const core::Text& currentVersion, NoticeSource& source, NoticeWindow& window);

} // namespace qytxt::notices
