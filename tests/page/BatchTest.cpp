/*
 * The batch modes, run as the real program in a child process on the sample
 * pages.
 */
#include "ProgramFixture.h"

#include <poll.h>
#include <signal.h>

#include "ChainDump.h"
#include "WYSIWYG_Engine.h"

using namespace quillora_test;

namespace {

struct Result {
	int status = -1;
	std::string out;
	std::string err;
};


// Runs the built program with `arguments` and an environment whose
// settings folder is `configHome`; collects both output streams, or sends
// standard output into `outputFile` when one is given.
Result
RunProgram(const std::vector<std::string>& arguments,
	const std::string& configHome, const char* outputFile = nullptr)
{
	int outPipe[2];
	int errPipe[2];
	Result result;
	if (pipe(outPipe) != 0 || pipe(errPipe) != 0)
		return result;

	pid_t child = fork();
	if (child == 0) {
		if (outputFile != nullptr) {
			int output = open(outputFile, O_WRONLY);
			if (output < 0)
				_exit(126);
			dup2(output, 1);
		} else
			dup2(outPipe[1], 1);
		dup2(errPipe[1], 2);
		close(outPipe[0]);
		close(errPipe[0]);
		setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);
		// The batch modes pick the offscreen platform themselves.
		unsetenv("QT_QPA_PLATFORM");
		unsetenv("DISPLAY");
		std::vector<char*> argv;
		std::string program = QUILLORA_BINARY_DIR "/Quillora";
		argv.push_back(&program[0]);
		for (const std::string& argument : arguments)
			argv.push_back(const_cast<char*>(argument.c_str()));
		argv.push_back(nullptr);
		execv(argv[0], argv.data());
		_exit(127);
	}
	close(outPipe[1]);
	close(errPipe[1]);

	pollfd fds[2] = { { outPipe[0], POLLIN, 0 }, { errPipe[0], POLLIN, 0 } };
	int open = 2;
	while (open > 0) {
		if (poll(fds, 2, 60000) <= 0) {
			// A run that never ends (a window waiting for a user) fails the
			// test instead of hanging it.
			kill(child, SIGKILL);
			break;
		}
		for (pollfd& fd : fds) {
			if (fd.fd < 0 || (fd.revents & (POLLIN | POLLHUP)) == 0)
				continue;
			char buffer[65536];
			ssize_t got = read(fd.fd, buffer, sizeof(buffer));
			if (got <= 0) {
				close(fd.fd);
				fd.fd = -1;
				open--;
				continue;
			}
			(fd.fd == fds[0].fd ? result.out : result.err).append(buffer,
				size_t(got));
		}
	}
	int status;
	waitpid(child, &status, 0);
	result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
	return result;
}


// The lines of standard error that report alerts (the host's own
// messages may come in between).
std::string
AlertLines(const std::string& err)
{
	std::istringstream lines(err);
	std::string line;
	std::string alerts;
	while (std::getline(lines, line)) {
		if (line.rfind("Alert: ", 0) == 0)
			alerts += line + "\n";
	}
	return alerts;
}


class BatchTest : public ProgramTest {
protected:
	void SetUp() override
	{
		ProgramTest::SetUp();
		// The program's settings live where the tests keep theirs.
		fConfigHome = getenv("XDG_CONFIG_HOME");
	}

	std::string Sample(const char* name)
	{
		return std::string(QUILLORA_TEST_DATA "/pages/") + name;
	}

	std::string fConfigHome;
};

}	// namespace


TEST_F(BatchTest, HtmlWritesTheDocumentOfTheOpenedPage)
{
	for (const char* name : { "road.html", "styled.html", "lowercase.html" }) {
		std::string source = ReadFile(Sample(name));
		Result result = RunProgram({ "--html", Sample(name) }, fConfigHome);
		EXPECT_EQ(result.status, 0) << name << ": " << result.err;
		EXPECT_EQ(AlertLines(result.err), "") << name;
		// Nothing was changed on disk.
		EXPECT_EQ(ReadFile(Sample(name)), source) << name;

		// The same document as the page generates inside the program.
		Open(Sample(name));
		Page* page = CurrentPage();
		page->GenerateHTML();
		EXPECT_EQ(result.out, std::string(page->HTMLBuffer(),
			page->HTMLBufferLength())) << name;
	}
}


TEST_F(BatchTest, DumpWritesTheChainWithFrames)
{
	Result result = RunProgram({ "--dump", Sample("road.html") }, fConfigHome);
	ASSERT_EQ(result.status, 0) << result.err;
	Open(Sample("road.html"));
	EXPECT_EQ(result.out, DumpChain(CurrentPage()->visualWindow->engine));
	EXPECT_EQ(result.out.rfind("0 WText eol=", 0), 0u) << result.out;
	EXPECT_NE(result.out.find("text=\"big\""), std::string::npos);
	EXPECT_NE(result.out.find(" frame="), std::string::npos);
}


