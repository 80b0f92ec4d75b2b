/*
 * Drawing shared by the kit's controls: the grey panels, bevels, buttons,
 * boxes and marks that give the controls one look.
 */
#ifndef _QUILLORA_CONTROL_LOOK_H
#define _QUILLORA_CONTROL_LOOK_H

#include <GraphicsDefs.h>
#include <Rect.h>
#include <SupportDefs.h>

class BFont;
class BView;

namespace BPrivate {

rgb_color panel_color();		// 216 grey
rgb_color shine_color();		// white
rgb_color shadow_color();		// the darker bevel edge
rgb_color dark_color();			// outlines
rgb_color text_color(bool enabled);
rgb_color focus_color();		// keyboard navigation blue
rgb_color menu_selected_color();

// A raised (or, pressed, sunken) bevel inside `frame`; returns the inner rect.
BRect draw_bevel(BView* view, BRect frame, bool sunken);
// The sunken well of a text field or list: two-pixel bevel.
BRect draw_well(BView* view, BRect frame, bool focused, bool enabled);
void draw_button(BView* view, BRect frame, const char* label, bool pressed,
	bool enabled, bool isDefault, bool focused);
// A label baseline-centred in `frame`, aligned as given (0 left, 1 right,
// 2 centre, the alignment enum order).
void draw_label(BView* view, BRect frame, const char* label, int align,
	bool enabled);
void draw_check_mark(BView* view, BRect box, rgb_color color);
// A small filled triangle pointing right (submenu) or down (pop-up).
void draw_arrow(BView* view, BRect frame, bool down, rgb_color color);

// Labels written in the program's source are UTF-8 ("Open page…"), while
// the kit's fonts read bytes as Latin-1 by default: a label that is valid
// UTF-8 with a multi-byte character is drawn and measured as UTF-8.
bool is_multibyte_utf8(const char* text);
void set_label_encoding(BView* view, const char* text);
float label_width(const BFont& font, const char* text);

float font_line_height(const BFont& font);
float font_ascent(const BFont& font);
// Time since an arbitrary start, in microseconds (the kits' system time).
bigtime_t controls_now();

}	// namespace BPrivate

#endif	// _QUILLORA_CONTROL_LOOK_H
