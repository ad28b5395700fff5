#include "core/width.h"

#include "core/gbk.h"

namespace qytxt::core {
namespace {

constexpr unsigned char kFullWidthLead = 0xA3; // row of the full-width ASCII forms
constexpr unsigned char kSymbolLead = 0xA1;    // row of the ideographic space and wave dash
constexpr unsigned char kIdeographicSpace = 0xA1;
constexpr unsigned char kWaveDash = 0xAB;
constexpr unsigned char kWhiteStar = 0xEE;
constexpr unsigned char kBlackStar = 0xEF;

} // namespace

Text toFullWidth(std::string_view text)
{
    Text out;
    out.reserve(text.size() * 2);
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const std::size_t length = gbk::characterLength(text, i);
        if (length == 0)
            break;
        if (length == 2) {
            out.append(text.substr(i, 2));
        } else if (byte == 0x20) {
            out += static_cast<char>(kSymbolLead);
            out += static_cast<char>(kIdeographicSpace);
        } else if (byte == 0x7E) {
            out += static_cast<char>(kSymbolLead);
            out += static_cast<char>(kWaveDash);
        } else if (byte > 0x20 && byte < 0x7E) {
            out += static_cast<char>(kFullWidthLead);
            out += static_cast<char>(byte + 0x80);
        } else {
            out += static_cast<char>(byte);
        }
        i += length;
    }
    return out;
}

Text toHalfWidth(std::string_view text)
{
    Text out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = gbk::characterLength(text, i);
        if (length == 0)
            break;
        if (length == 1) {
            out += text[i];
        } else {
            const auto lead = static_cast<unsigned char>(text[i]);
            const auto trail = static_cast<unsigned char>(text[i + 1]);
            if (lead == kSymbolLead && trail == kIdeographicSpace)
                out += ' ';
            else if (lead == kSymbolLead && trail == kWaveDash)
                out += '~';
            else if (lead == kSymbolLead && (trail == kWhiteStar || trail == kBlackStar))
                out += '*';
            else if (lead == kFullWidthLead && trail >= 0xA1 && trail <= 0xFE)
                out += static_cast<char>(trail - 0x80);
            else
                out.append(text.substr(i, 2));
        }
        i += length;
    }
    return out;
}

} // namespace qytxt::core
