/*
 * Installed fonts and their metrics. Qt-free.
 *
 * Families come in the host's order; each family's styles are listed with
 * its regular face first (the style named Regular, Book, Roman, Normal or
 * Medium), then the others sorted by name, so the order is stable.
 */
#ifndef _QUILLORA_HOST_FONT_H
#define _QUILLORA_HOST_FONT_H

#include <cstdint>
#include <string>
#include <vector>

namespace BPrivate {

struct HostFontStyle {
	std::string name;
	bool fixed;
	bool bold;
	bool italic;
};

struct HostFontFamily {
	std::string name;
	bool fixed;		// any of its styles is fixed-pitch
	std::vector<HostFontStyle> styles;
};

// The list is read once and never changes afterwards, so references stay
// valid for the life of the process.
const std::vector<HostFontFamily>& host_font_families();
int32_t host_find_family(const char* name);	// -1 when unknown
int32_t host_find_style(int32_t family, const char* style);	// -1 when unknown

// Extra decoration of a host font.
enum {
	HOST_FONT_UNDERLINE = 0x1,
	HOST_FONT_STRIKEOUT = 0x2
};

struct HostFontWidths;

// One family/style at one pixel size. Instances are cached and never freed,
// so a pointer can be kept. The width of each Unicode character is measured
// once, when it is first asked for: measuring a string is a sum, and
// drawing uses the same advances (no kerning, no ligatures).
struct HostFont {
	int32_t family;
	int32_t style;
	float size;
	uint32_t decoration;
	float ascent;
	float descent;
	float leading;
	bool fixed;
	void* qfont;	// the host's font object
	HostFontWidths* widths;
};

const HostFont* host_font(int32_t family, int32_t style, float size, uint32_t decoration);

// The advance of one Unicode character (a character the font lacks is
// measured in the font the host draws it with). Safe from any thread.
float host_char_width(const HostFont* font, uint32_t character);

}	// namespace BPrivate

#endif	// _QUILLORA_HOST_FONT_H
