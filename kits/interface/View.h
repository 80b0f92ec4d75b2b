/*
 * BView: a rectangle of a window that draws itself and handles input.
 *
 * Views are light objects: a window's whole tree is drawn by the kit into
 * the window's one host buffer, parents before children, siblings in the
 * order they were added. Moving, resizing, showing and hiding only record a
 * dirty area; the window draws it when it handles its next update (after the
 * message being dispatched, or at UpdateIfNeeded()). Drawing calls made
 * outside Draw() draw at once, clipped to the view's visible part.
 */
#ifndef _VIEW_H
#define _VIEW_H

#include <Font.h>
#include <GraphicsDefs.h>
#include <Handler.h>
#include <InterfaceDefs.h>
#include <Rect.h>

#include <vector>

class BBitmap;
class BMessage;
class BScrollBar;
class BScrollView;
class BWindow;

namespace BPrivate {
class ViewPainter;
struct WindowPrivate;
}

// Flags.
enum {
	B_FULL_UPDATE_ON_RESIZE = 0x80000000UL,
	_B_RESERVED1_ = 0x40000000UL,
	B_WILL_DRAW = 0x20000000UL,
	B_PULSE_NEEDED = 0x10000000UL,
	B_NAVIGABLE_JUMP = 0x08000000UL,
	B_FRAME_EVENTS = 0x04000000UL,
	B_NAVIGABLE = 0x02000000UL,
	B_SUBPIXEL_PRECISE = 0x01000000UL,
	B_DRAW_ON_CHILDREN = 0x00800000UL,
	B_INPUT_METHOD_AWARE = 0x00400000UL
};

// Resizing modes: which parent edge each of the view's edges follows when
// the parent is resized (top, left, bottom, right in nibbles 3..0).
#define _rule_(r1, r2, r3, r4) (((r1) << 12) | ((r2) << 8) | ((r3) << 4) | (r4))
enum {
	_VIEW_TOP_ = 1,
	_VIEW_LEFT_ = 2,
	_VIEW_BOTTOM_ = 3,
	_VIEW_RIGHT_ = 4,
	_VIEW_CENTER_ = 5
};
#define B_FOLLOW_NONE 0
#define B_FOLLOW_ALL_SIDES _rule_(_VIEW_TOP_, _VIEW_LEFT_, _VIEW_BOTTOM_, _VIEW_RIGHT_)
#define B_FOLLOW_ALL B_FOLLOW_ALL_SIDES
#define B_FOLLOW_LEFT _rule_(0, _VIEW_LEFT_, 0, _VIEW_LEFT_)
#define B_FOLLOW_RIGHT _rule_(0, _VIEW_RIGHT_, 0, _VIEW_RIGHT_)
#define B_FOLLOW_LEFT_RIGHT _rule_(0, _VIEW_LEFT_, 0, _VIEW_RIGHT_)
#define B_FOLLOW_H_CENTER _rule_(0, _VIEW_CENTER_, 0, _VIEW_CENTER_)
#define B_FOLLOW_TOP _rule_(_VIEW_TOP_, 0, _VIEW_TOP_, 0)
#define B_FOLLOW_BOTTOM _rule_(_VIEW_BOTTOM_, 0, _VIEW_BOTTOM_, 0)
#define B_FOLLOW_TOP_BOTTOM _rule_(_VIEW_TOP_, 0, _VIEW_BOTTOM_, 0)
#define B_FOLLOW_V_CENTER _rule_(_VIEW_CENTER_, 0, _VIEW_CENTER_, 0)

// MouseMoved() transit codes.
enum {
	B_ENTERED_VIEW = 0,
	B_INSIDE_VIEW,
	B_EXITED_VIEW,
	B_OUTSIDE_VIEW
};

// SetMouseEventMask()/SetEventMask().
enum {
	B_POINTER_EVENTS = 0x00000001,
	B_KEYBOARD_EVENTS = 0x00000002
};
enum {
	B_LOCK_WINDOW_FOCUS = 0x00000001,
	B_SUSPEND_VIEW_FOCUS = 0x00000002,
	B_NO_POINTER_HISTORY = 0x00000004
};

// SetViewBitmap() options.
enum {
	B_TILE_BITMAP_X = 0x00000001,
	B_TILE_BITMAP_Y = 0x00000002,
	B_TILE_BITMAP = 0x00000003
};

struct escapement_delta {
	float nonspace;
	float space;
};

