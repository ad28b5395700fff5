#include "notices/update_check.h"

#include "core/text_ops.h"
#include "notices/notice_markers.h"
#include "notices/web_address.h"

namespace qytxt::notices {

namespace {

// The published versions are one version, or several joined by "|".
bool isPublished(const core::Text& versions, const core::Text& current)
{
    return versions == current || core::findFirst(versions, current + "|") > 0 ||
           core::findFirst(versions, "|" + current) > 0;
}

} // namespace

void runUpdateCheck(const core::Text& currentVersion, NoticeSource& source, NoticeWindow& window)
{
    if (!source.connectivityTest())
        return;
    const core::Text page = source.fetchNoticePage();
    const std::optional<core::Text> versions = markers::section(page, markers::kVersion);
    if (!versions || isPublished(*versions, currentVersion))
        return;

    window.showMessage(core::Text(messages::kNewVersion), core::Text(messages::kMessageTitle),
                       core::MessageIcon::Information);
    // A page without a download section still closes the program; there is just nothing to open.
    if (const auto download = markers::section(page, markers::kDownload)) {
        if (const auto address = webAddressToOpen(*download))
            window.openWebAddress(*address);
    }
    window.requestDestroy();
}

} // namespace qytxt::notices
