/*
 * BWindow: a looper with a tree of views drawn onto one host window.
 *
 * The host window is created the first time the window is shown; a window
 * that was never shown still lays out, draws into its buffer and renders
 * snapshots, which is how the program's headless modes and the tests use it.
 */
#ifndef _WINDOW_H
#define _WINDOW_H

#include <InterfaceDefs.h>
#include <Looper.h>
#include <Rect.h>

class BButton;
class BMenuBar;
class BMessage;
class BView;

namespace BPrivate {
struct WindowPrivate;
class ViewPainter;
}

enum window_type {
	B_UNTYPED_WINDOW = 0,
	B_TITLED_WINDOW = 1,
	B_MODAL_WINDOW = 3,
	B_DOCUMENT_WINDOW = 11,
	B_BORDERED_WINDOW = 20,
	B_FLOATING_WINDOW = 21
};

enum window_look {
	B_BORDERED_WINDOW_LOOK = 20,
	B_NO_BORDER_WINDOW_LOOK = 19,
	B_TITLED_WINDOW_LOOK = 1,
	B_DOCUMENT_WINDOW_LOOK = 11,
	B_MODAL_WINDOW_LOOK = 3,
	B_FLOATING_WINDOW_LOOK = 7
};

enum window_feel {
	B_NORMAL_WINDOW_FEEL = 0,
	B_MODAL_SUBSET_WINDOW_FEEL = 2,
	B_MODAL_APP_WINDOW_FEEL = 1,
	B_MODAL_ALL_WINDOW_FEEL = 3,
	B_FLOATING_SUBSET_WINDOW_FEEL = 5,
	B_FLOATING_APP_WINDOW_FEEL = 4,
	B_FLOATING_ALL_WINDOW_FEEL = 6
};

enum {
	B_NOT_MOVABLE = 0x00000001,
	B_NOT_CLOSABLE = 0x00000020,
	B_NOT_ZOOMABLE = 0x00000040,
	B_NOT_MINIMIZABLE = 0x00004000,
	B_NOT_RESIZABLE = 0x00000002,
	B_NOT_H_RESIZABLE = 0x00000004,
	B_NOT_V_RESIZABLE = 0x00000008,
	B_AVOID_FRONT = 0x00000080,
	B_AVOID_FOCUS = 0x00002000,
	B_WILL_ACCEPT_FIRST_CLICK = 0x00000010,
	B_OUTLINE_RESIZE = 0x00001000,
	B_NO_WORKSPACE_ACTIVATION = 0x00000100,
	B_NOT_ANCHORED_ON_ACTIVATE = 0x00020000,
	B_ASYNCHRONOUS_CONTROLS = 0x00080000,
	B_QUIT_ON_WINDOW_CLOSE = 0x00100000
};

#define B_CURRENT_WORKSPACE 0
#define B_ALL_WORKSPACES 0xffffffff

class BWindow : public BLooper {
public:
	BWindow(BRect frame, const char* title, window_type type, uint32 flags,
		uint32 workspace = B_CURRENT_WORKSPACE);
	BWindow(BRect frame, const char* title, window_look look, window_feel feel,
		uint32 flags, uint32 workspace = B_CURRENT_WORKSPACE);
	virtual ~BWindow();

	// Hides the window, detaches and deletes its views, then quits the
	// looper (which deletes the window). Call with the window locked.
	virtual void Quit();
	void Close() { Quit(); }

	void AddChild(BView* child, BView* before = NULL);
	bool RemoveChild(BView* child);
	int32 CountChildren() const;
	BView* ChildAt(int32 index) const;

	// Routes B_KEY_DOWN/B_KEY_UP to the focus view (shortcuts first), mouse
	// messages to the view under the mouse (or the view that took the mouse
	// down while a button is held), B_MOUSE_WHEEL_CHANGED to the scroll bar
	// of the view under the mouse.
	virtual void DispatchMessage(BMessage* message, BHandler* handler);
	virtual void MessageReceived(BMessage* message);
	virtual void FrameMoved(BPoint newPosition);
	virtual void WorkspacesChanged(uint32 oldWorkspaces, uint32 newWorkspaces);
	virtual void WorkspaceActivated(int32 workspace, bool state);
	virtual void FrameResized(float newWidth, float newHeight);
	virtual void Minimize(bool minimize);
	virtual void Zoom(BPoint origin, float width, float height);
	void Zoom();
	void SetZoomLimits(float maxWidth, float maxHeight);
	virtual void ScreenChanged(BRect screenSize, color_space depth);

