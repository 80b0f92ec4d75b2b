// BScrollBar: value, range and proportion driving the target's bounds
// origin, and the mouse: arrows, trough and wheel.
#include <gtest/gtest.h>

#include <AppDefs.h>
#include <MessageQueue.h>
#include <ScrollBar.h>
#include <View.h>
#include <Window.h>

#include "InterfaceTestSupport.h"

namespace {

// Counts the scrolls that reach it, as the program's views override ScrollTo.
class Target : public BView {
public:
	Target(BRect frame)
		: BView(frame, "target", B_FOLLOW_NONE, B_WILL_DRAW), scrolls(0) {}

	void ScrollTo(BPoint where) override
	{
		scrolls++;
		BView::ScrollTo(where);
	}

	int scrolls;
};


// A press and release at window (x, y) through the host's input path.
void
host_click(BWindow* window, float x, float y, bigtime_t when)
{
	BPrivate::WindowPrivate* data = BPrivate::window_private(window);
	data->HostMouse(test::Mouse(BPrivate::HOST_MOUSE_DOWN, x, y, 1, when));
	data->HostMouse(test::Mouse(BPrivate::HOST_MOUSE_UP, x, y, 0, when + 1000));
	test::Settle();
}

}	// namespace


TEST(ScrollBar, ValueDrivesTheTargetAndTheTargetDrivesTheValue)
{
	BWindow* window = new BWindow(BRect(0, 0, 199, 199), "Bars", B_TITLED_WINDOW, 0);
	window->Lock();
	Target* target = new Target(BRect(0, 0, 184, 184));
	BScrollBar* bar = new BScrollBar(BRect(185, 0, 199, 184), "bar", target, 0, 500, B_VERTICAL);
	window->AddChild(target);
	window->AddChild(bar);
	EXPECT_EQ(target->ScrollBar(B_VERTICAL), bar);
	EXPECT_EQ(target->ScrollBar(B_HORIZONTAL), nullptr);

	bar->SetValue(120);
	EXPECT_EQ(target->Bounds().top, 120.0f);
	EXPECT_EQ(target->scrolls, 1);
	// Clamped to the range.
	bar->SetValue(9000);
	EXPECT_EQ(bar->Value(), 500.0f);
	EXPECT_EQ(target->Bounds().top, 500.0f);
	bar->SetValue(-4);
	EXPECT_EQ(target->Bounds().top, 0.0f);

	// Scrolling the target moves the bar without scrolling again.
	int before = target->scrolls;
	target->ScrollTo(BPoint(0, 40));
	EXPECT_EQ(bar->Value(), 40.0f);
	EXPECT_EQ(target->scrolls, before + 1);

	// A smaller range pulls the value (and the target) back in.
	bar->SetRange(0, 25);
	EXPECT_EQ(bar->Value(), 25.0f);
	EXPECT_EQ(target->Bounds().top, 25.0f);

	// A bar deleted first leaves no dangling pointer in its target.
	bar->RemoveSelf();
	delete bar;
	EXPECT_EQ(target->ScrollBar(B_VERTICAL), nullptr);
	window->Quit();
}


