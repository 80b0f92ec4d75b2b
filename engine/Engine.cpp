// The engine core: construction inside the visual window, chain access, the
// whole-page services and the chain operations the elements build on
// (environment walk, insertion, removal). Layout is in Layout.cpp.

#include "WYSIWYG_Engine.h"

#include <Alert.h>
#include <Bitmap.h>
#include <Clipboard.h>
#include <Entry.h>
#include <File.h>
#include <OS.h>
#include <ScrollBar.h>
#include <ScrollView.h>
#if __has_include(<TranslationUtils.h>)
#include <TranslationUtils.h>
#define HAVE_TRANSLATION_KIT 1
#endif
#include <Window.h>
#include <image.h>

#include <cxxabi.h>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <strings.h>
#include <string>
#include <typeinfo>

#include "Alerts.h"
#include "Anchor.h"
#include "Config.h"
#include "EndLine.h"
#include "GarbageCollector.h"
#include "HorizontalLine.h"
#include "List_Element.h"
#include "Page.h"
#include "Parser.h"
#include "TAGSettingsWindow.h"
#include "TextChange.h"
#include "WImage.h"
#include "WLooper.h"
#include "WText.h"
#include "WYSIWYG_Element.h"
#include "WYSIWYG_View.h"

extern char** environ;

namespace {

// Whether an element's Do() left its environment exactly as it was: every
// field, the ones the elements after it copy and its own.
bool
SameEnvironment(const Environment& a, const Environment& b)
{
	return a.fontType == b.fontType && a.font == b.font
		&& a.italic == b.italic && a.color == b.color
		&& a.underlined == b.underlined && a.leftMargin == b.leftMargin
		&& a.rightMargin == b.rightMargin && a.breakBefore == b.breakBefore
		&& a.breakAfter == b.breakAfter && a.hAlignment == b.hAlignment
		&& a.vAlignment == b.vAlignment
		&& a.currentAnchor == b.currentAnchor
		&& a.currentList == b.currentList
		&& a.preformatted == b.preformatted
		&& a.openCenter == b.openCenter
		&& a.leftMarginAfter == b.leftMarginAfter;
}

// The elements that change the look of those after them and carry it on
// down the chain themselves.
bool
CarriesLook(WYSIWYG_Element* element)
{
	return dynamic_cast<TextChange*>(element) != nullptr
		|| dynamic_cast<Anchor*>(element) != nullptr
		|| dynamic_cast<List*>(element) != nullptr
		|| dynamic_cast<List_Element*>(element) != nullptr;
}

}	// namespace

WYSIWYG_Engine::WYSIWYG_Engine(BRect frame, BWindow* window, Page* page)
	:
	view(nullptr),
	scrollView(nullptr),
	looper(nullptr),
	page(page),
	first(nullptr),
	firstSelection(nullptr),
	lastSelection(nullptr),
	selecting(true),
	window(window),
	fPlaceDepth(0),
	fScrollRangePending(false),
	fLoading(0),
	fDoWalking(false),
	fDoContinue(nullptr),
	fDoCarriesAll(0),
	fLastHint(nullptr),
	fSettledFrom(nullptr),
	fShiftedInPlace(false),
	fEmptyCount(0),
	fRangeAnchor(nullptr),
	fRangeAnchorOffset(0),
	fRangeActive(nullptr),
	fRangeActiveOffset(0)
{
	frame.right -= 14;
	frame.bottom -= 14;
	looper = new WLooper(this);
	view = new WYSIWYG_View(frame, "Main view", this);
	scrollView = new BScrollView("Main scroll view", view, B_FOLLOW_ALL_SIDES,
		B_WILL_DRAW | B_FRAME_EVENTS | B_FULL_UPDATE_ON_RESIZE, true, true,
		B_FANCY_BORDER);
	if (BScrollBar* bar = scrollView->ScrollBar(B_HORIZONTAL))
		bar->SetRange(0, 0);
	if (BScrollBar* bar = scrollView->ScrollBar(B_VERTICAL))
		bar->SetRange(0, 0);

	bool locked = window != nullptr && window->Lock();
	if (window != nullptr)
		window->AddChild(scrollView);

	WText* text = new WText(nullptr, nullptr, this, nullptr);
	view->AddChild(text);
	first = text;
	fLastHint = text;
	Place(first, false);
	text->MakeFocus(true);
	if (locked)
		window->Unlock();
}

