/*
 * HTML_View: loading the page file, line ends, keys.
 */
#include "HTML_View.h"

#include <Clipboard.h>
#include <File.h>
#include <Window.h>

#include <string>

#include "HWindow.h"
#include "Page.h"
#include "Parser.h"


namespace {

// CR LF pairs become single line feeds; lone CRs stay. Returns whether
// anything changed.
bool
convert_line_ends(const char* text, size_t length, std::string& result)
{
	result.clear();
	result.reserve(length);
	bool changed = false;
	for (size_t i = 0; i < length; i++) {
		if (text[i] == '\r' && i + 1 < length && text[i + 1] == '\n') {
			changed = true;
			continue;
		}
		result += text[i];
	}
	return changed;
}

}	// namespace


HTML_View::HTML_View(BRect frame, Page* owner, HWindow* ownerWindow)
	:
	BTextView(frame, "HTML text view", frame.OffsetToCopy(0, 0),
		B_FOLLOW_ALL_SIDES, B_WILL_DRAW | B_FULL_UPDATE_ON_RESIZE
			| B_FRAME_EVENTS),
	page(owner),
	window(ownerWindow)
{
	SetDoesUndo(true);
}


void
HTML_View::Load()
{
	std::string content;
	BFile* file = page != nullptr ? page->file : nullptr;
	off_t size = 0;
	if (file != nullptr && file->InitCheck() == B_OK
		&& file->GetSize(&size) == B_OK && size > 0) {
		content.resize(size_t(size));
		ssize_t got = file->ReadAt(0, &content[0], size_t(size));
		content.resize(got > 0 ? size_t(got) : 0);
	}

	// The line ends are turned into line feeds before the text goes in:
	// one replacement of the text instead of an edit per line.
	std::string text;
	convert_line_ends(content.data(), content.size(), text);
	if (LockLooper()) {
		SetText(text.data(), int32(text.size()));
		UnlockLooper();
	}
	ProcessEndLines();
	Parser::Parse(page);
	page->Saved();
}


void
HTML_View::ProcessEndLines()
{
	if (!LockLooper())
		return;
	std::string text;
	if (convert_line_ends(Text(), size_t(TextLength()), text))
		SetText(text.data(), int32(text.size()));
	Select(0, 0);
	ScrollToSelection();
	UnlockLooper();
}


void
HTML_View::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes > 0 && page != nullptr)
		page->NotSaved();

	if (numBytes > 0 && bytes[0] == B_INSERT) {
		int32 keyModifiers = 0;
		BMessage* current = Window() != nullptr ? Window()->CurrentMessage()
			: nullptr;
		if (current == nullptr
			|| current->FindInt32("modifiers", &keyModifiers) != B_OK)
			keyModifiers = int32(modifiers());
		if ((keyModifiers & B_CONTROL_KEY) != 0)
			Copy(be_clipboard);
		if ((keyModifiers & B_SHIFT_KEY) != 0)
			Paste(be_clipboard);
		return;
	}
	BTextView::KeyDown(bytes, numBytes);
}
