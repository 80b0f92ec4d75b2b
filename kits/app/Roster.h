/*
 * Running applications. Only this process is known to the roster.
 */
#ifndef _ROSTER_H
#define _ROSTER_H

#include <Entry.h>
#include <Messenger.h>
#include <StorageDefs.h>
#include <SupportDefs.h>

// Launch flags (app_info::flags)
#define B_SINGLE_LAUNCH			(0x0)
#define B_MULTIPLE_LAUNCH		(0x1)
#define B_EXCLUSIVE_LAUNCH		(0x2)
#define B_LAUNCH_MASK			(0x3)
#define B_BACKGROUND_APP		(0x4)
#define B_ARGV_ONLY				(0x8)
#define _B_APP_INFO_RESERVED1_	(0x10000000)

struct app_info {
								app_info();
								~app_info();

			thread_id			thread;
			team_id				team;
			port_id				port;
			uint32				flags;
			entry_ref			ref;
			char				signature[B_MIME_TYPE_LENGTH];
};

class BRoster {
public:
								BRoster();
								~BRoster();

			bool				IsRunning(const char* signature) const;
			team_id				TeamFor(const char* signature) const;
			status_t			GetAppInfo(const char* signature,
									app_info* info) const;
			status_t			GetRunningAppInfo(team_id team,
									app_info* info) const;
			status_t			GetActiveAppInfo(app_info* info) const;
};

extern const BRoster* be_roster;

#endif	// _ROSTER_H
