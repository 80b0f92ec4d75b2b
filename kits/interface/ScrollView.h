/*
 * BScrollView: a frame around a target view with scroll bars that move it.
 *
 * The scroll view takes the target's frame, grown by the border and the
 * scroll bars, and adopts the target as its child.
 */
#ifndef _SCROLL_VIEW_H
#define _SCROLL_VIEW_H

#include <View.h>

class BScrollBar;

class BScrollView : public BView {
public:
								BScrollView(const char* name, BView* target,
									uint32 resizingMode
										= B_FOLLOW_LEFT | B_FOLLOW_TOP,
									uint32 flags = 0, bool horizontal = false,
									bool vertical = false,
									border_style border = B_FANCY_BORDER);
	virtual						~BScrollView();

	virtual	void				Draw(BRect updateRect);
	virtual	void				AttachedToWindow();
	virtual	void				FrameResized(float width, float height);

			BScrollBar*			ScrollBar(orientation posture) const;
	virtual	void				SetBorder(border_style border);
			border_style		Border() const { return fBorder; }
	virtual	status_t			SetBorderHighlighted(bool state);
			bool				IsBorderHighlighted() const
									{ return fHighlighted; }
			void				SetTarget(BView* target);
			BView*				Target() const { return fTarget; }

private:
	static	float				_BorderSize(border_style border);
			void				_LayoutChildren();

			BView*				fTarget;
			BScrollBar*			fHorizontal;
			BScrollBar*			fVertical;
			border_style		fBorder;
			bool				fHighlighted;
};

#endif	// _SCROLL_VIEW_H
