// BWindow: construction, geometry, showing and hiding, shortcuts, pulses.
#include <Window.h>

#include <AppDefs.h>
#include <AppPrivate.h>
#include <EventLoop.h>
#include <Message.h>
#include <Screen.h>
#include <View.h>

#include "HostImage.h"
#include "HostWindow.h"
#include "InterfacePrivate.h"
#include "WindowPrivate.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

using BPrivate::HostWindow;
using BPrivate::WindowPrivate;

namespace {

const float kLargest = 100000.0f;

window_look LookFor(window_type type)
{
	switch (type) {
		case B_DOCUMENT_WINDOW:
			return B_DOCUMENT_WINDOW_LOOK;
		case B_MODAL_WINDOW:
			return B_MODAL_WINDOW_LOOK;
		case B_FLOATING_WINDOW:
			return B_FLOATING_WINDOW_LOOK;
		case B_BORDERED_WINDOW:
			return B_BORDERED_WINDOW_LOOK;
		default:
			return B_TITLED_WINDOW_LOOK;
	}
}

window_feel FeelFor(window_type type)
{
	switch (type) {
		case B_MODAL_WINDOW:
			return B_MODAL_APP_WINDOW_FEEL;
		case B_FLOATING_WINDOW:
			return B_FLOATING_APP_WINDOW_FEEL;
		default:
			return B_NORMAL_WINDOW_FEEL;
	}
}

// The kit's top view: fills the window, white, follows every edge.
class TopView : public BView {
public:
	TopView(BRect frame)
		: BView(frame, "top view", B_FOLLOW_ALL, 0) {}
};

}	// namespace


BWindow::BWindow(BRect frame, const char* title, window_type type, uint32 flags,
	uint32 workspace)
	:
	BLooper(title)
{
	fType = type;
	_Init(frame, title, LookFor(type), FeelFor(type), flags, workspace);
}


BWindow::BWindow(BRect frame, const char* title, window_look look, window_feel feel,
	uint32 flags, uint32 workspace)
	:
	BLooper(title)
{
	fType = B_UNTYPED_WINDOW;
	if (look == B_MODAL_WINDOW_LOOK && feel == B_MODAL_APP_WINDOW_FEEL)
		fType = B_MODAL_WINDOW;
	_Init(frame, title, look, feel, flags, workspace);
}


void BWindow::_Init(BRect frame, const char* title, window_look look, window_feel feel,
	uint32 flags, uint32 workspace)
{
	BPrivate::init_interface_kit();
	fFrame = BPrivate::pixel_rect(frame);
	if (fFrame.right < fFrame.left)
		fFrame.right = fFrame.left;
	if (fFrame.bottom < fFrame.top)
		fFrame.bottom = fFrame.top;
	fTitle = strdup(title != NULL ? title : "");
	fLook = look;
	fFeel = feel;
	fFlags = flags;
	fWorkspaces = workspace;
	fShowLevel = 1;
	fActive = false;
	fMinimized = false;
	fRunCalled = false;
	fKeyMenuBar = NULL;
	fDefaultButton = NULL;
	fPulseRate = 500000;
	fMinWidth = 0;
	fMinHeight = 0;
	fMaxWidth = kLargest;
	fMaxHeight = kLargest;
	fFocus = NULL;

	fPrivate = new WindowPrivate(this, fFrame.IntegerWidth() + 1, fFrame.IntegerHeight() + 1);
	fTopView = new TopView(Bounds());
	fTopView->_Attach(this);
	BPrivate::register_window(this, this);
}


BWindow::~BWindow()
{
	BPrivate::unregister_window(this);
	fPrivate->StopPulse();
	fPrivate->ReleaseDirect();
	if (fPrivate->host != NULL)
		fPrivate->host->Hide();
	// Views hear DetachedFromWindow() while the window still exists.
	fTopView->_Detach();
	delete fTopView;
	fTopView = NULL;
	for (BPrivate::Shortcut& shortcut : fPrivate->shortcuts)
		delete shortcut.message;
	fPrivate->shortcuts.clear();
	delete fPrivate;
	free(fTitle);
}


