/*
 * WLooper: the engine's own looper. It receives the files chosen in the
 * visual window's image panel and inserts them at the caret.
 */
#ifndef QUILLORA_WLOOPER_H
#define QUILLORA_WLOOPER_H

#include <Looper.h>

class WYSIWYG_Engine;

class WLooper : public BLooper {
public:
	explicit WLooper(WYSIWYG_Engine* engine);

	virtual void MessageReceived(BMessage* message);

	// Field.
	WYSIWYG_Engine* engine;
};

#endif	// QUILLORA_WLOOPER_H
