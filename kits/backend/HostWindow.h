/*
 * A host window showing a window's buffer, and the events it brings in.
 * Qt-free.
 *
 * The interface kit draws a window's views into a HostImage; the host window
 * only copies that buffer to the screen and reports input, geometry, close
 * and activation to its client, in window (content) coordinates.
 */
#ifndef _QUILLORA_HOST_WINDOW_H
#define _QUILLORA_HOST_WINDOW_H

#include <cstdint>

namespace BPrivate {

class HostImage;

struct HostKeyEvent {
	bool down;
	bool repeat;
	char bytes[5];		// UTF-8 of one character or a BeOS key byte, NUL-terminated
	int32_t numBytes;
	int32_t key;
	int32_t rawChar;
	uint32_t modifiers;	// BeOS modifier bits
	int64_t when;		// microseconds (system_time base)
};

enum HostMouseKind {
	HOST_MOUSE_DOWN,
	HOST_MOUSE_UP,
	HOST_MOUSE_MOVED,
	HOST_MOUSE_EXITED
};

struct HostMouseEvent {
	HostMouseKind kind;
	float x;			// window coordinates
	float y;
	float screenX;
	float screenY;
	uint32_t buttons;	// B_PRIMARY_MOUSE_BUTTON ... after the event
	uint32_t modifiers;
	int64_t when;
};

class HostWindowClient {
public:
	virtual ~HostWindowClient() {}
	virtual void HostKey(const HostKeyEvent& event) = 0;
	virtual void HostMouse(const HostMouseEvent& event) = 0;
	// Wheel steps: positive dy scrolls down, one notch is 1.0.
	virtual void HostWheel(float dx, float dy, uint32_t modifiers, int64_t when) = 0;
	virtual void HostResized(int32_t width, int32_t height) = 0;
	virtual void HostMoved(int32_t x, int32_t y) = 0;
	virtual void HostCloseRequested() = 0;
	virtual void HostActivated(bool active) = 0;
	// The screen needs the buffer: a chance to draw what is dirty first.
	virtual void HostExposed() = 0;
};

// Window kinds (BeOS looks and feels map onto these).
enum {
	HOST_WINDOW_NORMAL = 0,
	HOST_WINDOW_DIALOG = 1,		// modal
	HOST_WINDOW_TOOL = 2,		// floating
	HOST_WINDOW_FRAMELESS = 3	// bordered / no border
};

class HostWindow {
public:
	HostWindow(HostWindowClient* client, HostImage* buffer);
	~HostWindow();

	void SetBuffer(HostImage* buffer);
	void SetTitle(const char* title);
	// Content rectangle in screen pixels.
	void SetGeometry(int32_t x, int32_t y, int32_t width, int32_t height);
	void SetSizeLimits(int32_t minWidth, int32_t maxWidth, int32_t minHeight, int32_t maxHeight);
	void SetKind(int32_t kind, bool modal, bool resizable, bool stayOnTop);
	// The window this one belongs to (a menu to the window it was opened
	// from), or none. A window that belongs to a modal one is not shut out
	// by it. Set before Show().
	void SetTransientParent(HostWindow* parent);
	void Show();
	void Hide();
	bool IsVisible() const;
	void Activate();
	bool IsActive() const;
	void Minimize(bool minimize);
	void Raise();
	void Lower();
	// Copies this part of the buffer to the screen soon.
	void Update(int32_t left, int32_t top, int32_t right, int32_t bottom);
	// Mouse position in window coordinates and the buttons held now.
	void GetMouse(float* x, float* y, uint32_t* buttons) const;
	// Hands a mouse press, release or move to the host as its windowing
	// system would (buttons held after the event, the one that changed,
	// a millisecond timestamp), so the host's own click handling, double
	// clicks included, runs before the client hears of it.
	void FeedMouse(HostMouseKind kind, float x, float y, uint32_t buttons,
		uint32_t changedButton, uint32_t milliseconds);

private:
	HostWindow(const HostWindow&);
	HostWindow& operator=(const HostWindow&);

	void* fImpl;
};

// Modifier keys held now (BeOS bits).
uint32_t host_current_modifiers();

}	// namespace BPrivate

#endif	// _QUILLORA_HOST_WINDOW_H
