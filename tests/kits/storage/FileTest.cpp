// BFile on real files: every open mode, position semantics, sizes.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <string.h>
#include <sys/wait.h>

#include <Directory.h>
#include <Entry.h>
#include <File.h>

#include "TempFolder.h"

using namespace quillora_test;

namespace {

std::string
ReadAll(BFile& file)
{
	std::string result;
	char buffer[7];
	ssize_t count;
	while ((count = file.Read(buffer, sizeof(buffer))) > 0)
		result.append(buffer, count);
	return result;
}

}	// namespace

TEST(File, CreateOnlyWithCreateFlagAndFailIfExistsRefusesExisting)
{
	TempFolder folder;
	std::string path = folder / "page.html";

	BFile missing(path.c_str(), B_READ_WRITE);
	EXPECT_EQ(B_ENTRY_NOT_FOUND, missing.InitCheck());
	EXPECT_FALSE(BEntry(path.c_str()).Exists());

	BFile created(path.c_str(), B_READ_WRITE | B_CREATE_FILE);
	ASSERT_EQ(B_OK, created.InitCheck());
	off_t size = -1;
	EXPECT_EQ(B_OK, created.GetSize(&size));
	EXPECT_EQ(0, size);
	EXPECT_EQ(5, created.Write("hello", 5));

	BFile exclusive(path.c_str(), B_READ_WRITE | B_CREATE_FILE | B_FAIL_IF_EXISTS);
	EXPECT_EQ(B_FILE_EXISTS, exclusive.InitCheck());
	EXPECT_EQ("hello", ReadFile(path)) << "a refused open must not touch the file";

	// Without B_ERASE_FILE creating an existing file keeps its bytes.
	BFile again(path.c_str(), B_READ_ONLY | B_CREATE_FILE);
	ASSERT_EQ(B_OK, again.InitCheck());
	EXPECT_EQ("hello", ReadAll(again));

	std::string fresh = folder / "fresh";
	BFile exclusiveNew(fresh.c_str(), B_WRITE_ONLY | B_CREATE_FILE | B_FAIL_IF_EXISTS);
	EXPECT_EQ(B_OK, exclusiveNew.InitCheck());
}

TEST(File, EraseEmptiesAndOpenAtEndAppends)
{
	TempFolder folder;
	std::string path = folder / "settings";
	WriteFile(path, "old contents that are long");

	BFile erased(path.c_str(), B_WRITE_ONLY | B_CREATE_FILE | B_ERASE_FILE);
	ASSERT_EQ(B_OK, erased.InitCheck());
	EXPECT_EQ(3, erased.Write("new", 3));
	erased.Unset();
	EXPECT_EQ("new", ReadFile(path));

	BFile appending(path.c_str(), B_WRITE_ONLY | B_OPEN_AT_END);
	ASSERT_EQ(B_OK, appending.InitCheck());
	appending.Seek(0, SEEK_SET);
	EXPECT_EQ(4, appending.Write("+end", 4));
	appending.Unset();
	EXPECT_EQ("new+end", ReadFile(path));
}

TEST(File, ReadAndWritePositions)
{
	TempFolder folder;
	std::string path = folder / "data";
	WriteFile(path, "0123456789");

	BFile file(path.c_str(), B_READ_WRITE);
	ASSERT_EQ(B_OK, file.InitCheck());
	EXPECT_TRUE(file.IsReadable());
	EXPECT_TRUE(file.IsWritable());
	EXPECT_EQ(0, file.Position());

	char buffer[8] = {};
	EXPECT_EQ(3, file.Read(buffer, 3));
	EXPECT_EQ(std::string("012"), std::string(buffer, 3));
	EXPECT_EQ(3, file.Position());

	// Positioned reads and writes leave the position alone.
	EXPECT_EQ(2, file.ReadAt(7, buffer, 2));
	EXPECT_EQ(std::string("78"), std::string(buffer, 2));
	EXPECT_EQ(2, file.WriteAt(0, "AB", 2));
	EXPECT_EQ(3, file.Position());

	// A write continues where the read stopped.
	EXPECT_EQ(2, file.Write("xy", 2));
	EXPECT_EQ(5, file.Position());
	EXPECT_EQ("AB2xy56789", ReadFile(path));

	EXPECT_EQ(8, file.Seek(-2, SEEK_END));
	EXPECT_EQ(2, file.Read(buffer, sizeof(buffer)));
	EXPECT_EQ(0, file.Read(buffer, sizeof(buffer))) << "end of file reads 0 bytes";
	EXPECT_EQ(4, file.Seek(-6, SEEK_CUR));
	EXPECT_EQ(B_BAD_VALUE, file.Seek(0, 17));
	EXPECT_LT(file.Seek(-100, SEEK_SET), 0);

	// ReadAt past the end reads nothing; WriteAt past the end grows the file
	// with zeros in between.
	EXPECT_EQ(0, file.ReadAt(100, buffer, 4));
	EXPECT_EQ(1, file.WriteAt(12, "!", 1));
	off_t size;
	EXPECT_EQ(B_OK, file.GetSize(&size));
	EXPECT_EQ(13, size);
	EXPECT_EQ(std::string("AB2xy56789\0\0!", 13), ReadFile(path));
}

