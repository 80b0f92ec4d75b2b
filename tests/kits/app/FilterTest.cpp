// Message filters: common before handler filters, skipping, retargeting,
// command, delivery and source matching.
#include <gtest/gtest.h>

#include <EventLoop.h>
#include <List.h>
#include <MessageFilter.h>
#include <Point.h>

#include "LooperTestSupport.h"

using BPrivate::dispatch_until_idle;

namespace {

class RecordingFilter : public BMessageFilter {
public:
	RecordingFilter(const char* name, Log* log, filter_result result,
		BHandler* retarget = NULL)
		: BMessageFilter(B_ANY_DELIVERY, B_ANY_SOURCE),
		  fName(name), fLog(log), fResult(result), fRetarget(retarget)
	{
	}

	RecordingFilter(const char* name, Log* log, uint32 command,
		filter_result result)
		: BMessageFilter(command),
		  fName(name), fLog(log), fResult(result), fRetarget(NULL)
	{
	}

	RecordingFilter(const char* name, Log* log, message_delivery delivery,
		message_source source)
		: BMessageFilter(delivery, source),
		  fName(name), fLog(log), fResult(B_DISPATCH_MESSAGE), fRetarget(NULL)
	{
	}

	filter_result Filter(BMessage* message, BHandler** target) override
	{
		fLog->push_back(fName + ":" + what_text(message->what) + ">"
			+ (*target)->Name());
		if (fRetarget != NULL)
			*target = fRetarget;
		return fResult;
	}

private:
	std::string		fName;
	Log*			fLog;
	filter_result	fResult;
	BHandler*		fRetarget;
};


Log* sHookLog = NULL;

filter_result
skip_odd(BMessage* message, BHandler**, BMessageFilter* filter)
{
	sHookLog->push_back("hook:" + what_text(message->what)
		+ (filter->Looper() != NULL ? "+looper" : ""));
	return message->FindInt32("index") % 2 != 0 ? B_SKIP_MESSAGE
		: B_DISPATCH_MESSAGE;
}

}	// namespace


TEST(Filter, CommonFiltersRunBeforeHandlerFiltersAndMaySkip)
{
	Log log;
	LogLooper* looper = new LogLooper("looper", &log);
	LogHandler* handler = new LogHandler("handler", &log);
	looper->Lock();
	looper->AddHandler(handler);
	looper->AddCommonFilter(new RecordingFilter("common", &log,
		B_DISPATCH_MESSAGE));
	looper->AddCommonFilter(new RecordingFilter("skipper", &log, 'skip',
		B_SKIP_MESSAGE));
	handler->AddFilter(new RecordingFilter("own", &log, B_DISPATCH_MESSAGE));
	looper->Unlock();
	looper->Run();

	looper->PostMessage('pass', handler);
	looper->PostMessage('skip', handler);
	dispatch_until_idle();
	Log expected = { "common:pass>handler", "own:pass>handler",
		"handler:pass", "common:skip>handler", "skipper:skip>handler" };
	EXPECT_EQ(log, expected);

	// The looper deletes the filters it owns.
	quit_looper(looper);
	EXPECT_EQ(handler->Looper(), nullptr);
	delete handler;
}


TEST(Filter, RetargetingRunsTheNewTargetsFilters)
{
	Log log;
	LogLooper* looper = new LogLooper("looper", &log);
	LogHandler* first = new LogHandler("first", &log);
	LogHandler* second = new LogHandler("second", &log);
	looper->Lock();
	looper->AddHandler(first);
	looper->AddHandler(second);
	first->AddFilter(new RecordingFilter("away", &log, B_DISPATCH_MESSAGE,
		second));
	second->AddFilter(new RecordingFilter("there", &log, B_DISPATCH_MESSAGE));
	looper->Unlock();
	looper->Run();

	looper->PostMessage('move', first);
	dispatch_until_idle();
	Log expected = { "away:move>first", "there:move>second", "second:move" };
	EXPECT_EQ(log, expected);

	// A filter may not hand the message to a handler of another looper.
	log.clear();
	BHandler outsider("outsider");
	looper->Lock();
	looper->AddCommonFilter(new RecordingFilter("outward", &log,
		B_DISPATCH_MESSAGE, &outsider));
	looper->Unlock();
	looper->PostMessage('lost', first);
	dispatch_until_idle();
	Log lost = { "outward:lost>first" };
	EXPECT_EQ(log, lost);

	quit_looper(looper);
	delete first;
	delete second;
}


