/*
 * The HTML parser: the tag table, the tokenizer that reads the HTML source
 * view's text into the page's element chain, and the factory that turns one
 * tag into one element.
 */
#ifndef QUILLORA_PARSER_H
#define QUILLORA_PARSER_H

class Page;
class WYSIWYG_Element;

// Ids of the tag table that the tokenizer and the elements treat by name.
enum {
	kTagBASE = 7,
	kTagBODY = 12,
	kTagHEAD = 38,
	kTagHTML = 41,
	kTagIMG = 44,
	kTagLINK = 50,
	kTagLISTING = 51,
	kTagMETA = 54,
	kTagPLAINTEXT = 62,
	kTagPRE = 63,
	kTagSCRIPT = 65,
	kTagSTYLE = 72,
	kTagTEXTAREA = 78,
	kTagTITLE = 82,
	kTagXMP = 89
};

// Ids of the paired and list tags: anchors, lists and their items, and the
// style tags that the pairing rules group by what they change.
enum {
	kTagA = 2,
	kTagB = 6,
	kTagBIG = 10,
	kTagBLOCKQUOTE = 11,
	kTagBR = 13,
	kTagCENTER = 15,
	kTagCITE = 16,
	kTagCODE = 17,
	kTagDD = 20,
	kTagDFN = 21,
	kTagDIR = 22,
	kTagDL = 24,
	kTagDT = 25,
	kTagEM = 26,
	kTagH1 = 32,
	kTagH2 = 33,
	kTagH3 = 34,
	kTagH4 = 35,
	kTagH5 = 36,
	kTagH6 = 37,
	kTagHR = 40,
	kTagI = 42,
	kTagKBD = 47,
	kTagLI = 49,
	kTagMENU = 53,
	kTagOL = 58,
	kTagP = 60,
	kTagSAMP = 64,
	kTagSMALL = 67,
	kTagSTRIKE = 70,
	kTagSTRONG = 71,
	kTagSUB = 73,
	kTagSUP = 74,
	kTagTT = 84,
	kTagU = 86,
	kTagUL = 87,
	kTagVAR = 88,
	kTagBOLD = 90
};

class Parser {
public:
	// Tag names by tag id (2 "A" ... 89 "XMP", 90 "BOLD"); 0 and 1 are null.
	// An opening tag is represented by its id, a closing tag by its negated
	// id.
	static const char* tags[91];
	static const int kTagCount = 91;

	// The id of the tag name at the start of tagText (up to the first white
	// space), matched as a case-insensitive prefix of the table's names;
	// 0 when nothing matches.
	static int Comp(const char* tagText);
	// The signed id of a tag text whose name (after a leading '/', up to
	// white space or the end) is exactly a name of the table, ignoring
	// case; 0 for any other name.
	static int ExactTag(const char* tagText);

	// Parses the text of the page's HTML source view into the page's engine
	// chain, after its first element. The chain must have been emptied to
	// its first element.
	static void Parse(Page* page);

	// Builds the element for one tag (the text between '<' and '>', perhaps
	// beginning with '/') with previous as its previous element. The caller
	// links it in.
	static WYSIWYG_Element* Constructor(WYSIWYG_Element* previous,
		const char* tagText, Page* page);
};

#endif	// QUILLORA_PARSER_H
