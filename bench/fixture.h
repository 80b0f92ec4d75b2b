/*
 * One application with one generated page in both windows (the HTML one
 * shown, as when it is used), for the benchmarks of whole-page commands.
 * Every alert is answered with its first button and noted, so that a
 * benchmark whose command complained can say so.
 *
 * Header-only: each benchmark program includes it.
 */
#ifndef QUILLORA_BENCH_FIXTURE_H
#define QUILLORA_BENCH_FIXTURE_H

#include <Alert.h>
#include <EventLoop.h>

#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "HWindow.h"
#include "Page.h"
#include "WApplication.h"
#include "WText.h"
#include "WWindow.h"
#include "WYSIWYG_Engine.h"
#include "generator.h"

class QuietResponder : public BAlertResponder {
public:
	virtual int32 Respond(const char*, const char* text, const char* const[3],
		int32)
	{
		alerts++;
		lastText = text != nullptr ? text : "";
		return 0;
	}

	int alerts = 0;
	std::string lastText;
};


struct BenchFixture {
	// Opens `text` as the page file of a temporary home.
	explicit BenchFixture(const std::string& text)
	{
		char pattern[] = "/tmp/quillora-bench-XXXXXX";
		directory = mkdtemp(pattern);
		setenv("XDG_CONFIG_HOME", (directory + "/config").c_str(), 1);
		setenv("HOME", directory.c_str(), 1);
		setenv("QT_QPA_PLATFORM", "offscreen", 0);
		BAlert::SetResponder(&responder);
		path = directory + "/page.html";
		pageSize = text.size();
		std::ofstream(path, std::ios::binary) << text;
		application = new WApplication(&path[0]);
		BPrivate::dispatch_until_idle();
		page = application->pages[0];
		page->htmlWindow->Show();
		BPrivate::dispatch_until_idle();

		// The whole page must be there, or every figure is meaningless.
		page->GenerateHTML();
		if (page->HTMLBufferLength() < pageSize / 2) {
			fprintf(stderr, "the %zu byte page generates only %zu bytes\n",
				pageSize, page->HTMLBufferLength());
			exit(1);
		}
		if (responder.alerts > 0) {
			fprintf(stderr, "%d alert(s) while opening, the last: %s\n",
				responder.alerts, responder.lastText.c_str());
			responder.alerts = 0;
		}
	}

	// What went wrong, for SkipWithError; empty when no alert came up
	// since the last call.
	std::string Complaint()
	{
		if (responder.alerts == 0)
			return std::string();
		responder.alerts = 0;
		return "alert: " + responder.lastText;
	}

	// The bytes of all the visual page's text elements.
	int64_t VisualTextLength()
	{
		int64_t length = 0;
		for (WYSIWYG_Element* element
				= page->visualWindow->engine->FirstElement();
				element != nullptr; element = element->next) {
			if (WText* text = dynamic_cast<WText*>(element))
				length += text->TextLength();
		}
		return length;
	}

	std::string directory;
	std::string path;
	size_t pageSize;
	QuietResponder responder;
	WApplication* application;
	Page* page;
};

#endif	// QUILLORA_BENCH_FIXTURE_H
