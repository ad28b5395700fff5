#pragma once

#include "core/text_encoding.h"
#include "core/utf8_validator.h"
#include "split/character_count.h"
#include "split/character_model.h"
#include "split/utf16_count.h"
#include "split/utf8_count.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace qytxt::split {

// Counts a text in the encoding it is read in, telling that encoding on the way: the one pass over
// the text both detects and counts. An unmarked text is counted as GBK and, while it is still valid
// UTF-8, as UTF-8 too; which of the two counts is known only at its end.
class TextCounter {
public:
    explicit TextCounter(core::EncodingChoice choice = std::nullopt) noexcept;

    void feed(std::string_view bytes) noexcept;

    // A counter that goes on from where this one stands, counting nothing yet, so that a later
    // stretch of the text can be counted on another thread: the mark must be behind this one, and
    // the stretch must start at a character boundary in every reading (after two bytes below 0x80,
    // or a UTF-16 unit that is no high surrogate). join() then adds what it counted.
    TextCounter continuation() const noexcept;
    void join(const TextCounter& later) noexcept;

    // Call after the last piece: a text shorter than the longest mark is only told then.
    void finish() noexcept;

    // Known once the first bytes are told (at once for GBK and GB18030, else after three bytes or
    // at the end): how many of them are the mark, and the model counted first.
    std::size_t markLength() const noexcept { return m_markLength; }
    core::TextEncoding firstModel() const noexcept { return m_model; }

    // True while an unmarked text may still turn out to be UTF-8: then UTF-8 is counted too.
    bool countsUtf8Too() const noexcept { return m_phase == Phase::GbkOrUtf8; }

    // Where the character at the counters' position starts, in `model`: firstModel(), or UTF-8
    // while countsUtf8Too().
    Boundary boundary(core::TextEncoding model) const noexcept;

    // After finish(): the model the text is read in, and its full-width length in it.
    core::TextEncoding encoding() const noexcept;
    std::int64_t fullWidthLength() const noexcept { return fullWidthLength(encoding()); }
    // The full-width length so far in `model`: firstModel(), or UTF-8 while countsUtf8Too().
    std::int64_t fullWidthLength(core::TextEncoding model) const noexcept;

private:
    enum class Phase { ReadingMark, OneModel, GbkOrUtf8 };

    void start(std::string_view firstBytes) noexcept;
    void feedCounters(std::string_view bytes) noexcept;
    void feedBoth(std::string_view bytes) noexcept;

    core::EncodingChoice m_choice;
    Phase m_phase = Phase::ReadingMark;
    char m_start[3] = {};
    std::size_t m_startLength = 0;
    core::TextEncoding m_model = core::TextEncoding::Gbk;
    std::size_t m_markLength = 0;
    CharacterCounter m_gbk;
    Utf8Counter m_utf8;
    Utf16Counter m_utf16;
    core::Utf8Validator m_validator;
};

struct TextCount {
    core::TextEncoding encoding = core::TextEncoding::Gbk;
    std::size_t markLength = 0;
    std::int64_t fullWidthLength = 0;
};

} // namespace qytxt::split
