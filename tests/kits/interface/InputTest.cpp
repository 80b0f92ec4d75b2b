// Key and mouse input: the key table, shortcuts, focus and routing to the
// view under the mouse in its own coordinates.
#include <gtest/gtest.h>

#include <AppDefs.h>
#include <Message.h>
#include <MessageFilter.h>
#include <View.h>
#include <Window.h>

#include "HostKeys.h"
#include "InterfaceTestSupport.h"

#include <string>
#include <vector>

using namespace BPrivate;

namespace {

HostKeyTranslation Translate(int32 key, uint32 modifiers, const char16_t* text)
{
	HostKeyTranslation out;
	int32 length = 0;
	while (text != nullptr && text[length] != 0)
		length++;
	EXPECT_TRUE(translate_host_key(key, modifiers, (const uint16_t*)text, length, &out));
	return out;
}

class RecordingView : public BView {
public:
	RecordingView(BRect frame, const char* name)
		: BView(frame, name, B_FOLLOW_NONE, B_WILL_DRAW | B_NAVIGABLE) {}

	void KeyDown(const char* bytes, int32 numBytes) override
	{
		keys.push_back(std::string(bytes, numBytes));
		BView::KeyDown(bytes, numBytes);
	}
	void MouseDown(BPoint where) override
	{
		downs.push_back(where);
		int32 count = 0;
		Window()->CurrentMessage()->FindInt32("clicks", &count);
		clicks.push_back(count);
	}
	void MouseUp(BPoint where) override { ups.push_back(where); }
	void MouseMoved(BPoint where, uint32 transit, const BMessage*) override
	{
		moves.push_back(where);
		transits.push_back(transit);
	}
	void MessageReceived(BMessage* message) override
	{
		received.push_back(message->what);
		BView::MessageReceived(message);
	}

	std::vector<std::string> keys;
	std::vector<BPoint> downs;
	std::vector<BPoint> ups;
	std::vector<BPoint> moves;
	std::vector<uint32> transits;
	std::vector<int32> clicks;
	std::vector<uint32> received;
};

void Type(BWindow* window, int32 hostKey, uint32 hostModifiers, const char16_t* text)
{
	HostKeyTranslation translation = Translate(hostKey, hostModifiers, text);
	HostKeyEvent event = {};
	event.down = true;
	memcpy(event.bytes, translation.bytes, sizeof(event.bytes));
	event.numBytes = translation.numBytes;
	event.key = translation.key;
	event.rawChar = translation.rawChar;
	event.modifiers = translation.modifiers;
	event.when = system_time();
	window_private(window)->HostKey(event);
	test::Settle();
}

struct Fixture {
	Fixture()
	{
		window = new BWindow(BRect(50, 50, 249, 149), "Input", B_TITLED_WINDOW, 0);
		first = new RecordingView(BRect(10, 10, 59, 59), "first");
		second = new RecordingView(BRect(100, 10, 149, 59), "second");
		inner = new RecordingView(BRect(5, 5, 24, 24), "inner");
		window->AddChild(first);
		window->AddChild(second);
		second->AddChild(inner);
		window->Show();
		test::Settle();
	}
	~Fixture()
	{
		window->Lock();
		window->Quit();
	}

	BWindow* window;
	RecordingView* first;
	RecordingView* second;
	RecordingView* inner;
};

}	// namespace


TEST(KeyTable, SpecialKeysBecomeBeOSBytes)
{
	struct { int32 key; uint8 byte; } table[] = {
		{ HOST_KEY_LEFT, B_LEFT_ARROW }, { HOST_KEY_RIGHT, B_RIGHT_ARROW },
		{ HOST_KEY_UP, B_UP_ARROW }, { HOST_KEY_DOWN, B_DOWN_ARROW },
		{ HOST_KEY_HOME, B_HOME }, { HOST_KEY_END, B_END },
		{ HOST_KEY_PAGE_UP, B_PAGE_UP }, { HOST_KEY_PAGE_DOWN, B_PAGE_DOWN },
		{ HOST_KEY_INSERT, B_INSERT }, { HOST_KEY_DELETE, B_DELETE },
		{ HOST_KEY_BACKSPACE, B_BACKSPACE }, { HOST_KEY_RETURN, B_RETURN },
		{ HOST_KEY_ENTER, B_ENTER }, { HOST_KEY_TAB, B_TAB }, { HOST_KEY_ESCAPE, B_ESCAPE },
	};
	for (const auto& entry : table) {
		HostKeyTranslation out = Translate(entry.key, 0, u"");
		EXPECT_EQ(out.numBytes, 1);
		EXPECT_EQ((uint8)out.bytes[0], entry.byte) << std::hex << entry.key;
	}
	HostKeyTranslation f5 = Translate(HOST_KEY_F1 + 4, 0, u"");
	EXPECT_EQ((uint8)f5.bytes[0], B_FUNCTION_KEY);
	EXPECT_EQ(f5.key, B_F5_KEY);

	// Modifier keys alone type nothing.
	HostKeyTranslation ignored;
	EXPECT_FALSE(translate_host_key(HOST_KEY_SHIFT, HOST_SHIFT_MODIFIER, nullptr, 0, &ignored));
	EXPECT_FALSE(translate_host_key(HOST_KEY_ALT, HOST_ALT_MODIFIER, nullptr, 0, &ignored));
}


