// The settings and their file, in a temporary home and configuration folder.
#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <Alert.h>
#include <Application.h>
#include <Font.h>

#include "Config.h"
#include "Functions.h"
#include "ProgramFixture.h"

using namespace quillora_test;

namespace {

class Settings : public testing::Test {
protected:
	void SetUp() override
	{
		if (be_app == nullptr)
			new BApplication("application/x-vnd.Quillora-test");
		Config::SetWritable(true);

		fRoot = fHome.Root();
		ASSERT_FALSE(fRoot.empty());
		fFile = fRoot + "/config/Brindel/Quillora_settings";
	}

	void TearDown() override
	{
		Config::SetWritable(true);
	}

	std::vector<std::string> Lines() const
	{
		std::string contents = ReadFile(fFile);
		EXPECT_TRUE(contents.empty() || contents.back() == '\n')
			<< "text after the last line feed";
		return SplitLines(contents);
	}

	void Write(const std::string& bytes)
	{
		mkdir((fRoot + "/config").c_str(), 0700);
		mkdir((fRoot + "/config/Brindel").c_str(), 0700);
		WriteFile(fFile, bytes);
	}

	static std::string Header()
	{
		return "Brindel Quillora 1.00 configuration file\n"
			"Do not delete these two lines. Do not modify this file manually! "
			"Use Edit-Settings instead.\n";
	}

	static bool HasStyle(const char* family, const char* wanted,
		uint32 flag = 0)
	{
		font_family name;
		strncpy(name, family, sizeof(name) - 1);
		name[sizeof(name) - 1] = '\0';
		int32 count = count_font_styles(name);
		for (int32 i = 0; i < count; i++) {
			font_style style;
			uint32 flags = 0;
			if (get_font_style(name, i, &style, &flags) != B_OK)
				continue;
			if (wanted != nullptr && strcmp(style, wanted) == 0)
				return true;
			if (flag != 0 && (flags & flag) != 0)
				return true;
		}
		return false;
	}

