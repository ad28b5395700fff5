#include "notices/ad_entries.h"
#include "recording_window.h"

#include <gtest/gtest.h>

#include <string>

namespace qytxt::notices {
namespace {

using testing::gbk;

constexpr int kManyEntries = 250'000;

// Entries kManyEntries down to 1, each "N|address N", closed by its marker.
const core::Text& manyEntries()
{
    static const core::Text section = [] {
        std::string entries;
        for (int number = kManyEntries; number >= 1; --number) {
            const std::string marker = "//广告" + std::to_string(number) + "//";
            entries += marker + std::to_string(number) + "|a" + std::to_string(number) + marker;
        }
        return gbk(entries);
    }();
    return section;
}

TEST(AdEntriesTest, CollectsEveryEntryInNumberOrder)
{
    const std::vector<AdEntry> entries = collectAdEntries(manyEntries(), [] { return false; });

    ASSERT_EQ(entries.size(), static_cast<std::size_t>(kManyEntries));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string number = std::to_string(i + 1);
        if (entries[i].text != number || entries[i].address != "a" + number || !entries[i].message.empty())
            FAIL() << "entry " << number << " reads " << entries[i].text << "|" << entries[i].address;
    }
}

TEST(AdEntriesTest, AStopEndsTheCollectionAtOnce)
{
    int asked = 0;
    const std::vector<AdEntry> entries = collectAdEntries(manyEntries(), [&asked] {
        ++asked;
        return true;
    });

    EXPECT_TRUE(entries.empty());
    EXPECT_EQ(asked, 1);
}

} // namespace
} // namespace qytxt::notices
