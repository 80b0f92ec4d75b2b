/*
 * A killed editor loses at most the last few seconds of work: the real
 * program on a real X server (Xvfb), a change typed through its window with
 * xdotool, the process killed with SIGKILL once its copy is written, then
 * started again: the question comes up, Enter recovers the change (which
 * reaches the page file only with the save that follows), and "Discard"
 * takes the copy away. Without Xvfb and xdotool (CI installs both) there is
 * nothing to run this on, and the test is skipped.
 */
#include "ProgramFixture.h"

#include <OS.h>
#include <Path.h>

#include <poll.h>
#include <signal.h>

#include "BootPaths.h"
#include "RecoveryFile.h"

using namespace quillora_test;

namespace {

const char* kPage = "<HTML><HEAD><TITLE>Killed</TITLE></HEAD>\r\n"
	"<BODY><P>Words of the page</P></BODY></HTML>\r\n";

// Long enough for a slow start of a sanitizer build on a busy machine.
const int kPatienceSeconds = 90;


// Starts `argv` with `environment` added to this program's; standard
// output goes into `output` when given (a pipe's write end), else nowhere.
pid_t
Start(const std::vector<std::string>& argv,
	const std::vector<std::pair<std::string, std::string>>& environment,
	int output = -1, int keepOpen = -1)
{
	pid_t child = fork();
	if (child != 0)
		return child;
	for (const auto& variable : environment)
		setenv(variable.first.c_str(), variable.second.c_str(), 1);
	int quiet = open("/dev/null", O_RDWR);
	dup2(output >= 0 ? output : quiet, 1);
	dup2(quiet, 2);
	for (int fd = 3; fd < 1024; fd++) {
		if (fd != keepOpen)
			close(fd);
	}
	std::vector<char*> arguments;
	for (const std::string& argument : argv)
		arguments.push_back(const_cast<char*>(argument.c_str()));
	arguments.push_back(nullptr);
	execvp(arguments[0], arguments.data());
	_exit(127);
}


// Reads what `fd` gives until it closes or the time is over.
std::string
ReadAll(int fd, int seconds)
{
	std::string text;
	bigtime_t end = system_time() + bigtime_t(seconds) * 1000000;
	while (system_time() < end) {
		pollfd poller = { fd, POLLIN, 0 };
		if (poll(&poller, 1, 200) <= 0)
			continue;
		char buffer[512];
		ssize_t got = read(fd, buffer, sizeof(buffer));
		if (got <= 0)
			break;
		text.append(buffer, size_t(got));
	}
	return text;
}


void
End(pid_t pid)
{
	if (pid <= 0)
		return;
	kill(pid, SIGKILL);
	waitpid(pid, nullptr, 0);
}


// Waits until `condition` holds; false when it did not within the time.
template<typename Condition>
bool
WaitFor(Condition condition)
{
	bigtime_t end = system_time() + bigtime_t(kPatienceSeconds) * 1000000;
	while (system_time() < end) {
		if (condition())
			return true;
		snooze(50000);
	}
	return condition();
}


class RecoveryProcessTest : public ProgramTest {
protected:
	void SetUp() override
	{
		ProgramTest::SetUp();
		if (BPrivate::find_in_path("Xvfb").empty()
			|| BPrivate::find_in_path("xdotool").empty())
			GTEST_SKIP() << "Xvfb and xdotool are needed";

		// A display of its own: Xvfb picks a free number and tells it.
		int channel[2];
		ASSERT_EQ(pipe(channel), 0);
		fServer = Start({ "Xvfb", "-displayfd", std::to_string(channel[1]),
			"-screen", "0", "1024x768x24", "-nolisten", "tcp" }, {}, -1,
			channel[1]);
		close(channel[1]);
		std::string number = ReadLine(channel[0]);
		close(channel[0]);
		ASSERT_FALSE(number.empty()) << "Xvfb did not start";
		fDisplay = ":" + number;

		fState = fDirectory + "/state";
		fPage = fDirectory + "/page.html";
		WriteFile(fPage, kPage);
		ScopedEnv state;
		state.Set("XDG_STATE_HOME", fState);
		fRecovery = RecoveryCopyPath(fPage);
	}

	void TearDown() override
	{
		End(fEditor);
		End(fServer);
		ProgramTest::TearDown();
	}

	static std::string ReadLine(int fd)
	{
		std::string text;
		bigtime_t end = system_time() + bigtime_t(kPatienceSeconds) * 1000000;
		while (text.find('\n') == std::string::npos && system_time() < end) {
			pollfd poller = { fd, POLLIN, 0 };
			if (poll(&poller, 1, 200) <= 0)
				continue;
			char c;
			if (read(fd, &c, 1) <= 0)
				break;
			text += c;
		}
		while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
			text.pop_back();
		return text;
	}

	void StartEditor()
	{
		std::string program = QUILLORA_BINARY_DIR "/Quillora";
		fEditor = Start({ program, fPage }, { { "DISPLAY", fDisplay },
			{ "QT_QPA_PLATFORM", "xcb" }, { "XDG_STATE_HOME", fState } });
	}

	void KillEditor()
	{
		ASSERT_EQ(kill(fEditor, SIGKILL), 0);
		int status = 0;
		waitpid(fEditor, &status, 0);
		EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
		fEditor = -1;
	}

