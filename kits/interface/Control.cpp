// BControl: label, value, enabled state and invocation shared by controls.
#include <Control.h>

#include <Message.h>
#include <Window.h>

#include <cstring>

#include "ControlLook.h"

static char*
copy_string(const char* text)
{
	if (text == NULL)
		return NULL;
	size_t length = strlen(text);
	char* copy = new char[length + 1];
	memcpy(copy, text, length + 1);
	return copy;
}


BControl::BControl(BRect frame, const char* name, const char* label,
	BMessage* message, uint32 resizingMode, uint32 flags)
	:
	BView(frame, name, resizingMode, flags),
	BInvoker(message, NULL, NULL),
	fLabel(copy_string(label)),
	fValue(B_CONTROL_OFF),
	fEnabled(true),
	fFocusChanging(false),
	fTracking(false)
{
	SetViewColor(BPrivate::panel_color());
	SetLowColor(BPrivate::panel_color());
}


BControl::~BControl()
{
	delete[] fLabel;
}


void
BControl::AttachedToWindow()
{
	// Controls take on the colour of the panel they sit on.
	if (Parent() != NULL) {
		SetViewColor(Parent()->ViewColor());
		SetLowColor(Parent()->ViewColor());
	}
	_SetFallbackTarget(Window());
	BView::AttachedToWindow();
}


void
BControl::DetachedFromWindow()
{
	_SetFallbackTarget(NULL);
	BView::DetachedFromWindow();
}


void
BControl::MessageReceived(BMessage* message)
{
	BView::MessageReceived(message);
}


void
BControl::MakeFocus(bool focused)
{
	if (focused == IsFocus())
		return;
	fFocusChanging = true;
	BView::MakeFocus(focused);
	Invalidate();
	fFocusChanging = false;
}


void
BControl::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes > 0 && (bytes[0] == B_SPACE || bytes[0] == B_ENTER)
		&& IsEnabled()) {
		SetValue(Value() == B_CONTROL_OFF ? B_CONTROL_ON : B_CONTROL_OFF);
		Invoke();
		return;
	}
	BView::KeyDown(bytes, numBytes);
}


void
BControl::WindowActivated(bool active)
{
	if (IsFocus())
		Invalidate();
	BView::WindowActivated(active);
}


void
BControl::SetLabel(const char* label)
{
	if (label != NULL && fLabel != NULL && strcmp(label, fLabel) == 0)
		return;
	delete[] fLabel;
	fLabel = copy_string(label);
	Invalidate();
}


void
BControl::SetValue(int32 value)
{
	if (value == fValue)
		return;
	fValue = value;
	Invalidate();
}


void
BControl::SetEnabled(bool enabled)
{
	if (enabled == fEnabled)
		return;
	fEnabled = enabled;
	// A disabled control cannot keep the keyboard.
	if (!enabled && IsFocus())
		MakeFocus(false);
	Invalidate();
}


void
BControl::GetPreferredSize(float* width, float* height)
{
	BFont font;
	GetFont(&font);
	if (width != NULL)
		*width = fLabel != NULL ? ceilf(BPrivate::label_width(font, fLabel)) + 8 : 8;
	if (height != NULL)
		*height = BPrivate::font_line_height(font) + 6;
}


void
BControl::ResizeToPreferred()
{
	float width, height;
	GetPreferredSize(&width, &height);
	ResizeTo(width, height);
}


status_t
BControl::Invoke(BMessage* message)
{
	if (message == NULL)
		message = Message();
	if (message == NULL)
		return B_BAD_VALUE;
	BMessage copy(*message);
	copy.AddInt64("when", BPrivate::controls_now());
	copy.AddPointer("source", static_cast<BControl*>(this));
	_SetFallbackTarget(Window());
	return _PostCopy(&copy, static_cast<BControl*>(this));
}
