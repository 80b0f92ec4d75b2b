// Reports go through a real BAlert; a recording responder answers them.
#include <gtest/gtest.h>

#include <limits.h>
#include <stdio.h>

#include <Alert.h>
#include <Application.h>

#include <string>

#include "AlertRecorder.h"
#include "Alerts.h"
#include "CrashProtector.h"
#include "Functions.h"

namespace {

class Reports : public testing::Test {
protected:
	void SetUp() override
	{
		if (be_app == nullptr)
			new BApplication("application/x-vnd.Quillora-test");
	}

	quillora_test::AlertRecorder fResponder;
};

TEST_F(Reports, PiecesAndNumbers)
{
	error("Could not open image file: ", "/x/y.gif",
		" The file is necessary to test the GIFTranslator.");
	ASSERT_EQ(1, fResponder.CountAlerts());
	EXPECT_EQ("Alert", fResponder.TitleAt(0));
	EXPECT_EQ("Could not open image file: /x/y.gif The file is necessary to "
		"test the GIFTranslator.", fResponder.TextAt(0));
	EXPECT_EQ(std::vector<std::string>{ "OK" }, fResponder.ButtonsAt(0));

	alert(nullptr, "b", nullptr, "d");
	error(nullptr, nullptr, nullptr, nullptr);
	errorINT(-42);
	alertint(INT_MIN);
	ASSERT_EQ(5, fResponder.CountAlerts());
	EXPECT_EQ("bd", fResponder.TextAt(1));
	EXPECT_EQ("", fResponder.TextAt(2));
	EXPECT_EQ("-42", fResponder.TextAt(3));
	EXPECT_EQ("-2147483648", fResponder.TextAt(4));
	EXPECT_EQ("Alert", fResponder.TitleAt(4));
}

TEST_F(Reports, TextsLongerThanAnyFixedBuffer)
{
	std::string path(6000, 'p');
	std::string tail(3000, 't');
	error("Could not open the file: ", path.c_str(), tail.c_str());
	ASSERT_EQ(1, fResponder.CountAlerts());
	EXPECT_EQ("Could not open the file: " + path + tail, fResponder.TextAt(0));
}

TEST_F(Reports, NumberHelpersReportAndGoOn)
{
	char out[3];
	EXPECT_STREQ("00", itoahex(256, out));
	EXPECT_STREQ("FF", itoahex(-255, out));
	ASSERT_EQ(1, fResponder.CountAlerts());
	EXPECT_EQ("itoahex can't convert numbers > 255", fResponder.TextAt(0));
	EXPECT_STREQ("FF", itoahex(4095, out));
	EXPECT_EQ(2, fResponder.CountAlerts());
}

// The application side of a forced quit, as the program's application
// answers 'fqut': it ends the process.
class ForceQuittingApp : public BApplication {
public:
	ForceQuittingApp()
		:
		BApplication("application/x-vnd.Quillora-crash-test")
	{
	}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'fqut') {
			fprintf(stderr, "forced quit after: %s\n",
				fResponder->LastText().c_str());
			fflush(stderr);
			_exit(42);
		}
		BApplication::MessageReceived(message);
	}

	BRecordingAlertResponder* fResponder = nullptr;
};

void
CrashAndContinue()
{
	ForceQuittingApp* app = new ForceQuittingApp;
	BRecordingAlertResponder responder;
	app->fResponder = &responder;
	BAlert::SetResponder(&responder);
	CrashProtector();
	// Never reached: the caller must not go on.
	fprintf(stderr, "caller went on\n");
	_exit(0);
}

// A looper that runs into the crash protector while handling a message,
// as a window's layout would.
class Unstable : public BLooper {
public:
	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'lay ') {
			CrashProtector();
			fprintf(stderr, "caller went on\n");
			_exit(0);
		}
		BLooper::MessageReceived(message);
	}
};

void
CrashInWindowLooper()
{
	ForceQuittingApp* app = new ForceQuittingApp;
	BRecordingAlertResponder responder;
	app->fResponder = &responder;
	BAlert::SetResponder(&responder);
	Unstable* looper = new Unstable;
	looper->Run();
	looper->PostMessage('lay ');
	app->Run();
	fprintf(stderr, "application ended without a forced quit\n");
	_exit(0);
}

const char* kCrashText = "forced quit after: Brindel CrashProtector has "
	"detected instability in system\\. It will close Quillora now to protect "
	"your data\\. You will be able to save your work\\.";

TEST(CrashProtectorDeathTest, BeforeTheApplicationRuns)
{
	GTEST_FLAG_SET(death_test_style, "threadsafe");
	EXPECT_EXIT(CrashAndContinue(), testing::ExitedWithCode(42), kCrashText);
}

TEST(CrashProtectorDeathTest, FromAnotherLooper)
{
	GTEST_FLAG_SET(death_test_style, "threadsafe");
	EXPECT_EXIT(CrashInWindowLooper(), testing::ExitedWithCode(42), kCrashText);
}

}	// namespace
