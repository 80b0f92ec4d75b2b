/*
 * BStringView: one line of static text.
 */
#ifndef _STRING_VIEW_H
#define _STRING_VIEW_H

#include <View.h>

class BStringView : public BView {
public:
								BStringView(BRect frame, const char* name,
									const char* text,
									uint32 resizingMode
										= B_FOLLOW_LEFT | B_FOLLOW_TOP,
									uint32 flags = B_WILL_DRAW);
	virtual						~BStringView();

	virtual	void				AttachedToWindow();
	virtual	void				Draw(BRect updateRect);
	virtual	void				GetPreferredSize(float* width, float* height);

			void				SetText(const char* text);
			const char*			Text() const { return fText; }
			void				SetAlignment(alignment flag);
			alignment			Alignment() const { return fAlign; }

private:
			char*				fText;
			alignment			fAlign;
};

#endif	// _STRING_VIEW_H
