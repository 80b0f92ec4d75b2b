/*
 * Page: construction, state, the windows' titles, colours, background, the
 * updates between the two editors, saving and closing.
 */
#include "Page.h"

#include <Alert.h>
#include <DataIO.h>
#include <Entry.h>
#include <File.h>
#include <Font.h>
#include <GraphicsDefs.h>
#include <Menu.h>
#include <MenuBar.h>
#include <MenuItem.h>
#include <Screen.h>
#include <ScrollBar.h>
#include <ScrollView.h>

#include <Errors.h>

#include <string.h>

#include <string>

#include "Alerts.h"
#include "Autosaver.h"
#include "Config.h"
#include "Functions.h"
#include "GarbageCollector.h"
#include "HTML_View.h"
#include "HWindow.h"
#include "ImageTools.h"
#include "PageEncoding.h"
#include "Parser.h"
#include "RecoveryFile.h"
#include "WText.h"
#include "WWindow.h"
#include "WYSIWYG_Engine.h"
#include "WYSIWYG_View.h"


Page::Page(char* pagePath, int pageIndex, bool openReadOnly, bool layOutChain)
	:
	htmlWindow(nullptr),
	visualWindow(nullptr),
	file(nullptr),
	textColor(nullptr),
	linkColor(nullptr),
	backgroundColor(nullptr),
	background(nullptr),
	title(nullptr),
	path(nullptr),
	garbageCollector(nullptr),
	index(pageIndex),
	deleting(false),
	saved(true),
	htmlBuffer(nullptr),
	readOnly(openReadOnly),
	layOut(layOutChain),
	bodyOptions(nullptr),
	colorValues{ nullptr, nullptr, nullptr },
	visitedLinkColor(nullptr),
	backgroundInImageDirectory(true),
	autosaver(nullptr),
	fSaveItemsEnabled(true),
	fSourceEdited(false)
{
	path = newtext(pagePath);

	garbageCollector = new GarbageCollector();
	BFont** fonts[] = { &plainFont, &italicFont, &boldFont, &boldItalicFont,
		&fixedFont, &fixedItalicFont, &smallFont, &smallItalicFont, &bigFont,
		&bigItalicFont };
	for (BFont** font : fonts)
		*font = new BFont();
	for (int i = 0; i < 6; i++) {
		headingFonts[i] = new BFont();
		headingItalicFonts[i] = new BFont();
	}
	SetFonts();

	htmlBuffer = new BMallocIO();
	saved = true;
	deleting = false;

	textColor = new rgb_color;
	linkColor = new rgb_color;
	backgroundColor = new rgb_color;
	SetColors(1, 0, 0, 0, 255);
	SetColors(2, 0, 0, 255, 255);
	SetColors(3, 255, 255, 255, 255);
	background = nullptr;

	BEntry entry(path, true);

	BRect frame = BScreen().Frame();
	frame.left += 5;
	frame.top += 24;
	frame.right -= 5;
	frame.bottom -= 5;
	visualWindow = new WWindow(frame, (char*)"Main window", this);
	BRect htmlFrame = frame;
	htmlFrame.top += 45;
	htmlWindow = new HWindow(htmlFrame, (char*)"HTML window", this);

	SetTitle();

	// The copies are taken where the chain lives, on the visual window's
	// looper.
	if (!readOnly) {
		autosaver = new Autosaver(this);
		if (visualWindow->Lock()) {
			visualWindow->AddHandler(autosaver);
			visualWindow->Unlock();
		}
	}

	visualWindow->Show();
	// The HTML editor starts hidden; showing it once starts its looper.
	htmlWindow->BWindow::Show();
	htmlWindow->Hide();

	// Before a missing page file is made: a copy of a page that was
	// deleted is offered too.
	RecoveryCopy recovered;
	bool recovering = _OfferRecovery(&recovered);

	uint32 mode = readOnly ? B_READ_ONLY : (B_READ_WRITE | B_CREATE_FILE);
	file = new BFile(&entry, mode);
	if (file->InitCheck() != B_OK)
		error("Could not open page file");

	if (recovering)
		_LoadRecovered(recovered);
	else
		htmlWindow->htmlView->Load();
}