void BWindow::Quit()
{
	if (fPrivate->host != NULL)
		fPrivate->host->Hide();
	fPrivate->StopPulse();
	BLooper::Quit();
}


thread_id BWindow::Run()
{
	fRunCalled = true;
	thread_id thread = BLooper::Run();
	if (fPrivate->pulseViews > 0)
		fPrivate->StartPulse();
	return thread;
}


bool BWindow::QuitRequested()
{
	return BLooper::QuitRequested();
}


// #pragma mark - views


void BWindow::AddChild(BView* child, BView* before)
{
	fTopView->AddChild(child, before);
}


bool BWindow::RemoveChild(BView* child)
{
	return fTopView->RemoveChild(child);
}


int32 BWindow::CountChildren() const
{
	return fTopView->CountChildren();
}


BView* BWindow::ChildAt(int32 index) const
{
	return fTopView->ChildAt(index);
}


BView* BWindow::FindView(const char* viewName) const
{
	return fTopView->FindView(viewName);
}


BView* BWindow::FindView(BPoint point) const
{
	BView* view = fPrivate->ViewAt(point);
	return view == fTopView ? NULL : view;
}


BView* BWindow::CurrentFocus() const
{
	return fFocus;
}


BView* BWindow::LastMouseMovedView() const
{
	return fPrivate->lastMouseMoved;
}


// #pragma mark - updates


bool BWindow::NeedsUpdate() const
{
	return !fPrivate->dirty.empty();
}


void BWindow::UpdateIfNeeded()
{
	fPrivate->Update();
}


void BWindow::DisableUpdates()
{
	fPrivate->updatesDisabled++;
}


void BWindow::EnableUpdates()
{
	if (fPrivate->updatesDisabled > 0)
		fPrivate->updatesDisabled--;
	if (fPrivate->updatesDisabled == 0 && !fPrivate->dirty.empty()
		&& !fPrivate->updatePosted) {
		fPrivate->updatePosted = true;
		PostMessage(_UPDATE_);
	}
}


void BWindow::BeginViewTransaction()
{
	DisableUpdates();
}


void BWindow::EndViewTransaction()
{
	EnableUpdates();
}


void BWindow::Flush() const
{
	fPrivate->ReleaseDirect();
}


void BWindow::Sync() const
{
	fPrivate->ReleaseDirect();
}


status_t BWindow::Snapshot(const char* pngPath)
{
	if (pngPath == NULL)
		return B_BAD_VALUE;
	fPrivate->InvalidateAll();
	int32 disabled = fPrivate->updatesDisabled;
	fPrivate->updatesDisabled = 0;
	fPrivate->snapshotting = true;
	fPrivate->Update();
	fPrivate->snapshotting = false;
	fPrivate->updatesDisabled = disabled;
	return fPrivate->buffer->WritePNG(pngPath) ? B_OK : B_ERROR;
}


// #pragma mark - showing