class BView : public BHandler {
public:
	BView(BRect frame, const char* name, uint32 resizingMode, uint32 flags);
	virtual ~BView();

	virtual void AttachedToWindow();
	virtual void AllAttached();
	virtual void DetachedFromWindow();
	virtual void AllDetached();

	virtual void MessageReceived(BMessage* message);

	// Tree. AddChild() of a view that already has a parent fails (debugger
	// message on BeOS; here it is ignored).
	void AddChild(BView* child, BView* before = NULL);
	bool RemoveChild(BView* child);
	int32 CountChildren() const;
	BView* ChildAt(int32 index) const;
	BView* NextSibling() const;
	BView* PreviousSibling() const;
	bool RemoveSelf();
	BView* Parent() const { return fParent; }
	BWindow* Window() const { return fWindow; }
	BView* FindView(const char* name) const;

	// Hooks.
	virtual void Draw(BRect updateRect);
	virtual void DrawAfterChildren(BRect updateRect);
	virtual void MouseDown(BPoint where);
	virtual void MouseUp(BPoint where);
	virtual void MouseMoved(BPoint where, uint32 code, const BMessage* dragMessage);
	virtual void WindowActivated(bool state);
	virtual void KeyDown(const char* bytes, int32 numBytes);
	virtual void KeyUp(const char* bytes, int32 numBytes);
	virtual void Pulse();
	virtual void FrameMoved(BPoint newPosition);
	virtual void FrameResized(float newWidth, float newHeight);
	virtual void TargetedByScrollView(BScrollView* scrollView);

	// Where the mouse is, in this view's coordinates, and which buttons are
	// down. With checkMessageQueue, a queued mouse message of this window
	// is taken first, so that tracking loops see every move and the button
	// release.
	void GetMouse(BPoint* location, uint32* buttons, bool checkMessageQueue = true);
	status_t SetMouseEventMask(uint32 mask, uint32 options = 0);
	status_t SetEventMask(uint32 mask, uint32 options = 0);
	uint32 EventMask();

	// Geometry. Frame() is in the parent's coordinates, Bounds() in the
	// view's own; Bounds().LeftTop() is the scrolling origin.
	BRect Bounds() const;
	BRect Frame() const;
	BPoint LeftTop() const { return fBounds.LeftTop(); }

	void ConvertToScreen(BPoint* point) const;
	BPoint ConvertToScreen(BPoint point) const;
	void ConvertFromScreen(BPoint* point) const;
	BPoint ConvertFromScreen(BPoint point) const;
	void ConvertToScreen(BRect* rect) const;
	BRect ConvertToScreen(BRect rect) const;
	void ConvertFromScreen(BRect* rect) const;
	BRect ConvertFromScreen(BRect rect) const;
	void ConvertToParent(BPoint* point) const;
	BPoint ConvertToParent(BPoint point) const;
	void ConvertFromParent(BPoint* point) const;
	BPoint ConvertFromParent(BPoint point) const;
	void ConvertToParent(BRect* rect) const;
	BRect ConvertToParent(BRect rect) const;
	void ConvertFromParent(BRect* rect) const;
	BRect ConvertFromParent(BRect rect) const;

	void MoveBy(float dh, float dv);
	void MoveTo(BPoint where);
	void MoveTo(float x, float y);
	void ResizeBy(float dh, float dv);
	void ResizeTo(float width, float height);
	virtual void GetPreferredSize(float* width, float* height);
	virtual void ResizeToPreferred();

	// Scrolling moves the bounds origin; the view's scroll bars follow.
	void ScrollBy(float dh, float dv);
	void ScrollTo(float x, float y);
	virtual void ScrollTo(BPoint where);
	BScrollBar* ScrollBar(orientation posture) const;

	virtual void MakeFocus(bool focusState = true);
	bool IsFocus() const;

	// Show/Hide count: a view hidden twice needs two Show() calls.
	virtual void Show();
	virtual void Hide();
	bool IsHidden() const;
	bool IsHidden(const BView* lookingFrom) const;

	void Flush() const;
	void Sync() const;

	void SetFlags(uint32 flags);
	uint32 Flags() const { return fFlags; }
	void SetResizingMode(uint32 mode);
	uint32 ResizingMode() const { return fResizingMode; }

	// Drawing state.
	virtual void SetDrawingMode(drawing_mode mode);
	drawing_mode DrawingMode() const { return fDrawingMode; }
	void SetBlendingMode(source_alpha srcAlpha, alpha_function alphaFunc);
	virtual void SetPenSize(float size);
	float PenSize() const { return fPenSize; }

