/*
 * BBox: a bevelled frame around a group of views, with an optional label.
 */
#ifndef _BOX_H
#define _BOX_H

#include <View.h>

class BBox : public BView {
public:
								BBox(BRect frame, const char* name = NULL,
									uint32 resizingMode
										= B_FOLLOW_LEFT | B_FOLLOW_TOP,
									uint32 flags = B_WILL_DRAW | B_FRAME_EVENTS
										| B_NAVIGABLE_JUMP,
									border_style border = B_FANCY_BORDER);
	virtual						~BBox();

	virtual	void				AttachedToWindow();
	virtual	void				Draw(BRect updateRect);
	virtual	void				FrameResized(float width, float height);

	virtual	void				SetBorder(border_style border);
			border_style		Border() const { return fStyle; }
			void				SetLabel(const char* label);
			status_t			SetLabel(BView* viewLabel);
			const char*			Label() const { return fLabel; }
			BView*				LabelView() const { return fLabelView; }

private:
			float				_TopInset() const;

			char*				fLabel;
			BView*				fLabelView;
			border_style		fStyle;
};

#endif	// _BOX_H
