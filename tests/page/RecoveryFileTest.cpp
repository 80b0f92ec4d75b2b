/*
 * Recovery files on disk: where they go and what they are called, what they
 * hold and what is not taken for one, and that a write leaves either the
 * old copy or the new one whole, also when the file system is full.
 */
#include "ProgramFixture.h"

#include <OS.h>
#include <Path.h>

#include <sched.h>
#include <sys/mount.h>

#include <algorithm>

#include "FileSizeLimit.h"
#include "RecoveryFile.h"

using namespace quillora_test;

namespace {

class RecoveryFileTest : public testing::Test {
protected:
	void SetUp() override
	{
		fHome.reset(new TemporaryHome("recovery"));
		ASSERT_FALSE(fHome->Root().empty());
		fFolder = fHome->StateFolder() + "/Quillora/recovery";
	}

	static std::string Leaf(const std::string& path)
	{
		return path.substr(path.rfind('/') + 1);
	}

	std::unique_ptr<TemporaryHome> fHome;
	std::string fFolder;
};

}	// namespace


TEST_F(RecoveryFileTest, OneFileForEachPageInTheStateFolder)
{
	// Same file name, different folders: different recovery files, each
	// recognisably the page's.
	std::string first = RecoveryCopyPath("/home/ann/site/index.html");
	std::string second = RecoveryCopyPath("/home/ann/old site/index.html");
	EXPECT_NE(first, second);
	EXPECT_EQ(first.substr(0, first.rfind('/')), fFolder);
	EXPECT_EQ(second.substr(0, second.rfind('/')), fFolder);
	EXPECT_EQ(Leaf(first).rfind("index.html-", 0), 0u) << first;
	EXPECT_EQ(first, RecoveryCopyPath("/home/ann/site/index.html"));
	EXPECT_NE(first, RecoveryCopyPath("/home/ann/site/index.htm"));

	// Without XDG_STATE_HOME the folder is in the home's .local/state.
	{
		ScopedEnv env;
		env.Unset("XDG_STATE_HOME");
		EXPECT_EQ(RecoveryCopyPath("/a/b.html").substr(0, RecoveryCopyPath("/a/b.html")
			.rfind('/')), fHome->Home() + "/.local/state/Quillora/recovery");
	}

	// A very long name is cut between characters and keeps the whole name
	// within what a folder takes; names never start with the dot of the
	// half-written files, nor hold control characters.
	std::string longName;
	while (longName.size() < 300)
		longName += "\xC3\xA9t\xC3\xA9-";
	std::string leaf = Leaf(RecoveryCopyPath("/x/" + longName + ".html"));
	EXPECT_LE(leaf.size(), 255u);
	EXPECT_EQ(leaf.substr(0, 40), longName.substr(0, 40));
	size_t cut = leaf.rfind('-', leaf.size() - 26);
	ASSERT_NE(cut, std::string::npos);
	EXPECT_NE(leaf[cut - 1], '\xC3') << "a character cut in two";
	EXPECT_EQ(Leaf(RecoveryCopyPath("/x/.hidden.html")).rfind("_.hidden.html-", 0), 0u);
	EXPECT_EQ(Leaf(RecoveryCopyPath("/x/new\nline.html")).rfind("new_line.html-", 0),
		0u);
	EXPECT_EQ(Leaf(RecoveryCopyPath("/x/.hidden.html")).find('/'), std::string::npos);
}


