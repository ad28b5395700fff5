#include "split/heading_scan.h"

#include "core/encoding.h"
#include "split/line_breaks.h"

#include <algorithm>

namespace qytxt::split {
namespace {

using core::TextEncoding;

// The converter's name: GB18030 reads every GBK text, and reads its four-byte sequences too.
const char* iconvName(TextEncoding encoding)
{
    return encoding == TextEncoding::Gbk ? "GB18030" : core::encodingName(encoding).data();
}

std::string encoded(std::string_view utf8, TextEncoding encoding)
{
    return core::convertEncoding(utf8, "UTF-8", iconvName(encoding));
}

// The UTF-8 line without the blanks around it.
std::string trimmed(std::string_view line)
{
    for (bool trimming = true; trimming;) {
        trimming = false;
        for (std::string_view blank : kHeadingBlanks) {
            if (line.starts_with(blank)) {
                line.remove_prefix(blank.size());
                trimming = true;
            }
            if (line.ends_with(blank)) {
                line.remove_suffix(blank.size());
                trimming = true;
            }
        }
    }
    return std::string(line);
}

} // namespace

HeadingScanner::HeadingScanner(HeadingMatcher matcher, core::EncodingChoice choice)
    : m_matcher(std::move(matcher)), m_choice(choice)
{
}

void HeadingScanner::addReading(TextEncoding encoding)
{
    Reading reading{encoding, core::IconvConverter(iconvName(encoding), "UTF-8"), {}, {}, {}, {}};
    for (std::string_view blank : kHeadingBlanks)
        reading.blanks.push_back(encoded(blank, encoding));
    for (std::string_view start : kHeadingStarts)
        reading.starts.push_back(encoded(start, encoding));
    for (const auto* forms : {&reading.blanks, &reading.starts})
        for (const std::string& form : *forms)
            reading.firstBytes.set(static_cast<unsigned char>(form.front()));
    m_readings.push_back(std::move(reading));
}

void HeadingScanner::start(std::string_view firstBytes)
{
    // The same choice as the count's: a chosen encoding, else the mark, else GBK or UTF-8.
    const std::optional<TextEncoding> marked = m_choice ? m_choice : core::markedEncoding(firstBytes);
    const std::size_t mark = marked ? core::markLength(firstBytes, *marked) : 0;
    m_lineEncoding = marked.value_or(TextEncoding::Gbk);
    addReading(m_lineEncoding);
    if (!marked)
        addReading(TextEncoding::Utf8);
    m_started = true;
    m_offset = static_cast<std::int64_t>(mark);
    m_lineStart = m_offset;
    scanUnits(firstBytes.substr(mark));
}

void HeadingScanner::feed(std::string_view bytes)
{
    if (!m_started) {
        const std::size_t taken = std::min(bytes.size(), 3 - m_start.size());
        m_start.append(bytes.substr(0, taken));
        bytes.remove_prefix(taken);
        if (m_start.size() < 3)
            return;
        start(m_start);
    }
    scanUnits(bytes);
}

// Bytes in the order of the text; in UTF-16 a unit cut by the end of a piece waits for its second byte.
void HeadingScanner::scanUnits(std::string_view bytes)
{
    if (unitSize(m_lineEncoding) == 2) {
        if (m_carry && !bytes.empty()) {
            const char unit[2] = {m_carried, bytes.front()};
            m_carry = false;
            bytes.remove_prefix(1);
            scanWholeUnits(std::string_view(unit, 2));
        }
        if (bytes.size() % 2 != 0) {
            m_carry = true;
            m_carried = bytes.back();
            bytes.remove_suffix(1);
        }
    }
    scanWholeUnits(bytes);
}

void HeadingScanner::scanWholeUnits(std::string_view bytes)
{
    std::size_t pos = 0;
    for (;;) {
        const std::size_t feed = findLineFeed(m_lineEncoding, bytes, pos);
        const std::size_t end = feed == std::string_view::npos ? bytes.size() : feed;
        if (m_collecting)
            takeLine(bytes.substr(pos, end - pos), feed != std::string_view::npos);
        if (feed == std::string_view::npos)
            break;
        pos = feed + unitSize(m_lineEncoding);
        m_lineStart = m_offset + static_cast<std::int64_t>(pos);
        m_collecting = true;
        m_line.clear();
    }
    m_offset += static_cast<std::int64_t>(bytes.size());
}

void HeadingScanner::takeLine(std::string_view bytes, bool complete)
{
    if (m_line.empty() && complete) {
        testLine(bytes); // the whole line in one piece: no copy
        return;
    }
    m_line.append(bytes.substr(0, kMaxLineBytes + 1 - std::min(m_line.size(), kMaxLineBytes + 1)));
    if (m_line.size() > kMaxLineBytes)
        m_collecting = false;
    else if (complete)
        testLine(m_line);
}

// Called for every line, so it compares bytes itself: most lines are turned away by their first one.
bool HeadingScanner::mayBeHeading(const Reading& reading, std::string_view line) const
{
    if (!m_matcher.usesRules())
        return true;
    const auto formAt = [line](std::size_t at, const std::string& form) {
        if (line.size() - at < form.size())
            return false;
        for (std::size_t i = 0; i < form.size(); ++i)
            if (line[at + i] != form[i])
                return false;
        return true;
    };
    std::size_t at = 0;
    for (bool blank = true; blank;) {
        if (at >= line.size() || !reading.firstBytes.test(static_cast<unsigned char>(line[at])))
            return false;
        const auto found = std::find_if(reading.blanks.begin(), reading.blanks.end(),
                                        [&](const std::string& form) { return formAt(at, form); });
        blank = found != reading.blanks.end();
        if (blank)
            at += found->size();
    }
    return std::any_of(reading.starts.begin(), reading.starts.end(),
                       [&](const std::string& form) { return formAt(at, form); });
}

void HeadingScanner::testLine(std::string_view line)
{
    m_collecting = false;
    if (line.size() > kMaxLineBytes)
        return;
    for (Reading& reading : m_readings) {
        if (!mayBeHeading(reading, line))
            continue;
        const std::optional<std::string> utf8 = reading.toUtf8.convert(line);
        if (!utf8)
            continue;
        std::string_view whole = *utf8;
        if (whole.ends_with('\r'))
            whole.remove_suffix(1);
        if (m_matcher.matches(whole))
            reading.found.push_back({m_lineStart, trimmed(whole)});
    }
}

void HeadingScanner::keepOnly(TextEncoding encoding)
{
    if (m_readings.size() < 2 || m_readings.front().encoding != encoding)
        return;
    m_readings.erase(m_readings.begin() + 1, m_readings.end());
}

void HeadingScanner::finish(TextEncoding encoding)
{
    if (!m_started)
        start(m_start);
    if (m_collecting && !m_line.empty())
        testLine(m_line); // the last line, without a line feed
    m_collecting = false;
    const auto chosen = std::find_if(m_readings.begin(), m_readings.end(),
                                     [encoding](const Reading& reading) { return reading.encoding == encoding; });
    m_headings = std::move(chosen == m_readings.end() ? m_readings.front().found : chosen->found);
    m_readings.clear();
}

} // namespace qytxt::split