TEST(ScrollBar, ArrowsTroughAndWheel)
{
	BWindow* window = new BWindow(BRect(0, 0, 199, 199), "Mouse", B_TITLED_WINDOW, 0);
	Target* target = new Target(BRect(0, 0, 184, 199));
	BScrollBar* bar = new BScrollBar(BRect(185, 0, 199, 199), "bar", target, 0, 1000, B_VERTICAL);
	bar->SetSteps(10, 100);
	bar->SetProportion(0.2f);
	window->AddChild(target);
	window->AddChild(bar);
	window->Show();
	BPrivate::WindowPrivate* data = BPrivate::window_private(window);
	bigtime_t now = system_time();

	// Increment arrow at the bottom end.
	host_click(window, 192, 195, now);
	EXPECT_EQ(bar->Value(), 10.0f);
	EXPECT_EQ(target->Bounds().top, 10.0f);
	// The trough below the thumb pages down by the large step.
	host_click(window, 192, 170, now + 600000);
	EXPECT_EQ(bar->Value(), 110.0f);
	// Decrement arrow at the top.
	host_click(window, 192, 4, now + 1200000);
	EXPECT_EQ(bar->Value(), 100.0f);

	// Dragging the thumb to the far end reaches the maximum.
	BRect thumbArea = bar->Frame();
	float thumbTop = 15 + (thumbArea.Height() + 1 - 30) * 0.8f * 100 / 1000;
	data->HostMouse(test::Mouse(BPrivate::HOST_MOUSE_DOWN, 192, thumbTop + 3, 1, now + 1800000));
	data->HostMouse(test::Mouse(BPrivate::HOST_MOUSE_MOVED, 192, 400, 1, now + 1801000));
	data->HostMouse(test::Mouse(BPrivate::HOST_MOUSE_UP, 192, 400, 0, now + 1802000));
	test::Settle();
	EXPECT_EQ(bar->Value(), 1000.0f);
	EXPECT_EQ(target->Bounds().top, 1000.0f);

	// The wheel over the target scrolls its bar by three small steps a notch.
	bar->SetValue(0);
	BMessage wheel(B_MOUSE_WHEEL_CHANGED);
	wheel.AddFloat("be:wheel_delta_y", 2.0f);
	wheel.AddPoint("be:window_where", BPoint(50, 50));
	window->PostMessage(&wheel);
	test::Settle();
	EXPECT_EQ(bar->Value(), 60.0f);
	EXPECT_EQ(target->Bounds().top, 60.0f);

	window->Lock();
	window->Quit();
}


namespace {

// Drops every scroll that comes while other messages than repaint requests
// wait in its window's queue and leaves the work to the last one, as views
// that coalesce scrolls do.
class CoalescingTarget : public BView {
public:
	CoalescingTarget(BRect frame)
		: BView(frame, "coalescing", B_FOLLOW_NONE, B_WILL_DRAW) {}

	void ScrollTo(BPoint where) override
	{
		BMessageQueue* queue = Window()->MessageQueue();
		for (int32 i = 0; i < queue->CountMessages(); i++) {
			uint32 what = queue->FindMessage(i)->what;
			if (what != _UPDATE_ && what != _UPDATE_IF_NEEDED_)
				return;
		}
		BView::ScrollTo(where);
	}
};

}	// namespace


TEST(ScrollBar, AQuickDragLeavesTheTargetWhereTheThumbIs)
{
	BWindow* window = new BWindow(BRect(0, 0, 199, 199), "Drag", B_TITLED_WINDOW, 0);
	CoalescingTarget* target = new CoalescingTarget(BRect(0, 0, 184, 199));
	BScrollBar* bar = new BScrollBar(BRect(185, 0, 199, 199), "bar", target, 0, 1000,
		B_VERTICAL);
	bar->SetProportion(0.2f);
	window->AddChild(target);
	window->AddChild(bar);
	window->Show();
	test::Settle();
	BPrivate::WindowPrivate* data = BPrivate::window_private(window);
	bigtime_t now = system_time();

	// Press, two moves and the release reach the window before any of them
	// is handled: the moves find the queue busy, the release does not.
	data->HostMouse(test::Mouse(BPrivate::HOST_MOUSE_DOWN, 192, 20, 1, now));
	data->HostMouse(test::Mouse(BPrivate::HOST_MOUSE_MOVED, 192, 60, 1, now + 1000));
	data->HostMouse(test::Mouse(BPrivate::HOST_MOUSE_MOVED, 192, 90, 1, now + 2000));
	data->HostMouse(test::Mouse(BPrivate::HOST_MOUSE_UP, 192, 90, 0, now + 3000));
	test::Settle();

	window->Lock();
	EXPECT_GT(bar->Value(), 0.0f);
	EXPECT_EQ(target->Bounds().top, bar->Value());
	window->Quit();
}
