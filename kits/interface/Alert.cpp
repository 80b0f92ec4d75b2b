// BAlert: the modal message box, and the responders that answer it headless.
#include <Alert.h>

#include <Button.h>
#include <EventLoop.h>
#include <Invoker.h>
#include <Message.h>
#include <Screen.h>
#include <TextView.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "ControlLook.h"

namespace {

const uint32 kButtonPressed = 'ALTB';
const float kStripeWidth = 30;
const float kTextLeft = 55;
const float kMinWidth = 310;

BAlertResponder* sResponder = NULL;
std::mutex sResponderLock;

}	// namespace


namespace BPrivate {

// The alert's background: the darker stripe down the left and the icon.
class AlertView : public BView {
public:
	AlertView(BRect frame, BAlert* alert)
		:
		BView(frame, "_alert_view_", B_FOLLOW_ALL, B_WILL_DRAW),
		fAlert(alert)
	{
		SetViewColor(panel_color());
		SetLowColor(panel_color());
	}

	virtual void Draw(BRect)
	{
		BRect stripe = Bounds();
		stripe.right = kStripeWidth - 1;
		SetHighColor(184, 184, 184);
		FillRect(stripe);
		_DrawIcon(BRect(18, 6, 49, 37));
	}

private:
	void _DrawIcon(BRect r)
	{
		BPoint center((r.left + r.right) / 2, (r.top + r.bottom) / 2);
		switch (fAlert->Type()) {
			case B_INFO_ALERT:
			{
				// A blue disc with a white "i".
				SetHighColor(0, 0, 0);
				FillEllipse(r);
				SetHighColor(40, 90, 210);
				FillEllipse(r.InsetByCopy(1, 1));
				SetHighColor(255, 255, 255);
				FillEllipse(BPoint(center.x, r.top + 8), 2.5f, 2.5f);
				FillRect(BRect(center.x - 2, r.top + 13, center.x + 2,
					r.bottom - 6));
				FillRect(BRect(center.x - 4, r.bottom - 6, center.x + 4,
					r.bottom - 5));
				break;
			}
			case B_IDEA_ALERT:
			{
				// A light bulb on a grey screw base.
				SetHighColor(0, 0, 0);
				FillEllipse(BRect(r.left + 4, r.top, r.right - 4,
					r.bottom - 8));
				SetHighColor(255, 230, 60);
				FillEllipse(BRect(r.left + 5, r.top + 1, r.right - 5,
					r.bottom - 9));
				SetHighColor(120, 120, 120);
				FillRect(BRect(center.x - 5, r.bottom - 9, center.x + 5,
					r.bottom - 1));
				SetHighColor(60, 60, 60);
				StrokeLine(BPoint(center.x - 5, r.bottom - 6),
					BPoint(center.x + 5, r.bottom - 6));
				StrokeLine(BPoint(center.x - 5, r.bottom - 3),
					BPoint(center.x + 5, r.bottom - 3));
				SetHighColor(255, 255, 255);
				FillEllipse(BPoint(center.x - 5, r.top + 8), 2, 3);
				break;
			}
			case B_WARNING_ALERT:
			{
				// A yellow triangle with an exclamation mark.
				SetHighColor(0, 0, 0);
				FillTriangle(BPoint(center.x, r.top), BPoint(r.right,
					r.bottom), BPoint(r.left, r.bottom));
				SetHighColor(255, 210, 0);
				FillTriangle(BPoint(center.x, r.top + 3), BPoint(r.right - 3,
					r.bottom - 1), BPoint(r.left + 3, r.bottom - 1));
				SetHighColor(0, 0, 0);
				FillRect(BRect(center.x - 1.5f, r.top + 11, center.x + 1.5f,
					r.bottom - 9));
				FillRect(BRect(center.x - 1.5f, r.bottom - 6, center.x + 1.5f,
					r.bottom - 4));
				break;
			}
			case B_STOP_ALERT:
			{
				// A red octagon with a white bar.
				float c = 9;
				BPoint shape[8] = {
					BPoint(r.left + c, r.top), BPoint(r.right - c, r.top),
					BPoint(r.right, r.top + c), BPoint(r.right, r.bottom - c),
					BPoint(r.right - c, r.bottom), BPoint(r.left + c, r.bottom),
					BPoint(r.left, r.bottom - c), BPoint(r.left, r.top + c)
				};
				SetHighColor(0, 0, 0);
				FillPolygon(shape, 8);
				for (BPoint& point : shape) {
					point.x += point.x < center.x ? 1 : -1;
					point.y += point.y < center.y ? 1 : -1;
				}
				SetHighColor(210, 20, 20);
				FillPolygon(shape, 8);
				SetHighColor(255, 255, 255);
				FillRect(BRect(r.left + 6, center.y - 3, r.right - 6,
					center.y + 3));
				break;
			}
			default:
				break;
		}
	}