TEST(KeyTable, CharactersModifiersAndUTF8)
{
	HostKeyTranslation a = Translate('A', 0, u"a");
	EXPECT_STREQ(a.bytes, "a");
	EXPECT_EQ(a.rawChar, 'a');
	EXPECT_EQ(a.key, 0x3c);
	EXPECT_EQ(a.modifiers, 0u);

	HostKeyTranslation shifted = Translate('A', HOST_SHIFT_MODIFIER, u"A");
	EXPECT_STREQ(shifted.bytes, "A");
	EXPECT_EQ(shifted.rawChar, 'a');
	EXPECT_TRUE(shifted.modifiers & B_SHIFT_KEY);

	// Characters are typed as their UTF-8, as on BeOS.
	HostKeyTranslation eAcute = Translate(0xc9, 0, u"\u00e9");
	EXPECT_EQ(eAcute.numBytes, 2);
	EXPECT_STREQ(eAcute.bytes, "\xc3\xa9");
	HostKeyTranslation euro = Translate(0x20ac, 0, u"\u20ac");
	EXPECT_STREQ(euro.bytes, "\xe2\x82\xac");
	// Beyond the BMP: two surrogates make one character of four bytes;
	// half of one is none.
	HostKeyTranslation clef = Translate(0, 0, u"\U0001D11E");
	EXPECT_EQ(clef.numBytes, 4);
	EXPECT_STREQ(clef.bytes, "\xf0\x9d\x84\x9e");
	HostKeyTranslation half;
	const uint16_t lone[] = { 0xd834 };
	EXPECT_FALSE(translate_host_key(0, 0, lone, 1, &half));

	// Alt is Command, Ctrl is Control, Meta is Option.
	EXPECT_EQ(translate_host_modifiers(HOST_ALT_MODIFIER) & (B_COMMAND_KEY | B_CONTROL_KEY),
		(uint32)B_COMMAND_KEY);
	EXPECT_EQ(translate_host_modifiers(HOST_CONTROL_MODIFIER) & (B_COMMAND_KEY | B_CONTROL_KEY),
		(uint32)B_CONTROL_KEY);
	EXPECT_TRUE(translate_host_modifiers(HOST_META_MODIFIER) & B_OPTION_KEY);

	// Command+Control+S keeps the letter even though the host typed ^S.
	HostKeyTranslation commandControl = Translate('S',
		HOST_ALT_MODIFIER | HOST_CONTROL_MODIFIER, u"\x13");
	EXPECT_STREQ(commandControl.bytes, "s");
	EXPECT_EQ(commandControl.modifiers & (B_COMMAND_KEY | B_CONTROL_KEY),
		(uint32)(B_COMMAND_KEY | B_CONTROL_KEY));
	// Control alone types the control character.
	HostKeyTranslation control = Translate('S', HOST_CONTROL_MODIFIER, u"\x13");
	EXPECT_EQ(control.bytes[0], 0x13);
	EXPECT_EQ(control.rawChar, 's');
}


