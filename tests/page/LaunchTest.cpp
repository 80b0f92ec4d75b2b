/*
 * One page per process: documents handed to the program, "Open page…" and
 * "New page…" start further instances of the real program, and the first
 * start of the program installs it. The instances are real processes of the
 * built program on the offscreen platform; each test ends the ones it
 * started.
 */
#include "ProgramFixture.h"

#include <Entry.h>
#include <OS.h>

#include <limits.h>
#include <signal.h>
#include <stdlib.h>

#include "ExtensionsFilePanel.h"

using namespace quillora_test;

namespace {

const char* kPage = "<TITLE>Launcher</TITLE><BODY><P>Here</P></BODY>";

// The argument vector of a process, or nothing when it is gone.
std::vector<std::string>
CommandLine(pid_t pid)
{
	std::string data = ReadFile("/proc/" + std::to_string(pid) + "/cmdline");
	std::vector<std::string> arguments;
	size_t start = 0;
	while (start < data.size()) {
		size_t end = data.find('\0', start);
		if (end == std::string::npos)
			end = data.size();
		arguments.push_back(data.substr(start, end - start));
		start = end + 1;
	}
	return arguments;
}


// The children of this process that run `program`.
std::vector<pid_t>
ChildrenRunning(const std::string& program)
{
	std::vector<pid_t> children;
	for (const std::string& name : ListDirectory("/proc")) {
		if (name.find_first_not_of("0123456789") != std::string::npos)
			continue;
		std::string stat = ReadFile("/proc/" + name + "/stat");
		// pid (command) state ppid ...; the command may hold blanks.
		size_t close = stat.rfind(')');
		if (close == std::string::npos)
			continue;
		std::istringstream fields(stat.substr(close + 1));
		std::string state;
		long parent = 0;
		fields >> state >> parent;
		if (parent != long(getpid()))
			continue;
		pid_t pid = pid_t(atol(name.c_str()));
		std::vector<std::string> arguments = CommandLine(pid);
		if (!arguments.empty() && arguments[0] == program)
			children.push_back(pid);
	}
	return children;
}


// Waits for a file that a starting program creates. The program starts
// within seconds; the limit only keeps a broken start from hanging the run.
bool
WaitForFile(const std::string& path)
{
	for (int i = 0; i < 6000; i++) {
		if (FileExists(path))
			return true;
		usleep(10000);
	}
	return false;
}


std::string
RealPath(const std::string& path)
{
	char resolved[PATH_MAX];
	return realpath(path.c_str(), resolved) != nullptr ? resolved : path;
}


class LaunchTest : public ProgramTest {
protected:
	void SetUp() override
	{
		ProgramTest::SetUp();
		fProgram = RealPath(QUILLORA_BINARY_DIR "/Quillora");
	}

	void TearDown() override
	{
		// Instances a failed expectation left running end with the test.
		for (pid_t pid : ChildrenRunning(fProgram))
			End(pid);
		ProgramTest::TearDown();
	}

	// The application looks for its program in its own directory: let it
	// find the built one there.
	void UseBuiltProgram()
	{
		UseProgramDirectory(fProgram.substr(0, fProgram.rfind('/') + 1));
	}

	static void End(pid_t pid)
	{
		kill_team(pid);
		status_t ignored;
		wait_for_thread(pid, &ignored);
	}


	std::string fProgram;
};

}	// namespace


TEST_F(LaunchTest, DocumentsHandedOverStartOneInstanceForTheFirst)
{
	OpenContent(kPage);
	UseBuiltProgram();
	ASSERT_TRUE(ChildrenRunning(fProgram).empty());

	// Two documents dropped on the program at once; neither exists yet, so
	// the instance that opens one creates it.
	std::string first = fDirectory + "/first.html";
	std::string second = fDirectory + "/second.html";
	BMessage refs(B_REFS_RECEIVED);
	for (const std::string& path : { first, second }) {
		entry_ref ref;
		ASSERT_EQ(get_ref_for_path(path.c_str(), &ref), B_OK);
		refs.AddRef("refs", &ref);
	}
	fApplication->PostMessage(&refs);
	Idle();

	std::vector<pid_t> children = ChildrenRunning(fProgram);
	ASSERT_EQ(children.size(), 1u);
	EXPECT_EQ(CommandLine(children[0]),
		(std::vector<std::string>{ fProgram, first }));
	EXPECT_TRUE(WaitForFile(first));
	EXPECT_EQ(ReadFile(first), "");
	EXPECT_FALSE(FileExists(second));
	// This instance keeps its own page.
	EXPECT_STREQ(CurrentPage()->path, fPath.c_str());
	End(children[0]);
}


