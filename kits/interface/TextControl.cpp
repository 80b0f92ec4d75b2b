// BTextControl: a label and its one-line text field (_BTextInput_).
#include <TextControl.h>

#include <Message.h>
#include <TextView.h>
#include <Window.h>

#include <cmath>
#include <cstring>
#include <string>

#include "ControlLook.h"

namespace BPrivate {

// The field of a text control: a text view that keeps to one line, tells
// its control about changes, and turns Enter into the control's message.
class _BTextInput_ : public BTextView {
public:
	_BTextInput_(BTextControl* owner, BRect frame, uint32 flags)
		:
		BTextView(frame, "_input_", BRect(0, 0, frame.Width(), frame.Height()),
			B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP, flags),
		fOwner(owner),
		fModified(false),
		fQuiet(0)
	{
		SetWordWrap(false);
		SetViewColor(255, 255, 255);
		SetLowColor(255, 255, 255);
	}

	virtual void KeyDown(const char* bytes, int32 numBytes)
	{
		if (numBytes > 0) {
			switch (bytes[0]) {
				case B_ENTER:
					// As on the platform: Enter sends the message only when
					// the text changed since it was last sent or set.
					if (fModified) {
						fModified = false;
						fOwner->Invoke();
					}
					SelectAll();
					return;
				case B_TAB:
				case B_ESCAPE:
					BView::KeyDown(bytes, numBytes);
					return;
				default:
					break;
			}
		}
		BTextView::KeyDown(bytes, numBytes);
	}

	virtual void MakeFocus(bool focused)
	{
		if (focused == IsFocus())
			return;
		BTextView::MakeFocus(focused);
		if (focused)
			SelectAll();
		if (Parent() != NULL)
			Parent()->Invalidate();
	}

	void SetTextQuietly(const char* text)
	{
		fQuiet++;
		SetText(text != NULL ? text : "");
		fQuiet--;
		fModified = false;
	}

	bool IsModified() const { return fModified; }
	void ClearModified() { fModified = false; }

protected:
	virtual void InsertText(const char* text, int32 length, int32 offset,
		const text_run_array* runs)
	{
		// Line breaks never enter a one-line field; pasted ones are left out.
		std::string clean;
		clean.reserve(length);
		for (int32 i = 0; i < length; i++) {
			if (text[i] != '\n' && text[i] != '\r')
				clean += text[i];
		}
		if (clean.empty())
			return;
		BTextView::InsertText(clean.data(), (int32)clean.size(), offset, runs);
		_Changed();
	}

	virtual void DeleteText(int32 fromOffset, int32 toOffset)
	{
		BTextView::DeleteText(fromOffset, toOffset);
		_Changed();
	}

private:
	void _Changed()
	{
		if (fQuiet > 0)
			return;
		fModified = true;
		fOwner->_TextChanged();
	}

	BTextControl* fOwner;
	bool fModified;
	int32 fQuiet;
};

}	// namespace BPrivate


BTextControl::BTextControl(BRect frame, const char* name, const char* label,
	const char* initialText, BMessage* message, uint32 resizingMode,
	uint32 flags)
	:
	BControl(frame, name, label, message, resizingMode,
		flags & ~B_NAVIGABLE),
	fText(NULL),
	fModificationMessage(NULL),
	fLabelAlign(B_ALIGN_LEFT),
	fDivider(0)
{
	if (label != NULL && label[0] != '\0')
		fDivider = floorf(frame.Width() / 2);
	// The field, not the control, takes part in keyboard navigation.
	fText = new BPrivate::_BTextInput_(this, _TextFrame(),
		B_WILL_DRAW | B_PULSE_NEEDED | (flags & B_NAVIGABLE));
	fText->SetTextQuietly(initialText);
	AddChild(fText);
	_LayoutTextView();
}


BTextControl::~BTextControl()
{
	delete fModificationMessage;
}


BRect
BTextControl::_TextFrame() const
{
	BFont font;
	GetFont(&font);
	float lineHeight = BPrivate::font_line_height(font);
	BRect bounds = Bounds();
	float height = lineHeight + 2;
	float top = floorf((bounds.Height() + 1 - (height + 4)) / 2) + 2;
	if (top < 2)
		top = 2;
	return BRect(fDivider + 3, top, bounds.right - 3, top + height - 1);
}


void
BTextControl::_LayoutTextView()
{
	if (fText == NULL)
		return;
	BRect frame = _TextFrame();
	if (frame.Width() < 4)
		frame.right = frame.left + 4;
	fText->MoveTo(frame.LeftTop());
	fText->ResizeTo(frame.Width(), frame.Height());
	fText->SetTextRect(BRect(1, 0, frame.Width() - 1, frame.Height()));
}