	// xdotool on our display; its standard output.
	std::string XDoTool(const std::vector<std::string>& arguments)
	{
		std::vector<std::string> argv = { "timeout",
			std::to_string(kPatienceSeconds), "xdotool" };
		argv.insert(argv.end(), arguments.begin(), arguments.end());
		int channel[2];
		if (pipe(channel) != 0)
			return std::string();
		pid_t child = Start(argv, { { "DISPLAY", fDisplay } }, channel[1]);
		close(channel[1]);
		std::string output = ReadAll(channel[0], kPatienceSeconds + 5);
		close(channel[0]);
		waitpid(child, nullptr, 0);
		return output;
	}

	// Waits for a shown window whose name matches `pattern`; its id.
	std::string Window(const char* pattern)
	{
		std::string found = XDoTool({ "search", "--sync", "--onlyvisible",
			"--name", pattern });
		return found.substr(0, found.find('\n'));
	}

	// Left, top, width, height of a window.
	std::vector<int> Geometry(const std::string& window)
	{
		std::string text = XDoTool({ "getwindowgeometry", "--shell",
			window });
		std::vector<int> values;
		for (const char* key : { "X=", "Y=", "WIDTH=", "HEIGHT=" }) {
			size_t at = text.find(std::string("\n") + key);
			if (at == std::string::npos && text.rfind(key, 0) == 0)
				at = 0;
			else if (at != std::string::npos)
				at++;
			values.push_back(at == std::string::npos ? -1
				: atoi(text.c_str() + at + strlen(key)));
		}
		return values;
	}

	// The pointer over a window: without a window manager the keyboard
	// goes to the window under the pointer.
	void PointInto(const std::string& window, int x, int y)
	{
		std::vector<int> frame = Geometry(window);
		ASSERT_GE(frame[0], 0) << "no geometry for " << window;
		XDoTool({ "mousemove", std::to_string(frame[0] + x),
			std::to_string(frame[1] + y) });
	}

	bool CopyHolds(const std::string& text, bigtime_t newerThan = 0)
	{
		RecoveryCopy copy;
		return read_recovery_copy(fRecovery.c_str(), &copy)
			&& copy.time > newerThan
			&& copy.document.find(text) != std::string::npos;
	}

	bigtime_t CopyTime()
	{
		RecoveryCopy copy;
		return read_recovery_copy(fRecovery.c_str(), &copy) ? copy.time : 0;
	}

	pid_t fServer = -1;
	pid_t fEditor = -1;
	std::string fDisplay;
	std::string fState;
	std::string fPage;
	std::string fRecovery;
};

}	// namespace


TEST_F(RecoveryProcessTest, AKilledEditorOffersItsLastCopyAtTheNextStart)
{
	// Typed through the window: the copy follows a few seconds later,
	// and the page file is not touched.
	StartEditor();
	std::string visual = Window("^Quillora: Killed - ");
	ASSERT_FALSE(visual.empty()) << "the editor did not come up";
	PointInto(visual, 400, 300);
	XDoTool({ "type", "--delay", "40", "Recoverable" });
	ASSERT_TRUE(WaitFor([&] { return CopyHolds("Recoverable"); }))
		<< ReadFile(fRecovery);
	EXPECT_EQ(ReadFile(fPage), kPage);
	KillEditor();
	ASSERT_TRUE(FileExists(fRecovery)) << "a kill leaves the copy";

	// Started again: the question; Enter answers "Recover".
	bigtime_t killedCopy = CopyTime();
	StartEditor();
	std::string question = Window("^Alert$");
	ASSERT_FALSE(question.empty()) << "no question at the start";
	PointInto(question, 60, 20);
	XDoTool({ "key", "Escape" });
	XDoTool({ "key", "Return" });
	// The recovered page is copied anew once it is shown; the page file
	// has not changed.
	ASSERT_TRUE(WaitFor([&] {
		return CopyHolds("Recoverable", killedCopy); }));
	EXPECT_EQ(ReadFile(fPage), kPage);

	// Saving writes the change and takes the copy away.
	visual = Window("^Quillora: Killed - ");
	PointInto(visual, 400, 300);
	XDoTool({ "key", "alt+s" });
	ASSERT_TRUE(WaitFor([&] {
		return ReadFile(fPage).find("Recoverable")
			!= std::string::npos; })) << ReadFile(fPage);
	EXPECT_TRUE(WaitFor([&] { return !FileExists(fRecovery); }));
	std::string saved = ReadFile(fPage);

	// More typing, another kill, another start: "Discard" removes the
	// copy and the page stays as saved.
	XDoTool({ "type", "--delay", "40", "Throwaway" });
	ASSERT_TRUE(WaitFor([&] { return CopyHolds("Throwaway"); }))
		<< ReadFile(fRecovery);
	KillEditor();
	StartEditor();
	question = Window("^Alert$");
	ASSERT_FALSE(question.empty()) << "no question at the second start";
	std::vector<int> frame = Geometry(question);
	// "Discard" sits alone at the bottom left.
	PointInto(question, 90, frame[3] - 22);
	XDoTool({ "click", "1" });
	EXPECT_TRUE(WaitFor([&] { return !FileExists(fRecovery); }));
	visual = Window("^Quillora: Killed - ");
	EXPECT_FALSE(visual.empty());
	EXPECT_EQ(ReadFile(fPage), saved);
}
