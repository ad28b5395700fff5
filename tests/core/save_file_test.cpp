#include "core/save_file.h"

#include "core/encoding.h"
#include "core/posix_io.h"
#include "gbk_text.h"
#include "named_case.h"
#include "special_files.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace qytxt::core {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

using testing::gbkPath;

std::vector<std::string> names(const fs::path& folder)
{
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(folder))
        found.push_back(entry.path().filename().string());
    std::sort(found.begin(), found.end());
    return found;
}

// A folder holding 旧.txt ("old content"), written through SaveFile at `name`.
struct Fixture {
    TempDir dir;
    Fixture() { writeBytes(dir.file("旧.txt"), "old content"); }
    std::optional<SaveFile> create(const std::string& name) const
    {
        return SaveFile::create(name.starts_with("/") ? Text(name) : gbkPath(dir.file(name)));
    }
};

TEST(SaveFile, OldFileStaysUntilTheCommitPutsTheNewOneInPlace)
{
    Fixture f;
    std::optional<SaveFile> file = f.create("旧.txt");
    ASSERT_TRUE(file);
    EXPECT_FALSE(file->writesInPlace());
    ASSERT_TRUE(writeAll(file->fd(), "new, longer content"));
    EXPECT_EQ(readBytes(f.dir.file("旧.txt")), "old content");
    ASSERT_TRUE(file->truncate(3));
    ASSERT_TRUE(writeAll(file->fd(), "!"));
    EXPECT_TRUE(file->commit());
    EXPECT_EQ(readBytes(f.dir.file("旧.txt")), "new!");
    EXPECT_EQ(names(f.dir.path()), std::vector<std::string>{"旧.txt"});
}

TEST(SaveFile, DiscardedOrFailedFilesLeaveTheOldOneAsItWas)
{
    const std::vector<std::pair<const char*, std::function<void(SaveFile&, const fs::path&)>>> endings = {
        {"discarded", [](SaveFile& file, const fs::path&) { file.discard(); }},
        {"dropped", [](SaveFile& file, const fs::path&) { SaveFile gone = std::move(file); }},
        {"close fails", [](SaveFile& file, const fs::path& folder) {
             ASSERT_TRUE(testing::closeWriterBehindItsBack(folder));
             EXPECT_FALSE(file.commit());
         }}};
    for (const auto& [name, end] : endings) {
        SCOPED_TRACE(name);
        Fixture f;
        std::optional<SaveFile> file = f.create("旧.txt");
        ASSERT_TRUE(file);
        ASSERT_TRUE(writeAll(file->fd(), "partial"));
        end(*file, f.dir.path());
        EXPECT_EQ(readBytes(f.dir.file("旧.txt")), "old content");
        EXPECT_EQ(names(f.dir.path()), std::vector<std::string>{"旧.txt"});
    }
}

TEST(SaveFile, ReplacedFileKeepsItsPermissionsAndLinks)
{
    Fixture f;
    fs::permissions(f.dir.file("旧.txt"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(f.dir.file("旧.txt"), f.dir.file("link.txt"));
    std::optional<SaveFile> file = f.create("link.txt");
    ASSERT_TRUE(file);
    ASSERT_TRUE(writeAll(file->fd(), "new"));
    ASSERT_TRUE(file->commit());
    EXPECT_TRUE(fs::is_symlink(f.dir.file("link.txt")));
    EXPECT_EQ(readBytes(f.dir.file("旧.txt")), "new");
    EXPECT_EQ(fs::status(f.dir.file("旧.txt")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(SaveFile, LaterCommitWinsWhole)
{
    Fixture f;
    std::optional<SaveFile> first = f.create("旧.txt");
    std::optional<SaveFile> second = f.create("旧.txt");
    ASSERT_TRUE(first && second);
    ASSERT_TRUE(writeAll(first->fd(), "first, the longer one"));
    ASSERT_TRUE(writeAll(second->fd(), "second"));
    EXPECT_TRUE(first->commit());
    EXPECT_TRUE(second->commit());
    EXPECT_EQ(readBytes(f.dir.file("旧.txt")), "second");
}

TEST(SaveFile, FolderThatTakesNoNewFileIsWrittenInPlace)
{
    Fixture f;
    fs::create_directory(f.dir.file("locked"));
    writeBytes(f.dir.file("locked") / "out.txt", "old content");
    const testing::WriteProtection locked(f.dir.file("locked"));
    if (!locked.held())
        GTEST_SKIP() << "cannot write-protect a folder here";
    std::optional<SaveFile> file = f.create("locked/out.txt");
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->writesInPlace());
    ASSERT_TRUE(writeAll(file->fd(), "new"));
    EXPECT_TRUE(file->commit());
    EXPECT_EQ(readBytes(f.dir.file("locked") / "out.txt"), "new");
}

struct CreateCase : qytxt::testing::NamedCase {
    std::string path;
    bool created;
    bool inPlace;
};

class SaveFileCreate : public ::testing::TestWithParam<CreateCase> {};

TEST_P(SaveFileCreate, WhereAndHowTheFileIsWritten)
{
    Fixture f;
    fs::create_directory(f.dir.file("folder"));
    const testing::UnwrittenFifo fifo(f.dir.file("fifo"));
    const CreateCase& c = GetParam();

    std::optional<SaveFile> file = f.create(c.path);

    EXPECT_FALSE(fifo.rescued()) << "waited on the pipe";
    ASSERT_EQ(file.has_value(), c.created);
    if (file) {
        EXPECT_EQ(file->writesInPlace(), c.inPlace);
        EXPECT_TRUE(file->commit());
    }
    // Nothing was created beside the path, and no device or folder was replaced.
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_TRUE(fs::is_directory(f.dir.file("folder")));
    EXPECT_TRUE(fs::is_fifo(f.dir.file("fifo")));
    EXPECT_EQ(readBytes(f.dir.file("旧.txt")), "old content");
    for (const std::string& name : names(f.dir.path()))
        EXPECT_FALSE(name.starts_with(".")) << name;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Paths, SaveFileCreate, ::testing::Values(
    CreateCase{"NewFile", "新.txt", true, false},
    CreateCase{"Device", "/dev/null", true, true},
    CreateCase{"PipeWithoutReader", "fifo", false, false},
    CreateCase{"Folder", "folder", false, false},
    CreateCase{"MissingFolder", "missing/out.txt", false, false},
    CreateCase{"EmptyPath", "", false, false}
), qytxt::testing::CaseName());
// clang-format on

TEST(SaveFile, WriteProtectedFileIsNotReplaced)
{
    Fixture f;
    const testing::WriteProtection locked(f.dir.file("旧.txt"));
    if (!locked.held())
        GTEST_SKIP() << "cannot write-protect a file here";
    EXPECT_FALSE(f.create("旧.txt"));
    EXPECT_EQ(names(f.dir.path()), std::vector<std::string>{"旧.txt"});
}

} // namespace
} // namespace qytxt::core
