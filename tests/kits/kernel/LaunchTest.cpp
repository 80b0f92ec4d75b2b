// Starting real programs: argument vectors byte for byte, environments,
// suspended starts, exit codes, failures and reaping.
#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <OS.h>

#include "TempFolder.h"

using namespace quillora_test;

extern char** environ;

namespace {

const char kDumpVariable[] = "QUILLORA_LAUNCH_DUMP";
const char kExitVariable[] = "QUILLORA_LAUNCH_EXIT";

// Started as a launch target, this test program writes the arguments it was
// given to the dump file and its environment to the dump file + ".env" (each
// entry ended by a zero byte), and ends before any test runs.
struct LaunchTarget {
	LaunchTarget()
	{
		const char* dump = getenv(kDumpVariable);
		if (dump == nullptr)
			return;
		std::ifstream cmdline("/proc/self/cmdline", std::ios::binary);
		WriteFile(dump, std::string((std::istreambuf_iterator<char>(cmdline)),
			std::istreambuf_iterator<char>()));
		std::string environment;
		for (char** variable = environ; *variable != nullptr; variable++)
			environment += std::string(*variable) + '\0';
		WriteFile(std::string(dump) + ".env", environment);
		const char* code = getenv(kExitVariable);
		_exit(code != nullptr ? atoi(code) : 0);
	}
} sLaunchTarget;

std::string
SelfPath()
{
	char* self = realpath("/proc/self/exe", nullptr);
	std::string path = self != nullptr ? self : "";
	free(self);
	return path;
}

struct Dump {
	std::vector<std::string> arguments;
	std::vector<std::string> environment;
};

std::vector<std::string>
SplitEntries(const std::string& contents)
{
	std::vector<std::string> entries;
	size_t start = 0;
	while (start < contents.size()) {
		size_t end = contents.find('\0', start);
		if (end == std::string::npos)
			end = contents.size();
		entries.push_back(contents.substr(start, end - start));
		start = end + 1;
	}
	return entries;
}

Dump
ReadDump(const std::string& path)
{
	Dump dump;
	dump.arguments = SplitEntries(ReadFile(path));
	dump.environment = SplitEntries(ReadFile(path + ".env"));
	return dump;
}

bool
Contains(const std::vector<std::string>& list, const std::string& item)
{
	for (const std::string& entry : list) {
		if (entry == item)
			return true;
	}
	return false;
}

// Waits (boundedly) until `predicate` holds.
template<typename Predicate>
bool
Eventually(Predicate predicate)
{
	for (int i = 0; i < 500; i++) {
		if (predicate())
			return true;
		snooze(10000);
	}
	return false;
}

char
ProcessState(pid_t pid)
{
	std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
	std::string line;
	if (!std::getline(stat, line))
		return 0;
	size_t paren = line.rfind(')');
	return paren != std::string::npos && paren + 2 < line.size()
		? line[paren + 2] : 0;
}

}	// namespace

TEST(LoadImage, ArgumentsAndEnvironmentArriveByteForByte)
{
	TempFolder folder;
	std::string dump = folder / "dump";
	std::string self = SelfPath();

	std::vector<std::string> arguments = {
		self,
		"with blank",
		"\"double\" and 'single' quotes",
		"$HOME $(id) `id` ${PATH}",
		"back\\slash\\",
		"",
		"semi;colon|pipe&amp>out<in",
		"*?[glob]~",
		"new\nline\ttab",
		"latin \xe9\xff",
		"-",
		"--gtest_list_tests",
	};
	std::vector<const char*> argv;
	for (const std::string& argument : arguments)
		argv.push_back(argument.c_str());
	argv.push_back(nullptr);
	std::string dumpVariable = std::string(kDumpVariable) + "=" + dump;
	const char* envp[] = { dumpVariable.c_str(), "SPACED=a b  c", "EMPTY=", nullptr };

	thread_id team = load_image((int32)arguments.size(), argv.data(), envp);
	ASSERT_GT(team, 0);

	// Loaded, not started: nothing runs until resume_thread().
	snooze(100000);
	EXPECT_NE(0, access(dump.c_str(), F_OK)) << "the program ran before it was resumed";
	thread_info info;
	ASSERT_EQ(B_OK, get_thread_info(team, &info));
	EXPECT_EQ(B_THREAD_SUSPENDED, info.state);
	EXPECT_EQ(team, info.team);
	EXPECT_EQ(team, info.thread);

	ASSERT_EQ(B_OK, resume_thread(team));
	EXPECT_EQ(B_BAD_THREAD_STATE, resume_thread(team));
	status_t exitCode = -1;
	ASSERT_EQ(B_OK, wait_for_thread(team, &exitCode));
	EXPECT_EQ(0, exitCode);

	Dump received = ReadDump(dump);
	EXPECT_EQ(arguments, received.arguments);
	EXPECT_EQ((std::vector<std::string>{ dumpVariable, "SPACED=a b  c", "EMPTY=" }),
		received.environment) << "exactly the environment given, nothing else";

	EXPECT_EQ(B_BAD_THREAD_ID, wait_for_thread(team, &exitCode)) << "already waited for";
}

TEST(LoadImage, NullEnvironmentPassesOursAndExitCodesComeBack)
{
	TempFolder folder;
	std::string dump = folder / "dump";
	std::string self = SelfPath();
	const char* argv[] = { self.c_str(), "x", nullptr };

	thread_id team;
	{
		ScopedEnv env;
		env.Set(kDumpVariable, dump);
		env.Set(kExitVariable, "7");
		env.Set("QUILLORA_MARKER", "inherited");
		team = load_image(2, argv, nullptr);
	}
	ASSERT_GT(team, 0);
	// wait_for_thread() starts a team that was not resumed.
	status_t exitCode = -1;
	ASSERT_EQ(B_OK, wait_for_thread(team, &exitCode));
	EXPECT_EQ(7, exitCode);
	Dump received = ReadDump(dump);
	EXPECT_TRUE(Contains(received.environment, "QUILLORA_MARKER=inherited"));
	EXPECT_EQ(getenv("QUILLORA_MARKER"), nullptr);
}

