/*
 * BListItem: one row of a BListView. BStringItem: a row showing a text.
 */
#ifndef _LIST_ITEM_H
#define _LIST_ITEM_H

#include <Rect.h>
#include <SupportDefs.h>

class BFont;
class BView;

class BListItem {
public:
								BListItem(uint32 outlineLevel = 0,
									bool expanded = true);
	virtual						~BListItem();

			float				Height() const { return fHeight; }
			float				Width() const { return fWidth; }
			bool				IsSelected() const { return fSelected; }
			void				Select() { fSelected = true; }
			void				Deselect() { fSelected = false; }

	virtual	void				SetEnabled(bool on) { fEnabled = on; }
			bool				IsEnabled() const { return fEnabled; }

			void				SetHeight(float height) { fHeight = height; }
			void				SetWidth(float width) { fWidth = width; }

	virtual	void				DrawItem(BView* owner, BRect frame,
									bool complete = false) = 0;
	// Measures the item for `owner` drawing with `font`.
	virtual	void				Update(BView* owner, const BFont* font);

			bool				IsExpanded() const { return fExpanded; }
			void				SetExpanded(bool expanded)
									{ fExpanded = expanded; }
			uint32				OutlineLevel() const { return fLevel; }

private:
			float				fWidth;
			float				fHeight;
			uint32				fLevel;
			bool				fSelected;
			bool				fEnabled;
			bool				fExpanded;
};

class BStringItem : public BListItem {
public:
								BStringItem(const char* text,
									uint32 outlineLevel = 0,
									bool expanded = true);
	virtual						~BStringItem();

	virtual	void				DrawItem(BView* owner, BRect frame,
									bool complete = false);
	virtual	void				SetText(const char* text);
			const char*			Text() const { return fText; }
	virtual	void				Update(BView* owner, const BFont* font);

private:
			char*				fText;
			float				fBaselineOffset;
};

#endif	// _LIST_ITEM_H
