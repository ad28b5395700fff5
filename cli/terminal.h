#pragma once

#include "core/text.h"

#include <cstdio>
#include <string>
#include <string_view>

// The terminal's side of the jobs: UTF-8 out, and a progress line drawn over itself.
namespace qytxt::cli {

// A window text for the terminal: UTF-8, with its CR LF line breaks replaced by `lineBreak`. Bytes
// that do not convert are passed through as they are: better than printing nothing.
std::string toTerminal(const core::Text& text, std::string_view lineBreak = "\n");

// Prints `text` and a line end.
void printLine(std::FILE* stream, const core::Text& text);

// A job's progress caption, drawn over itself on stderr while someone watches the terminal.
class ProgressLine {
public:
    ProgressLine();

    // Only the two-line progress captions ("正在分割" + i/total) say something worth drawing.
    void show(const core::Text& caption);

    // Ends the progress line so that what follows starts on a line of its own.
    void end();

private:
    bool m_enabled;
    bool m_shown = false;
};

} // namespace qytxt::cli
