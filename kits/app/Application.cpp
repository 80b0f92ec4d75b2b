#include <Application.h>

#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <mutex>
#include <vector>

#include <AppFileInfo.h>
#include <AppPrivate.h>
#include <Entry.h>
#include <EventLoop.h>
#include <List.h>
#include <Roster.h>

#include "HeapPages.h"
#include "LooperPrivate.h"
#include "MessagePrivate.h"

BApplication* be_app = NULL;
BMessenger be_app_messenger;

namespace BPrivate {

namespace {

struct WindowEntry {
	BWindow*	window;
	BLooper*	looper;
};

std::mutex sWindowLock;
std::vector<WindowEntry> sWindows;
CursorHooks sCursorHooks = { NULL, NULL, NULL, NULL };
bool sCursorHidden = false;

}	// namespace


void
register_window(BWindow* window, BLooper* looper)
{
	std::lock_guard<std::mutex> guard(sWindowLock);
	sWindows.push_back(WindowEntry{ window, looper });
}


void
unregister_window(BWindow* window)
{
	std::lock_guard<std::mutex> guard(sWindowLock);
	for (size_t i = 0; i < sWindows.size(); i++) {
		if (sWindows[i].window == window) {
			sWindows.erase(sWindows.begin() + i);
			return;
		}
	}
}


int32
count_windows()
{
	std::lock_guard<std::mutex> guard(sWindowLock);
	return (int32)sWindows.size();
}


BWindow*
window_at(int32 index)
{
	std::lock_guard<std::mutex> guard(sWindowLock);
	if (index < 0 || index >= (int32)sWindows.size())
		return NULL;
	return sWindows[index].window;
}


static std::vector<WindowEntry>
window_loopers()
{
	std::lock_guard<std::mutex> guard(sWindowLock);
	return sWindows;
}


static bool sHeadless = false;


void
set_headless(bool headless)
{
	sHeadless = headless;
}


bool
is_headless()
{
	return sHeadless;
}


void
set_cursor_hooks(const CursorHooks& hooks)
{
	sCursorHooks = hooks;
}

}	// namespace BPrivate


// #pragma mark - BApplication

BApplication::BApplication(const char* signature)
	: BLooper("application")
{
	_Init(signature, NULL);
}


BApplication::BApplication(const char* signature, status_t* error)
	: BLooper("application")
{
	_Init(signature, error);
}


void
BApplication::_Init(const char* signature, status_t* error)
{
	BPrivate::use_large_heap_pages();
	fSignature = NULL;
	fInitError = B_OK;
	fRunning = false;
	fQuitRun = false;
	fReadyToRunCalled = false;
	fPulseRate = 500000;
	fPulseTimer = -1;

	if (signature == NULL || strncasecmp(signature, "application/", 12) != 0)
		fInitError = B_BAD_VALUE;
	else if (be_app != NULL)
		fInitError = B_ALREADY_RUNNING;
	if (signature != NULL) {
		fSignature = new char[strlen(signature) + 1];
		strcpy(fSignature, signature);
	}
	if (error != NULL)
		*error = fInitError;
	if (fInitError != B_OK) {
		fprintf(stderr, "BApplication: bad signature or second application"
			" (%s)\n", signature != NULL ? signature : "NULL");
		if (fInitError == B_ALREADY_RUNNING)
			return;
	}
	be_app = this;
	be_app_messenger = BMessenger(this);
	// The executable carries no resources; the storage kit answers
	// BAppFileInfo questions about it with this signature.
	if (fInitError == B_OK)
		BPrivate::set_running_app_signature(fSignature);
	BPrivate::claim_event_thread();
}


BApplication::~BApplication()
{
	if (fPulseTimer >= 0)
		BPrivate::remove_timer(fPulseTimer);
	// Windows left over go with the application, as on the platform.
	for (const auto& entry : BPrivate::window_loopers()) {
		if (BPrivate::is_live_looper(entry.looper) && entry.looper->Lock())
			entry.looper->Quit();
	}
	if (be_app == this) {
		be_app = NULL;
		be_app_messenger = BMessenger();
	}
	delete[] fSignature;
}


status_t
BApplication::InitCheck() const
{
	return fInitError;
}


bool
BApplication::_RunDone(void* cookie)
{
	return ((BApplication*)cookie)->fQuitRun;
}


thread_id
BApplication::Run()
{
	if (fRunning)
		return B_ALREADY_RUNNING;
	fRunning = true;
	fQuitRun = false;
	BLooper::Run();
	if (!fReadyToRunCalled)
		PostMessage(B_READY_TO_RUN);
	if (fPulseRate > 0 && fPulseTimer < 0)
		fPulseTimer = BPrivate::add_timer(fPulseRate, _PulseTimer, this);
	BPrivate::run_event_loop_until(_RunDone, this);
	fRunning = false;
	return BPrivate::event_thread();
}


