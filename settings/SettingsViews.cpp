/*
 * The tabs of the settings window: General, Page settings and the colour
 * sample. Every control sends its message to the window, which does the
 * work (CWindow.cpp).
 */
#include "SettingsViews.h"

#include <ColorControl.h>
#include <Font.h>
#include <GraphicsDefs.h>
#include <ListView.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <PopUpMenu.h>
#include <StringItem.h>
#include <TextControl.h>
#include <TextView.h>
#include <Window.h>

#include <string.h>

#include "CWindow.h"
#include "Config.h"
#include "Functions.h"
#include "Page.h"
#include "RTextControl.h"


static const rgb_color kPanelGrey = { 216, 216, 216, 255 };

// The rows of the colour list, in the order of the page's colour numbers.
static const char* kColorRows[] = { "Text color", "Link color",
	"Background color" };


// A text control of the tabs: follows the left and top sides, draws and is
// navigable, and its label ends 3 pixels before the field. A frame lower
// than the field in it is made as high as the control needs, as the
// platform's own text controls grow to their font (the Title: row is given
// only 11 pixels).
static BTextControl*
new_text_control(BRect frame, const char* label, const char* text,
	BMessage* message)
{
	BTextControl* control = new BTextControl(frame, label, label, text,
		message, B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW | B_NAVIGABLE);
	control->SetDivider(be_plain_font->StringWidth(label) + 3);
	float height;
	control->GetPreferredSize(nullptr, &height);
	if (control->Bounds().Height() < height)
		control->ResizeTo(control->Bounds().Width(), height);
	return control;
}


// #pragma mark - ColorSampleView


ColorSampleView::ColorSampleView(BRect frame, Page* samplePage)
	:
	BView(frame, "ColorSampleView", B_FOLLOW_ALL_SIDES, B_WILL_DRAW),
	page(samplePage)
{
	font_height height;
	be_plain_font->GetHeight(&height);
	float width = be_plain_font->StringWidth("Text link") + 10;
	float tall = height.ascent + height.descent + height.leading + 10;
	if (width > frame.right)
		width = frame.right;
	if (tall > frame.bottom)
		tall = frame.bottom;
	ResizeTo(width, tall);
	Reset();
}


void
ColorSampleView::Reset()
{
	if (page == nullptr || page->backgroundColor == nullptr)
		return;
	SetLowColor(*page->backgroundColor);
	SetViewColor(*page->backgroundColor);
	if (Parent() != nullptr)
		Invalidate();
}


void
ColorSampleView::Draw(BRect updateRect)
{
	BView::Draw(updateRect);
	StrokeRect(Bounds());
	if (page == nullptr)
		return;

	rgb_color high = HighColor();
	font_height height;
	GetFontHeight(&height);
	float y = height.ascent + height.descent + height.leading + 4;
	float textWidth = StringWidth("Text ");
	float linkLeft = 5 + textWidth;

	SetHighColor(*page->textColor);
	DrawString("Text ", BPoint(5, y));
	SetHighColor(*page->linkColor);
	DrawString("link", BPoint(linkLeft, y));
	StrokeLine(BPoint(linkLeft - 1, y + 2),
		BPoint(linkLeft + StringWidth("link"), y + 2));
	SetHighColor(high);
}


// #pragma mark - GeneralView


const int32 GeneralView::fontsizesarray[] = { 7, 9, 10, 12, 14, 18, 24, 0 };


// A pop-up menu of the settings: radio mode, the marked item as its label,
// items in a column.
static BPopUpMenu*
new_choice_menu(const char* name)
{
	return new BPopUpMenu(name, true, true, B_ITEMS_IN_COLUMN);
}


// One item per installed family that `wanted` accepts, sending `command`
// with "family"; the family equal to `current` is marked.
static BPopUpMenu*
new_family_menu(uint32 command, const char* current,
	bool (*wanted)(const char* family, uint32 flags))
{
	BPopUpMenu* menu = new_choice_menu("Font");
	int32 count = count_font_families();
	for (int32 i = 0; i < count; i++) {
		font_family family;
		uint32 flags = 0;
		if (get_font_family(i, &family, &flags) != B_OK)
			continue;
		if (!wanted(family, flags))
			continue;
		BMessage* message = new BMessage(command);
		message->AddString("family", family);
		BMenuItem* item = new BMenuItem(family, message);
		menu->AddItem(item);
		if (current != nullptr && strcmp(current, family) == 0)
			item->SetMarked(true);
	}
	return menu;
}


static bool
is_text_family(const char* family, uint32)
{
	return Config::HasTextStyles(family);
}


static bool
is_fixed_family(const char*, uint32 flags)
{
	return (flags & B_IS_FIXED) != 0;
}


// One item per size of fontsizesarray, sending `command` with "size"; the
// item whose label is `current` is marked.
static BPopUpMenu*
new_size_menu(uint32 command, int32 current)
{
	BPopUpMenu* menu = new_choice_menu("Size");
	char currentLabel[12];
	itoa(current, currentLabel);
	for (const int32* size = GeneralView::fontsizesarray; *size != 0; size++) {
		char label[12];
		itoa(*size, label);
		BMessage* message = new BMessage(command);
		message->AddInt32("size", *size);
		BMenuItem* item = new BMenuItem(label, message);
		menu->AddItem(item);
		if (strcmp(label, currentLabel) == 0)
			item->SetMarked(true);
	}
	return menu;
}