void BWindow::Show()
{
	fShowLevel--;
	if (fShowLevel == 0) {
		WindowPrivate* data = fPrivate;
		if (data->host == NULL && !BPrivate::is_headless()) {
			// The host window takes the buffer's pixels into its own
			// store: nothing may be drawing into them meanwhile.
			data->ReleaseDirect();
			data->host = new HostWindow(data, data->buffer);
			data->host->SetTitle(fTitle);
			int32 kind = BPrivate::HOST_WINDOW_NORMAL;
			if (fLook == B_MODAL_WINDOW_LOOK || IsModal())
				kind = BPrivate::HOST_WINDOW_DIALOG;
			else if (fLook == B_FLOATING_WINDOW_LOOK || IsFloating())
				kind = BPrivate::HOST_WINDOW_TOOL;
			else if (fLook == B_BORDERED_WINDOW_LOOK || fLook == B_NO_BORDER_WINDOW_LOOK)
				kind = BPrivate::HOST_WINDOW_FRAMELESS;
			data->host->SetGeometry((int32)fFrame.left, (int32)fFrame.top,
				fFrame.IntegerWidth() + 1, fFrame.IntegerHeight() + 1);
			data->host->SetKind(kind, IsModal(), (fFlags & B_NOT_RESIZABLE) == 0,
				IsFloating());
			if (data->hostParent != NULL
				&& BPrivate::window_private(data->hostParent)->host != NULL) {
				data->host->SetTransientParent(
					BPrivate::window_private(data->hostParent)->host);
			}
			if ((fFlags & B_NOT_RESIZABLE) == 0) {
				data->host->SetSizeLimits((int32)fMinWidth + 1, (int32)fMaxWidth + 1,
					(int32)fMinHeight + 1, (int32)fMaxHeight + 1);
			}
		}
		data->InvalidateAll();
		data->Update();
		if (data->host != NULL) {
			data->host->Show();
			if ((fFlags & B_AVOID_FOCUS) == 0)
				data->host->Activate();
		}
	}
	if (!fRunCalled)
		Run();
}


void BWindow::Hide()
{
	fShowLevel++;
	if (fShowLevel == 1 && fPrivate->host != NULL)
		fPrivate->host->Hide();
}


bool BWindow::IsHidden() const
{
	return fShowLevel > 0;
}


bool BWindow::IsMinimized() const
{
	return fMinimized;
}


void BWindow::Minimize(bool minimize)
{
	fMinimized = minimize;
	if (fPrivate->host != NULL && !IsHidden())
		fPrivate->host->Minimize(minimize);
}


void BWindow::Zoom(BPoint, float, float)
{
}


void BWindow::Zoom()
{
	Zoom(fFrame.LeftTop(), fFrame.Width(), fFrame.Height());
}


void BWindow::SetZoomLimits(float, float)
{
}


void BWindow::ScreenChanged(BRect, color_space) {}
void BWindow::WorkspacesChanged(uint32, uint32) {}
void BWindow::WorkspaceActivated(int32, bool) {}
void BWindow::FrameMoved(BPoint) {}
void BWindow::FrameResized(float, float) {}
void BWindow::MenusBeginning() {}
void BWindow::MenusEnded() {}


void BWindow::WindowActivated(bool)
{
}


void BWindow::Activate(bool active)
{
	if (IsHidden() || fPrivate->host == NULL)
		return;
	if (active)
		fPrivate->host->Activate();
	else
		fPrivate->host->Lower();
}


bool BWindow::IsActive() const
{
	return fActive;
}


bool BWindow::IsFront() const
{
	return fActive;
}


status_t BWindow::SendBehind(const BWindow*)
{
	if (fPrivate->host != NULL)
		fPrivate->host->Lower();
	return B_OK;
}


// #pragma mark - geometry


BRect BWindow::Bounds() const
{
	return BRect(0, 0, fFrame.Width(), fFrame.Height());
}


BRect BWindow::Frame() const
{
	return fFrame;
}


void BWindow::ConvertToScreen(BPoint* point) const
{
	point->x += fFrame.left;
	point->y += fFrame.top;
}


BPoint BWindow::ConvertToScreen(BPoint point) const
{
	ConvertToScreen(&point);
	return point;
}


void BWindow::ConvertFromScreen(BPoint* point) const
{
	point->x -= fFrame.left;
	point->y -= fFrame.top;
}


BPoint BWindow::ConvertFromScreen(BPoint point) const
{
	ConvertFromScreen(&point);
	return point;
}


void BWindow::ConvertToScreen(BRect* rect) const
{
	rect->OffsetBy(fFrame.left, fFrame.top);
}


BRect BWindow::ConvertToScreen(BRect rect) const
{
	ConvertToScreen(&rect);
	return rect;
}


void BWindow::ConvertFromScreen(BRect* rect) const
{
	rect->OffsetBy(-fFrame.left, -fFrame.top);
}


