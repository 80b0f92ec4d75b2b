// BApplication: the global objects, Run/Quit, the standard hooks, timers.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <string.h>
#include <unistd.h>

#include <string>

#include <AppPrivate.h>
#include <Application.h>
#include <Entry.h>
#include <EventLoop.h>
#include <MessageRunner.h>
#include <Path.h>
#include <Roster.h>

#include "LooperTestSupport.h"
#include "TempFolder.h"

namespace {

class TestApp : public BApplication {
public:
	TestApp()
		: BApplication("application/x-vnd.Quillora-test")
	{
	}

	void ReadyToRun() override
	{
		log.push_back("ready");
		// Hand ourselves a document as the desktop would.
		BMessage refs(B_REFS_RECEIVED);
		refs.AddRef("refs", &ref);
		PostMessage(&refs);
		PostMessage(B_ABOUT_REQUESTED);
		PostMessage(B_QUIT_REQUESTED);
		PostMessage(B_QUIT_REQUESTED);
	}

	void RefsReceived(BMessage* message) override
	{
		entry_ref found;
		if (message->FindRef("refs", &found) == B_OK)
			log.push_back(std::string("refs:") + found.name);
	}

	void AboutRequested() override
	{
		log.push_back("about");
	}

	bool QuitRequested() override
	{
		log.push_back("quit?");
		// The first request is refused, as an unsaved page might.
		return ++quitRequests > 1;
	}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'tick')
			ticks++;
		BApplication::MessageReceived(message);
	}

	Log			log;
	entry_ref	ref;
	int			quitRequests = 0;
	int			ticks = 0;
};

}	// namespace


TEST(Application, RunDispatchesUntilQuitAndTheGlobalsFollowTheObject)
{
	EXPECT_EQ(be_app, nullptr);
	EXPECT_FALSE(be_app_messenger.IsValid());
	quillora_test::TempFolder folder("app");
	std::string path = folder / "document";
	quillora_test::WriteFile(path, "");

	TestApp* app = new TestApp;
	ASSERT_EQ(app->InitCheck(), B_OK);
	EXPECT_EQ(be_app, app);
	EXPECT_TRUE(be_app_messenger.IsValid());
	ASSERT_EQ(get_ref_for_path(path.c_str(), &app->ref), B_OK);

	EXPECT_EQ(app->Run(), BPrivate::event_thread());
	Log expected = { "ready", std::string("refs:document"), "about",
		"quit?", "quit?" };
	EXPECT_EQ(app->log, expected);
	EXPECT_FALSE(app->IsLaunching());

	// Run() returned but the object lives until its creator deletes it.
	EXPECT_TRUE(be_app_messenger.IsValid());
	delete app;
	EXPECT_EQ(be_app, nullptr);
	EXPECT_FALSE(be_app_messenger.IsValid());
}


TEST(Application, SignatureIsChecked)
{
	status_t error = B_OK;
	BApplication* bad = new BApplication("not-an-application", &error);
	EXPECT_EQ(error, B_BAD_VALUE);
	delete bad;

	BApplication* first = new BApplication("application/x-first");
	BApplication* second = new BApplication("application/x-second", &error);
	EXPECT_EQ(error, B_ALREADY_RUNNING);
	EXPECT_EQ(be_app, first);
	delete second;
	EXPECT_EQ(be_app, first);
	delete first;
	EXPECT_EQ(be_app, nullptr);
}


TEST(Application, AppInfoNamesTheRunningExecutable)
{
	TestApp app;
	app_info info;
	ASSERT_EQ(app.GetAppInfo(&info), B_OK);
	EXPECT_EQ(info.team, getpid());
	EXPECT_STREQ(info.signature, "application/x-vnd.Quillora-test");
	EXPECT_STREQ(info.ref.name, "test_kits_app");

	// The ref leads back to this very file.
	BEntry entry(&info.ref);
	BPath path;
	ASSERT_EQ(entry.GetPath(&path), B_OK);
	char exe[4096];
	ssize_t length = readlink("/proc/self/exe", exe, sizeof(exe) - 1);
	ASSERT_GT(length, 0);
	exe[length] = '\0';
	EXPECT_STREQ(path.Path(), exe);

	app_info byRoster;
	EXPECT_EQ(be_roster->GetAppInfo("application/x-vnd.quillora-test",
		&byRoster), B_OK);
	EXPECT_EQ(byRoster.ref, info.ref);
	EXPECT_NE(be_roster->GetAppInfo("application/x-other", &byRoster), B_OK);
	EXPECT_EQ(be_roster->GetRunningAppInfo(getpid() + 1, &byRoster),
		B_BAD_TEAM_ID);
	EXPECT_TRUE(BMessenger("application/x-vnd.Quillora-test").IsValid());
	EXPECT_FALSE(BMessenger("application/x-other").IsValid());
}


namespace {

struct TimerCount {
	int		fired = 0;
	int32	id = -1;
};


void
count_and_stop(void* cookie)
{
	TimerCount* count = (TimerCount*)cookie;
	if (++count->fired == 3)
		BPrivate::remove_timer(count->id);
}


struct TickWait {
	TestApp*	app;
	TimerCount*	count;
};


bool
ticks_and_timer_done(void* cookie)
{
	TickWait* wait = (TickWait*)cookie;
	return wait->app->ticks >= 3 && wait->count->fired >= 3;
}

}	// namespace


TEST(Application, TimersAndMessageRunnersFireOnTheEventThread)
{
	TestApp* app = new TestApp;
	app->BLooper::Run();	// dispatch it without its own Run() loop

	TimerCount count;
	count.id = BPrivate::add_timer(2000, count_and_stop, &count);
	BMessage tick('tick');
	BMessageRunner runner(be_app_messenger, &tick, 3000, 3);
	ASSERT_EQ(runner.InitCheck(), B_OK);
	TickWait wait = { app, &count };
	BPrivate::run_event_loop_until(ticks_and_timer_done, &wait);
	EXPECT_EQ(app->ticks, 3);
	int32 left = -1;
	ASSERT_EQ(runner.GetInfo(NULL, &left), B_OK);
	EXPECT_EQ(left, 0);

	// The timer removed itself after three turns and fires no more.
	BMessageRunner late(be_app_messenger, &tick, 1000, 1);
	bool done = false;
	int32 stopper = BPrivate::add_timer(20000,
		[](void* cookie) { *(bool*)cookie = true; }, &done);
	BPrivate::run_event_loop_until([](void* cookie) { return *(bool*)cookie; },
		&done);
	BPrivate::remove_timer(stopper);
	EXPECT_EQ(count.fired, 3);
	BPrivate::dispatch_until_idle();
	EXPECT_EQ(app->ticks, 4);

	BMessageRunner invalid(BMessenger(), &tick, 1000);
	EXPECT_EQ(invalid.InitCheck(), B_BAD_VALUE);
	delete app;
}
