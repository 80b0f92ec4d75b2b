/*
 * WYSIWYG_View: the engine's main view. Element views are its children and
 * horizontal rules are painted on it directly.
 */
#ifndef QUILLORA_WYSIWYG_VIEW_H
#define QUILLORA_WYSIWYG_VIEW_H

#include <View.h>

#include "MessageCode.h"

class WYSIWYG_Engine;

class WYSIWYG_View : public BView {
public:
	WYSIWYG_View(BRect frame, const char* name, WYSIWYG_Engine* engine);

	virtual void Draw(BRect update);
	// Both are put off while the window has messages waiting, so that a
	// drag resizes or scrolls once when it settles. The last one put off is
	// done once the queue is empty, also when what waited was not another
	// resize or scroll.
	virtual void FrameResized(float width, float height);
	virtual void ScrollTo(BPoint where);
	using BView::ScrollTo;
	virtual void MessageReceived(BMessage* message);
	// A click beside the texts (after a line's end, in a margin, between
	// paragraphs) puts the caret into the text nearest to it.
	virtual void MouseDown(BPoint where);

	// Field.
	WYSIWYG_Engine* engine;

private:
	void _SettleLater();

	bool fResizeWaiting;
	bool fScrollWaiting;
	bool fSettlePosted;
	BPoint fScrollWaitingTo;
};

// Posted to the view when a resize or scroll was put off.
constexpr uint32 kMsgViewSettle = message_code("vstl");

#endif	// QUILLORA_WYSIWYG_VIEW_H
