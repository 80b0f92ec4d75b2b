/*
 * Page: one open HTML document.
 *
 * A page owns its two editor windows (the visual editor and the HTML source
 * editor), the open page file, the document-level properties that are not
 * elements (title, the three colours, the background image), the 22 fonts the
 * elements take their look from, and the buffer the document is generated
 * into. Elements reach their page through their engine; the fields are public
 * because the parser, the elements and the windows read them directly.
 */
#ifndef QUILLORA_PAGE_H
#define QUILLORA_PAGE_H

#include <SupportDefs.h>

#include <string>

class Autosaver;
class BEntry;
class BFile;
class BFont;
class BMallocIO;
class GarbageCollector;
class HWindow;
class WWindow;
class WYSIWYG_Engine;
struct RecoveryCopy;
struct rgb_color;

class Page {
public:
	// `readOnly` is for the batch modes: the file is opened for reading only
	// and never created, so that nothing on disk changes. `layOut` false is
	// for a batch run that only generates the document (see layOut).
	Page(char* path, int index, bool readOnly = false, bool layOut = true);
	~Page();

	void SetFonts();
	// The encoding of the page's text (a BFont encoding constant), decided
	// when the page file is read: the 22 fonts and the HTML editor's text
	// view take it. `byteOrderMark` tells whether the file is written with
	// the UTF-8 byte-order mark in front.
	void SetEncoding(uint8 encoding, bool byteOrderMark);
	void SetColors(long which, int red, int green, int blue, int alpha);
	void SetTitle();
	void SetBackground(char* image);

	// The visual window's engine, or null.
	WYSIWYG_Engine* Engine() const;

	// The page font of a font kind (1 plain, 2 bold, 4 fixed, 5..10 H1..H6,
	// 11 big, 12 small), upright or italic; null for an unknown kind.
	BFont* FontOfKind(int32 kind, bool italic);

	// What the parser asks of the page while it reads the HTML editor's
	// text into the chain.
	// The text to read.
	std::string SourceText();
	// Both windows' menus are disabled and the page view is hidden while
	// the chain is rebuilt; false when the windows could not be locked
	// (then nothing was changed and ParsingEnded has nothing to undo).
	bool ParsingStarted();
	void ParsingEnded(bool started);
	// A syntax error at a byte of the text: shown selected in the HTML
	// editor, then reported in an alert.
	void ShowSourceError(int32 position, const char* message);
	// A colour of the BODY tag (1 text, 2 link, 3 background) that could
	// not be read as one: the colour stays and the value is written back
	// as read until the colour is set again (SetColors).
	void SetColorValue(long which, const char* value);
	// The BACKGROUND of a BODY tag as it stands in the page: the settings'
	// image directory at its front is taken away and written back.
	void ReadBackground(const char* value);

	void Update(bool fromFile);
	void UpdateFromVisual();

	// Document generation (GenerateHTML.cpp).
	void GenerateHTML();
	void InsertHTML(const char* text, bool lineEndBefore, bool lineEndAfter);

	bool IsSaved();
	bool IsDeleting();
	void Saved();
	void NotSaved();

	bool Quit();

	// Both write through a temporary file in the page's folder that is renamed
	// over the page, so a failed write never damages the old file. They return
	// whether the file now holds the document (true also when nothing had to
	// be written); on failure an alert has been shown and the page stays not
	// saved.
	bool Save();
	bool SaveHTML();

	// What the page file holds in front of the document: the byte-order
	// mark, or nothing.
	const char* FileStart() const;

	// Whether the HTML editor's text has edits of its own: changed since it
	// was last filled from the page file or the visual page, or read into
	// the visual page ("Update from HTML"). Such edits are in no document
	// yet, so the recovery copies keep the text as well.
	bool IsSourceEdited() const;
	void SetSourceEdited(bool edited);

	// The generated document as it stands in `htmlBuffer` (not terminated).
	const char* HTMLBuffer() const;
	size_t HTMLBufferLength() const;

	// Fields, in this order.
	HWindow* htmlWindow;
	WWindow* visualWindow;
	BFile* file;
	rgb_color* textColor;
	rgb_color* linkColor;
	rgb_color* backgroundColor;
	char* background;
	char* title;
	char* path;

	BFont* plainFont;
	BFont* italicFont;
	BFont* boldFont;
	BFont* boldItalicFont;
	BFont* fixedFont;
	BFont* fixedItalicFont;
	BFont* smallFont;
	BFont* smallItalicFont;
	BFont* bigFont;
	BFont* bigItalicFont;
	BFont* headingFonts[6];
	BFont* headingItalicFonts[6];

	GarbageCollector* garbageCollector;
	int32 index;
	bool deleting;
	bool saved;
	BMallocIO* htmlBuffer;

	// Set for the batch modes (see the constructor).
	bool readOnly;
	// False when nobody will see the page and only its document is asked
	// for: the parsed chain is then never broken into lines. Where lines
	// break changes no byte of the generated document (the batch tests
	// compare the two over every sample page), and laying out a large page
	// takes a good part of the time its reading does.
	bool layOut;

	// See SetEncoding(); Latin-1 without a mark until a file says otherwise.
	uint8 encoding;
	bool byteOrderMark;

	// What the page had in its head and on its BODY tag that the editor's
	// own header does not write, kept as read and written back in its
	// place (GenerateHTML): the head's own tags (META other than the
	// editor's two, LINK, BASE, STYLE and SCRIPT with their content,
	// comments) in their order, each followed by a line end; the BODY
	// options other than the colours and the background; the colour
	// values that could not be read, by colour (1 text, 2 link, 3
	// background, at index - 1); VLINK as read. Strings are new[], owned,
	// null when there is nothing.
	std::string head;
	char* bodyOptions;
	char* colorValues[3];
	char* visitedLinkColor;
	// The image directory is written in front of `background`: true for
	// backgrounds set in the settings, and for one read from a page only
	// when it had the directory in front (ReadBackground).
	bool backgroundInImageDirectory;
	// Keeps recovery copies of the unsaved changes; null for the batch
	// modes, which never read or write them.
	Autosaver* autosaver;

private:
	// Writing the page file (PageFile.cpp).
	bool _WriteFile(const char* data, size_t length);
	bool _WriteInPlace(const BEntry& target, const char* data,
		size_t length);
	void _ReopenFile();
	void _SetSaveItems(bool enabled);
	// Forgets what the last page read left in `head` and the BODY fields.
	void _ClearDocumentParts();

	// Recovery at opening (PageRecovery.cpp): asks about a recovery copy
	// newer than the page file; true when the user chose to recover it
	// (then `copy` holds it), false otherwise (a discarded copy is gone).
	bool _OfferRecovery(RecoveryCopy* copy);
	// Shows a recovered copy in both windows, the page not saved.
	void _LoadRecovered(const RecoveryCopy& copy);

	// Whether the two "save" items are enabled now (they are created
	// enabled).
	bool fSaveItemsEnabled;
	bool fSourceEdited;
};

#endif	// QUILLORA_PAGE_H
