/*
 * Threads, teams and time over /proc and the host's clocks.
 */
#include <OS.h>

#include <dirent.h>
#include <errno.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

#include "SpawnedThreads.h"
#include "Teams.h"

using namespace BPrivate;

namespace {

// The host keeps thread names of at most 15 bytes.
const size_t kHostNameLength = 15;

thread_id
CurrentThread()
{
	return (thread_id)syscall(SYS_gettid);
}

std::string
ReadFirstLine(const std::string& path)
{
	std::ifstream stream(path);
	std::string line;
	std::getline(stream, line);
	return line;
}

// Fields of /proc/<id>/status we use.
struct ProcStatus {
	std::string	name;
	char		state = '?';
	pid_t		tgid = -1;
	int32		threads = 0;
	uid_t		uid = 0;
	gid_t		gid = 0;
};

bool
ReadStatus(pid_t id, ProcStatus& status)
{
	std::ifstream stream("/proc/" + std::to_string(id) + "/status");
	if (!stream)
		return false;
	std::string line;
	while (std::getline(stream, line)) {
		size_t colon = line.find(':');
		if (colon == std::string::npos)
			continue;
		std::string key = line.substr(0, colon);
		std::string value = line.substr(colon + 1);
		size_t start = value.find_first_not_of(" \t");
		value = start == std::string::npos ? std::string() : value.substr(start);
		if (key == "Name")
			status.name = value;
		else if (key == "State")
			status.state = value.empty() ? '?' : value[0];
		else if (key == "Tgid")
			status.tgid = atoi(value.c_str());
		else if (key == "Threads")
			status.threads = atoi(value.c_str());
		else if (key == "Uid")
			status.uid = strtoul(value.c_str(), NULL, 10);
		else if (key == "Gid")
			status.gid = strtoul(value.c_str(), NULL, 10);
	}
	return status.tgid > 0;
}

// User and kernel time of a thread, from /proc/<id>/stat.
void
ReadTimes(pid_t id, bigtime_t& user, bigtime_t& kernel)
{
	user = kernel = 0;
	std::string line = ReadFirstLine("/proc/" + std::to_string(id) + "/stat");
	size_t paren = line.rfind(')');
	if (paren == std::string::npos)
		return;
	std::istringstream fields(line.substr(paren + 1));
	std::string field;
	// After the name: state is field 3; utime and stime are fields 14 and 15.
	for (int index = 3; index <= 15 && (fields >> field); index++) {
		long ticksPerSecond = sysconf(_SC_CLK_TCK);
		if (ticksPerSecond <= 0)
			ticksPerSecond = 100;
		if (index == 14)
			user = strtoll(field.c_str(), NULL, 10) * 1000000 / ticksPerSecond;
		else if (index == 15)
			kernel = strtoll(field.c_str(), NULL, 10) * 1000000 / ticksPerSecond;
	}
}

}	// namespace

thread_id
find_thread(const char* name)
{
	if (name == NULL)
		return CurrentThread();

	std::string wanted(name, strnlen(name, kHostNameLength));
	DIR* tasks = opendir("/proc/self/task");
	if (tasks == NULL)
		return B_NAME_NOT_FOUND;
	thread_id found = B_NAME_NOT_FOUND;
	while (struct dirent* entry = readdir(tasks)) {
		if (entry->d_name[0] < '0' || entry->d_name[0] > '9')
			continue;
		std::string comm = ReadFirstLine(std::string("/proc/self/task/")
			+ entry->d_name + "/comm");
		if (comm == wanted) {
			found = atoi(entry->d_name);
			break;
		}
	}
	closedir(tasks);
	return found;
}

status_t
get_thread_info(thread_id thread, thread_info* info)
{
	if (info == NULL)
		return B_BAD_VALUE;
	if (thread <= 0)
		return B_BAD_THREAD_ID;
	ProcStatus status;
	if (!ReadStatus(thread, status) || status.state == 'Z'
		|| status.state == 'X')
		return B_BAD_THREAD_ID;

	memset(info, 0, sizeof(*info));
	info->thread = thread;
	info->team = status.tgid;
	snprintf(info->name, sizeof(info->name), "%s", status.name.c_str());
	switch (status.state) {
		case 'R':
			info->state = B_THREAD_RUNNING;
			break;
		case 'T':
		case 't':
			info->state = B_THREAD_SUSPENDED;
			break;
		case 'D':
			info->state = B_THREAD_WAITING;
			break;
		default:
			info->state = B_THREAD_ASLEEP;
			break;
	}
	// A loaded team that was not resumed yet is, for BeOS code, suspended.
	if (child_state_of(thread) == CHILD_LOADED)
		info->state = B_THREAD_SUSPENDED;
	info->priority = B_NORMAL_PRIORITY;
	info->sem = -1;
	ReadTimes(thread, info->user_time, info->kernel_time);
	return B_OK;
}

