// Headless processes (the program's batch modes) put no window on a screen
// and draw windows only when a snapshot asks for their pixels.
#include <gtest/gtest.h>

#include <AppPrivate.h>
#include <View.h>
#include <Window.h>

#include "InterfaceTestSupport.h"

namespace {

// White, with a black 10x10 square at (0, 0) and a black line from (20, 20)
// to (30, 20); counts its Draw calls.
class CountingView : public BView {
public:
	CountingView(BRect frame)
		: BView(frame, "counting", B_FOLLOW_NONE, B_WILL_DRAW), draws(0)
	{
		SetViewColor(255, 255, 255);
	}

	void Draw(BRect) override
	{
		draws++;
		SetHighColor(0, 0, 0);
		FillRect(BRect(0, 0, 9, 9));
		StrokeLine(BPoint(20, 20), BPoint(30, 20));
	}

	int draws;
};

}	// namespace


TEST(Headless, WindowsDrawOnlyForTheirSnapshots)
{
	BPrivate::set_headless(true);
	BWindow* window = new BWindow(BRect(0, 0, 49, 49), "Headless", B_TITLED_WINDOW, 0);
	window->Lock();
	CountingView* view = new CountingView(window->Bounds());
	window->AddChild(view);
	window->Show();
	window->Unlock();
	test::Settle();
	BPrivate::WindowPrivate* data = BPrivate::window_private(window);
	// Shown, but on no screen, and nothing drawn.
	EXPECT_FALSE(window->IsHidden());
	EXPECT_EQ(data->host, nullptr);
	EXPECT_EQ(view->draws, 0);
	EXPECT_FALSE(window->NeedsUpdate());

	test::Pixels pixels = test::Snapshot(window);
	ASSERT_EQ(pixels.width, 50);
	EXPECT_EQ(view->draws, 1);
	EXPECT_EQ(pixels.At(5, 5).red, 0);
	EXPECT_EQ(pixels.At(25, 20).red, 0);
	EXPECT_EQ(pixels.At(25, 25).red, 255);

	// Later changes wait for the next snapshot.
	window->Lock();
	view->Invalidate();
	window->Unlock();
	test::Settle();
	EXPECT_EQ(view->draws, 1);
	EXPECT_FALSE(window->NeedsUpdate());
	window->Lock();
	window->Quit();
	BPrivate::set_headless(false);
}
