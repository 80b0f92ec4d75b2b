#include "WText.h"

#include <Autolock.h>
#include <Font.h>
#include <Message.h>
#include <Window.h>

#include <cctype>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "Alerts.h"
#include "Page.h"
#include "WYSIWYG_Engine.h"

namespace {

// The font a new text starts in: its predecessor's, else the page's plain one.
const BFont*
InitialFont(WYSIWYG_Element* previous, WYSIWYG_Engine* engine)
{
	if (previous != nullptr && previous->environment->font != nullptr)
		return previous->environment->font;
	if (engine != nullptr && engine->page != nullptr)
		return engine->page->plainFont;
	return be_plain_font;
}

const rgb_color*
InitialColor(WYSIWYG_Engine* engine)
{
	if (engine != nullptr && engine->page != nullptr)
		return engine->page->textColor;
	return nullptr;
}

inline bool
IsWhite(char c)
{
	return isspace((unsigned char)c) != 0;
}

// A tail at least this wide is not measured when it is moved to a new text:
// its width is estimated from the widths of the whole and the head (see
// WText::MoveTail). Such a tail is wider than any line by far, whichever
// way the width is summed, and it is cut again on the next line.
const double kEstimatedWidth = 262144.0;
// A text whose width was estimated is measured after all when it is
// offered a line this wide, or when not even its first byte fits, as it
// may keep its width then (see JoinSplit).
const float kWidestLine = 65536.0f;

// The spellings this program writes for the bytes it escapes; read back as
// those bytes, so that its own output reads back into the same text.
struct Escape {
	const char* spelling;
	size_t length;
	char byte;
};
const Escape kEscapes[] = {
	{ "&lt;", 4, '<' },
	{ "&gt;", 4, '>' },
	{ "&amp;", 5, '&' },
	{ "&nbsp;", 6, kNonBreakingSpace },
};

// The bytes ReadPageText() changes: the "&" of a reference and the two
// marking bytes.
const char kHeldAsReference[] = { '&', kNonBreakingSpace, kReferenceMark, '\0' };

// Page text as the text element holds it: the program's own escapes become
// their bytes, every other "&" the reference mark, so that whatever follows
// it (a named or numeric reference, a legacy one without ";", a lone "&") is
// written back as it was read. The two marking bytes cannot stand for
// themselves in the text: where the page has them they are held as numeric
// references to themselves. Raw text (XMP, PLAINTEXT) holds no references
// and is taken as it is (see Read()).
std::vector<char>
ReadPageText(const char* text)
{
	size_t length = strlen(text);
	std::vector<char> out;
	out.reserve(length + 1);
	for (size_t i = 0; i < length; i++) {
		char c = text[i];
		if (c == '&') {
			bool escaped = false;
			for (const Escape& escape : kEscapes) {
				if (strncmp(text + i, escape.spelling, escape.length) == 0) {
					out.push_back(escape.byte);
					i += escape.length - 1;
					escaped = true;
					break;
				}
			}
			if (!escaped)
				out.push_back(kReferenceMark);
		} else if (c == kNonBreakingSpace || c == kReferenceMark) {
			const char* reference = c == kNonBreakingSpace ? "#15;" : "#26;";
			out.push_back(kReferenceMark);
			out.insert(out.end(), reference, reference + 4);
		} else
			out.push_back(c);
	}
	out.push_back('\0');
	return out;
}

}	// namespace