TEST(File, SetSizeTruncatesAndExtends)
{
	TempFolder folder;
	std::string path = folder / "sized";
	WriteFile(path, "abcdef");

	BFile file(path.c_str(), B_READ_WRITE);
	ASSERT_EQ(B_OK, file.SetSize(2));
	EXPECT_EQ("ab", ReadFile(path));
	ASSERT_EQ(B_OK, file.SetSize(4));
	EXPECT_EQ(std::string("ab\0\0", 4), ReadFile(path));
	EXPECT_EQ(B_BAD_VALUE, file.SetSize(-1));

	BFile readOnly(path.c_str(), B_READ_ONLY);
	EXPECT_FALSE(readOnly.IsWritable());
	EXPECT_NE(B_OK, readOnly.SetSize(0));
	EXPECT_LT(readOnly.Write("zz", 2), 0);
	EXPECT_LT(readOnly.WriteAt(0, "zz", 2), 0);
	EXPECT_EQ(std::string("ab\0\0", 4), ReadFile(path));

	BFile writeOnly(path.c_str(), B_WRITE_ONLY);
	char c;
	EXPECT_FALSE(writeOnly.IsReadable());
	EXPECT_LT(writeOnly.Read(&c, 1), 0);

	// Emptying is a size like any other.
	ASSERT_EQ(B_OK, file.SetSize(0));
	EXPECT_EQ("", ReadFile(path));
}

TEST(File, RefusesDirectoriesAndReportsUninitialisedUse)
{
	TempFolder folder;
	BFile directory(folder.Path().c_str(), B_READ_ONLY);
	EXPECT_EQ(B_IS_A_DIRECTORY, directory.InitCheck());
	BFile device("/dev/null", B_READ_WRITE);
	EXPECT_EQ(B_BAD_VALUE, device.InitCheck());

	BFile unset;
	char c;
	EXPECT_EQ(B_NO_INIT, unset.InitCheck());
	EXPECT_LT(unset.Read(&c, 1), 0);
	EXPECT_LT(unset.Write("x", 1), 0);
	EXPECT_LT(unset.Position(), 0);
	off_t size;
	EXPECT_NE(B_OK, unset.GetSize(&size));

	std::string inMissingFolder = folder / "no/such/file";
	BFile nested(inMissingFolder.c_str(), B_READ_WRITE | B_CREATE_FILE);
	EXPECT_EQ(B_ENTRY_NOT_FOUND, nested.InitCheck());
}

TEST(File, OpensThroughEntriesRefsAndDirectories)
{
	TempFolder folder;
	WriteFile(folder / "a.html", "<P>");

	BDirectory dir(folder.Path().c_str());
	ASSERT_EQ(B_OK, dir.InitCheck());
	BFile relative(&dir, "a.html", B_READ_ONLY);
	ASSERT_EQ(B_OK, relative.InitCheck());
	EXPECT_EQ("<P>", ReadAll(relative));

	entry_ref ref;
	ASSERT_EQ(B_OK, get_ref_for_path((folder / "a.html").c_str(), &ref));
	BFile byRef(&ref, B_READ_ONLY);
	ASSERT_EQ(B_OK, byRef.InitCheck());
	EXPECT_EQ("<P>", ReadAll(byRef));

	// A ref to a file that does not exist yet can create it.
	ASSERT_EQ(B_OK, get_ref_for_path((folder / "new.html").c_str(), &ref));
	BEntry entry(&ref);
	EXPECT_FALSE(entry.Exists());
	BFile created(&entry, B_WRITE_ONLY | B_CREATE_FILE);
	ASSERT_EQ(B_OK, created.InitCheck());
	EXPECT_TRUE(entry.Exists());

	// Copies share the open file.
	BFile copy(relative);
	EXPECT_EQ(B_OK, copy.InitCheck());
	EXPECT_TRUE(copy == relative);
}

// A running program cannot be opened for writing on Linux; BeOS programs
// open themselves read-write to declare their types, which must not fail.
TEST(File, RunningProgramOpensForItsAttributes)
{
	TempFolder folder;
	std::string program = folder / "sleeper";
	WriteFile(program, ReadFile("/bin/sleep"));
	ASSERT_EQ(0, chmod(program.c_str(), 0755));

	pid_t pid;
	const char* argv[] = { program.c_str(), "30", nullptr };
	ASSERT_EQ(0, posix_spawn(&pid, program.c_str(), nullptr, nullptr,
		(char* const*)argv, environ));

	// Wait until the program image is really in use.
	int fd = -1;
	for (int i = 0; i < 200; i++) {
		fd = open(program.c_str(), O_WRONLY);
		if (fd < 0)
			break;
		close(fd);
		usleep(10000);
	}
	EXPECT_LT(fd, 0) << "the spawned program never ran";

	BFile self(program.c_str(), B_READ_WRITE);
	EXPECT_EQ(B_OK, self.InitCheck());
	EXPECT_TRUE(self.IsReadable());
	EXPECT_FALSE(self.IsWritable());
	EXPECT_LT(self.Write("x", 1), 0);
	char head[4];
	EXPECT_EQ(4, self.ReadAt(0, head, 4));
	EXPECT_EQ(0, memcmp(head, "\x7f" "ELF", 4));

	// Erasing a running program still fails.
	BFile erase(program.c_str(), B_READ_WRITE | B_ERASE_FILE);
	EXPECT_NE(B_OK, erase.InitCheck());

	kill(pid, SIGKILL);
	waitpid(pid, nullptr, 0);
}
