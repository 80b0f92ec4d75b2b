#include "generator.h"

#include <cstdint>
#include <cstring>

#include "WText.h"
#include "WYSIWYG_Element.h"
#include "WYSIWYG_Engine.h"

namespace {

const char* kWords[] = {
	"the", "of", "and", "to", "in", "page", "editor", "text", "line", "view",
	"window", "a", "is", "that", "for", "it", "with", "as", "was", "on",
	"document", "layout", "font", "paragraph", "style", "image", "link",
	"list", "heading", "rule", "break", "menu", "settings", "browser", "file",
	"system", "program", "element", "chain", "quick", "brown", "fox", "jumps",
	"over", "lazy", "dog", "while", "under", "between", "because", "every",
	"simple", "visual", "source", "engine", "measure", "width", "height",
};
const int kWordCount = sizeof(kWords) / sizeof(kWords[0]);

// In UTF-8; Latin-1 pages get them in Latin-1.
const char* kAccentedWords[] = {
	"caf\xc3\xa9", "na\xc3\xafve", "d\xc3\xa9j\xc3\xa0", "\xc3\xbc" "ber",
	"Stra\xc3\x9f" "e", "fa\xc3\xa7" "ade", "cr\xc3\xa8me", "se\xc3\xb1or",
	"\xc3\x85ngstr\xc3\xb6m", "sm\xc3\xb6rg\xc3\xa5sbord", "\xc3\xa9t\xc3\xa9",
};
const int kAccentedWordCount
	= sizeof(kAccentedWords) / sizeof(kAccentedWords[0]);

// The words of the page being generated.
PageWords sWords = kEnglishWords;

// A small fixed generator, so that pages do not depend on the library.
class Random {
public:
	explicit Random(unsigned seed) : fState(seed * 2654435761u + 1) {}
	uint32_t Next()
	{
		fState ^= fState << 13;
		fState ^= fState >> 17;
		fState ^= fState << 5;
		return fState;
	}
	int Below(int limit) { return (int)(Next() % (uint32_t)limit); }

private:
	uint32_t fState;
};

// A word of Latin-1 letters, from UTF-8.
void
AppendLatin1(std::string& out, const char* utf8)
{
	for (const char* c = utf8; *c != '\0'; c++) {
		unsigned char byte = (unsigned char)*c;
		if (byte == 0xc2 || byte == 0xc3) {
			out += char(((byte & 0x03) << 6) | ((unsigned char)c[1] & 0x3f));
			c++;
		} else
			out += *c;
	}
}

void
AppendWords(std::string& out, Random& random, int count)
{
	for (int i = 0; i < count; i++) {
		if (i > 0)
			out += ' ';
		if (sWords != kEnglishWords && random.Below(8) == 0) {
			const char* word = kAccentedWords[random.Below(kAccentedWordCount)];
			if (sWords == kUTF8Words)
				out += word;
			else
				AppendLatin1(out, word);
		} else
			out += kWords[random.Below(kWordCount)];
	}
}

// A sentence with, now and then, a styled run or a link inside.
void
AppendSentence(std::string& out, Random& random)
{
	AppendWords(out, random, 4 + random.Below(8));
	switch (random.Below(10)) {
		case 0:
			out += " <B>";
			AppendWords(out, random, 1 + random.Below(3));
			out += "</B>";
			break;
		case 1:
			out += " <I>";
			AppendWords(out, random, 1 + random.Below(3));
			out += "</I>";
			break;
		case 2:
			out += " <U>";
			AppendWords(out, random, 1 + random.Below(2));
			out += "</U>";
			break;
		case 3:
			out += " <A HREF=\"page" + std::to_string(random.Below(100))
				+ ".html\">";
			AppendWords(out, random, 1 + random.Below(3));
			out += "</A>";
			break;
		case 4:
			out += " <SPAN CLASS=\"note\">";
			AppendWords(out, random, 2);
			out += "</SPAN>";
			break;
	}
	out += ' ';
	AppendWords(out, random, 3 + random.Below(6));
	out += ". ";
}

// A list of one of the three kinds, now and then with a list inside one of
// its items, down to the third level.
void
AppendList(std::string& out, Random& random, int level)
{
	static const char* kKinds[] = { "UL", "OL", "DL" };
	std::string kind = kKinds[random.Below(3)];
	out += "<" + kind + ">\n";
	int items = 2 + random.Below(5);
	for (int i = 0; i < items; i++) {
		if (kind == "DL")
			out += i % 2 == 0 ? "<DT>" : "<DD>";
		else
			out += "<LI>";
		AppendSentence(out, random);
		out += "\n";
		if (level < 3 && random.Below(4) == 0)
			AppendList(out, random, level + 1);
	}
	out += "</" + kind + ">\n";
}

void
AppendParagraph(std::string& out, Random& random, size_t length)
{
	size_t start = out.size();
	out += "<P>";
	while (out.size() - start < length)
		AppendSentence(out, random);
	out += "</P>\n";
}

}	// namespace

