#include "core/path.h"
#include "named_case.h"

#include <gtest/gtest.h>

namespace qytxt::core {
namespace {

struct FolderCase : qytxt::testing::NamedCase {
    std::string_view path;
    std::string_view folder;
};

class FolderOfPathTest : public ::testing::TestWithParam<FolderCase> {};

TEST_P(FolderOfPathTest, PartBeforeTheLastSeparator)
{
    EXPECT_EQ(folderOfPath(GetParam().path), GetParam().folder);
}

INSTANTIATE_TEST_SUITE_P(Path, FolderOfPathTest,
                         ::testing::Values(FolderCase{"InAFolder", "/home/a/b.txt", "/home/a"},
                                           FolderCase{"NoSeparator", "b.txt", ""},
                                           FolderCase{"OnlyALeadingSeparator", "/b.txt", ""},
                                           // 賊 (D9 5C) ends the folder name: its second byte is no separator.
                                           FolderCase{"FolderEndsInBackslashTrail", "/x/\xD9\\/b.txt", "/x/\xD9\\"},
                                           FolderCase{"Empty", "", ""}),
                         qytxt::testing::CaseName());

TEST(JoinPath, UsesThePlatformSeparator)
{
    EXPECT_EQ(joinPath("a", "b"), Text("a") + Text(kPathSeparator) + "b");
}

TEST(NativePath, ConvertsAtTheEdge)
{
    EXPECT_EQ(toNativePath("/tmp/\xC8\xFD\xCC\xE5"), std::string("/tmp/\xE4\xB8\x89\xE4\xBD\x93"));
    EXPECT_EQ(fromNativePath("/tmp/\xE4\xB8\x89\xE4\xBD\x93"), Text("/tmp/\xC8\xFD\xCC\xE5"));
    EXPECT_FALSE(fromNativePath("/tmp/\xFF").has_value());
}

} // namespace
} // namespace qytxt::core
