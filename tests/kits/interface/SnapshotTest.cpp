// Pixels of window snapshots: colours, inclusive edges, scrolling, hidden
// views, tiled view bitmaps and direct drawing outside Draw().
#include <gtest/gtest.h>

#include <Bitmap.h>
#include <ListView.h>
#include <StringItem.h>
#include <View.h>
#include <Window.h>

#include "InterfaceTestSupport.h"

namespace {

class ColorView : public BView {
public:
	ColorView(BRect frame, rgb_color color, uint32 flags = 0)
		: BView(frame, "color", B_FOLLOW_NONE, flags)
	{
		SetViewColor(color);
	}
};

// Draws a black 10x10 square at its (0, 0) and a black line from (20, 20)
// to (30, 20), both in its own (scrolled) coordinates.
class ScrolledView : public BView {
public:
	ScrolledView(BRect frame)
		: BView(frame, "scrolled", B_FOLLOW_NONE, B_WILL_DRAW), draws(0) {}

	void Draw(BRect) override
	{
		draws++;
		SetHighColor(0, 0, 0);
		FillRect(BRect(0, 0, 9, 9));
		StrokeLine(BPoint(20, 20), BPoint(30, 20));
	}

	int draws;
};

BBitmap* MakeTile()
{
	// 4x4: yellow at (0, 0), cyan elsewhere.
	BBitmap* bitmap = new BBitmap(BRect(0, 0, 3, 3), B_RGBA32);
	uint8* bits = (uint8*)bitmap->Bits();
	for (int y = 0; y < 4; y++) {
		for (int x = 0; x < 4; x++) {
			uint8* p = bits + y * bitmap->BytesPerRow() + x * 4;
			bool corner = x == 0 && y == 0;
			p[0] = corner ? 0 : 255;	// blue
			p[1] = 255;				// green
			p[2] = corner ? 255 : 0;	// red
			p[3] = 255;
		}
	}
	return bitmap;
}

}	// namespace


TEST(Snapshot, ViewTreeColoursScrollingHiddenAndTiledBitmap)
{
	BWindow* window = new BWindow(BRect(100, 100, 199, 179), "Snapshot", B_TITLED_WINDOW, 0);
	window->Lock();
	BView* main = new ColorView(window->Bounds(), make_color(255, 0, 0));
	window->AddChild(main);
	main->AddChild(new ColorView(BRect(10, 10, 29, 29), make_color(0, 0, 255)));
	BView* hidden = new ColorView(BRect(40, 10, 59, 29), make_color(0, 255, 0));
	main->AddChild(hidden);
	hidden->Hide();
	ScrolledView* scrolled = new ScrolledView(BRect(10, 40, 49, 69));
	main->AddChild(scrolled);
	scrolled->ScrollTo(5, 5);
	BBitmap* tile = MakeTile();
	BView* tiled = new ColorView(BRect(60, 40, 89, 69), make_color(255, 255, 255));
	main->AddChild(tiled);
	tiled->SetViewBitmap(tile);
	// The view keeps its own copy: the caller may delete the bitmap at once.
	delete tile;

	test::Pixels pixels = test::Snapshot(window);
	ASSERT_EQ(pixels.width, 100);
	ASSERT_EQ(pixels.height, 80);

	// Inclusive edges: (10, 10)-(29, 29) is 20 by 20 pixels.
	EXPECT_PIXEL(pixels, 9, 9, 255, 0, 0);
	EXPECT_PIXEL(pixels, 10, 10, 0, 0, 255);
	EXPECT_PIXEL(pixels, 29, 29, 0, 0, 255);
	EXPECT_PIXEL(pixels, 30, 30, 255, 0, 0);
	// A hidden view shows its parent.
	EXPECT_PIXEL(pixels, 45, 15, 255, 0, 0);

	// Scrolled by (5, 5): the square (0..9) lands at window 5..14, clipped
	// to the view's left/top edge at 10/40.
	EXPECT_GE(scrolled->draws, 1);
	EXPECT_PIXEL(pixels, 10, 40, 0, 0, 0);
	EXPECT_PIXEL(pixels, 14, 44, 0, 0, 0);
	EXPECT_PIXEL(pixels, 15, 45, 255, 255, 255);
	EXPECT_PIXEL(pixels, 9, 40, 255, 0, 0);
	// The line covers both end points: view x 20..30 at y 20.
	EXPECT_PIXEL(pixels, 25, 55, 0, 0, 0);
	EXPECT_PIXEL(pixels, 35, 55, 0, 0, 0);
	EXPECT_PIXEL(pixels, 36, 55, 255, 255, 255);
	EXPECT_PIXEL(pixels, 24, 55, 255, 255, 255);

	// Tiles repeat every 4 pixels from the view's top left corner.
	EXPECT_PIXEL(pixels, 60, 40, 255, 255, 0);
	EXPECT_PIXEL(pixels, 61, 40, 0, 255, 255);
	EXPECT_PIXEL(pixels, 64, 44, 255, 255, 0);
	EXPECT_PIXEL(pixels, 88, 68, 255, 255, 0);
	EXPECT_PIXEL(pixels, 89, 69, 0, 255, 255);

	// Showing the hidden view again brings its colour back.
	hidden->Show();
	pixels = test::Snapshot(window);
	EXPECT_PIXEL(pixels, 45, 15, 0, 255, 0);

	window->Quit();
}


