// Loopers on the one event thread: order, handlers, locks, quitting.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include <AppPrivate.h>
#include <EventLoop.h>
#include <Messenger.h>

#include "LooperTestSupport.h"

using BPrivate::dispatch_until_idle;


TEST(Looper, MessagesArriveInPostingOrderPerLooper)
{
	Log log;
	LogLooper* a = new LogLooper("a", &log);
	LogLooper* b = new LogLooper("b", &log);
	// Posted before Run(): they wait.
	for (int32 i = 0; i < 3; i++) {
		BMessage message('msg_');
		message.AddInt32("index", i);
		a->PostMessage(&message);
		b->PostMessage(&message);
	}
	EXPECT_EQ(dispatch_until_idle(), 0);
	EXPECT_EQ(a->MessageQueue()->CountMessages(), 3);
	a->Run();
	b->Run();
	EXPECT_EQ(dispatch_until_idle(), 6);
	Log expected = { "a:msg_0", "b:msg_0", "a:msg_1", "b:msg_1", "a:msg_2",
		"b:msg_2" };
	EXPECT_EQ(log, expected);
	EXPECT_TRUE(a->MessageQueue()->IsEmpty());

	// Many posts from another thread keep their order.
	log.clear();
	std::thread poster([a] {
		for (int32 i = 0; i < 200; i++) {
			BMessage message('thrd');
			message.AddInt32("index", i);
			a->PostMessage(&message);
		}
	});
	poster.join();
	dispatch_until_idle();
	ASSERT_EQ(log.size(), 200u);
	for (int32 i = 0; i < 200; i++)
		EXPECT_EQ(log[i], "a:thrd" + std::to_string(i));

	quit_looper(a);
	quit_looper(b);
}


TEST(Looper, HandlersPreferredHandlerAndChain)
{
	Log log;
	LogLooper* looper = new LogLooper("looper", &log);
	LogHandler* handler = new LogHandler("handler", &log);
	BHandler* plain = new BHandler("plain");
	add_handlers(looper, { handler, plain });
	looper->Run();
	EXPECT_EQ(looper->CountHandlers(), 3);
	EXPECT_EQ(handler->Looper(), looper);

	looper->PostMessage('tohd', handler);
	// No handler: the preferred handler, or the looper without one.
	// The preferred handler is looked up when the message is handled.
	looper->PostMessage('pref', NULL);
	dispatch_until_idle();
	looper->SetPreferredHandler(handler);
	looper->PostMessage('pref', NULL);
	// A plain BHandler passes what it does not handle to its next handler.
	looper->PostMessage('pass', plain);
	dispatch_until_idle();
	Log expected = { "handler:tohd", "looper:pref", "handler:pref",
		"looper:pass" };
	EXPECT_EQ(log, expected);

	// A handler of another looper is refused.
	BHandler stranger("stranger");
	EXPECT_EQ(looper->PostMessage('bad ', &stranger), B_MISMATCHED_VALUES);

	// Removed (or deleted) after posting: the message is dropped.
	log.clear();
	looper->PostMessage('late', handler);
	looper->Lock();
	EXPECT_TRUE(looper->RemoveHandler(handler));
	looper->Unlock();
	EXPECT_EQ(looper->PreferredHandler(), nullptr);
	dispatch_until_idle();
	EXPECT_TRUE(log.empty());
	delete handler;

	looper->PostMessage('gone', plain);
	delete plain;	// leaves its looper on the way out
	EXPECT_EQ(looper->CountHandlers(), 1);
	dispatch_until_idle();
	EXPECT_TRUE(log.empty());

	quit_looper(looper);
}


class CurrentMessageLooper : public BLooper {
public:
	BMessage*	seen = NULL;
	bool		matched = false;
	BMessage*	detached = NULL;

	void MessageReceived(BMessage* message) override
	{
		matched = CurrentMessage() == message;
		if (message->what == 'keep')
			detached = DetachCurrentMessage();
	}
};


TEST(Looper, CurrentMessageDuringDispatchAndDetach)
{
	CurrentMessageLooper* looper = new CurrentMessageLooper;
	looper->Run();
	looper->PostMessage('look');
	dispatch_until_idle();
	EXPECT_TRUE(looper->matched);
	EXPECT_EQ(looper->CurrentMessage(), nullptr);

	BMessage message('keep');
	message.AddString("data", "kept");
	looper->PostMessage(&message);
	dispatch_until_idle();
	ASSERT_NE(looper->detached, nullptr);
	// Detached: ours now, still intact after the dispatch ended.
	EXPECT_STREQ(looper->detached->FindString("data"), "kept");
	delete looper->detached;
	quit_looper(looper);
}