WYSIWYG_Engine::~WYSIWYG_Engine()
{
	SetBackgroundBitmap(nullptr);
	bool locked = window != nullptr && window->Lock();
	scrollView->RemoveChild(view);
	if (scrollView->Parent() != nullptr)
		scrollView->RemoveSelf();
	else if (window != nullptr)
		window->RemoveChild(scrollView);
	first = nullptr;
	fLastHint = nullptr;
	if (looper->Lock())
		looper->Quit();
	looper = nullptr;

	// Element views belong to their elements, which the collector deletes:
	// take them out of the main view before it goes.
	for (int32 i = view->CountChildren() - 1; i >= 0; i--)
		view->RemoveChild(view->ChildAt(i));
	delete view;
	view = nullptr;
	delete scrollView;
	scrollView = nullptr;
	if (locked)
		window->Unlock();

	if (page != nullptr && page->garbageCollector != nullptr)
		page->garbageCollector->Empty();
}

void
WYSIWYG_Engine::ElementDestroyed(WYSIWYG_Element* element)
{
	if (fLastHint == element)
		fLastHint = nullptr;
	if (fSettledFrom == element)
		fSettledFrom = nullptr;
	fDontJoin.erase(element);
	fUnplaced.erase(element);
	if (firstSelection == element || lastSelection == element
		|| (WYSIWYG_Element*)fRangeAnchor == element
		|| (WYSIWYG_Element*)fRangeActive == element)
		_ForgetRange();
}

WYSIWYG_Element*
WYSIWYG_Engine::LastElement()
{
	// Start from the last element seen when it is still in the chain.
	WYSIWYG_Element* element = fLastHint;
	if (element == nullptr
		|| (element != first && element->previous == nullptr))
		element = first;
	if (element == nullptr)
		return nullptr;
	while (element->next != nullptr)
		element = element->next;
	fLastHint = element;
	return element;
}

WYSIWYG_Element*
WYSIWYG_Engine::Element(BView* target)
{
	if (target == nullptr)
		return nullptr;
	// Every element view is the element object itself, so a cross cast
	// finds it; it must still be in this engine's chain.
	WYSIWYG_Element* element = dynamic_cast<WYSIWYG_Element*>(target);
	if (element == nullptr || element->engine != this
		|| element->View() != target)
		return nullptr;
	if (element != first && element->previous == nullptr)
		return nullptr;
	return element;
}

int
WYSIWYG_Engine::Line()
{
	if (window == nullptr)
		return -1;
	WYSIWYG_Element* element = Element(window->CurrentFocus());
	if (element == nullptr)
		return -1;
	return element->Line();
}

void
WYSIWYG_Engine::HTML()
{
	for (WYSIWYG_Element* element = first; element != nullptr;
			element = element->next)
		element->HTML();
}

