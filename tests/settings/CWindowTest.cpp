/*
 * The settings window, opened by "Preferences…" on a real page: its tabs
 * and controls, fonts that lay the page out as a fresh open would, colours
 * that reach the page and its document, the page tab's and the General
 * tab's save, and a colour drag that repaints the page at a bounded rate.
 */
#include "ProgramFixture.h"

#include <Button.h>
#include <Clipboard.h>
#include <ColorControl.h>
#include <GraphicsDefs.h>
#include <ListView.h>
#include <MenuField.h>
#include <PopUpMenu.h>
#include <StringItem.h>
#include <TabView.h>
#include <TextControl.h>
#include <TextView.h>

#include <functional>

#include <OS.h>

#include "../kits/controls/ControlsTesting.h"
#include "About_Window.h"
#include "CWindow.h"
#include "ChainDump.h"
#include "ChainText.h"
#include "RTextControl.h"
#include "SettingsViews.h"
#include "WYSIWYG_Engine.h"
#include "WYSIWYG_View.h"

using namespace quillora_test;

namespace {

std::function<void(BWindow*, BMenu*)> sMenuScript;

void
menu_script(BWindow* window, BMenu* menu, void*)
{
	if (sMenuScript)
		sMenuScript(window, menu);
}


class SettingsWindowTest : public ProgramTest {
protected:
	void SetUp() override
	{
		ProgramTest::SetUp();
		fSettingsFile = TestHome() + "/config/Brindel/Quillora_settings";
		fSavedSettings = ReadFile(fSettingsFile);
		ASSERT_FALSE(fSavedSettings.empty());
		BMenu::SetOpenHook(menu_script, nullptr);
	}

	void TearDown() override
	{
		BMenu::SetOpenHook(nullptr, nullptr);
		sMenuScript = nullptr;
		ProgramTest::TearDown();
		// The settings of the whole test program stay as they were.
		WriteFile(fSettingsFile, fSavedSettings);
	}

	// Opens a copy of a page of the test data, with its pictures.
	void OpenDataPage(const char* name)
	{
		CopySamplePictures(fDirectory);
		OpenContent(ReadFile(std::string(QUILLORA_TEST_DATA "/pages/") + name));
	}

	WWindow* Visual() { return CurrentPage()->visualWindow; }

	// "Preferences…" in the visual window, as the menu sends it.
	CWindow* OpenSettings()
	{
		Send(Visual(), kMsgPreferences);
		std::vector<CWindow*> windows = WindowsOf<CWindow>();
		return windows.empty() ? nullptr : windows.back();
	}

	static void Close(CWindow* window)
	{
		Send(window, B_QUIT_REQUESTED);
	}

	// Opens the field's menu with a click, as a user does, and clicks the
	// item labelled `label` in it.
	static void Choose(CWindow* window, BMenuField* field, const char* label)
	{
		sMenuScript = [label](BWindow* menuWindow, BMenu* menu) {
			for (int32 i = 0; i < menu->CountItems(); i++) {
				if (strcmp(menu->ItemAt(i)->Label(), label) != 0)
					continue;
				BRect frame = menu->ItemAt(i)->Frame();
				ControlsWindow::ClickIn(menuWindow, menu,
					BPoint(frame.left + 4, frame.top + 3));
				return;
			}
			ADD_FAILURE() << "no item " << label;
			menuWindow->PostMessage(B_QUIT_REQUESTED);
		};
		ControlsWindow::ClickIn(window, field,
			BPoint(field->Divider() + 10, 8));
		Idle();
		sMenuScript = nullptr;
	}

	// A click on the colour control's ramp (0 red, 1 green, 2 blue, 3
	// grey) at `fraction` of its length.
	static BPoint RampPoint(BColorControl* control, int32 ramp, float fraction)
	{
		BRect frame = control->RampFrame(ramp);
		return BPoint(frame.left + fraction * frame.Width(),
			floorf((frame.top + frame.bottom) / 2));
	}

