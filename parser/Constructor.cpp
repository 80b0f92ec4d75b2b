/*
 * The element factory: one tag text becomes one element.
 */
#include "Parser.h"

#include <stdlib.h>
#include <string.h>

#include <Window.h>

#include "Anchor.h"
#include "EndLine.h"
#include "Functions.h"
#include "HorizontalLine.h"
#include "List_Element.h"
#include "Page.h"
#include "TextChange.h"
#include "UnsupportedTAG.h"
#include "WImage.h"
#include "WYSIWYG_View.h"
#include "WYSIWYG_Element.h"
#include "WYSIWYG_Engine.h"
#include "WYSIWYG_View.h"


static bool
IsStyleTag(int tag)
{
	switch (tag) {
		case 6: case 10: case 11: case 15: case 16: case 17: case 21: case 26:
		case 32: case 33: case 34: case 35: case 36: case 37:
		case 42: case 47: case 64: case 67: case 71: case 73: case 74: case 84:
		case 86: case 88:
			return true;
		default:
			return false;
	}
}


WYSIWYG_Element*
Parser::Constructor(WYSIWYG_Element* previous, const char* tagText, Page* page)
{
	WYSIWYG_Engine* engine = page != nullptr ? page->Engine() : nullptr;
	if (tagText == nullptr || engine == nullptr)
		return nullptr;

	long id = tagText[0] == '/' ? -Comp(tagText + 1) : Comp(tagText);
	long tag = labs(id);
	// Synonyms keep the sign of the tag they stand for. MENU and DIR are
	// shown as OL but written back under their own names.
	long written = tag;
	if (tag == kTagMENU || tag == kTagDIR)
		tag = kTagOL;
	else if (tag == kTagBOLD)
		tag = kTagB;
	if (id != 0)
		id = id < 0 ? -tag : tag;

	BWindow* window = engine->window;
	bool locked = window != nullptr && window->Lock();

	WYSIWYG_Element* element;
	if (tag == kTagBR)
		element = new EndLine(kBreakLine, previous, nullptr, engine, nullptr);
	else if (tag == kTagP)
		element = new EndLine(kParagraphLine, previous, nullptr, engine, nullptr);
	else if (IsStyleTag(tag))
		element = new TextChange(id, previous, nullptr, engine, nullptr);
	else if (tag == kTagHR)
		element = new HorizontalLine(previous, nullptr, engine, nullptr);
	else if (tag == kTagIMG && id > 0) {
		bool usable = false;
		WImage* image = new WImage(nullptr, previous, nullptr, engine, &usable,
			nullptr);
		engine->view->AddChild(image);
		element = image;
	} else if (tag == kTagA)
		element = new Anchor(id > 0, previous, nullptr, engine, nullptr);
	else if (tag == kTagUL || tag == kTagOL || tag == kTagDL) {
		long type = tag == kTagDL ? kDefinitionList
			: tag == kTagOL ? kOrderedList : kUnorderedList;
		List* list = new List(id > 0, type, previous, nullptr, engine, nullptr);
		list->tag = written;
		element = list;
	} else if ((tag == kTagLI || tag == kTagDT || tag == kTagDD) && id > 0) {
		// An item keeps the tag it was read with. A closing item tag starts
		// no item: it is kept as it was written, below.
		List_Element* item = new List_Element(previous, nullptr, engine,
			nullptr, tag);
		engine->view->AddChild(item);
		element = item;
	} else {
		// Everything else, and a closing </IMG> (which shows nothing), is
		// kept verbatim.
		element = new UnsupportedTAG(previous, nullptr, engine, nullptr);
		char* text = newtext(tagText);
		element->Read(text);
		delete[] text;
	}

	if (locked)
		window->Unlock();
	return element;
}
