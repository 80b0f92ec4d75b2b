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

namespace {

struct SpawnedWork {
	std::atomic<int> gate{0};
	std::atomic<int> seenGate{-1};
	std::atomic<thread_id> self{0};
	status_t result = 0;
};

status_t
RecordAndReturn(void* data)
{
	SpawnedWork* work = static_cast<SpawnedWork*>(data);
	work->seenGate = work->gate.load();
	work->self = find_thread(nullptr);
	return work->result;
}

}	// namespace

TEST(Threads, SpawnedThreadsRunOnlyOnceResumedAndHandBackTheirExitCode)
{
	SpawnedWork work;
	work.result = 1234;
	thread_id thread = spawn_thread(RecordAndReturn, "quill-spawned-worker",
		B_LOW_PRIORITY, &work);
	ASSERT_GT(thread, 0);
	EXPECT_NE(find_thread(nullptr), thread);

	// Known by its id and its (host-shortened) name before it runs.
	thread_info info;
	ASSERT_EQ(B_OK, get_thread_info(thread, &info));
	EXPECT_EQ(getpid(), info.team);
	EXPECT_STREQ("quill-spawned-w", info.name);
	EXPECT_EQ(thread, find_thread("quill-spawned-worker"));

	// The function sees what was set before resume_thread(), never what
	// was there when the thread was spawned.
	work.gate = 1;
	EXPECT_EQ(B_OK, resume_thread(thread));
	EXPECT_EQ(B_BAD_THREAD_STATE, resume_thread(thread));
	status_t exitCode = 0;
	ASSERT_EQ(B_OK, wait_for_thread(thread, &exitCode));
	EXPECT_EQ(1234, exitCode);
	EXPECT_EQ(1, work.seenGate.load());
	EXPECT_EQ(thread, work.self.load()) << "its id is its own thread id";

	// Once waited for, the thread is gone.
	EXPECT_EQ(B_BAD_THREAD_ID, wait_for_thread(thread, &exitCode));
	EXPECT_EQ(B_BAD_THREAD_ID, resume_thread(thread));
	EXPECT_EQ(B_BAD_VALUE, spawn_thread(nullptr, "none", B_NORMAL_PRIORITY,
		nullptr));
}

TEST(Threads, WaitingForASpawnedThreadThatWasNotResumedStartsIt)
{
	SpawnedWork work;
	work.result = -7;
	thread_id thread = spawn_thread(RecordAndReturn, nullptr,
		B_NORMAL_PRIORITY, &work);
	ASSERT_GT(thread, 0);
	work.gate = 2;
	status_t exitCode = 0;
	ASSERT_EQ(B_OK, wait_for_thread(thread, &exitCode));
	EXPECT_EQ(-7, exitCode);
	EXPECT_EQ(2, work.seenGate.load());

	// Many in a row, each waited for: ids may come again, results never
	// get mixed up.
	for (int i = 0; i < 50; i++) {
		SpawnedWork each;
		each.result = i;
		thread_id id = spawn_thread(RecordAndReturn, "quill-many",
			B_NORMAL_PRIORITY, &each);
		ASSERT_GT(id, 0);
		ASSERT_EQ(B_OK, resume_thread(id));
		ASSERT_EQ(B_OK, wait_for_thread(id, &exitCode));
		EXPECT_EQ(i, exitCode);
	}
}

TEST(Time, RealTimeClockIsTheTimeOfDay)
{
	struct timespec now;
	clock_gettime(CLOCK_REALTIME, &now);
	bigtime_t reference = (bigtime_t)now.tv_sec * 1000000 + now.tv_nsec / 1000;
	bigtime_t usecs = real_time_clock_usecs();
	EXPECT_GE(usecs, reference);
	EXPECT_LT(usecs - reference, 1000000);
	uint32 seconds = real_time_clock();
	EXPECT_GE(seconds, uint32(reference / 1000000));
	EXPECT_LE(seconds, uint32(time(nullptr)));
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
