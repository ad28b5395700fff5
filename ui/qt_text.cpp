#include "ui/qt_text.h"

#include "core/encoding.h"

namespace qytxt::ui {

core::Text toText(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return core::utf8ToGbk(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())))
        .value_or(core::Text{});
}

QString toQString(const core::Text& text)
{
    const auto utf8 = core::gbkToUtf8(text);
    if (!utf8)
        return {};
    return QString::fromUtf8(utf8->data(), static_cast<qsizetype>(utf8->size()));
}

QString toDisplayText(const core::Text& text)
{
    QString shown = toQString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

} // namespace qytxt::ui
