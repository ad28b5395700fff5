#include "split/text_count.h"

#include "split/byte_source.h"

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

std::optional<TextCount> countFile(std::string_view path, core::EncodingChoice choice, HeadingScanner* headings,
                                   const std::function<bool()>& stopRequested)
{
    std::optional<FileSource> source = FileSource::open(path);
    if (!source)
        return std::nullopt;
    constexpr std::int64_t kChunk = kPassReadSize;
    TextCounter counter(choice);
    for (std::int64_t offset = 0; offset < source->size(); offset += kChunk) {
        if (stopRequested && stopRequested())
            return std::nullopt;
        const std::optional<std::string_view> bytes = source->read(offset, kChunk);
        if (!bytes)
            return std::nullopt;
        counter.feed(*bytes);
        if (headings != nullptr) {
            headings->feed(*bytes);
            if (!counter.countsUtf8Too())
                headings->keepOnly(counter.firstModel());
        }
    }
    counter.finish();
    if (headings != nullptr)
        headings->finish(counter.encoding());
    return TextCount{counter.encoding(), counter.markLength(), counter.fullWidthLength()};
}

} // namespace qytxt::split
