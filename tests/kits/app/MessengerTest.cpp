// Messengers stay safe when their target goes away, and survive being
// stored in messages in either form.
#include <gtest/gtest.h>

#include <string.h>

#include <new>

#include <EventLoop.h>
#include <Messenger.h>

#include "LooperTestSupport.h"

using BPrivate::dispatch_until_idle;


TEST(Messenger, SendsToHandlerOrLooperAndKnowsWhenTheyAreGone)
{
	Log log;
	LogLooper* looper = new LogLooper("looper", &log);
	LogHandler* handler = new LogHandler("handler", &log);
	add_handlers(looper, { handler });
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

	// Handlers made now (one perhaps at the old address), addressed for
	// the first time only later: neither is the old target, each gets its
	// own messages.
	LogHandler* next = new LogHandler("next", &log);
	LogHandler* last = new LogHandler("last", &log);
	add_handlers(looper, { next, last });
	EXPECT_FALSE(toHandler.IsValid());
	BMessenger toLast(last);
	BMessenger toNext(next);
	EXPECT_EQ(toLast.SendMessage('lst1'), B_OK);
	EXPECT_EQ(toNext.SendMessage('nxt1'), B_OK);
	EXPECT_EQ(toHandler.SendMessage('hnd3'), B_BAD_HANDLER);
	dispatch_until_idle();
	expected.push_back("last:lst1");
	expected.push_back("next:nxt1");
	EXPECT_EQ(log, expected);
	delete next;
	EXPECT_FALSE(toNext.IsValid());
	EXPECT_TRUE(toLast.IsValid());
	delete last;

	// The looper goes: everything aimed at it fails, nothing is touched.
	quit_looper(looper);
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
	quit_looper(replacement);

	found = looper;
	mismatched.Target(&found);
	EXPECT_EQ(found, nullptr);
	quit_looper(other);
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
	add_handlers(asker, { answers });
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

	quit_looper(replier);
	quit_looper(asker);
	delete answers;
}


// BeOS code stores messengers as raw data too
// (AddData(B_MESSENGER_TYPE, &messenger, sizeof(messenger))); whichever way
// one is stored and read, the same target comes back. The messengers are
// copied into memory full of other bytes first, as a messenger on the stack
// or in a reused buffer would be.
TEST(Messenger, RawBytesRoundTripEqual)
{
	Log log;
	LogLooper* looper = new LogLooper("looper", &log);
	LogHandler* handler = new LogHandler("handler", &log);
	add_handlers(looper, { handler });
	looper->Run();

	BMessenger toHandler(handler);
	BMessenger preferred(NULL, looper);
	for (const BMessenger* original : { &toHandler, &preferred }) {
		alignas(BMessenger) unsigned char storage[sizeof(BMessenger)];
		memset(storage, 0xA5, sizeof(storage));
		BMessenger* messenger = new(storage) BMessenger(*original);

		BMessage message;
		ASSERT_EQ(B_OK, message.AddData("raw", B_MESSENGER_TYPE, messenger,
			sizeof(*messenger)));
		ASSERT_EQ(B_OK, message.AddMessenger("typed", *messenger));

		for (const char* name : { "raw", "typed" }) {
			SCOPED_TRACE(name);
			BMessenger found;
			ASSERT_EQ(B_OK, message.FindMessenger(name, &found));
			EXPECT_TRUE(found == *original);
			EXPECT_FALSE(found != *original);
			EXPECT_FALSE(found < *original || *original < found);
			BLooper* foundLooper = NULL;
			BLooper* originalLooper = NULL;
			EXPECT_EQ(original->Target(&originalLooper),
				found.Target(&foundLooper));
			EXPECT_EQ(originalLooper, foundLooper);

			// Read back as raw data, the bytes are a messenger.
			const void* data = NULL;
			ssize_t size = 0;
			ASSERT_EQ(B_OK, message.FindData(name, B_MESSENGER_TYPE, &data,
				&size));
			ASSERT_EQ((ssize_t)sizeof(BMessenger), size);
			BMessenger copied;
			memcpy((void*)&copied, data, sizeof(copied));
			EXPECT_TRUE(copied == *original);
		}
		messenger->~BMessenger();
	}

	// A failed find leaves the empty messenger.
	BMessage empty;
	BMessenger found(handler);
	EXPECT_EQ(B_NAME_NOT_FOUND, empty.FindMessenger("missing", &found));
	EXPECT_FALSE(found.IsValid());
	EXPECT_TRUE(found == BMessenger());

	quit_looper(looper);
}


TEST(Messenger, LockTargetWithTimeoutErrors)
{
	BMessenger unset;
	EXPECT_EQ(B_BAD_VALUE, unset.LockTargetWithTimeout(0));
	EXPECT_EQ(B_BAD_VALUE, unset.LockTargetWithTimeout(B_INFINITE_TIMEOUT));
	EXPECT_FALSE(unset.LockTarget());

	Log log;
	LogLooper* looper = new LogLooper("looper", &log);
	looper->Run();
	BMessenger toLooper(looper);
	ASSERT_EQ(B_OK, toLooper.LockTargetWithTimeout(1000));
	EXPECT_TRUE(looper->IsLocked());
	looper->Unlock();

	quit_looper(looper);
	EXPECT_NE(B_OK, toLooper.LockTargetWithTimeout(1000));
}