// Platform code locks loopers that may have been deleted and relies on the
// lock failing. The kit never reads the object for that; only the sanitizer's
// own type check at the call site would, so it is switched off here.
__attribute__((no_sanitize("vptr"))) static bool
lock_dangling(BLooper* looper)
{
	return looper->Lock();
}


__attribute__((no_sanitize("vptr"))) static status_t
lock_dangling_with_timeout(BLooper* looper)
{
	return looper->LockWithTimeout(1000);
}


TEST(Looper, LockOfDeletedLooperFails)
{
	Log log;
	bool deleted = false;
	LogLooper* looper = new LogLooper("dead", &log, &deleted);
	BLooper* base = looper;
	looper->Run();
	ASSERT_TRUE(looper->Lock());
	ASSERT_TRUE(looper->Lock());
	EXPECT_EQ(looper->CountLocks(), 2);
	EXPECT_TRUE(looper->IsLocked());
	looper->Unlock();

	// Another thread waits for the lock while we quit the looper.
	std::atomic<int> result(-1);
	std::thread waiter([&] { result = looper->Lock() ? 1 : 0; });
	while (looper->CountLockRequests() < 2)
		std::this_thread::yield();
	looper->Quit();	// with the lock held: deleted at once
	waiter.join();
	EXPECT_TRUE(deleted);
	EXPECT_EQ(result.load(), 0);

	// The pointer is dangling; the kit must not touch it.
	EXPECT_FALSE(lock_dangling(base));
	EXPECT_EQ(lock_dangling_with_timeout(base), B_BAD_VALUE);
	EXPECT_FALSE(BPrivate::is_live_looper(base));
}


TEST(Looper, HandlerLockLooperFollowsTheLooper)
{
	Log log;
	LogLooper* looper = new LogLooper("owner", &log);
	LogHandler* handler = new LogHandler("h", &log);
	add_handlers(looper, { handler });

	EXPECT_TRUE(handler->LockLooper());
	EXPECT_TRUE(looper->IsLocked());
	handler->UnlockLooper();
	EXPECT_FALSE(looper->IsLocked());

	// Another thread cannot have it while we hold it.
	looper->Lock();
	status_t fromOther = B_OK;
	std::thread other([&] { fromOther = handler->LockLooperWithTimeout(10000); });
	other.join();
	EXPECT_EQ(fromOther, B_TIMED_OUT);
	looper->Quit();

	EXPECT_EQ(handler->Looper(), nullptr);
	EXPECT_FALSE(handler->LockLooper());
	delete handler;
}


class QuitLooper : public LogLooper {
public:
	QuitLooper(Log* log, bool* deleted)
		: LogLooper("quitter", log, deleted)
	{
	}

	bool QuitRequested() override
	{
		fLog->push_back(allowQuit ? "asked:yes" : "asked:no");
		return allowQuit;
	}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'quit') {
			Quit();
			// Still alive until this dispatch returns.
			fLog->push_back(std::string("after quit, name ") + Name());
			return;
		}
		LogLooper::MessageReceived(message);
	}

	bool allowQuit = false;
};


TEST(Looper, QuitFromInsideItsOwnDispatch)
{
	Log log;
	bool deleted = false;
	QuitLooper* looper = new QuitLooper(&log, &deleted);
	looper->Run();
	BMessenger messenger(looper);
	looper->PostMessage('quit');
	looper->PostMessage('more');
	dispatch_until_idle();
	EXPECT_TRUE(deleted);
	Log expected = { "after quit, name quitter" };
	EXPECT_EQ(log, expected);
	EXPECT_FALSE(messenger.IsValid());
}


TEST(Looper, QuitRequestedDecides)
{
	Log log;
	bool deleted = false;
	QuitLooper* looper = new QuitLooper(&log, &deleted);
	looper->Run();
	looper->PostMessage(B_QUIT_REQUESTED);
	dispatch_until_idle();
	EXPECT_FALSE(deleted);
	looper->allowQuit = true;
	looper->PostMessage(B_QUIT_REQUESTED);
	looper->PostMessage('next');
	dispatch_until_idle();
	EXPECT_TRUE(deleted);
	Log expected = { "asked:no", "asked:yes" };
	EXPECT_EQ(log, expected);
}


class OuterQuitter : public BLooper {
public:
	BLooper*	victim = NULL;

	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'kill' && victim->Lock())
			victim->Quit();
	}
};


