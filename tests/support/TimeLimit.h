/*
 * A watchdog for code that must end: if the guarded part of a test has not
 * finished after the given time, the test program prints what was running
 * and exits with a failure. A search that loops for ever then fails the
 * suite instead of hanging it.
 *
 * Header-only, for any test program.
 */
#ifndef QUILLORA_TESTS_TIME_LIMIT_H
#define QUILLORA_TESTS_TIME_LIMIT_H

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace quillora_test {

class TimeLimit {
public:
	TimeLimit(double seconds, std::string what)
		:
		fWhat(std::move(what)),
		fDone(false)
	{
		if (const testing::TestInfo* test
				= testing::UnitTest::GetInstance()->current_test_info())
			fWhat += std::string(" in ") + test->test_suite_name() + "."
				+ test->name();
		fWatchdog = std::thread([this, seconds]() {
			std::unique_lock<std::mutex> lock(fLock);
			if (fCondition.wait_for(lock,
					std::chrono::duration<double>(seconds),
					[this]() { return fDone; }))
				return;
			fprintf(stderr, "FAILED: \"%s\" did not end within %g s\n",
				fWhat.c_str(), seconds);
			fflush(stderr);
			std::_Exit(1);
		});
	}

	~TimeLimit()
	{
		{
			std::lock_guard<std::mutex> lock(fLock);
			fDone = true;
		}
		fCondition.notify_all();
		fWatchdog.join();
	}

private:
	std::string fWhat;
	bool fDone;
	std::mutex fLock;
	std::condition_variable fCondition;
	std::thread fWatchdog;
};

}	// namespace quillora_test

#endif	// QUILLORA_TESTS_TIME_LIMIT_H