	// A click on the tab's label.
	static void SelectTab(CWindow* window, int32 index)
	{
		BRect frame = window->tabView->TabFrame(index);
		ControlsWindow::ClickIn(window, window->tabView,
			BPoint((frame.left + frame.right) / 2,
				(frame.top + frame.bottom) / 2));
		Idle();
		EXPECT_EQ(window->tabView->Selection(), index);
	}

	// Runs the program's loop (timers included) until `done` holds, for
	// at most a second.
	static void RunUntil(std::function<bool()> done)
	{
		struct Wait {
			std::function<bool()> done;
			bigtime_t deadline;
		} wait = { done, system_time() + 1000000 };
		BPrivate::run_event_loop_until([](void* cookie) {
			Wait* w = static_cast<Wait*>(cookie);
			return w->done() || system_time() > w->deadline;
		}, &wait);
	}

	// A click on the colour control's ramp; the page takes the colour when
	// a change is due.
	static void ClickRamp(CWindow* window, int32 ramp, float fraction)
	{
		BColorControl* control = window->pageView->colorControl;
		ControlsWindow::ClickIn(window, control,
			RampPoint(control, ramp, fraction));
		Idle();
		RunUntil([window]() { return !window->IsColorChangePending(); });
	}

	static void SelectRow(CWindow* window, int32 row)
	{
		BListView* list = window->pageView->colorList;
		BRect frame = list->ItemFrame(row);
		ControlsWindow::ClickIn(window, list,
			BPoint(frame.left + 5, frame.top + 2));
		Idle();
	}

	std::string BodyLine()
	{
		std::string html = GeneratedDocument(CurrentPage());
		size_t start = html.find("<BODY");
		return start == std::string::npos ? std::string()
			: html.substr(start, html.find("\r\n", start) - start);
	}

	std::vector<std::string> SettingsLines()
	{
		return SplitLines(ReadFile(fSettingsFile));
	}

	std::string fSettingsFile;
	std::string fSavedSettings;
};


std::string
LabelOf(BView* view)
{
	BTextControl* text = dynamic_cast<BTextControl*>(view);
	if (text != nullptr)
		return text->Label() != nullptr ? text->Label() : "";
	BMenuField* field = dynamic_cast<BMenuField*>(view);
	if (field != nullptr)
		return field->Label() != nullptr ? field->Label() : "";
	BButton* button = dynamic_cast<BButton*>(view);
	if (button != nullptr)
		return button->Label() != nullptr ? button->Label() : "";
	return view->Name();
}


std::vector<std::string>
ItemLabels(BMenu* menu)
{
	std::vector<std::string> labels;
	for (int32 i = 0; i < menu->CountItems(); i++)
		labels.push_back(menu->ItemAt(i)->Label());
	return labels;
}


std::string
MarkedLabel(BMenu* menu)
{
	BMenuItem* marked = menu->FindMarked();
	return marked != nullptr ? marked->Label() : "";
}

}	// namespace


