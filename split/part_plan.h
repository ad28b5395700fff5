#pragma once

#include "split/split_job.h"

#include <cstdint>
#include <optional>

namespace qytxt::split {

// Which characters each part of a split holds. Characters are numbered from 1. By chapters the plan
// counts chapters instead, as by size it counts characters.
class PartPlan {
public:
    // Nothing when the number (parts or size) is below 1.
    static std::optional<PartPlan> make(SplitMode mode, std::int64_t characterCount, std::int64_t number);

    // Part files to write; 1 for the single unnumbered file.
    std::int64_t partCount() const noexcept { return m_partCount; }
    // An empty text split by size gives one file named after the title alone.
    bool isUnnumbered() const noexcept { return m_unnumbered; }
    // Characters per part: the size (chapters by chapters), or the shorter parts' length when split
    // by parts.
    std::int64_t baseLength() const noexcept { return m_base; }

    // The character where part i (1-based) begins. It may lie past the end of the text: when there
    // are more parts than characters, the last parts are empty.
    std::int64_t firstCharacter(std::int64_t part) const noexcept;

private:
    PartPlan() = default;

    SplitMode m_mode = SplitMode::ByParts;
    std::int64_t m_characterCount = 0;
    std::int64_t m_partCount = 0;
    std::int64_t m_base = 0;
    std::int64_t m_remainder = 0;
    bool m_unnumbered = false;
};

} // namespace qytxt::split
