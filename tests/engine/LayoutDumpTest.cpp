// Layout expectations kept as data: every tests/data/layout/NAME.html is
// opened in a visual window of a fixed size and its chain dump (as
// `Quillora --dump` prints it) must equal NAME.dump beside it. The alerts
// that reading the page gives must be the lines of NAME.alerts (no file:
// none), the test data folder written as DATA.
//
// After an intended change of the layout, scripts/update-layout-dumps runs
// this test with QUILLORA_UPDATE_LAYOUT_DUMPS=1 set: then each dump (and
// list of alerts) is written instead of compared, and the change is
// reviewed in the diff.

#include "PageFixture.h"
#include "DataCases.h"

#include <algorithm>
#include <string>
#include <vector>

using namespace quillora_test;

namespace {

const std::string kFolder = QUILLORA_TEST_DATA "/layout";

// The visual window's frame size (right - left, bottom - top) for every
// case: 640 by 480 pixels.
const float kWindowWidth = 639;
const float kWindowHeight = 479;

class LayoutDump : public PageFixture,
	public testing::WithParamInterface<std::string> {
protected:
	std::string PageToOpen() const override
	{
		return kFolder + "/" + GetParam() + ".html";
	}
};


TEST_P(LayoutDump, MatchesTheExpectedDump)
{
	ASSERT_TRUE(Window()->Lock());
	Window()->ResizeTo(kWindowWidth, kWindowHeight);
	Window()->Unlock();
	BPrivate::dispatch_until_idle();
	ASSERT_TRUE(Window()->Lock());
	BRect frame = Window()->Frame();
	std::string dump = Dump();
	Window()->Unlock();
	ASSERT_EQ(kWindowWidth, frame.Width());
	ASSERT_EQ(kWindowHeight, frame.Height());

	std::string expectedPath = kFolder + "/" + GetParam() + ".dump";
	std::string alertsPath = kFolder + "/" + GetParam() + ".alerts";
	std::string alerts = AlertLines(fOpeningAlerts, QUILLORA_TEST_DATA, "DATA");
	if (RewritingExpected("QUILLORA_UPDATE_LAYOUT_DUMPS")) {
		RewriteExpected(expectedPath, dump);
		RewriteExpected(alertsPath, alerts);
		return;
	}
	ASSERT_TRUE(FileExists(expectedPath)) << expectedPath
		<< " is missing: write it with scripts/update-layout-dumps";
	std::string expected = ReadFile(expectedPath);
	EXPECT_TRUE(expected == dump) << GetParam() << ".dump differs "
		"(- expected, + laid out):\n" << DiffLines(expected, dump)
		<< "After an intended change: scripts/update-layout-dumps";
	std::string expectedAlerts = ReadFile(alertsPath);
	EXPECT_TRUE(expectedAlerts == alerts) << GetParam() << ".alerts differs "
		"(- expected, + reported):\n" << DiffLines(expectedAlerts, alerts)
		<< "After an intended change: scripts/update-layout-dumps";
}

INSTANTIATE_TEST_SUITE_P(Pages, LayoutDump,
	testing::ValuesIn(DataCases(kFolder, ".html")), DataCaseName);


// A dump or list of alerts whose page is gone would never be checked again.
TEST(LayoutDumps, EveryDumpHasItsPage)
{
	std::vector<std::string> pages = DataCases(kFolder, ".html");
	for (const char* ending : { ".dump", ".alerts" }) {
		for (const std::string& name : DataCases(kFolder, ending)) {
			EXPECT_TRUE(std::binary_search(pages.begin(), pages.end(), name))
				<< name << ending << " has no " << name << ".html";
		}
	}
}

}	// namespace