TEST_F(SettingsWindowTest, TabsControlsAndTheirPlaces)
{
	OpenDataPage("styled.html");
	Page* page = CurrentPage();
	ASSERT_TRUE(page->IsSaved());
	CWindow* window = OpenSettings();
	ASSERT_NE(window, nullptr);
	// Opening it counts as a change of the page.
	EXPECT_FALSE(page->IsSaved());

	EXPECT_STREQ(window->Title(), "Quillora settings");
	EXPECT_EQ(window->Frame(), BRect(20, 20, 330, 340));
	EXPECT_EQ(window->Look(), B_TITLED_WINDOW_LOOK);
	EXPECT_EQ(window->Feel(), B_MODAL_APP_WINDOW_FEEL);
	EXPECT_EQ(window->Flags(), uint32(0x4042));
	ASSERT_NE(window->tabView, nullptr);
	EXPECT_STREQ(window->tabView->Name(), "tab_view");
	ASSERT_EQ(window->tabView->CountTabs(), 3);
	EXPECT_STREQ(window->tabView->TabAt(0)->Label(), "Page settings");
	EXPECT_STREQ(window->tabView->TabAt(1)->Label(), "General");
	EXPECT_STREQ(window->tabView->TabAt(2)->Label(), "About");
	EXPECT_EQ(window->tabView->ViewForTab(2), window->aboutView);
	EXPECT_NE(window->aboutView->bitmap, nullptr);
	EXPECT_EQ(fAlerts.CountAlerts(), 0);

	// Page settings: the page's own title and background, the colour rows,
	// the colour control showing the text colour, the sample.
	PView* pageView = window->pageView;
	ASSERT_NE(pageView, nullptr);
	EXPECT_EQ(window->tabView->ViewForTab(0), pageView);
	EXPECT_EQ(LabelOf(pageView->titleControl), "Title:");
	EXPECT_STREQ(pageView->titleControl->Text(), "Styled page");
	EXPECT_EQ(LabelOf(pageView->backgroundControl), "Page background:");
	EXPECT_STREQ(pageView->backgroundControl->Text(), "images/tile.gif");
	EXPECT_EQ(pageView->titleControl->Divider(),
		floorf(be_plain_font->StringWidth("Title:") + 3 + 0.5f));
	// The title row is given 11 pixels; the control grows to hold its
	// field, and still ends above the background field.
	EXPECT_EQ(pageView->titleControl->Frame().LeftTop(), BPoint(0, 10));
	EXPECT_LT(pageView->titleControl->Frame().bottom,
		pageView->backgroundControl->Frame().top);
	EXPECT_EQ(pageView->backgroundControl->Frame().LeftTop(), BPoint(0, 34));
	ASSERT_EQ(pageView->colorList->CountItems(), 3);
	const char* rows[] = { "Text color", "Link color", "Background color" };
	for (int32 i = 0; i < 3; i++) {
		EXPECT_STREQ(static_cast<BStringItem*>(
			pageView->colorList->ItemAt(i))->Text(), rows[i]);
	}
	EXPECT_EQ(pageView->colorList->Frame(), BRect(10, 60, 182, 110));
	EXPECT_EQ(pageView->colorList->CurrentSelection(), 0);
	rgb_color shown = pageView->colorControl->ValueAsColor();
	EXPECT_EQ(shown.red, 0xFF);
	EXPECT_EQ(shown.green, 0x00);
	EXPECT_EQ(shown.blue, 0x10);
	EXPECT_STREQ(pageView->colorControl->Name(), "ColorControl");
	EXPECT_EQ(pageView->colorControl->Frame().LeftTop(), BPoint(10, 115));
	EXPECT_EQ(pageView->colorControl->Layout(), B_CELLS_16x16);
	EXPECT_STREQ(pageView->sample->Name(), "ColorSampleView");
	EXPECT_EQ(pageView->sample->Frame().LeftTop(), BPoint(191, 80));
	EXPECT_EQ(pageView->sample->ViewColor(), *page->backgroundColor);

	// General: the fields, the four menus and the save button.
	GeneralView* general = window->generalView;
	std::vector<std::string> labels;
	for (int32 i = 0; i < general->CountChildren(); i++)
		labels.push_back(LabelOf(general->ChildAt(i)));
	EXPECT_EQ(labels, (std::vector<std::string>{ "Your name:",
		"Image directory:", "Proportional font:", "Size:", "Fixed font:",
		"Size:", "Save" }));
	const BRect frames[] = { BRect(0, 10, 245, 30), BRect(0, 45, 245, 75),
		BRect(0, 87, 245, 110), BRect(5, 110, 245, 142),
		BRect(0, 153, 245, 178), BRect(5, 179, 245, 209) };
	for (int32 i = 0; i < 6; i++) {
		BRect frame = general->ChildAt(i)->Frame();
		EXPECT_EQ(frame.LeftTop(), frames[i].LeftTop()) << labels[i];
		EXPECT_EQ(frame.right, frames[i].right) << labels[i];
	}
	EXPECT_STREQ(general->proportionalFontField->Name(), "Font");
	EXPECT_STREQ(general->proportionalSizeField->Name(), "FontSize");
	EXPECT_STREQ(general->proportionalSizeField->Menu()->Name(), "Size");
	BButton* save = dynamic_cast<BButton*>(general->ChildAt(6));
	ASSERT_NE(save, nullptr);
	EXPECT_EQ(save->Message()->what, kMsgHighSave);
	EXPECT_EQ(save->Frame().right, general->Bounds().right - 5);
	BButton* ok = dynamic_cast<BButton*>(
		pageView->FindView("HighSaveButton"));
	ASSERT_NE(ok, nullptr);
	EXPECT_STREQ(ok->Label(), "OK");

	// The size menus offer the same sizes and mark the configured one.
	Config* config = fApplication->config;
	const std::vector<std::string> sizes
		= { "7", "9", "10", "12", "14", "18", "24" };
	BMenu* sizeMenu = general->proportionalSizeField->Menu();
	EXPECT_EQ(ItemLabels(sizeMenu), sizes);
	EXPECT_EQ(ItemLabels(general->fixedSizeField->Menu()), sizes);
	EXPECT_EQ(MarkedLabel(sizeMenu), std::to_string(config->proportionalSize));
	for (int32 i = 0; i < sizeMenu->CountItems(); i++) {
		BMessage* message = sizeMenu->ItemAt(i)->Message();
		EXPECT_EQ(message->what, kMsgProportionalSize);
		EXPECT_EQ(std::to_string(message->GetInt32("size", -1)),
			sizes[i]);
		EXPECT_EQ(general->fixedSizeField->Menu()->ItemAt(i)->Message()->what,
			kMsgFixedSize);
	}

	// The family menus: a family with italic, bold and bold italic for the
	// text, a fixed-width one for the fixed font, each marked as set.
	std::vector<std::string> text
		= ItemLabels(general->proportionalFontField->Menu());
	std::vector<std::string> fixed
		= ItemLabels(general->fixedFontField->Menu());
	auto has = [](const std::vector<std::string>& list, const char* name) {
		return std::find(list.begin(), list.end(), name) != list.end();
	};
	EXPECT_TRUE(has(text, "DejaVu Serif"));
	EXPECT_TRUE(has(text, "Liberation Sans"));
	// Its slanted faces are named Oblique.
	EXPECT_FALSE(has(text, "DejaVu Sans Mono"));
	EXPECT_TRUE(has(fixed, "DejaVu Sans Mono"));
	EXPECT_TRUE(has(fixed, "Liberation Mono"));
	EXPECT_FALSE(has(fixed, "DejaVu Serif"));
	EXPECT_EQ(MarkedLabel(general->proportionalFontField->Menu()),
		config->proportionalFamily);
	EXPECT_EQ(MarkedLabel(general->fixedFontField->Menu()),
		config->fixedFamily);
	Close(window);

	// Without a page there is no page tab, and nothing to mark.
	page->Saved();
	CWindow* plain = new CWindow(config, nullptr);
	ASSERT_EQ(plain->tabView->CountTabs(), 2);
	EXPECT_STREQ(plain->tabView->TabAt(0)->Label(), "General");
	EXPECT_EQ(plain->pageView, nullptr);
	plain->Show();
	Idle();
	EXPECT_TRUE(page->IsSaved());
	Close(plain);
}