void
WYSIWYG_Engine::Empty()
{
	if (view == nullptr || !view->LockLooper())
		return;
	// The element views leave the main view first, from its last child
	// back: pieces made by splits were added after everything else, so the
	// child list is not in chain order, and removing in chain order would
	// shift the rest of the list on every removal. The focus goes to the
	// first text, where it ends up anyway.
	BView* firstView = first != nullptr ? first->View() : nullptr;
	BView* focus = window != nullptr ? window->CurrentFocus() : nullptr;
	bool focusLeaves = focus != nullptr && focus != firstView
		&& focus->Parent() == view;
	for (int32 index = view->CountChildren() - 1; index >= 0; index--) {
		BView* child = view->ChildAt(index);
		if (child == firstView || dynamic_cast<WYSIWYG_Element*>(child) == nullptr)
			continue;
		view->RemoveChild(child);
	}
	if (focusLeaves && firstView != nullptr)
		firstView->MakeFocus(true);

	// Everything after the first element is freed in one pass along the
	// chain: nothing is left to relink (no style element re-runs the
	// environments behind it) and nothing is kept for an undo, so the
	// elements need not wait for the collector. Each takes itself off the
	// collector's list and out of the engine's bookkeeping as it goes.
	WYSIWYG_Element* element = first != nullptr ? first->next : nullptr;
	if (first != nullptr)
		first->next = nullptr;
	while (element != nullptr) {
		WYSIWYG_Element* following = element->next;
		element->previous = nullptr;
		element->next = nullptr;
		delete element;
		element = following;
	}
	// The environments of the elements gone are not wanted again.
	fEnvironments.Clear();
	if (WText* text = dynamic_cast<WText*>(first)) {
		text->SetText("");
		text->leadingSpace.clear();
		text->trailingSpace.clear();
	}
	if (first != nullptr)
		first->SetNext(nullptr);
	fLastHint = first;
	fSettledFrom = nullptr;
	// The text left is a line of its own now, whatever it ended before.
	if (first != nullptr && !IsLoading())
		Place(first, false);
	ResetScrollRange();
	view->Invalidate();
	view->UnlockLooper();
	fEmptyCount++;
	if (page != nullptr) {
		page->NotSaved();
		// Nothing outside the chain is needed any more.
		if (page->garbageCollector != nullptr && first != nullptr)
			page->garbageCollector->Collect(first);
	}
}

void
WYSIWYG_Engine::Refresh()
{
	Do(nullptr);
	Place(nullptr, true);
	bool locked = window != nullptr && window->Lock();
	for (WYSIWYG_Element* element = first; element != nullptr;
			element = element->next) {
		if (HorizontalLine* rule = dynamic_cast<HorizontalLine*>(element)) {
			rule->Erase();
			rule->Draw(rule->LineTop() + 13.0f);
		}
	}
	// The element views are children of the main view: invalidating it
	// redraws each of them over its own bounds.
	view->Invalidate();
	if (locked)
		window->Unlock();
	ResetScrollRange();
}

void
WYSIWYG_Engine::SetBackgroundBitmap(char* path)
{
	if (view == nullptr)
		return;
	if (path == nullptr) {
		if (!view->LockLooper()) {
			view->ClearViewBitmap();
			view->Invalidate();
			return;
		}
		view->ClearViewBitmap();
		view->Invalidate();
		view->UnlockLooper();
		return;
	}
	BFile file(path, B_READ_ONLY);
	if (file.InitCheck() != B_OK) {
		error("Could not open the file: ", path);
		return;
	}
#ifdef HAVE_TRANSLATION_KIT
	BBitmap* bitmap = BTranslationUtils::GetBitmap(path);
#else
	BBitmap* bitmap = nullptr;
#endif
	if (bitmap == nullptr) {
		error("Incorrect Image file: ", path);
		return;
	}
	if (view->LockLooper()) {
		view->SetViewBitmap(bitmap, B_FOLLOW_TOP | B_FOLLOW_LEFT,
			B_TILE_BITMAP);
		view->Invalidate();
		view->UnlockLooper();
	}
	delete bitmap;
}

void
WYSIWYG_Engine::_Launch(const char* program, const char* argument)
{
	const char* argv[3];
	std::string programCopy = program;
	std::string argumentCopy = argument != nullptr ? argument : "";
	argv[0] = programCopy.c_str();
	argv[1] = argument != nullptr ? argumentCopy.c_str() : nullptr;
	argv[2] = nullptr;
	int32 argc = argument != nullptr ? 2 : 1;
	thread_id thread = load_image(argc, argv, (const char**)environ);
	if (thread >= 0)
		resume_thread(thread);
}

void
WYSIWYG_Engine::Preview(char* path)
{
	std::string file;
	if (path == nullptr) {
		if (page == nullptr)
			return;
		page->Save();
		if (page->path == nullptr)
			return;
		file = page->path;
	} else
		file = path;

	const char* browser = "/boot/beos/apps/NetPositive";
	BFile program(browser, B_READ_ONLY);
	if (program.InitCheck() != B_OK)
		error("You don't have NetPositive installed in /boot/beos/apps/");
	// The address may be of any length.
	std::string url = "file://" + file;
	_Launch(browser, url.c_str());
}