Page::~Page()
{
	deleting = true;

	// A copy being written is finished; the copies stay (a page closed
	// without a question has none that matter, and one that ends with the
	// program keeps them for the next start).
	delete autosaver;
	autosaver = nullptr;

	if (htmlWindow != nullptr) {
		htmlWindow->Quit();
		htmlWindow = nullptr;
	}
	if (visualWindow != nullptr) {
		visualWindow->Quit();
		visualWindow = nullptr;
	}

	delete file;
	delete textColor;
	delete linkColor;
	delete backgroundColor;
	delete htmlBuffer;

	BFont* fonts[] = { plainFont, italicFont, boldFont, boldItalicFont,
		fixedFont, fixedItalicFont, smallFont, smallItalicFont, bigFont,
		bigItalicFont };
	for (BFont* font : fonts)
		delete font;
	for (int i = 0; i < 6; i++) {
		delete headingFonts[i];
		delete headingItalicFonts[i];
	}

	delete garbageCollector;

	_ClearDocumentParts();
	// Nothing else holds these once the page is gone.
	delete[] title;
	delete[] background;
	delete[] path;
}


static void
set_font(BFont* font, const char* family, const char* style, int size,
	uint8 encoding)
{
	font_family familyName;
	font_style styleName;
	strncpy(familyName, family != nullptr ? family : "", sizeof(familyName) - 1);
	familyName[sizeof(familyName) - 1] = '\0';
	if (style != nullptr) {
		strncpy(styleName, style, sizeof(styleName) - 1);
		styleName[sizeof(styleName) - 1] = '\0';
	} else {
		// The family's style number 0, its upright regular face.
		uint32 flags = 0;
		if (get_font_style(familyName, 0, &styleName, &flags) != B_OK)
			styleName[0] = '\0';
	}
	font->SetFamilyAndStyle(familyName, styleName);
	// A configured size small enough to make the smaller fonts vanish still
	// gives readable text.
	font->SetSize(float(size < 1 ? 1 : size));
	font->SetEncoding(encoding);
	// Page text keeps its references as written after the mark, and its
	// non-breaking spaces as one byte: the fonts show what they stand for.
	font->SetReferenceMark((uint8)kReferenceMark);
	font->SetNoBreakSpace((uint8)kNonBreakingSpace);
}


void
Page::SetFonts()
{
	Config* config = Config::Current();
	const char* family = config != nullptr ? config->proportionalFamily : nullptr;
	const char* fixedFamily = config != nullptr ? config->fixedFamily : nullptr;
	int base = config != nullptr ? config->proportionalSize : 10;
	int fixedSize = config != nullptr ? config->fixedSize : 10;

	set_font(plainFont, family, nullptr, base, encoding);
	set_font(italicFont, family, "Italic", base, encoding);
	set_font(boldFont, family, "Bold", base, encoding);
	set_font(boldItalicFont, family, "Bold Italic", base, encoding);
	set_font(fixedFont, fixedFamily, nullptr, fixedSize, encoding);
	set_font(fixedItalicFont, fixedFamily, "Italic", fixedSize, encoding);
	set_font(smallFont, family, nullptr, base - 2, encoding);
	set_font(smallItalicFont, family, "Italic", base - 2, encoding);
	set_font(bigFont, family, nullptr, base + 2, encoding);
	set_font(bigItalicFont, family, "Italic", base + 2, encoding);

	static const int kHeadingSteps[6] = { 12, 6, 2, 0, -1, -2 };
	for (int i = 0; i < 6; i++) {
		set_font(headingFonts[i], family, "Bold", base + kHeadingSteps[i],
			encoding);
		set_font(headingItalicFonts[i], family, "Bold Italic",
			base + kHeadingSteps[i], encoding);
	}
}


void
Page::SetEncoding(uint8 pageEncoding, bool withByteOrderMark)
{
	encoding = pageEncoding;
	byteOrderMark = withByteOrderMark;
	SetFonts();
	// The HTML editor shows the same bytes as the same characters; a
	// character typed or pasted there that the encoding cannot hold goes
	// in as HTML's numeric reference.
	HTML_View* view = htmlWindow != nullptr ? htmlWindow->htmlView : nullptr;
	if (view == nullptr || !view->LockLooper())
		return;
	BFont font;
	font.SetEncoding(encoding);
	view->SetFontAndColor(&font, B_FONT_ENCODING);
	view->SetReferencePrefix('&');
	view->UnlockLooper();
}


