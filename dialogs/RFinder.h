/*
 * RFinder: the find and replace dialog ("Finder") that both editors share.
 *
 * The dialog holds the search and replacement texts, the option check boxes
 * and the buttons, keeps the option flags and decides what matches
 * (Compare). The search through a document belongs to the subclass of each
 * editor: HFinder goes through the HTML text, WFinder through the visual
 * page's text elements. Each editor window owns one finder, made hidden;
 * "Find…" shows it, its close box only hides it.
 */
#ifndef QUILLORA_R_FINDER_H
#define QUILLORA_R_FINDER_H

#include <View.h>
#include <Window.h>

#include <string>

#include "FindPattern.h"
#include "MessageCode.h"

class BCheckBox;
class RBoldTextControl;
class RFinderView;

// Commands of the dialog's buttons, fields and check boxes.
constexpr uint32 kMsgFinderFind = message_code("find");
constexpr uint32 kMsgFinderReplace = message_code("repl");
constexpr uint32 kMsgFinderReplaceAll = message_code("rall");
constexpr uint32 kMsgFinderFindEnter = message_code("ftxt");
constexpr uint32 kMsgFinderReplaceEnter = message_code("rtxt");
constexpr uint32 kMsgFinderCaseSensitive = message_code("xcas");
constexpr uint32 kMsgFinderWholeWord = message_code("whwr");
constexpr uint32 kMsgFinderWrap = message_code("wrap");

class RFinder : public BWindow {
public:
	RFinder(BWindow* target);
	virtual ~RFinder();

	virtual void MessageReceived(BMessage* message);
	// Hides the dialog and refuses: it lives as long as its editor.
	virtual bool QuitRequested();
	// Shows the dialog, or brings it to the front when it is shown already
	// (a second Show() would otherwise take a second Hide() to hide it).
	virtual void Show();

	// Searches the document from the subclass's current position; true if
	// a match was found.
	virtual bool Find() = 0;
	// Puts the position back to the start of the document.
	virtual void Reset() = 0;

	// From the start of the document, with the dialog out of the way.
	void FindFirst();
	// From where the last search ended.
	void FindAgain();

	// The length of the match of the search text at the start of `text`,
	// or 0. `atWordStart` tells whether `text` begins a word. Valid during
	// a search (see PrepareSearch).
	int Compare(char* text, bool atWordStart);

	RBoldTextControl* FindText();
	RBoldTextControl* ReplaceText();

	// Fields, in this order.
	RFinderView* view;
	bool single;
	bool replace;
	bool caseSensitive;
	bool wholeWord;
	bool wrap;
	BWindow* target;

protected:
	// Takes the dialog's texts and options for a search through a document
	// in `encoding`: the search text becomes the pattern that Compare()
	// matches, the replacement text the bytes of Replacement(), both in
	// the document's encoding (see FindPattern::FromUTF8(); the document
	// keeps references after `referenceMark` and no-break spaces as
	// `noBreakSpace` when they are not 0). Taken once, so that a search
	// reads the dialog only at its start.
	void PrepareSearch(uint8 encoding, uint8 referenceMark = 0,
		uint8 noBreakSpace = 0);
	const FindPattern& Pattern() const { return fPattern; }
	const std::string& Replacement() const { return fReplacement; }

	// Whether position `i` of `text` begins a word: at the start of the
	// text or after a character that is not a letter or digit.
	bool AtWordStart(const char* text, int32 i) const;

private:
	FindPattern fPattern;
	std::string fReplacement;
};

class RFinderView : public BView {
public:
	RFinderView(RFinder* finder);

	// Takes the window's size, and gives the search text the keys.
	virtual void AttachedToWindow();
	virtual void AllAttached();

	// Fields, in this order.
	RFinder* finder;
	RBoldTextControl* findText;
	RBoldTextControl* replaceText;
	BCheckBox* caseBox;
	BCheckBox* wholeWordBox;
	BCheckBox* wrapBox;
};

#endif	// QUILLORA_R_FINDER_H
