// Shared parts of the control tests: a real window that records the
// messages its controls send, real key and mouse messages, and a looper
// that records what reaches it.
#ifndef CONTROLS_TESTING_H
#define CONTROLS_TESTING_H

#include <gtest/gtest.h>

#include <AppDefs.h>
#include <EventLoop.h>
#include <InterfaceDefs.h>
#include <Looper.h>
#include <Menu.h>
#include <MenuItem.h>
#include <Message.h>
#include <View.h>
#include <Window.h>

#include <functional>
#include <string>
#include <vector>

#include "KitInput.h"

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
		return quillora_test::KeyMessage(bytes, modifiers, key, rawChar);
	}

	static BMessage MouseMessage(BWindow* window, uint32 what, BView* view,
		BPoint where, int32 clicks = 1, uint32 modifiers = 0)
	{
		return quillora_test::MouseMessage(window, what, view, where, clicks,
			modifiers);
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

	// Mouse messages carry window coordinates, as the host gives them.
	static void ClickIn(BWindow* window, BView* view, BPoint where,
		int32 clicks = 1, uint32 modifiers = 0)
	{
		BMessage down = MouseMessage(window, B_MOUSE_DOWN, view, where, clicks,
			modifiers);
		BMessage up = MouseMessage(window, B_MOUSE_UP, view, where, clicks,
			modifiers);
		window->PostMessage(&down);
		window->PostMessage(&up);
	}

	void Click(BView* view, BPoint where, int32 clicks = 1,
		uint32 modifiers = 0)
	{
		ClickIn(fWindow, view, where, clicks, modifiers);
		dispatch();
	}

	// A press at one place released at another.
	void Press(BView* view, BPoint down, BPoint up)
	{
		BMessage press = MouseMessage(fWindow, B_MOUSE_DOWN, view, down);
		BMessage release = MouseMessage(fWindow, B_MOUSE_UP, view, up);
		fWindow->PostMessage(&press);
		fWindow->PostMessage(&release);
		dispatch();
	}

	Received received;

private:
	RecordingWindow* fWindow;
	BView* fBackground;
};

// Menus run in windows of their own until something is chosen; the tests
// play the user through the open hook: `script` runs for every menu window
// as it opens, and each opened menu is recorded.
class MenuScriptTest : public testing::Test {
protected:
	void SetUp() override
	{
		opened.clear();
		openedNames.clear();
		script = nullptr;
		BMenu::SetOpenHook(_OpenHook, NULL);
	}

	void TearDown() override
	{
		BMenu::SetOpenHook(NULL, NULL);
		script = nullptr;
	}

	// A point inside a menu's item, in the menu's coordinates.
	static BPoint ItemPoint(BMenu* menu, int32 index)
	{
		BRect frame = menu->ItemAt(index)->Frame();
		return BPoint(frame.left + 6, frame.top + 3);
	}

	static inline std::function<void(BWindow*, BMenu*)> script;
	static inline std::vector<BMenu*> opened;
	static inline std::vector<std::string> openedNames;

private:
	static void _OpenHook(BWindow* window, BMenu* menu, void*)
	{
		opened.push_back(menu);
		openedNames.push_back(menu->Name());
		if (script)
			script(window, menu);
	}
};

#endif	// CONTROLS_TESTING_H