void
BTextControl::_TextChanged()
{
	if (fModificationMessage != NULL)
		BControl::Invoke(fModificationMessage);
}


void
BTextControl::SetText(const char* text)
{
	fText->SetTextQuietly(text);
	Invalidate();
}


const char*
BTextControl::Text() const
{
	return fText->Text();
}


BTextView*
BTextControl::TextView() const
{
	return fText;
}


void
BTextControl::SetValue(int32 value)
{
	BControl::SetValue(value);
}


status_t
BTextControl::Invoke(BMessage* message)
{
	fText->ClearModified();
	return BControl::Invoke(message);
}


void
BTextControl::SetModificationMessage(BMessage* message)
{
	delete fModificationMessage;
	fModificationMessage = message;
}


void
BTextControl::SetAlignment(alignment label, alignment text)
{
	fLabelAlign = label;
	fText->SetAlignment(text);
	Invalidate();
}


void
BTextControl::GetAlignment(alignment* label, alignment* text) const
{
	if (label != NULL)
		*label = fLabelAlign;
	if (text != NULL)
		*text = fText->Alignment();
}


void
BTextControl::SetDivider(float position)
{
	fDivider = floorf(position + 0.5f);
	_LayoutTextView();
	Invalidate();
}


void
BTextControl::Draw(BRect)
{
	BRect textFrame = fText->Frame();
	bool focused = fText->IsFocus() && Window() != NULL && Window()->IsActive();
	BPrivate::draw_well(this, textFrame.InsetByCopy(-2, -2), focused,
		IsEnabled());
	if (Label() != NULL && fDivider > 0) {
		BFont font;
		GetFont(&font);
		font_height fh;
		font.GetHeight(&fh);
		// The label sits on the field's first baseline.
		float baseline = textFrame.top + ceilf(fh.ascent);
		BPrivate::set_label_encoding(this, Label());
		float width = StringWidth(Label());
		float x = 0;
		if (fLabelAlign == B_ALIGN_RIGHT)
			x = fDivider - 4 - width;
		else if (fLabelAlign == B_ALIGN_CENTER)
			x = floorf((fDivider - width) / 2);
		SetHighColor(BPrivate::text_color(IsEnabled()));
		SetLowColor(ViewColor());
		DrawString(Label(), BPoint(x, baseline));
	}
}


void
BTextControl::MouseDown(BPoint)
{
	if (IsEnabled() && !fText->IsFocus())
		fText->MakeFocus(true);
}


void
BTextControl::AttachedToWindow()
{
	BControl::AttachedToWindow();
	_LayoutTextView();
}


void
BTextControl::MakeFocus(bool focused)
{
	fText->MakeFocus(focused);
}


void
BTextControl::SetEnabled(bool enabled)
{
	if (enabled == IsEnabled())
		return;
	BControl::SetEnabled(enabled);
	fText->MakeEditable(enabled);
	fText->MakeSelectable(enabled);
	if (enabled) {
		fText->SetFlags(fText->Flags() | B_NAVIGABLE);
		fText->SetViewColor(255, 255, 255);
		fText->SetLowColor(255, 255, 255);
	} else {
		if (fText->IsFocus())
			fText->MakeFocus(false);
		fText->SetFlags(fText->Flags() & ~B_NAVIGABLE);
		fText->SetViewColor(BPrivate::panel_color());
		fText->SetLowColor(BPrivate::panel_color());
	}
	fText->Invalidate();
}


void
BTextControl::FrameResized(float width, float height)
{
	_LayoutTextView();
	Invalidate();
	BControl::FrameResized(width, height);
}


void
BTextControl::GetPreferredSize(float* width, float* height)
{
	BFont font;
	GetFont(&font);
	if (width != NULL) {
		float w = fDivider + 3 + ceilf(font.StringWidth("M")) * 8 + 3;
		*width = w;
	}
	if (height != NULL)
		*height = BPrivate::font_line_height(font) + 7;
}


void
BTextControl::ResizeToPreferred()
{
	float width, height;
	GetPreferredSize(&width, &height);
	if (width < Bounds().Width())
		width = Bounds().Width();
	ResizeTo(width, height);
	_LayoutTextView();
}


void
BTextControl::SetFont(const BFont* font, uint32 mask)
{
	BControl::SetFont(font, mask);
	if (fText != NULL) {
		fText->SetFontAndColor(font, mask);
		fText->SetFont(font, mask);
		_LayoutTextView();
	}
	Invalidate();
}
