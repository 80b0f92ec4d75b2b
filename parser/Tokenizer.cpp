/*
 * The tokenizer: the HTML editor's text becomes the page's element chain.
 *
 * The page's head (title, its own META, LINK, BASE, STYLE, SCRIPT and
 * comments) goes to the page; its body begins at the BODY tag, or at the
 * first text that is not blank or the first tag that has no place in a
 * head, as a browser begins it. In the body every tag becomes one element
 * and every run of text between two tags one text element.
 *
 * Nothing of the page is lost on the way: a comment or a processing
 * instruction is one tag whatever it holds; SCRIPT and STYLE keep their
 * content; the text of PRE and its kin keeps its blanks, and each line feed
 * there is an element of its own; white space inside tags is kept as it is;
 * a '<' that cannot begin a tag is text; NUL bytes are dropped. The line
 * break after a tag that ends a line is remembered by the tag rather than
 * read as a blank of the next text, and the white space around a run of
 * text is remembered by its text element, so that the generated document
 * reads back into the same chain.
 */
#include "Parser.h"

#include <ctype.h>
#include <string.h>

#include <View.h>
#include <Window.h>

#include <string>
#include <vector>

#include "EndLine.h"
#include "Functions.h"
#include "HorizontalLine.h"
#include "List_Element.h"
#include "Page.h"
#include "TextChange.h"
#include "UnsupportedTAG.h"
#include "WText.h"
#include "WYSIWYG_Element.h"
#include "WYSIWYG_Engine.h"
#include "WYSIWYG_View.h"


namespace {

const char* kNestedTagError
	= "Error: '<' character was found within the bounds of another HTML tag";
const char* kStrayCloseError
	= "Error: found closing '>', but no opening for it";

// The 16 colour names of HTML and their values.
struct NamedColor {
	const char* name;
	uint8 red, green, blue;
};
const NamedColor kColorNames[] = {
	{ "black", 0, 0, 0 }, { "silver", 0xC0, 0xC0, 0xC0 },
	{ "gray", 0x80, 0x80, 0x80 }, { "white", 0xFF, 0xFF, 0xFF },
	{ "maroon", 0x80, 0, 0 }, { "red", 0xFF, 0, 0 },
	{ "purple", 0x80, 0, 0x80 }, { "fuchsia", 0xFF, 0, 0xFF },
	{ "green", 0, 0x80, 0 }, { "lime", 0, 0xFF, 0 },
	{ "olive", 0x80, 0x80, 0 }, { "yellow", 0xFF, 0xFF, 0 },
	{ "navy", 0, 0, 0x80 }, { "blue", 0, 0, 0xFF },
	{ "teal", 0, 0x80, 0x80 }, { "aqua", 0, 0xFF, 0xFF },
};

inline bool
IsWhite(char c)
{
	return isspace((unsigned char)c) != 0;
}

bool
StartsWithNoCase(const std::string& text, size_t at, const char* prefix)
{
	size_t length = strlen(prefix);
	return text.size() - at >= length
		&& strncasecmp(text.c_str() + at, prefix, length) == 0;
}

// Appends a stretch of the page without the NUL bytes it may hold: they
// end strings everywhere else.
void
AppendWithoutNul(std::string& to, const std::string& text, size_t start,
	size_t end)
{
	while (start < end) {
		const char* nul = (const char*)memchr(text.data() + start, '\0',
			end - start);
		size_t stop = nul != nullptr ? size_t(nul - text.data()) : end;
		to.append(text, start, stop - start);
		start = stop + 1;
	}
}

std::string
WithoutNul(const std::string& text, size_t start, size_t end)
{
	std::string out;
	out.reserve(end - start);
	AppendWithoutNul(out, text, start, end);
	return out;
}

// A quote that nothing after it closes does not hold a tag open (see
// Tokenizer::_TagEnd): the tag ends at its next '>' with the quote still
// open in its text. The quote is closed there, as the tag was read: written
// back open, the tag would run on to the first quote of anything put after
// it (a picture, a link) when the page is read again, and swallow what lies
// between.
void
CloseOpenQuote(std::string& text)
{
	bool afterEquals = false;
	for (size_t i = 0; i < text.size(); i++) {
		char c = text[i];
		if ((c == '"' || c == '\'') && afterEquals) {
			size_t close = text.find(c, i + 1);
			if (close == std::string::npos) {
				text += c;
				return;
			}
			i = close;
			afterEquals = false;
			continue;
		}
		if (c == '=')
			afterEquals = true;
		else if (!IsWhite(c))
			afterEquals = false;
	}
}

// A colour as "#RRGGBB", "RRGGBB" or one of the 16 names, in any case.
bool
ReadColor(const char* value, int* red, int* green, int* blue)
{
	for (const NamedColor& named : kColorNames) {
		if (strcasecmp(value, named.name) == 0) {
			*red = named.red;
			*green = named.green;
			*blue = named.blue;
			return true;
		}
	}
	const char* digits = value[0] == '#' ? value + 1 : value;
	if (strlen(digits) != 6)
		return false;
	for (int i = 0; i < 6; i++) {
		if (!isxdigit((unsigned char)digits[i]))
			return false;
	}
	*red = hexitoa(digits);
	*green = hexitoa(digits + 2);
	*blue = hexitoa(digits + 4);
	return true;
}

// Whether an element ends a line of the page: the layout begins a new line
// at it or after it. The line break that follows such a tag in the page is
// its own, and white space after it is not shown, as in a browser.
bool
EndsLine(WYSIWYG_Element* element)
{
	if (element->BreakBefore() != 0 || element->BreakAfter() != 0)
		return true;
	// A list tag stands on a line of its own (an item breaks before it).
	if (dynamic_cast<HorizontalLine*>(element) != nullptr
		|| dynamic_cast<List*>(element) != nullptr)
		return true;
	TextChange* change = dynamic_cast<TextChange*>(element);
	return change != nullptr && change->IsBlock();
}


class Tokenizer {
public:
	Tokenizer(Page* page, WYSIWYG_Engine* engine, const std::string& source)
		:
		fPage(page),
		fEngine(engine),
		fSource(source),
		fRunStart(0),
		fPrevious(engine->FirstElement()),
		fBodyStarted(false),
		fLineStart(true),
		fLastClose(fSource.rfind('>'))
	{
	}