TEST(Snapshot, DrawingOutsideDrawGoesStraightToTheBufferClippedToTheView)
{
	BWindow* window = new BWindow(BRect(0, 0, 59, 39), "Direct", B_TITLED_WINDOW, 0);
	window->Lock();
	BView* main = new ColorView(window->Bounds(), make_color(255, 255, 255));
	window->AddChild(main);
	BView* child = new ColorView(BRect(10, 10, 19, 19), make_color(255, 255, 255));
	main->AddChild(child);
	window->UpdateIfNeeded();

	// A Pulse()-style redraw: drawing calls outside an update draw at once,
	// limited to the view, and are not undone by later updates elsewhere.
	child->SetHighColor(0, 128, 0);
	child->FillRect(BRect(-5, -5, 30, 30));
	window->Flush();
	BPrivate::WindowPrivate* data = BPrivate::window_private(window);
	EXPECT_EQ(data->buffer->PixelAt(10, 10) & 0xffffff, 0x008000u);
	EXPECT_EQ(data->buffer->PixelAt(19, 19) & 0xffffff, 0x008000u);
	EXPECT_EQ(data->buffer->PixelAt(9, 9) & 0xffffff, 0xffffffu);
	EXPECT_EQ(data->buffer->PixelAt(20, 20) & 0xffffff, 0xffffffu);

	// Inverting twice gives the original back.
	child->InvertRect(BRect(0, 0, 4, 4));
	window->Flush();
	EXPECT_EQ(data->buffer->PixelAt(10, 10) & 0xffffff, 0xff7fffu);
	child->InvertRect(BRect(0, 0, 4, 4));
	window->Flush();
	EXPECT_EQ(data->buffer->PixelAt(10, 10) & 0xffffff, 0x008000u);
	window->Quit();
}


TEST(Snapshot, MovingAViewOnlyRecordsDirtyAreaUntilTheUpdate)
{
	BWindow* window = new BWindow(BRect(0, 0, 49, 49), "Dirty", B_TITLED_WINDOW, 0);
	window->Run();
	window->Lock();
	BView* main = new ColorView(window->Bounds(), make_color(255, 255, 255));
	window->AddChild(main);
	BView* box = new ColorView(BRect(0, 0, 9, 9), make_color(0, 0, 0));
	main->AddChild(box);
	window->UpdateIfNeeded();
	BPrivate::WindowPrivate* data = BPrivate::window_private(window);
	EXPECT_EQ(data->buffer->PixelAt(5, 5) & 0xffffff, 0u);

	box->MoveTo(20, 20);
	EXPECT_TRUE(window->NeedsUpdate());
	// Nothing drawn yet.
	EXPECT_EQ(data->buffer->PixelAt(5, 5) & 0xffffff, 0u);
	EXPECT_EQ(data->buffer->PixelAt(25, 25) & 0xffffff, 0xffffffu);
	// The posted update draws both the old and the new place.
	test::Settle();
	EXPECT_FALSE(window->NeedsUpdate());
	EXPECT_EQ(data->buffer->PixelAt(5, 5) & 0xffffff, 0xffffffu);
	EXPECT_EQ(data->buffer->PixelAt(25, 25) & 0xffffff, 0u);
	window->Quit();
}


namespace {

// Draws a row of underscores at (4, 20), as a list row draws its text.
class UnderscoreView : public BView {
public:
	UnderscoreView(BRect frame)
		: BView(frame, "reference", B_FOLLOW_NONE, B_WILL_DRAW) {}

	void Draw(BRect) override
	{
		SetHighColor(0, 0, 0);
		DrawString("____", BPoint(4, 20));
	}
};

int32 InkIn(const test::Pixels& pixels, BRect area)
{
	int32 ink = 0;
	for (int32 y = (int32)area.top; y <= (int32)area.bottom; y++) {
		for (int32 x = (int32)area.left; x <= (int32)area.right; x++) {
			if (pixels.At(x, y).red < 200)
				ink++;
		}
	}
	return ink;
}

}	// namespace


TEST(Snapshot, ListRowsKeepTheLowestInkOfTheirText)
{
	// Underscores hang below the descenders; the row under a text must not
	// paint over them.
	BWindow* window = new BWindow(BRect(0, 0, 199, 159), "Rows", B_TITLED_WINDOW, 0);
	window->Lock();
	UnderscoreView* reference = new UnderscoreView(BRect(0, 0, 199, 39));
	BListView* list = new BListView(BRect(0, 50, 199, 159), "rows");
	BStringItem first("____");
	BStringItem second("second row");
	list->AddItem(&first);
	list->AddItem(&second);
	window->AddChild(reference);
	window->AddChild(list);
	window->Unlock();
	window->Show();
	test::Settle();

	test::Pixels pixels = test::Snapshot(window);
	ASSERT_EQ(pixels.width, 200);
	int32 expected = InkIn(pixels, BRect(0, 0, 199, 39));
	ASSERT_GT(expected, 0);
	window->Lock();
	BRect row = list->ItemFrame(0).OffsetByCopy(0, 50);
	window->Unlock();
	EXPECT_EQ(InkIn(pixels, row), expected);

	window->Lock();
	list->MakeEmpty();
	window->Quit();
}
