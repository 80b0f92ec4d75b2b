// Shared parts of the control tests: a real window that records the
// messages its controls send, real key and mouse messages, and a looper
// that records what reaches it.
#ifndef CONTROLS_TESTING_H
#define CONTROLS_TESTING_H

#include <AppDefs.h>
#include <EventLoop.h>
#include <InterfaceDefs.h>
#include <Looper.h>
#include <Message.h>
#include <View.h>
#include <Window.h>

#include <string>
#include <vector>

inline void
dispatch()
{
	BPrivate::dispatch_until_idle();
}


// A copy of every message a window or looper was sent, in order.
struct Received {
	std::vector<BMessage> messages;

	int32 Count(uint32 what) const
	{
		int32 count = 0;
		for (const BMessage& message : messages)
			count += message.what == what ? 1 : 0;
		return count;
	}

	const BMessage* Last(uint32 what) const
	{
		for (auto it = messages.rbegin(); it != messages.rend(); ++it) {
			if (it->what == what)
				return &*it;
		}
		return NULL;
	}

	std::vector<uint32> Whats() const
	{
		std::vector<uint32> whats;
		for (const BMessage& message : messages)
			whats.push_back(message.what);
		return whats;
	}
};


class RecordingWindow : public BWindow {
public:
	RecordingWindow(Received* received, BRect frame = BRect(100, 100, 499, 399))
		:
		BWindow(frame, "Controls", B_TITLED_WINDOW, 0),
		fReceived(received)
	{
	}

	void MessageReceived(BMessage* message) override
	{
		// Only the controls' own codes, not the window's housekeeping.
		if ((message->what >> 24) != '_')
			fReceived->messages.push_back(*message);
		BWindow::MessageReceived(message);
	}

private:
	Received* fReceived;
};


class RecordingLooper : public BLooper {
public:
	RecordingLooper(Received* received)
		:
		BLooper("recorder"),
		fReceived(received)
	{
	}

	void MessageReceived(BMessage* message) override
	{
		fReceived->messages.push_back(*message);
	}

private:
	Received* fReceived;
};


// A shown window with views in it, driven by messages as the host sends
// them.
class ControlsWindow {
public:
	explicit ControlsWindow(BRect frame = BRect(100, 100, 499, 399))
		:
		fWindow(new RecordingWindow(&received, frame))
	{
		fWindow->Lock();
		BView* background = new BView(fWindow->Bounds(), "background",
			B_FOLLOW_ALL, B_WILL_DRAW);
		background->SetViewColor(216, 216, 216);
		fWindow->AddChild(background);
		fBackground = background;
		fWindow->Unlock();
	}

	~ControlsWindow()
	{
		if (fWindow->Lock())
			fWindow->Quit();
		dispatch();
	}

	void Add(BView* view)
	{
		fWindow->Lock();
		fBackground->AddChild(view);
		fWindow->Unlock();
	}

	void Show()
	{
		fWindow->Show();
		dispatch();
	}

	BWindow* Window() const { return fWindow; }
	BView* Background() const { return fBackground; }

	static BMessage KeyMessage(const char* bytes, uint32 modifiers = 0,
		int32 key = 0, int32 rawChar = -1)
	{
		BMessage message(B_KEY_DOWN);
		message.AddString("bytes", bytes);
		message.AddInt32("modifiers", (int32)modifiers);
		message.AddInt32("key", key);
		message.AddInt32("raw_char", rawChar >= 0 ? rawChar : (uint8)bytes[0]);
		message.AddInt64("when", 0);
		return message;
	}

	// A key as the host brings it in, to whatever window.
	static void KeyTo(BWindow* window, const char* bytes, uint32 modifiers = 0,
		int32 key = 0, int32 rawChar = -1)
	{
		BMessage message = KeyMessage(bytes, modifiers, key, rawChar);
		// As the host does: to the preferred handler (the focus view), so
		// that the focus view's filters see the key.
		window->PostMessage(&message, (BHandler*)NULL);
	}

	void Key(const char* bytes, uint32 modifiers = 0, int32 key = 0,
		int32 rawChar = -1)
	{
		KeyTo(fWindow, bytes, modifiers, key, rawChar);
		dispatch();
	}

	static BMessage MouseMessage(BWindow* window, uint32 what, BView* view,
		BPoint where, int32 clicks = 1)
	{
		window->Lock();
		BPoint inWindow = view->ConvertToParent(where);
		for (BView* parent = view->Parent(); parent != NULL;
				parent = parent->Parent()) {
			inWindow = parent->ConvertToParent(inWindow);
		}
		window->Unlock();
		BMessage message(what);
		message.AddPoint("where", inWindow);
		message.AddPoint("screen_where", window->ConvertToScreen(inWindow));
		message.AddInt32("buttons", what == B_MOUSE_UP ? 0
			: B_PRIMARY_MOUSE_BUTTON);
		message.AddInt32("clicks", clicks);
		message.AddInt32("modifiers", 0);
		message.AddInt64("when", 0);
		if (what == B_MOUSE_MOVED)
			message.AddInt32("be:transit", B_INSIDE_VIEW);
		return message;
	}

	// Mouse messages carry window coordinates, as the host gives them.
	static void ClickIn(BWindow* window, BView* view, BPoint where,
		int32 clicks = 1)
	{
		BMessage down = MouseMessage(window, B_MOUSE_DOWN, view, where, clicks);
		BMessage up = MouseMessage(window, B_MOUSE_UP, view, where, clicks);
		window->PostMessage(&down);
		window->PostMessage(&up);
	}

	void Click(BView* view, BPoint where, int32 clicks = 1)
	{
		ClickIn(fWindow, view, where, clicks);
		dispatch();
	}

	Received received;

private:
	RecordingWindow* fWindow;
	BView* fBackground;
};

#endif	// CONTROLS_TESTING_H
