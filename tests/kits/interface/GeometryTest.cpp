// BRect conventions, resizing modes, conversions and show/hide counting.
#include <gtest/gtest.h>

#include <View.h>
#include <Window.h>

#include "InterfaceTestSupport.h"

namespace {

class FrameView : public BView {
public:
	FrameView(BRect frame, uint32 mode, uint32 flags = B_FRAME_EVENTS)
		: BView(frame, "frame", mode, flags), resized(0), moved(0) {}

	void FrameResized(float width, float height) override
	{
		resized++;
		lastWidth = width;
		lastHeight = height;
	}
	void FrameMoved(BPoint) override { moved++; }

	int resized;
	int moved;
	float lastWidth = 0;
	float lastHeight = 0;
};

}	// namespace


TEST(Rect, InclusiveEdgesAndOperators)
{
	BRect r(0, 0, 9, 9);
	EXPECT_EQ(r.Width(), 9.0f);
	EXPECT_EQ(r.IntegerWidth(), 9);
	EXPECT_TRUE(r.Contains(BPoint(9, 9)));
	EXPECT_FALSE(r.Contains(BPoint(9.5f, 0)));
	EXPECT_TRUE(r.IsValid());
	EXPECT_FALSE(BRect().IsValid());

	// Touching at an edge pixel is intersecting, on either side.
	EXPECT_TRUE(r.Intersects(BRect(9, 9, 20, 20)));
	EXPECT_TRUE(r.Intersects(BRect(-5, -5, 0, 0)));
	EXPECT_FALSE(r.Intersects(BRect(10, 0, 20, 9)));
	EXPECT_EQ(r & BRect(5, -5, 20, 5), BRect(5, 0, 9, 5));
	EXPECT_FALSE((r & BRect(20, 20, 30, 30)).IsValid());
	EXPECT_EQ(r | BRect(20, 20, 30, 30), BRect(0, 0, 30, 30));

	BRect inset = r;
	inset.InsetBy(2, 3);
	EXPECT_EQ(inset, BRect(2, 3, 7, 6));
	inset.InsetBy(-2, -3);
	EXPECT_EQ(inset, r);
	EXPECT_EQ(r.OffsetByCopy(5, 6), BRect(5, 6, 14, 15));
	EXPECT_EQ(r.OffsetToCopy(BPoint(100, 200)), BRect(100, 200, 109, 209));
	EXPECT_EQ(r.LeftTop(), BPoint(0, 0));
	EXPECT_EQ(r.RightBottom(), BPoint(9, 9));
	EXPECT_TRUE(r.Contains(BRect(2, 2, 9, 9)));
	EXPECT_FALSE(r.Contains(BRect(2, 2, 10, 9)));
}


TEST(ViewGeometry, ResizingModesFollowTheParentEdges)
{
	BWindow* window = new BWindow(BRect(0, 0, 199, 199), "Modes", B_TITLED_WINDOW, 0);
	window->Lock();
	FrameView* parent = new FrameView(BRect(0, 0, 99, 99), B_FOLLOW_NONE);
	window->AddChild(parent);
	FrameView* none = new FrameView(BRect(10, 10, 19, 19), B_FOLLOW_NONE);
	FrameView* all = new FrameView(BRect(10, 10, 89, 89), B_FOLLOW_ALL);
	FrameView* rightBottom = new FrameView(BRect(80, 80, 89, 89), B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM);
	FrameView* leftRight = new FrameView(BRect(10, 0, 89, 9), B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP);
	FrameView* centered = new FrameView(BRect(40, 40, 59, 59), B_FOLLOW_H_CENTER | B_FOLLOW_V_CENTER);
	FrameView* grandchild = new FrameView(BRect(0, 0, 9, 9), B_FOLLOW_RIGHT | B_FOLLOW_TOP);
	parent->AddChild(none);
	parent->AddChild(all);
	parent->AddChild(rightBottom);
	parent->AddChild(leftRight);
	parent->AddChild(centered);
	all->AddChild(grandchild);

	parent->ResizeBy(20, 10);
	EXPECT_EQ(parent->Frame(), BRect(0, 0, 119, 109));
	EXPECT_EQ(parent->resized, 1);
	EXPECT_EQ(none->Frame(), BRect(10, 10, 19, 19));
	EXPECT_EQ(none->resized + none->moved, 0);
	EXPECT_EQ(all->Frame(), BRect(10, 10, 109, 99));
	EXPECT_EQ(all->resized, 1);
	EXPECT_EQ(all->lastWidth, 99.0f);
	EXPECT_EQ(rightBottom->Frame(), BRect(100, 90, 109, 99));
	EXPECT_EQ(rightBottom->moved, 1);
	EXPECT_EQ(rightBottom->resized, 0);
	EXPECT_EQ(leftRight->Frame(), BRect(10, 0, 109, 9));
	EXPECT_EQ(centered->Frame(), BRect(50, 45, 69, 64));
	// The grandchild follows its own parent's resize.
	EXPECT_EQ(grandchild->Frame(), BRect(20, 0, 29, 9));
	EXPECT_EQ(all->Bounds(), BRect(0, 0, 99, 89));

	// Views without B_FRAME_EVENTS hear nothing.
	FrameView* quiet = new FrameView(BRect(0, 0, 9, 9), B_FOLLOW_ALL, 0);
	parent->AddChild(quiet);
	parent->ResizeBy(5, 5);
	EXPECT_EQ(quiet->resized, 0);
	EXPECT_EQ(quiet->Frame(), BRect(0, 0, 14, 14));

	// The window's own resize reaches views that follow its edges.
	FrameView* sidebar = new FrameView(BRect(150, 0, 199, 199), B_FOLLOW_RIGHT | B_FOLLOW_TOP_BOTTOM);
	window->AddChild(sidebar);
	window->ResizeTo(299, 249);
	EXPECT_EQ(window->Bounds(), BRect(0, 0, 299, 249));
	EXPECT_EQ(sidebar->Frame(), BRect(250, 0, 299, 249));
	window->Quit();
}