TEST_F(SettingsWindowTest, FontChoicesLayThePageOutAsAFreshOpenWould)
{
	OpenDataPage("styled.html");
	// A long paragraph that wraps, so that lines break elsewhere in another
	// font.
	Page* page = CurrentPage();
	std::string html = ReadFile(fPath);
	std::string words;
	for (int i = 0; i < 60; i++)
		words += "wrapping words in <TT>fixed " + std::to_string(i) + "</TT> ";
	html.insert(html.find("</BODY>"), "<P>" + words + "</P>\n");
	WriteFile(fPath, html);
	Send(Visual(), kMsgReload);
	std::string before = DumpChain(Visual()->engine);

	Config* config = fApplication->config;
	std::string oldFamily = config->proportionalFamily;
	const char* otherFamily = oldFamily == "Liberation Serif"
		? "DejaVu Serif" : "Liberation Serif";
	const char* otherFixed = std::string(config->fixedFamily)
		== "Liberation Mono" ? "DejaVu Sans Mono" : "Liberation Mono";
	std::string settingsBefore = ReadFile(fSettingsFile);

	CWindow* window = OpenSettings();
	ASSERT_NE(window, nullptr);
	SelectTab(window, 1);
	GeneralView* general = window->generalView;
	Choose(window, general->proportionalSizeField, "18");
	EXPECT_EQ(config->proportionalSize, 18);
	EXPECT_EQ(MarkedLabel(general->proportionalSizeField->Menu()), "18");
	Choose(window, general->proportionalFontField, otherFamily);
	EXPECT_STREQ(config->proportionalFamily, otherFamily);
	Choose(window, general->fixedFontField, otherFixed);
	Choose(window, general->fixedSizeField, "14");
	EXPECT_EQ(config->fixedSize, 14);
	std::string after = DumpChain(Visual()->engine);
	EXPECT_TRUE(after != before);
	// Chosen, not saved: the file is as it was.
	EXPECT_EQ(ReadFile(fSettingsFile), settingsBefore);

	// The same page opened afresh with these settings.
	std::string copy = fDirectory + "/fresh.html";
	WriteFile(copy, html);
	Page* fresh = new Page(&copy[0], 1);
	fApplication->pages[1] = fresh;
	Idle();
	std::string expected = DumpChain(fresh->visualWindow->engine);
	EXPECT_EQ(after, expected) << DiffLines(expected, after);
	EXPECT_EQ(*page->plainFont, *fresh->plainFont);
	EXPECT_EQ(*page->fixedFont, *fresh->fixedFont);
	EXPECT_EQ(page->headingFonts[0]->Size(), 30);

	// A message without its value changes nothing.
	window->PostMessage(kMsgProportionalSize);
	window->PostMessage(kMsgProportionalFamily);
	BMessage zero(kMsgFixedSize);
	zero.AddInt32("size", 0);
	window->PostMessage(&zero);
	Idle();
	EXPECT_EQ(config->proportionalSize, 18);
	EXPECT_STREQ(config->proportionalFamily, otherFamily);
	EXPECT_EQ(config->fixedSize, 14);
	Close(window);
}