void
WYSIWYG_Engine::RunQuilloraSeek()
{
	Config* config = Config::Current();
	std::string directory = config != nullptr
		&& config->applicationDirectory != nullptr
		? config->applicationDirectory : "";
	std::string path = directory + "QuilloraSeek";
	BFile program(path.c_str(), B_READ_ONLY);
	if (program.InitCheck() != B_OK)
		error("You don't have QuilloraSeek installed in \n", directory.c_str());
	_Launch(path.c_str(), nullptr);
}

void
WYSIWYG_Engine::Test()
{
	for (WYSIWYG_Element* element = first; element != nullptr;
			element = element->next) {
		if (element->DontJoin())
			error("dontjoin=true>");
		element->selected = true;
		if (BView* elementView = element->View())
			elementView->Invalidate();
		int status;
		char* demangled = abi::__cxa_demangle(typeid(*element).name(),
			nullptr, nullptr, &status);
		std::string name = status == 0 && demangled != nullptr
			? demangled : typeid(*element).name();
		free(demangled);
		if (element->EOLStatus() != 0)
			name = "EndOfLine: " + name;
		error(name.c_str());
		if (TextChange* change = dynamic_cast<TextChange*>(element))
			errorINT(change->HasText() ? 1 : 0);
		element->selected = false;
		if (BView* elementView = element->View())
			elementView->Invalidate();
	}
}

void
WYSIWYG_Engine::Do(WYSIWYG_Element* element)
{
	// A walk from a given element may end early (see _CarriesOn); one over
	// the whole chain is asked for when fonts or colours changed under
	// every element, and runs to the end.
	bool mayStop = element != nullptr && fDoCarriesAll == 0
		&& !_ReadFurtherOn(element->previous);
	if (element == nullptr)
		element = first;
	if (element == nullptr)
		return;
	if (fDoWalking) {
		// A style element asks to carry its change on: the running walk
		// goes on from there.
		fDoContinue = element;
		return;
	}
	// Environments change sizes: where lines sit is no longer known.
	fSettledFrom = nullptr;
	fDoWalking = true;
	while (element != nullptr) {
		fDoContinue = nullptr;
		Environment before(*element->environment);
		element->Do();
		element->ShareEnvironment();
		if (mayStop && _ReadFurtherOn(element))
			mayStop = false;
		else if (mayStop && SameEnvironment(before, *element->environment))
			break;
		if (!SameEnvironment(before, *element->environment))
			MarkUnplaced(element);
		element = fDoContinue != nullptr ? fDoContinue : element->next;
	}
	fDoWalking = false;
	fDoContinue = nullptr;
}

bool
WYSIWYG_Engine::_ReadFurtherOn(WYSIWYG_Element* element)
{
	if (element == nullptr)
		return false;
	if (dynamic_cast<List*>(element) != nullptr
		|| dynamic_cast<List_Element*>(element) != nullptr)
		return true;
	TextChange* change = dynamic_cast<TextChange*>(element);
	return change != nullptr && (change->type == kTagCENTER
		|| change->type == -kTagCENTER);
}

WText*
WYSIWYG_Engine::InsertLineBefore(WText* text)
{
	// InsertAt() puts a break in before a line end of the page by retyping
	// that end (a paragraph put after a line break turns it into one): it
	// makes no line. Enter makes one, so the break here is a new one.
	if (page != nullptr && !IsLoading())
		page->NotSaved();
	bool locked = window != nullptr && window->Lock();
	WYSIWYG_Element* oldNext = text->next;
	EndLine* created = new EndLine(1, text, oldNext, this, nullptr);
	text->SetNext(created);
	if (oldNext != nullptr)
		oldNext->SetPrevious(created);
	created->Do();
	WText* line = _LinkText(created);
	if (locked)
		window->Unlock();
	if (!IsLoading()) {
		Place(text, false);
		_PlaceOnward(created);
		ResetScrollRange();
	}
	return line;
}

