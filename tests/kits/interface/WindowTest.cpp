// BWindow life: the close box, pulses, attach hooks, geometry limits.
#include <gtest/gtest.h>

#include <AppDefs.h>
#include <AppPrivate.h>
#include <EventLoop.h>
#include <Screen.h>
#include <View.h>
#include <Window.h>

#include "InterfaceTestSupport.h"

#include <string>
#include <vector>

namespace {

class AskingWindow : public BWindow {
public:
	AskingWindow(bool* deleted)
		: BWindow(BRect(0, 0, 99, 99), "Asking", B_TITLED_WINDOW, 0), allow(false), asked(0),
		  fDeleted(deleted) {}
	~AskingWindow() override { *fDeleted = true; }

	bool QuitRequested() override
	{
		asked++;
		return allow;
	}

	bool allow;
	int asked;

private:
	bool* fDeleted;
};

class PulsingView : public BView {
public:
	PulsingView()
		: BView(BRect(0, 0, 9, 9), "pulsing", B_FOLLOW_NONE, B_PULSE_NEEDED), pulses(0) {}
	void Pulse() override { pulses++; }
	int pulses;
};

std::vector<std::string> sEvents;

class HookView : public BView {
public:
	HookView(const char* name)
		: BView(BRect(0, 0, 9, 9), name, B_FOLLOW_NONE, 0) {}
	void AttachedToWindow() override { sEvents.push_back(std::string("attached ") + Name()); }
	void AllAttached() override { sEvents.push_back(std::string("all attached ") + Name()); }
	void DetachedFromWindow() override { sEvents.push_back(std::string("detached ") + Name()); }
	void AllDetached() override { sEvents.push_back(std::string("all detached ") + Name()); }
};

bool PulsedTwice(void* cookie)
{
	return static_cast<PulsingView*>(cookie)->pulses >= 2;
}

}	// namespace


TEST(Window, TheCloseBoxAsksQuitRequested)
{
	bool deleted = false;
	AskingWindow* window = new AskingWindow(&deleted);
	window->Show();
	test::Settle();
	BPrivate::WindowPrivate* data = BPrivate::window_private(window);

	data->HostCloseRequested();
	test::Settle();
	EXPECT_EQ(window->asked, 1);
	EXPECT_FALSE(deleted);

	window->allow = true;
	data->HostCloseRequested();
	test::Settle();
	EXPECT_TRUE(deleted);
}


TEST(Window, PulsesReachViewsThatAskForThem)
{
	BWindow* window = new BWindow(BRect(0, 0, 99, 99), "Pulse", B_TITLED_WINDOW, 0);
	EXPECT_EQ(window->PulseRate(), 500000);
	PulsingView* view = new PulsingView;
	BView* quiet = new PulsingView;
	quiet->SetFlags(0);
	window->AddChild(view);
	window->AddChild(quiet);
	window->SetPulseRate(10000);
	window->Show();
	bigtime_t start = system_time();
	BPrivate::run_event_loop_until(PulsedTwice, view);
	EXPECT_GE(view->pulses, 2);
	EXPECT_LT(system_time() - start, 2000000);
	EXPECT_EQ(static_cast<PulsingView*>(quiet)->pulses, 0);
	window->Lock();
	window->Quit();
}


TEST(Window, AttachAndDetachHooksRunInBeOSOrder)
{
	sEvents.clear();
	BWindow* window = new BWindow(BRect(0, 0, 99, 99), "Hooks", B_TITLED_WINDOW, 0);
	window->Lock();
	HookView* parent = new HookView("parent");
	parent->AddChild(new HookView("child"));
	EXPECT_TRUE(sEvents.empty());
	window->AddChild(parent);
	std::vector<std::string> attached = { "attached parent", "attached child",
		"all attached child", "all attached parent" };
	EXPECT_EQ(sEvents, attached);
	EXPECT_EQ(parent->Window(), window);
	EXPECT_EQ(parent->Looper(), window);
	EXPECT_EQ(parent->ChildAt(0)->Window(), window);

	sEvents.clear();
	parent->RemoveSelf();
	std::vector<std::string> detached = { "detached parent", "detached child",
		"all detached child", "all detached parent" };
	EXPECT_EQ(sEvents, detached);
	EXPECT_EQ(parent->Window(), nullptr);
	EXPECT_EQ(parent->Looper(), nullptr);
	delete parent;
	window->Quit();
}


TEST(Window, GeometrySizeLimitsAndScreen)
{
	BWindow* window = new BWindow(BRect(10, 20, 109, 69), "Geometry", B_TITLED_WINDOW, 0);
	window->Lock();
	EXPECT_EQ(window->Frame(), BRect(10, 20, 109, 69));
	EXPECT_EQ(window->Bounds(), BRect(0, 0, 99, 49));
	window->SetSizeLimits(50, 200, 30, 100);
	window->ResizeTo(500, 10);
	EXPECT_EQ(window->Bounds(), BRect(0, 0, 200, 30));
	window->MoveTo(5, 6);
	EXPECT_EQ(window->Frame().LeftTop(), BPoint(5, 6));
	EXPECT_EQ(window->ConvertToScreen(BPoint(1, 1)), BPoint(6, 7));

	BRect screen = BScreen().Frame();
	EXPECT_TRUE(screen.IsValid());
	EXPECT_GT(screen.Width(), 100);
	window->CenterOnScreen();
	BRect frame = window->Frame();
	EXPECT_NEAR(frame.left - screen.left, screen.right - frame.right, 1.0f);

	window->SetTitle("Renamed");
	EXPECT_STREQ(window->Title(), "Renamed");
	EXPECT_TRUE(window->IsHidden());
	window->Quit();
}
