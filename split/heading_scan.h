#pragma once

#include "core/iconv_converter.h"
#include "core/text_encoding.h"
#include "split/heading_rules.h"

#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qytxt::split {

struct Heading {
    std::int64_t offset = 0; // the first byte of its line in the source (after the mark for the first line)
    std::string text;        // the line as UTF-8, without its line break and the blanks around it
};

// Finds the chapter headings of a text fed in pieces of any size, alongside its count. Only the
// lines are looked at: a line whose opening cannot start a heading by the rules is passed over
// unconverted, and one longer than kMaxLineBytes is no heading. An unmarked text is read as GBK
// and as UTF-8 until the count tells which it is.
class HeadingScanner {
public:
    static constexpr std::size_t kMaxLineBytes = 1024;

    explicit HeadingScanner(HeadingMatcher matcher = {}, core::EncodingChoice choice = std::nullopt);

    // The source's bytes, in order from its first, mark included.
    void feed(std::string_view bytes);

    // Once the count knows the text's encoding, before its end: the lines are no longer read in
    // any other.
    void keepOnly(core::TextEncoding encoding);

    // After the last piece, with the encoding the text is read in.
    void finish(core::TextEncoding encoding);

    // After finish(): the headings in the order of the text.
    const std::vector<Heading>& headings() const noexcept { return m_headings; }

private:
    // One way of reading the lines, with what the rules let a heading start with in its encoding.
    struct Reading {
        core::TextEncoding encoding;
        core::IconvConverter toUtf8;
        std::vector<std::string> blanks;
        std::vector<std::string> starts;
        std::bitset<256> firstBytes; // of the blanks and the starts
        std::vector<Heading> found;
    };

    void start(std::string_view firstBytes);
    void addReading(core::TextEncoding encoding);
    void scanUnits(std::string_view bytes);
    void scanWholeUnits(std::string_view bytes);
    void takeLine(std::string_view bytes, bool complete);
    void testLine(std::string_view line);
    bool mayBeHeading(const Reading& reading, std::string_view line) const;

    HeadingMatcher m_matcher;
    core::EncodingChoice m_choice;
    bool m_started = false;
    std::string m_start;                                         // the first bytes, until the mark is known
    core::TextEncoding m_lineEncoding = core::TextEncoding::Gbk; // where the lines end
    std::vector<Reading> m_readings;

    std::int64_t m_offset = 0;    // of the next byte to scan
    std::int64_t m_lineStart = 0; // of the line being read
    bool m_collecting = true;     // the line so far may still be a heading
    std::string m_line;           // its bytes, when it began in an earlier piece
    bool m_carry = false;         // UTF-16: the first byte of a unit waits for its second
    char m_carried = 0;
    std::vector<Heading> m_headings;
};

} // namespace qytxt::split
