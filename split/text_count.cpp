#include "split/text_count.h"

namespace qytxt::split {

namespace utf8 = core::utf8;
using core::TextEncoding;

TextCounter::TextCounter(core::EncodingChoice choice) noexcept
    : m_choice(choice), m_gbk(choice.value_or(TextEncoding::Gbk))
{
    // Only the encodings with a mark need to see the first bytes before counting.
    if (choice == TextEncoding::Gbk || choice == TextEncoding::Gb18030) {
        m_phase = Phase::OneModel;
        m_model = *choice;
    }
}

void TextCounter::feed(std::string_view bytes) noexcept
{
    if (m_phase == Phase::ReadingMark) {
        while (m_startLength < sizeof m_start && !bytes.empty()) {
            m_start[m_startLength++] = bytes.front();
            bytes.remove_prefix(1);
        }
        if (m_startLength < sizeof m_start)
            return;
        start(std::string_view(m_start, m_startLength));
    }
    feedCounters(bytes);
}

void TextCounter::finish() noexcept
{
    if (m_phase == Phase::ReadingMark)
        start(std::string_view(m_start, m_startLength));
}

void TextCounter::start(std::string_view firstBytes) noexcept
{
    const std::optional<TextEncoding> marked = m_choice ? m_choice : core::markedEncoding(firstBytes);
    if (marked) {
        m_phase = Phase::OneModel;
        m_model = *marked;
        m_markLength = core::markLength(firstBytes, *marked);
    } else {
        m_phase = Phase::GbkOrUtf8;
        m_model = TextEncoding::Gbk;
    }
    m_utf16 = Utf16Counter(m_model == TextEncoding::Utf16Be);
    feedCounters(firstBytes.substr(m_markLength));
}

void TextCounter::feedCounters(std::string_view bytes) noexcept
{
    if (m_phase == Phase::GbkOrUtf8) {
        feedBoth(bytes);
        return;
    }
    switch (m_model) {
    case TextEncoding::Gbk:
    case TextEncoding::Gb18030:
        m_gbk.feed(bytes);
        break;
    case TextEncoding::Utf8:
        m_utf8.feed(bytes);
        break;
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be:
        m_utf16.feed(bytes);
        break;
    }
}

// Both readings from one look at each block; GBK alone once the text is no longer valid UTF-8.
void TextCounter::feedBoth(std::string_view bytes) noexcept
{
    constexpr std::size_t kBatch = utf8::kBatchBlocks * utf8::kBlock;
    utf8::BlockMasks masks[utf8::kBatchBlocks];
    while (!bytes.empty()) {
        const std::string_view batch = bytes.substr(0, kBatch);
        bytes.remove_prefix(batch.size());
        const utf8::BlockCounts counts = utf8::blockMasks(batch, masks);
        m_gbk.feed(batch, masks, counts);
        m_utf8.feedValid(masks, batch.size(), counts);
        m_validator.feed(batch, masks);
        if (!m_validator.valid()) {
            m_phase = Phase::OneModel;
            m_gbk.feed(bytes);
            return;
        }
    }
}

TextCounter TextCounter::continuation() const noexcept
{
    TextCounter later(m_choice);
    later.m_phase = m_phase;
    later.m_model = m_model;
    later.m_utf16 = Utf16Counter(m_model == TextEncoding::Utf16Be);
    return later;
}

void TextCounter::join(const TextCounter& later) noexcept
{
    m_gbk.join(later.m_gbk);
    m_utf8.join(later.m_utf8);
    m_utf16.join(later.m_utf16);
    m_validator.join(later.m_validator);
    if (later.m_phase == Phase::OneModel)
        m_phase = Phase::OneModel; // the later stretch is no UTF-8: neither is the text
}

TextEncoding TextCounter::encoding() const noexcept
{
    switch (m_phase) {
    case Phase::ReadingMark:
        return m_choice.value_or(TextEncoding::Gbk);
    case Phase::OneModel:
        return m_model;
    case Phase::GbkOrUtf8:
        return core::unmarkedEncoding(m_validator);
    }
    return m_model;
}

Boundary TextCounter::boundary(TextEncoding model) const noexcept
{
    switch (model) {
    case TextEncoding::Gbk:
    case TextEncoding::Gb18030:
        return m_gbk.boundary();
    case TextEncoding::Utf8:
        return m_utf8.boundary();
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be:
        return m_utf16.boundary();
    }
    return {};
}

std::int64_t TextCounter::fullWidthLength(TextEncoding model) const noexcept
{
    switch (model) {
    case TextEncoding::Gbk:
    case TextEncoding::Gb18030:
        return m_gbk.fullWidthLength();
    case TextEncoding::Utf8:
        return m_utf8.fullWidthLength();
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be:
        return m_utf16.fullWidthLength();
    }
    return 0;
}

} // namespace qytxt::split
