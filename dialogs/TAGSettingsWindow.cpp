/*
 * The tag settings window: a link's target and name, or a picture's
 * alternate text, edited in place.
 */
#include "TAGSettingsWindow.h"

#include <Font.h>
#include <Looper.h>
#include <Message.h>
#include <TextView.h>
#include <View.h>

#include "Anchor.h"
#include "Functions.h"
#include "Page.h"
#include "RTextControl.h"
#include "WImage.h"
#include "WWindow.h"
#include "WYSIWYG_Element.h"

namespace {

// Replaces an owned text of the element by a copy of the field's text. An
// emptied field stores an empty text: the element decides what that means
// in its tag.
void
StoreText(char*& field, RTextControl* control)
{
	char* copy = newtext(control->Text());
	delete[] field;
	field = copy;
}

// The fields show and take the text in the page's own encoding, as the
// element holds it: an alternate text with letters beyond ASCII in a Latin-1
// page comes back with its bytes unchanged, and what the user types goes in
// in that encoding. A character the encoding cannot hold goes in as an HTML
// numeric character reference, which an option value may hold.
void
UsePageEncoding(RTextControl* control, Page* page)
{
	if (page == nullptr)
		return;
	BTextView* view = control->TextView();
	BFont font;
	font.SetEncoding(page->encoding);
	// The text stays as it was given: the same bytes, now read in the
	// page's encoding.
	char* text = newtext(control->Text());
	view->SetFontAndColor(&font, B_FONT_ENCODING);
	view->SetReferencePrefix('&');
	control->SetText(text);
	delete[] text;
}

}	// namespace


TAGSettingsWindow::TAGSettingsWindow(WYSIWYG_Element* edited)
	:
	BWindow(BRect(80, 100, 550, 157), "TAG settings window",
		B_TITLED_WINDOW_LOOK, B_MODAL_APP_WINDOW_FEEL,
		B_NOT_RESIZABLE | B_NOT_ZOOMABLE, B_CURRENT_WORKSPACE),
	element(EditedElement(edited)),
	kind(kTagSettingsNothing),
	firstControl(nullptr),
	secondControl(nullptr)
{
	// Nothing to edit: the window stays empty and stores nothing. (It does
	// not quit itself here: its creator still holds it.)
	if (element == nullptr)
		return;

	Page* page = element->GetPage();
	if (page != nullptr) {
		if (page->visualWindow != nullptr)
			fVisualWindow = BMessenger(page->visualWindow);
		// Opening the window counts as a change of the page.
		page->NotSaved();
	}

	BView* background = new BView(Bounds(), "background", B_FOLLOW_ALL,
		B_WILL_DRAW);
	background->SetViewColor(216, 216, 216);
	AddChild(background);

	if (Anchor* anchor = dynamic_cast<Anchor*>(element)) {
		kind = kTagSettingsLink;
		firstControl = new RTextControl(BRect(5, 5, 460, 20),
			(char*)"Link to:", anchor->linkTo,
			new BMessage(kMsgTagLinkEntered));
		secondControl = new RTextControl(BRect(5, 32, 460, 50),
			(char*)"Link target name: #", anchor->name,
			new BMessage(kMsgTagNameEntered));
		background->AddChild(firstControl);
		background->AddChild(secondControl);
		UsePageEncoding(firstControl, page);
		UsePageEncoding(secondControl, page);
	} else if (WImage* image = dynamic_cast<WImage*>(element)) {
		kind = kTagSettingsImage;
		firstControl = new RTextControl(BRect(5, 5, 460, 20),
			(char*)"Alternate text:", image->alternateText,
			new BMessage(kMsgTagAltEntered));
		background->AddChild(firstControl);
		UsePageEncoding(firstControl, page);
	}
	if (firstControl != nullptr)
		firstControl->MakeFocus(true);
}


TAGSettingsWindow::~TAGSettingsWindow()
{
}


WYSIWYG_Element*
TAGSettingsWindow::EditedElement(WYSIWYG_Element* element)
{
	if (Anchor* anchor = dynamic_cast<Anchor*>(element)) {
		// The values belong to the opening end; a closing end without one
		// (reported by the pairing query) has nothing to edit.
		if (anchor->OpenTAG())
			return anchor;
		return anchor->FindOpeningClosing();
	}
	if (dynamic_cast<WImage*>(element) != nullptr)
		return element;
	return nullptr;
}


TAGSettingsWindow*
TAGSettingsWindow::Open(WYSIWYG_Element* element)
{
	if (EditedElement(element) == nullptr)
		return nullptr;
	TAGSettingsWindow* window = new TAGSettingsWindow(element);
	window->Show();
	return window;
}


void
TAGSettingsWindow::MessageReceived(BMessage* message)
{
	switch (message->what) {
		// Enter closes the window, which stores the values. A link's Enter
		// only counts from the field that has the focus.
		case kMsgTagLinkEntered:
			if (firstControl != nullptr && firstControl->TextView()->IsFocus())
				PostMessage(B_QUIT_REQUESTED);
			break;
		case kMsgTagNameEntered:
			if (secondControl != nullptr
				&& secondControl->TextView()->IsFocus())
				PostMessage(B_QUIT_REQUESTED);
			break;
		case kMsgTagAltEntered:
			PostMessage(B_QUIT_REQUESTED);
			break;
		default:
			BWindow::MessageReceived(message);
			break;
	}
}


void
TAGSettingsWindow::Quit()
{
	if (!IsLocked())
		Lock();
	BWindow::Quit();
}


bool
TAGSettingsWindow::QuitRequested()
{
	_Store();
	return true;
}


void
TAGSettingsWindow::_Store()
{
	if (kind == kTagSettingsNothing)
		return;
	// The element belongs to the visual window: the lock keeps its thread
	// away while the values change, and fails once the page is closed (and
	// the element with it).
	if (!fVisualWindow.LockTarget())
		return;
	if (kind == kTagSettingsLink) {
		Anchor* anchor = static_cast<Anchor*>(element);
		StoreText(anchor->linkTo, firstControl);
		StoreText(anchor->name, secondControl);
	} else if (kind == kTagSettingsImage) {
		WImage* image = static_cast<WImage*>(element);
		StoreText(image->alternateText, firstControl);
	}
	BLooper* visualWindow = nullptr;
	fVisualWindow.Target(&visualWindow);
	visualWindow->Unlock();
}
