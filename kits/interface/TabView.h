/*
 * BTabView and BTab: pages of views chosen by tabs along the top.
 *
 * Every tab's view is a child of the container view from AddTab() on; only
 * the selected tab's view is shown, the others are hidden, so every page
 * stays attached to the window.
 */
#ifndef _TAB_VIEW_H
#define _TAB_VIEW_H

#include <View.h>

#include <vector>

class BTabView;

enum tab_position {
	B_TAB_FIRST = 999,
	B_TAB_FRONT,
	B_TAB_ANY
};

class BTab {
public:
								BTab(BView* contents = NULL);
	virtual						~BTab();

			const char*			Label() const;
	virtual	void				SetLabel(const char* label);
			bool				IsSelected() const { return fSelected; }
	virtual	void				Select(BView* owner);
	virtual	void				Deselect();
	virtual	void				SetEnabled(bool enabled);
			bool				IsEnabled() const { return fEnabled; }
			void				MakeFocus(bool inFocus = true)
									{ fFocus = inFocus; }
			bool				IsFocus() const { return fFocus; }

	// The tab owns its view; setting a new one deletes the old one.
	virtual	void				SetView(BView* view);
			BView*				View() const { return fView; }

	virtual	void				DrawFocusMark(BView* owner, BRect frame);
	virtual	void				DrawLabel(BView* owner, BRect frame);
	virtual	void				DrawTab(BView* owner, BRect frame,
									tab_position position, bool full = true);

private:
	friend class BTabView;

			BView*				fView;
			char*				fLabel;
			BTabView*			fTabView;
			bool				fSelected;
			bool				fEnabled;
			bool				fFocus;
};

class BTabView : public BView {
public:
								BTabView(BRect frame, const char* name,
									button_width width = B_WIDTH_AS_USUAL,
									uint32 resizingMode = B_FOLLOW_ALL,
									uint32 flags = B_FULL_UPDATE_ON_RESIZE
										| B_WILL_DRAW | B_NAVIGABLE_JUMP
										| B_FRAME_EVENTS | B_NAVIGABLE);
	virtual						~BTabView();

	virtual	void				AttachedToWindow();
	virtual	void				Draw(BRect updateRect);
	virtual	void				MouseDown(BPoint where);
	virtual	void				KeyDown(const char* bytes, int32 numBytes);
	virtual	void				MakeFocus(bool focused = true);

	virtual	void				Select(int32 index);
			int32				Selection() const { return fSelection; }
	virtual	void				SetFocusTab(int32 tab, bool focused);
			int32				FocusTab() const { return fFocus; }

	virtual	BRect				TabFrame(int32 index) const;
	virtual	void				DrawTabs();
	virtual	BRect				DrawBox(BRect selectedTabRect);

	// Without a tab a new BTab is made; its label is the view's name unless
	// the tab already has one.
	virtual	void				AddTab(BView* target, BTab* tab = NULL);
	virtual	BTab*				RemoveTab(int32 index);
	virtual	BTab*				TabAt(int32 index) const;
			int32				CountTabs() const;
			int32				IndexOf(BTab* tab) const;
			BView*				ViewForTab(int32 index) const;

	virtual	void				SetTabWidth(button_width width);
			button_width		TabWidth() const { return fTabWidthSetting; }
	virtual	void				SetTabHeight(float height);
			float				TabHeight() const { return fTabHeight; }
			BView*				ContainerView() const { return fContainer; }

private:
			void				_LayoutContainer();

			std::vector<BTab*>	fTabs;
			BView*				fContainer;
			button_width		fTabWidthSetting;
			float				fTabHeight;
			int32				fSelection;
			int32				fFocus;
};

#endif	// _TAB_VIEW_H
