/*
 * Threads, teams and time.
 *
 * A team is a host process and its id is the process id; a thread id is the
 * host thread id (the main thread's id equals its team's). Teams started with
 * load_image() are this program's children: they are reaped when they end,
 * so none is left behind as a zombie, and wait_for_thread() gives their exit
 * code.
 */
#ifndef _OS_H
#define _OS_H

#include <sys/types.h>

#include <SupportDefs.h>
#include <image.h>

#define B_OS_NAME_LENGTH		32
#define B_PAGE_SIZE				4096

#define B_CURRENT_TEAM			0
#define B_SYSTEM_TIMEBASE		0

// Thread priorities.
#define B_IDLE_PRIORITY					0
#define B_LOWEST_ACTIVE_PRIORITY		1
#define B_LOW_PRIORITY					5
#define B_NORMAL_PRIORITY				10
#define B_DISPLAY_PRIORITY				15
#define B_URGENT_DISPLAY_PRIORITY		20
#define B_REAL_TIME_DISPLAY_PRIORITY	100
#define B_URGENT_PRIORITY				110
#define B_REAL_TIME_PRIORITY			120

typedef enum {
	B_THREAD_RUNNING = 1,
	B_THREAD_READY,
	B_THREAD_RECEIVING,
	B_THREAD_ASLEEP,
	B_THREAD_SUSPENDED,
	B_THREAD_WAITING
} thread_state;

typedef struct {
	thread_id		thread;
	team_id			team;
	char			name[B_OS_NAME_LENGTH];
	thread_state	state;
	int32			priority;
	sem_id			sem;
	bigtime_t		user_time;
	bigtime_t		kernel_time;
	void*			stack_base;
	void*			stack_end;
} thread_info;

typedef struct {
	team_id			team;
	int32			thread_count;
	int32			image_count;
	int32			area_count;
	thread_id		debugger_nub_thread;
	port_id			debugger_nub_port;
	int32			argc;
	char			args[64];
	uid_t			uid;
	gid_t			gid;
} team_info;

// A thread's function; what it returns is the thread's exit code.
typedef status_t (*thread_func)(void* data);

// Starts a thread of this program running `function(data)`. As on BeOS it
// does not run until resume_thread() (or wait_for_thread()) is called on the
// returned id, which is its host thread id. `name` is kept as the host keeps
// thread names (15 bytes); priorities below B_NORMAL_PRIORITY make the thread
// nicer to the others, higher ones are taken as normal. A thread nobody waits
// for keeps its exit code (and its host resources) until the program ends:
// wait for every thread you spawn.
thread_id spawn_thread(thread_func function, const char* name, int32 priority,
	void* data);

// NULL gives the calling thread; otherwise a thread of this team by name
// (names are compared as the host keeps them: at most 15 bytes).
thread_id find_thread(const char* name);
status_t get_thread_info(thread_id thread, thread_info* info);
status_t get_team_info(team_id team, team_info* info);

// For teams started with load_image(): start, stop and continue them.
// resume_thread() also starts a thread from spawn_thread(); it cannot be
// stopped or continued later.
status_t resume_thread(thread_id thread);
status_t suspend_thread(thread_id thread);
// Waits until the thread (a team started with load_image(), or a thread
// from spawn_thread()) has ended; its exit code goes to `returnValue`
// (B_INTERRUPTED when a signal ended a team). One that was not resumed yet
// is resumed first. Once waited for, the id is no longer known.
status_t wait_for_thread(thread_id thread, status_t* returnValue);
status_t kill_thread(thread_id thread);
// This program's own team (or B_CURRENT_TEAM) ends the process at once,
// without running destructors or exit handlers, with exit code 0.
status_t kill_team(team_id team);

status_t snooze(bigtime_t microseconds);
status_t snooze_until(bigtime_t time, int timeBase);
// Microseconds on a clock that never goes back.
bigtime_t system_time(void);
// The time of day: seconds and microseconds since 1970-01-01 00:00 UTC.
uint32 real_time_clock(void);
bigtime_t real_time_clock_usecs(void);

#endif	// _OS_H
