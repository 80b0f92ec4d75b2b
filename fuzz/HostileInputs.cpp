// The hostile pages (see HostileInputs.h).
#include "HostileInputs.h"

#include <stdint.h>

namespace quillora_fuzz {

namespace {

std::string
Repeat(const std::string& piece, size_t times)
{
	std::string result;
	result.reserve(piece.size() * times);
	for (size_t i = 0; i < times; i++)
		result += piece;
	return result;
}


// Every byte value, in an order that does not repeat for a long while.
std::string
Binary(size_t length)
{
	std::string bytes(length, '\0');
	uint32_t state = 2463534242u;
	for (char& byte : bytes) {
		state ^= state << 13;
		state ^= state >> 17;
		state ^= state << 5;
		byte = char(state & 0xff);
	}
	return bytes;
}

}	// namespace


std::vector<std::pair<std::string, std::string>>
HostileInputs()
{
	const std::string body = "<HTML><HEAD><TITLE>t</TITLE></HEAD><BODY>";
	std::string nul = body + "a";
	nul += '\0';
	nul += "b<B";
	nul += '\0';
	nul += ">c</B><A HREF=\"x";
	nul += '\0';
	nul += "y\">d</A><P>";
	nul += std::string(16, '\0');

	std::string words;
	while (words.size() < 3 * 1024 * 1024)
		words += "word" + std::to_string(words.size() % 89) + " ";

	return {
		{"empty", ""},
		{"binary-64k", Binary(64 * 1024)},
		{"binary-in-body", body + Binary(8 * 1024) + "</BODY></HTML>"},
		{"nul-bytes", nul},
		{"text-3mib-no-tags", words},
		{"tag-300kb", body + "x<FONT FACE=\"" + std::string(300 * 1000, 'f')
			+ "\">y</FONT>z<IMG SRC=\"" + std::string(300 * 1000, 'i')
			+ "\" ALT=" + std::string(1000, 'a') + ">"},
		{"nested-20000", body + Repeat("<B>", 20000) + "deep"
			+ Repeat("</B>", 20000)},
		{"nested-mixed-20000", body + Repeat("<UL><LI><I><CENTER><BLOCKQUOTE>",
			4000) + "deep" + Repeat("</BLOCKQUOTE></CENTER></I></LI></UL>", 3000)},
		{"unbalanced-open", body + Repeat("<", 5000) + "text<B<I<P" + Repeat("<A ", 100)},
		{"unbalanced-close", body + Repeat(">", 5000) + "text>/B>" + Repeat("</B>", 1000)
			+ Repeat("</P>", 1000)},
		{"unclosed-tag-at-end", body + "text<FONT SIZE=\"+2"},
		{"unclosed-comment", body + "a<!-- " + Repeat("-", 1000) + "<B>b"},
		{"unclosed-script", body + "<SCRIPT>if (a < b && c > d) {" + Repeat("<", 100)},
		{"quotes-never-closed", body + "<A HREF=\"" + Repeat("<B>'", 1000)},
	};
}

}	// namespace quillora_fuzz
