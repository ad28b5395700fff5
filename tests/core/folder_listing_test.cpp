#include "core/folder_listing.h"

#include "core/encoding.h"
#include "gbk_text.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qytxt::core {
namespace {

using testing::TempDir;
using testing::writeBytes;

Text gbk(const std::filesystem::path& path)
{
    return testing::gbkPath(path);
}

TEST(TextFilesInFolder, TextFilesOnlyInNaturalOrder)
{
    TempDir dir;
    for (const char* name : {"小说(10).txt", "小说(2).txt", "小说(1).TXT", "notes.md", ".hidden.txt", "txt"})
        writeBytes(dir.file(name), "x");
    std::filesystem::create_directory(dir.file("folder.txt"));
    writeBytes(dir.file("folder.txt") / "inner.txt", "x");
    std::filesystem::create_symlink(dir.file("小说(2).txt"), dir.file("link(3).txt"));
    std::filesystem::create_symlink(dir.file("missing"), dir.file("dangling.txt"));

    // A trailing separator changes nothing, not even the paths' spelling.
    for (const std::string suffix : {"", "/"}) {
        SCOPED_TRACE("folder given as '" + suffix + "'");
        const auto found = textFilesInFolder(gbk(dir.path()) + suffix);
        ASSERT_TRUE(found.has_value());
        EXPECT_EQ(found->paths, (std::vector<Text>{gbk(dir.file("link(3).txt")), gbk(dir.file("小说(1).TXT")),
                                                   gbk(dir.file("小说(2).txt")), gbk(dir.file("小说(10).txt"))}));
        EXPECT_TRUE(found->unconvertibleNames.empty());
    }
}

TEST(TextFilesInFolder, NamesGbkCannotCarryAreToldNotDropped)
{
    TempDir dir;
    writeBytes(dir.file("\xFF.txt"), "x"); // not UTF-8, so no GBK text either
    writeBytes(dir.file("1.txt"), "x");
    const auto found = textFilesInFolder(gbk(dir.path()));
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->paths, std::vector<Text>{gbk(dir.file("1.txt"))});
    EXPECT_EQ(found->unconvertibleNames, std::vector<std::string>{"\xFF.txt"});
}

TEST(TextFilesInFolder, WhatIsNoReadableFolderGivesNothing)
{
    TempDir dir;
    writeBytes(dir.file("a.txt"), "x");
    EXPECT_FALSE(textFilesInFolder(gbk(dir.file("missing"))).has_value());
    EXPECT_FALSE(textFilesInFolder(gbk(dir.file("a.txt"))).has_value());
    EXPECT_FALSE(textFilesInFolder("").has_value());
    EXPECT_TRUE(isFolder(gbk(dir.path())));
    EXPECT_FALSE(isFolder(gbk(dir.file("a.txt"))));
    EXPECT_FALSE(isFolder(""));
}

} // namespace
} // namespace qytxt::core
