#include "HorizontalLine.h"

#include <Message.h>
#include <View.h>

#include <cstring>
#include <string>

#include "Functions.h"
#include "Page.h"
#include "WYSIWYG_Engine.h"
#include "WYSIWYG_View.h"

namespace {

std::unordered_set<HorizontalLine*>&
rules()
{
	static std::unordered_set<HorizontalLine*>* sRules
		= new std::unordered_set<HorizontalLine*>;
	return *sRules;
}

}	// namespace

HorizontalLine::HorizontalLine(WYSIWYG_Element* previous,
	WYSIWYG_Element* next, WYSIWYG_Engine* engine, BMessage* archive)
	:
	WYSIWYG_Element(previous, next, engine, 7),
	y(0),
	lineTop(0),
	unsupportedOptions(nullptr)
{
	const char* className = nullptr;
	if (archive != nullptr && archive->FindString("class", &className) == B_OK
		&& strcmp(className, "HorizontalLine") == 0) {
		const char* options = nullptr;
		if (archive->FindString("unsupported", &options) == B_OK)
			unsupportedOptions = newtext(options);
	}
	rules().insert(this);
	Do();
}

HorizontalLine::~HorizontalLine()
{
	rules().erase(this);
	delete[] unsupportedOptions;
}

const std::unordered_set<HorizontalLine*>&
HorizontalLine::AllRules()
{
	return rules();
}

int
HorizontalLine::Read(char* options)
{
	WYSIWYG_Engine::ReadUnsupportedTAGOption(&unsupportedOptions, options);
	return 0;
}

void
HorizontalLine::HTML()
{
	std::string tag = "<HR";
	if (unsupportedOptions != nullptr) {
		tag += " ";
		tag += unsupportedOptions;
	}
	tag += ">";
	if (Page* page = GetPage())
		page->InsertHTML(tag.c_str(), false, LineEndAfter(true));
}

void
HorizontalLine::Do()
{
	WYSIWYG_Element::Do();
}

void
HorizontalLine::Archive(BMessage* archive)
{
	if (archive == nullptr)
		return;
	archive->AddString("class", "HorizontalLine");
	if (unsupportedOptions != nullptr)
		archive->AddString("unsupported", unsupportedOptions);
}

void
HorizontalLine::Draw(float where)
{
	if (where < 16.0 || engine == nullptr || engine->view == nullptr)
		return;
	BView* view = engine->view;
	if (!view->LockLooper())
		return;
	// `where` is a place on the page, in the main view's own coordinates,
	// like the frames of the text around the rule: it moves with the page
	// when the view scrolls. A rule outside the visible part is not drawn;
	// the update that scrolls it into view draws it.
	BRect bounds = view->Bounds();
	if (where + 4.0 < bounds.top || where + 2.0 > bounds.bottom) {
		view->UnlockLooper();
		return;
	}
	lineTop = bounds.top;
	y = where;
	float right = bounds.right;
	view->BeginLineArray(3);
	view->AddLine(BPoint(7.0, y + 2.0), BPoint(right - 8.0, y + 2.0),
		make_color(0xAA, 0xAA, 0xAA, 0));
	view->AddLine(BPoint(8.0, y + 3.0), BPoint(right - 9.0, y + 3.0),
		make_color(0xEB, 0xEB, 0xEB, 0));
	view->AddLine(BPoint(8.0, y + 4.0), BPoint(right - 9.0, y + 4.0),
		make_color(0xFF, 0xFF, 0xFF, 0));
	view->EndLineArray();
	view->UnlockLooper();
}

void
HorizontalLine::Erase()
{
	if (engine == nullptr || engine->view == nullptr)
		return;
	BView* view = engine->view;
	if (view->Window() == nullptr)
		return;
	// The band the rule was last drawn in is drawn again by the next
	// update, background picture and whatever now lies there included.
	// Painting it over in the view colour would leave a stripe on a page
	// with a background picture, and would wipe text that has moved into
	// the band since.
	BRect bounds = view->Bounds();
	view->Invalidate(BRect(7.0, y + 2.0, bounds.right - 8.0, y + 4.0));
}