WText::WText(WYSIWYG_Element* previous, WYSIWYG_Element* next,
	WYSIWYG_Engine* engine, BMessage* archive)
	:
	BTextView(BRect(0, 0, 1, 1), nullptr, BRect(0, 0, 1, 1),
		InitialFont(previous, engine), InitialColor(engine), B_FOLLOW_NONE,
		B_WILL_DRAW | B_PULSE_NEEDED | B_FRAME_EVENTS | B_NAVIGABLE
			| B_FULL_UPDATE_ON_RESIZE),
	WYSIWYG_Element(previous, next, engine, 7),
	leadingSpaceShown(false),
	underline(false),
	fSingleSpaced(true),
	fRunWidthKnown(false),
	fWidthEstimated(false),
	fEdits(0),
	fRunWidth(0)
{
	Page* page = GetPage();
	if (page != nullptr && page->backgroundColor != nullptr) {
		SetViewColor(*page->backgroundColor);
		SetLowColor(*page->backgroundColor);
	}
	MakeResizable(true, nullptr);
	SetWordWrap(false);
	SetStylable(false);
	SetDoesUndo(true);

	Do();
	// A text mostly looks like what stands before it: it takes that
	// environment now rather than at the next walk, so that a page being
	// read does not hold a copy per text until then (copies that, freed
	// between the texts later, would leave the heap full of holes).
	ShareEnvironment();

	const char* className = nullptr;
	if (archive != nullptr && archive->FindString("class", &className) == B_OK
		&& strcmp(className, "WText") == 0) {
		const char* text = nullptr;
		if (archive->FindString("text", &text) == B_OK)
			SetText(text);
	}

	Hide();
	ResizeTo(TextWidth(), FontHeight());
}

WText::~WText()
{
}

float
WText::TextWidth()
{
	BFont* font = environment->font;
	if (font == nullptr)
		return 5.0;
	const char* text = Text();
	int32 length = TextLength();
	float width = font->StringWidth(text, length) + 5.0;
	// Tabs are only kept in preformatted text. The font gives them no width
	// while the view draws each one up to its next tab stop, which is never
	// more than one tab width on: counting a whole tab width per tab keeps
	// the drawn text inside the frame wherever a tab falls, and is exact
	// for the leading tabs that indent a listing.
	const char* tab = (const char*)memchr(text, '\t', length);
	while (tab != nullptr) {
		width += TabWidth();
		tab = (const char*)memchr(tab + 1, '\t', length - (tab + 1 - text));
	}
	return width;
}

float
WText::FontHeight()
{
	BFont* font = environment->font;
	if (font == nullptr)
		return 0;
	font_height height;
	font->GetHeight(&height);
	return height.ascent + height.descent + height.leading;
}

float
WText::CharWidth(int32 offset, int32* end)
{
	*end = NextCharacter(offset);
	BFont* font = environment->font;
	if (font == nullptr || *end <= offset)
		return 0;
	if (ByteAt(offset) == '\t')
		return TabWidth();
	return font->StringWidth(Text() + offset, *end - offset);
}

void
WText::ByteWidths(float widths[256])
{
	environment->font->GetByteWidths(widths);
	widths[(uint8)'\t'] = TabWidth();
}

void
WText::_FitSize()
{
	float width = TextWidth();
	float height = FontHeight();
	// The kit keeps views on whole pixels.
	BRect bounds = Bounds();
	if (bounds.Width() != std::floor(width + 0.5f)
		|| bounds.Height() != std::floor(height + 0.5f))
		ResizeTo(width, height);
	fWidthEstimated = false;
}

void
WText::SizeToText()
{
	ResizeTo(TextWidth(), FontHeight());
	fWidthEstimated = false;
}

double
WText::_RunWidth(int32 length, const float* widths)
{
	// Stops at a zero byte, as StringWidth() does.
	const char* bytes = Text();
	double width = 0;
	int32 i = 0;
	while (i < length && bytes[i] != '\0') {
		float byteWidth = widths[(uint8)bytes[i]];
		if (byteWidth != B_LONGER_CHARACTER) {
			width += byteWidth;
			i++;
		} else {
			int32 end;
			width += CharWidth(i, &end);
			i = end > i ? end : i + 1;
		}
	}
	return width;
}

