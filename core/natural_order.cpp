#include "core/natural_order.h"

#include "core/gbk.h"

#include <algorithm>

namespace qytxt::core {
namespace {

bool isDigit(char byte)
{
    return byte >= '0' && byte <= '9';
}

std::string_view digitRunAt(std::string_view text, std::size_t pos)
{
    std::size_t end = pos;
    while (end < text.size() && isDigit(text[end]))
        ++end;
    return text.substr(pos, end - pos);
}

// By value, however long the run: no number type could hold every run a name may carry.
std::strong_ordering compareNumbers(std::string_view a, std::string_view b)
{
    const auto significant = [](std::string_view digits) {
        const std::size_t first = digits.find_first_not_of('0');
        return first == std::string_view::npos ? std::string_view() : digits.substr(first);
    };
    a = significant(a);
    b = significant(b);
    if (a.size() != b.size())
        return a.size() <=> b.size();
    return a.compare(b) <=> 0;
}

// A lead byte that ends the text stands alone.
std::size_t unitLength(std::string_view text, std::size_t pos)
{
    return std::max<std::size_t>(gbk::characterLength(text, pos), 1);
}

} // namespace

std::strong_ordering naturalCompare(std::string_view a, std::string_view b)
{
    std::strong_ordering zerosDecide = std::strong_ordering::equal;
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            const std::string_view runA = digitRunAt(a, i);
            const std::string_view runB = digitRunAt(b, j);
            if (const auto order = compareNumbers(runA, runB); order != 0)
                return order;
            if (zerosDecide == 0)
                zerosDecide = runA.size() <=> runB.size();
            i += runA.size();
            j += runB.size();
            continue;
        }
        // Bytes compare unsigned, so every two-byte character sorts after ASCII.
        const std::string_view unitA = a.substr(i, unitLength(a, i));
        const std::string_view unitB = b.substr(j, unitLength(b, j));
        if (unitA != unitB)
            return unitA.compare(unitB) <=> 0;
        i += unitA.size();
        j += unitB.size();
    }
    if (i < a.size())
        return std::strong_ordering::greater;
    if (j < b.size())
        return std::strong_ordering::less;
    return zerosDecide;
}

void sortNaturally(std::vector<Text>& names)
{
    std::sort(names.begin(), names.end(), naturalLess);
}

} // namespace qytxt::core
