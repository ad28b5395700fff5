#include "ui/web_browser.h"

#include <QByteArray>
#include <QDesktopServices>

namespace qytxt::ui {

QUrl webUrl(const core::Text& address)
{
    return QUrl::fromEncoded(QByteArray::fromStdString(address), QUrl::StrictMode);
}

void DesktopWebBrowser::open(const QUrl& url)
{
    const QString scheme = url.scheme();
    if (url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) && !url.host().isEmpty())
        QDesktopServices::openUrl(url);
}

} // namespace qytxt::ui