// Moving the tail through Insert() and Delete() copies it, passes it through
// the insertion rule and measures it: a long run cut line by line would cost
// the square of its length. Here the kit hands the tail's bytes over as they
// lie. The rule would leave them unchanged: a text that holds no white space
// but single spaces (fSingleSpaced) is its own result under the rule, and so
// is any piece of it.
//
// The tail's width is measured as StringWidth() would (that is the view's
// width the old way) unless it is at least kEstimatedWidth wide and has a
// white space after its first byte and before its last. Then it is the whole
// less the head, summed in double precision. StringWidth() sums in single
// precision and comes out a little different for such widths, but both are
// far wider than any line, so the layout decides alike: such a tail does not
// fit beside the head, and as the first text of the next line it is cut at a
// white space again, so the estimate does not last. JoinSplit() measures it
// in the cases where it could stay whole after all.
bool
WText::MoveTail(int32 position, WText* into)
{
	int32 length = TextLength();
	BFont* font = environment->font;
	if (!fSingleSpaced || into == nullptr || into == this
		|| into->TextLength() != 0 || font == nullptr
		|| into->environment->font != font
		|| position <= 0 || position >= length)
		return false;

	float widths[256];
	ByteWidths(widths);
	// Costs nothing after an earlier cut: the kit's gap is at either end.
	const char* text = Text();
	double whole = fRunWidthKnown ? fRunWidth : _RunWidth(length, widths);
	double head = _RunWidth(position, widths);
	double rest = whole - head;
	const char* tail = text + position;
	int32 tailLength = length - position;
	bool estimate = false;
	if (rest >= kEstimatedWidth) {
		// A white space at the very end gives no cut.
		for (int32 i = 1; i < tailLength - 1; i++) {
			if (IsWhite(tail[i])) {
				estimate = true;
				break;
			}
		}
	}
	float tailWidth = estimate ? (float)rest : font->StringWidth(tail, tailLength);

	if (!BPrivate::move_text_tail(this, position, into, tailWidth))
		return false;
	into->fSingleSpaced = true;
	fRunWidth = head;
	fRunWidthKnown = true;
	into->fRunWidth = rest;
	into->fRunWidthKnown = true;
	SizeToText();
	into->ResizeTo(tailWidth + 5.0, into->FontHeight());
	into->fWidthEstimated = estimate;
	return true;
}

int
WText::Read(char* text)
{
	BWindow* window = Window();
	bool locked = window != nullptr && window->Lock();

	if (text == nullptr || text[0] == '\0')
		SetText("");
	else if (environment->preformatted == kRawText
		|| strpbrk(text, kHeldAsReference) == nullptr) {
		// Most runs of a page hold nothing to decode: no copy then.
		SetText(text);
	} else {
		std::vector<char> decoded = ReadPageText(text);
		SetText(&decoded[0]);
	}

	if (locked)
		window->Unlock();
	return 0;
}

void
WText::HTML()
{
	int32 length = TextLength();
	const char* text = Text();
	int32 from = 0;
	int32 to = length;
	std::string out;
	if (!leadingSpace.empty()) {
		if (!leadingSpaceShown)
			out += leadingSpace.c_str();
		else if (length > 0 && text[0] == ' ') {
			out += leadingSpace.c_str();
			from = 1;
		}
	}
	bool trailing = !trailingSpace.empty() && to > from && text[to - 1] == ' ';
	if (trailing)
		to--;
	if (out.empty() && from >= to && !trailing)
		return;

	out.reserve(out.size() + (to - from) + 16);
	// Taking out what lay between two blanks leaves them side by side
	// (the insertion rule only keeps typed and pasted text single spaced).
	// A browser shows them as one, and so does this editor once the page
	// is read again: they are written as one, so that the page reads back
	// as it was written.
	bool flowing = environment->preformatted == kFlowingText;
	if (environment->preformatted == kRawText)
		out.append(text + from, to - from);
	else {
		for (int32 i = from; i < to; i++) {
			if (flowing && text[i] == ' ' && i > from && text[i - 1] == ' ')
				continue;
			switch (text[i]) {
				case '&':
					out += "&amp;";
					break;
				case '<':
					out += "&lt;";
					break;
				case '>':
					out += "&gt;";
					break;
				case kNonBreakingSpace:
					out += "&nbsp;";
					break;
				case kReferenceMark:
					out += '&';
					break;
				default:
					out += text[i];
			}
		}
	}
	if (trailing)
		out += trailingSpace.c_str();
	Page* page = GetPage();
	if (page != nullptr)
		page->InsertHTML(out.c_str(), false, false);
}