TEST(LoadImage, MissingOrUnusableProgramsFailCleanly)
{
	TempFolder folder;
	const char* missing[] = { "/no/such/program", nullptr };
	EXPECT_EQ(B_ENTRY_NOT_FOUND, load_image(1, missing, nullptr));

	std::string plain = folder / "not-executable";
	WriteFile(plain, "#!/bin/sh\n");
	const char* notExecutable[] = { plain.c_str(), nullptr };
	EXPECT_EQ(B_ENTRY_NOT_FOUND, load_image(1, notExecutable, nullptr));

	const char* directory[] = { folder.Path().c_str(), nullptr };
	EXPECT_EQ(B_ENTRY_NOT_FOUND, load_image(1, directory, nullptr));

	const char* unknownName[] = { "quillora-no-such-command", nullptr };
	EXPECT_EQ(B_ENTRY_NOT_FOUND, load_image(1, unknownName, nullptr));

	EXPECT_EQ(B_BAD_VALUE, load_image(0, missing, nullptr));
	EXPECT_EQ(B_BAD_VALUE, load_image(1, nullptr, nullptr));
	const char* holes[] = { "/bin/true", nullptr, nullptr };
	EXPECT_EQ(B_BAD_VALUE, load_image(2, holes, nullptr));

	// An executable the host cannot run is reported when it is started.
	std::string garbage = folder / "garbage";
	WriteFile(garbage, "\x01\x02\x03 not a program");
	chmod(garbage.c_str(), 0755);
	const char* cannotRun[] = { garbage.c_str(), nullptr };
	thread_id team = load_image(1, cannotRun, nullptr);
	ASSERT_GT(team, 0);
	EXPECT_NE(B_OK, resume_thread(team));
	EXPECT_TRUE(Eventually([team] { return ProcessState(team) == 0; }))
		<< "the failed child is reaped";

	EXPECT_EQ(B_BAD_THREAD_ID, resume_thread(123456789));
	EXPECT_EQ(B_BAD_THREAD_ID, wait_for_thread(123456789, nullptr));
}

TEST(LoadImage, BeOSProgramPathsAreTranslated)
{
	TempFolder folder;
	ScopedEnv env;
	std::string home = folder / "home";
	ASSERT_EQ(0, mkdir(home.c_str(), 0755));
	ASSERT_EQ(0, mkdir((home + "/.local").c_str(), 0755));
	ASSERT_EQ(0, mkdir((home + "/.local/bin").c_str(), 0755));
	env.Set("HOME", home);
	std::string self = SelfPath();
	ASSERT_EQ(0, symlink(self.c_str(), (home + "/.local/bin/Tool").c_str()));

	std::string dump = folder / "dump";
	std::string dumpVariable = std::string(kDumpVariable) + "=" + dump;
	const char* envp[] = { dumpVariable.c_str(), nullptr };

	const char* tool[] = { "/boot/home/config/be/Applications/Tool", "arg", nullptr };
	thread_id team = load_image(2, tool, envp);
	ASSERT_GT(team, 0);
	ASSERT_EQ(B_OK, wait_for_thread(team, nullptr));
	Dump received = ReadDump(dump);
	EXPECT_EQ((std::vector<std::string>{ home + "/.local/bin/Tool", "arg" }),
		received.arguments);
}

TEST(LoadImage, StartedProgramsAreReapedAndCanBeStoppedAndKilled)
{
	// Nobody waits for this one; it must not stay behind as a zombie.
	const char* quick[] = { "/bin/true", nullptr };
	thread_id done = load_image(1, quick, nullptr);
	ASSERT_GT(done, 0);
	ASSERT_EQ(B_OK, resume_thread(done));
	EXPECT_TRUE(Eventually([done] { return ProcessState(done) == 0; }))
		<< "state " << ProcessState(done);

	const char* sleeper[] = { "/bin/sleep", "30", nullptr };
	thread_id team = load_image(2, sleeper, nullptr);
	ASSERT_GT(team, 0);
	ASSERT_EQ(B_OK, resume_thread(team));

	ASSERT_EQ(B_OK, suspend_thread(team));
	thread_info info;
	EXPECT_TRUE(Eventually([&] {
		return get_thread_info(team, &info) == B_OK
			&& info.state == B_THREAD_SUSPENDED;
	}));
	EXPECT_EQ(B_OK, resume_thread(team));
	EXPECT_TRUE(Eventually([&] {
		return get_thread_info(team, &info) == B_OK
			&& info.state != B_THREAD_SUSPENDED;
	}));

	EXPECT_EQ(B_OK, kill_thread(team));
	status_t exitCode = 0;
	ASSERT_EQ(B_OK, wait_for_thread(team, &exitCode));
	EXPECT_EQ(B_INTERRUPTED, exitCode);
	EXPECT_EQ(B_BAD_THREAD_ID, kill_thread(team));

	// A loaded team can be killed before it ever runs.
	thread_id never = load_image(2, sleeper, nullptr);
	ASSERT_GT(never, 0);
	EXPECT_EQ(B_OK, kill_team(never));
	ASSERT_EQ(B_OK, wait_for_thread(never, &exitCode));

	// Processes we did not start are not ours to end.
	EXPECT_EQ(B_BAD_TEAM_ID, kill_team(1));
	EXPECT_EQ(B_BAD_THREAD_ID, kill_thread(1));
}
