/*
 * The tabs of the settings window (CWindow): General (the program's
 * settings), Page settings (one page's title, background and colours) and
 * the colour sample on the Page settings tab.
 */
#ifndef QUILLORA_SETTINGS_VIEWS_H
#define QUILLORA_SETTINGS_VIEWS_H

#include <View.h>

class BColorControl;
class BListView;
class BMenu;
class BMenuField;
class BTextControl;
class Config;
class Page;

// The page's text in its text colour and a link in its link colour, on its
// background colour.
class ColorSampleView : public BView {
public:
	ColorSampleView(BRect frame, Page* page);

	virtual void Draw(BRect updateRect);

	// Takes the page's background colour again and repaints.
	void Reset();

	// Fields, in this order.
	Page* page;
};

class GeneralView : public BView {
public:
	GeneralView(BRect frame, Config* config);

	virtual void Draw(BRect updateRect);
	virtual void AllAttached();

	// The sizes both size menus offer, ended by 0.
	static const int32 fontsizesarray[];

	// Fields, in this order.
	Config* config;
	BTextControl* nameControl;
	BTextControl* imageDirectoryControl;

	// The four menu fields: proportional family and size, fixed family and
	// size.
	BMenuField* proportionalFontField;
	BMenuField* proportionalSizeField;
	BMenuField* fixedFontField;
	BMenuField* fixedSizeField;

private:
	BMenuField* _AddMenuField(BRect frame, const char* name,
		const char* label, BMenu* menu);
};

class PView : public BView {
public:
	PView(BRect frame, Page* page);
	virtual ~PView();

	virtual void AttachedToWindow();

	// The page colour (1 text, 2 link, 3 background, as Page::SetColors
	// takes them) that a row of the colour list stands for, or 0.
	static int32 PageColorOfRow(int32 row);

	// Fields, in this order.
	BTextControl* titleControl;
	BTextControl* backgroundControl;
	ColorSampleView* sample;
	BListView* colorList;
	BColorControl* colorControl;
	int32 lastColorRow;
	Page* page;
};

#endif	// QUILLORA_SETTINGS_VIEWS_H
