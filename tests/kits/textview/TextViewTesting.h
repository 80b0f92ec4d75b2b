// Shared parts of the text view tests: a filtering subclass like the
// editor's text elements, a real window to put it in, and real key and
// mouse messages dispatched by that window.
#ifndef TEXT_VIEW_TESTING_H
#define TEXT_VIEW_TESTING_H

#include <AppDefs.h>
#include <EventLoop.h>
#include <HostClipboard.h>
#include <InterfaceDefs.h>
#include <Message.h>
#include <TextView.h>
#include <Window.h>

#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>
#include <utility>
#include <vector>

#include "../interface/InterfaceTestSupport.h"
#include "KitInput.h"

// Drops line ends as the editor's one-line text elements drop white space,
// and records every call of the hooks.
class FilteringTextView : public BTextView {
public:
	struct Call {
		bool insert;
		int32 offset;		// insert: offset; delete: from
		int32 end;			// delete: to
		std::string bytes;	// insert: the bytes offered to the hook
	};

	FilteringTextView(BRect frame, bool dropLineEnds = true)
		:
		BTextView(frame, "filtered", BRect(0, 0, frame.Width(), frame.Height()),
			B_FOLLOW_ALL, B_WILL_DRAW | B_NAVIGABLE),
		fDropLineEnds(dropLineEnds)
	{
	}

	std::vector<Call> calls;

	int32 CountInserts() const
	{
		int32 count = 0;
		for (const Call& call : calls)
			count += call.insert ? 1 : 0;
		return count;
	}

	// The calls since the last time, "+offset:bytes" for an insertion and
	// "-from:to" for a deletion, and forgets them.
	std::string TakeCalls()
	{
		std::string text;
		for (const Call& call : calls) {
			if (!text.empty())
				text += " | ";
			text += call.insert
				? "+" + std::to_string(call.offset) + ":" + call.bytes
				: "-" + std::to_string(call.offset) + ":" + std::to_string(call.end);
		}
		calls.clear();
		return text;
	}

protected:
	void InsertText(const char* text, int32 length, int32 offset,
		const text_run_array* runs) override
	{
		calls.push_back(Call{true, offset, 0, std::string(text, length)});
		std::string kept;
		for (int32 i = 0; i < length; i++) {
			if (!fDropLineEnds || text[i] != '\n')
				kept += text[i];
		}
		BTextView::InsertText(kept.data(), (int32)kept.size(), offset, runs);
	}

	void DeleteText(int32 from, int32 to) override
	{
		calls.push_back(Call{false, from, to, std::string()});
		BTextView::DeleteText(from, to);
	}

private:
	bool fDropLineEnds;
};


// A shown window holding one view that has the focus.
class TextWindow {
public:
	explicit TextWindow(BView* view, BRect frame = BRect(100, 100, 499, 399))
		:
		fWindow(new BWindow(frame, "Text", B_TITLED_WINDOW, 0))
	{
		fWindow->Lock();
		fWindow->AddChild(view);
		view->MakeFocus(true);
		fWindow->Show();
		fWindow->Unlock();
		Dispatch();
	}

	~TextWindow()
	{
		if (fWindow->Lock())
			fWindow->Quit();
		Dispatch();
	}

	BWindow* Window() const { return fWindow; }

	static void Dispatch() { BPrivate::dispatch_until_idle(); }

	// A key as the host brings it in.
	void Key(const char* bytes, uint32 modifiers = 0, int32 key = 0)
	{
		BMessage message = quillora_test::KeyMessage(bytes, modifiers, key);
		fWindow->PostMessage(&message);
		Dispatch();
	}

	void Type(const char* text)
	{
		for (const char* c = text; *c != '\0'; c++) {
			char bytes[2] = { *c, '\0' };
			Key(bytes);
		}
	}