WYSIWYG_Engine*
Page::Engine() const
{
	return visualWindow != nullptr ? visualWindow->engine : nullptr;
}


BFont*
Page::FontOfKind(int32 kind, bool italic)
{
	switch (kind) {
		case 1:
			return italic ? italicFont : plainFont;
		case 2:
			return italic ? boldItalicFont : boldFont;
		case 4:
			return italic ? fixedItalicFont : fixedFont;
		case 5: case 6: case 7: case 8: case 9: case 10:
			return italic ? headingItalicFonts[kind - 5]
				: headingFonts[kind - 5];
		case 11:
			return italic ? bigItalicFont : bigFont;
		case 12:
			return italic ? smallItalicFont : smallFont;
	}
	return nullptr;
}


void
Page::SetColors(long which, int red, int green, int blue, int alpha)
{
	// A colour set now replaces the value it had as read.
	if (which >= 1 && which <= 3) {
		delete[] colorValues[which - 1];
		colorValues[which - 1] = nullptr;
	}
	rgb_color* color = nullptr;
	switch (which) {
		case 1:
			color = textColor;
			break;
		case 2:
			color = linkColor;
			break;
		case 3:
			color = backgroundColor;
			break;
	}
	if (color != nullptr)
		color->set_to(uint8(red), uint8(green), uint8(blue), uint8(alpha));

	if (visualWindow == nullptr || visualWindow->engine == nullptr)
		return;
	if (!visualWindow->Lock())
		return;
	WYSIWYG_Engine* engine = visualWindow->engine;
	engine->Do(nullptr);
	engine->view->SetViewColor(*backgroundColor);
	engine->view->SetLowColor(*backgroundColor);
	engine->view->Invalidate();
	visualWindow->Unlock();
}


void
Page::SetTitle()
{
	std::string visual = "Quillora: ";
	std::string html = "Quillora HTML: ";
	std::string rest;
	if (title != nullptr)
		rest += title;
	rest += " - ";
	if (path != nullptr)
		rest += path;
	visual += rest;
	html += rest;

	if (visualWindow != nullptr)
		visualWindow->SetTitle(visual.c_str());
	if (htmlWindow != nullptr)
		htmlWindow->SetTitle(html.c_str());
}


void
Page::SetBackground(char* image)
{
	delete[] background;
	background = nullptr;
	backgroundInImageDirectory = true;
	if (image != nullptr && image[0] == '\0')
		image = nullptr;

	WYSIWYG_Engine* engine
		= visualWindow != nullptr ? visualWindow->engine : nullptr;

	if (image == nullptr) {
		if (engine != nullptr)
			engine->SetBackgroundBitmap(nullptr);
		return;
	}

	// A relative name is looked for beside the page first, where a browser
	// looks for it.
	std::string resolved(ImageTools::AbsoluteImagePathLength(image, path),
		'\0');
	bool found = false;
	if (image[0] != '/' && path != nullptr) {
		std::string beside(ImageTools::AbsoluteImagePathLength(image, path,
			nullptr), '\0');
		if (ImageTools::AbsoluteImagePath(&beside[0], image, path, nullptr)) {
			resolved = beside;
			found = true;
		}
	}
	if (!found && !ImageTools::AbsoluteImagePath(&resolved[0], image, path)) {
		error("Could not open the background image file: \"", resolved.c_str(),
			"\"");
		return;
	}
	background = newtext(image);
	if (engine != nullptr)
		engine->SetBackgroundBitmap(&resolved[0]);
}


void
Page::ReadBackground(const char* value)
{
	if (value == nullptr)
		return;
	// The page stores its background relative to the image directory.
	const char* image = value;
	Config* config = Config::Current();
	bool inDirectory = config != nullptr && config->imageDirectory != nullptr
		&& config->imageDirectory[0] != '\0'
		&& strcmpxcase(config->imageDirectory, value);
	if (inDirectory)
		image += strlen(config->imageDirectory);
	std::string copy = image;
	SetBackground(&copy[0]);
	// A page keeps its background even when the picture cannot be shown
	// here (it was told): it may be found where the page is published,
	// and dropping it would change the page.
	if (background == nullptr && !copy.empty()) {
		background = newtext(copy.c_str());
		WYSIWYG_Engine* engine = Engine();
		if (engine != nullptr)
			engine->SetBackgroundBitmap(nullptr);
	}
	backgroundInImageDirectory = inDirectory;
}


