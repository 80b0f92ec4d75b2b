// Alerts: the recording responder, real modal alert windows answered with
// keys and clicks, and the other loopers going on meanwhile.
#include <gtest/gtest.h>

#include <Alert.h>
#include <Button.h>
#include <Invoker.h>
#include <Messenger.h>
#include <TextView.h>

#include <string>

#include "ControlsTesting.h"

namespace {

class ResponderGuard {
public:
	explicit ResponderGuard(BAlertResponder* responder)
	{
		BAlert::SetResponder(responder);
	}
	~ResponderGuard() { BAlert::SetResponder(NULL); }
};


BAlert*
save_question()
{
	return new BAlert("Alert", "Closing ...\nSave changes to the document "
		"\"/tmp/a.html\"?", "Cancel", "Don't Save", "Save", B_WIDTH_AS_USUAL,
		B_OFFSET_SPACING, B_WARNING_ALERT);
}


// A looper whose handler asks a question, as a window's handler does.
class AskingLooper : public BLooper {
public:
	AskingLooper(std::vector<std::string>* log)
		: BLooper("asking"), fLog(log)
	{
	}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'ask ') {
			fLog->push_back("A:begin");
			alert = save_question();
			result = alert->Go();
			alert = NULL;
			fLog->push_back("A:end " + std::to_string(result));
		} else
			fLog->push_back("A:other");
	}

	BAlert* alert = NULL;
	int32 result = -100;

private:
	std::vector<std::string>* fLog;
};


class OtherLooper : public BLooper {
public:
	OtherLooper(std::vector<std::string>* log, AskingLooper* asking)
		: BLooper("other"), fLog(log), fAsking(asking)
	{
	}

	void MessageReceived(BMessage* message) override
	{
		fLog->push_back(std::string("B:") + (message->what == 'answ'
			? "answer" : "ping"));
		if (message->what == 'answ' && fAsking->alert != NULL)
			ControlsWindow::KeyTo(fAsking->alert, "\n");
	}

private:
	std::vector<std::string>* fLog;
	AskingLooper* fAsking;
};

}	// namespace


TEST(AlertTest, ResponderAnswersByLabelIndexOrDefaultAndRecords)
{
	BRecordingAlertResponder responder;
	ResponderGuard guard(&responder);
	responder.AnswerWithLabel("Save");
	responder.AnswerWithIndex(0);
	responder.AnswerWithLabel("Not a button");

	EXPECT_EQ(save_question()->Go(), 2);
	EXPECT_EQ(save_question()->Go(), 0);
	// An unknown label falls back to the default, the last button.
	EXPECT_EQ(save_question()->Go(), 2);
	BAlert* error = new BAlert("Alert", "errorINT: -42", "OK", NULL, NULL,
		B_WIDTH_AS_USUAL, B_INFO_ALERT);
	EXPECT_EQ(error->Go(), 0);

	ASSERT_EQ(responder.CountAlerts(), 4);
	EXPECT_EQ(responder.TitleAt(0), "Alert");
	EXPECT_EQ(responder.TextAt(0),
		"Closing ...\nSave changes to the document \"/tmp/a.html\"?");
	std::vector<std::string> buttons = { "Cancel", "Don't Save", "Save" };
	EXPECT_EQ(responder.ButtonsAt(1), buttons);
	EXPECT_EQ(responder.AnswerAt(0), 2);
	EXPECT_EQ(responder.AnswerAt(1), 0);
	EXPECT_EQ(responder.LastText(), "errorINT: -42");
	EXPECT_EQ(responder.ButtonsAt(3).size(), 1u);

	// Asynchronous alerts answer through the invoker with "which".
	Received received;
	RecordingLooper* looper = new RecordingLooper(&received);
	looper->Run();
	responder.AnswerWithLabel("Don't Save");
	save_question()->Go(new BInvoker(new BMessage('quit'), looper));
	dispatch();
	ASSERT_EQ(received.Count('quit'), 1);
	int32 which = -1;
	EXPECT_EQ(received.Last('quit')->FindInt32("which", &which), B_OK);
	EXPECT_EQ(which, 1);
	looper->Lock();
	looper->Quit();
	dispatch();
}