status_t
get_team_info(team_id team, team_info* info)
{
	if (info == NULL)
		return B_BAD_VALUE;
	if (team == B_CURRENT_TEAM)
		team = getpid();
	if (team <= 0)
		return B_BAD_TEAM_ID;
	ProcStatus status;
	if (!ReadStatus(team, status) || status.tgid != team || status.state == 'Z')
		return B_BAD_TEAM_ID;

	memset(info, 0, sizeof(*info));
	info->team = team;
	info->thread_count = status.threads;
	info->debugger_nub_thread = -1;
	info->debugger_nub_port = -1;
	info->uid = status.uid;
	info->gid = status.gid;

	std::ifstream stream("/proc/" + std::to_string(team) + "/cmdline",
		std::ios::binary);
	std::string argument;
	std::string args;
	while (std::getline(stream, argument, '\0')) {
		info->argc++;
		if (!args.empty())
			args += ' ';
		args += argument;
	}
	snprintf(info->args, sizeof(info->args), "%s", args.c_str());
	return B_OK;
}

status_t
resume_thread(thread_id thread)
{
	if (is_spawned_thread(thread))
		return resume_spawned_thread(thread);
	switch (child_state_of(thread)) {
		case CHILD_LOADED:
			return start_child(thread);
		case CHILD_RUNNING:
		{
			// Continues a team stopped with suspend_thread(); a running one
			// is left alone, as BeOS refused to resume a running thread.
			thread_info info;
			if (get_thread_info(thread, &info) != B_OK)
				return B_BAD_THREAD_ID;
			if (info.state != B_THREAD_SUSPENDED)
				return B_BAD_THREAD_STATE;
			return signal_child(thread, SIGCONT);
		}
		default:
			return B_BAD_THREAD_ID;
	}
}

status_t
suspend_thread(thread_id thread)
{
	switch (child_state_of(thread)) {
		case CHILD_LOADED:
			return B_OK;
		case CHILD_RUNNING:
			return signal_child(thread, SIGSTOP);
		default:
			return B_BAD_THREAD_ID;
	}
}

status_t
wait_for_thread(thread_id thread, status_t* returnValue)
{
	if (is_spawned_thread(thread))
		return wait_for_spawned_thread(thread, returnValue);
	child_state state = child_state_of(thread);
	if (state == CHILD_UNKNOWN)
		return B_BAD_THREAD_ID;
	if (state == CHILD_LOADED) {
		status_t status = start_child(thread);
		if (status != B_OK && status != B_BAD_THREAD_STATE) {
			// The program could not start; the child ends on its own.
			wait_child(thread, NULL);
			return status;
		}
	}
	return wait_child(thread, returnValue);
}

status_t
kill_thread(thread_id thread)
{
	if (thread == getpid())
		return kill_team(thread);
	if (child_state_of(thread) == CHILD_UNKNOWN) {
		// Single threads of this program cannot be ended from outside on
		// this host; other programs' threads are not ours to end.
		ProcStatus status;
		if (ReadStatus(thread, status) && status.tgid == getpid())
			return B_NOT_ALLOWED;
		return B_BAD_THREAD_ID;
	}
	return signal_child(thread, SIGKILL);
}

status_t
kill_team(team_id team)
{
	if (team == B_CURRENT_TEAM || team == getpid()) {
		// At once, as a killed team ends: no destructors, no exit handlers,
		// no other thread gets to run on.
		_exit(0);
	}
	if (child_state_of(team) == CHILD_UNKNOWN)
		return B_BAD_TEAM_ID;
	return signal_child(team, SIGKILL);
}

bigtime_t
system_time(void)
{
	struct timespec now;
	clock_gettime(CLOCK_MONOTONIC, &now);
	return (bigtime_t)now.tv_sec * 1000000 + now.tv_nsec / 1000;
}

uint32
real_time_clock(void)
{
	return (uint32)(real_time_clock_usecs() / 1000000);
}

bigtime_t
real_time_clock_usecs(void)
{
	struct timespec now;
	clock_gettime(CLOCK_REALTIME, &now);
	return (bigtime_t)now.tv_sec * 1000000 + now.tv_nsec / 1000;
}

status_t
snooze_until(bigtime_t time, int timeBase)
{
	if (timeBase != B_SYSTEM_TIMEBASE)
		return B_BAD_VALUE;
	if (time < 0)
		time = 0;
	struct timespec until;
	until.tv_sec = time / 1000000;
	until.tv_nsec = (time % 1000000) * 1000;
	int result;
	// Signals do not cut the sleep short.
	do
		result = clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, NULL);
	while (result == EINTR);
	return result == 0 ? B_OK : status_for_errno(result);
}

status_t
snooze(bigtime_t microseconds)
{
	if (microseconds <= 0)
		return B_OK;
	bigtime_t now = system_time();
	// A huge delay must not overflow into the past.
	if (microseconds > INT64_MAX - now)
		microseconds = INT64_MAX - now;
	return snooze_until(now + microseconds, B_SYSTEM_TIMEBASE);
}
