/*
 * WImage: an IMG tag. It is at once a view in the engine's main view that
 * shows the picture at its real size and an element of the chain.
 *
 * The picture is read from the file its source names (beside the page for a
 * relative source; a source with a scheme such as "http:" is no file here)
 * by the translation kit. A page that shows the same file many times decodes
 * it once: the images share the decoded bitmap while the file is unchanged.
 *
 * The tag is written back as SRC, ALT (the source when the tag had none),
 * ALIGN, WIDTH and HEIGHT, BORDER, then every other option as it was read.
 * WIDTH, HEIGHT and BORDER the author wrote are written as read; a tag
 * without them, or an inserted picture, gets the picture's real size and
 * BORDER="0". An ALIGN value that selects none of the four vertical
 * alignments (LEFT, RIGHT, ...) stays among the other options as read.
 */
#ifndef QUILLORA_WIMAGE_H
#define QUILLORA_WIMAGE_H

#include <View.h>

#include <memory>

#include "WYSIWYG_Element.h"

class BBitmap;
struct entry_ref;

// Vertical alignments of a picture, in the element's environment.
enum {
	kAlignTop = 3,
	kAlignAbsCenter = 4,
	kAlignMiddle = 5,
	kAlignBottom = 6,
	kAlignNone = 7
};

class WImage : public BView, public WYSIWYG_Element {
public:
	// With a file, the picture is read from it (an inserted picture); the
	// usable flag tells whether it could be. Without one the image waits
	// for Read() (the parser's way).
	WImage(entry_ref* file, WYSIWYG_Element* previous, WYSIWYG_Element* next,
		WYSIWYG_Engine* engine, bool* usable, BMessage* archive);
	virtual ~WImage();

	// WYSIWYG_Element
	virtual int Read(char* options);
	virtual void HTML();
	virtual void Do();
	virtual void Archive(BMessage* archive);
	virtual BRect WFrame();
	virtual BRect WBounds();
	virtual BView* View();

	// BView
	virtual void Draw(BRect update);
	virtual void Pulse();
	virtual void MouseDown(BPoint where);

	// Sets the vertical alignment (kAlignTop ... kAlignNone) as the pop-up
	// menu does: an ALIGN kept as read gives way to it, and the line is
	// laid out again.
	void Align(long alignment);

	// The options of the pop-up menu, in their order; the anchor item is
	// only there when the picture lies inside a link.
	static const char* const kImageSettingsLabel;
	static const char* const kAnchorSettingsLabel;
	static const char* const kAlignLabels[5];

	// Fields, in this order. The bitmap is shared with the other images of
	// the page that show the same file.
	std::shared_ptr<BBitmap> bitmap;
	char* source;					// owned, may be null
	char* alternateText;			// owned, may be null
	char* unsupportedOptions;		// owned, may be null

	// The settings' image directory stood in front of the source and was
	// taken away (on reading, or for a file inserted from inside it): it
	// is written back in front of it. Every other source is written as
	// read.
	bool sourceInImageDirectory;
	// WIDTH, HEIGHT and BORDER as the tag had them (owned, null when it had
	// none).
	char* width;
	char* height;
	char* border;

private:
	// Reads the picture at `path` (or takes it from the page's pictures);
	// reports a file that cannot be opened or read. True when shown.
	bool _Load(const char* path);
	// Resizes the view, under the window's lock when it is in one.
	void _Resize(float width, float height);
	// The source for a picture file chosen by the user: relative to the
	// image directory when it lies inside it, else to the page's folder
	// when it lies there, else the whole path.
	void _SourceForFile(const char* path);
	// Whether any of the view lies in the visible part of the main view.
	bool _Visible();
};

#endif	// QUILLORA_WIMAGE_H