	BAlert* fAlert;
};

}	// namespace BPrivate


// #pragma mark - responders


BAlertResponder::~BAlertResponder()
{
}


BRecordingAlertResponder::BRecordingAlertResponder(int32 defaultAnswer)
	:
	fDefault(defaultAnswer)
{
}


BRecordingAlertResponder::~BRecordingAlertResponder()
{
}


void
BRecordingAlertResponder::AnswerWithLabel(const char* label)
{
	std::lock_guard<std::mutex> lock(fLock);
	fAnswers.push_back(Answer{ label != NULL ? label : "", -1 });
}


void
BRecordingAlertResponder::AnswerWithIndex(int32 index)
{
	std::lock_guard<std::mutex> lock(fLock);
	fAnswers.push_back(Answer{ std::string(), index });
}


void
BRecordingAlertResponder::SetDefaultAnswer(int32 index)
{
	std::lock_guard<std::mutex> lock(fLock);
	fDefault = index;
}


int32
BRecordingAlertResponder::CountAlerts() const
{
	std::lock_guard<std::mutex> lock(fLock);
	return (int32)fRecords.size();
}


std::string
BRecordingAlertResponder::TitleAt(int32 index) const
{
	std::lock_guard<std::mutex> lock(fLock);
	if (index < 0 || index >= (int32)fRecords.size())
		return std::string();
	return fRecords[index].title;
}


std::string
BRecordingAlertResponder::TextAt(int32 index) const
{
	std::lock_guard<std::mutex> lock(fLock);
	if (index < 0 || index >= (int32)fRecords.size())
		return std::string();
	return fRecords[index].text;
}


std::vector<std::string>
BRecordingAlertResponder::ButtonsAt(int32 index) const
{
	std::lock_guard<std::mutex> lock(fLock);
	if (index < 0 || index >= (int32)fRecords.size())
		return std::vector<std::string>();
	return fRecords[index].buttons;
}


int32
BRecordingAlertResponder::AnswerAt(int32 index) const
{
	std::lock_guard<std::mutex> lock(fLock);
	if (index < 0 || index >= (int32)fRecords.size())
		return -1;
	return fRecords[index].answer;
}


std::string
BRecordingAlertResponder::LastText() const
{
	std::lock_guard<std::mutex> lock(fLock);
	return fRecords.empty() ? std::string() : fRecords.back().text;
}


void
BRecordingAlertResponder::Clear()
{
	std::lock_guard<std::mutex> lock(fLock);
	fRecords.clear();
	fAnswers.clear();
}


int32
BRecordingAlertResponder::Respond(const char* title, const char* text,
	const char* const buttons[3], int32 count)
{
	std::lock_guard<std::mutex> lock(fLock);
	Record record;
	record.title = title != NULL ? title : "";
	record.text = text != NULL ? text : "";
	for (int32 i = 0; i < count; i++)
		record.buttons.push_back(buttons[i] != NULL ? buttons[i] : "");

	int32 answer = fDefault < 0 ? count + fDefault : fDefault;
	if (!fAnswers.empty()) {
		Answer next = fAnswers.front();
		fAnswers.erase(fAnswers.begin());
		if (next.index >= 0)
			answer = next.index;
		else {
			// An answer by label that the alert does not offer falls back
			// to the default, and the record says so with the index used.
			for (int32 i = 0; i < count; i++) {
				if (record.buttons[i] == next.label)
					answer = i;
			}
		}
	}
	answer = std::max((int32)0, std::min(answer, count - 1));
	record.answer = answer;
	fRecords.push_back(record);
	return answer;
}


// #pragma mark - BAlert


BAlert::BAlert(const char* title, const char* text, const char* button0,
	const char* button1, const char* button2, button_width width,
	alert_type type)
	:
	BWindow(BRect(0, 0, kMinWidth - 1, 100), title, B_MODAL_WINDOW_LOOK,
		B_MODAL_APP_WINDOW_FEEL, B_NOT_CLOSABLE | B_NOT_RESIZABLE
			| B_NOT_ZOOMABLE | B_NOT_MINIMIZABLE | B_ASYNCHRONOUS_CONTROLS)
{
	_Init(text, button0, button1, button2, width, B_EVEN_SPACING, type);
}


BAlert::BAlert(const char* title, const char* text, const char* button0,
	const char* button1, const char* button2, button_width width,
	button_spacing spacing, alert_type type)
	:
	BWindow(BRect(0, 0, kMinWidth - 1, 100), title, B_MODAL_WINDOW_LOOK,
		B_MODAL_APP_WINDOW_FEEL, B_NOT_CLOSABLE | B_NOT_RESIZABLE
			| B_NOT_ZOOMABLE | B_NOT_MINIMIZABLE | B_ASYNCHRONOUS_CONTROLS)
{
	_Init(text, button0, button1, button2, width, spacing, type);
}


