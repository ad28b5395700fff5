#include "ui/web_browser.h"

#include <QDesktopServices>
#include <QUrl>

namespace qytxt::ui {

bool isWebAddress(const QString& address)
{
    const QUrl url(address, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
           !url.host().isEmpty();
}

void DesktopWebBrowser::open(const QString& address)
{
    if (isWebAddress(address))
        QDesktopServices::openUrl(QUrl(address, QUrl::StrictMode));
}

} // namespace qytxt::ui
