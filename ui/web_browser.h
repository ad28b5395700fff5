#pragma once

#include "core/text.h"

#include <QUrl>

namespace qytxt::ui {

// Opens web addresses in the user's browser. Tests record them instead.
class WebBrowser {
public:
    virtual ~WebBrowser() = default;
    virtual void open(const QUrl& url) = 0;
};

// Opens only valid http:// and https:// URLs: anything else could start a local program or file.
class DesktopWebBrowser : public WebBrowser {
public:
    void open(const QUrl& url) override;
};

// The URL of an address the notices let through: it is already well-formed ASCII with everything
// escaped that must be, so it is taken exactly as it stands.
QUrl webUrl(const core::Text& address);

} // namespace qytxt::ui