TEST_F(BatchTest, SnapshotWritesPicturesOfBothWindows)
{
	std::string pictures = fDirectory + "/shots";
	mkdir(pictures.c_str(), 0755);
	Result result = RunProgram({ "--snapshot", pictures, Sample("styled.html") },
		fConfigHome);
	ASSERT_EQ(result.status, 0) << result.err;
	for (const char* name : { "/visual.png", "/html.png" }) {
		std::string png = ReadFile(pictures + name);
		ASSERT_GT(png.size(), 1000u) << name;
		EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
	}

	// A folder that is not there is reported.
	result = RunProgram({ "--snapshot", fDirectory + "/none",
		Sample("road.html") }, fConfigHome);
	EXPECT_NE(result.status, 0);
	EXPECT_NE(result.err.find("none"), std::string::npos);
}


TEST_F(BatchTest, AlertsGoToStandardErrorAnsweredWithTheFirstButton)
{
	Result result = RunProgram({ "--html", Sample("stray.html") }, fConfigHome);
	EXPECT_EQ(result.status, 0);
	EXPECT_EQ(AlertLines(result.err),
		"Alert: Error: found closing '>', but no opening for it\n");
	// The stray byte is kept as text.
	EXPECT_TRUE(result.out.find("a &gt; b ") != std::string::npos
		|| result.out.find("a > b ") != std::string::npos) << result.out;
}


TEST_F(BatchTest, UnreadablePagesAndBadCommandLinesFail)
{
	std::string missing = fDirectory + "/missing.html";
	Result result = RunProgram({ "--html", missing }, fConfigHome);
	EXPECT_EQ(result.status, 1);
	EXPECT_NE(result.err.find("missing.html"), std::string::npos);
	EXPECT_EQ(result.out, "");
	// A batch run creates no page.
	EXPECT_FALSE(FileExists(missing));

	result = RunProgram({ "--dump", fDirectory }, fConfigHome);
	EXPECT_EQ(result.status, 1);

	// Output that cannot be written fails with a message.
	if (FileExists("/dev/full")) {
		result = RunProgram({ "--html", Sample("road.html") }, fConfigHome,
			"/dev/full");
		EXPECT_EQ(result.status, 1);
		EXPECT_NE(result.err.find("could not write"), std::string::npos)
			<< result.err;
		result = RunProgram({ "--dump", Sample("road.html") }, fConfigHome,
			"/dev/full");
		EXPECT_EQ(result.status, 1);
		EXPECT_NE(result.err.find("could not write"), std::string::npos)
			<< result.err;
	}

	result = RunProgram({ "--html" }, fConfigHome);
	EXPECT_EQ(result.status, 2);
	EXPECT_NE(result.err.find("Usage"), std::string::npos);

	// An option that is not understood is not taken for a page to create.
	char here[4096];
	ASSERT_NE(getcwd(here, sizeof(here)), nullptr);
	ASSERT_EQ(chdir(fDirectory.c_str()), 0);
	result = RunProgram({ "--help" }, fConfigHome);
	ASSERT_EQ(chdir(here), 0);
	EXPECT_EQ(result.status, 2);
	EXPECT_NE(result.err.find("Usage"), std::string::npos);
	EXPECT_TRUE(ListDirectory(fDirectory).empty());
}


TEST_F(BatchTest, SettingsAreReadButNeverWritten)
{
	// Without a settings file the program runs on defaults and leaves the
	// folder empty: no settings file, no installation.
	std::string emptyConfig = fDirectory + "/config";
	mkdir(emptyConfig.c_str(), 0755);
	Result result = RunProgram({ "--html", Sample("road.html") }, emptyConfig);
	EXPECT_EQ(result.status, 0) << result.err;
	EXPECT_NE(result.out.find("<BODY"), std::string::npos);
	EXPECT_TRUE(ListDirectory(emptyConfig).empty());

	// The author from the settings file reaches the document.
	Config* config = Config::Current();
	std::string settings = ReadFile(fConfigHome + "/Brindel/Quillora_settings");
	ASSERT_FALSE(settings.empty());
	mkdir((emptyConfig + "/Brindel").c_str(), 0755);
	std::string withAuthor = settings;
	size_t line = 0;
	for (int i = 0; i < 4; i++)
		line = withAuthor.find('\n', line) + 1;
	size_t end = withAuthor.find('\n', line);
	withAuthor.replace(line, end - line, "Batch Author");
	WriteFile(emptyConfig + "/Brindel/Quillora_settings", withAuthor);
	result = RunProgram({ "--html", Sample("road.html") }, emptyConfig);
	EXPECT_NE(result.out.find("CONTENT=\"Batch Author\""), std::string::npos)
		<< result.out;
	EXPECT_EQ(ReadFile(emptyConfig + "/Brindel/Quillora_settings"), withAuthor);
	(void)config;
}
