/*
 * Real pages written by other tools (tests/data/corpus/SOURCES lists each
 * page with the Debian package it comes from and what wrote it) go through
 * the editor: what a browser shows of them, their comments, scripts, style
 * sheets and preformatted text, and every tag the editor does not interpret
 * must come back, and the generated page must read back into itself.
 *
 * The pages are read here by a small reader of this test's own, as a
 * browser sees them, not by the editor's parser.
 */
#include "ProgramFixture.h"
#include "ProgramRun.h"

#include <ctype.h>
#include <string.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "Page.h"
#include "Parser.h"
#include "UnsupportedTAG.h"
#include "WImage.h"
#include "WYSIWYG_Engine.h"

using namespace quillora_test;

namespace {

const std::string kCorpus = QUILLORA_TEST_DATA "/corpus";

struct CorpusPage {
	std::string file;		// below tests/data/corpus
	std::string package;
	std::string generator;
};

std::vector<CorpusPage>
CorpusPages()
{
	std::vector<CorpusPage> pages;
	std::ifstream sources(kCorpus + "/SOURCES");
	std::string line;
	while (std::getline(sources, line)) {
		if (line.empty() || line[0] == '#')
			continue;
		std::istringstream fields(line);
		CorpusPage page;
		if (std::getline(fields, page.file, '\t')
			&& std::getline(fields, page.package, '\t')
			&& std::getline(fields, page.generator))
			pages.push_back(page);
	}
	return pages;
}

bool
StartsNoCase(const std::string& text, size_t at, const char* prefix)
{
	size_t length = strlen(prefix);
	return at + length <= text.size()
		&& strncasecmp(text.c_str() + at, prefix, length) == 0;
}

// The name of a tag text (between '<' and '>'), in lower case, with the
// '/' of a closing tag.
std::string
TagName(const std::string& tag)
{
	std::string name;
	for (char c : tag) {
		if (isspace((unsigned char)c) || (c == '/' && !name.empty()))
			break;
		name += (char)tolower((unsigned char)c);
	}
	return name;
}

// What a browser makes of a page, as far as this test compares it.
struct PageContent {
	std::vector<std::string> words;
	std::vector<std::string> comments;
	std::vector<std::string> scripts;	// SCRIPT and STYLE contents
	std::vector<std::string> preformatted;
	std::vector<std::string> tags;		// text between '<' and '>'
};

void
DecodeInto(std::string& out, const std::string& text, size_t& i)
{
	static const struct { const char* name; const char* value; } kNames[] = {
		{ "lt;", "<" }, { "gt;", ">" }, { "amp;", "&" }, { "quot;", "\"" },
		{ "apos;", "'" }, { "nbsp;", "\xC2\xA0" },
	};
	for (const auto& entity : kNames) {
		if (text.compare(i + 1, strlen(entity.name), entity.name) == 0) {
			out += entity.value;
			i += strlen(entity.name);
			return;
		}
	}
	if (i + 2 < text.size() && text[i + 1] == '#') {
		size_t j = i + 2;
		bool hex = j < text.size() && (text[j] == 'x' || text[j] == 'X');
		if (hex)
			j++;
		unsigned long code = 0;
		size_t digits = 0;
		while (j < text.size() && (hex ? isxdigit((unsigned char)text[j])
				: isdigit((unsigned char)text[j]))) {
			code = code * (hex ? 16 : 10) + (isdigit((unsigned char)text[j])
				? text[j] - '0' : tolower((unsigned char)text[j]) - 'a' + 10);
			j++;
			digits++;
		}
		if (digits > 0 && j < text.size() && text[j] == ';') {
			out += "&#" + std::to_string(code) + ";";
			i = j;
			return;
		}
	}
	out += '&';
}

void
AddWords(std::vector<std::string>& words, const std::string& text)
{
	std::string decoded;
	for (size_t i = 0; i < text.size(); i++) {
		if (text[i] == '&')
			DecodeInto(decoded, text, i);
		else
			decoded += text[i];
	}
	std::istringstream split(decoded);
	std::string word;
	while (split >> word)
		words.push_back(word);
}

// The end of the tag that begins at `at` ('<'): after its '>', where a
// quoted option value may hold '>'.
size_t
TagEnd(const std::string& text, size_t at)
{
	bool afterEquals = false;
	for (size_t i = at + 1; i < text.size(); i++) {
		char c = text[i];
		if (c == '>')
			return i + 1;
		if ((c == '"' || c == '\'') && afterEquals) {
			size_t close = text.find(c, i + 1);
			if (close != std::string::npos) {
				i = close;
				afterEquals = false;
				continue;
			}
		}
		if (c == '=')
			afterEquals = true;
		else if (!isspace((unsigned char)c))
			afterEquals = false;
	}
	return std::string::npos;
}

size_t
FindNoCase(const std::string& text, const char* what, size_t from)
{
	for (size_t i = text.find('<', from); i != std::string::npos;
			i = text.find('<', i + 1)) {
		if (StartsNoCase(text, i, what))
			return i;
	}
	return std::string::npos;
}

PageContent
ReadPage(const std::string& bytes)
{
	std::string page = WithLineFeeds(bytes);
	PageContent content;
	std::string text;
	std::string pre;
	int preDepth = 0;
	bool inTitle = false;
	size_t i = 0;
	while (i < page.size()) {
		char c = page[i];
		bool markup = c == '<' && i + 1 < page.size()
			&& (isalpha((unsigned char)page[i + 1]) || page[i + 1] == '/'
				|| page[i + 1] == '!' || page[i + 1] == '?');
		if (!markup) {
			if (!inTitle)
				text += c;
			if (preDepth > 0)
				pre += c;
			i++;
			continue;
		}
		if (StartsNoCase(page, i, "<!--")) {
			size_t end = page.find("-->", i + 4);
			end = end == std::string::npos ? page.size() : end + 3;
			content.comments.push_back(page.substr(i, end - i));
			i = end;
			continue;
		}
		if (page[i + 1] == '!' || page[i + 1] == '?') {
			size_t end = page.find('>', i);
			i = end == std::string::npos ? page.size() : end + 1;
			continue;
		}
		size_t end = TagEnd(page, i);
		if (end == std::string::npos) {
			text += c;
			i++;
			continue;
		}
		std::string tag = page.substr(i + 1, end - i - 2);
		content.tags.push_back(tag);
		std::string name = TagName(tag);
		i = end;
		// Words do not run on across a tag that breaks the line; inline
		// tags are all the same here, as this compares words, not spacing.
		text += ' ';
		if (name == "script" || name == "style" || name == "xmp"
			|| name == "textarea") {
			size_t close = FindNoCase(page, ("</" + name).c_str(), i);
			if (close == std::string::npos)
				continue;
			std::string inside = page.substr(i, close - i);
			if (name == "script" || name == "style")
				content.scripts.push_back(inside);
			else {
				text += inside;
				content.preformatted.push_back(inside);
			}
			i = close;
		} else if (name == "pre" || name == "listing") {
			preDepth++;
		} else if ((name == "/pre" || name == "/listing") && preDepth > 0) {
			if (--preDepth == 0) {
				content.preformatted.push_back(pre);
				pre.clear();
			}
		} else if (name == "title")
			inTitle = true;
		else if (name == "/title")
			inTitle = false;
	}
	AddWords(content.words, text);
	return content;
}


class Corpus : public ProgramTest,
	public testing::WithParamInterface<CorpusPage> {
protected:
	// The page's folder (with its pictures) copied into this test's folder,
	// opened, and its generated document.
	std::string Generate(const std::string& path)
	{
		Open(path);
		return CurrentPage() != nullptr ? GeneratedDocument(CurrentPage())
			: std::string();
	}

	// The tags of a page that the editor keeps as they are: the factory
	// is asked about each name once.
	std::vector<std::string> KeptTags(const std::vector<std::string>& tags)
	{
		std::vector<std::string> kept;
		Page* page = CurrentPage();
		WYSIWYG_Engine* engine = page->Engine();
		for (const std::string& tag : tags) {
			std::string name = TagName(tag);
			std::string bare = name[0] == '/' ? name.substr(1) : name;
			// The document's own tags are the editor's to write.
			if (bare == "html" || bare == "head" || bare == "body"
				|| bare == "title" || StartsNoCase(tag, 0,
					"META NAME=\"Author\"") || StartsNoCase(tag, 0,
					"META NAME=\"Generator\""))
				continue;
			auto known = fUnsupported.find(name);
			if (known == fUnsupported.end()) {
				WYSIWYG_Element* element = Parser::Constructor(
					engine->FirstElement(), name.c_str(), page);
				known = fUnsupported.emplace(name,
					dynamic_cast<UnsupportedTAG*>(element) != nullptr).first;
			}
			if (known->second)
				kept.push_back(tag);
		}
		return kept;
	}

	// The SRC values of the page's IMG tags, in order.
	static std::vector<std::string> Sources(const std::vector<std::string>& tags)
	{
		std::vector<std::string> sources;
		for (const std::string& tag : tags) {
			if (TagName(tag) != "img")
				continue;
			char* value = nullptr;
			WYSIWYG_Engine::ReadTAGOption("SRC", &value, tag.c_str());
			sources.push_back(value != nullptr ? value : "(none)");
			delete[] value;
		}
		return sources;
	}

	std::map<std::string, bool> fUnsupported;
};


TEST_P(Corpus, PageComesBackAsABrowserShowsIt)
{
	const CorpusPage& source = GetParam();
	std::string folder = source.file.substr(0, source.file.find('/'));
	std::string copy = fDirectory + "/" + folder;
	ASSERT_EQ(0, system(("cp -r '" + kCorpus + "/" + folder + "' '"
		+ fDirectory + "/'").c_str()));
	std::string path = fDirectory + "/" + source.file;
	std::string original = ReadFile(path);
	ASSERT_FALSE(original.empty()) << path;

	std::string first = Generate(path);
	ASSERT_FALSE(first.empty());
	SCOPED_TRACE(source.file + " (" + source.package + ", "
		+ source.generator + ")");

	// The batch run writes the same document without laying the page out:
	// where the window broke the lines changes none of its bytes.
	ProgramRun batch = RunProgram({ "--html", path },
		getenv("XDG_CONFIG_HOME"));
	EXPECT_EQ(0, batch.status) << batch.err;
	EXPECT_TRUE(batch.out == CurrentPage()->FileStart() + first)
		<< "the batch run's document differs";

	PageContent before = ReadPage(original);
	PageContent after = ReadPage(first);
	ASSERT_GT(before.words.size(), 20u);
	EXPECT_EQ(before.words, after.words);
	EXPECT_EQ(before.comments, after.comments);
	EXPECT_EQ(before.scripts, after.scripts);
	EXPECT_EQ(before.preformatted, after.preformatted);
	EXPECT_EQ(KeptTags(before.tags), KeptTags(after.tags));

	// Its pictures show where the page has them, and their sources come
	// back as written.
	EXPECT_EQ(Sources(before.tags), Sources(after.tags));
	std::string pageFolder = path.substr(0, path.rfind('/') + 1);
	for (WYSIWYG_Element* e = CurrentPage()->Engine()->FirstElement();
			e != nullptr; e = e->Next()) {
		WImage* image = dynamic_cast<WImage*>(e);
		if (image != nullptr && image->source != nullptr
			&& FileExists(pageFolder + image->source)) {
			EXPECT_NE(image->bitmap, nullptr) << image->source;
		}
	}

	// The generated page reads back into itself.
	std::string again = fDirectory + "/" + folder + "/generated.html";
	WriteFile(again, first);
	std::string second = Generate(again);
	EXPECT_TRUE(first == second) << "the second generation differs";
}

TEST(CorpusSources, ThirtyPagesOfVariedOrigin)
{
	std::vector<CorpusPage> pages = CorpusPages();
	EXPECT_GE(pages.size(), 30u);
	std::set<std::string> generators;
	std::set<std::string> packages;
	for (const CorpusPage& page : pages) {
		generators.insert(page.generator);
		packages.insert(page.package);
		EXPECT_FALSE(ReadFile(kCorpus + "/" + page.file).empty()) << page.file;
	}
	EXPECT_GE(generators.size(), 10u);
	EXPECT_GE(packages.size(), 10u);
}

INSTANTIATE_TEST_SUITE_P(DebianDocumentation, Corpus,
	testing::ValuesIn(CorpusPages()),
	[](const testing::TestParamInfo<CorpusPage>& info) {
		std::string name;
		for (char c : info.param.file)
			name += isalnum((unsigned char)c) ? c : '_';
		return name;
	});

}	// namespace
