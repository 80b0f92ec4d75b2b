/*
 * Environment: the rendering state in force at one element of the chain.
 *
 * Every element has one. WYSIWYG_Element::Do() copies the previous element's
 * environment into it and the element's class then applies its own change
 * (a style change switches the font, a paragraph asks for space above ...).
 *
 * Most elements change nothing (the runs of text between two tags), so an
 * element whose environment is alike in every field to the one before it
 * shares that one (WYSIWYG_Element::ShareEnvironment()) instead of holding
 * a copy: a page has an element for every line of its text. An element
 * makes its environment its own again before changing it
 * (WYSIWYG_Element::OwnEnvironment()).
 */
#ifndef QUILLORA_ENVIRONMENT_H
#define QUILLORA_ENVIRONMENT_H

#include <SupportDefs.h>

#include <unordered_set>

class Anchor;
class BFont;
class List;
class WYSIWYG_Element;
struct rgb_color;

// How text is laid out and read (Environment::preformatted). Preformatted
// text keeps its blanks and each source line is a line of the page; raw text
// (XMP, PLAINTEXT) also holds no entities and is written back unescaped.
const int32 kFlowingText = 0;
const int32 kPreformattedText = 1;
const int32 kRawText = 2;

class Environment {
public:
	explicit Environment(WYSIWYG_Element* owner);

	void SetVAlignment(int alignment) { vAlignment = alignment; }
	int32 VAlignment() const { return vAlignment; }
	void SetHAlignment(int alignment) { hAlignment = alignment; }
	int32 HAlignment() const { return hAlignment; }
	void SetBreakAfter(float value) { breakAfter = value; }
	float BreakAfter() const { return breakAfter; }
	void SetBreakBefore(float value) { breakBefore = value; }
	float BreakBefore() const { return breakBefore; }
	float LeftMargin() const { return leftMargin; }
	bool Underlined() const { return underlined; }
	rgb_color* Color() const { return color; }
	BFont* Font() const { return font; }

	// fontType, italic and owner take no part in the comparison.
	bool operator==(const Environment& other) const;
	// Alike in every field but the owner and the count of sharers: the
	// one can stand for the other.
	bool SameAs(const Environment& other) const;
	bool operator!=(const Environment& other) const { return !(*this == other); }

	// Fields. Element classes write them directly. They are ordered so
	// that no padding falls between them: every element has one.
	int32 fontType;			// 1 plain, 2 bold, 4 fixed, 5..10 H1..H6, 11 big, 12 small
	bool italic;
	bool underlined;
	BFont* font;			// one of the page's fonts, not owned
	rgb_color* color;		// one of the page's colours, not owned
	float leftMargin;
	float rightMargin;
	float breakBefore;
	float breakAfter;
	int32 hAlignment;		// 0 left, 1 centre, 2 right
	int32 vAlignment;		// 3 TOP, 4 ABSCENTER, 5 MIDDLE, 6 BOTTOM, 7 none
	Anchor* currentAnchor;
	List* currentList;
	WYSIWYG_Element* owner;
	// The opening CENTER of the innermost centred passage in force, or
	// null: a closing CENTER finds the alignment to bring back there
	// without searching the chain. It takes no part in the comparison.
	WYSIWYG_Element* openCenter;
	// kFlowingText, kPreformattedText or kRawText; set by the tags that
	// keep their text's layout (PRE, LISTING, TEXTAREA, XMP, PLAINTEXT).
	// Like the font it takes no part in the comparison.
	int32 preformatted;
	// The left margin of the elements after this one when it is not the
	// element's own, or -1: a list item's own line begins at the list's
	// edge, the text after its bullet is indented. Not inherited.
	float leftMarginAfter;
	// The elements that have this environment (1 while it is one's own).
	int32 references;
};

// The environments of an engine's elements, each held once for all the
// elements whose environments are alike in every field (Environment::
// SameAs()): a page has thousands of tags that set the same few, and
// elements far apart share them as neighbours do (WYSIWYG_Element::
// ShareEnvironment()). The pool holds a reference to each environment in
// it, so none in it is ever changed (an element makes a shared one its own
// first); those only the pool still holds are let go as it grows.
class EnvironmentPool {
public:
	EnvironmentPool();
	~EnvironmentPool();
	EnvironmentPool(const EnvironmentPool&) = delete;
	EnvironmentPool& operator=(const EnvironmentPool&) = delete;

	// The pool's environment alike to `environment`, or `environment`
	// itself, taken into the pool, when it holds none alike.
	Environment* Alike(Environment* environment);
	// Lets go of every environment; the elements keep theirs.
	void Clear();
	int32 CountEnvironments() const { return int32(fEnvironments.size()); }

private:
	struct Hash {
		size_t operator()(const Environment* environment) const;
	};
	struct Same {
		bool operator()(const Environment* a, const Environment* b) const
			{ return a->SameAs(*b); }
	};
	void _LetGoUnshared();

	std::unordered_set<Environment*, Hash, Same> fEnvironments;
	size_t fSweepAt;	// the size at which the unshared ones are let go
};

#endif	// QUILLORA_ENVIRONMENT_H