TEST_F(SettingsWindowTest, ColoursReachThePageTheSampleAndTheBodyLine)
{
	OpenDataPage("styled.html");
	Page* page = CurrentPage();
	EXPECT_NE(BodyLine().find("LINK=\"#008000\""), std::string::npos);
	CWindow* window = OpenSettings();
	ASSERT_NE(window, nullptr);
	PView* pageView = window->pageView;
	BColorControl* control = pageView->colorControl;

	// "Link color", then a click at the far end of the blue ramp: the
	// control now shows the link colour with full blue.
	SelectRow(window, 1);
	EXPECT_EQ(pageView->colorList->CurrentSelection(), 1);
	EXPECT_EQ(control->ValueAsColor().green, 0x80);
	ClickRamp(window, 2, 1.0f);
	EXPECT_EQ(page->linkColor->red, 0);
	EXPECT_EQ(page->linkColor->green, 0x80);
	EXPECT_EQ(page->linkColor->blue, 0xFF);
	EXPECT_NE(BodyLine().find("LINK=\"#0080FF\""), std::string::npos)
		<< BodyLine();
	EXPECT_NE(BodyLine().find("TEXT=\"#FF0010\""), std::string::npos);

	// "Background color" and a click on the grey ramp: the page view and
	// the sample take it at once.
	SelectRow(window, 2);
	EXPECT_EQ(control->ValueAsColor().blue, 0xE0);
	ClickRamp(window, 3, 0.0f);
	rgb_color black = { 0, 0, 0, 255 };
	EXPECT_EQ(*page->backgroundColor, black);
	EXPECT_EQ(Visual()->engine->view->ViewColor(), black);
	EXPECT_EQ(pageView->sample->ViewColor(), black);
	EXPECT_NE(BodyLine().find("BGCOLOR=\"#000000\""), std::string::npos);

	// A click into the empty part of the list leaves the row selected.
	BRect below = pageView->colorList->Bounds();
	ControlsWindow::ClickIn(window, pageView->colorList,
		BPoint(20, below.bottom - 1));
	Idle();
	EXPECT_EQ(pageView->colorList->CurrentSelection(), 2);
	EXPECT_EQ(pageView->lastColorRow, 2);

	// Back on "Text color", the control shows the text colour again.
	SelectRow(window, 0);
	EXPECT_EQ(control->ValueAsColor().red, 0xFF);
	EXPECT_EQ(control->ValueAsColor().blue, 0x10);
	Close(window);
}


