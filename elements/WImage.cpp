#include "WImage.h"

#include <Bitmap.h>
#include <Entry.h>
#include <File.h>
#include <Menu.h>
#include <MenuItem.h>
#include <Message.h>
#include <Path.h>
#include <PopUpMenu.h>
#include <TranslationUtils.h>
#include <Window.h>

#include <sys/stat.h>

#include <cctype>
#include <cstring>
#include <map>
#include <mutex>
#include <string>

#include "Alerts.h"
#include "Anchor.h"
#include "Config.h"
#include "Functions.h"
#include "Page.h"
#include "TAGSettingsWindow.h"
#include "WYSIWYG_Engine.h"
#include "WYSIWYG_View.h"

const char* const WImage::kImageSettingsLabel = "Image settings ...";
const char* const WImage::kAnchorSettingsLabel = Anchor::kSettingsLabel;
const char* const WImage::kAlignLabels[5] = { "Align to TOP",
	"Align to ABSCENTER", "Align to MIDDLE", "Align to BOTTOM", "Don't align" };

namespace {

// The pictures of the page, by file: a page that shows the same picture two
// hundred times reads and decodes it once. An entry holds the bitmap only
// while an image shows it, and only for the file as it was when it was
// read: a picture changed on disk is read again (on Reload, say).
struct PictureEntry {
	dev_t device;
	ino_t node;
	off_t size;
	struct timespec modified;
	std::weak_ptr<BBitmap> bitmap;
};

std::mutex sPicturesLock;
std::map<std::string, PictureEntry> sPictures;

bool
SameFile(const PictureEntry& entry, const struct stat& st)
{
	return entry.device == st.st_dev && entry.node == st.st_ino
		&& entry.size == st.st_size
		&& entry.modified.tv_sec == st.st_mtim.tv_sec
		&& entry.modified.tv_nsec == st.st_mtim.tv_nsec;
}

// The decoded picture in `file` (at `path`), shared with the images that
// show the same file; null when it is no picture the translation kit reads.
std::shared_ptr<BBitmap>
Picture(const char* path, BFile& file)
{
	struct stat st;
	bool known = file.GetStat(&st) == B_OK;
	if (known) {
		std::lock_guard<std::mutex> lock(sPicturesLock);
		auto found = sPictures.find(path);
		if (found != sPictures.end() && SameFile(found->second, st)) {
			if (std::shared_ptr<BBitmap> shared = found->second.bitmap.lock())
				return shared;
		}
	}
	std::shared_ptr<BBitmap> bitmap(BTranslationUtils::GetBitmap(&file));
	if (bitmap == nullptr || !known)
		return bitmap;
	std::lock_guard<std::mutex> lock(sPicturesLock);
	// Entries of pictures nobody shows any more go when the table grows.
	if (sPictures.size() >= 64) {
		for (auto entry = sPictures.begin(); entry != sPictures.end();) {
			if (entry->second.bitmap.expired())
				entry = sPictures.erase(entry);
			else
				++entry;
		}
	}
	sPictures[path] = PictureEntry{ st.st_dev, st.st_ino, st.st_size,
		st.st_mtim, bitmap };
	return bitmap;
}

// A source with a scheme ("http:", "https:", "ftp:", "data:" ...) names no
// file of this machine.
bool
HasScheme(const char* source)
{
	if (strcmpxcase("http", source))
		return true;
	const char* p = source;
	if (!isalpha((unsigned char)*p))
		return false;
	while (isalnum((unsigned char)*p) || *p == '+' || *p == '-' || *p == '.')
		p++;
	// One letter before the colon would be a drive, not a scheme.
	return *p == ':' && p - source > 1;
}

// The vertical alignment an ALIGN value selects: the value begins one of
// the words, ignoring case. An empty value selects none.
long
AlignmentOf(const char* value)
{
	if (value == nullptr || value[0] == '\0')
		return kAlignNone;
	if (strcmpxcase(value, "TOP"))
		return kAlignTop;
	if (strcmpxcase(value, "ABSCENTER"))
		return kAlignAbsCenter;
	if (strcmpxcase(value, "CENTER") || strcmpxcase(value, "MIDDLE"))
		return kAlignMiddle;
	if (strcmpxcase(value, "BOTTOM"))
		return kAlignBottom;
	return kAlignNone;
}

const char*
ImageDirectory()
{
	Config* config = Config::Current();
	if (config == nullptr || config->imageDirectory == nullptr
		|| config->imageDirectory[0] == '\0')
		return nullptr;
	return config->imageDirectory;
}

// The folder of a file path, with its final '/'; empty without one.
std::string
FolderOf(const char* path)
{
	const char* slash = path != nullptr ? strrchr(path, '/') : nullptr;
	return slash != nullptr ? std::string(path, slash + 1 - path)
		: std::string();
}

std::string
Resolved(const std::string& path)
{
	std::string out(path.size() + 1, '\0');
	ProcessPath(&out[0], path.c_str());
	out.resize(strlen(out.c_str()));
	return out;
}

// The file a source names, beside the page when it is relative.
std::string
SourcePath(const char* source, Page* page)
{
	std::string path = source[0] == '/' ? std::string(source)
		: FolderOf(page != nullptr ? page->path : nullptr) + source;
	return Resolved(path);
}

// The source as a browser reads the address: escapes such as "%20"
// decoded, a query ("?v=2") or fragment left out. Empty when that is the
// source itself.
std::string
AddressPath(const char* source)
{
	std::string out;
	bool changed = false;
	for (const char* p = source; *p != '\0'; p++) {
		if (*p == '?' || *p == '#') {
			changed = true;
			break;
		}
		if (*p == '%' && isxdigit((unsigned char)p[1])
			&& isxdigit((unsigned char)p[2])) {
			out += (char)hexitoa(p + 1);
			p += 2;
			changed = true;
			continue;
		}
		out += *p;
	}
	return changed && !out.empty() ? out : std::string();
}

// One option as this element writes it. Values never hold a double quote
// when read from a tag; a file name may.
void
AddOption(std::string& tag, const char* name, const char* value)
{
	tag += ' ';
	tag += name;
	tag += '=';
	appendquoted(tag, value);
}

}	// namespace