TEST_F(RecoveryFileTest, CopiesReadBackWhole)
{
	// A path with the characters the header escapes, a document with every
	// byte value, and the HTML editor's text after it.
	std::string page = "/tmp/odd %41 name\nwith\rline ends.html";
	std::string document;
	for (int i = 0; i < 256; i++)
		document += char(i);
	document += "\r\n<BODY>end</BODY>\r\n";
	std::string source = "<P>edited\nin the editor</P>\n";
	bigtime_t when = 1714567890123456LL;
	std::string path = recovery_file_for(page.c_str());
	ASSERT_EQ(WriteRecoveryCopy(page, document, when, source.c_str()), B_OK);

	RecoveryCopy copy;
	ASSERT_TRUE(read_recovery_copy(path.c_str(), &copy));
	EXPECT_EQ(copy.pagePath, page);
	EXPECT_EQ(copy.time, when);
	EXPECT_EQ(copy.document, document);
	EXPECT_TRUE(copy.hasSource);
	EXPECT_EQ(copy.source, source);

	// The header is readable by people: the page and the time of day.
	std::string raw = ReadFile(RecoveryCopyPath(page));
	EXPECT_EQ(raw.rfind("Quillora recovery 1\nPage: /tmp/odd %2541 name%0Awith"
		"%0Dline ends.html\nTime: 1714567890123456 ", 0), 0u) << raw;
	EXPECT_EQ(raw.size(), recovery_header(page.c_str(), when, document.size(),
		true, source.size()).size() + document.size() + source.size());

	// Without the HTML editor's text, and with an empty document.
	ASSERT_EQ(WriteRecoveryCopy(page, ""), B_OK);
	ASSERT_TRUE(read_recovery_copy(path.c_str(), &copy));
	EXPECT_EQ(copy.document, "");
	EXPECT_FALSE(copy.hasSource);
	EXPECT_EQ(copy.source, "");
}


TEST_F(RecoveryFileTest, DamagedOrForeignFilesAreNotTakenForCopies)
{
	std::string page = "/tmp/page.html";
	std::string path = recovery_file_for(page.c_str());
	std::string host = RecoveryCopyPath(page);
	ASSERT_EQ(WriteRecoveryCopy(page, "<P>the document</P>"), B_OK);
	std::string whole = ReadFile(host);
	RecoveryCopy copy;
	ASSERT_TRUE(read_recovery_copy(path.c_str(), &copy));

	const std::string damaged[] = {
		whole.substr(0, whole.size() - 1),		// cut short
		whole + "x",							// more than announced
		"Quillora recovery 2" + whole.substr(whole.find('\n')),
		"<HTML>a page somebody put here</HTML>",
		whole.substr(0, whole.find("Document: ")),	// no length, no body
		"",
	};
	for (const std::string& content : damaged) {
		WriteFile(host, content);
		EXPECT_FALSE(read_recovery_copy(path.c_str(), &copy)) << content;
	}
	std::string badTime = whole;
	badTime.replace(badTime.find("Time: ") + 6, 1, "x");
	WriteFile(host, badTime);
	EXPECT_FALSE(read_recovery_copy(path.c_str(), &copy));

	remove_recovery_copy(path.c_str());
	EXPECT_FALSE(FileExists(host));
	EXPECT_FALSE(read_recovery_copy(path.c_str(), &copy));
	// Removing what is not there is no error.
	remove_recovery_copy(path.c_str());
}


TEST_F(RecoveryFileTest, WritesLeaveTheOldCopyWholeWhenTheyFail)
{
	std::string page = "/tmp/page.html";
	std::string path = recovery_file_for(page.c_str());
	ASSERT_EQ(WriteRecoveryCopy(page, "<P>old copy</P>", 5), B_OK);

	// Only the user may look at the copies.
	struct stat st;
	ASSERT_EQ(stat(fFolder.c_str(), &st), 0);
	EXPECT_EQ(st.st_mode & 0777, 0700u);
	ASSERT_EQ(stat(RecoveryCopyPath(page).c_str(), &st), 0);
	EXPECT_EQ(st.st_mode & 0777, 0600u);

	{
		// The new copy does not fit.
		FileSizeLimit limit(4096);
		EXPECT_NE(WriteRecoveryCopy(page, std::string(20000, 'n'), 6), B_OK);
	}
	RecoveryCopy copy;
	ASSERT_TRUE(read_recovery_copy(path.c_str(), &copy));
	EXPECT_EQ(copy.document, "<P>old copy</P>");
	EXPECT_EQ(copy.time, 5);
	EXPECT_EQ(ListDirectory(fFolder),
		std::vector<std::string>{ Leaf(RecoveryCopyPath(page)) });

	// A write that works replaces it.
	ASSERT_EQ(WriteRecoveryCopy(page, std::string(20000, 'n'), 7), B_OK);
	ASSERT_TRUE(read_recovery_copy(path.c_str(), &copy));
	EXPECT_EQ(copy.document, std::string(20000, 'n'));
}