	TemporaryHome fHome{"settings"};
	AlertRecorder fResponder;
	std::string fRoot;
	std::string fFile;
};

TEST_F(Settings, FirstStartWritesDefaults)
{
	Config config;
	EXPECT_TRUE(config.IsFirstStart());
	EXPECT_EQ(&config, Config::Current());
	EXPECT_EQ(0, fResponder.CountAlerts()) << fResponder.LastText();

	// The defaults come from the installed fonts.
	ASSERT_NE(nullptr, config.proportionalFamily);
	ASSERT_NE(nullptr, config.fixedFamily);
	EXPECT_TRUE(HasStyle(config.proportionalFamily, "Italic"));
	EXPECT_TRUE(HasStyle(config.proportionalFamily, "Bold"));
	EXPECT_TRUE(HasStyle(config.proportionalFamily, "Bold Italic"));
	EXPECT_TRUE(HasStyle(config.fixedFamily, nullptr, B_IS_FIXED));
	EXPECT_EQ(10, config.proportionalSize);
	EXPECT_EQ(10, config.fixedSize);
	EXPECT_EQ(nullptr, config.userName);
	EXPECT_EQ(nullptr, config.imageDirectory);

	// The program's directory is the test program's own, ending in "/".
	ASSERT_NE(nullptr, config.applicationDirectory);
	std::string directory = config.applicationDirectory;
	EXPECT_EQ(RunningProgramFolder(), directory);

	// Ten lines, line feeds only, families before sizes.
	std::vector<std::string> lines = Lines();
	ASSERT_EQ(10u, lines.size());
	EXPECT_EQ("Brindel Quillora 1.00 configuration file", lines[0]);
	EXPECT_EQ("Do not delete these two lines. Do not modify this file manually! "
		"Use Edit-Settings instead.", lines[1]);
	EXPECT_EQ("1.000", lines[2]);
	EXPECT_EQ(directory, lines[3]);
	EXPECT_EQ("", lines[4]);
	EXPECT_EQ("", lines[5]);
	EXPECT_EQ(config.proportionalFamily, lines[6]);
	EXPECT_EQ(config.fixedFamily, lines[7]);
	EXPECT_EQ("10", lines[8]);
	EXPECT_EQ("10", lines[9]);
	EXPECT_EQ(std::string::npos, ReadFile(fFile).find('\r'));

	// The next start reads what was written and is no first start.
	Config again;
	EXPECT_FALSE(again.IsFirstStart());
	EXPECT_STREQ(config.applicationDirectory, again.applicationDirectory);
	EXPECT_STREQ(config.proportionalFamily, again.proportionalFamily);
	EXPECT_EQ(&again, Config::Current());
}

TEST_F(Settings, StoredValuesWinAndRoundTrip)
{
	Write(Header() + "1.000\n/moved/away/\nAnn Author\nimages/\n"
		"Some Family\nSome Mono\n12\n14\n");
	{
		Config config;
		EXPECT_FALSE(config.IsFirstStart());
		// The program was moved since the file was written: its folder is
		// where it runs now, not where the file says.
		EXPECT_EQ(RunningProgramFolder(), config.applicationDirectory);
		EXPECT_STREQ("Ann Author", config.userName);
		EXPECT_STREQ("images/", config.imageDirectory);
		EXPECT_STREQ("Some Family", config.proportionalFamily);
		EXPECT_STREQ("Some Mono", config.fixedFamily);
		EXPECT_EQ(12, config.proportionalSize);
		EXPECT_EQ(14, config.fixedSize);

		delete[] config.userName;
		config.userName = new char[1];
		config.userName[0] = '\0';
		config.fixedSize = -3;
		config.Save();
	}
	std::vector<std::string> lines = Lines();
	ASSERT_EQ(10u, lines.size());
	EXPECT_EQ(RunningProgramFolder(), lines[3]);
	EXPECT_EQ("", lines[4]);
	EXPECT_EQ("-3", lines[9]);

	Config reread;
	ASSERT_NE(nullptr, reread.userName);
	EXPECT_STREQ("", reread.userName);
	EXPECT_EQ(-3, reread.fixedSize);
}

TEST_F(Settings, UnusableFilesAreReplaced)
{
	// Another version: nothing of it is used, and it is written afresh.
	Write(Header() + "2.000\n/dir/\nAnn\nimg/\nFam\nMono\n12\n12\n");
	{
		Config config;
		EXPECT_TRUE(config.IsFirstStart());
		EXPECT_EQ(nullptr, config.userName);
		EXPECT_EQ(nullptr, config.imageDirectory);
		EXPECT_EQ(10, config.proportionalSize);
	}
	EXPECT_EQ("1.000", Lines()[2]);
	EXPECT_EQ("", Lines()[4]);

	// Cut short after line 8 or 9: the defaults stand.
	for (const char* tail : { "", "12\n" }) {
		Write(Header() + "1.000\n/dir/\nAnn\nimg/\nFam\nMono\n" + tail);
		{
			Config config;
			EXPECT_TRUE(config.IsFirstStart()) << tail;
			EXPECT_EQ(nullptr, config.userName);
			EXPECT_STRNE("Fam", config.proportionalFamily);
		}
		EXPECT_EQ(10u, Lines().size());
	}

	// Empty and header-only files.
	for (const std::string& bytes : { std::string(), Header() }) {
		Write(bytes);
		Config config;
		EXPECT_TRUE(config.IsFirstStart());
		EXPECT_EQ(10u, Lines().size());
	}
	EXPECT_EQ(0, fResponder.CountAlerts()) << fResponder.LastText();
}

TEST_F(Settings, InstalledSystemWideMeansUnderUsr)
{
	Config config;
	struct Case { const char* folder; bool installed; };
	for (const Case& c : { Case{ "/usr/lib/quillora/", true },
			Case{ "/usr/local/lib/quillora/", true },
			Case{ "/usrlocal/quillora/", false },
			Case{ "/home/ann/usr/lib/quillora/", false },
			Case{ "usr/lib/quillora/", false }, Case{ "", false } }) {
		delete[] config.applicationDirectory;
		config.applicationDirectory = newtext(c.folder);
		EXPECT_EQ(c.installed, config.IsInstalledSystemWide()) << c.folder;
	}
	delete[] config.applicationDirectory;
	config.applicationDirectory = nullptr;
	EXPECT_FALSE(config.IsInstalledSystemWide());
}

TEST_F(Settings, SizeLines)
{
	Write(Header() + "1.000\n/d/\n\n\nFam\nMono\n  +12pt\nnone\n");
	Config config;
	EXPECT_FALSE(config.IsFirstStart());
	EXPECT_EQ(12, config.proportionalSize);
	EXPECT_EQ(0, config.fixedSize);

	// Absurd hand-edited numbers are held at the 32-bit range.
	Write(Header() + "1.000\n/d/\n\n\nFam\nMono\n99999999999999\n"
		"-99999999999999\n");
	Config huge;
	EXPECT_EQ(INT32_MAX, huge.proportionalSize);
	EXPECT_EQ(INT32_MIN, huge.fixedSize);
}

TEST_F(Settings, LineFeedsInValuesDoNotShiftLines)
{
	{
		Config config;
		delete[] config.userName;
		config.userName = new char[12];
		strcpy(config.userName, "Ann\nAuthor");
		delete[] config.imageDirectory;
		config.imageDirectory = new char[16];
		strcpy(config.imageDirectory, "pics\r\n/");
		config.proportionalSize = 18;
		config.Save();
	}
	std::vector<std::string> lines = Lines();
	ASSERT_EQ(10u, lines.size());
	EXPECT_EQ("Ann Author", lines[4]);
	EXPECT_EQ("pics  /", lines[5]);
	EXPECT_EQ("18", lines[8]);

	Config reread;
	EXPECT_FALSE(reread.IsFirstStart());
	EXPECT_STREQ("Ann Author", reread.userName);
	EXPECT_EQ(18, reread.proportionalSize);
}

TEST_F(Settings, BatchModeNeverWrites)
{
	Config::SetWritable(false);
	{
		Config config;
		EXPECT_TRUE(config.IsFirstStart());
		EXPECT_NE(nullptr, config.proportionalFamily);
		config.Save();
	}
	EXPECT_FALSE(FileExists(fFile));

	// An existing file is read but left as it is.
	std::string bytes = Header() + "2.000\n";
	Write(bytes);
	{
		Config config;
		config.Save();
	}
	EXPECT_EQ(bytes, ReadFile(fFile));
}

TEST_F(Settings, UnwritableFolderIsSkippedSilently)
{
	// A file where the settings folder should be: nothing can be written.
	mkdir((fRoot + "/config").c_str(), 0700);
	std::ofstream((fRoot + "/config/Brindel").c_str()) << "in the way";
	Config config;
	EXPECT_TRUE(config.IsFirstStart());
	EXPECT_NE(nullptr, config.proportionalFamily);
	EXPECT_EQ(0, fResponder.CountAlerts()) << fResponder.LastText();
}

}	// namespace

