/*
 * TAGSettingsWindow: the small modal window in which the user edits one
 * element's settings: the target ("Link to:") and the name ("Link target
 * name: #") of a link, or the alternate text of a picture. Whatever way the
 * window is closed (Enter in a field, the close box), the values are written
 * back into the element first.
 *
 * Openers go through Open(): it decides which element there is to edit (a
 * link's closing end stands for its opening end) and shows no window when
 * there is none, so a window that has nothing to edit never appears.
 */
#ifndef QUILLORA_TAG_SETTINGS_WINDOW_H
#define QUILLORA_TAG_SETTINGS_WINDOW_H

#include <Messenger.h>
#include <Window.h>

#include "MessageCode.h"

class RTextControl;
class WYSIWYG_Element;

// Posted by the fields when Enter is pressed in them.
constexpr uint32 kMsgTagLinkEntered = message_code("link");
constexpr uint32 kMsgTagNameEntered = message_code("name");
constexpr uint32 kMsgTagAltEntered = message_code("alt ");

// TAGSettingsWindow::kind.
constexpr int32 kTagSettingsNothing = 0;
constexpr int32 kTagSettingsLink = 1;
constexpr int32 kTagSettingsImage = 2;

class TAGSettingsWindow : public BWindow {
public:
	// Builds the window on `element`; the caller shows it. An element with
	// nothing to edit (see EditedElement) gives a window without fields that
	// stores nothing: use Open() instead, which never builds one.
	TAGSettingsWindow(WYSIWYG_Element* element);
	virtual ~TAGSettingsWindow();

	virtual void MessageReceived(BMessage* message);
	virtual void Quit();
	// Writes the values into the element and agrees to close.
	virtual bool QuitRequested();

	// The element the window edits for `element`: a picture or the opening
	// end of a link as it is; for a link's closing end its opening end.
	// Null when there is nothing to edit: no element, one of another kind,
	// or a link end without its partner.
	static WYSIWYG_Element* EditedElement(WYSIWYG_Element* element);

	// Opens and shows the window on `element` when it has something to
	// edit; returns the window, or null when none was opened.
	static TAGSettingsWindow* Open(WYSIWYG_Element* element);

	// Fields, in this order.
	WYSIWYG_Element* element;		// not owned; a link's opening end
	int32 kind;						// kTagSettingsLink, kTagSettingsImage
	RTextControl* firstControl;		// "Link to:" or "Alternate text:"
	RTextControl* secondControl;	// "Link target name: #"; none for a picture

private:
	// Writes the fields into the element under the visual window's lock;
	// nothing when that window is gone (the page was closed).
	void _Store();

	// The visual window of the element's page, which owns the element.
	BMessenger fVisualWindow;
};

#endif	// QUILLORA_TAG_SETTINGS_WINDOW_H