	void SetPulseRate(bigtime_t rate);
	bigtime_t PulseRate() const;

	// Command (Alt) + key, optionally with B_CONTROL_KEY (or B_SHIFT_KEY,
	// B_OPTION_KEY): each combination is its own shortcut. The window owns
	// the message; it goes to `target` (the window when NULL).
	void AddShortcut(uint32 key, uint32 modifiers, BMessage* message);
	void AddShortcut(uint32 key, uint32 modifiers, BMessage* message, BHandler* target);
	void RemoveShortcut(uint32 key, uint32 modifiers);
	bool HasShortcut(uint32 key, uint32 modifiers);

	virtual void SetDefaultButton(BButton* button);
	BButton* DefaultButton() const;

	virtual void MenusBeginning();
	virtual void MenusEnded();

	bool NeedsUpdate() const;
	// Draws the dirty area now.
	void UpdateIfNeeded();

	BView* FindView(const char* viewName) const;
	BView* FindView(BPoint point) const;
	BView* CurrentFocus() const;
	BView* LastMouseMovedView() const;

	void Activate(bool = true);
	virtual void WindowActivated(bool state);

	void ConvertToScreen(BPoint* point) const;
	BPoint ConvertToScreen(BPoint point) const;
	void ConvertFromScreen(BPoint* point) const;
	BPoint ConvertFromScreen(BPoint point) const;
	void ConvertToScreen(BRect* rect) const;
	BRect ConvertToScreen(BRect rect) const;
	void ConvertFromScreen(BRect* rect) const;
	BRect ConvertFromScreen(BRect rect) const;

	void MoveBy(float dx, float dy);
	void MoveTo(BPoint point);
	void MoveTo(float x, float y);
	void ResizeBy(float dx, float dy);
	void ResizeTo(float width, float height);
	void CenterOnScreen();

	// Show/Hide count as on BeOS; the first Show() also starts the looper.
	virtual void Show();
	virtual void Hide();
	bool IsHidden() const;
	bool IsMinimized() const;

	void Flush() const;
	void Sync() const;

	status_t SendBehind(const BWindow* window);

	void DisableUpdates();
	void EnableUpdates();
	void BeginViewTransaction();
	void EndViewTransaction();

	// Content area: Frame() in screen coordinates, Bounds() from (0, 0).
	BRect Bounds() const;
	BRect Frame() const;
	const char* Title() const;
	void SetTitle(const char* title);
	bool IsFront() const;
	bool IsActive() const;

	void SetKeyMenuBar(BMenuBar* bar);
	BMenuBar* KeyMenuBar() const;

	void SetSizeLimits(float minWidth, float maxWidth, float minHeight, float maxHeight);
	void GetSizeLimits(float* minWidth, float* maxWidth, float* minHeight,
		float* maxHeight);

	uint32 Workspaces() const;
	void SetWorkspaces(uint32 workspaces);

	status_t SetType(window_type type);
	window_type Type() const;
	status_t SetLook(window_look look);
	window_look Look() const;
	status_t SetFeel(window_feel feel);
	window_feel Feel() const;
	status_t SetFlags(uint32 flags);
	uint32 Flags() const;
	bool IsModal() const;
	bool IsFloating() const;

	virtual bool QuitRequested();
	virtual thread_id Run();

	// Kit extension: draws the whole window (shown or not) and writes it as
	// a PNG file. B_OK, or an error when the file cannot be written.
	status_t Snapshot(const char* pngPath);

private:
	friend class BView;
	friend class BPrivate::ViewPainter;
	friend struct BPrivate::WindowPrivate;

	void _Init(BRect frame, const char* title, window_look look, window_feel feel,
		uint32 flags, uint32 workspace);

	BPrivate::WindowPrivate* fPrivate;
	BView* fTopView;
	BView* fFocus;
	char* fTitle;
	BRect fFrame;
	window_type fType;
	window_look fLook;
	window_feel fFeel;
	uint32 fFlags;
	uint32 fWorkspaces;
	int32 fShowLevel;	// > 0 hidden; a new window starts hidden (1)
	bool fActive;
	bool fMinimized;
	bool fRunCalled;
	BMenuBar* fKeyMenuBar;
	BButton* fDefaultButton;
	bigtime_t fPulseRate;
	float fMinWidth, fMaxWidth, fMinHeight, fMaxHeight;
};

#endif	// _WINDOW_H