TEST_F(RecoveryFileTest, AFullFileSystemKeepsTheOldCopy)
{
	// The recovery folder on a small file system of its own, mounted in a
	// child that has its own view of the mounts (root only).
	std::string page = "/tmp/page.html";
	std::string path = recovery_file_for(page.c_str());
	std::string host = RecoveryCopyPath(page);
	ASSERT_EQ(WriteRecoveryCopy(page, "make the folder"), B_OK);
	remove_recovery_copy(path.c_str());

	int channel[2];
	ASSERT_EQ(pipe(channel), 0);
	pid_t child = fork();
	if (child == 0) {
		close(channel[0]);
		auto report = [&](const std::string& text) {
			ssize_t ignored = write(channel[1], text.data(), text.size());
			(void)ignored;
			_exit(0);
		};
		if (unshare(CLONE_NEWNS) != 0
			|| mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
			|| mount("tmpfs", fFolder.c_str(), "tmpfs", 0, "size=64k") != 0)
			_exit(77);
		if (WriteRecoveryCopy(page, "<P>old copy</P>", 5) != B_OK)
			report("the old copy could not be written");
		// Fill the file system up.
		std::string filler = fFolder + "/filler";
		int fd = open(filler.c_str(), O_WRONLY | O_CREAT, 0600);
		std::string block(4096, 'f');
		while (write(fd, block.data(), block.size()) > 0) {
		}
		close(fd);
		status_t status = WriteRecoveryCopy(page, std::string(30000, 'n'), 6);
		if (status == B_OK)
			report("the write into a full file system succeeded");
		RecoveryCopy copy;
		if (!read_recovery_copy(path.c_str(), &copy)
			|| copy.document != "<P>old copy</P>" || copy.time != 5)
			report("the old copy was damaged");
		std::vector<std::string> names = ListDirectory(fFolder);
		std::sort(names.begin(), names.end());
		std::vector<std::string> expected = { "filler", Leaf(host) };
		std::sort(expected.begin(), expected.end());
		if (names != expected) {
			std::string listing;
			for (const std::string& name : names)
				listing += name + " ";
			report("the folder holds " + listing);
		}
		report(std::string("ok ") + strerror_status(status));
	}
	ASSERT_GT(child, 0);
	close(channel[1]);
	std::string result;
	char buffer[256];
	ssize_t got;
	while ((got = read(channel[0], buffer, sizeof(buffer))) > 0)
		result.append(buffer, size_t(got));
	close(channel[0]);
	int status = 0;
	waitpid(child, &status, 0);
	if (WIFEXITED(status) && WEXITSTATUS(status) == 77)
		GTEST_SKIP() << "no small file system can be mounted here";
	EXPECT_EQ(result.substr(0, 3), "ok ") << result;
	EXPECT_NE(result.find("space"), std::string::npos) << result;
	// Outside the child the folder never changed.
	EXPECT_FALSE(FileExists(host));
}


TEST_F(RecoveryFileTest, HalfWrittenFilesOfEndedWritersAreClearedAway)
{
	std::string page = "/tmp/page.html";
	ASSERT_EQ(WriteRecoveryCopy(page, "first"), B_OK);
	std::string leaf = Leaf(RecoveryCopyPath(page));

	// A process that has ended, and this one (which may be writing).
	pid_t ended = fork();
	if (ended == 0)
		_exit(0);
	ASSERT_GT(ended, 0);
	waitpid(ended, nullptr, 0);
	std::string dead = "." + leaf + ".quillora-" + std::to_string(ended) + "-1";
	std::string alive = "." + leaf + ".quillora-" + std::to_string(getpid())
		+ "-999";
	std::string other = ".other.html-0123.recovery.quillora-"
		+ std::to_string(ended) + "-1";
	for (const std::string& name : { dead, alive, other })
		WriteFile(fFolder + "/" + name, "half");

	ASSERT_EQ(WriteRecoveryCopy(page, "second"), B_OK);
	std::vector<std::string> names = ListDirectory(fFolder);
	std::sort(names.begin(), names.end());
	std::vector<std::string> expected = { alive, other, leaf };
	std::sort(expected.begin(), expected.end());
	EXPECT_EQ(names, expected);
}