WImage::WImage(entry_ref* file, WYSIWYG_Element* previous,
	WYSIWYG_Element* next, WYSIWYG_Engine* engine, bool* usable,
	BMessage* archive)
	:
	BView(BRect(0, 0, 1, 1), "", 0,
		B_WILL_DRAW | B_PULSE_NEEDED | B_FRAME_EVENTS | B_SUBPIXEL_PRECISE),
	WYSIWYG_Element(previous, next, engine, kAlignNone),
	source(nullptr),
	alternateText(nullptr),
	unsupportedOptions(nullptr),
	sourceInImageDirectory(false),
	width(nullptr),
	height(nullptr),
	border(nullptr)
{
	// What is in force here goes on after the picture, whether or not the
	// picture can be shown (a missing one inside PRE keeps the rest of the
	// block preformatted).
	Do();
	const char* className = nullptr;
	if (archive != nullptr && archive->FindString("class", &className) == B_OK
		&& strcmp(className, "WImage") == 0) {
		const char* text = nullptr;
		if (archive->FindString("src", &text) == B_OK)
			source = newtext(text);
		if (archive->FindString("alt", &text) == B_OK)
			alternateText = newtext(text);
		if (archive->FindString("unsupported", &text) == B_OK)
			unsupportedOptions = newtext(text);
		int32 alignment;
		if (archive->FindInt32("align", &alignment) == B_OK)
			SetVAlignment(alignment);
		// The archive holds the source as it is written.
		if (source != nullptr) {
			bool shown = _Load(SourcePath(source, GetPage()).c_str());
			if (usable != nullptr)
				*usable = shown;
		}
		return;
	}
	if (file == nullptr) {
		// The parser's way: Read() follows.
		_Resize(1, 1);
		if (usable != nullptr)
			*usable = true;
		return;
	}

	BEntry entry(file, true);
	BPath path;
	std::string filePath;
	if (entry.GetPath(&path) == B_OK && path.Path() != nullptr)
		filePath = path.Path();
	else if (file->name != nullptr)
		filePath = file->name;
	bool shown = _Load(filePath.c_str());
	if (usable != nullptr)
		*usable = shown;
	if (!shown)
		return;
	if (source == nullptr)
		_SourceForFile(filePath.c_str());
	if (alternateText == nullptr && source != nullptr)
		alternateText = newtext(source);
}


WImage::~WImage()
{
	delete[] source;
	delete[] alternateText;
	delete[] unsupportedOptions;
	delete[] width;
	delete[] height;
	delete[] border;
}


