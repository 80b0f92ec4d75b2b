/*
 * RFinder: the find and replace dialog, its view and its matching rule.
 */
#include "RFinder.h"

#include <Button.h>
#include <CheckBox.h>
#include <Font.h>
#include <InterfaceDefs.h>
#include <Message.h>
#include <TextView.h>

#include "RTextControl.h"


RFinder::RFinder(BWindow* owner)
	:
	BWindow(BRect(80, 40, 484, 145), "Finder", B_FLOATING_WINDOW_LOOK,
		B_NORMAL_WINDOW_FEEL, B_NOT_RESIZABLE | B_NOT_ZOOMABLE),
	view(nullptr),
	single(true),
	replace(false),
	caseSensitive(false),
	wholeWord(false),
	wrap(false),
	target(owner)
{
	view = new RFinderView(this);
	AddChild(view);
}


RFinder::~RFinder()
{
}


void
RFinder::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kMsgFinderFind:
			single = true;
			replace = false;
			FindFirst();
			break;
		case kMsgFinderReplace:
			single = true;
			replace = true;
			FindFirst();
			break;
		case kMsgFinderReplaceAll:
			single = false;
			replace = true;
			FindFirst();
			break;
		case kMsgFinderReplaceEnter:
			replace = true;
			FindFirst();
			break;
		case kMsgFinderFindEnter:
			replace = ReplaceText()->Text()[0] != '\0';
			FindFirst();
			break;
		case kMsgFinderCaseSensitive:
			caseSensitive = view->caseBox->Value() == 1;
			break;
		case kMsgFinderWholeWord:
			wholeWord = view->wholeWordBox->Value() == 1;
			break;
		case kMsgFinderWrap:
			wrap = view->wrapBox->Value() == 1;
			break;
		default:
			BWindow::MessageReceived(message);
			break;
	}
}


bool
RFinder::QuitRequested()
{
	if (!IsHidden())
		Hide();
	return false;
}


void
RFinder::Show()
{
	if (!IsHidden()) {
		Activate();
		return;
	}
	BWindow::Show();
}


void
RFinder::FindFirst()
{
	Reset();
	if (!IsHidden())
		Hide();
	// The keys go back to the editor, so that "Find again" reaches it.
	if (target != nullptr)
		target->Activate();
	Find();
}


void
RFinder::FindAgain()
{
	Find();
}


void
RFinder::PrepareSearch(uint8 encoding, uint8 referenceMark,
	uint8 noBreakSpace)
{
	std::string search;
	std::string replacement;
	bool locked = Lock();
	search = FindText()->Text();
	replacement = ReplaceText()->Text();
	if (locked)
		Unlock();
	// The fields hold UTF-8; the document its own encoding.
	search = FindPattern::FromUTF8(search.data(), int32(search.size()),
		encoding, referenceMark, noBreakSpace, true);
	fReplacement = FindPattern::FromUTF8(replacement.data(),
		int32(replacement.size()), encoding, referenceMark, noBreakSpace,
		false);
	fPattern.Set(search.data(), int32(search.size()), encoding, caseSensitive,
		referenceMark, noBreakSpace);
}


int
RFinder::Compare(char* text, bool atWordStart)
{
	int32 length = fPattern.MatchAt(text);
	if (length == 0)
		return 0;
	if (wholeWord
		&& (!atWordStart || fPattern.IsWordCharacterAt(text + length)))
		return 0;
	return length;
}


bool
RFinder::AtWordStart(const char* text, int32 i) const
{
	return !fPattern.IsWordCharacterBefore(text, i);
}


RBoldTextControl*
RFinder::FindText()
{
	return view->findText;
}


RBoldTextControl*
RFinder::ReplaceText()
{
	return view->replaceText;
}


// #pragma mark - RFinderView


RFinderView::RFinderView(RFinder* owner)
	:
	BView(owner->Bounds(), "RFinderView", B_FOLLOW_ALL_SIDES, B_WILL_DRAW),
	finder(owner),
	findText(nullptr),
	replaceText(nullptr),
	caseBox(nullptr),
	wholeWordBox(nullptr),
	wrapBox(nullptr)
{
	SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));

	findText = new RBoldTextControl(BRect(10, 10, 320, 30), (char*)"Find:",
		(char*)"", new BMessage(kMsgFinderFindEnter));
	replaceText = new RBoldTextControl(BRect(10, 40, 320, 70),
		(char*)"Replace:", (char*)"", new BMessage(kMsgFinderReplaceEnter));
	// Any character can be typed into the fields: they hold UTF-8, which
	// each search puts into its document's encoding.
	BFont utf8;
	utf8.SetEncoding(B_UNICODE_UTF8);
	findText->TextView()->SetFontAndColor(&utf8, B_FONT_ENCODING);
	replaceText->TextView()->SetFontAndColor(&utf8, B_FONT_ENCODING);
	float h = 0;
	findText->GetPreferredSize(nullptr, &h);

	const uint32 follow = B_FOLLOW_LEFT | B_FOLLOW_TOP;
	const uint32 flags = B_WILL_DRAW | B_NAVIGABLE;
	BButton* findButton = new BButton(BRect(330, 6, 400, h + 13),
		"FindButton", "Find", new BMessage(kMsgFinderFind), follow, flags);
	BButton* replaceButton = new BButton(BRect(330, 36, 400, h + 43),
		"ReplaceButton", "Replace", new BMessage(kMsgFinderReplace), follow,
		flags);
	BButton* replaceAllButton = new BButton(BRect(330, h + 51, 400, 2 * h + 54),
		"ReplaceAllButton", "Replace all", new BMessage(kMsgFinderReplaceAll),
		follow, flags);
	caseBox = new BCheckBox(BRect(10, 80, 120, 100), "XCaseCheckBox",
		"Case sensitive", new BMessage(kMsgFinderCaseSensitive), follow, flags);
	wholeWordBox = new BCheckBox(BRect(120, 80, 220, 100), "WholeWordCheckBox",
		"Whole word", new BMessage(kMsgFinderWholeWord), follow, flags);
	wrapBox = new BCheckBox(BRect(230, 80, 320, 100), "WrapCheckBox", "Wrap",
		new BMessage(kMsgFinderWrap), follow, flags);

	AddChild(findText);
	AddChild(replaceText);
	AddChild(findButton);
	AddChild(replaceButton);
	AddChild(replaceAllButton);
	AddChild(caseBox);
	AddChild(wholeWordBox);
	AddChild(wrapBox);
}


void
RFinderView::AttachedToWindow()
{
	BView::AttachedToWindow();
	BRect bounds = Window()->Bounds();
	ResizeTo(bounds.Width(), bounds.Height());
}


void
RFinderView::AllAttached()
{
	BView::AllAttached();
	// The field is in the window only now that every child is.
	findText->MakeFocus(true);
}
