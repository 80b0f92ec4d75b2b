// Default font families chosen from what is installed. Each case runs in a
// fresh process whose font configuration lists only a few chosen fonts.
#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include <Alert.h>
#include <Application.h>
#include <Font.h>

#include "Config.h"
#include "TempFolder.h"

namespace {

const char* kFontFolder = "/usr/share/fonts/X11/Type1/";

const char* kNoFixedFont = "Fatal error: you haven't installed a fixed font! "
	"You must have at least one such font for running Quillora.";
const char* kNoStyledFont = "Fatal error: you haven't installed a font with "
	"\"Italic\", \"Bold\" and \"Bold Italic\" styles! You must have at least "
	"one such font for running Quillora.";

std::string
Escaped(const char* text)
{
	std::string pattern;
	for (const char* c = text; *c != '\0'; c++) {
		if (strchr(".[]()*+?{}|^$\\", *c) != nullptr)
			pattern += '\\';
		pattern += *c;
	}
	return pattern;
}

// Whether any installed family has a fixed-width style (the platform may
// list fixed families of its own besides the files given).
bool
AnyFixedStyle()
{
	for (int32 i = 0; i < count_font_families(); i++) {
		font_family family;
		if (get_font_family(i, &family) != B_OK)
			continue;
		for (int32 j = 0; j < count_font_styles(family); j++) {
			font_style style;
			uint32 flags = 0;
			if (get_font_style(family, j, &style, &flags) == B_OK
				&& (flags & B_IS_FIXED) != 0)
				return true;
		}
	}
	return false;
}

// Makes a font configuration that knows only the given font files, points
// the process at it, builds the settings and prints what they chose. Runs
// the application afterwards: after a fatal alert the quit request ends it.
void
ChooseFrom(const std::vector<std::string>& files)
{
	std::string root = quillora_test::MakeTemporaryFolder("fonts");
	if (root.empty())
		_exit(2);
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
	fprintf(stderr, "proportional=[%s]\n", config->proportionalFamily);

	// The fixed family is checked here, against what the platform lists.
	bool fixedInstalled = AnyFixedStyle();
	bool fixedAlert = false;
	for (int32 i = 0; i < responder.CountAlerts(); i++) {
		fprintf(stderr, "alert: %s\n", responder.TextAt(i).c_str());
		fixedAlert |= responder.TextAt(i) == kNoFixedFont;
	}
	bool fixedChosen = config->fixedFamily[0] != '\0';
	fprintf(stderr, "fixed check: %s\n", fixedInstalled == fixedChosen
		&& fixedAlert == !fixedInstalled ? "ok" : "wrong");
	delete config;

	if (responder.CountAlerts() > 0) {
		alarm(30);
		app->Run();
		fprintf(stderr, "run ended\n");
	}
	fflush(stderr);
	quillora_test::RemoveTree(root);
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
	// C059 has only "Bold", Nimbus Sans all three.
	EXPECT_EXIT(ChooseFrom({ "C059-Bold.pfb", "NimbusMonoPS-Regular.pfb",
			"NimbusSans-Regular.pfb", "NimbusSans-Bold.pfb",
			"NimbusSans-Italic.pfb", "NimbusSans-BoldItalic.pfb" }),
		testing::ExitedWithCode(0),
		"proportional=\\[Nimbus Sans\\]\nfixed check: ok\n");
}

TEST_F(FontChoiceDeathTest, NoFixedFont)
{
	EXPECT_EXIT(ChooseFrom({ "NimbusSans-Regular.pfb", "NimbusSans-Bold.pfb",
			"NimbusSans-Italic.pfb", "NimbusSans-BoldItalic.pfb" }),
		testing::ExitedWithCode(0),
		"proportional=\\[Nimbus Sans\\]\n.*fixed check: ok");
}

TEST_F(FontChoiceDeathTest, NoItalicBoldFamilyIsFatal)
{
	// Oblique is not Italic.
	EXPECT_EXIT(ChooseFrom({ "NimbusSansNarrow-Regular.pfb",
			"NimbusSansNarrow-Bold.pfb", "NimbusSansNarrow-Oblique.pfb",
			"NimbusSansNarrow-BoldOblique.pfb", "NimbusMonoPS-Regular.pfb" }),
		testing::ExitedWithCode(0),
		std::string("proportional=\\[\\]\nalert: ") + Escaped(kNoStyledFont)
			+ "\nfixed check: ok\nrun ended");
}

}	// namespace