TEST(KeyRouting, KeysGoToTheFocusViewThroughItsFilters)
{
	Fixture f;
	Type(f.window, 'X', 0, u"x");
	EXPECT_TRUE(f.first->keys.empty());
	EXPECT_TRUE(f.second->keys.empty());

	f.second->MakeFocus();
	EXPECT_TRUE(f.second->IsFocus());
	EXPECT_EQ(f.window->CurrentFocus(), f.second);
	Type(f.window, 'X', 0, u"x");
	ASSERT_EQ(f.second->keys.size(), 1u);
	EXPECT_EQ(f.second->keys[0], "x");

	// A filter on the focus view sees the key message and can swallow it.
	struct Swallow : BMessageFilter {
		Swallow() : BMessageFilter(B_KEY_DOWN), seen(0) {}
		filter_result Filter(BMessage*, BHandler**) override
		{
			seen++;
			return B_SKIP_MESSAGE;
		}
		int seen;
	};
	Swallow* filter = new Swallow;
	f.second->AddFilter(filter);
	Type(f.window, HOST_KEY_LEFT, 0, u"");
	EXPECT_EQ(filter->seen, 1);
	EXPECT_EQ(f.second->keys.size(), 1u);
	f.second->RemoveFilter(filter);
	delete filter;

	f.first->MakeFocus();
	EXPECT_FALSE(f.second->IsFocus());
	Type(f.window, HOST_KEY_LEFT, 0, u"");
	ASSERT_EQ(f.first->keys.size(), 1u);
	EXPECT_EQ((uint8)f.first->keys[0][0], B_LEFT_ARROW);

	// Tab moves the focus to the next navigable view.
	Type(f.window, HOST_KEY_TAB, 0, u"\t");
	EXPECT_TRUE(f.second->IsFocus());

	// A view leaving the window takes the focus with it.
	f.window->Lock();
	f.second->RemoveSelf();
	EXPECT_EQ(f.window->CurrentFocus(), nullptr);
	delete f.second;
	f.second = nullptr;
	f.inner = nullptr;
	f.window->Unlock();
}


TEST(KeyRouting, CommandAndCommandControlShortcutsReachDifferentTargets)
{
	Fixture f;
	f.first->MakeFocus();
	f.window->AddShortcut('s', 0, new BMessage('save'), f.first);
	f.window->AddShortcut('s', B_CONTROL_KEY, new BMessage('sAll'), f.second);
	EXPECT_TRUE(f.window->HasShortcut('S', 0));
	EXPECT_TRUE(f.window->HasShortcut('s', B_CONTROL_KEY));
	EXPECT_FALSE(f.window->HasShortcut('s', B_SHIFT_KEY));

	Type(f.window, 'S', HOST_ALT_MODIFIER, u"s");
	Type(f.window, 'S', HOST_ALT_MODIFIER | HOST_CONTROL_MODIFIER, u"\x13");
	ASSERT_EQ(f.first->received.size(), 1u);
	EXPECT_EQ(f.first->received[0], (uint32)'save');
	ASSERT_EQ(f.second->received.size(), 1u);
	EXPECT_EQ(f.second->received[0], (uint32)'sAll');
	// Shortcut keys are not typed into the focus view.
	EXPECT_TRUE(f.first->keys.empty());

	// Command+Shift+S has no shortcut: it reaches the focus view.
	Type(f.window, 'S', HOST_ALT_MODIFIER | HOST_SHIFT_MODIFIER, u"S");
	EXPECT_EQ(f.first->keys.size(), 1u);

	f.window->RemoveShortcut('s', B_CONTROL_KEY);
	Type(f.window, 'S', HOST_ALT_MODIFIER | HOST_CONTROL_MODIFIER, u"\x13");
	EXPECT_EQ(f.second->received.size(), 1u);

	// Command+C without a shortcut of its own asks the focus view to copy.
	Type(f.window, 'C', HOST_ALT_MODIFIER, u"c");
	ASSERT_EQ(f.first->received.size(), 2u);
	EXPECT_EQ(f.first->received[1], (uint32)B_COPY);
}


