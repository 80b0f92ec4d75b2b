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

class BEntry;
class BFile;
class BFont;
class BMallocIO;
class GarbageCollector;
class HWindow;
class WWindow;
struct rgb_color;

class Page {
public:
	// `readOnly` is for the batch modes: the file is opened for reading only
	// and never created, so that nothing on disk changes.
	Page(char* path, int index, bool readOnly = false);
	~Page();

	void SetFonts();
	void SetColors(long which, int red, int green, int blue, int alpha);
	void SetTitle();
	void SetBackground(char* image);

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

private:
	// Writing the page file (PageFile.cpp).
	bool _WriteFile(const char* data, size_t length);
	bool _WriteInPlace(const BEntry& target, const char* data,
		size_t length);
	void _ReopenFile();
	void _SetSaveItems(bool enabled);

	// Whether the two "save" items are enabled now (they are created
	// enabled).
	bool fSaveItemsEnabled;
};

#endif	// QUILLORA_PAGE_H
