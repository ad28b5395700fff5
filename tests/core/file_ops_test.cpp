#include "core/file_ops.h"

#include "core/encoding.h"
#include "gbk_text.h"
#include "named_case.h"
#include "special_files.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qytxt::core {
namespace {

using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

using testing::gbkPath;

const std::string kBinary("A\0B\xFF\r\n", 6);

TEST(ReadFile, WholeFileWithZeroBytes)
{
    TempDir dir;
    writeBytes(dir.file("a.txt"), kBinary);
    EXPECT_EQ(readFile(gbkPath(dir.file("a.txt"))), kBinary);
    EXPECT_EQ(tryReadFile(gbkPath(dir.file("a.txt"))), kBinary);
}

TEST(ReadFile, FailuresAndEmptyFileAreTold)
{
    TempDir dir;
    writeBytes(dir.file("empty.txt"), "");
    const testing::UnwrittenFifo fifo(dir.file("fifo.txt"));
    struct Case : qytxt::testing::NamedCase {
        Text path;
        bool readable;
    };
    const Case cases[] = {
        {"empty path", "", false},
        {"missing file", gbkPath(dir.file("missing.txt")), false},
        {"a folder", gbkPath(dir.path()), false},
        {"empty file", gbkPath(dir.file("empty.txt")), true},
        {"a pipe nobody writes to", gbkPath(fifo.path()), false},
        {"a device without end", "/dev/zero", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(readFile(c.path), "");
        EXPECT_EQ(tryReadFile(c.path).has_value(), c.readable);
    }
    EXPECT_FALSE(fifo.rescued()) << "waited on the pipe";
}

TEST(ReadFile, ReusedBufferHoldsExactlyTheNextFile)
{
    TempDir dir;
    writeBytes(dir.file("long.txt"), std::string(5000, 'x'));
    writeBytes(dir.file("short.txt"), kBinary);
    writeBytes(dir.file("empty.txt"), "");
    ByteSet buffer;
    ASSERT_TRUE(readFileInto(gbkPath(dir.file("long.txt")), buffer));
    ASSERT_TRUE(readFileInto(gbkPath(dir.file("short.txt")), buffer));
    EXPECT_EQ(buffer, kBinary);
    ASSERT_TRUE(readFileInto(gbkPath(dir.file("empty.txt")), buffer));
    EXPECT_EQ(buffer, "");
    EXPECT_FALSE(readFileInto(gbkPath(dir.file("missing.txt")), buffer));
}

TEST(ReadFile, ChineseFileName)
{
    TempDir dir;
    writeBytes(dir.file("\xE4\xB8\x89\xE4\xBD\x93.txt"), "x"); // 三体.txt
    EXPECT_EQ(readFile(gbkPath(dir.path()) + "/\xC8\xFD\xCC\xE5.txt"), "x");
}

TEST(ReadFile, PathThatIsNotValidGbkFails)
{
    TempDir dir;
    EXPECT_FALSE(tryReadFile(gbkPath(dir.path()) + "/a\xC8").has_value());
}

TEST(WriteFile, CreatesReplacesAndEmpties)
{
    TempDir dir;
    const Text path = gbkPath(dir.file("out.txt"));
    EXPECT_TRUE(writeFile(path, kBinary));
    EXPECT_EQ(readBytes(dir.file("out.txt")), kBinary);
    EXPECT_TRUE(writeFile(path, "xy"));
    EXPECT_EQ(readBytes(dir.file("out.txt")), "xy");
    EXPECT_TRUE(writeFile(path, ""));
    EXPECT_TRUE(std::filesystem::exists(dir.file("out.txt")));
    EXPECT_EQ(std::filesystem::file_size(dir.file("out.txt")), 0u);
}

TEST(WriteFile, FailuresTouchNothing)
{
    TempDir dir;
    EXPECT_FALSE(writeFile("", "x"));
    EXPECT_FALSE(writeFile(gbkPath(dir.file("missing")) + "/out.txt", "x"));
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing")));
    EXPECT_FALSE(writeFile(gbkPath(dir.path()), "x")); // a folder
}

TEST(FileSize, SizesAndMissing)
{
    TempDir dir;
    writeBytes(dir.file("a.txt"), kBinary);
    EXPECT_EQ(fileSize(gbkPath(dir.file("a.txt"))), 6);
    EXPECT_EQ(fileSize(gbkPath(dir.file("missing.txt"))), -1);
    EXPECT_EQ(fileSize(""), -1);
    EXPECT_EQ(fileSize(gbkPath(dir.path())), 0);
}

TEST(FileSize, LowThirtyTwoBitsOfALargeFile)
{
    TempDir dir;
    {
        std::ofstream out(dir.file("sparse.bin"), std::ios::binary);
    }
    std::error_code error;
    std::filesystem::resize_file(dir.file("sparse.bin"), (std::uintmax_t{1} << 32) + 7, error);
    if (error)
        GTEST_SKIP() << "no sparse files here: " << error.message();
    EXPECT_EQ(fileSize(gbkPath(dir.file("sparse.bin"))), 7);
}

TEST(CreateFolder, OneLevelAndExisting)
{
    TempDir dir;
    const Text folder = gbkPath(dir.file("sub"));
    EXPECT_TRUE(createFolder(folder));
    writeBytes(dir.file("sub") / "keep.txt", "k");
    EXPECT_FALSE(createFolder(folder));
    EXPECT_EQ(readBytes(dir.file("sub") / "keep.txt"), "k");
    EXPECT_FALSE(createFolder(gbkPath(dir.file("a")) + "/b"));
    EXPECT_FALSE(createFolder(""));
}

TEST(FileIdentity, SameFileHoweverReached)
{
    TempDir dir;
    writeBytes(dir.file("a.txt"), "a");
    writeBytes(dir.file("b.txt"), "b");
    std::filesystem::create_symlink(dir.file("a.txt"), dir.file("link.txt"));
    const auto a = fileIdentity(gbkPath(dir.file("a.txt")));
    ASSERT_TRUE(a.has_value());
    EXPECT_EQ(fileIdentity(gbkPath(dir.path()) + "/./a.txt"), a);
    EXPECT_EQ(fileIdentity(gbkPath(dir.file("link.txt"))), a);
    EXPECT_NE(fileIdentity(gbkPath(dir.file("b.txt"))), a);
    EXPECT_FALSE(fileIdentity(gbkPath(dir.file("missing.txt"))).has_value());
}

TEST(OpenFile, WritesInSequenceFromTheStart)
{
    TempDir dir;
    writeBytes(dir.file("out.txt"), "0123456789");
    {
        OpenFile file = OpenFile::open(gbkPath(dir.file("out.txt")));
        ASSERT_TRUE(file.isOpen());
        EXPECT_TRUE(file.write("ab"));
        EXPECT_TRUE(file.write(""));
        EXPECT_TRUE(file.write(std::string_view("c\0d", 3)));
    }
    EXPECT_EQ(readBytes(dir.file("out.txt")), std::string("abc\0d56789", 10));
}

TEST(OpenFile, NeverCreatesAndClosedHandlesRefuse)
{
    TempDir dir;
    OpenFile missing = OpenFile::open(gbkPath(dir.file("missing.txt")));
    EXPECT_FALSE(missing.isOpen());
    EXPECT_FALSE(missing.write("x"));
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing.txt")));
    EXPECT_FALSE(OpenFile::open("").isOpen());
    EXPECT_FALSE(OpenFile::open(gbkPath(dir.path())).isOpen());
}

TEST(OpenFile, MoveHandsOverAndCloseIsIdempotent)
{
    TempDir dir;
    writeBytes(dir.file("out.txt"), "");
    OpenFile first = OpenFile::open(gbkPath(dir.file("out.txt")));
    OpenFile second = std::move(first);
    EXPECT_FALSE(first.isOpen());
    EXPECT_TRUE(second.write("x"));
    second.close();
    second.close();
    EXPECT_FALSE(second.isOpen());
    EXPECT_FALSE(second.write("y"));
    EXPECT_EQ(readBytes(dir.file("out.txt")), "x");
}

TEST(OpenFile, CloseReportsErrors)
{
    TempDir dir;
    writeBytes(dir.file("out.txt"), "");
    OpenFile file = OpenFile::open(gbkPath(dir.file("out.txt")));
    ASSERT_TRUE(file.write("x"));
    ASSERT_TRUE(testing::closeWriterBehindItsBack(dir.path()));
    EXPECT_FALSE(file.close());
    EXPECT_FALSE(file.isOpen());
    EXPECT_TRUE(file.close());
}

// A file size limit, set in a child process so that the test program keeps its own, stops the
// second write partway: the third must land where the second began.
TEST(OpenFile, FailedWriteKeepsThePosition)
{
    TempDir dir;
    writeBytes(dir.file("out.txt"), "");
    const Text path = gbkPath(dir.file("out.txt"));
    const pid_t child = ::fork();
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN); // a write past the limit then fails instead of ending the process
        const rlimit limit{10, 10};
        OpenFile file = OpenFile::open(path);
        const bool asExpected = file.write("abc") && ::setrlimit(RLIMIT_FSIZE, &limit) == 0 &&
                                !file.write(std::string(20, 'x')) && file.write("de");
        ::_exit(asExpected ? 0 : 1);
    }
    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    EXPECT_EQ(readBytes(dir.file("out.txt")), "abcdexxxxx");
}

} // namespace
} // namespace qytxt::core
