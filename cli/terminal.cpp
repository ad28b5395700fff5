#include "cli/terminal.h"

#include "core/encoding.h"

#include <unistd.h>

namespace qytxt::cli {

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

} // namespace qytxt::cli
