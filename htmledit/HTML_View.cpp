/*
 * HTML_View: loading the page file, line ends, keys.
 */
#include "HTML_View.h"

#include <Clipboard.h>
#include <File.h>
#include <Window.h>

#include <string.h>

#include <string>

#include "Alerts.h"
#include "HWindow.h"
#include "Page.h"
#include "PageEncoding.h"
#include "Parser.h"


namespace {

bool
has_cr_lf(const char* text, size_t length)
{
	return length > 1 && memmem(text, length, "\r\n", 2) != nullptr;
}


// CR LF pairs become single line feeds; lone CRs stay. Returns whether
// anything changed; when nothing would, result is left empty (a page is
// megabytes long, and most have no CR LF at all).
bool
convert_line_ends(const char* text, size_t length, std::string& result)
{
	result.clear();
	if (!has_cr_lf(text, length))
		return false;
	result.reserve(length);
	for (size_t i = 0; i < length; i++) {
		if (text[i] == '\r' && i + 1 < length && text[i + 1] == '\n')
			continue;
		result += text[i];
	}
	return true;
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
	// The file's bytes go before the page is parsed: the view and the
	// parser hold copies of their own.
	_SetSource(content.data(), content.size());
	std::string().swap(content);
	_ParseSource();
	page->SetSourceEdited(false);
}


void
HTML_View::LoadText(const char* data, size_t length)
{
	_SetSource(data, length);
	_ParseSource();
}


void
HTML_View::_SetSource(const char* data, size_t length)
{
	// The page's encoding is decided here, once, from the file's bytes. A
	// byte-order mark is kept apart and written again in front of the
	// page; a UTF-16 or UTF-32 page becomes UTF-8, which the page then is.
	PageEncoding reading = page_encoding(data, length);
	const char* bytes = data + reading.byteOrderMark;
	length -= size_t(reading.byteOrderMark);
	std::string converted;
	if (reading.unitBytes > 1) {
		wide_to_utf8(bytes, length, reading.unitBytes, reading.bigEndian,
			&converted);
		bytes = converted.data();
		length = converted.size();
	}
	page->SetEncoding(reading.encoding, reading.byteOrderMark > 0);

	// The line ends are turned into line feeds before the text goes in:
	// one replacement of the text instead of an edit per line.
	std::string text;
	if (convert_line_ends(bytes, length, text)) {
		bytes = text.data();
		length = text.size();
	}
	if (LockLooper()) {
		SetText(bytes, int32(length));
		UnlockLooper();
	}
	fWideSource = reading.unitBytes > 1 ? reading.unitBytes : 0;
}


void
HTML_View::_ParseSource()
{
	ProcessEndLines();
	Parser::Parse(page);
	page->Saved();

	if (fWideSource > 1) {
		// The file does not hold the page as it is now.
		alert("This page was written in ",
			fWideSource == 2 ? "UTF-16" : "UTF-32",
			". It has been converted to UTF-8 and will be saved in UTF-8.");
		page->NotSaved();
	}
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


void
HTML_View::InsertText(const char* text, int32 length, int32 offset,
	const text_run_array* runs)
{
	BTextView::InsertText(text, length, offset, runs);
	if (page != nullptr)
		page->SetSourceEdited(true);
}


void
HTML_View::DeleteText(int32 fromOffset, int32 toOffset)
{
	BTextView::DeleteText(fromOffset, toOffset);
	if (page != nullptr)
		page->SetSourceEdited(true);
}