WYSIWYG_Element*
WYSIWYG_Engine::InsertAt(WYSIWYG_Element* after, int32 tag, entry_ref* ref)
{
	if (after == nullptr)
		return nullptr;
	if (tag < 0)
		tag = -tag;
	if (page != nullptr && !IsLoading())
		page->NotSaved();

	// Ending the open font kind puts elements in after the caret's element
	// that no line holds yet: the layout starts from that element's line.
	WYSIWYG_Element* caretElement = after;
	bool fontKind;
	if (IsStylePairTag(tag, &fontKind)) {
		// Font kinds never nest: the open one ends here first.
		if (fontKind && CloseOpenTAGs(after, &after, tag, 0) < 0)
			return nullptr;
		return _InsertPair(after, tag, caretElement);
	}

	if (tag == 0 && CloseOpenTAGs(after, &after, tag, 0) < 0)
		return nullptr;
	// The caret was at the start of the open range, which stays whole:
	// plain text goes on at the end of the text before it.
	WText* before = dynamic_cast<WText*>(after);
	if (tag == 0 && after != caretElement && before != nullptr
		&& !IsLoading()) {
		int32 length = before->TextLength();
		before->MakeFocus(true);
		before->Select(length, length);
		// Selected words this replaced left their text narrower: its line
		// is laid out again with this one.
		Place(before, false);
		return before;
	}
	if (tag == 0 || tag == 1) {
		WYSIWYG_Element* oldNext = after->next;
		WText* text = new WText(after, oldNext, this, nullptr);
		after->SetNext(text);
		if (oldNext != nullptr)
			oldNext->SetPrevious(text);
		if (view->LockLooper()) {
			view->AddChild(text);
			view->UnlockLooper();
		}
		if (ref == nullptr)
			text->SetText("");
		if (dynamic_cast<WText*>(after) != nullptr)
			SetDontJoin(text, true);
		if (oldNext == nullptr)
			fLastHint = text;
		// While a page is read the whole chain is laid out at the end.
		if (!IsLoading()) {
			Place(caretElement, false);
			// After an ended heading the new text begins a line of its
			// own, which the caret's line only moves.
			if (caretElement != after)
				Place(text, false);
			if (tag == 0)
				text->MakeFocus(true);
			ResetScrollRange();
		}
		return text;
	}

	if (tag == 13 || tag == 60 || tag == 40 || tag == kTagIMG) {
		if (tag == 40 && after->CurrentList() != nullptr)
			return nullptr;
		bool locked = window != nullptr && window->Lock();
		if (dynamic_cast<WText*>(after) == nullptr) {
			WYSIWYG_Element* text = InsertAt(after, 1, nullptr);
			if (text != nullptr)
				after = text;
		}
		WYSIWYG_Element* created = nullptr;
		long type = tag == 13 ? 1 : 2;
		if ((tag == 13 || tag == 60)
			&& dynamic_cast<EndLine*>(after->next) != nullptr) {
			static_cast<EndLine*>(after->next)->SetType(type);
			created = after->next;
		} else {
			WYSIWYG_Element* oldNext = after->next;
			if (tag == kTagIMG) {
				// The picture reports its own errors; without one nothing
				// is inserted.
				bool usable = false;
				WImage* image = new WImage(ref, after, oldNext, this, &usable,
					nullptr);
				if (!usable) {
					delete image;
					if (locked)
						window->Unlock();
					return nullptr;
				}
				if (view->LockLooper()) {
					view->AddChild(image);
					view->UnlockLooper();
				}
				created = image;
			} else if (tag == 40)
				created = new HorizontalLine(after, oldNext, this, nullptr);
			else
				created = new EndLine(type, after, oldNext, this, nullptr);
			after->SetNext(created);
			if (oldNext != nullptr)
				oldNext->SetPrevious(created);
		}
		created->Do();
		WYSIWYG_Element* result = created;
		WYSIWYG_Element* following = created->next;
		if (following == nullptr || (dynamic_cast<WText*>(following) == nullptr
				&& dynamic_cast<EndLine*>(following) == nullptr)) {
			WYSIWYG_Element* text = InsertAt(created, 1, nullptr);
			if (text != nullptr)
				result = text;
		}
		if (locked)
			window->Unlock();
		if (!IsLoading()) {
			Place(after, false);
			if (result != nullptr && result->previous != nullptr)
				_PlaceOnward(result->previous);
			ResetScrollRange();
			// What the picture stands for in words is asked at once.
			if (tag == kTagIMG)
				TAGSettingsWindow::Open(created);
		}
		return result;
	}
	if (tag == kTagA)
		return _InsertAnchor(after);
	if (tag == kTagUL || tag == kTagOL || tag == kTagDL)
		return _InsertList(after, tag);
	if (tag == kTagLI || tag == kTagDT || tag == kTagDD)
		return _InsertItem(after, tag);
	return nullptr;
}

