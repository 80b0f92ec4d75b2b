/*
 * BApplication: the program's own looper and the owner of the event loop.
 */
#ifndef _APPLICATION_H
#define _APPLICATION_H

#include <AppDefs.h>
#include <Looper.h>
#include <Messenger.h>

class BWindow;
struct app_info;

class BApplication : public BLooper {
public:
								BApplication(const char* signature);
								BApplication(const char* signature,
									status_t* error);
	virtual						~BApplication();

			status_t			InitCheck() const;

	// Runs the event loop until Quit(); B_READY_TO_RUN comes first.
	virtual	thread_id			Run();
	// Ends Run(). The object stays alive: its creator deletes it, as on
	// the platform, after Run() has returned.
	virtual	void				Quit();
	virtual	bool				QuitRequested();
	virtual	void				Pulse();
	virtual	void				ReadyToRun();
	virtual	void				MessageReceived(BMessage* message);
	virtual	void				ArgvReceived(int32 argc, char** argv);
	virtual	void				AppActivated(bool active);
	virtual	void				RefsReceived(BMessage* message);
	virtual	void				AboutRequested();

	virtual	void				DispatchMessage(BMessage* message,
									BHandler* handler);

	// Cursor calls go to the interface kit's hooks (AppPrivate.h).
			void				ShowCursor();
			void				HideCursor();
			void				ObscureCursor();
			bool				IsCursorHidden() const;
			void				SetCursor(const void* cursor);

	// The windows that exist, in creation order (the interface kit keeps
	// the list through AppPrivate.h).
			int32				CountWindows() const;
			BWindow*			WindowAt(int32 index) const;

			void				SetPulseRate(bigtime_t rate);
			bool				IsLaunching() const;
			status_t			GetAppInfo(app_info* info) const;
			const char*			Signature() const;

private:
								BApplication(const BApplication&);
			BApplication&		operator=(const BApplication&);

			void				_Init(const char* signature, status_t* error);
	static	void				_PulseTimer(void* cookie);
	static	bool				_RunDone(void* cookie);

			char*				fSignature;
			status_t			fInitError;
			bool				fRunning;
			bool				fQuitRun;
			bool				fReadyToRunCalled;
			bigtime_t			fPulseRate;
			int32				fPulseTimer;
};

extern BApplication* be_app;
extern BMessenger be_app_messenger;

#endif	// _APPLICATION_H
