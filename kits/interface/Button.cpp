// BButton: a bevelled push button; the window's default button takes Enter.
#include <Button.h>

#include <Message.h>
#include <MessageFilter.h>
#include <Window.h>

#include <cmath>

#include "ControlLook.h"

BButton::BButton(BRect frame, const char* name, const char* label,
	BMessage* message, uint32 resizingMode, uint32 flags)
	:
	BControl(frame, name, label, message, resizingMode, flags),
	fDefault(false),
	fEnterFilter(NULL)
{
}


BButton::~BButton()
{
}


void
BButton::Draw(BRect)
{
	BPrivate::draw_button(this, Bounds(), Label(), Value() == B_CONTROL_ON,
		IsEnabled(), fDefault, IsFocus() && Window() != NULL
			&& Window()->IsActive());
}


void
BButton::MouseDown(BPoint)
{
	if (!IsEnabled())
		return;
	SetValue(B_CONTROL_ON);
	SetTracking(true);
	SetMouseEventMask(B_POINTER_EVENTS, B_LOCK_WINDOW_FOCUS);
}


void
BButton::MouseMoved(BPoint where, uint32, const BMessage*)
{
	if (IsTracking())
		SetValue(Bounds().Contains(where) ? B_CONTROL_ON : B_CONTROL_OFF);
}


void
BButton::MouseUp(BPoint where)
{
	if (!IsTracking())
		return;
	SetTracking(false);
	bool inside = Bounds().Contains(where);
	SetValue(B_CONTROL_OFF);
	if (inside)
		Invoke();
}


void
BButton::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes > 0 && (bytes[0] == B_SPACE || bytes[0] == B_ENTER)) {
		if (IsEnabled())
			Press();
		return;
	}
	BView::KeyDown(bytes, numBytes);
}


void
BButton::Press()
{
	if (!IsEnabled())
		return;
	SetValue(B_CONTROL_ON);
	if (Window() != NULL)
		Window()->UpdateIfNeeded();
	SetValue(B_CONTROL_OFF);
	Invoke();
}


void
BButton::AttachedToWindow()
{
	BControl::AttachedToWindow();
	if (fDefault) {
		Window()->SetDefaultButton(this);
		_InstallDefaultFilter();
	}
}


void
BButton::DetachedFromWindow()
{
	_RemoveDefaultFilter();
	if (Window() != NULL && Window()->DefaultButton() == this)
		Window()->SetDefaultButton(NULL);
	BControl::DetachedFromWindow();
}


void
BButton::MakeDefault(bool isDefault)
{
	if (isDefault == fDefault)
		return;
	fDefault = isDefault;
	if (Window() != NULL) {
		if (isDefault) {
			BButton* old = Window()->DefaultButton();
			if (old != NULL && old != this)
				old->MakeDefault(false);
			Window()->SetDefaultButton(this);
			_InstallDefaultFilter();
		} else {
			if (Window()->DefaultButton() == this)
				Window()->SetDefaultButton(NULL);
			_RemoveDefaultFilter();
		}
	}
	Invalidate();
}


void
BButton::SetLabel(const char* label)
{
	BControl::SetLabel(label);
}


void
BButton::GetPreferredSize(float* width, float* height)
{
	BFont font;
	GetFont(&font);
	float w = ceilf(BPrivate::label_width(font, Label() != NULL ? Label() : "")) + 20;
	if (w < 75)
		w = 75;
	float h = BPrivate::font_line_height(font) + 10;
	if (fDefault) {
		w += 6;
		h += 6;
	}
	if (width != NULL)
		*width = w;
	if (height != NULL)
		*height = h;
}


status_t
BButton::Invoke(BMessage* message)
{
	return BControl::Invoke(message);
}


// Enter anywhere in the window presses the default button, unless the view
// with the keyboard is a multi-line text view that wants its line breaks or
// another button that presses itself.
static filter_result
default_button_filter(BMessage* message, BHandler** target,
	BMessageFilter* filter)
{
	const char* bytes = NULL;
	if (message->FindString("bytes", &bytes) != B_OK || bytes == NULL
		|| bytes[0] != B_ENTER)
		return B_DISPATCH_MESSAGE;
	int32 mods = 0;
	message->FindInt32("modifiers", &mods);
	if ((mods & (B_COMMAND_KEY | B_CONTROL_KEY | B_OPTION_KEY)) != 0)
		return B_DISPATCH_MESSAGE;
	BWindow* window = dynamic_cast<BWindow*>(filter->Looper());
	if (window == NULL)
		return B_DISPATCH_MESSAGE;
	BButton* button = window->DefaultButton();
	if (button == NULL || !button->IsEnabled() || button->IsHidden())
		return B_DISPATCH_MESSAGE;
	BView* focus = window->CurrentFocus();
	if (focus != NULL && focus != button) {
		// Views that act on Enter themselves keep it: other controls and
		// text fields (a text control invokes itself first).
		if (dynamic_cast<BControl*>(focus) != NULL)
			return B_DISPATCH_MESSAGE;
		if (focus->Parent() != NULL
			&& dynamic_cast<BControl*>(focus->Parent()) != NULL)
			return B_DISPATCH_MESSAGE;
		if (focus->Flags() & B_NAVIGABLE) {
			// A navigable view that is not a control (a list, a text
			// view) handles Enter on its own.
			return B_DISPATCH_MESSAGE;
		}
	}
	*target = button;
	button->Press();
	return B_SKIP_MESSAGE;
}


void
BButton::_InstallDefaultFilter()
{
	if (fEnterFilter != NULL || Window() == NULL)
		return;
	fEnterFilter = new BMessageFilter(B_ANY_DELIVERY, B_ANY_SOURCE, B_KEY_DOWN,
		default_button_filter);
	Window()->AddCommonFilter(fEnterFilter);
}


void
BButton::_RemoveDefaultFilter()
{
	if (fEnterFilter == NULL)
		return;
	if (fEnterFilter->Looper() != NULL)
		fEnterFilter->Looper()->RemoveCommonFilter(fEnterFilter);
	delete fEnterFilter;
	fEnterFilter = NULL;
}