BAlert::~BAlert()
{
	delete fInvoker;
}


void
BAlert::_Init(const char* text, const char* button0, const char* button1,
	const char* button2, button_width width, button_spacing spacing,
	alert_type type)
{
	fType = type;
	fWidthStyle = width;
	fSpacing = spacing;
	fInvoker = NULL;
	fResultSlot = NULL;
	fAnswered = false;
	fButtonCount = 0;
	for (int32 i = 0; i < 3; i++) {
		fButtons[i] = NULL;
		fKeys[i] = 0;
	}

	fView = new BPrivate::AlertView(Bounds(), this);
	AddChild(fView);

	BRect textFrame(kTextLeft, 6, Bounds().right - 10, 40);
	fTextView = new BTextView(textFrame, "_tv_",
		BRect(0, 0, textFrame.Width(), textFrame.Height()),
		B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP, B_WILL_DRAW);
	fTextView->SetWordWrap(true);
	fTextView->MakeEditable(false);
	fTextView->MakeSelectable(false);
	fTextView->SetViewColor(BPrivate::panel_color());
	fTextView->SetLowColor(BPrivate::panel_color());
	fTextView->SetText(text != NULL ? text : "");
	fView->AddChild(fTextView);

	const char* labels[3] = { button0, button1, button2 };
	for (int32 i = 0; i < 3 && labels[i] != NULL; i++) {
		BMessage* message = new BMessage(kButtonPressed);
		message->AddInt32("which", i);
		char name[16] = "_b0_";
		name[2] = (char)('0' + i);
		fButtons[i] = new BButton(BRect(0, 0, 74, 23), name, labels[i],
			message, B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM);
		fButtons[i]->SetTarget(this);
		fView->AddChild(fButtons[i]);
		fButtonCount++;
	}
	if (fButtonCount > 0) {
		// The last button is the default one; Escape is the first's when
		// there is a choice.
		fButtons[fButtonCount - 1]->MakeDefault(true);
		fKeys[fButtonCount - 1] = B_ENTER;
		if (fButtonCount > 1)
			fKeys[0] = B_ESCAPE;
	}
	_Layout();
}


void
BAlert::_Layout()
{
	BFont font;
	fView->GetFont(&font);
	float buttonHeight = BPrivate::font_line_height(font) + 10;
	float widths[3] = { 0, 0, 0 };
	float widest = 0;
	for (int32 i = 0; i < fButtonCount; i++) {
		float labelWidth = ceilf(BPrivate::label_width(font, fButtons[i]->Label())) + 20;
		widths[i] = labelWidth;
		widest = std::max(widest, labelWidth);
	}
	for (int32 i = 0; i < fButtonCount; i++) {
		switch (fWidthStyle) {
			case B_WIDTH_FROM_WIDEST:
				widths[i] = std::max(widest, 75.0f);
				break;
			case B_WIDTH_FROM_LABEL:
				break;
			default:
				widths[i] = std::max(widths[i], 75.0f);
				break;
		}
	}
	const float spacing = 9;
	float total = 0;
	for (int32 i = 0; i < fButtonCount; i++)
		total += widths[i] + (fButtons[i]->IsDefault() ? 6 : 0);
	total += spacing * (fButtonCount > 0 ? fButtonCount - 1 : 0);
	float width = std::max(kMinWidth, kTextLeft + total + 10
		+ (fSpacing == B_OFFSET_SPACING ? 30 : 0));

	// The width first (the text view follows it), then the text's height
	// decides the window's.
	ResizeTo(width - 1, Bounds().Height());
	fView->ResizeTo(width - 1, Bounds().Height());
	float textWidth = width - kTextLeft - 10;
	fTextView->MoveTo(kTextLeft, 6);
	fTextView->ResizeTo(textWidth, 40);
	fTextView->SetTextRect(BRect(0, 0, textWidth, 40));
	int32 lines = std::max((int32)1, fTextView->CountLines());
	float textHeight = ceilf(fTextView->TextHeight(0, lines - 1));
	fTextView->ResizeTo(textWidth, textHeight);
	fTextView->SetTextRect(BRect(0, 0, textWidth, textHeight));
	float contentBottom = std::max(6 + textHeight, 6.0f + 32);
	float height = contentBottom + 12 + buttonHeight + 6 + 8;
	ResizeTo(width - 1, height - 1);
	fView->ResizeTo(width - 1, height - 1);

	// Buttons sit on the bottom right, the first one alone on the left with
	// offset spacing.
	float x = width - 10;
	float bottom = height - 9;
	for (int32 i = fButtonCount - 1; i >= 0; i--) {
		float extra = fButtons[i]->IsDefault() ? 3 : 0;
		float w = widths[i] + 2 * extra;
		float left = x - w;
		if (i == 0 && fSpacing == B_OFFSET_SPACING && fButtonCount > 1)
			left = kTextLeft;
		fButtons[i]->MoveTo(left, bottom - buttonHeight - extra);
		fButtons[i]->ResizeTo(w - 1, buttonHeight + 2 * extra - 1);
		x = left - spacing;
	}
	BPoint where = AlertPosition(width, height);
	MoveTo(where);
}


