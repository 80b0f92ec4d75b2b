// A handler waiting in a synchronous call blocks only its own looper.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include <AppPrivate.h>
#include <EventLoop.h>
#include <Messenger.h>

#include "LooperTestSupport.h"

using BPrivate::dispatch_until_idle;

namespace {

bool
flag_is_set(void* cookie)
{
	return *(bool*)cookie;
}


bool
atomic_flag_is_set(void* cookie)
{
	return ((std::atomic<bool>*)cookie)->load();
}

}	// namespace


// Stands for a window whose handler opens an alert: it waits in the event
// loop until another looper answers.
class ModalLooper : public LogLooper {
public:
	ModalLooper(Log* log)
		: LogLooper("modal", log)
	{
	}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'go  ') {
			fLog->push_back("modal:begin");
			done = false;
			BPrivate::run_event_loop_until(flag_is_set, &done);
			fLog->push_back("modal:end");
			return;
		}
		LogLooper::MessageReceived(message);
	}

	bool	done = false;
};


class AnswerLooper : public LogLooper {
public:
	AnswerLooper(Log* log, ModalLooper* modal)
		: LogLooper("other", log), fModal(modal)
	{
	}

	void MessageReceived(BMessage* message) override
	{
		LogLooper::MessageReceived(message);
		if (message->what == 'answ')
			fModal->done = true;
		if (message->what == 'post') {
			// Posting to the waiting looper queues behind its wait.
			fModal->PostMessage('from');
		}
	}

private:
	ModalLooper*	fModal;
};


TEST(Modal, WaitingLooperGetsNothingOthersGoOn)
{
	Log log;
	ModalLooper* modal = new ModalLooper(&log);
	AnswerLooper* other = new AnswerLooper(&log, modal);
	modal->Run();
	other->Run();

	modal->PostMessage('go  ');
	modal->PostMessage('aftr');
	other->PostMessage('one ');
	other->PostMessage('post');
	other->PostMessage('answ');
	dispatch_until_idle();

	Log expected = { "modal:begin", "other:one ", "other:post", "other:answ",
		"modal:end", "modal:aftr", "modal:from" };
	EXPECT_EQ(log, expected);

	// While it waits, the looper's lock stays with the event thread, as a
	// looper thread holds its lock while it handles a message.
	EXPECT_FALSE(BPrivate::is_dispatching(modal));
	quit_looper(modal);
	quit_looper(other);
}


class NestedOpener : public LogLooper {
public:
	NestedOpener(const char* name, Log* log)
		: LogLooper(name, log)
	{
	}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'open') {
			fLog->push_back(std::string(Name()) + ":open");
			BPrivate::run_event_loop_until(flag_is_set, &done);
			fLog->push_back(std::string(Name()) + ":closed");
			return;
		}
		LogLooper::MessageReceived(message);
		if (message->what == 'shut')
			shut->done = true;
		if (message->what == 'shu1')
			shutLater->done = true;
	}

	bool			done = false;
	NestedOpener*	shut = NULL;
	NestedOpener*	shutLater = NULL;
};


TEST(Modal, NestedWaitsUnwindInOrder)
{
	Log log;
	NestedOpener* first = new NestedOpener("first", &log);
	NestedOpener* second = new NestedOpener("second", &log);
	NestedOpener* third = new NestedOpener("third", &log);
	first->Run();
	second->Run();
	third->Run();
	third->shut = second;
	third->shutLater = first;

	first->PostMessage('open');
	first->PostMessage('1st2');
	second->PostMessage('open');
	second->PostMessage('2nd2');
	third->PostMessage('shut');
	third->PostMessage('shu1');
	dispatch_until_idle();

	// The second wait opens inside the first and closes before it; each
	// looper's next message waits for its own wait to end.
	Log expected = { "first:open", "second:open", "third:shut",
		"second:closed", "third:shu1", "first:closed", "second:2nd2",
		"first:1st2" };
	EXPECT_EQ(log, expected);

	quit_looper(first);
	quit_looper(second);
	quit_looper(third);
}


class SyncTarget : public BLooper {
public:
	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'ask ') {
			BMessage reply('ansr');
			reply.AddInt32("value", message->FindInt32("value") * 2);
			message->SendReply(&reply);
			return;
		}
		if (message->what == 'self') {
			BMessage reply;
			selfResult = BMessenger(this).SendMessage('ask ', &reply);
			return;
		}
		// 'drop' is not answered.
	}

	status_t	selfResult = B_OK;
};


TEST(Modal, SynchronousSendRunsTheLoopUntilTheReply)
{
	SyncTarget* target = new SyncTarget;
	target->Run();
	BMessenger messenger(target);

	BMessage question('ask ');
	question.AddInt32("value", 21);
	BMessage reply;
	ASSERT_EQ(messenger.SendMessage(&question, &reply), B_OK);
	EXPECT_EQ(reply.what, (uint32)'ansr');
	EXPECT_EQ(reply.FindInt32("value"), 42);
	EXPECT_TRUE(reply.IsReply());

	// Unanswered: the sender learns it when the message is done with.
	ASSERT_EQ(messenger.SendMessage('drop', &reply), B_OK);
	EXPECT_EQ(reply.what, (uint32)B_NO_REPLY);

	// To itself from its own dispatch: refused instead of hanging.
	target->PostMessage('self');
	dispatch_until_idle();
	EXPECT_EQ(target->selfResult, B_MESSAGE_TO_SELF);

	// From another thread while the event thread runs the loop.
	std::atomic<bool> finished(false);
	status_t fromThread = B_ERROR;
	int32 value = 0;
	std::thread asker([&] {
		BMessage threadQuestion('ask ');
		threadQuestion.AddInt32("value", 5);
		BMessage threadReply;
		fromThread = messenger.SendMessage(&threadQuestion, &threadReply);
		value = threadReply.FindInt32("value");
		finished = true;
	});
	BPrivate::run_event_loop_until(atomic_flag_is_set, &finished);
	asker.join();
	EXPECT_EQ(fromThread, B_OK);
	EXPECT_EQ(value, 10);

	// A target that is gone.
	quit_looper(target);
	EXPECT_EQ(messenger.SendMessage('ask ', &reply), B_BAD_PORT_ID);
}