TEST(Filter, HookFunctionsAndCommands)
{
	Log log;
	sHookLog = &log;
	LogLooper* looper = new LogLooper("looper", &log);
	looper->Lock();
	looper->AddCommonFilter(new BMessageFilter('numb', skip_odd));
	looper->Unlock();
	looper->Run();
	for (int32 i = 0; i < 3; i++) {
		BMessage message('numb');
		message.AddInt32("index", i);
		looper->PostMessage(&message);
	}
	looper->PostMessage('othr');	// not the filter's command
	dispatch_until_idle();
	Log expected = { "hook:numb+looper", "looper:numb0", "hook:numb+looper",
		"hook:numb+looper", "looper:numb2", "looper:othr" };
	EXPECT_EQ(log, expected);

	BMessageFilter any(B_ANY_DELIVERY, B_ANY_SOURCE);
	EXPECT_TRUE(any.FiltersAnyCommand());
	BMessageFilter command('abcd');
	EXPECT_FALSE(command.FiltersAnyCommand());
	EXPECT_EQ(command.Command(), (uint32)'abcd');
	EXPECT_EQ(command.Looper(), nullptr);

	quit_looper(looper);
	sHookLog = NULL;
}


TEST(Filter, DeliveryAndSourceMatching)
{
	Log log;
	LogLooper* looper = new LogLooper("looper", &log);
	looper->Lock();
	looper->AddCommonFilter(new RecordingFilter("dropped", &log,
		B_DROPPED_DELIVERY, B_ANY_SOURCE));
	looper->AddCommonFilter(new RecordingFilter("programmed", &log,
		B_PROGRAMMED_DELIVERY, B_ANY_SOURCE));
	looper->AddCommonFilter(new RecordingFilter("remote", &log,
		B_ANY_DELIVERY, B_REMOTE_SOURCE));
	looper->AddCommonFilter(new RecordingFilter("local", &log,
		B_ANY_DELIVERY, B_LOCAL_SOURCE));
	looper->Unlock();
	looper->Run();

	BMessage drop(B_SIMPLE_DATA);
	BPrivate::set_message_dropped(&drop, 10, 20, 1, 2);
	EXPECT_TRUE(drop.WasDropped());
	BPoint offset;
	EXPECT_EQ(drop.DropPoint(&offset), BPoint(10, 20));
	EXPECT_EQ(offset, BPoint(1, 2));
	looper->PostMessage(&drop);

	BMessage key(B_KEY_DOWN);
	BPrivate::set_message_remote(&key, true);
	looper->PostMessage(&key);
	dispatch_until_idle();

	Log expected = { "dropped:DATA>looper", "local:DATA>looper",
		"looper:DATA", "programmed:_KYD>looper", "remote:_KYD>looper",
		"looper:_KYD" };
	EXPECT_EQ(log, expected);
	quit_looper(looper);
}


namespace {

// Counts its own deletion, so a test sees which filters a handler freed.
class CountedFilter : public BMessageFilter {
public:
	explicit CountedFilter(int* deleted)
		: BMessageFilter(B_ANY_DELIVERY, B_ANY_SOURCE), fDeleted(deleted) {}
	~CountedFilter() override { (*fDeleted)++; }

private:
	int* fDeleted;
};

}	// namespace


TEST(Filter, HandlerNameAndFilterListsAreItsOwn)
{
	// A handler without a name or filters has none to report; once given,
	// the name is a copy, a new list frees the old one's filters, and the
	// filters follow the handler into and out of a looper.
	int deleted = 0;
	{
		BHandler handler;
		EXPECT_EQ(handler.Name(), nullptr);
		EXPECT_EQ(handler.FilterList(), nullptr);
		char name[] = "first";
		handler.SetName(name);
		name[0] = 'F';
		EXPECT_STREQ(handler.Name(), "first");
		handler.SetName(NULL);
		EXPECT_EQ(handler.Name(), nullptr);

		CountedFilter* kept = new CountedFilter(&deleted);
		CountedFilter* removed = new CountedFilter(&deleted);
		handler.AddFilter(kept);
		handler.AddFilter(removed);
		EXPECT_TRUE(handler.RemoveFilter(removed));
		EXPECT_FALSE(handler.RemoveFilter(removed));
		delete removed;
		ASSERT_NE(handler.FilterList(), nullptr);
		EXPECT_EQ(handler.FilterList()->CountItems(), 1);

		BList* list = new BList;
		CountedFilter* replacement = new CountedFilter(&deleted);
		list->AddItem(replacement);
		handler.SetFilterList(list);
		EXPECT_EQ(deleted, 2);	// `removed`, then `kept` with its list
		EXPECT_EQ(handler.FilterList(), list);

		Log log;
		LogLooper* looper = new LogLooper("looper", &log);
		looper->Lock();
		looper->AddHandler(&handler);
		EXPECT_EQ(replacement->Looper(), looper);
		EXPECT_EQ(handler.NextHandler(), looper);
		looper->RemoveHandler(&handler);
		EXPECT_EQ(replacement->Looper(), nullptr);
		EXPECT_EQ(handler.NextHandler(), nullptr);
		looper->Unlock();
		quit_looper(looper);
		handler.SetName("named again");
	}
	EXPECT_EQ(deleted, 3);
}