TEST_F(LaunchTest, OpenAndNewPageStartInstances)
{
	OpenContent(kPage);
	UseBuiltProgram();
	WWindow* visual = CurrentPage()->visualWindow;

	// "Open page…": the file chosen in the open panel goes to a new
	// instance, given by its full path.
	std::string other = fDirectory + "/other.html";
	WriteFile(other, kPage);
	Send(visual, kMsgOpenPage);
	ExtensionsFilePanel* panel = fApplication->openPanel;
	ASSERT_TRUE(panel->IsShowing());
	panel->SetPanelDirectory(fDirectory.c_str());
	ASSERT_TRUE(panel->SelectEntry("other.html"));
	panel->PressButton(B_DEFAULT_BUTTON);
	Idle();
	std::vector<pid_t> children = ChildrenRunning(fProgram);
	ASSERT_EQ(children.size(), 1u);
	EXPECT_EQ(CommandLine(children[0]),
		(std::vector<std::string>{ fProgram, other }));
	End(children[0]);
	EXPECT_EQ(ReadFile(other), kPage);

	// "New page…": the file is created empty here and opened in a new
	// instance; this page stays as it is.
	Send(visual, kMsgNewPage);
	SavePanelReply(visual, fDirectory, "fresh.html");
	std::string fresh = fDirectory + "/fresh.html";
	EXPECT_EQ(ReadFile(fresh), "");
	children = ChildrenRunning(fProgram);
	ASSERT_EQ(children.size(), 1u);
	EXPECT_EQ(CommandLine(children[0]),
		(std::vector<std::string>{ fProgram, fresh }));
	End(children[0]);
	EXPECT_STREQ(CurrentPage()->path, fPath.c_str());
	EXPECT_EQ(fAlerts.CountAlerts(), 0) << fAlerts.LastText();
}


TEST_F(LaunchTest, FirstStartInstallsTheProgram)
{
	// A home where the program has never run.
	std::string home = fDirectory + "/home";
	mkdir(home.c_str(), 0755);
	std::string page = fDirectory + "/page.html";
	WriteFile(page, kPage);

	pid_t child = fork();
	if (child == 0) {
		setenv("HOME", home.c_str(), 1);
		setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
		setenv("XDG_DATA_HOME", (home + "/data").c_str(), 1);
		setenv("QT_QPA_PLATFORM", "offscreen", 1);
		execl(fProgram.c_str(), fProgram.c_str(), page.c_str(),
			(char*)nullptr);
		_exit(127);
	}
	ASSERT_GT(child, 0);

	// The link is the last thing put in place before the About window.
	std::string link = home + "/.local/bin/Quillora";
	bool linked = WaitForFile(link);
	std::string settings = ReadFile(home
		+ "/config/Brindel/Quillora_settings");
	std::string entry = ReadFile(home
		+ "/data/applications/application-x-vnd.Quillora.desktop");
	kill(child, SIGTERM);
	int status;
	waitpid(child, &status, 0);

	ASSERT_TRUE(linked);
	EXPECT_EQ(RealPath(link), fProgram);
	char target[PATH_MAX];
	ssize_t length = readlink(link.c_str(), target, sizeof(target) - 1);
	ASSERT_GT(length, 0);
	target[length] = '\0';
	EXPECT_EQ(RealPath(target), fProgram);

	// The desktop learns that the program opens HTML files.
	EXPECT_NE(entry.find("MimeType=text/html;"), std::string::npos) << entry;
	EXPECT_NE(entry.find("Exec=" + fProgram + " %f"), std::string::npos)
		<< entry;
	// The settings name the program's folder.
	std::string directory = fProgram.substr(0, fProgram.rfind('/') + 1);
	EXPECT_NE(settings.find("\n" + directory + "\n"), std::string::npos)
		<< settings;
	// The page was opened, not changed.
	EXPECT_EQ(ReadFile(page), kPage);
}


namespace {

// The shown windows of the application with this title.
int32
ShownWindowsTitled(const char* title)
{
	int32 count = 0;
	for (int32 i = 0; i < be_app->CountWindows(); i++) {
		BWindow* window = be_app->WindowAt(i);
		if (window != nullptr && strcmp(window->Title(), title) == 0
			&& !window->IsHidden())
			count++;
	}
	return count;
}

}	// namespace


TEST_F(LaunchTest, FirstStartOfAnInstalledProgramLeavesTheUserFoldersAlone)
{
	OpenContent(kPage);
	Config* config = fApplication->config;
	std::string applications = std::string(getenv("XDG_DATA_HOME"))
		+ "/applications";
	std::string link = std::string(getenv("HOME")) + "/.local/bin/Quillora";
	ASSERT_TRUE(ListDirectory(applications).empty());
	ASSERT_FALSE(FileExists(link));
	ASSERT_EQ(ShownWindowsTitled("About_Window"), 0);

	// Installed under /usr: the package brings the menu entry and the
	// commands; the first start only greets.
	UseProgramDirectory("/usr/lib/quillora/");
	EXPECT_TRUE(config->IsInstalledSystemWide());
	fApplication->FirstStart();
	Idle();
	EXPECT_EQ(ShownWindowsTitled("About_Window"), 1);
	EXPECT_TRUE(ListDirectory(applications).empty());
	struct stat st;
	EXPECT_NE(lstat(link.c_str(), &st), 0);

	// The same first start from a folder of the user's own installs both.
	std::string folder = fDirectory + "/";
	UseProgramDirectory(folder);
	EXPECT_FALSE(config->IsInstalledSystemWide());
	fApplication->FirstStart();
	Idle();
	std::vector<std::string> entries = ListDirectory(applications);
	EXPECT_EQ(entries.size(), 1u);
	char target[PATH_MAX];
	ssize_t length = readlink(link.c_str(), target, sizeof(target) - 1);
	ASSERT_GT(length, 0);
	EXPECT_EQ(std::string(target, size_t(length)), folder + "Quillora");

	unlink(link.c_str());
	for (const std::string& entry : entries)
		unlink((applications + "/" + entry).c_str());
}
