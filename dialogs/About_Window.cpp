/*
 * The About window and the image translator test.
 */
#include "About_Window.h"

#include <Bitmap.h>
#include <Button.h>
#include <File.h>
#include <Screen.h>
#include <TranslationUtils.h>

#include <string>

#include "Alerts.h"
#include "Config.h"


static const char* kGIFInstructions = "Your GIF Translator doesn't work "
	"properly or you haven't installed it at all. Follow the instructions to "
	"set it up. \n\n1) Open the directory into which you have installed "
	"Quillora. You should see a directory named \"GIFTranslator\". Open it. "
	"\n\n2) Open BeOS Preferences-Data Translations. \n\n3) Drag and drop the "
	"GIFTranslator file from the directory GIFTranslator to the list of "
	"Translators in the Data Translations window. \n\n4) Restart computer.\n";

static const char* kJPEGInstructions = "Your JPEG Translator doesn't work "
	"properly or you haven't installed it at all. Something has gone wrong "
	"because the JPEG Translator is a standard part of BeOS. Maybe you have "
	"deleted or moved it somewhere else. The fastest way to install it is "
	"probably this. \n\n1) Click on the Be Menu - Find and find "
	"\"JPEGTranslator\". The correct JPEGTranslator should be without an "
	"extension - an icon with three colored cubes. If you can't find it on "
	"your disks, look for it on the BeOS R4 CD-ROM. \n\n2) Open Be Preferences "
	"- Data Translations. \n\n3) Drag and drop the JPEGTranslator file to the "
	"list of Translators in the Data Translations window. \n\n4) Restart "
	"computer. \n";


About_Window::About_Window()
	:
	BWindow(BRect(0, 0, 0, 0), "About_Window", B_MODAL_WINDOW_LOOK,
		window_feel(4), B_NOT_RESIZABLE)
{
	AddChild(new About_View(Bounds()));
}


void
About_Window::Quit()
{
	Lock();
	BWindow::Quit();
}


// Opens one of the pictures that test the translators; a missing one is
// reported, since the program's documents are not where they belong.
static bool
open_test_image(const char* name, const char* translator, BFile* file)
{
	Config* config = Config::Current();
	std::string path;
	if (config != nullptr && config->applicationDirectory != nullptr)
		path = config->applicationDirectory;
	path += "Documentation/images/";
	path += name;
	if (file->SetTo(path.c_str(), B_READ_ONLY) == B_OK)
		return true;
	std::string why = std::string(" The file is necessary to test the ")
		+ translator + ".";
	error("Could not open image file: ", path.c_str(), why.c_str());
	return false;
}


About_View::About_View(BRect frame)
	:
	BView(frame, "About", B_FOLLOW_ALL_SIDES, B_WILL_DRAW | B_PULSE_NEEDED),
	bitmap(nullptr)
{
	BFile gif;
	if (!open_test_image("About.gif", "GIFTranslator", &gif))
		ResizeTo(100, 100);
	else {
		bitmap = BTranslationUtils::GetBitmap(&gif);
		if (bitmap == nullptr) {
			error(kGIFInstructions);
			ResizeTo(100, 100);
		} else {
			BRect bounds = bitmap->Bounds();
			ResizeTo(bounds.Width(), bounds.Height());
		}
	}

	BFile jpeg;
	if (open_test_image("Test.jpg", "JPEG Translator", &jpeg)) {
		BBitmap* test = BTranslationUtils::GetBitmap(&jpeg);
		if (test == nullptr)
			error(kJPEGInstructions);
		delete test;
	}
}


void
About_View::ReportMissingImages()
{
	BFile file;
	open_test_image("About.gif", "GIFTranslator", &file);
	open_test_image("Test.jpg", "JPEG Translator", &file);
}


About_View::~About_View()
{
	delete bitmap;
}


void
About_View::AttachedToWindow()
{
	BView::AttachedToWindow();
	float width = Bounds().right;
	float height = Bounds().bottom;

	if (dynamic_cast<About_Window*>(Window()) != nullptr) {
		BRect screen = BScreen().Frame();
		Window()->ResizeTo(width, height);
		Window()->MoveTo((screen.right - width) / 2,
			(screen.bottom - height) / 2);
	}

	if (bitmap != nullptr)
		SetViewBitmap(bitmap, B_FOLLOW_TOP | B_FOLLOW_LEFT, B_TILE_BITMAP);

	float left = (width - width / 3) / 2;
	BButton* button = new BButton(BRect(left, height - 45, left + width / 3,
		height - 25), "button", "OK", new BMessage(B_QUIT_REQUESTED),
		B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW | B_NAVIGABLE);
	AddChild(button);
}
