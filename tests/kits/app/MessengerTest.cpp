// Messengers stay safe when their target goes away.
#include <gtest/gtest.h>

#include <EventLoop.h>
#include <Messenger.h>

#include "LooperTestSupport.h"

using BPrivate::dispatch_until_idle;


TEST(Messenger, SendsToHandlerOrLooperAndKnowsWhenTheyAreGone)
{
	Log log;
	LogLooper* looper = new LogLooper("looper", &log);
	LogHandler* handler = new LogHandler("handler", &log);
	looper->Lock();
	looper->AddHandler(handler);
	looper->Unlock();
	looper->Run();

	BMessenger toLooper(looper);
	BMessenger toHandler(handler);
	status_t result = B_ERROR;
	BMessenger preferred(NULL, looper, &result);
	EXPECT_EQ(result, B_OK);
	LogLooper* other = new LogLooper("other", &log);
	BMessenger mismatched(handler, other, &result);
	EXPECT_EQ(result, B_MISMATCHED_VALUES);
	EXPECT_FALSE(mismatched.IsValid());
	BMessenger unset;
	EXPECT_FALSE(unset.IsValid());
	EXPECT_EQ(unset.SendMessage('none'), B_BAD_PORT_ID);

	EXPECT_TRUE(toLooper.IsValid());
	EXPECT_TRUE(toHandler.IsValid());
	EXPECT_TRUE(toLooper.IsTargetLocal());
	BLooper* found = NULL;
	EXPECT_EQ(toHandler.Target(&found), handler);
	EXPECT_EQ(found, looper);
	EXPECT_EQ(preferred.Target(&found), nullptr);
	EXPECT_EQ(found, looper);

	EXPECT_EQ(toLooper.SendMessage('lpr1'), B_OK);
	EXPECT_EQ(toHandler.SendMessage('hnd1'), B_OK);
	EXPECT_EQ(preferred.SendMessage('prf1'), B_OK);
	dispatch_until_idle();
	Log expected = { "looper:lpr1", "handler:hnd1", "looper:prf1" };
	EXPECT_EQ(log, expected);

	EXPECT_TRUE(toLooper.LockTarget());
	EXPECT_TRUE(looper->IsLocked());
	looper->Unlock();

	// The handler goes: its messenger fails, the looper's still works.
	delete handler;
	EXPECT_FALSE(toHandler.IsValid());
	EXPECT_EQ(toHandler.SendMessage('hnd2'), B_BAD_HANDLER);
	EXPECT_TRUE(toLooper.IsValid());

	// The looper goes: everything aimed at it fails, nothing is touched.
	looper->Lock();
	looper->Quit();
	EXPECT_FALSE(toLooper.IsValid());
	EXPECT_FALSE(preferred.IsValid());
	EXPECT_EQ(toLooper.SendMessage('lpr2'), B_BAD_PORT_ID);
	BMessage message('lpr3');
	EXPECT_EQ(toLooper.SendMessage(&message), B_BAD_PORT_ID);
	EXPECT_FALSE(toLooper.LockTarget());
	EXPECT_EQ(toLooper.Target(&found), nullptr);
	EXPECT_EQ(found, nullptr);

	// A new looper, even one at the old address, is not the old target.
	LogLooper* replacement = new LogLooper("replacement", &log);
	EXPECT_FALSE(toLooper.IsValid());
	replacement->Lock();
	replacement->Quit();

	found = looper;
	mismatched.Target(&found);
	EXPECT_EQ(found, nullptr);
	other->Lock();
	other->Quit();
}


class Replier : public BLooper {
public:
	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'ping') {
			returnValid = message->ReturnAddress().IsValid();
			message->SendReply('pong');
		}
	}

	bool	returnValid = false;
};


TEST(Messenger, AsynchronousRepliesGoToTheReplyHandler)
{
	Log log;
	Replier* replier = new Replier;
	LogLooper* asker = new LogLooper("asker", &log);
	LogHandler* answers = new LogHandler("answers", &log);
	asker->Lock();
	asker->AddHandler(answers);
	asker->Unlock();
	replier->Run();
	asker->Run();

	BMessenger(replier).SendMessage('ping', answers);
	dispatch_until_idle();
	EXPECT_TRUE(replier->returnValid);
	Log expected = { "answers:pong" };
	EXPECT_EQ(log, expected);

	// Without a reply address the reply has nowhere to go.
	BMessage lonely('ping');
	EXPECT_EQ(lonely.SendReply('pong'), B_BAD_REPLY);

	replier->Lock();
	replier->Quit();
	asker->Lock();
	asker->Quit();
	delete answers;
}