	void Run();

private:
	size_t _Markup(size_t position);
	size_t _TagEnd(size_t position);
	size_t _RawContentEnd(size_t from, int id);
	size_t _Tag(std::string& text, size_t after);
	size_t _DocumentTag(int id, const std::string& text, size_t after);
	bool _OnlyBlankFollows(size_t position);
	bool _IsHeadTag(int id) const;

	void _Flush(bool atEnd = false);
	void _FlushRun(bool atEnd, bool afterText);
	void _FlushFlowing(const std::string& run);
	void _FlushPreformatted(const std::string& run);
	WText* _AddText(const char* text);
	void _Add(WYSIWYG_Element* element);
	void _StartBody();
	bool _InPreformatted() const
		{ return fPrevious->environment->preformatted != kFlowingText; }
	size_t _TakeLineBreak(size_t position, WYSIWYG_Element* element);

	void _ReadBody(const std::string& text);
	void _ReadTitle(size_t after, size_t* position);

	Page* fPage;
	WYSIWYG_Engine* fEngine;
	const std::string& fSource;
	// Where the text not yet read into fRun begins, and the text run read
	// so far (a run goes on across the editor's own document tags).
	size_t fRunStart;
	std::string fRun;
	// The text a run hands its text element (kept for its room).
	std::string fBody;
	WYSIWYG_Element* fPrevious;
	bool fBodyStarted;
	// The next text begins a line of the page.
	bool fLineStart;
	// Where the text's last '>' is (npos without one).
	size_t fLastClose;
};


void
Tokenizer::Run()
{
	size_t length = fSource.size();
	size_t position = 0;
	while (position < length) {
		char c = fSource[position];
		if (c == '<' && position + 1 < length) {
			char next = fSource[position + 1];
			// Only a letter, '/', '!' or '?' after it begins markup; any
			// other '<' is text ("a < b", "x <= y").
			if (isalpha((unsigned char)next) || next == '/' || next == '!'
				|| next == '?') {
				size_t end = _Markup(position);
				if (end != std::string::npos) {
					position = fRunStart = end;
					continue;
				}
			}
		} else if (c == '>')
			fPage->ShowSourceError((int32)position, kStrayCloseError);
		position++;
	}
	AppendWithoutNul(fRun, fSource, fRunStart, length);
	_Flush(true);
}


// Reads the markup at `position` (a '<' that begins a tag, a comment, a
// declaration or a processing instruction), with the text run before it;
// returns where reading goes on, or npos when there is no markup after all
// (a tag that never ends is text).
size_t
Tokenizer::_Markup(size_t position)
{
	const std::string& source = fSource;
	size_t length = source.size();
	size_t end;
	// A comment without its "-->" runs to the end of the text.
	bool unfinishedComment = false;
	if (source.compare(position, 4, "<!--") == 0) {
		// A comment runs to the next "-->", whatever it holds ("<!-->"
		// and "<!--->" are empty ones); without an end, to the end.
		if (source.compare(position + 4, 1, ">") == 0)
			end = position + 5;
		else if (source.compare(position + 4, 2, "->") == 0)
			end = position + 6;
		else {
			end = source.find("-->", position + 4);
			unfinishedComment = end == std::string::npos;
			end = unfinishedComment ? length : end + 3;
		}
	} else if (source.compare(position, 2, "<?") == 0) {
		end = source.find("?>", position + 2);
		if (end != std::string::npos)
			end += 2;
		else {
			end = source.find('>', position + 2);
			end = end == std::string::npos ? length : end + 1;
		}
	} else if (source.compare(position, 2, "<!") == 0) {
		end = source.find('>', position + 2);
		end = end == std::string::npos ? length : end + 1;
	} else {
		end = _TagEnd(position);
		if (end == std::string::npos)
			return std::string::npos;
		AppendWithoutNul(fRun, source, fRunStart, position);
		std::string text = WithoutNul(source, position + 1, end - 1);
		CloseOpenQuote(text);
		return _Tag(text, end);
	}
	AppendWithoutNul(fRun, source, fRunStart, position);

	// Comments, declarations and processing instructions: kept whole.
	size_t textEnd = end;
	if (!unfinishedComment && textEnd > position + 1
		&& source[textEnd - 1] == '>')
		textEnd--;
	std::string text = WithoutNul(source, position + 1, textEnd);
	// One that runs to the end of the text is written back finished (as are
	// declarations and processing instructions, with their '>'): the
	// document's own end follows it when the page is written, and an open
	// comment would swallow that end, one more each time the page is read
	// and written again. What it holds stays, a last '>' included.
	if (unfinishedComment)
		text += "--";
	if (strncasecmp(text.c_str(), "!DOCTYPE", 8) == 0) {
		// The editor writes its own.
		return _DocumentTag(0, text, end);
	}
	// Text before it may begin the body.
	_Flush();
	if (!fBodyStarted) {
		fPage->head += '<' + text + ">\n";
		return end;
	}
	// The factory keeps what is between '<' and '>' as an unsupported tag.
	UnsupportedTAG* tag = dynamic_cast<UnsupportedTAG*>(
		Parser::Constructor(fPrevious, text.c_str(), fPage));
	if (tag == nullptr)
		return end;
	_Add(tag);
	tag->lineBreakAfter = kNoLineEndInSource;
	return end;
}


// The position after the '>' that ends the tag at `position`, or npos. A
// quoted option value may hold '>' (and '<'); a '<' elsewhere is reported,
// once the tag is known to end: a tag that never ends is text, and its '<'s
// are read again as the text goes on, so reporting them here would report
// each once for every '<' before it.
size_t
Tokenizer::_TagEnd(size_t position)
{
	const std::string& source = fSource;
	size_t length = source.size();
	// Nothing after the text's last '>' can end a tag; without this, a text
	// ending in many '<' would be read to its end once for each of them.
	if (fLastClose == std::string::npos || position > fLastClose)
		return std::string::npos;
	std::vector<size_t> nested;
	bool afterEquals = false;
	for (size_t i = position + 1; i < length; i++) {
		char c = source[i];
		if (c == '>') {
			for (size_t at : nested)
				fPage->ShowSourceError((int32)at, kNestedTagError);
			return i + 1;
		}
		if ((c == '"' || c == '\'') && afterEquals) {
			size_t close = source.find(c, i + 1);
			if (close != std::string::npos) {
				i = close;
				afterEquals = false;
				continue;
			}
		}
		if (c == '<')
			nested.push_back(i);
		if (c == '=')
			afterEquals = true;
		else if (!IsWhite(c))
			afterEquals = false;
	}
	return std::string::npos;
}


// Where the closing tag of a tag whose content is not markup (SCRIPT,
// STYLE, XMP ...) begins, or npos when it has none.
size_t
Tokenizer::_RawContentEnd(size_t from, int id)
{
	std::string closing = "</";
	closing += Parser::tags[id];
	for (size_t at = from; at < fSource.size(); at++) {
		at = fSource.find('<', at);
		if (at == std::string::npos)
			return std::string::npos;
		if (!StartsWithNoCase(fSource, at, closing.c_str()))
			continue;
		size_t after = at + closing.size();
		if (after >= fSource.size() || IsWhite(fSource[after])
			|| fSource[after] == '>' || fSource[after] == '/')
			return at;
	}
	return std::string::npos;
}


bool
Tokenizer::_IsHeadTag(int id) const
{
	switch (id < 0 ? -id : id) {
		case kTagMETA:
		case kTagLINK:
		case kTagBASE:
		case kTagSTYLE:
		case kTagSCRIPT:
			return true;
		case kTagTITLE:
			return id < 0;
	}
	return false;
}


// One tag: `text` between '<' and '>', `after` the position after '>',
// `position` that of '<'. Returns where reading goes on.
size_t
Tokenizer::_Tag(std::string& text, size_t after)
{
	int id = Parser::ExactTag(text.c_str());

	// The editor's own document tags: they make no element.
	static const char* kOwnMeta[] = { "META NAME=\"Author\"",
		"META NAME=\"Generator\"" };
	bool document = id == kTagHTML || id == -kTagHTML || id == kTagHEAD
		|| id == -kTagHEAD || id == kTagBODY || id == -kTagBODY;
	for (const char* meta : kOwnMeta) {
		if (strcmpxcase(meta, text.c_str()))
			document = true;
	}
	if (document)
		return _DocumentTag(id, text, after);

	// Text before the tag may begin the body; blank text there is the
	// head's layout.
	if (!fBodyStarted)
		_Flush();

	if (id == kTagTITLE) {
		// The title goes to the page; text runs on across it.
		size_t next = after;
		_ReadTitle(after, &next);
		return next;
	}

	int absolute = id < 0 ? -id : id;
	bool rawContent = id > 0 && (id == kTagSCRIPT || id == kTagSTYLE
		|| id == kTagXMP || id == kTagPLAINTEXT || id == kTagTEXTAREA);
	size_t contentEnd = rawContent ? _RawContentEnd(after, absolute)
		: std::string::npos;

	if (!fBodyStarted) {
		if (_IsHeadTag(id)) {
			size_t end = after;
			if (contentEnd != std::string::npos
				&& (id == kTagSCRIPT || id == kTagSTYLE)) {
				// With its content and its closing tag.
				size_t close = fSource.find('>', contentEnd);
				end = close == std::string::npos ? fSource.size() : close + 1;
			}
			// The tag as read, with a quote nothing closed closed (see
			// CloseOpenQuote): kept open it would run on to the first
			// quote of the editor's BODY line when the page is read again.
			fPage->head += '<' + text + '>';
			AppendWithoutNul(fPage->head, fSource, after, end);
			fPage->head += '\n';
			return end;
		}
		_StartBody();
	}

	_Flush();
	bool wasPreformatted = _InPreformatted();
	WYSIWYG_Element* element = Parser::Constructor(fPrevious, text.c_str(),
		fPage);
	if (element == nullptr)
		return after;
	_Add(element);
	size_t options = text.find_first_of(" \t\r\n\f\v");
	if (options != std::string::npos
		&& dynamic_cast<UnsupportedTAG*>(element) == nullptr) {
		element->Read(&text[options + 1]);
		element->ShareEnvironment();
	}

	if (contentEnd != std::string::npos
		&& (id == kTagSCRIPT || id == kTagSTYLE)) {
		// The script or style sheet stays with its tag, unseen.
		std::string content = WithoutNul(fSource, after, contentEnd);
		static_cast<UnsupportedTAG*>(element)->SetContent(content.data(),
			content.size());
		element->lineBreakAfter = kNoLineEndInSource;
		return contentEnd;
	}

	size_t next = after;
	if (wasPreformatted && _InPreformatted())
		element->lineBreakAfter = kNoLineEndInSource;
	else
		next = _TakeLineBreak(after, element);
	fLineStart = EndsLine(element);

	if (contentEnd != std::string::npos) {
		// XMP, PLAINTEXT and TEXTAREA: their text up to their closing tag
		// is text, whatever '<' it holds.
		std::string content = WithoutNul(fSource, next, contentEnd);
		_FlushPreformatted(content);
		return contentEnd;
	}
	return next;
}


// A document tag (HTML, HEAD, BODY and their ends, the DOCTYPE, the
// editor's own META lines): the editor writes its own. In the body, text
// runs on across it, as it does in a browser; the line break after it is
// the editor's own when nothing but blanks and such tags follow up to the
// next tag (as after the editor's "</BODY>"), and the page's otherwise.
size_t
Tokenizer::_DocumentTag(int id, const std::string& text, size_t after)
{
	if (id == kTagBODY) {
		if (!fBodyStarted) {
			_Flush();
			_StartBody();
		}
		_ReadBody(text);
	}
	if (!fBodyStarted || id == kTagBODY || _OnlyBlankFollows(after))
		return _TakeLineBreak(after, nullptr);
	return after;
}


// Whether only white space and document tags stand between `position` and
// the next other markup or the end of the text.
bool
Tokenizer::_OnlyBlankFollows(size_t position)
{
	size_t length = fSource.size();
	while (position < length) {
		char c = fSource[position];
		if (c == '<') {
			size_t end = fSource.find('>', position);
			if (end == std::string::npos)
				return false;
			std::string text = fSource.substr(position + 1, end - position - 1);
			int id = Parser::ExactTag(text.c_str());
			int absolute = id < 0 ? -id : id;
			if (absolute != kTagHTML && absolute != kTagHEAD
				&& absolute != kTagBODY)
				return true;
			position = end + 1;
			continue;
		}
		if (!IsWhite(c) && c != '\0')
			return false;
		position++;
	}
	return true;
}


// Takes the line break right after a tag: it belongs to the tag (an element
// remembers it and writes it back; the editor's own tags write their own),
// and is no blank of the text that follows.
size_t
Tokenizer::_TakeLineBreak(size_t position, WYSIWYG_Element* element)
{
	bool taken = false;
	if (element == nullptr || EndsLine(element)) {
		// A line feed; a CR LF that the editor's text may hold (pasted)
		// is one line break as well.
		if (fSource.compare(position, 2, "\r\n") == 0) {
			position += 2;
			taken = true;
		} else if (position < fSource.size() && fSource[position] == '\n') {
			position++;
			taken = true;
		}
	}
	if (element != nullptr)
		element->lineBreakAfter = taken ? kLineEndInSource : kNoLineEndInSource;
	return position;
}


void
Tokenizer::_StartBody()
{
	fBodyStarted = true;
	fLineStart = true;
}


void
Tokenizer::_Add(WYSIWYG_Element* element)
{
	fPrevious->SetNext(element);
	fPrevious = element;
	// Now rather than at the walk after reading: the tags of a page set
	// the same few environments, and copies held until then would be
	// freed between the elements, leaving holes the heap cannot use.
	element->ShareEnvironment();
}


WText*
Tokenizer::_AddText(const char* text)
{
	WText* added = dynamic_cast<WText*>(fEngine->InsertAt(fPrevious, 1,
		nullptr));
	if (added == nullptr)
		return nullptr;
	added->Read(const_cast<char*>(text));
	fPrevious = added;
	return added;
}


// The text between two pieces of markup (or none: adjacent tags have an
// empty text between them). Before the body, text that is not blank begins
// it; blank text there is the head's layout.
void
Tokenizer::_Flush(bool atEnd)
{
	// Read in place: the run's buffer keeps its room for the next run.
	std::string& run = fRun;
	// Texts stand between elements: two made in a row would only split a
	// run (the chain's own first text is not one of them).
	bool afterText = fPrevious != fEngine->FirstElement()
		&& dynamic_cast<WText*>(fPrevious) != nullptr;
	if (run.empty() && fBodyStarted && afterText && !atEnd)
		return;
	_FlushRun(atEnd, afterText);
	fRun.clear();
}


void
Tokenizer::_FlushRun(bool atEnd, bool afterText)
{
	std::string& run = fRun;
	size_t first = 0;
	while (first < run.size() && IsWhite(run[first]))
		first++;
	if (!fBodyStarted) {
		if (first == run.size())
			return;
		_StartBody();
		run.erase(0, first);
		first = 0;
	}
	if (atEnd && first == run.size() && (afterText
			|| (dynamic_cast<WText*>(fPrevious) != nullptr && run.empty()))) {
		// Blank text after the last text stands before the editor's
		// closing tags; after the last tag, a text (empty, or with the
		// page's line break) is where typing goes on. A body of nothing
		// but blanks keeps them, as the page's own white space: they are
		// what a blank typed into an empty page is written as.
		return;
	}
	if (_InPreformatted())
		_FlushPreformatted(run);
	else
		_FlushFlowing(run);
	fLineStart = false;
}


void
Tokenizer::_FlushFlowing(const std::string& run)
{
	size_t length = run.size();
	size_t lead = 0;
	while (lead < length && IsWhite(run[lead]))
		lead++;
	if (lead == length) {
		// Only white space (or nothing): no blank at the start of a line,
		// one blank elsewhere; either way written back as it stands.
		WText* text = _AddText(fLineStart || length == 0 ? "" : " ");
		if (text == nullptr || length == 0)
			return;
		if (fLineStart) {
			text->leadingSpace = run;
			text->leadingSpaceShown = false;
		} else if (run != " ")
			text->trailingSpace = run;
		return;
	}
	size_t trail = 0;
	while (trail < length && IsWhite(run[length - 1 - trail]))
		trail++;

	std::string& body = fBody;
	body.clear();
	if (lead > 0 && !fLineStart)
		body += ' ';
	body.append(run, lead, length - lead - trail);
	if (trail > 0)
		body += ' ';
	WText* text = _AddText(body.c_str());
	if (text == nullptr)
		return;
	if (lead > 0) {
		std::string leading = run.substr(0, lead);
		if (fLineStart) {
			text->leadingSpace = leading;
			text->leadingSpaceShown = false;
		} else if (leading != " ") {
			text->leadingSpace = leading;
			text->leadingSpaceShown = true;
		}
	}
	if (trail > 0) {
		std::string trailing = run.substr(length - trail);
		if (trailing != " ")
			text->trailingSpace = trailing;
	}
}


// Preformatted text: every line of the page is a text of its own followed
// by a line end element; the text keeps its blanks.
void
Tokenizer::_FlushPreformatted(const std::string& run)
{
	size_t start = 0;
	while (true) {
		size_t feed = run.find_first_of("\n\r", start);
		std::string line = run.substr(start,
			feed == std::string::npos ? std::string::npos : feed - start);
		_AddText(line.c_str());
		if (feed == std::string::npos)
			break;
		if (run.compare(feed, 2, "\r\n") == 0)
			feed++;
		BWindow* window = fEngine->window;
		bool locked = window != nullptr && window->Lock();
		EndLine* end = new EndLine(kPreformattedLine, fPrevious, nullptr,
			fEngine, nullptr);
		if (locked)
			window->Unlock();
		_Add(end);
		start = feed + 1;
	}
}


// The TITLE tag: its text, up to the next '<', with the line feeds left
// out, is the page's title; reading goes on after the '>' that follows it.
void
Tokenizer::_ReadTitle(size_t after, size_t* position)
{
	size_t end = fSource.find('<', after);
	if (end == std::string::npos)
		end = fSource.size();
	std::string title;
	title.reserve(end - after);
	for (size_t i = after; i < end; i++) {
		if (fSource[i] != '\n' && fSource[i] != '\0')
			title += fSource[i];
	}
	delete[] fPage->title;
	fPage->title = newtext(title.c_str());
	fPage->SetTitle();
	size_t close = fSource.find('>', end);
	*position = close == std::string::npos ? fSource.size() : close + 1;
}


// The options of a BODY tag: the colours, VLINK and the background, each
// kept as read where the editor cannot read it, and every other option
// kept for the BODY line.
void
Tokenizer::_ReadBody(const std::string& text)
{
	// The options start after "BODY" and one separator.
	std::string options = text.size() > 5 ? text.substr(5) : std::string();
	char* value = nullptr;

	struct ColorOption {
		const char* name;
		long which;
	} colors[] = { { "TEXT", 1 }, { "LINK", 2 }, { "BGCOLOR", 3 } };
	for (const ColorOption& color : colors) {
		WYSIWYG_Engine::ReadTAGOption(color.name, &value, options.c_str());
		if (value == nullptr)
			continue;
		int red, green, blue;
		if (ReadColor(value, &red, &green, &blue))
			fPage->SetColors(color.which, red, green, blue, 255);
		else
			fPage->SetColorValue(color.which, value);
	}

	WYSIWYG_Engine::ReadTAGOption("VLINK", &value, options.c_str());
	if (value != nullptr) {
		delete[] fPage->visitedLinkColor;
		fPage->visitedLinkColor = newtext(value);
	}

	WYSIWYG_Engine::ReadTAGOption("BACKGROUND", &value, options.c_str());
	if (value != nullptr)
		fPage->ReadBackground(value);

	delete[] fPage->bodyOptions;
	fPage->bodyOptions = nullptr;
	WYSIWYG_Engine::ReadUnsupportedTAGOption(&fPage->bodyOptions,
		options.c_str(), "TEXT=", "LINK=", "BGCOLOR=", "VLINK=", "BACKGROUND=");
	delete[] value;
}

}	// namespace


