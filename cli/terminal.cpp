#include "cli/terminal.h"

#include "core/encoding.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace qytxt::cli {
namespace {

// Bytes taken by the well-formed UTF-8 character at `pos`, or 0 when none starts there
// (overlong forms, surrogates and values past U+10FFFF are not well formed).
std::size_t utf8CharacterLength(std::string_view bytes, std::size_t pos)
{
    const auto at = [&bytes](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = at(pos);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80; // the bounds of the second byte
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : low;
        high = lead == 0xED ? 0x9F : high;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : low;
        high = lead == 0xF4 ? 0x8F : high;
    } else {
        return 0;
    }
    if (bytes.size() - pos < length || at(pos + 1) < low || at(pos + 1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if ((at(pos + i) & 0xC0) != 0x80)
            return 0;
    return length;
}

} // namespace

std::optional<core::Text> fromTerminal(std::string_view argument)
{
    return core::utf8ToGbk(argument);
}

std::string shownArgument(std::string_view argument)
{
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    std::string shown;
    for (std::size_t pos = 0; pos < argument.size();) {
        const std::size_t length = utf8CharacterLength(argument, pos);
        if (length > 0) {
            shown.append(argument.substr(pos, length));
            pos += length;
            continue;
        }
        const auto byte = static_cast<unsigned char>(argument[pos++]);
        shown += "\\x";
        shown += kHexDigits[byte >> 4];
        shown += kHexDigits[byte & 0xF];
    }
    return shown;
}

std::string toTerminal(const core::Text& text, std::string_view lineBreak)
{
    std::string shown = core::gbkToUtf8(text).value_or(text);
    for (std::size_t at = shown.find("\r\n"); at != std::string::npos; at = shown.find("\r\n", at + lineBreak.size()))
        shown.replace(at, 2, lineBreak);
    return shown;
}

void printLine(std::FILE* stream, const core::Text& text)
{
    const std::string shown = toTerminal(text);
    std::fwrite(shown.data(), 1, shown.size(), stream);
    std::fputc('\n', stream);
}

void reserveStandardStreams()
{
    // open() takes the lowest free descriptor: it fills the holes among 0, 1 and 2 first.
    for (;;) {
        const int fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return;
        if (fd > STDERR_FILENO) {
            ::close(fd);
            return;
        }
    }
}

int finishStandardOutput(int status)
{
    errno = 0;
    const bool flushed = std::fflush(stdout) == 0;
    if (flushed && !std::ferror(stdout))
        return status;
    // An earlier failed write may have left no reason behind.
    if (!flushed && errno != 0)
        std::fprintf(stderr, "qytxt-cli: write error: %s\n", std::strerror(errno));
    else
        std::fputs("qytxt-cli: write error\n", stderr);
    return 1;
}

ProgressLine::ProgressLine() : m_enabled(::isatty(STDERR_FILENO) == 1) {}

void ProgressLine::show(const core::Text& caption)
{
    if (!m_enabled || caption.find("\r\n") == core::Text::npos)
        return;
    std::fprintf(stderr, "\r%s\033[K", toTerminal(caption, " ").c_str());
    std::fflush(stderr);
    m_shown = true;
}

void ProgressLine::end()
{
    if (m_shown)
        std::fputc('\n', stderr);
    m_shown = false;
}

void TerminalMessages::showMessage(const core::Text& text, const core::Text&, core::MessageIcon)
{
    m_progress.end(); // the message goes below the last progress line
    m_message = text;
}

} // namespace qytxt::cli
