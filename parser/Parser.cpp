/*
 * The tag table and the tag lookup. The tokenizer that reads a page into
 * the chain is in Tokenizer.cpp, the element factory in Constructor.cpp.
 */
#include "Parser.h"

#include <ctype.h>
#include <string.h>

#include "Functions.h"


// What separates a tag's name from its options.
static const char* kWhiteSpace = " \t\r\n\f\v";


const char* Parser::tags[91] = {
	nullptr, nullptr,
	"A", "ADDRESS", "APPLET", "AREA", "B", "BASE", "BASEFONT", "BGSOUND",
	"BIG", "BLOCKQUOTE", "BODY", "BR", "CAPTION", "CENTER", "CITE", "CODE",
	"COL", "COLGROUP", "DD", "DFN", "DIR", "DIV", "DL", "DT", "EM", "EMBED",
	"FONT", "FORM", "FRAME", "FRAMESET", "H1", "H2", "H3", "H4", "H5", "H6",
	"HEAD", "HN", "HR", "HTML", "I", "IFRAME", "IMG", "INPUT", "ISINDEX",
	"KBD", "LAYER", "LI", "LINK", "LISTING", "MAP", "MENU", "META",
	"MULTICOL", "NOFRAMES", "OBJECT", "OL", "OPTION", "P", "PARAM",
	"PLAINTEXT", "PRE", "SAMP", "SCRIPT", "SELECT", "SMALL", "SPACER",
	"SPAN", "STRIKE", "STRONG", "STYLE", "SUB", "SUP", "TABLE", "TBODY",
	"TD", "TEXTAREA", "TFOOT", "TH", "THEAD", "TITLE", "TR", "TT", "TYPE",
	"U", "UL", "VAR", "XMP", "BOLD"
};


int
Parser::Comp(const char* tagText)
{
	if (tagText == nullptr)
		return 0;
	// The name is the text before the first white space. Names of 64 bytes
	// or more are longer than every entry and match nothing.
	size_t length = strcspn(tagText, kWhiteSpace);
	if (length == 0 || length >= 64)
		return 0;
	char name[64];
	memcpy(name, tagText, length);
	name[length] = '\0';

	// A name can only be the beginning of a tag with its first letter:
	// the others are passed over without comparing the whole name.
	int first = tolower((unsigned char)name[0]);
	for (int id = 2; id < kTagCount; id++) {
		if ((unsigned char)name[0] < 128
			&& tolower((unsigned char)tags[id][0]) != first)
			continue;
		if (strcmpxcase(name, tags[id]))
			return id;
	}
	return 0;
}


int
Parser::ExactTag(const char* tagText)
{
	if (tagText == nullptr)
		return 0;
	bool closing = tagText[0] == '/';
	const char* name = closing ? tagText + 1 : tagText;
	size_t length = strcspn(name, kWhiteSpace);
	int id = Comp(name);
	if (id == 0 || length != strlen(tags[id]))
		return 0;
	return closing ? -id : id;
}