void
Parser::Parse(Page* page)
{
	WYSIWYG_Engine* engine = page != nullptr ? page->Engine() : nullptr;
	if (engine == nullptr || engine->FirstElement() == nullptr)
		return;

	bool started = page->ParsingStarted();

	// Text insertions skip their own layout meanwhile: the whole chain is
	// laid out once at the end.
	engine->BeginLoading();
	{
		// Work on a copy of the source: the alerts below run the event
		// loop, and whatever happens to the view meanwhile cannot pull the
		// text away from under the tokenizer. The copy goes before the
		// layout, which makes the most views.
		std::string source = page->SourceText();
		Tokenizer(page, engine, source).Run();
	}
	engine->EndLoading();

	WYSIWYG_Element* first = engine->FirstElement();
	BView* firstView = first->View();
	if (firstView != nullptr && firstView->Window() != nullptr
		&& firstView->Window()->Lock()) {
		engine->view->ScrollTo(0, 1);
		firstView->Window()->Unlock();
	}
	for (WYSIWYG_Element* element = first; element != nullptr;
			element = element->Next())
		element->dontJoin = false;
	engine->Do(nullptr);
	if (page->layOut)
		engine->Place(nullptr, false);

	page->ParsingEnded(started);
	engine->ResetScrollRange();
}
