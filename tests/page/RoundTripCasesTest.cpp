/*
 * What the editor keeps of a page: the small pages of tests/data/roundtrip,
 * each NAME.html beside NAME.generated, the exact document the editor
 * generates for it after its own head lines (the page's own head lines,
 * the BODY line, the body and the end), NAME.alerts, what opening it
 * reports (no file: nothing; the page's folder written as FOLDER), and the
 * generated document as a fixed point: read back, it generates the same
 * bytes, in the batch mode and through "Update from HTML" and "Update from
 * Visual".
 *
 * A new case is one pair of files: write the page, then let
 * scripts/update-round-trips write what it generates (it runs this test
 * with QUILLORA_UPDATE_ROUND_TRIPS=1) and review that in the diff.
 */
#include "ProgramFixture.h"
#include "ProgramRun.h"
#include "ChainText.h"
#include "DataCases.h"

#include <string>
#include <vector>

#include "HTML_View.h"
#include "HWindow.h"
#include "Page.h"

using namespace quillora_test;

namespace {

const std::string kFolder = QUILLORA_TEST_DATA "/roundtrip";

// The document after the editor's own head lines, which end with the
// Generator line.
std::string
AfterEditorsHead(const std::string& document)
{
	const std::string generator
		= "<META NAME=\"Generator\" CONTENT=\"Brindel Quillora\">\r\n";
	size_t at = document.find(generator);
	return at == std::string::npos ? "(no Generator line)\n" + document
		: document.substr(at + generator.size());
}


class RoundTripCases : public ProgramTest,
	public testing::WithParamInterface<std::string> {
};


TEST_P(RoundTripCases, GeneratedExactlyAndReadBackTheSame)
{
	std::string page = ReadFile(kFolder + "/" + GetParam() + ".html");
	// Beside the pictures of the sample pages (images/tile.gif).
	CopySamplePictures(fDirectory);
	OpenContent(page);
	ASSERT_NE(nullptr, CurrentPage());
	std::vector<std::string> texts;
	for (int32 i = 0; i < fAlerts.CountAlerts(); i++)
		texts.push_back(fAlerts.TextAt(i));
	std::string alerts = AlertLines(texts, fDirectory, "FOLDER");

	std::string document = GeneratedDocument(CurrentPage());
	// Generating neither edits nor saves anything.
	EXPECT_TRUE(CurrentPage()->IsSaved());
	EXPECT_TRUE(page == ReadFile(fPath));
	std::string expectedPath = kFolder + "/" + GetParam() + ".generated";
	std::string alertsPath = kFolder + "/" + GetParam() + ".alerts";
	if (RewritingExpected("QUILLORA_UPDATE_ROUND_TRIPS")) {
		RewriteExpected(expectedPath, AfterEditorsHead(document));
		RewriteExpected(alertsPath, alerts);
	}
	ASSERT_TRUE(FileExists(expectedPath)) << expectedPath
		<< " is missing: write it with scripts/update-round-trips";
	std::string expected = ReadFile(expectedPath);
	EXPECT_TRUE(expected == AfterEditorsHead(document)) << GetParam()
		<< ".generated differs (- expected, + generated):\n"
		<< DiffLines(expected, AfterEditorsHead(document))
		<< "After an intended change: scripts/update-round-trips";
	std::string expectedAlerts = ReadFile(alertsPath);
	EXPECT_TRUE(expectedAlerts == alerts) << GetParam() << ".alerts differs "
		"(- expected, + reported):\n" << DiffLines(expectedAlerts, alerts);

	// Through the editors: the document in the HTML editor, "Update from
	// HTML", then "Update from Visual", twice over.
	Page* current = CurrentPage();
	HTML_View* view = current->htmlWindow->htmlView;
	std::string lines = WithLineFeeds(document);
	for (int round = 0; round < 2; round++) {
		ASSERT_TRUE(view->LockLooper());
		view->SetText(lines.c_str(), (int32)lines.size());
		view->UnlockLooper();
		current->Update(false);
		current->UpdateFromVisual();
		ASSERT_TRUE(view->LockLooper());
		std::string shown(view->Text(), view->TextLength());
		view->UnlockLooper();
		EXPECT_EQ(lines, shown) << "round " << round;
	}

	// The batch mode generates the same document from the page, and from
	// the document itself.
	std::string original = fDirectory + "/original.html";
	std::string generated = fDirectory + "/generated.html";
	WriteFile(original, page);
	WriteFile(generated, document);
	// The program's settings live where the tests keep theirs.
	std::string configHome = getenv("XDG_CONFIG_HOME");
	ProgramRun first = RunProgram({ "--html", original }, configHome);
	EXPECT_EQ(0, first.status) << first.err;
	EXPECT_EQ(document, first.out);
	ProgramRun second = RunProgram({ "--html", generated }, configHome);
	EXPECT_EQ(0, second.status) << second.err;
	EXPECT_EQ(document, second.out);
}

INSTANTIATE_TEST_SUITE_P(SmallPages, RoundTripCases,
	testing::ValuesIn(DataCases(kFolder, ".html")), DataCaseName);

}	// namespace
