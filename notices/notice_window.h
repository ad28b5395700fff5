#pragma once

#include "core/message_window.h"
#include "core/text.h"

namespace qytxt::notices {

enum class AdCursor { Default, Hand };

// The ad on display: what a press on the ad line opens and shows.
struct CurrentAd {
    core::Text address;
    core::Text message;
};

// What the notices ask of the window. The update check and the ad rotation call it from threads of
// their own, never the window's; each call returns once it is done. All texts are GBK.
//
// The ad thread calls showAd, setAdCursor and adCursor while it runs, so the window must not
// wait for the ad thread to end while it is itself unable to serve those calls (stop the rotation
// with AdRotation::requestStop first, and do not block its calls on an event loop that is waiting
// for the join).
class NoticeWindow : public virtual core::MessageWindow {
public:
    // Only ever called with an address webAddressToOpen let through, exactly as it gave it.
    virtual void openWebAddress(const core::Text& address) = 0;

    // Posts the close of the main window and returns at once.
    virtual void requestDestroy() = 0;

    // Puts `caption` on the ad line and makes `ad` what a press on it opens and shows, in one step,
    // so that a press never meets the caption of one ad and the address of another.
    virtual void showAd(const core::Text& caption, const CurrentAd& ad) = 0;
    virtual void setAdCursor(AdCursor cursor) = 0;
    virtual AdCursor adCursor() = 0;
};

} // namespace qytxt::notices