TEST(MouseRouting, TheViewUnderTheMouseGetsItInItsOwnCoordinates)
{
	Fixture f;
	WindowPrivate* data = window_private(f.window);
	bigtime_t now = system_time();

	// inner sits at second (100, 10) + (5, 5) = window (105, 15).
	data->HostMouse(test::Mouse(HOST_MOUSE_DOWN, 107, 19, B_PRIMARY_MOUSE_BUTTON, now));
	test::Settle();
	ASSERT_EQ(f.inner->downs.size(), 1u);
	EXPECT_EQ(f.inner->downs[0], BPoint(2, 4));
	EXPECT_TRUE(f.second->downs.empty());
	EXPECT_EQ(f.inner->clicks[0], 1);

	// While the button is held the view that took the mouse down keeps
	// getting it, even outside its frame.
	data->HostMouse(test::Mouse(HOST_MOUSE_MOVED, 20, 20, B_PRIMARY_MOUSE_BUTTON, now + 1000));
	test::Settle();
	ASSERT_FALSE(f.inner->moves.empty());
	EXPECT_EQ(f.inner->moves.back(), BPoint(-85, 5));
	EXPECT_TRUE(f.first->moves.empty());
	data->HostMouse(test::Mouse(HOST_MOUSE_UP, 20, 20, 0, now + 2000));
	test::Settle();
	ASSERT_EQ(f.inner->ups.size(), 1u);
	EXPECT_EQ(f.inner->ups[0], BPoint(-85, 5));

	// Afterwards plain moves go to the view under the mouse.
	data->HostMouse(test::Mouse(HOST_MOUSE_MOVED, 21, 20, 0, now + 3000));
	test::Settle();
	ASSERT_FALSE(f.first->moves.empty());
	EXPECT_EQ(f.first->moves.back(), BPoint(11, 10));
	EXPECT_EQ(f.first->transits.back(), (uint32)B_ENTERED_VIEW);

	// A second quick click on the same spot counts two clicks; scrolling
	// the parent shifts where the view is found.
	data->HostMouse(test::Mouse(HOST_MOUSE_DOWN, 30, 30, B_PRIMARY_MOUSE_BUTTON, now + 4000));
	data->HostMouse(test::Mouse(HOST_MOUSE_UP, 30, 30, 0, now + 5000));
	data->HostMouse(test::Mouse(HOST_MOUSE_DOWN, 30, 30, B_PRIMARY_MOUSE_BUTTON, now + 6000));
	data->HostMouse(test::Mouse(HOST_MOUSE_UP, 30, 30, 0, now + 7000));
	test::Settle();
	ASSERT_EQ(f.first->clicks.size(), 2u);
	EXPECT_EQ(f.first->clicks[0], 1);
	EXPECT_EQ(f.first->clicks[1], 2);

	f.window->Lock();
	f.second->ScrollTo(0, 10);
	f.window->Unlock();
	data->HostMouse(test::Mouse(HOST_MOUSE_DOWN, 107, 19, B_PRIMARY_MOUSE_BUTTON, now + 900000));
	test::Settle();
	// Window (107, 19) is second (7, 19) in its scrolled coordinates:
	// inner covers (5, 5)-(24, 24) there, so inner gets (2, 14).
	ASSERT_EQ(f.inner->downs.size(), 2u);
	EXPECT_EQ(f.inner->downs[1], BPoint(2, 14));
	EXPECT_EQ(f.window->FindView(BPoint(107, 19)), f.inner);

	// The event mask a view asked for is what it reports, without the
	// options.
	f.window->Lock();
	EXPECT_EQ(f.first->EventMask(), 0u);
	f.first->SetEventMask(B_KEYBOARD_EVENTS, B_NO_POINTER_HISTORY);
	EXPECT_EQ(f.first->EventMask(), (uint32)B_KEYBOARD_EVENTS);
	f.first->SetEventMask(0);
	EXPECT_EQ(f.first->EventMask(), 0u);
	f.window->Unlock();
}


TEST(MouseRouting, ADoubleClickFromTheHostIsTwoClicks)
{
	// Through the host's own input path: the host makes a double click out
	// of the second press, and the view still hears one press per click.
	Fixture f;
	WindowPrivate* data = window_private(f.window);
	ASSERT_NE(data->host, nullptr);
	uint32 ms = 5000;
	data->host->FeedMouse(HOST_MOUSE_DOWN, 30, 30, B_PRIMARY_MOUSE_BUTTON,
		B_PRIMARY_MOUSE_BUTTON, ms);
	data->host->FeedMouse(HOST_MOUSE_UP, 30, 30, 0, B_PRIMARY_MOUSE_BUTTON, ms + 40);
	data->host->FeedMouse(HOST_MOUSE_DOWN, 30, 30, B_PRIMARY_MOUSE_BUTTON,
		B_PRIMARY_MOUSE_BUTTON, ms + 80);
	data->host->FeedMouse(HOST_MOUSE_UP, 30, 30, 0, B_PRIMARY_MOUSE_BUTTON, ms + 120);
	test::Settle();
	ASSERT_EQ(f.first->clicks.size(), 2u);
	EXPECT_EQ(f.first->clicks[0], 1);
	EXPECT_EQ(f.first->clicks[1], 2);
	EXPECT_EQ(f.first->ups.size(), 2u);
	ASSERT_EQ(f.first->downs.size(), 2u);
	EXPECT_EQ(f.first->downs[1], BPoint(20, 20));
}
