#pragma once

#include "core/text.h"

#include <QString>

// The one crossing between the widgets' QString and the system's GBK texts.
namespace qytxt::ui {

// GBK bytes of a widget's text; the empty text when it holds a character GBK cannot carry.
core::Text toText(const QString& text);

// A GBK text for a widget; the empty string when the bytes are not valid GBK.
QString toQString(const core::Text& text);

// Labels and buttons break lines at "\n"; the system writes "\r\n".
QString toDisplayText(const core::Text& text);

} // namespace qytxt::ui
