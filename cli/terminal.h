#pragma once

#include "core/message_window.h"
#include "core/text.h"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

// The terminal's side of the program: arguments in and text out in the terminal's encoding
// (UTF-8), the standard streams, and a progress line drawn over itself.
namespace qytxt::cli {

// An argument as the system holds it (GBK). Nothing when it is not valid in the terminal's encoding.
std::optional<core::Text> fromTerminal(std::string_view argument);

// An argument as typed, fit to be shown in a message: the bytes that are not valid in the
// terminal's encoding are written as \xHH.
std::string shownArgument(std::string_view argument);

// A window text for the terminal: UTF-8, with its CR LF line breaks replaced by `lineBreak`. Bytes
// that do not convert are passed through as they are: better than printing nothing.
std::string toTerminal(const core::Text& text, std::string_view lineBreak = "\n");

// Prints `text` and a line end.
void printLine(std::FILE* stream, const core::Text& text);

// Opens a closed stdin, stdout or stderr on /dev/null, read-only, so that no file the jobs open
// takes its place, and writing to it still fails as writing to a closed stream does.
void reserveStandardStreams();

// The exit status once stdout is flushed: 1 with a message on stderr when what was printed could
// not be written (a full disk, a closed stream), `status` otherwise.
int finishStandardOutput(int status);

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

// The jobs' message box on a terminal: the message ends the progress line and is kept for the
// command, which prints it or not by the exit status.
class TerminalMessages : public virtual core::MessageWindow {
public:
    void showMessage(const core::Text& text, const core::Text& title, core::MessageIcon icon) final;

    const core::Text& message() const noexcept { return m_message; }

protected:
    ProgressLine m_progress;

private:
    core::Text m_message;
};

} // namespace qytxt::cli