BRect BWindow::ConvertFromScreen(BRect rect) const
{
	ConvertFromScreen(&rect);
	return rect;
}


void BWindow::MoveBy(float dx, float dy)
{
	MoveTo(fFrame.left + dx, fFrame.top + dy);
}


void BWindow::MoveTo(BPoint point)
{
	MoveTo(point.x, point.y);
}


void BWindow::MoveTo(float x, float y)
{
	x = std::floor(x + 0.5f);
	y = std::floor(y + 0.5f);
	if (x == fFrame.left && y == fFrame.top)
		return;
	fFrame.OffsetTo(x, y);
	if (fPrivate->host != NULL) {
		fPrivate->host->SetGeometry((int32)fFrame.left, (int32)fFrame.top,
			fFrame.IntegerWidth() + 1, fFrame.IntegerHeight() + 1);
	}
	FrameMoved(fFrame.LeftTop());
}


void BWindow::ResizeBy(float dx, float dy)
{
	ResizeTo(fFrame.Width() + dx, fFrame.Height() + dy);
}


void BWindow::ResizeTo(float width, float height)
{
	width = std::floor(width + 0.5f);
	height = std::floor(height + 0.5f);
	if (width < fMinWidth)
		width = fMinWidth;
	if (width > fMaxWidth)
		width = fMaxWidth;
	if (height < fMinHeight)
		height = fMinHeight;
	if (height > fMaxHeight)
		height = fMaxHeight;
	if (width == fFrame.Width() && height == fFrame.Height())
		return;
	fFrame.right = fFrame.left + width;
	fFrame.bottom = fFrame.top + height;
	fPrivate->ResizeBuffer((int32)width + 1, (int32)height + 1);
	fTopView->ResizeTo(width, height);
	fPrivate->InvalidateAll();
	if (fPrivate->host != NULL) {
		fPrivate->host->SetGeometry((int32)fFrame.left, (int32)fFrame.top,
			(int32)width + 1, (int32)height + 1);
	}
	FrameResized(width, height);
}


void BWindow::CenterOnScreen()
{
	BRect screen = BScreen(this).Frame();
	MoveTo(screen.left + (screen.Width() - fFrame.Width()) / 2,
		screen.top + (screen.Height() - fFrame.Height()) / 2);
}


void BWindow::SetSizeLimits(float minWidth, float maxWidth, float minHeight, float maxHeight)
{
	fMinWidth = minWidth > 0 ? minWidth : 0;
	fMaxWidth = maxWidth >= fMinWidth ? maxWidth : fMinWidth;
	fMinHeight = minHeight > 0 ? minHeight : 0;
	fMaxHeight = maxHeight >= fMinHeight ? maxHeight : fMinHeight;
	if (fPrivate->host != NULL && (fFlags & B_NOT_RESIZABLE) == 0) {
		fPrivate->host->SetSizeLimits((int32)fMinWidth + 1, (int32)std::fmin(fMaxWidth, kLargest) + 1,
			(int32)fMinHeight + 1, (int32)std::fmin(fMaxHeight, kLargest) + 1);
	}
	// The current size obeys the new limits.
	ResizeTo(fFrame.Width(), fFrame.Height());
}


void BWindow::GetSizeLimits(float* minWidth, float* maxWidth, float* minHeight,
	float* maxHeight)
{
	if (minWidth != NULL)
		*minWidth = fMinWidth;
	if (maxWidth != NULL)
		*maxWidth = fMaxWidth;
	if (minHeight != NULL)
		*minHeight = fMinHeight;
	if (maxHeight != NULL)
		*maxHeight = fMaxHeight;
}


// #pragma mark - properties


const char* BWindow::Title() const
{
	return fTitle;
}


void BWindow::SetTitle(const char* title)
{
	char* copy = strdup(title != NULL ? title : "");
	free(fTitle);
	fTitle = copy;
	SetName(fTitle);
	if (fPrivate->host != NULL)
		fPrivate->host->SetTitle(fTitle);
}