	// Mouse messages carry window coordinates, as the host gives them.
	void Mouse(uint32 what, BView* view, BPoint where, int32 clicks = 1,
		uint32 modifiers = 0)
	{
		BMessage message = quillora_test::MouseMessage(fWindow, what, view, where,
			clicks, modifiers);
		fWindow->PostMessage(&message);
		Dispatch();
	}

	// A press and its release at one place.
	void Click(BView* view, BPoint where, int32 clicks = 1, uint32 modifiers = 0)
	{
		Mouse(B_MOUSE_DOWN, view, where, clicks, modifiers);
		Mouse(B_MOUSE_UP, view, where, clicks, modifiers);
	}

private:
	BWindow* fWindow;
};


// What the tests compare. The tests dispatch every window's messages on
// their own thread, so they read a view between dispatches without its
// window's lock.
inline std::string
text_of(const BTextView* view)
{
	return std::string(view->Text(), view->TextLength());
}

typedef std::pair<int32, int32> Selection;

inline Selection
selection_of(const BTextView* view)
{
	int32 start;
	int32 end;
	view->GetSelection(&start, &end);
	return Selection(start, end);
}


// Line starts of a view, for comparing layouts.
inline std::vector<int32>
line_starts(const BTextView* view)
{
	std::vector<int32> starts;
	int32 count = view->CountLines();
	starts.reserve(count);
	for (int32 i = 0; i < count; i++)
		starts.push_back(view->OffsetAt(i));
	return starts;
}


// HTML-like text of about `size` bytes: paragraphs of words of varying
// length between tags, line ends between paragraphs, now and then a word
// longer than any line and a Latin-1 letter. Deterministic.
inline std::string
html_like_text(size_t size, uint32 seed = 1)
{
	static const char* kWords[] = { "the", "page", "editor", "shows", "text",
		"<B>bold</B>", "and", "<A HREF=\"index.html\">links</A>", "caf\xe9",
		"a", "paragraph", "with", "several", "words", "of", "varying",
		"length", "<I>italic</I>", "image", "<IMG SRC=\"x.gif\">", "list" };
	const int kWordCount = sizeof(kWords) / sizeof(kWords[0]);
	std::string text;
	text.reserve(size + 200);
	uint32 state = seed;
	auto next = [&state]() {
		state = state * 1103515245u + 12345u;
		return (state >> 16) & 0x7fff;
	};
	while (text.size() < size) {
		text += "<P>";
		int words = 20 + next() % 120;
		for (int i = 0; i < words; i++) {
			if (next() % 500 == 0)
				text += std::string(120, 'w');		// wider than a line
			else
				text += kWords[next() % kWordCount];
			text += next() % 17 == 0 ? "  " : " ";
		}
		text += "</P>\n";
		if (next() % 4 == 0)
			text += "\n";
	}
	return text;
}

// What the host's clipboard holds (its UTF-8 text).
inline std::string
host_text()
{
	char* bytes = NULL;
	size_t length = 0;
	if (!BPrivate::host_clipboard_get_text(&bytes, &length))
		return "<no text>";
	std::string text(bytes, length);
	free(bytes);
	return text;
}


// Window snapshots read back as pixels.
using test::Pixels;

// The window as drawn after the pending updates.
inline Pixels
snapshot(BWindow* window)
{
	window->Lock();
	window->UpdateIfNeeded();
	Pixels pixels = test::Snapshot(window);
	window->Unlock();
	return pixels;
}


inline bool
is_dark(rgb_color color)
{
	return color.red < 128 && color.green < 128 && color.blue < 128;
}


// Dark pixels in a rectangle of the window (inclusive edges).
inline int32
count_dark(const Pixels& pixels, BRect rect)
{
	int32 count = 0;
	for (int32 y = (int32)rect.top; y <= (int32)rect.bottom && y < pixels.height; y++) {
		for (int32 x = (int32)rect.left; x <= (int32)rect.right && x < pixels.width; x++)
			count += is_dark(pixels.At(x, y)) ? 1 : 0;
	}
	return count;
}


#endif	// TEXT_VIEW_TESTING_H