GeneralView::GeneralView(BRect frame, Config* generalConfig)
	:
	BView(frame, "General", B_FOLLOW_ALL_SIDES, B_WILL_DRAW),
	config(generalConfig),
	nameControl(nullptr),
	imageDirectoryControl(nullptr),
	proportionalFontField(nullptr),
	proportionalSizeField(nullptr),
	fixedFontField(nullptr),
	fixedSizeField(nullptr)
{
	SetViewColor(kPanelGrey);

	nameControl = new_text_control(BRect(0, 10, 245, 30), "Your name:",
		config->userName, nullptr);
	AddChild(nameControl);
	imageDirectoryControl = new_text_control(BRect(0, 45, 245, 75),
		"Image directory:", config->imageDirectory, nullptr);
	AddChild(imageDirectoryControl);

	proportionalFontField = _AddMenuField(BRect(0, 87, 245, 110), "Font",
		"Proportional font:", new_family_menu(kMsgProportionalFamily,
			config->proportionalFamily, is_text_family));
	proportionalSizeField = _AddMenuField(BRect(5, 110, 245, 142),
		"FontSize", "Size:", new_size_menu(kMsgProportionalSize,
			config->proportionalSize));
	fixedFontField = _AddMenuField(BRect(0, 153, 245, 178), "Font",
		"Fixed font:", new_family_menu(kMsgFixedFamily, config->fixedFamily,
			is_fixed_family));
	fixedSizeField = _AddMenuField(BRect(5, 179, 245, 209), "FontSize",
		"Size:", new_size_menu(kMsgFixedSize, config->fixedSize));

	AddChild(new HighSaveButton(Bounds(), "Save"));
}


BMenuField*
GeneralView::_AddMenuField(BRect frame, const char* name, const char* label,
	BMenu* menu)
{
	BMenuField* field = new BMenuField(frame, name, label, menu,
		uint32(B_FOLLOW_LEFT | B_FOLLOW_TOP), B_WILL_DRAW | B_NAVIGABLE);
	field->SetDivider(be_plain_font->StringWidth(label) + 3);
	AddChild(field);
	return field;
}


void
GeneralView::Draw(BRect updateRect)
{
	BView::Draw(updateRect);
}


void
GeneralView::AllAttached()
{
}


// #pragma mark - PView


PView::PView(BRect frame, Page* settingsPage)
	:
	BView(frame, "Page settings", B_FOLLOW_ALL_SIDES, B_WILL_DRAW),
	titleControl(nullptr),
	backgroundControl(nullptr),
	sample(nullptr),
	colorList(nullptr),
	colorControl(nullptr),
	lastColorRow(0),
	page(settingsPage)
{
	SetViewColor(kPanelGrey);

	titleControl = new_text_control(BRect(0, 10, 245, 20), "Title:",
		page->title, new BMessage(kMsgTitleEntered));
	// The title is text of the page, in its encoding: a typed character
	// the encoding cannot hold goes in as HTML's numeric reference.
	BFont pageText;
	pageText.SetEncoding(page->encoding);
	titleControl->TextView()->SetFontAndColor(&pageText, B_FONT_ENCODING);
	titleControl->TextView()->SetReferencePrefix('&');
	AddChild(titleControl);
	backgroundControl = new_text_control(BRect(0, 34, 245, 50),
		"Page background:", page->background,
		new BMessage(kMsgBackgroundEntered));
	AddChild(backgroundControl);

	colorList = new BListView(BRect(10, 60, 182, 110), "ColorList",
		B_SINGLE_SELECTION_LIST);
	colorList->SetViewColor(kPanelGrey);
	colorList->SetLowColor(kPanelGrey);
	for (const char* row : kColorRows)
		colorList->AddItem(new BStringItem(row));
	colorList->SetSelectionMessage(new BMessage(kMsgColorRow));
	AddChild(colorList);

	sample = new ColorSampleView(BRect(191, 80, 220, 115), page);
	AddChild(sample);

	colorControl = new BColorControl(BPoint(10, 115), B_CELLS_16x16, 10,
		"ColorControl", new BMessage(kMsgColorValue), false);
	AddChild(colorControl);

	AddChild(new HighSaveButton(Bounds(), "OK"));
}


PView::~PView()
{
	// A list view does not own its items.
	for (int32 i = colorList->CountItems() - 1; i >= 0; i--)
		delete colorList->RemoveItem(i);
}


int32
PView::PageColorOfRow(int32 row)
{
	return row >= 0 && row < 3 ? row + 1 : 0;
}


void
PView::AttachedToWindow()
{
	BView::AttachedToWindow();
	colorList->Select(0);
	// The colour control shows the text colour from the start.
	if (Window() != nullptr)
		Window()->PostMessage(kMsgColorRow);
	sample->Reset();
}