void
BAlert::SetShortcut(int32 index, char key)
{
	if (index >= 0 && index < fButtonCount)
		fKeys[index] = key;
}


char
BAlert::Shortcut(int32 index) const
{
	if (index >= 0 && index < fButtonCount)
		return fKeys[index];
	return 0;
}


int32
BAlert::Go()
{
	BAlertResponder* responder = Responder();
	if (responder != NULL) {
		const char* labels[3] = { NULL, NULL, NULL };
		for (int32 i = 0; i < fButtonCount; i++)
			labels[i] = fButtons[i]->Label();
		int32 answer = responder->Respond(Title(), fTextView->Text(), labels,
			fButtonCount);
		if (Lock())
			Quit();
		return answer;
	}

	int32 result = -1;
	fResultSlot = &result;
	Show();
	BPrivate::run_event_loop_until([](void* cookie) {
			return *static_cast<int32*>(cookie) >= 0;
		}, &result);
	if (Lock())
		Quit();
	return result;
}


status_t
BAlert::Go(BInvoker* invoker)
{
	BAlertResponder* responder = Responder();
	if (responder != NULL) {
		const char* labels[3] = { NULL, NULL, NULL };
		for (int32 i = 0; i < fButtonCount; i++)
			labels[i] = fButtons[i]->Label();
		int32 answer = responder->Respond(Title(), fTextView->Text(), labels,
			fButtonCount);
		if (invoker != NULL) {
			if (invoker->Message() != NULL) {
				BMessage copy(*invoker->Message());
				copy.AddInt32("which", answer);
				invoker->Invoke(&copy);
			}
			delete invoker;
		}
		if (Lock())
			Quit();
		return B_OK;
	}
	fInvoker = invoker;
	Show();
	return B_OK;
}


void
BAlert::_Pressed(int32 index)
{
	if (fAnswered || index < 0 || index >= fButtonCount)
		return;
	fAnswered = true;
	if (fResultSlot != NULL) {
		// Go() is waiting; it closes the window when its loop returns.
		*fResultSlot = index;
		return;
	}
	if (fInvoker != NULL && fInvoker->Message() != NULL) {
		BMessage copy(*fInvoker->Message());
		copy.AddInt32("which", index);
		fInvoker->Invoke(&copy);
	}
	PostMessage(B_QUIT_REQUESTED);
}


void
BAlert::MessageReceived(BMessage* message)
{
	if (message->what == kButtonPressed) {
		int32 which = -1;
		if (message->FindInt32("which", &which) == B_OK)
			_Pressed(which);
		return;
	}
	BWindow::MessageReceived(message);
}


void
BAlert::DispatchMessage(BMessage* message, BHandler* handler)
{
	if (message->what == B_KEY_DOWN) {
		const char* bytes = NULL;
		int32 modifiers = 0;
		message->FindInt32("modifiers", &modifiers);
		if (message->FindString("bytes", &bytes) == B_OK && bytes != NULL
			&& bytes[0] != '\0'
			&& (modifiers & (B_COMMAND_KEY | B_CONTROL_KEY)) == 0) {
			for (int32 i = 0; i < fButtonCount; i++) {
				if (fKeys[i] != 0 && fKeys[i] == bytes[0]) {
					fButtons[i]->Press();
					return;
				}
			}
		}
	}
	BWindow::DispatchMessage(message, handler);
}


bool
BAlert::QuitRequested()
{
	// Asked to close without a button (the host's close request): that is
	// the first button, the safe answer of a question.
	if (!fAnswered) {
		_Pressed(0);
		return fResultSlot == NULL;
	}
	return fResultSlot == NULL;
}


BButton*
BAlert::ButtonAt(int32 index) const
{
	if (index < 0 || index >= fButtonCount)
		return NULL;
	return fButtons[index];
}


BPoint
BAlert::AlertPosition(float width, float height)
{
	BRect screen = BScreen().Frame();
	if (!screen.IsValid() || screen.Width() < width)
		return BPoint(0, 0);
	return BPoint(floorf(screen.left + (screen.Width() - width) / 2),
		floorf(screen.top + (screen.Height() - height) / 4));
}


void
BAlert::SetResponder(BAlertResponder* responder)
{
	std::lock_guard<std::mutex> lock(sResponderLock);
	sResponder = responder;
}


BAlertResponder*
BAlert::Responder()
{
	std::lock_guard<std::mutex> lock(sResponderLock);
	return sResponder;
}