void
Page::SetColorValue(long which, const char* value)
{
	if (which < 1 || which > 3)
		return;
	delete[] colorValues[which - 1];
	colorValues[which - 1] = value != nullptr ? newtext(value) : nullptr;
}


void
Page::_ClearDocumentParts()
{
	head.clear();
	delete[] bodyOptions;
	bodyOptions = nullptr;
	for (char*& value : colorValues) {
		delete[] value;
		value = nullptr;
	}
	delete[] visitedLinkColor;
	visitedLinkColor = nullptr;
}


std::string
Page::SourceText()
{
	std::string source;
	HTML_View* view = htmlWindow != nullptr ? htmlWindow->htmlView : nullptr;
	if (view != nullptr && view->LockLooper()) {
		source.assign(view->Text(), view->TextLength());
		view->UnlockLooper();
	}
	return source;
}


static bool
set_parsing(Page* page, bool parsing)
{
	WYSIWYG_Engine* engine = page->visualWindow != nullptr
		? page->visualWindow->engine : nullptr;
	BMenuBar* visualBar = page->visualWindow != nullptr
		? page->visualWindow->menuBar : nullptr;
	BMenuBar* htmlBar = page->htmlWindow != nullptr
		? page->htmlWindow->menuBar : nullptr;
	if (engine == nullptr || visualBar == nullptr || htmlBar == nullptr)
		return false;
	if (!visualBar->LockLooper())
		return false;
	if (!htmlBar->LockLooper()) {
		visualBar->UnlockLooper();
		return false;
	}
	visualBar->SetEnabled(!parsing);
	visualBar->Invalidate();
	htmlBar->SetEnabled(!parsing);
	htmlBar->Invalidate();
	if (parsing) {
		engine->view->Hide();
		BScrollBar* bar = engine->scrollView != nullptr
			? engine->scrollView->ScrollBar(B_VERTICAL) : nullptr;
		if (bar != nullptr)
			bar->SetRange(0, 0);
	} else
		engine->view->Show();
	htmlBar->UnlockLooper();
	visualBar->UnlockLooper();
	return true;
}


bool
Page::ParsingStarted()
{
	return set_parsing(this, true);
}


void
Page::ParsingEnded(bool started)
{
	if (started)
		set_parsing(this, false);
}


void
Page::ShowSourceError(int32 position, const char* message)
{
	HWindow* window = htmlWindow;
	if (window == nullptr || window->htmlView == nullptr)
		return;
	HTML_View* view = window->htmlView;
	// Without the view's lock nothing is shown.
	if (!view->LockLooper())
		return;
	if (window->IsHidden())
		window->Show();
	view->Select(position, position + 1);
	view->ScrollToSelection();
	view->UnlockLooper();
	error(message);
}


void
Page::Update(bool fromFile)
{
	delete[] title;
	title = nullptr;
	delete[] background;
	background = nullptr;
	backgroundInImageDirectory = true;
	_ClearDocumentParts();
	SetTitle();

	WYSIWYG_Engine* engine = visualWindow->engine;
	if (engine->view->LockLooper()) {
		engine->SetBackgroundBitmap(nullptr);
		engine->Empty();
		visualWindow->UpdateIfNeeded();
		engine->view->UnlockLooper();
	}

	if (fromFile) {
		// The changes are dropped, and their copies with them.
		if (autosaver != nullptr)
			autosaver->Remove();
		_ReopenFile();
		htmlWindow->htmlView->Load();
	} else {
		Parser::Parse(this);
		// The visual page holds what the HTML editor's text says.
		SetSourceEdited(false);
	}
}


