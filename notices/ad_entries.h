#pragma once

#include <functional>
#include <string_view>
#include <vector>

namespace qytxt::notices {

// One ad as it stands in the ad section: views into the section, which must outlive them.
struct AdEntry {
    std::string_view text;
    std::string_view address;
    std::string_view message;
};

// The ads of `adSection`, entry 1, 2, 3, … up to the first number whose marker "//广告N//" is
// missing. Entry N is what lies between the first two markers of N (to the end of the section when
// there is only one); its pieces at "|" are text, address and message, further pieces ignored and
// missing ones empty. One pass over the section, whatever the number of entries; when
// `stopRequested` says so, the collection ends at once with what it has.
std::vector<AdEntry> collectAdEntries(std::string_view adSection, const std::function<bool()>& stopRequested);

} // namespace qytxt::notices