	virtual void SetViewColor(rgb_color color);
	void SetViewColor(uchar r, uchar g, uchar b, uchar a = 255);
	rgb_color ViewColor() const { return fViewColor; }

	// The view bitmap is drawn after the view colour and before Draw(),
	// tiled from the view's top left corner by default.
	void SetViewBitmap(const BBitmap* bitmap, BRect srcRect, BRect dstRect,
		uint32 followFlags = B_FOLLOW_TOP | B_FOLLOW_LEFT, uint32 options = B_TILE_BITMAP);
	void SetViewBitmap(const BBitmap* bitmap,
		uint32 followFlags = B_FOLLOW_TOP | B_FOLLOW_LEFT, uint32 options = B_TILE_BITMAP);
	void ClearViewBitmap();

	virtual void SetHighColor(rgb_color color);
	void SetHighColor(uchar r, uchar g, uchar b, uchar a = 255);
	rgb_color HighColor() const { return fHighColor; }
	virtual void SetLowColor(rgb_color color);
	void SetLowColor(uchar r, uchar g, uchar b, uchar a = 255);
	rgb_color LowColor() const { return fLowColor; }

	void PushState();
	void PopState();

	void MovePenTo(BPoint point);
	void MovePenTo(float x, float y);
	void MovePenBy(float x, float y);
	BPoint PenLocation() const { return fPenLocation; }

	// Drawing. Coordinates are the view's; edges are inclusive.
	void StrokeLine(BPoint toPoint, pattern p = B_SOLID_HIGH);
	void StrokeLine(BPoint start, BPoint end, pattern p = B_SOLID_HIGH);
	void BeginLineArray(int32 count);
	void AddLine(BPoint start, BPoint end, rgb_color color);
	void EndLineArray();

	void StrokeRect(BRect rect, pattern p = B_SOLID_HIGH);
	void FillRect(BRect rect, pattern p = B_SOLID_HIGH);
	void StrokeRoundRect(BRect rect, float xRadius, float yRadius, pattern p = B_SOLID_HIGH);
	void FillRoundRect(BRect rect, float xRadius, float yRadius, pattern p = B_SOLID_HIGH);
	void StrokeEllipse(BPoint center, float xRadius, float yRadius, pattern p = B_SOLID_HIGH);
	void StrokeEllipse(BRect rect, pattern p = B_SOLID_HIGH);
	void FillEllipse(BPoint center, float xRadius, float yRadius, pattern p = B_SOLID_HIGH);
	void FillEllipse(BRect rect, pattern p = B_SOLID_HIGH);
	void StrokeArc(BRect rect, float startAngle, float arcAngle, pattern p = B_SOLID_HIGH);
	void FillArc(BRect rect, float startAngle, float arcAngle, pattern p = B_SOLID_HIGH);
	void StrokeTriangle(BPoint p1, BPoint p2, BPoint p3, pattern p = B_SOLID_HIGH);
	void FillTriangle(BPoint p1, BPoint p2, BPoint p3, pattern p = B_SOLID_HIGH);
	void StrokePolygon(const BPoint* points, int32 count, bool closed = true,
		pattern p = B_SOLID_HIGH);
	void FillPolygon(const BPoint* points, int32 count, pattern p = B_SOLID_HIGH);
	void InvertRect(BRect rect);

	// The bitmap (or its srcRect) scaled into dstRect; without a rectangle
	// at its own size at the pen location or at `where`.
	void DrawBitmap(const BBitmap* bitmap, BRect srcRect, BRect dstRect);
	void DrawBitmap(const BBitmap* bitmap, BRect dstRect);
	void DrawBitmap(const BBitmap* bitmap, BPoint where);
	void DrawBitmap(const BBitmap* bitmap);
	void DrawBitmapAsync(const BBitmap* bitmap, BRect srcRect, BRect dstRect);
	void DrawBitmapAsync(const BBitmap* bitmap, BRect dstRect);
	void DrawBitmapAsync(const BBitmap* bitmap, BPoint where);
	void DrawBitmapAsync(const BBitmap* bitmap);

	// Strings are drawn with their baseline at the pen location (or at
	// `location`); the pen moves to the end of the string.
	void DrawChar(char aChar);
	void DrawChar(char aChar, BPoint location);
	void DrawString(const char* string, escapement_delta* delta = NULL);
	void DrawString(const char* string, BPoint location, escapement_delta* delta = NULL);
	void DrawString(const char* string, int32 length, escapement_delta* delta = NULL);
	void DrawString(const char* string, int32 length, BPoint location,
		escapement_delta* delta = NULL);