void
Page::UpdateFromVisual()
{
	GenerateHTML();
	HTML_View* view = htmlWindow->htmlView;
	// The generated document has CR LF line ends and the editor wants line
	// feeds; turning them into line feeds before the text goes in costs one
	// pass instead of one edit of the view per line.
	std::string text;
	text.reserve(HTMLBufferLength());
	const char* data = HTMLBuffer();
	size_t length = HTMLBufferLength();
	for (size_t i = 0; i < length; i++) {
		if (data[i] == '\r' && i + 1 < length && data[i + 1] == '\n')
			continue;
		text += data[i];
	}
	if (view->LockLooper()) {
		view->SetText(text.c_str(), int32(text.size()));
		view->UnlockLooper();
	}
	view->ProcessEndLines();
	SetSourceEdited(false);
}


bool
Page::IsSaved()
{
	return saved;
}


bool
Page::IsDeleting()
{
	return deleting;
}


void
Page::Saved()
{
	saved = true;
	_SetSaveItems(false);
	if (autosaver != nullptr)
		autosaver->Saved();
}


void
Page::NotSaved()
{
	saved = false;
	_SetSaveItems(true);
	if (autosaver != nullptr)
		autosaver->Changed();
}


bool
Page::IsSourceEdited() const
{
	return fSourceEdited;
}


void
Page::SetSourceEdited(bool edited)
{
	fSourceEdited = edited;
}


void
Page::_SetSaveItems(bool enabled)
{
	// NotSaved() comes with every key and every change of the chain; the
	// items only need touching when their state changes.
	if (enabled == fSaveItemsEnabled)
		return;
	fSaveItemsEnabled = enabled;

	BMenuBar* bars[2] = {
		visualWindow != nullptr ? visualWindow->menuBar : nullptr,
		htmlWindow != nullptr ? htmlWindow->menuBar : nullptr
	};
	for (BMenuBar* bar : bars) {
		if (bar == nullptr)
			continue;
		BMenuItem* item = bar->FindItem(kMsgSavePage);
		if (item != nullptr)
			item->SetEnabled(enabled);
	}
}


bool
Page::Quit()
{
	if (!saved) {
		std::string text = "Save changes to the document \"";
		if (path != nullptr)
			text += path;
		text += "\"?";
		BAlert* question = new BAlert("Alert", text.c_str(), "Cancel",
			"Don't Save", "Save", B_WIDTH_AS_USUAL, B_OFFSET_SPACING,
			B_WARNING_ALERT);
		int32 answer = question->Go();
		if (answer == 0)
			return false;
		// A save that failed has been reported; closing now would lose the
		// page, so it stays open.
		if (answer == 2 && !Save())
			return false;
		if (answer == 1 && autosaver != nullptr)
			autosaver->Remove();
	}
	delete this;
	return true;
}


bool
Page::Save()
{
	GenerateHTML();
	bool written;
	if (byteOrderMark) {
		std::string document = FileStart();
		document.append(HTMLBuffer(), HTMLBufferLength());
		written = _WriteFile(document.data(), document.size());
	} else
		written = _WriteFile(HTMLBuffer(), HTMLBufferLength());
	if (!written)
		return false;
	Saved();
	if (autosaver != nullptr)
		autosaver->Remove();
	return true;
}


bool
Page::SaveHTML()
{
	HTML_View* view = htmlWindow->htmlView;
	std::string text;
	if (view->LockLooper()) {
		const char* source = view->Text();
		int32 length = view->TextLength();
		text = FileStart();
		text.reserve(size_t(length) + size_t(length) / 16 + text.size());
		// The editor holds line feeds; the page file gets the CR LF line ends
		// of every document this program writes. A line feed that already
		// follows a CR (kept from a file with lone CRs) is not doubled.
		for (int32 i = 0; i < length; i++) {
			if (source[i] == '\n' && (i == 0 || source[i - 1] != '\r'))
				text += '\r';
			text += source[i];
		}
		view->UnlockLooper();
	}
	if (!_WriteFile(text.data(), text.size()))
		return false;
	Saved();
	if (autosaver != nullptr)
		autosaver->Remove();
	return true;
}


const char*
Page::FileStart() const
{
	return byteOrderMark ? kUTF8ByteOrderMark : "";
}


const char*
Page::HTMLBuffer() const
{
	return htmlBuffer != nullptr ? (const char*)htmlBuffer->Buffer() : "";
}


size_t
Page::HTMLBufferLength() const
{
	return htmlBuffer != nullptr ? htmlBuffer->BufferLength() : 0;
}
