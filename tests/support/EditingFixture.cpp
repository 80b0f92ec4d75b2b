// The editing fixture (see EditingFixture.h).
#include "EditingFixture.h"

#include "EndLine.h"
#include "TextChange.h"

namespace quillora_test {

void
EditingFixture::Open(const std::string& body)
{
	Parse("<BODY>" + body + "</BODY>");
	fPage->Saved();
}


WText*
EditingFixture::Place(const std::string& bytes, int32 start, int32 end,
	int nth)
{
	int seen = 0;
	for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next()) {
		WText* text = dynamic_cast<WText*>(e);
		if (text == nullptr || bytes != text->Text() || ++seen < nth)
			continue;
		EXPECT_TRUE(Window()->Lock());
		text->MakeFocus(true);
		text->Select(start, end < 0 ? start : end);
		Window()->Unlock();
		return text;
	}
	ADD_FAILURE() << "no text \"" << bytes << "\" #" << nth << "\n" << Dump();
	return nullptr;
}


WText*
EditingFixture::Focused()
{
	return dynamic_cast<WText*>(Engine()->Element(Window()->CurrentFocus()));
}


std::string
EditingFixture::Caret()
{
	WText* focused = Focused();
	if (focused == nullptr)
		return "(none)";
	std::string bytes = focused->Text();
	int nth = 0;
	for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next()) {
		WText* text = dynamic_cast<WText*>(e);
		if (text != nullptr && bytes == text->Text())
			nth++;
		if (e == focused)
			break;
	}
	int32 start, end;
	focused->GetSelection(&start, &end);
	std::string out = bytes;
	if (nth > 1)
		out += "#" + std::to_string(nth);
	out += "@" + std::to_string(start);
	if (end != start)
		out += "-" + std::to_string(end);
	return out;
}


void
EditingFixture::Command(uint32 what)
{
	Window()->PostMessage(what);
	BPrivate::dispatch_until_idle();
}


void
EditingFixture::ExpectSoundChain(const std::string& step,
	bool styleEndsTouchAnyTag)
{
	WYSIWYG_Element* previous = nullptr;
	for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next()) {
		ASSERT_EQ(previous, e->Previous()) << step << "\n" << Dump();
		bool tag = dynamic_cast<WText*>(e) == nullptr;
		bool lastWasTag = previous != nullptr
			&& dynamic_cast<WText*>(previous) == nullptr;
		bool styleEnd = dynamic_cast<TextChange*>(e) != nullptr;
		bool lastWasStyleEnd = dynamic_cast<TextChange*>(previous) != nullptr;
		bool allowed = (styleEnd && lastWasStyleEnd)
			|| dynamic_cast<EndLine*>(e) != nullptr
			|| (styleEndsTouchAnyTag && (styleEnd || lastWasStyleEnd));
		ASSERT_FALSE(tag && lastWasTag && !allowed) << step
			<< ": two tags touch\n" << Dump();
		if (TextChange* change = dynamic_cast<TextChange*>(e)) {
			ASSERT_NE(nullptr, change->FindOpeningClosing()) << step
				<< ": a style end without its partner\n" << Dump();
		}
		previous = e;
	}
	ASSERT_EQ(fAlertsBefore, fResponder.CountAlerts()) << step << ": "
		<< fResponder.TextAt(fAlertsBefore) << "\n" << Dump();
	std::string moved = ShiftDifference();
	ASSERT_TRUE(moved.empty()) << step << ": walking the environments and "
		"moving the lines again changed\n" << moved;
	// The environments are walked again as well: a margin or an item
	// number the incremental walk left stale shows in the flow.
	std::string incremental = FlowDump();
	ASSERT_TRUE(Window()->Lock());
	Engine()->Do(nullptr);
	Engine()->Place(nullptr, true);
	Window()->Unlock();
	std::string whole = FlowDump();
	ASSERT_TRUE(incremental == whole) << step
		<< ": a whole layout differs (- whole, + incremental)\n"
		<< DiffLines(whole, incremental);
}

}	// namespace quillora_test