// Ends Run() instead of deleting the object: the program deletes its
// application after Run() returns.
void
BApplication::Quit()
{
	bool locked = IsLocked() || Lock();
	fQuitRun = true;
	if (locked)
		Unlock();
	BPrivate::wake_event_loop();
}


bool
BApplication::QuitRequested()
{
	// Every window is asked; the first one that refuses keeps us running.
	for (const auto& entry : BPrivate::window_loopers()) {
		BLooper* window = entry.looper;
		if (!BPrivate::is_live_looper(window) || !window->Lock())
			continue;
		if (!window->QuitRequested()) {
			window->Unlock();
			return false;
		}
		window->Quit();
	}
	return true;
}


void
BApplication::_PulseTimer(void* cookie)
{
	BApplication* app = (BApplication*)cookie;
	if (app->MessageQueue()->FindMessage(B_PULSE, 0) == NULL)
		app->PostMessage(B_PULSE);
}


void
BApplication::Pulse()
{
}


void
BApplication::ReadyToRun()
{
}


void
BApplication::MessageReceived(BMessage* message)
{
	BLooper::MessageReceived(message);
}


void
BApplication::ArgvReceived(int32, char**)
{
}


void
BApplication::AppActivated(bool)
{
}


void
BApplication::RefsReceived(BMessage*)
{
}


void
BApplication::AboutRequested()
{
}


void
BApplication::DispatchMessage(BMessage* message, BHandler* handler)
{
	if (handler != this) {
		BLooper::DispatchMessage(message, handler);
		return;
	}
	switch (message->what) {
		case B_READY_TO_RUN:
			if (!fReadyToRunCalled) {
				fReadyToRunCalled = true;
				ReadyToRun();
			}
			break;
		case B_REFS_RECEIVED:
			RefsReceived(message);
			break;
		case B_ARGV_RECEIVED: {
			int32 argc = 0;
			message->FindInt32("argc", &argc);
			std::vector<char*> argv;
			const char* arg;
			for (int32 i = 0; i < argc
				&& message->FindString("argv", i, &arg) == B_OK; i++)
				argv.push_back(const_cast<char*>(arg));
			argv.push_back(NULL);
			ArgvReceived((int32)argv.size() - 1, argv.data());
			break;
		}
		case B_ABOUT_REQUESTED:
			AboutRequested();
			break;
		case B_PULSE:
			Pulse();
			break;
		case B_APP_ACTIVATED: {
			bool active;
			if (message->FindBool("active", &active) != B_OK)
				active = true;
			AppActivated(active);
			break;
		}
		default:
			BLooper::DispatchMessage(message, handler);
			break;
	}
}


void
BApplication::ShowCursor()
{
	BPrivate::sCursorHidden = false;
	if (BPrivate::sCursorHooks.show != NULL)
		BPrivate::sCursorHooks.show();
}


void
BApplication::HideCursor()
{
	BPrivate::sCursorHidden = true;
	if (BPrivate::sCursorHooks.hide != NULL)
		BPrivate::sCursorHooks.hide();
}


void
BApplication::ObscureCursor()
{
	if (BPrivate::sCursorHooks.obscure != NULL)
		BPrivate::sCursorHooks.obscure();
}


bool
BApplication::IsCursorHidden() const
{
	return BPrivate::sCursorHidden;
}


void
BApplication::SetCursor(const void* cursor)
{
	if (BPrivate::sCursorHooks.set != NULL)
		BPrivate::sCursorHooks.set(cursor);
}


int32
BApplication::CountWindows() const
{
	return BPrivate::count_windows();
}


BWindow*
BApplication::WindowAt(int32 index) const
{
	return BPrivate::window_at(index);
}


void
BApplication::SetPulseRate(bigtime_t rate)
{
	fPulseRate = rate;
	if (fPulseTimer >= 0) {
		BPrivate::remove_timer(fPulseTimer);
		fPulseTimer = -1;
	}
	if (fRunning && rate > 0)
		fPulseTimer = BPrivate::add_timer(rate, _PulseTimer, this);
}


bool
BApplication::IsLaunching() const
{
	return !fReadyToRunCalled;
}


const char*
BApplication::Signature() const
{
	return fSignature != NULL ? fSignature : "";
}


status_t
BApplication::GetAppInfo(app_info* info) const
{
	if (info == NULL)
		return B_BAD_VALUE;
	// The executable as the kernel sees it; the path may be long.
	std::vector<char> path(256);
	for (;;) {
		ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
		if (length < 0)
			return B_ERROR;
		if ((size_t)length < path.size()) {
			path[length] = '\0';
			break;
		}
		path.resize(path.size() * 2);
	}
	status_t error = get_ref_for_path(path.data(), &info->ref);
	if (error != B_OK)
		return error;
	info->thread = BPrivate::event_thread();
	info->team = getpid();
	info->port = -1;
	info->flags = B_MULTIPLE_LAUNCH;
	strncpy(info->signature, Signature(), sizeof(info->signature) - 1);
	info->signature[sizeof(info->signature) - 1] = '\0';
	return B_OK;
}
