/*
 * WYSIWYG_View: the engine's main view. Element views are its children and
 * horizontal rules are painted on it directly.
 */
#ifndef QUILLORA_WYSIWYG_VIEW_H
#define QUILLORA_WYSIWYG_VIEW_H

#include <View.h>

class WYSIWYG_Engine;

class WYSIWYG_View : public BView {
public:
	WYSIWYG_View(BRect frame, const char* name, WYSIWYG_Engine* engine);

	virtual void Draw(BRect update);
	// Both are dropped while the window has messages waiting, so that a
	// drag resizes or scrolls once when it settles.
	virtual void FrameResized(float width, float height);
	virtual void ScrollTo(BPoint where);
	using BView::ScrollTo;

	// Field.
	WYSIWYG_Engine* engine;
};

#endif	// QUILLORA_WYSIWYG_VIEW_H