std::string
GeneratePage(size_t bytes, unsigned seed, PageWords words)
{
	sWords = words;
	Random random(seed);
	std::string out;
	out.reserve(bytes + 4096);
	out += "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Final//EN\">\n"
		"<HTML>\n<HEAD>\n<TITLE>Generated page</TITLE>\n</HEAD>\n"
		"<BODY TEXT=\"#000000\" BGCOLOR=\"#FFFFFF\" LINK=\"#0000FF\">\n";
	bool middleDone = false;
	while (out.size() < bytes) {
		if (!middleDone && out.size() >= bytes / 2) {
			out += "<P>Middle ";
			AppendParagraph(out, random, 6000);
			middleDone = true;
			continue;
		}
		switch (random.Below(12)) {
			case 0:
			{
				std::string level = std::to_string(1 + random.Below(3));
				out += "<H" + level + ">";
				AppendWords(out, random, 2 + random.Below(4));
				out += "</H" + level + ">\n";
				break;
			}
			case 1:
				AppendList(out, random, 1);
				break;
			case 2:
				out += "<HR>\n";
				break;
			case 3:
				AppendWords(out, random, 6);
				out += "<BR>\n";
				AppendWords(out, random, 6);
				out += "<BR>\n";
				break;
			case 4:
				out += "<TABLE BORDER=1><TR><TD>";
				AppendWords(out, random, 3);
				out += "</TD></TR></TABLE>\n";
				break;
			default:
				AppendParagraph(out, random, 300 + random.Below(1500));
		}
	}
	out += "</BODY>\n</HTML>\n";
	return out;
}

std::string
AddPictures(const std::string& page, int count,
	const std::vector<std::string>& sources)
{
	std::vector<size_t> places;
	for (size_t at = page.find("<P>"); at != std::string::npos;
			at = page.find("<P>", at + 3))
		places.push_back(at + 3);
	if (places.empty() || sources.empty() || count <= 0)
		return page;
	std::string out;
	out.reserve(page.size() + (size_t)count * 48);
	size_t from = 0;
	for (int i = 0; i < count; i++) {
		size_t at = places[(size_t)i * places.size() / (size_t)count];
		out.append(page, from, at - from);
		from = at;
		out += "<IMG SRC=\"" + sources[(size_t)i % sources.size()] + "\"";
		if (i % 3 == 2)
			out += " ALIGN=\"TOP\"";
		out += "> ";
	}
	out.append(page, from, std::string::npos);
	return out;
}

WText*
LongParagraphText(WYSIWYG_Engine* engine)
{
	// The fifteenth text element after the one that starts with "Middle ":
	// well inside the paragraph, with many lines after it.
	int texts = 0;
	for (WYSIWYG_Element* e = engine->FirstElement(); e != nullptr;
			e = e->Next()) {
		WText* text = dynamic_cast<WText*>(e);
		if (text == nullptr)
			continue;
		if (strncmp(text->Text(), "Middle ", 7) == 0)
			texts = 1;
		else if (texts > 0 && ++texts >= 15 && text->TextLength() > 10)
			return text;
	}
	return nullptr;
}
