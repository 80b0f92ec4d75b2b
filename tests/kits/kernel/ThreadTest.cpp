// Thread and team facts, the clock, sleeping, and ending the own team.
#include <gtest/gtest.h>

#include <pthread.h>
#include <signal.h>
#include <stdlib.h>
#include <string.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include <OS.h>

#include "TempFolder.h"

using namespace quillora_test;

TEST(Threads, FindAndDescribeThreadsOfThisTeam)
{
	thread_id self = find_thread(nullptr);
	EXPECT_EQ((thread_id)syscall(SYS_gettid), self);

	thread_info info;
	ASSERT_EQ(B_OK, get_thread_info(self, &info));
	EXPECT_EQ(self, info.thread);
	EXPECT_EQ(getpid(), info.team);
	EXPECT_EQ(B_THREAD_RUNNING, info.state) << "the caller is running";

	// A named helper thread is found by its name from another thread.
	std::atomic<thread_id> helperId(0);
	int wake[2];
	ASSERT_EQ(0, pipe(wake));
	std::thread helper([&] {
		pthread_setname_np(pthread_self(), "quill-helper");
		helperId = find_thread(nullptr);
		char c;
		ssize_t ignored = read(wake[0], &c, 1);
		(void)ignored;
	});
	while (helperId == 0)
		snooze(1000);
	EXPECT_EQ(helperId.load(), find_thread("quill-helper"));
	EXPECT_NE(self, helperId.load());
	ASSERT_EQ(B_OK, get_thread_info(helperId, &info));
	EXPECT_STREQ("quill-helper", info.name);
	EXPECT_EQ(getpid(), info.team);
	// Blocked in its read, it sleeps.
	for (int i = 0; i < 500 && info.state != B_THREAD_ASLEEP; i++) {
		snooze(1000);
		get_thread_info(helperId, &info);
	}
	EXPECT_EQ(B_THREAD_ASLEEP, info.state);
	// Threads of this team cannot be ended one by one here.
	EXPECT_EQ(B_NOT_ALLOWED, kill_thread(helperId));
	ASSERT_EQ(1, write(wake[1], "x", 1));
	helper.join();
	close(wake[0]);
	close(wake[1]);

	EXPECT_EQ(B_NAME_NOT_FOUND, find_thread("no-such-thread"));
	EXPECT_EQ(B_BAD_THREAD_ID, get_thread_info(-5, &info));
	EXPECT_EQ(B_BAD_VALUE, get_thread_info(self, nullptr));
}

TEST(Threads, TeamInfoOfThisProgram)
{
	team_info info;
	ASSERT_EQ(B_OK, get_team_info(B_CURRENT_TEAM, &info));
	EXPECT_EQ(getpid(), info.team);
	EXPECT_GE(info.thread_count, 1);
	EXPECT_GE(info.argc, 1);
	EXPECT_NE(nullptr, strstr(info.args, "test_kits_kernel"));
	EXPECT_EQ(getuid(), info.uid);
	EXPECT_EQ(B_BAD_TEAM_ID, get_team_info(-3, &info));
}

TEST(Time, SystemTimeIsMonotonicMicroseconds)
{
	struct timespec now;
	clock_gettime(CLOCK_MONOTONIC, &now);
	bigtime_t reference = (bigtime_t)now.tv_sec * 1000000 + now.tv_nsec / 1000;
	bigtime_t first = system_time();
	EXPECT_GE(first, reference);
	EXPECT_LT(first - reference, 1000000) << "microseconds, on the monotonic clock";

	bigtime_t previous = first;
	for (int i = 0; i < 10000; i++) {
		bigtime_t current = system_time();
		ASSERT_GE(current, previous);
		previous = current;
	}
}

namespace {

void
IgnoreSignal(int)
{
}

}	// namespace

TEST(Time, SnoozeSleepsAtLeastItsTimeEvenWhenSignalled)
{
	bigtime_t start = system_time();
	EXPECT_EQ(B_OK, snooze(20000));
	EXPECT_GE(system_time() - start, 20000);

	EXPECT_EQ(B_OK, snooze(0));
	EXPECT_EQ(B_OK, snooze(-5));
	start = system_time();
	EXPECT_EQ(B_OK, snooze_until(start - 1000, B_SYSTEM_TIMEBASE));
	EXPECT_LT(system_time() - start, 1000000);
	EXPECT_EQ(B_BAD_VALUE, snooze_until(start, 99));

	// A signal handler running in between does not cut the sleep short.
	struct sigaction action = {};
	struct sigaction old;
	action.sa_handler = IgnoreSignal;
	sigaction(SIGUSR1, &action, &old);
	pthread_t sleeper = pthread_self();
	std::thread poker([sleeper] {
		for (int i = 0; i < 5; i++) {
			snooze(5000);
			pthread_kill(sleeper, SIGUSR1);
		}
	});
	start = system_time();
	EXPECT_EQ(B_OK, snooze(60000));
	EXPECT_GE(system_time() - start, 60000);
	poker.join();
	sigaction(SIGUSR1, &old, nullptr);
}

namespace {

std::string sMarker;

void
WriteMarker()
{
	WriteFile(sMarker, "exit handlers ran");
}

}	// namespace

TEST(TeamDeathTest, KillingTheOwnTeamEndsAtOnce)
{
	GTEST_FLAG_SET(death_test_style, "threadsafe");
	TempFolder folder;
	sMarker = folder / "marker";
	EXPECT_EXIT({
		atexit(WriteMarker);
		kill_team(getpid());
		WriteFile(sMarker, "went on after kill_team");
		exit(3);
	}, testing::ExitedWithCode(0), "");
	EXPECT_NE(0, access(sMarker.c_str(), F_OK)) << ReadFile(sMarker);

	EXPECT_EXIT(kill_team(B_CURRENT_TEAM), testing::ExitedWithCode(0), "");
}
