// Default font families chosen from what is installed. Each case runs in a
// fresh process whose font configuration lists only a few chosen fonts.
#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include <Alert.h>
#include <Application.h>

#include "Config.h"

namespace {

const char* kFontFolder = "/usr/share/fonts/opentype/urw-base35/";

// Makes a font configuration that knows only the given font files, points
// the process at it, builds the settings and prints what they chose.
void
ChooseFrom(const std::vector<std::string>& files, bool runAfterwards)
{
	char folder[] = "/tmp/quillora-fonts-XXXXXX";
	if (mkdtemp(folder) == nullptr)
		_exit(2);
	std::string root = folder;
	mkdir((root + "/fonts").c_str(), 0700);
	for (const std::string& file : files) {
		if (symlink((kFontFolder + file).c_str(),
				(root + "/fonts/" + file).c_str()) != 0)
			_exit(3);
	}
	std::ofstream((root + "/fonts.conf").c_str())
		<< "<?xml version=\"1.0\"?>\n<fontconfig>\n<dir>" << root
		<< "/fonts</dir>\n<cachedir>" << root << "/cache</cachedir>\n"
		<< "</fontconfig>\n";
	setenv("FONTCONFIG_FILE", (root + "/fonts.conf").c_str(), 1);
	setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);

	BApplication* app = new BApplication("application/x-vnd.Quillora-test");
	BRecordingAlertResponder responder;
	BAlert::SetResponder(&responder);
	Config::SetWritable(false);
	Config* config = new Config;
	fprintf(stderr, "proportional=[%s] fixed=[%s] alerts=%d\n",
		config->proportionalFamily, config->fixedFamily,
		(int)responder.CountAlerts());
	for (int32 i = 0; i < responder.CountAlerts(); i++)
		fprintf(stderr, "alert: %s\n", responder.TextAt(i).c_str());
	delete config;
	if (runAfterwards) {
		// A quit has been asked for: running ends at once.
		alarm(30);
		app->Run();
		fprintf(stderr, "run ended\n");
	}
	fflush(stderr);
	system(("rm -rf '" + root + "'").c_str());
	_exit(0);
}

class FontChoiceDeathTest : public testing::Test {
protected:
	void SetUp() override
	{
		GTEST_FLAG_SET(death_test_style, "threadsafe");
		struct stat info;
		if (stat(kFontFolder, &info) != 0)
			GTEST_SKIP() << "the URW base fonts are not installed";
	}
};

TEST_F(FontChoiceDeathTest, FamilyWithAllThreeStylesWins)
{
	// C059 has only "Bold", Nimbus Sans all three; Nimbus Mono PS is fixed
	// but has only its regular face.
	EXPECT_EXIT(ChooseFrom({ "C059-Bold.otf", "NimbusMonoPS-Regular.otf",
			"NimbusSans-Regular.otf", "NimbusSans-Bold.otf",
			"NimbusSans-Italic.otf", "NimbusSans-BoldItalic.otf" }, false),
		testing::ExitedWithCode(0),
		"proportional=\\[Nimbus Sans\\] fixed=\\[Nimbus Mono PS\\] alerts=0");
}

TEST_F(FontChoiceDeathTest, NoFixedFontIsFatal)
{
	EXPECT_EXIT(ChooseFrom({ "NimbusSans-Regular.otf", "NimbusSans-Bold.otf",
			"NimbusSans-Italic.otf", "NimbusSans-BoldItalic.otf" }, true),
		testing::ExitedWithCode(0),
		"proportional=\\[Nimbus Sans\\] fixed=\\[\\] alerts=1\n"
		"alert: Fatal error: you haven't installed a fixed font! You must have "
		"at least one such font for running Quillora\\.\n"
		"run ended");
}

TEST_F(FontChoiceDeathTest, NoItalicBoldFamilyIsFatal)
{
	// Oblique is not Italic.
	EXPECT_EXIT(ChooseFrom({ "NimbusSansNarrow-Regular.otf",
			"NimbusSansNarrow-Bold.otf", "NimbusSansNarrow-Oblique.otf",
			"NimbusSansNarrow-BoldOblique.otf", "NimbusMonoPS-Regular.otf" },
			true),
		testing::ExitedWithCode(0),
		"proportional=\\[\\] fixed=\\[Nimbus Mono PS\\] alerts=1\n"
		"alert: Fatal error: you haven't installed a font with \"Italic\", "
		"\"Bold\" and \"Bold Italic\" styles! You must have at least one such "
		"font for running Quillora\\.\nrun ended");
}

}	// namespace