TEST_F(SettingsWindowTest, ADraggedColourRepaintsThePageAtABoundedRate)
{
	OpenDataPage("styled.html");
	Page* page = CurrentPage();
	CWindow* window = OpenSettings();
	ASSERT_NE(window, nullptr);
	BColorControl* control = window->pageView->colorControl;
	EXPECT_EQ(window->PageColorUpdates(), 0);

	// A drag along the red ramp, all of it queued at once as a busy
	// window gets it: one update of the page, with the last value.
	auto drag = [&](float from, float to) {
		BPoint start = RampPoint(control, 0, from);
		BMessage down = ControlsWindow::MouseMessage(window, B_MOUSE_DOWN,
			control, start);
		window->PostMessage(&down);
		for (int32 i = 1; i <= 40; i++) {
			BPoint where = RampPoint(control, 0,
				from + (to - from) * float(i) / 40);
			BMessage moved = ControlsWindow::MouseMessage(window,
				B_MOUSE_MOVED, control, where);
			window->PostMessage(&moved);
		}
		BMessage up = ControlsWindow::MouseMessage(window, B_MOUSE_UP,
			control, RampPoint(control, 0, to));
		window->PostMessage(&up);
		Idle();
	};
	drag(0.0f, 0.5f);
	EXPECT_EQ(window->PageColorUpdates(), 1);
	EXPECT_EQ(page->textColor->red, control->ValueAsColor().red);
	EXPECT_NEAR(page->textColor->red, 128, 2);

	// A drag whose every step is handled before the next one comes, as on
	// a page quick to repaint: the page still takes at most one change per
	// interval, and the drag's last value in the end.
	bigtime_t start = system_time();
	BMessage down = ControlsWindow::MouseMessage(window, B_MOUSE_DOWN,
		control, RampPoint(control, 0, 0.0f));
	window->PostMessage(&down);
	Idle();
	for (int32 i = 1; i <= 30; i++) {
		BMessage moved = ControlsWindow::MouseMessage(window, B_MOUSE_MOVED,
			control, RampPoint(control, 0, float(i) / 30));
		window->PostMessage(&moved);
		Idle();
	}
	BMessage up = ControlsWindow::MouseMessage(window, B_MOUSE_UP, control,
		RampPoint(control, 0, 1.0f));
	window->PostMessage(&up);
	Idle();
	int32 steps = int32((system_time() - start)
		/ CWindow::kColorUpdateInterval);
	RunUntil([window]() { return !window->IsColorChangePending(); });
	EXPECT_EQ(page->textColor->red, 255);
	EXPECT_GE(window->PageColorUpdates(), 2);
	EXPECT_LE(window->PageColorUpdates(), 1 + 2 + steps);

	// A change held back for one row goes to that row when another row is
	// chosen before it is due.
	ClickRamp(window, 1, 1.0f);
	EXPECT_EQ(page->textColor->green, 255);
	ControlsWindow::ClickIn(window, control, RampPoint(control, 1, 0.0f));
	Idle();
	SelectRow(window, 1);
	EXPECT_EQ(page->textColor->green, 0);
	EXPECT_EQ(page->linkColor->green, 0x80);
	EXPECT_EQ(control->ValueAsColor().green, 0x80);
	Close(window);
}


