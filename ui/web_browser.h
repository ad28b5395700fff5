#pragma once

#include <QString>

namespace qytxt::ui {

// Opens web addresses in the user's browser. Tests record them instead.
class WebBrowser {
public:
    virtual ~WebBrowser() = default;
    virtual void open(const QString& address) = 0;
};

// Opens only http:// and https:// addresses: anything else could start a local program or file.
class DesktopWebBrowser : public WebBrowser {
public:
    void open(const QString& address) override;
};

// True for an absolute http:// or https:// address with a host.
bool isWebAddress(const QString& address);

} // namespace qytxt::ui
