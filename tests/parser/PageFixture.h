// A real page (windows, engine, HTML view) in a temporary home, for parsing
// text through the HTML view as the program does.
#ifndef QUILLORA_TEST_PAGE_FIXTURE_H
#define QUILLORA_TEST_PAGE_FIXTURE_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <Alert.h>

class Config;
class Page;
class WYSIWYG_Element;
class WYSIWYG_Engine;

class PageTest : public testing::Test {
protected:
	void SetUp() override;
	void TearDown() override;

	// Replaces the HTML view's text, empties the chain and parses.
	void Parse(const std::string& html);

	WYSIWYG_Engine* Engine() const;
	WYSIWYG_Element* First() const;
	// One short description per element in chain order:
	// T'text' (WText; neighbouring text elements as one), C<id>
	// (TextChange), E<type> (EndLine), HR, U<html> (UnsupportedTAG).
	std::vector<std::string> Chain() const;
	static std::string Describe(WYSIWYG_Element* element);
	int32 ChainLength() const;
	// The HTML view's selection.
	void Selection(int32* start, int32* end) const;

	BRecordingAlertResponder fResponder;
	std::string fRoot;
	std::string fPagePath;
	Config* fConfig = nullptr;
	Page* fPage = nullptr;

private:
	std::string fOldHome;
	std::string fOldConfig;
};

#endif	// QUILLORA_TEST_PAGE_FIXTURE_H