TEST_F(SettingsWindowTest, PageTabSaveSetsTitleAndBackground)
{
	OpenDataPage("styled.html");
	Page* page = CurrentPage();
	WriteFile(fDirectory + "/images/other.gif",
		ReadFile(QUILLORA_SOURCE_DIR "/Documentation/images/About.gif"));
	CWindow* window = OpenSettings();
	ASSERT_NE(window, nullptr);
	PView* pageView = window->pageView;

	// Enter in a changed field moves to the other field.
	TypeInto(window, pageView->titleControl, "New title");
	ControlsWindow::KeyTo(window, "\n");
	Idle();
	EXPECT_TRUE(pageView->backgroundControl->TextView()->IsFocus());
	TypeInto(window, pageView->backgroundControl, "images/other.gif");
	ControlsWindow::KeyTo(window, "\n");
	Idle();
	EXPECT_TRUE(pageView->titleControl->TextView()->IsFocus());
	// Typed, not saved.
	EXPECT_STREQ(page->title, "Styled page");

	ControlsWindow::ClickIn(window, pageView->FindView("HighSaveButton"),
		BPoint(10, 10));
	Idle();
	EXPECT_STREQ(page->title, "New title");
	EXPECT_EQ(std::string(Visual()->Title()), "Quillora: New title - " + fPath);
	EXPECT_EQ(std::string(page->htmlWindow->Title()),
		"Quillora HTML: New title - " + fPath);
	EXPECT_STREQ(page->background, "images/other.gif");
	EXPECT_NE(BodyLine().find("BACKGROUND=\"images/other.gif\""),
		std::string::npos) << BodyLine();
	EXPECT_EQ(fAlerts.CountAlerts(), 0);

	// A picture that is not there is told, and the page keeps none.
	TypeInto(window, pageView->backgroundControl, "images/missing.gif");
	Send(window, kMsgHighSave);
	ASSERT_EQ(fAlerts.CountAlerts(), 1);
	EXPECT_EQ(fAlerts.TextAt(0),
		"Could not open the background image file: \"" + fDirectory
		+ "/images/missing.gif\"");
	EXPECT_EQ(page->background, nullptr);
	EXPECT_EQ(BodyLine().find("BACKGROUND"), std::string::npos);

	// The save button of the General tab does not touch the page.
	TypeInto(window, pageView->titleControl, "Not this");
	SelectTab(window, 1);
	Send(window, kMsgHighSave);
	EXPECT_STREQ(page->title, "New title");

	// The title is in the page's encoding (Latin-1 here): what it lacks
	// goes in as a reference.
	SelectTab(window, 0);
	TypeInto(window, pageView->titleControl, "a");
	ControlsWindow::KeyTo(window, "\xE2\x80\x94");
	ControlsWindow::KeyTo(window, "\xC3\xA9");
	Send(window, kMsgHighSave);
	EXPECT_STREQ(page->title, "a&#8212;\xE9");
	Close(window);
}