void
WYSIWYG_Engine::Delete(WYSIWYG_Element* element)
{
	if (element == nullptr || element == first)
		return;
	WText* previousText = element->FindPreviousText();
	WYSIWYG_Element* before = element->previous;
	WYSIWYG_Element* after = element->next;
	// Without a list, an item or a centred passage's end, what elements
	// further on read from before them changes: the walk that relinking
	// starts runs to the end.
	bool carriesAll = _ReadFurtherOn(element);
	if (carriesAll)
		fDoCarriesAll++;
	// Both links first: a style element re-applies itself when its next
	// changes, and the walk must not copy from the element going away.
	if (before != nullptr)
		before->next = after;
	if (after != nullptr)
		after->previous = before;
	if (before != nullptr)
		before->SetNext(after);
	if (after != nullptr)
		after->SetPrevious(before);
	// Relinking walks on only behind a style element; items further on
	// must be numbered again whatever comes before them, and the elements
	// after a style, link or list end that a text or a break comes before
	// take their look from that element now.
	if (after != nullptr && !IsLoading() && (carriesAll
			|| (before != nullptr && CarriesLook(element)
				&& !CarriesLook(before))))
		Do(after);
	if (carriesAll)
		fDoCarriesAll--;
	if (element == firstSelection || element == lastSelection
		|| element == (WYSIWYG_Element*)fRangeAnchor
		|| element == (WYSIWYG_Element*)fRangeActive)
		_ForgetRange();
	if (fLastHint == element)
		fLastHint = before;
	if (fSettledFrom == element)
		fSettledFrom = nullptr;
	element->SetPrevious(nullptr);
	element->SetNext(nullptr);

	// A definition term shows no view, but has one.
	BView* elementView = element->View();
	if (elementView == nullptr)
		elementView = dynamic_cast<BView*>(element);
	if (elementView != nullptr && view != nullptr && view->LockLooper()) {
		if (elementView->IsFocus() && previousText != nullptr) {
			int32 length = previousText->TextLength();
			previousText->Select(length, length);
			previousText->MakeFocus(true);
		}
		elementView->Hide();
		if (elementView->Parent() == view)
			view->RemoveChild(elementView);
		view->UnlockLooper();
	}
}