TEST(ViewGeometry, ConversionsAndScrolling)
{
	BWindow* window = new BWindow(BRect(100, 50, 299, 249), "Convert", B_TITLED_WINDOW, 0);
	window->Lock();
	BView* outer = new BView(BRect(10, 20, 109, 119), "outer", B_FOLLOW_NONE, 0);
	BView* inner = new BView(BRect(5, 5, 24, 24), "inner", B_FOLLOW_NONE, 0);
	window->AddChild(outer);
	outer->AddChild(inner);

	EXPECT_EQ(inner->ConvertToParent(BPoint(1, 2)), BPoint(6, 7));
	EXPECT_EQ(inner->ConvertToScreen(BPoint(1, 2)), BPoint(116, 77));
	EXPECT_EQ(inner->ConvertFromScreen(BPoint(116, 77)), BPoint(1, 2));
	EXPECT_EQ(window->FindView("inner"), inner);

	// Scrolling moves the bounds origin; children move with the content.
	outer->ScrollTo(0, 30);
	EXPECT_EQ(outer->Bounds(), BRect(0, 30, 99, 129));
	EXPECT_EQ(outer->Frame(), BRect(10, 20, 109, 119));
	EXPECT_EQ(inner->ConvertToScreen(BPoint(1, 2)), BPoint(116, 47));
	outer->ScrollBy(4, -10);
	EXPECT_EQ(outer->Bounds().LeftTop(), BPoint(4, 20));
	window->Quit();
}


TEST(ShowHide, ViewsAndWindowsCountShowsAndHides)
{
	BWindow* window = new BWindow(BRect(0, 0, 99, 99), "Counting", B_TITLED_WINDOW, 0);
	EXPECT_TRUE(window->IsHidden());
	window->Show();
	EXPECT_FALSE(window->IsHidden());
	window->Hide();
	window->Hide();
	window->Show();
	EXPECT_TRUE(window->IsHidden());
	window->Show();
	EXPECT_FALSE(window->IsHidden());

	window->Lock();
	BView* parent = new BView(BRect(0, 0, 49, 49), "parent", B_FOLLOW_NONE, 0);
	BView* child = new BView(BRect(0, 0, 9, 9), "child", B_FOLLOW_NONE, 0);
	window->AddChild(parent);
	parent->AddChild(child);
	child->Hide();
	child->Hide();
	child->Show();
	EXPECT_TRUE(child->IsHidden());
	child->Show();
	EXPECT_FALSE(child->IsHidden());
	// A hidden parent hides its children, but not from the parent's view.
	parent->Hide();
	EXPECT_TRUE(child->IsHidden());
	EXPECT_FALSE(child->IsHidden(parent));
	parent->Show();
	// A hidden window hides every view.
	window->Hide();
	EXPECT_TRUE(child->IsHidden());
	window->Show();
	EXPECT_FALSE(child->IsHidden());
	window->Quit();
}