namespace {

// Without an application there is no program file to find. With `stored`,
// a settings file naming that program folder is there first.
void
SettingsWithoutApplication(const char* stored = nullptr)
{
	std::string folder = MakeTemporaryFolder("noapp");
	if (folder.empty())
		_exit(2);
	setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
	if (stored != nullptr) {
		mkdir((folder + "/Brindel").c_str(), 0700);
		std::ofstream(folder + "/Brindel/Quillora_settings")
			<< "Brindel Quillora 1.00 configuration file\nDo not delete\n"
			<< "1.000\n" << stored << "\nAnn\n\nFam\nMono\n10\n10\n";
	}
	BRecordingAlertResponder responder;
	BAlert::SetResponder(&responder);
	Config config;
	fprintf(stderr, "directory=[%s] alerts=%d first=%d\n",
		config.applicationDirectory != nullptr ? config.applicationDirectory
			: "(none)", (int)responder.CountAlerts(), (int)config.IsFirstStart());
	for (int32 i = 0; i < responder.CountAlerts(); i++)
		fprintf(stderr, "alert: %s\n", responder.TextAt(i).c_str());
	fflush(stderr);
	RemoveTree(folder);
	_exit(0);
}

TEST(SettingsDeathTest, ProgramFileNotFound)
{
	GTEST_FLAG_SET(death_test_style, "threadsafe");
	EXPECT_EXIT(SettingsWithoutApplication(), testing::ExitedWithCode(0),
		"directory=\\[\\(none\\)\\] alerts=1 first=1\n"
		"alert: Could not find the path to Quillora\\.\n");
}


// A settings file that names a folder, and no program file to find: the
// stored folder is the best there is, and it is used without a word. An
// empty stored folder is no folder, and the failure is told.
TEST(SettingsDeathTest, StoredFolderStandsOnlyWhenTheProgramIsNotFound)
{
	GTEST_FLAG_SET(death_test_style, "threadsafe");
	EXPECT_EXIT(SettingsWithoutApplication("/opt/quillora/"),
		testing::ExitedWithCode(0),
		"directory=\\[/opt/quillora/\\] alerts=0 first=0\n");
	EXPECT_EXIT(SettingsWithoutApplication(""),
		testing::ExitedWithCode(0),
		"directory=\\[\\(none\\)\\] alerts=1 first=0\n"
		"alert: Could not find the path to Quillora\\.\n");
}

}	// namespace