int
WImage::Read(char* options)
{
	WYSIWYG_Engine::ReadTAGOption("SRC", &source, options);
	WYSIWYG_Engine::ReadTAGOption("ALT", &alternateText, options);
	if (alternateText == nullptr && source != nullptr)
		alternateText = newtext(source);

	char* align = nullptr;
	WYSIWYG_Engine::ReadTAGOption("ALIGN", &align, options);
	long alignment = AlignmentOf(align);
	delete[] align;
	SetVAlignment(alignment);

	WYSIWYG_Engine::ReadTAGOption("WIDTH", &width, options);
	WYSIWYG_Engine::ReadTAGOption("HEIGHT", &height, options);
	WYSIWYG_Engine::ReadTAGOption("BORDER", &border, options);
	// What was read above is written by HTML(); an ALIGN that selects no
	// vertical alignment (a floating LEFT or RIGHT) stays with the others.
	// The names end in '=' as the reader's do, so that SRCSET or ALTX are
	// kept, not taken for SRC and ALT.
	WYSIWYG_Engine::ReadUnsupportedTAGOption(&unsupportedOptions, options,
		"SRC=", "ALT=", "WIDTH=", "HEIGHT=", "BORDER=",
		alignment != kAlignNone ? "ALIGN=" : nullptr);

	sourceInImageDirectory = false;
	if (source == nullptr) {
		// Nothing to show, and nothing to write for it.
		_Resize(1, 1);
		return 0;
	}

	if (HasScheme(source)) {
		error("Could not open the file: ", source);
		_Resize(1, 1);
	} else {
		// The file as the source spells it; where there is none, the one a
		// browser finds for the address ("my%20picture.gif").
		std::string path = SourcePath(source, GetPage());
		std::string address = AddressPath(source);
		if (!address.empty()) {
			std::string decoded = SourcePath(address.c_str(), GetPage());
			if (BFile(path.c_str(), B_READ_ONLY).InitCheck() != B_OK
				&& BFile(decoded.c_str(), B_READ_ONLY).InitCheck() == B_OK)
				path = decoded;
		}
		_Load(path.c_str());
	}

	// The source is held relative to the image directory when it begins
	// with it. File names differ by case here, so the comparison does too.
	const char* directory = ImageDirectory();
	if (directory != nullptr && strcmpdiflen(directory, source)
		&& strlen(source) > strlen(directory)) {
		char* rest = newtext(source + strlen(directory));
		delete[] source;
		source = rest;
		sourceInImageDirectory = true;
	}
	return 0;
}


void
WImage::HTML()
{
	std::string tag = "<IMG";
	if (source != nullptr) {
		std::string written;
		const char* directory = ImageDirectory();
		if (sourceInImageDirectory && directory != nullptr)
			written = directory;
		written += source;
		AddOption(tag, "SRC", written.c_str());
	}
	if (alternateText != nullptr)
		AddOption(tag, "ALT", alternateText);
	switch (VAlignment()) {
		case kAlignTop:
			tag += " ALIGN=\"TOP\"";
			break;
		case kAlignAbsCenter:
			tag += " ALIGN=\"ABSCENTER\"";
			break;
		case kAlignMiddle:
			tag += " ALIGN=\"MIDDLE\"";
			break;
		case kAlignBottom:
			tag += " ALIGN=\"BOTTOM\"";
			break;
		default:
			break;
	}
	if (width != nullptr || height != nullptr) {
		// The author's size (a thumbnail, a percentage) stays.
		if (width != nullptr)
			AddOption(tag, "WIDTH", width);
		if (height != nullptr)
			AddOption(tag, "HEIGHT", height);
	} else if (bitmap != nullptr) {
		BRect bounds = bitmap->Bounds();
		tag += " WIDTH=\"" + std::to_string((int)(bounds.Width() + 1))
			+ "\" HEIGHT=\"" + std::to_string((int)(bounds.Height() + 1))
			+ "\"";
	}
	AddOption(tag, "BORDER", border != nullptr ? border : "0");
	if (unsupportedOptions != nullptr) {
		tag += ' ';
		tag += unsupportedOptions;
	}
	tag += '>';
	if (Page* page = GetPage())
		page->InsertHTML(tag.c_str(), LineEndBefore(false), LineEndAfter(false));
}


void
WImage::Do()
{
	WYSIWYG_Element::Do();
}


void
WImage::Archive(BMessage* archive)
{
	if (archive == nullptr)
		return;
	archive->AddString("class", "WImage");
	std::string written;
	const char* directory = ImageDirectory();
	if (sourceInImageDirectory && directory != nullptr)
		written = directory;
	if (source != nullptr)
		written += source;
	archive->AddString("src", written.c_str());
	archive->AddString("alt", alternateText != nullptr ? alternateText : "");
	archive->AddInt32("align", VAlignment());
	if (unsupportedOptions != nullptr)
		archive->AddString("unsupported", unsupportedOptions);
}


BRect
WImage::WFrame()
{
	return LockedFrame(this);
}


BRect
WImage::WBounds()
{
	return LockedBounds(this);
}


BView*
WImage::View()
{
	return this;
}


