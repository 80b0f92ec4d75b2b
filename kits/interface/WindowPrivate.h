/*
 * Kit-private state of a BWindow: its buffer, host window, dirty area,
 * input tracking and shortcuts. Tests include this to feed host events.
 */
#ifndef _QUILLORA_WINDOW_PRIVATE_H
#define _QUILLORA_WINDOW_PRIVATE_H

#include <Rect.h>
#include <View.h>

#include "HostWindow.h"

#include <vector>

class BWindow;
class BMessage;
class BHandler;

namespace BPrivate {

class HostImage;
class HostPainter;

struct Shortcut {
	uint32 key;			// lower case
	uint32 modifiers;	// B_SHIFT_KEY, B_CONTROL_KEY, B_OPTION_KEY beside Command
	BMessage* message;
	BHandler* target;	// NULL: the window
};

struct WindowPrivate : public HostWindowClient {
	WindowPrivate(BWindow* window, int32 width, int32 height);
	virtual ~WindowPrivate();

	// Dirty area, in window coordinates.
	void Invalidate(BRect windowRect);
	// Draws the dirty area into the buffer and shows it.
	void Update();
	void InvalidateAll();
	void ResizeBuffer(int32 width, int32 height);
	void ShowOnScreen(BRect windowRect);

	// The painter a drawing call of view uses: the update pass's one when
	// a pass is running, else a direct one on the buffer. NULL when the
	// view has nothing visible.
	HostPainter* PainterFor(const BView* view);
	// Ends direct drawing: closes its painter and shows what it drew.
	void ReleaseDirect();

	// A view and its subtree leave the window.
	void ForgetView(BView* view);

	// Takes the oldest mouse move or release out of the window's queue, as
	// a loop that tracks the mouse while the window waits does, and keeps
	// the window's idea of the pointer (position, buttons, the view that
	// holds the mouse) up to date. NULL when none is queued. The caller
	// deletes the message. With `choose`, every queued press, move and
	// release is offered in order: it is taken, passed over, or ends the
	// search.
	enum PointerChoice { POINTER_PASS, POINTER_TAKE, POINTER_STOP };
	typedef PointerChoice (*PointerChooser)(const BMessage* message, void* cookie);
	BMessage* TakePointerMessage(PointerChooser choose = NULL, void* cookie = NULL);

	BView* ViewAt(BPoint windowPoint) const;
	// Moves the focus to the next (previous) B_NAVIGABLE view.
	void Navigate(bool backwards);

	// HostWindowClient
	virtual void HostKey(const HostKeyEvent& event);
	virtual void HostMouse(const HostMouseEvent& event);
	virtual void HostWheel(float dx, float dy, uint32_t modifiers, int64_t when);
	virtual void HostResized(int32_t width, int32_t height);
	virtual void HostMoved(int32_t x, int32_t y);
	virtual void HostCloseRequested();
	virtual void HostActivated(bool active);
	virtual void HostExposed();

	void StartPulse();
	void StopPulse();

	static WindowPrivate* Of(BWindow* window);

	BWindow* window;
	HostImage* buffer;
	HostWindow* host;
	// The window whose host window this one's belongs to (see
	// HostWindow::SetTransientParent), taken when the host window is made.
	BWindow* hostParent;

	std::vector<BRect> dirty;
	bool updatePosted;
	int32 updatesDisabled;
	bool inUpdate;
	// Headless processes (the batch modes) show no window on a screen and
	// draw only for snapshots, which set this while they draw.
	bool snapshotting;

	HostPainter* painter;		// during an update pass
	const BView* painterView;
	BRect passRect;

	HostPainter* directPainter;
	const BView* directView;
	BRect directFlush;

	BView* mouseView;			// took the mouse down
	BView* eventMaskView;		// asked for all pointer events
	BView* lastMouseMoved;
	uint32 buttons;
	BPoint mouseWhere;			// window coordinates
	bigtime_t lastClickTime;
	BPoint lastClickWhere;
	uint32 lastClickButtons;
	int32 clicks;

	std::vector<Shortcut> shortcuts;

	int32 pulseTimer;
	int32 pulseViews;
	bool pulsePosted;

private:
	void _DrawView(BView* view, float originX, float originY, const BRect& clip);
	void _ConfigureFor(HostPainter* painter, const BView* view, const BRect& limit);
};

// The window's private part (for tests and the kit's other classes).
WindowPrivate* window_private(BWindow* window);

}	// namespace BPrivate

#endif	// _QUILLORA_WINDOW_PRIVATE_H
