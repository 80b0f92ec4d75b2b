/*
 * BListView: a scrollable column of list items with a selection.
 *
 * Every change of the selection by the user or by Select()/DeselectAll()
 * posts the selection message (with "index" of the selected row, or
 * without "index" when nothing is selected); a double click or Enter posts
 * the invocation message. A click below the last row deselects.
 */
#ifndef _LIST_VIEW_H
#define _LIST_VIEW_H

#include <Invoker.h>
#include <ListItem.h>
#include <View.h>

#include <vector>

enum list_view_type {
	B_SINGLE_SELECTION_LIST,
	B_MULTIPLE_SELECTION_LIST
};

class BListView : public BView, public BInvoker {
public:
								BListView(BRect frame, const char* name,
									list_view_type type
										= B_SINGLE_SELECTION_LIST,
									uint32 resizingMode
										= B_FOLLOW_LEFT | B_FOLLOW_TOP,
									uint32 flags = B_WILL_DRAW
										| B_FRAME_EVENTS | B_NAVIGABLE);
	virtual						~BListView();

	virtual	void				AttachedToWindow();
	virtual	void				Draw(BRect updateRect);
	virtual	void				MouseDown(BPoint where);
	virtual	void				KeyDown(const char* bytes, int32 numBytes);
	virtual	void				MakeFocus(bool focused = true);
	virtual	void				FrameResized(float width, float height);
	virtual	void				TargetedByScrollView(BScrollView* scrollView);
	virtual	void				GetPreferredSize(float* width, float* height);

	// Items are not owned: MakeEmpty() and the destructor leave them alive,
	// as on the platform.
	virtual	bool				AddItem(BListItem* item);
	virtual	bool				AddItem(BListItem* item, int32 atIndex);
	virtual	bool				RemoveItem(BListItem* item);
	virtual	BListItem*			RemoveItem(int32 index);
	virtual	bool				RemoveItems(int32 index, int32 count);
	virtual	void				MakeEmpty();

			BListItem*			ItemAt(int32 index) const;
			int32				IndexOf(BPoint point) const;
			int32				IndexOf(BListItem* item) const;
			BListItem*			FirstItem() const;
			BListItem*			LastItem() const;
			bool				HasItem(BListItem* item) const;
			int32				CountItems() const;
			bool				IsEmpty() const;

	virtual	void				SetSelectionMessage(BMessage* message);
	virtual	void				SetInvocationMessage(BMessage* message);
			BMessage*			SelectionMessage() const
									{ return fSelectMessage; }
			uint32				SelectionCommand() const;
			BMessage*			InvocationMessage() const;
			uint32				InvocationCommand() const;

	virtual	void				SetListType(list_view_type type);
			list_view_type		ListType() const { return fListType; }

			void				Select(int32 index, bool extend = false);
			void				Select(int32 from, int32 to,
									bool extend = false);
			bool				IsItemSelected(int32 index) const;
	// The index-th selected row counted from the top, or -1.
			int32				CurrentSelection(int32 index = 0) const;
			void				DeselectAll();
			void				DeselectExcept(int32 from, int32 to);
			void				Deselect(int32 index);

	virtual	status_t			Invoke(BMessage* message = NULL);
	virtual	void				SelectionChanged();

			void				SortItems(int (*compare)(const void*,
									const void*));
			void				InvalidateItem(int32 index);
			void				ScrollToSelection();
			BRect				ItemFrame(int32 index) const;

private:
			void				_UpdateScrollBars();
			void				_Relayout();
			float				_ItemTop(int32 index) const;
			bool				_SetSelection(int32 from, int32 to,
									bool extend);
			void				_PostSelection();

			std::vector<BListItem*> fItems;
			BMessage*			fSelectMessage;
			list_view_type		fListType;
			int32				fAnchor;
			bigtime_t			fLastClick;
			int32				fLastClickIndex;
};

#endif	// _LIST_VIEW_H