TEST_F(SettingsWindowTest, GeneralSaveWritesTheFileReadAtTheNextStart)
{
	OpenDataPage("styled.html");
	CWindow* window = OpenSettings();
	ASSERT_NE(window, nullptr);
	SelectTab(window, 1);
	GeneralView* general = window->generalView;
	TypeInto(window, general->nameControl, "Ann Author");
	TypeInto(window, general->imageDirectoryControl, "/srv/pictures");
	Choose(window, general->fixedSizeField, "24");

	ControlsWindow::ClickIn(window, general->FindView("HighSaveButton"),
		BPoint(10, 10));
	Idle();
	std::vector<std::string> lines = SettingsLines();
	ASSERT_EQ(lines.size(), 10u);
	EXPECT_EQ(lines[2], "1.000");
	EXPECT_EQ(lines[4], "Ann Author");
	EXPECT_EQ(lines[5], "/srv/pictures/");
	EXPECT_EQ(lines[9], "24");
	// The page's document takes the author from the settings.
	EXPECT_NE(GeneratedDocument(CurrentPage()).find(
		"<META NAME=\"Author\" CONTENT=\"Ann Author\">"), std::string::npos);

	// A folder that ends in "/" is kept as it is.
	TypeInto(window, general->imageDirectoryControl, "pictures/");
	Send(window, kMsgHighSave);
	EXPECT_EQ(SettingsLines()[5], "pictures/");
	Close(window);

	// The next start reads what was saved.
	CloseApplication();
	OpenDataPage("styled.html");
	Config* config = fApplication->config;
	EXPECT_STREQ(config->userName, "Ann Author");
	EXPECT_STREQ(config->imageDirectory, "pictures/");
	EXPECT_EQ(config->fixedSize, 24);
	EXPECT_EQ(CurrentPage()->fixedFont->Size(), 24);
	window = OpenSettings();
	ASSERT_NE(window, nullptr);
	EXPECT_STREQ(window->generalView->nameControl->Text(), "Ann Author");
	EXPECT_EQ(MarkedLabel(window->generalView->fixedSizeField->Menu()), "24");

	// An emptied folder is stored empty, not as "/", and read back so.
	SelectTab(window, 1);
	TypeInto(window, window->generalView->imageDirectoryControl, "");
	ASSERT_TRUE(window->Lock());
	window->generalView->imageDirectoryControl->SetText("");
	window->Unlock();
	Send(window, kMsgHighSave);
	EXPECT_STREQ(config->imageDirectory, "");
	EXPECT_EQ(SettingsLines().size(), 10u);
	EXPECT_EQ(SettingsLines()[5], "");
	Close(window);
	CloseApplication();
	OpenDataPage("styled.html");
	EXPECT_STREQ(fApplication->config->imageDirectory, "");
	EXPECT_STREQ(fApplication->config->userName, "Ann Author");
}


TEST_F(SettingsWindowTest, APastedLineBreakNeverSplitsALineOfTheFile)
{
	OpenDataPage("styled.html");
	CWindow* window = OpenSettings();
	ASSERT_NE(window, nullptr);
	SelectTab(window, 1);
	GeneralView* general = window->generalView;

	ASSERT_TRUE(be_clipboard->Lock());
	be_clipboard->Clear();
	const char pasted[] = "Ann\r\nBee\n";
	be_clipboard->Data()->AddData("text/plain", B_MIME_TYPE, pasted,
		sizeof(pasted) - 1);
	be_clipboard->Commit();
	be_clipboard->Unlock();
	TypeInto(window, general->nameControl, "");
	ASSERT_TRUE(window->Lock());
	general->nameControl->TextView()->Paste(be_clipboard);
	window->Unlock();
	Send(window, kMsgHighSave);

	EXPECT_STREQ(fApplication->config->userName, "AnnBee");
	std::vector<std::string> lines = SettingsLines();
	ASSERT_EQ(lines.size(), 10u);
	EXPECT_EQ(lines[4], "AnnBee");
	EXPECT_EQ(lines[6], fApplication->config->proportionalFamily);
	Close(window);

	CloseApplication();
	OpenDataPage("styled.html");
	EXPECT_STREQ(fApplication->config->userName, "AnnBee");
	EXPECT_FALSE(fApplication->config->IsFirstStart());
}