void
WText::Archive(BMessage* archive)
{
	if (archive == nullptr)
		return;
	archive->AddString("class", "WText");
	archive->AddString("text", Text());
}

void
WText::Do()
{
	WYSIWYG_Element::Do();
	// The font may have changed.
	fRunWidthKnown = false;
	BFont* font = environment->font;
	// Tab stops every eight blanks, as browsers place them. A text made
	// while a line is cut or an element inserted is measured before it is
	// in the window: its tabs must count as they will when it is shown.
	if (font != nullptr) {
		float tabWidth = 8 * font->StringWidth(" ", 1);
		if (TabWidth() != tabWidth)
			SetTabWidth(tabWidth);
	}
	if (!LockLooper())
		return;

	int32 start, end;
	GetSelection(&start, &end);
	int32 length = TextLength();
	if (start == length && length > 0)
		Select(length - 1, length - 1);
	else
		Select(length, length);
	Select(start, end);

	rgb_color* color = environment->color;
	if (font != nullptr)
		SetFontAndColor(font, B_FONT_ALL, color);
	if (color != nullptr)
		SetHighColor(*color);
	Page* page = GetPage();
	if (page != nullptr && page->backgroundColor != nullptr) {
		SetViewColor(*page->backgroundColor);
		SetLowColor(*page->backgroundColor);
	}
	underline = environment->underlined;

	SizeToText();
	// Drawn at once: the view repaints its whole bounds.
	if (!IsHidden())
		Invalidate(Bounds());
	UnlockLooper();
}

void
WText::InsertText(const char* text, int32 length, int32 offset,
	const text_run_array* runs)
{
	fEdits++;
	// A text of another width: its line is laid out again.
	if (engine != nullptr)
		engine->MarkUnplaced(this);
	int32 textLength = TextLength();
	bool preformatted = environment->preformatted != kFlowingText;
	// Whatever the rule inserts into an empty text is single spaced, and
	// it keeps a single spaced text so (it joins no two white spaces).
	// Preformatted text keeps its blanks as they come.
	if (textLength == 0 || preformatted)
		fSingleSpaced = !preformatted;
	fRunWidthKnown = false;
	int32 start, end;
	GetSelection(&start, &end);
	if (end > textLength)
		Select(textLength, textLength);
	if (offset > textLength)
		offset = textLength;
	if (offset < 0)
		offset = 0;

	if (preformatted) {
		// Blanks and tabs stay; a line end (its own element where the page
		// is read) becomes a blank, as the text view holds one line.
		std::vector<char> kept(text, text + (length > 0 ? length : 0));
		for (char& c : kept) {
			if (c == '\n' || c == '\r')
				c = ' ';
		}
		if (!kept.empty())
			BTextView::InsertText(&kept[0], kept.size(), offset, runs);
		ResizeToPreferred();
		return;
	}

	bool whiteBefore = offset - 1 >= 0 && IsWhite(ByteAt(offset - 1));
	bool whiteAt = offset < textLength && IsWhite(ByteAt(offset));

	// Text whose only white space is single blanks is its own result (a
	// page's runs mostly are): it goes in as it is, without a copy.
	bool singleBlanks = true;
	for (int32 i = 0; i < length && singleBlanks; i++) {
		if (IsWhite(text[i]) && (text[i] != ' ' || (i > 0 && text[i - 1] == ' ')))
			singleBlanks = false;
	}
	const char* bytes = text;
	size_t size = length > 0 ? size_t(length) : 0;
	std::vector<char> result;
	if (!singleBlanks) {
		result.reserve(size);
		bool inWhite = false;
		for (int32 i = 0; i < length; i++) {
			if (IsWhite(text[i])) {
				if (!inWhite)
					result.push_back(' ');
				inWhite = true;
			} else {
				result.push_back(text[i]);
				inWhite = false;
			}
		}
		bytes = result.data();
		size = result.size();
	}
	size_t from = 0;
	if (whiteBefore && size > 0 && bytes[0] == ' ')
		from = 1;
	size_t to = size;
	if (whiteAt) {
		while (to > from && bytes[to - 1] == ' ')
			to--;
	}

	if (to > from)
		BTextView::InsertText(bytes + from, to - from, offset, runs);
	ResizeToPreferred();
}

