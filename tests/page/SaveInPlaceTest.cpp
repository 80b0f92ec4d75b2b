/*
 * Saving where no new file can take the page's place: a folder the user may
 * not write to, and a page with several names (hard links). The page is
 * then written in place. Folder permissions do not hold for root, so each
 * save runs in a child process as an ordinary user: `nobody` when the tests
 * run as root (as in CI), the user itself otherwise.
 */
#include "ProgramFixture.h"

#include <grp.h>
#include <signal.h>
#include <sys/resource.h>

using namespace quillora_test;

namespace {

const uid_t kNobody = 65534;
const gid_t kNoGroup = 65534;

const char* kOldPage = "<HTML><HEAD><TITLE>Old</TITLE></HEAD>\r\n"
	"<BODY><P>Some words</P></BODY></HTML>\r\n";

struct ChildSave {
	bool ran = false;
	bool saved = false;
	std::vector<std::string> alerts;
};

class SaveInPlaceTest : public ProgramTest {
protected:
	void TearDown() override
	{
		if (!fUserFolder.empty()) {
			chmod(fUserFolder.c_str(), 0755);
			RemoveTree(fUserFolder);
		}
		ProgramTest::TearDown();
	}

	// A folder under /tmp that belongs to the user the saves run as, with
	// the page in it; the page is opened.
	void OpenInUserFolder()
	{
		char pattern[] = "/tmp/quillora-user-XXXXXX";
		ASSERT_NE(mkdtemp(pattern), nullptr);
		fUserFolder = pattern;
		fPagePath = fUserFolder + "/page.html";
		WriteFile(fPagePath, kOldPage);
		GiveToUser(fUserFolder);
		GiveToUser(fPagePath);
		chmod(fUserFolder.c_str(), 0755);
		chmod(fPagePath.c_str(), 0644);
		Open(fPagePath);
		// A change the generated document shows.
		CurrentPage()->SetColors(1, 255, 0, 0, 255);
		CurrentPage()->NotSaved();
	}

	static void GiveToUser(const std::string& path)
	{
		if (geteuid() == 0) {
			ASSERT_EQ(chown(path.c_str(), kNobody, kNoGroup), 0);
		}
	}

	// What Save() or SaveHTML() does when an ordinary user runs it: in a
	// forked child (no exec: it has the test's page) that drops root first.
	// `fileSizeLimit` > 0 makes writes beyond that size fail.
	ChildSave SaveAsUser(bool html, rlim_t fileSizeLimit = 0)
	{
		ChildSave result;
		int channel[2];
		if (pipe(channel) != 0)
			return result;
		fAlerts.Clear();
		pid_t child = fork();
		if (child == 0) {
			close(channel[0]);
			if (geteuid() == 0 && (setgroups(0, nullptr) != 0
					|| setgid(kNoGroup) != 0 || setuid(kNobody) != 0))
				_exit(3);
			if (fileSizeLimit > 0) {
				signal(SIGXFSZ, SIG_IGN);
				rlimit limit;
				getrlimit(RLIMIT_FSIZE, &limit);
				limit.rlim_cur = fileSizeLimit;
				setrlimit(RLIMIT_FSIZE, &limit);
			}
			Page* page = CurrentPage();
			bool saved = html ? page->SaveHTML() : page->Save();
			std::string alerts;
			for (int32 i = 0; i < fAlerts.CountAlerts(); i++)
				alerts += fAlerts.TextAt(i) + '\n';
			ssize_t written = write(channel[1], alerts.data(), alerts.size());
			_exit(written == (ssize_t)alerts.size() ? (saved ? 0 : 1) : 4);
		}
		close(channel[1]);
		std::string alerts;
		char buffer[512];
		ssize_t count;
		while ((count = read(channel[0], buffer, sizeof(buffer))) > 0)
			alerts.append(buffer, count);
		close(channel[0]);
		int status = 0;
		waitpid(child, &status, 0);
		result.ran = WIFEXITED(status) && WEXITSTATUS(status) <= 1;
		result.saved = result.ran && WEXITSTATUS(status) == 0;
		result.alerts = SplitLines(alerts);
		return result;
	}

	std::string Generated() { return GeneratedDocument(CurrentPage()); }

