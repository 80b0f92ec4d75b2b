#include <Roster.h>

#include <string.h>
#include <strings.h>
#include <unistd.h>

#include <Application.h>

static const BRoster sRoster;
const BRoster* be_roster = &sRoster;


app_info::app_info()
	: thread(-1), team(-1), port(-1), flags(0)
{
	signature[0] = '\0';
}


app_info::~app_info()
{
}


BRoster::BRoster()
{
}


BRoster::~BRoster()
{
}


bool
BRoster::IsRunning(const char* signature) const
{
	return TeamFor(signature) >= 0;
}


team_id
BRoster::TeamFor(const char* signature) const
{
	if (signature == NULL || be_app == NULL
		|| strcasecmp(signature, be_app->Signature()) != 0)
		return B_ERROR;
	return getpid();
}


status_t
BRoster::GetAppInfo(const char* signature, app_info* info) const
{
	if (signature == NULL || info == NULL)
		return B_BAD_VALUE;
	if (TeamFor(signature) < 0)
		return B_ERROR;
	return be_app->GetAppInfo(info);
}


status_t
BRoster::GetRunningAppInfo(team_id team, app_info* info) const
{
	if (info == NULL)
		return B_BAD_VALUE;
	if (team != getpid() || be_app == NULL)
		return B_BAD_TEAM_ID;
	return be_app->GetAppInfo(info);
}


status_t
BRoster::GetActiveAppInfo(app_info* info) const
{
	if (info == NULL)
		return B_BAD_VALUE;
	if (be_app == NULL)
		return B_ERROR;
	return be_app->GetAppInfo(info);
}