void
WYSIWYG_Engine::Insert(int32 tag, entry_ref* ref)
{
	if (ref != nullptr) {
		const char* name = ref->name;
		const char* dot = name != nullptr ? strrchr(name, '.') : nullptr;
		if (dot == nullptr)
			error("Incorrect file");
		else {
			// Photo.JPG is as much a picture as photo.jpg; PNG shows too.
			const char* extension = dot + 1;
			if (strcasecmp(extension, "gif") == 0
				|| strcasecmp(extension, "jpg") == 0
				|| strcasecmp(extension, "jpeg") == 0
				|| strcasecmp(extension, "png") == 0)
				tag = kTagIMG;
			else
				tag = 1;
		}
	}
	WText* text = window != nullptr
		? dynamic_cast<WText*>(Element(window->CurrentFocus())) : nullptr;
	if (text == nullptr) {
		error("Place cursor where you want to place the object.");
		return;
	}
	if (_FontKindOpenAt(text, tag))
		return;
	// Nor is a rule put into a list (see InsertAt): the selected words
	// stay where a rule would have taken their place.
	if (tag == kTagHR && text->CurrentList() != nullptr)
		return;
	// A picture that cannot be shown reports itself and leaves the text as
	// it was: not cut at the caret, the selected words kept. The element
	// made to find out holds the decoded picture for the one inserted.
	std::unique_ptr<WImage> probe;
	if (tag == kTagIMG && ref != nullptr) {
		bool usable = false;
		probe.reset(new WImage(ref, text, nullptr, this, &usable, nullptr));
		if (!usable)
			return;
	}
	int32 start, end;
	text->GetSelection(&start, &end);
	// A style or a link applied to selected words keeps them: they become
	// the text of the new pair. Anything else takes the selection's place.
	std::string kept;
	if (start < end) {
		ClearRange();
		if (IsStylePairTag(tag, nullptr) || tag == kTagA)
			kept.assign(text->Text() + start, end - start);
		text->Delete(start, end);
	}
	int32 caret = start;
	int32 length = text->TextLength();
	WYSIWYG_Element* after;
	WText* split = nullptr;
	if (caret == 0) {
		if (text == first || length == 0) {
			split = SplitText(text, 0, true);
			after = text;
		} else
			after = text->previous;
	} else if (caret >= length) {
		if (text->next == nullptr)
			split = SplitText(text, length, true);
		after = text;
	} else {
		split = SplitText(text, caret, false);
		after = text;
	}
	// Laying the split out may have taken the text into the one before it
	// (an empty text beside another): the insertion goes after whatever
	// comes before the piece split off now.
	if (split != nullptr && after == text && split->previous != text)
		after = split->previous;
	if (after == nullptr)
		after = first;
	WYSIWYG_Element* inserted = InsertAt(after, tag, ref);
	WText* made = dynamic_cast<WText*>(inserted);
	// Nothing went in after all, but the selection is gone: the text is
	// narrower now.
	if (inserted == nullptr && start < end)
		PlaceText(text);
	// The split kept the piece apart while the insertion went in; from now
	// on the layout may join it again, as a whole layout would: at once
	// where a text (plain text just inserted, or the text itself when
	// nothing was) still comes right before it.
	if (split != nullptr) {
		SetDontJoin(split, false);
		if (split->previous != nullptr
			&& dynamic_cast<WText*>(split->previous) != nullptr)
			Place(split->previous, false);
	}
	if (made != nullptr && !kept.empty()) {
		made->Insert(0, kept.data(), kept.size());
		made->Select(0, made->TextLength());
		PlaceText(made);
	}
}

WText*
WYSIWYG_Engine::_FocusedText()
{
	if (window == nullptr)
		return nullptr;
	return dynamic_cast<WText*>(Element(window->CurrentFocus()));
}

void
WYSIWYG_Engine::PlaceText(WText* text)
{
	if (text == nullptr || (text != first && text->previous == nullptr))
		return;
	WYSIWYG_Element* before = text->previous;
	if (before == nullptr)
		Place(text, false);
	else {
		Place(before, false);
		// A text behind a hard break or at the end of an indented block
		// is not reached from the line before it.
		bool linked = text == first || text->previous != nullptr;
		if (linked && (before->BreakAfter() != 0
				|| (before->LeftMargin() != 0 && text->LeftMargin() == 0)))
			Place(text, false);
	}
	ResetScrollRange();
}

void
WYSIWYG_Engine::Copy(int32)
{
	if (WText* text = _FocusedText())
		text->Copy(be_clipboard);
}

// Cut, Paste and Undo change the text: its line is laid out again and the
// caret kept in view. A selection across elements is over.
void
WYSIWYG_Engine::Cut()
{
	WText* text = _FocusedText();
	if (text == nullptr)
		return;
	ClearRange();
	text->Cut(be_clipboard);
	PlaceText(text);
	text->ScrollToSelection();
}

void
WYSIWYG_Engine::PasteAtCursor()
{
	WText* text = _FocusedText();
	if (text == nullptr)
		return;
	ClearRange();
	text->Paste(be_clipboard);
	PlaceText(text);
	text->ScrollToSelection();
}

void
WYSIWYG_Engine::Undo()
{
	WText* text = _FocusedText();
	if (text == nullptr)
		return;
	ClearRange();
	text->Undo(be_clipboard);
	PlaceText(text);
	text->ScrollToSelection();
}