	static ino_t Inode(const std::string& path)
	{
		struct stat st;
		return stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
	}

	std::string fUserFolder;
	std::string fPagePath;
};

}	// namespace


TEST_F(SaveInPlaceTest, PageInAFolderTheUserMayNotWriteIsWrittenInPlace)
{
	OpenInUserFolder();
	ASSERT_EQ(chmod(fUserFolder.c_str(), 0555), 0);
	ino_t inode = Inode(fPagePath);

	ChildSave save = SaveAsUser(false);
	ASSERT_TRUE(save.ran);
	EXPECT_TRUE(save.saved);
	EXPECT_TRUE(save.alerts.empty()) << save.alerts[0];
	std::string generated = Generated();
	EXPECT_NE(generated, kOldPage);
	EXPECT_EQ(ReadFile(fPagePath), generated);
	EXPECT_EQ(Inode(fPagePath), inode);
	EXPECT_EQ(ListDirectory(fUserFolder), std::vector<std::string>{"page.html"});

	// The HTML editor's text is saved the same way, and a shorter text
	// leaves nothing of the longer one behind.
	HTML_View* view = CurrentPage()->htmlWindow->htmlView;
	ASSERT_TRUE(view->LockLooper());
	view->SetText("<BODY>short\n</BODY>");
	view->UnlockLooper();
	save = SaveAsUser(true);
	EXPECT_TRUE(save.saved);
	EXPECT_EQ(ReadFile(fPagePath), "<BODY>short\r\n</BODY>");
	EXPECT_EQ(Inode(fPagePath), inode);
}


TEST_F(SaveInPlaceTest, HardLinkedPageKeepsItsOtherNames)
{
	OpenInUserFolder();
	std::string other = fUserFolder + "/other name.html";
	ASSERT_EQ(link(fPagePath.c_str(), other.c_str()), 0);

	ChildSave save = SaveAsUser(false);
	ASSERT_TRUE(save.ran);
	EXPECT_TRUE(save.saved);
	EXPECT_TRUE(save.alerts.empty()) << save.alerts[0];
	std::string generated = Generated();
	EXPECT_EQ(ReadFile(fPagePath), generated);
	EXPECT_EQ(ReadFile(other), generated);
	struct stat st;
	ASSERT_EQ(stat(fPagePath.c_str(), &st), 0);
	EXPECT_EQ(st.st_nlink, 2u);
	EXPECT_EQ(st.st_ino, Inode(other));
	EXPECT_EQ(st.st_mode & 0777, 0644u);
	EXPECT_EQ(ListDirectory(fUserFolder).size(), 2u);
}


TEST_F(SaveInPlaceTest, FailuresInPlaceAreReportedAndKeepThePage)
{
	OpenInUserFolder();
	ASSERT_EQ(chmod(fUserFolder.c_str(), 0555), 0);
	std::string generated = Generated();
	ASSERT_GT(generated.size(), strlen(kOldPage) + 2);

	// The write stops half-way (a full disk): the old page is put back.
	ChildSave save = SaveAsUser(false,
		(strlen(kOldPage) + generated.size()) / 2);
	ASSERT_TRUE(save.ran);
	EXPECT_FALSE(save.saved);
	ASSERT_EQ(save.alerts.size(), 1u);
	EXPECT_EQ(save.alerts[0].rfind("Could not save the page file \""
		+ fPagePath + "\": ", 0), 0u) << save.alerts[0];
	EXPECT_EQ(ReadFile(fPagePath), kOldPage);

	// A page the user may not write is not written, in place or not.
	ASSERT_EQ(chmod(fPagePath.c_str(), 0444), 0);
	save = SaveAsUser(false);
	ASSERT_TRUE(save.ran);
	EXPECT_FALSE(save.saved);
	ASSERT_EQ(save.alerts.size(), 1u);
	EXPECT_EQ(save.alerts[0], "Could not save the page file \"" + fPagePath
		+ "\": " + strerror_status(B_PERMISSION_DENIED));
	EXPECT_EQ(ReadFile(fPagePath), kOldPage);
	EXPECT_EQ(ListDirectory(fUserFolder), std::vector<std::string>{"page.html"});
}