TEST(AlertTest, RealAlertWindowsAnswerKeysAndClicks)
{
	ASSERT_EQ(BAlert::Responder(), nullptr);

	// Enter presses the last (default) button.
	BAlert* alert = save_question();
	ControlsWindow::KeyTo(alert, "\n");
	EXPECT_EQ(alert->Go(), 2);

	// Escape presses the first when there is a choice.
	alert = save_question();
	ControlsWindow::KeyTo(alert, "\x1b");
	EXPECT_EQ(alert->Go(), 0);

	// With one button Escape does nothing; the button's own shortcut and
	// Enter still work.
	alert = new BAlert("Alert", "Could not open page file", "OK");
	EXPECT_EQ(alert->Shortcut(0), B_ENTER);
	ControlsWindow::KeyTo(alert, "\x1b");
	ControlsWindow::KeyTo(alert, "\n");
	EXPECT_EQ(alert->Go(), 0);

	alert = save_question();
	alert->SetShortcut(1, 'd');
	ControlsWindow::KeyTo(alert, "d");
	EXPECT_EQ(alert->Go(), 1);

	// A click on a button.
	alert = save_question();
	BButton* middle = alert->ButtonAt(1);
	ASSERT_NE(middle, nullptr);
	ControlsWindow::ClickIn(alert, middle, BPoint(5, 5));
	EXPECT_EQ(alert->Go(), 1);
}


TEST(AlertTest, ModalAlertBlocksOnlyItsOwnLooper)
{
	std::vector<std::string> log;
	AskingLooper* asking = new AskingLooper(&log);
	OtherLooper* other = new OtherLooper(&log, asking);
	asking->Run();
	other->Run();

	asking->PostMessage('ask ');
	asking->PostMessage('late');
	other->PostMessage('ping');
	other->PostMessage('answ');
	dispatch();

	std::vector<std::string> expected = { "A:begin", "B:ping", "B:answer",
		"A:end 2", "A:other" };
	EXPECT_EQ(log, expected);
	EXPECT_EQ(asking->result, 2);

	asking->Lock();
	asking->Quit();
	other->Lock();
	other->Quit();
	dispatch();
}


TEST(AlertTest, LayoutFollowsWidthAndSpacing)
{
	BAlert* offset = save_question();
	BAlert* even = new BAlert("Alert", "Text", "One", "Two", "Three",
		B_WIDTH_FROM_WIDEST, B_EVEN_SPACING, B_STOP_ALERT);
	BAlert* label = new BAlert("Alert", "Text", "A", "Much longer", NULL,
		B_WIDTH_FROM_LABEL, B_IDEA_ALERT);

	BRect first = offset->ButtonAt(0)->Frame();
	BRect second = offset->ButtonAt(1)->Frame();
	BRect third = offset->ButtonAt(2)->Frame();
	// Offset spacing: the first button stands apart on the left.
	EXPECT_LT(first.right + 20, second.left);
	EXPECT_LT(second.right, third.left);
	EXPECT_LT(third.left - second.right, 20);
	// The default button is the last and drawn larger.
	EXPECT_TRUE(offset->ButtonAt(2)->IsDefault());
	EXPECT_GT(third.Height(), second.Height());
	EXPECT_EQ(offset->Type(), B_WARNING_ALERT);
	// The text wraps inside the window, whatever width the buttons asked.
	EXPECT_LE(offset->TextView()->Frame().right, offset->Bounds().right - 5);
	EXPECT_GE(offset->TextView()->CountLines(), 2);
	EXPECT_STREQ(offset->TextView()->Text(),
		"Closing ...\nSave changes to the document \"/tmp/a.html\"?");

	BRect e0 = even->ButtonAt(0)->Frame();
	BRect e1 = even->ButtonAt(1)->Frame();
	EXPECT_FLOAT_EQ(e0.Width(), e1.Width());
	EXPECT_LT(e1.left - e0.right, 20);

	BRect l0 = label->ButtonAt(0)->Frame();
	BRect l1 = label->ButtonAt(1)->Frame();
	EXPECT_LT(l0.Width(), l1.Width() - 6);
	EXPECT_LT(l0.Width(), 75);
	EXPECT_EQ(label->CountButtons(), 2);
	EXPECT_EQ(label->ButtonAt(2), nullptr);

	// A long text makes the alert taller, not wider.
	std::string longText(600, 'x');
	for (size_t i = 5; i < longText.size(); i += 9)
		longText[i] = ' ';
	BAlert* tall = new BAlert("Alert", longText.c_str(), "OK");
	BAlert* shortOne = new BAlert("Alert", "Short", "OK");
	EXPECT_GT(tall->Bounds().Height(), shortOne->Bounds().Height() + 30);
	EXPECT_FLOAT_EQ(tall->Bounds().Width(), shortOne->Bounds().Width());

	for (BAlert* each : { offset, even, label, tall, shortOne }) {
		if (each->Lock())
			each->Quit();
	}
	dispatch();
}
