#include "split/part_plan.h"

#include <algorithm>

namespace qytxt::split {

std::optional<PartPlan> PartPlan::make(SplitMode mode, std::int64_t characterCount, std::int64_t number)
{
    if (number < 1 || characterCount < 0)
        return std::nullopt;
    PartPlan plan;
    plan.m_mode = mode;
    plan.m_characterCount = characterCount;
    if (mode == SplitMode::ByParts) {
        plan.m_partCount = number;
        plan.m_base = characterCount / number;
        plan.m_remainder = characterCount % number;
    } else {
        plan.m_base = number;
        plan.m_unnumbered = characterCount == 0;
        plan.m_partCount = plan.m_unnumbered ? 1 : (characterCount + number - 1) / number;
    }
    return plan;
}

std::int64_t PartPlan::firstCharacter(std::int64_t part) const noexcept
{
    const std::int64_t before = part - 1;
    if (m_mode != SplitMode::ByParts)
        return before * m_base + 1;
    if (m_characterCount < m_partCount)
        return part; // one character each, then empty parts
    // The first `remainder` parts are one character longer.
    return before * m_base + std::min(before, m_remainder) + 1;
}

} // namespace qytxt::split