void
WText::DeleteText(int32 start, int32 finish)
{
	if (start < finish) {
		fEdits++;
		if (engine != nullptr)
			engine->MarkUnplaced(this);
		int32 length = TextLength();
		int32 from = start < 0 ? 0 : start;
		int32 to = finish > length ? length : finish;
		// Deleting what lies between two white spaces makes them neighbours.
		if (from < to && from > 0 && to < length && IsWhite(ByteAt(from - 1))
			&& IsWhite(ByteAt(to)))
			fSingleSpaced = false;
		fRunWidthKnown = false;
		BTextView::DeleteText(start, finish);
		if (TextLength() == 0)
			fSingleSpaced = true;
	} else {
		error("Internal error: DeleteText(int32 start, int32 finish) - "
			"start must be < finish");
	}
	ResizeToPreferred();
}

void
WText::GetPreferredSize(float* width, float* height)
{
	if (width != nullptr)
		*width = TextWidth();
	if (height != nullptr)
		*height = FontHeight();
}

void
WText::ResizeToPreferred()
{
	_FitSize();
}

void
WText::AttachedToWindow()
{
	// Colours and font come from Do(); the text view's own set-up would
	// replace them with the window's.
}

BRect
WText::WFrame()
{
	return LockedFrame(this);
}

BRect
WText::WBounds()
{
	return LockedBounds(this);
}

BView*
WText::View()
{
	return this;
}

bool
WText::Splitable()
{
	return true;
}

void
WText::Placed()
{
	if (!LockLooper())
		return;
	if (IsHidden())
		Show();
	UnlockLooper();
}

void
WText::Draw(BRect update)
{
	FillRect(update, B_SOLID_LOW);
	BTextView::Draw(update);
	if (selected) {
		BRect frame = Bounds();
		frame.right -= 5.0;
		StrokeRect(frame, B_SOLID_HIGH);
	}
	if (underline) {
		BRect frame = Frame();
		float y = frame.bottom - frame.top - 1.0;
		float width = TextWidth() - 5.0;
		StrokeLine(BPoint(0, y), BPoint(width, y), B_SOLID_HIGH);
	}
}

void
WText::MouseMoved(BPoint where, uint32 code, const BMessage* dragMessage)
{
	BTextView::MouseMoved(where, code, dragMessage);
}

void
WText::Cut(BClipboard* clipboard)
{
	BTextView::Cut(clipboard);
	if (Page* page = GetPage())
		page->NotSaved();
}

void
WText::Paste(BClipboard* clipboard)
{
	BTextView::Paste(clipboard);
	if (Page* page = GetPage())
		page->NotSaved();
}

void
WText::Undo(BClipboard* clipboard)
{
	BTextView::Undo(clipboard);
	if (Page* page = GetPage())
		page->NotSaved();
}

int32
CountCharsFit(WText* text, float width, float* left)
{
	BFont* font = text->environment->font;
	if (left != nullptr)
		*left = width;
	if (font == nullptr)
		return 0;
	float widths[256];
	text->ByteWidths(widths);
	const char* bytes = text->Text();
	int32 length = text->TextLength();
	float remaining = width;
	int32 i = 0;
	int32 last = 0;
	while (i < length && remaining > 0) {
		last = i;
		float byteWidth = widths[(uint8)bytes[i]];
		if (byteWidth != B_LONGER_CHARACTER) {
			remaining -= byteWidth;
			i++;
		} else {
			int32 end;
			remaining -= text->CharWidth(i, &end);
			i = end > i ? end : i + 1;
		}
	}
	// The last character did not fit.
	if (remaining < 0)
		i = last;
	if (left != nullptr)
		*left = remaining;
	return i;
}