void BWindow::SetKeyMenuBar(BMenuBar* bar)
{
	fKeyMenuBar = bar;
}


BMenuBar* BWindow::KeyMenuBar() const
{
	return fKeyMenuBar;
}


void BWindow::SetDefaultButton(BButton* button)
{
	fDefaultButton = button;
}


BButton* BWindow::DefaultButton() const
{
	return fDefaultButton;
}


uint32 BWindow::Workspaces() const
{
	return fWorkspaces;
}


void BWindow::SetWorkspaces(uint32 workspaces)
{
	fWorkspaces = workspaces;
}


status_t BWindow::SetType(window_type type)
{
	fType = type;
	fLook = LookFor(type);
	fFeel = FeelFor(type);
	return B_OK;
}


window_type BWindow::Type() const
{
	return fType;
}


status_t BWindow::SetLook(window_look look)
{
	fLook = look;
	return B_OK;
}


window_look BWindow::Look() const
{
	return fLook;
}


status_t BWindow::SetFeel(window_feel feel)
{
	fFeel = feel;
	return B_OK;
}


window_feel BWindow::Feel() const
{
	return fFeel;
}


status_t BWindow::SetFlags(uint32 flags)
{
	fFlags = flags;
	return B_OK;
}


uint32 BWindow::Flags() const
{
	return fFlags;
}


bool BWindow::IsModal() const
{
	return fFeel == B_MODAL_APP_WINDOW_FEEL || fFeel == B_MODAL_SUBSET_WINDOW_FEEL
		|| fFeel == B_MODAL_ALL_WINDOW_FEEL;
}


bool BWindow::IsFloating() const
{
	return fFeel == B_FLOATING_APP_WINDOW_FEEL || fFeel == B_FLOATING_SUBSET_WINDOW_FEEL
		|| fFeel == B_FLOATING_ALL_WINDOW_FEEL;
}


// #pragma mark - shortcuts and pulses


static uint32 ShortcutModifiers(uint32 modifiers)
{
	return modifiers & (B_SHIFT_KEY | B_CONTROL_KEY | B_OPTION_KEY);
}


void BWindow::AddShortcut(uint32 key, uint32 modifiers, BMessage* message)
{
	AddShortcut(key, modifiers, message, NULL);
}


void BWindow::AddShortcut(uint32 key, uint32 modifiers, BMessage* message, BHandler* target)
{
	if (message == NULL)
		return;
	key = (uint32)tolower((int)(key & 0xff));
	modifiers = ShortcutModifiers(modifiers);
	RemoveShortcut(key, modifiers);
	BPrivate::Shortcut shortcut = { key, modifiers, message, target };
	fPrivate->shortcuts.push_back(shortcut);
}


void BWindow::RemoveShortcut(uint32 key, uint32 modifiers)
{
	key = (uint32)tolower((int)(key & 0xff));
	modifiers = ShortcutModifiers(modifiers);
	std::vector<BPrivate::Shortcut>& shortcuts = fPrivate->shortcuts;
	for (size_t i = 0; i < shortcuts.size(); i++) {
		if (shortcuts[i].key == key && shortcuts[i].modifiers == modifiers) {
			delete shortcuts[i].message;
			shortcuts.erase(shortcuts.begin() + i);
			return;
		}
	}
}


bool BWindow::HasShortcut(uint32 key, uint32 modifiers)
{
	key = (uint32)tolower((int)(key & 0xff));
	modifiers = ShortcutModifiers(modifiers);
	for (const BPrivate::Shortcut& shortcut : fPrivate->shortcuts) {
		if (shortcut.key == key && shortcut.modifiers == modifiers)
			return true;
	}
	return false;
}


void BWindow::SetPulseRate(bigtime_t rate)
{
	if (rate < 0)
		rate = 0;
	fPulseRate = rate;
	fPrivate->StopPulse();
	fPrivate->StartPulse();
}


bigtime_t BWindow::PulseRate() const
{
	return fPulseRate;
}