TEST(Looper, QuitFromAnotherLooperDeletesAtOnce)
{
	Log log;
	bool deleted = false;
	// Round robin goes in creation order: the killer's turn comes first.
	OuterQuitter* killer = new OuterQuitter;
	LogLooper* victim = new LogLooper("victim", &log, &deleted);
	killer->victim = victim;
	victim->Run();
	killer->Run();
	killer->PostMessage('kill');
	victim->PostMessage('late');
	dispatch_until_idle();
	EXPECT_TRUE(deleted);
	EXPECT_TRUE(log.empty());
	quit_looper(killer);
}


class FlagLooper : public BLooper {
public:
	std::atomic<bool>		handled{false};
	std::atomic<thread_id>	thread{-1};

	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'wake') {
			thread = BPrivate::current_thread_id();
			handled = true;
		}
	}
};


namespace {

std::atomic<int> sWakes(0);
std::mutex sHostMutex;
std::condition_variable sHostCondition;
bool sHostWoken = false;

void
host_process(bigtime_t timeout)
{
	std::unique_lock<std::mutex> guard(sHostMutex);
	sHostCondition.wait_for(guard, std::chrono::microseconds(timeout),
		[] { return sHostWoken; });
	sHostWoken = false;
}


void
host_wake()
{
	sWakes++;
	std::lock_guard<std::mutex> guard(sHostMutex);
	sHostWoken = true;
	sHostCondition.notify_all();
}


bool
flag_set(void* cookie)
{
	return ((FlagLooper*)cookie)->handled;
}

}	// namespace


TEST(EventLoop, PostingFromAnotherThreadWakesTheHostAndRunsOnTheEventThread)
{
	FlagLooper* looper = new FlagLooper;
	looper->Run();
	dispatch_until_idle();	// makes this thread the event thread
	ASSERT_TRUE(BPrivate::is_event_thread());

	BPrivate::HostHooks hooks = { host_process, host_wake };
	BPrivate::set_host_hooks(hooks);
	sWakes = 0;
	std::thread poster([looper] {
		std::this_thread::sleep_for(std::chrono::milliseconds(20));
		looper->PostMessage('wake');
	});
	BPrivate::run_event_loop_until(flag_set, looper);
	poster.join();
	BPrivate::HostHooks none = { NULL, NULL };
	BPrivate::set_host_hooks(none);

	EXPECT_GE(sWakes.load(), 1);
	EXPECT_EQ(looper->thread.load(), BPrivate::current_thread_id());
	EXPECT_EQ(looper->Thread(), BPrivate::current_thread_id());
	quit_looper(looper);
}


TEST(Looper, HandlerListKeepsOrderThroughManyRemovals)
{
	BLooper* looper = new BLooper("many");
	std::vector<BHandler*> handlers;
	looper->Lock();
	for (int i = 0; i < 5000; i++) {
		handlers.push_back(new BHandler(std::to_string(i).c_str()));
		looper->AddHandler(handlers.back());
	}
	// Remove every third one, from the front, then the last thousand.
	for (size_t i = 0; i < handlers.size(); i += 3)
		EXPECT_TRUE(looper->RemoveHandler(handlers[i]));
	EXPECT_FALSE(looper->RemoveHandler(handlers[0]));
	for (size_t i = 4000; i < handlers.size(); i++)
		looper->RemoveHandler(handlers[i]);

	std::vector<BHandler*> left;
	for (size_t i = 0; i < 4000; i++) {
		if (i % 3 != 0)
			left.push_back(handlers[i]);
	}
	ASSERT_EQ(looper->CountHandlers(), (int32)left.size() + 1);
	EXPECT_EQ(looper->HandlerAt(0), looper);
	for (size_t i = 0; i < left.size(); i++) {
		ASSERT_EQ(looper->HandlerAt(i + 1), left[i]);
		ASSERT_EQ(looper->IndexOf(left[i]), (int32)i + 1);
	}
	EXPECT_EQ(looper->IndexOf(handlers[0]), -1);
	EXPECT_EQ(looper->HandlerAt(looper->CountHandlers()), nullptr);

	// Removal with holes still open, then deletion of the rest.
	looper->RemoveHandler(left[5]);
	EXPECT_EQ(looper->IndexOf(left[6]), 6);
	looper->Quit();
	for (BHandler* handler : handlers) {
		EXPECT_EQ(handler->Looper(), nullptr);
		delete handler;
	}
}