int32
WText::_PullCount(WText* following, float width)
{
	int32 nextLength = following->TextLength();
	const char* nextText = following->Text();
	int32 ownLength = TextLength();
	// After this text's white space the insertion rule drops the white
	// space the next one begins with (flowing text): that byte takes no
	// room once the two are one, and a cut right after it cuts where this
	// text ends.
	bool dropsFirst = ownLength > 0
		&& environment->preformatted == kFlowingText
		&& IsWhite(Text()[ownLength - 1]) && IsWhite(nextText[0]);
	float dropped = 0;
	if (dropsFirst) {
		float widths[256];
		following->ByteWidths(widths);
		dropped = widths[(uint8)nextText[0]];
	}
	// The line keeps a text whose view, the text's width and the caret
	// allowance on whole pixels, is at most width + 5 wide: the two as one
	// are measured as the view would be. The views' widths tell at once
	// when that cannot be (each is within half a pixel of its text's), so
	// a long text after this one is not measured to the end.
	float room = width + 5;
	float ownView = WBounds().right - WBounds().left;
	BRect nextBounds = following->WBounds();
	if (ownView + (nextBounds.right - nextBounds.left) - 6 - dropped
			< room + 0.5f) {
		float joined = TextWidth() + following->TextWidth() - 5 - dropped;
		if (std::floor(joined + 0.5f) <= room)
			return nextLength;
	}
	// Otherwise the cut a split makes: after the last white space among the
	// bytes that fit into width, when that is in the text after this one.
	float left;
	if (CountCharsFit(this, width, &left) < ownLength)
		return 0;
	int32 n = CountCharsFit(following, left + dropped);
	// A split never cuts before a text's first byte.
	int32 lowest = ownLength > 0 && !dropsFirst ? 0 : 1;
	for (int32 i = n < nextLength ? n : nextLength - 1; i >= lowest; i--) {
		if (IsWhite(nextText[i]))
			return i + 1;
	}
	return 0;
}

WYSIWYG_Element*
WText::JoinSplit(float width, bool force)
{
	// An estimated width that could last is measured: the first text of a
	// line stays whole on it when not even its first byte fits.
	int32 firstEnd;
	if (fWidthEstimated && (width >= kWidestLine || (force
			&& TextLength() > 0 && CharWidth(0, &firstEnd) > width))) {
		if (LockLooper()) {
			SizeToText();
			UnlockLooper();
		}
	}
	if (TextLength() > 0 && CharWidth(0, &firstEnd) > width)
		return nullptr;

	BRect bounds = WBounds();
	if (bounds.right - bounds.left - 5.0 > width) {
		// Too long: split after the last space that still fits.
		int32 n = CountCharsFit(this, width);
		const char* text = Text();
		int32 length = TextLength();
		int32 k = -1;
		for (int32 i = n < length ? n : length - 1; i >= 1; i--) {
			if (IsWhite(text[i])) {
				k = i;
				break;
			}
		}
		if (k < 0) {
			if (!force)
				return nullptr;
			for (int32 i = n + 1; i < length; i++) {
				if (IsWhite(text[i])) {
					k = i;
					break;
				}
			}
			if (k < 0)
				return nullptr;
		}
		if (engine == nullptr)
			return nullptr;
		WText* added = engine->SplitText(this, k + 1, false);
		if (added != nullptr)
			engine->SetDontJoin(added, false);
		engine->ResetScrollRange();
		return added;
	}

	// It fits: pull words back from the text after it, as many as a cut of
	// the two as one text would leave here. Measured alike, a line laid
	// out again keeps what it pulled, and its pieces end where a whole
	// text would.
	while (true) {
		WText* following = dynamic_cast<WText*>(next);
		if (following == nullptr || following->dontJoin || engine == nullptr)
			return nullptr;
		int32 nextLength = following->TextLength();
		if (nextLength == 0) {
			// An empty text that holds the page's white space stays.
			if (following->HasPageSpace())
				return nullptr;
			engine->Delete(following);
			continue;
		}
		int32 count = _PullCount(following, width);
		if (count <= 0)
			return nullptr;
		engine->JoinText(this, count);
		// A whole text that came over is gone: the one after it may fit
		// too, and leaving it would keep a piece of its own (with a caret
		// allowance as a gap before it) that a layout of the whole page
		// would join.
		if (count < nextLength || next == following)
			return nullptr;
	}
}