	virtual void SetFont(const BFont* font, uint32 mask = B_FONT_ALL);
	void GetFont(BFont* font) const;
	void SetFontSize(float size);
	void GetFontHeight(font_height* height) const;
	float StringWidth(const char* string) const;
	float StringWidth(const char* string, int32 length) const;

	// Marks a part of the view for redrawing; nothing is drawn at once.
	void Invalidate(BRect invalRect);
	void Invalidate();

private:
	friend class BWindow;
	friend class BScrollBar;
	friend class BPrivate::ViewPainter;
	friend struct BPrivate::WindowPrivate;

	struct State {
		rgb_color high;
		rgb_color low;
		drawing_mode mode;
		float penSize;
		BPoint pen;
		BFont font;
	};
	struct LineArrayEntry {
		BPoint start;
		BPoint end;
		rgb_color color;
	};

	void _Attach(BWindow* window);
	void _Detach();
	void _ParentResized(float dw, float dh);
	void _MoveResize(float left, float top, float width, float height);
	BPoint _WindowOffset() const;	// window coordinates of the view's (0, 0)
	BRect _VisibleWindowRect() const;
	void _InvalidateWindowRect(BRect windowRect);
	void _SetScrollBar(BScrollBar* bar);
	bool _IsVisibleInWindow() const;
	void _FillPattern(BRect rect, const pattern& p);

	// The children, in a vector made with the first one: most views (a
	// page's texts, by the ten thousand) never have any.
	class ChildList {
	public:
		ChildList() : fList(NULL) {}
		~ChildList() { delete fList; }
		ChildList(const ChildList&) = delete;
		ChildList& operator=(const ChildList&) = delete;

		bool empty() const { return fList == NULL || fList->empty(); }
		size_t size() const { return fList != NULL ? fList->size() : 0; }
		BView* back() const { return fList->back(); }
		BView* operator[](size_t index) const { return (*fList)[index]; }
		BView* const* begin() const
			{ return fList != NULL ? fList->data() : NULL; }
		BView* const* end() const
			{ return fList != NULL ? fList->data() + fList->size() : NULL; }
		void insert(size_t index, BView* child);
		void erase(size_t index);

	private:
		std::vector<BView*>* fList;
	};

	BView* fParent;
	BWindow* fWindow;
	ChildList fChildren;
	// Null while the view's font is the plain system font, which the views
	// that keep it (most text views of a page) share; else its own.
	BFont* fFont;
	const BFont& _Font() const
		{ return fFont != NULL ? *fFont : *be_plain_font; }
	BFont& _OwnFont();
	void _SetFont(const BFont& font);

	// What few views use, made when first needed: a page has a view for
	// every run of its text, and most of them never push a drawing state,
	// draw a line array, have scroll bars or show a view bitmap.
	struct Extras {
		Extras();

		std::vector<State> stateStack;
		std::vector<LineArrayEntry> lineArray;
		bool lineArrayBegun;
		const BBitmap* viewBitmap;	// the view's own copy
		BRect viewBitmapSource;
		BRect viewBitmapDest;
		uint32 viewBitmapOptions;
		BScrollBar* verticalBar;
		BScrollBar* horizontalBar;
		uint32 eventMask;		// with the options in the high half
		uint32 mouseEventMask;
	};
	Extras* _Extras();
	const BBitmap* _ViewBitmap() const
		{ return fExtras != NULL ? fExtras->viewBitmap : NULL; }
	BScrollBar* _VerticalBar() const
		{ return fExtras != NULL ? fExtras->verticalBar : NULL; }
	BScrollBar* _HorizontalBar() const
		{ return fExtras != NULL ? fExtras->horizontalBar : NULL; }

	Extras* fExtras;

	// The four-byte fields last: a subclass's own four-byte fields then
	// fill the end of the last eight bytes.
	int32 fIndexInParent;
	BRect fFrame;		// in the parent's coordinates; fFrame.Width() == fBounds.Width()
	BRect fBounds;
	uint32 fResizingMode;
	uint32 fFlags;
	int32 fShowLevel;	// > 0 hidden

	rgb_color fViewColor;
	rgb_color fHighColor;
	rgb_color fLowColor;
	drawing_mode fDrawingMode;
	float fPenSize;
	BPoint fPenLocation;
};

#endif	// _VIEW_H
