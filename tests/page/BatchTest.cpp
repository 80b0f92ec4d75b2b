/*
 * The batch modes, run as the real program in a child process on the sample
 * pages.
 */
#include "ProgramFixture.h"
#include "ProgramRun.h"

#include <OS.h>

#include <poll.h>
#include <signal.h>

#include "ChainDump.h"
#include "RecoveryFile.h"
#include "WYSIWYG_Engine.h"

using namespace quillora_test;

namespace {

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
	// The batch run does not lay the page out; the program here does, in
	// its window, with its lines broken and joined: the layout cases are
	// pages full of such lines.
	std::vector<std::string> names = { "road.html", "styled.html",
		"lowercase.html" };
	for (const char* layoutCase : { "long-words-overflow.html",
			"wrapped-paragraphs.html", "many-pieces-per-line.html",
			"preformatted-tabs.html", "lists-wrapping.html",
			"joined-whole.html" })
		names.push_back(std::string("../layout/") + layoutCase);
	for (const std::string& nameString : names) {
		const char* name = nameString.c_str();
		std::string source = ReadFile(Sample(name));
		ProgramRun result = RunProgram({ "--html", Sample(name) }, fConfigHome);
		EXPECT_EQ(result.status, 0) << name << ": " << result.err;
		EXPECT_EQ(AlertLines(result.err), "") << name;
		// Nothing was changed on disk.
		EXPECT_EQ(ReadFile(Sample(name)), source) << name;

		// The same document as the page generates inside the program.
		Open(Sample(name));
		EXPECT_EQ(result.out, GeneratedDocument(CurrentPage())) << name;
	}
}


TEST_F(BatchTest, DumpWritesTheChainWithFrames)
{
	ProgramRun result = RunProgram({ "--dump", Sample("road.html") }, fConfigHome);
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
	ProgramRun result = RunProgram({ "--snapshot", pictures, Sample("styled.html") },
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
	ProgramRun result = RunProgram({ "--html", Sample("stray.html") }, fConfigHome);
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
	ProgramRun result = RunProgram({ "--html", missing }, fConfigHome);
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
	ProgramRun result = RunProgram({ "--html", Sample("road.html") }, emptyConfig);
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


TEST_F(BatchTest, RecoveryCopiesAreNeitherOfferedNorWritten)
{
	// A copy newer than the page waits in a state folder of its own.
	ScopedEnv env;
	std::string state = fDirectory + "/state";
	env.Set("XDG_STATE_HOME", state);
	std::string page = fDirectory + "/page.html";
	WriteFile(page, "<TITLE>Saved</TITLE><BODY><P>Saved words</P></BODY>");
	std::string document = "<BODY><P>Recovered words</P></BODY>";
	ASSERT_EQ(WriteRecoveryCopy(page, document,
		real_time_clock_usecs() + 60000000), B_OK);
	std::string folder = state + "/Quillora/recovery";
	std::vector<std::string> before = ListDirectory(folder);
	std::string bytes = ReadFile(folder + "/" + before.at(0));

	// The page as its file has it, no question, the copy as it was.
	for (const char* mode : { "--html", "--dump" }) {
		ProgramRun result = RunProgram({ mode, page }, fConfigHome);
		EXPECT_EQ(result.status, 0) << result.err;
		EXPECT_NE(result.out.find("Saved words"), std::string::npos) << mode;
		EXPECT_EQ(result.out.find("Recovered"), std::string::npos) << mode;
		EXPECT_EQ(AlertLines(result.err), "") << mode;
		EXPECT_EQ(ListDirectory(folder), before);
		EXPECT_EQ(ReadFile(folder + "/" + before.at(0)), bytes);
	}

	// Without copies, a batch run makes no state folder either.
	std::string fresh = fDirectory + "/fresh-state";
	env.Set("XDG_STATE_HOME", fresh);
	ProgramRun result = RunProgram({ "--html", page }, fConfigHome);
	EXPECT_EQ(result.status, 0) << result.err;
	EXPECT_FALSE(FileExists(fresh));
}