void
WImage::Draw(BRect update)
{
	if (bitmap == nullptr)
		return;
	// The view's bounds are the bitmap's: the part to draw is the same
	// rectangle of both, not the whole picture squeezed into it.
	DrawBitmap(bitmap.get(), update, update);
}


void
WImage::Pulse()
{
	// Pictures out of sight cost nothing.
	if (bitmap == nullptr || !_Visible())
		return;
	Draw(Bounds());
}


void
WImage::MouseDown(BPoint where)
{
	BWindow* window = Window();
	BMessage* message = window != nullptr ? window->CurrentMessage() : nullptr;
	int32 buttons = 0;
	if (message == nullptr || message->FindInt32("buttons", &buttons) != B_OK
		|| (buttons & B_SECONDARY_MOUSE_BUTTON) == 0)
		return;
	BPoint screen = ConvertToScreen(where);

	BPopUpMenu menu("", false, false, B_ITEMS_IN_COLUMN);
	BMenuItem* imageItem = new BMenuItem(kImageSettingsLabel,
		new BMessage('    '));
	menu.AddItem(imageItem);
	BMenuItem* anchorItem = nullptr;
	if (CurrentAnchor() != nullptr) {
		anchorItem = new BMenuItem(kAnchorSettingsLabel, new BMessage('    '));
		menu.AddItem(anchorItem);
	}
	BMenuItem* alignItems[5];
	for (int i = 0; i < 5; i++) {
		alignItems[i] = new BMenuItem(kAlignLabels[i], new BMessage('    '));
		menu.AddItem(alignItems[i]);
	}

	BMenuItem* chosen = menu.Go(screen, false, false, false);
	if (chosen == nullptr)
		return;
	if (chosen == imageItem)
		TAGSettingsWindow::Open(this);
	else if (chosen == anchorItem)
		TAGSettingsWindow::Open(CurrentAnchor());
	for (int i = 0; i < 5; i++) {
		if (chosen == alignItems[i])
			Align(kAlignTop + i);
	}
}


void
WImage::Align(long alignment)
{
	SetVAlignment(alignment);
	// An ALIGN kept as read (LEFT, say) would be written beside the new one.
	if (unsupportedOptions != nullptr) {
		char* kept = nullptr;
		WYSIWYG_Engine::ReadUnsupportedTAGOption(&kept, unsupportedOptions,
			"ALIGN=");
		delete[] unsupportedOptions;
		unsupportedOptions = kept;
	}
	if (engine != nullptr) {
		engine->Place(this, false);
		engine->ResetScrollRange();
	}
	// The page changed.
	if (Page* page = GetPage())
		page->NotSaved();
}


bool
WImage::_Load(const char* path)
{
	BFile file(path, B_READ_ONLY);
	if (file.InitCheck() != B_OK) {
		error("Could not open the file: ", path);
		return false;
	}
	bitmap = Picture(path, file);
	if (bitmap == nullptr) {
		error("Incorrect Image file: ", path);
		_Resize(1, 1);
		return false;
	}
	BRect bounds = bitmap->Bounds();
	_Resize(bounds.right, bounds.bottom);
	Do();
	return true;
}


void
WImage::_Resize(float right, float bottom)
{
	BWindow* window = Window();
	bool locked = window != nullptr && window->Lock();
	ResizeTo(right, bottom);
	if (locked)
		window->Unlock();
}


void
WImage::_SourceForFile(const char* path)
{
	delete[] source;
	source = nullptr;
	sourceInImageDirectory = false;
	Page* page = GetPage();
	std::string pageFolder = FolderOf(page != nullptr ? page->path : nullptr);

	// A file of the image directory is written below it.
	if (const char* directory = ImageDirectory()) {
		std::string folder = directory[0] == '/' ? std::string(directory)
			: pageFolder + directory;
		folder = Resolved(folder);
		if (!folder.empty() && folder.back() != '/')
			folder += '/';
		if (strcmpdiflen(folder.c_str(), path) && strlen(path) > folder.size()) {
			source = newtext(path + folder.size());
			sourceInImageDirectory = true;
			return;
		}
	}
	// Else beside the page, as a browser finds it from there; else where
	// it is.
	if (!pageFolder.empty() && strcmpdiflen(pageFolder.c_str(), path)
		&& strlen(path) > pageFolder.size())
		source = newtext(path + pageFolder.size());
	else
		source = newtext(path);
}


bool
WImage::_Visible()
{
	BView* parent = Parent();
	BWindow* window = Window();
	if (parent == nullptr || window == nullptr || IsHidden()
		|| window->IsHidden())
		return false;
	return Frame().Intersects(parent->Bounds());
}
