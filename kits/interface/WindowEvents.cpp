// BWindow: host events in, messages routed to views.
#include <Window.h>

#include <AppDefs.h>
#include <Application.h>
#include <Message.h>
#include <View.h>

#include <AppPrivate.h>
#include <OS.h>

#include "Host.h"
#include "HostWindow.h"
#include "InterfacePrivate.h"
#include "WindowPrivate.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

using BPrivate::WindowPrivate;

namespace BPrivate {

// #pragma mark - host events become messages


void WindowPrivate::HostKey(const HostKeyEvent& event)
{
	BMessage message(event.down ? B_KEY_DOWN : B_KEY_UP);
	message.AddInt64("when", event.when);
	message.AddInt32("modifiers", (int32)event.modifiers);
	message.AddInt32("key", event.key);
	message.AddInt32("raw_char", event.rawChar);
	message.AddInt8("byte", (int8)event.bytes[0]);
	message.AddString("bytes", event.bytes);
	if (event.repeat)
		message.AddInt32("be:key_repeat", 1);
	set_message_remote(&message, true);
	// The preferred handler is the focus view; its filters see the key.
	window->PostMessage(&message, (BHandler*)NULL);
}


void WindowPrivate::HostMouse(const HostMouseEvent& event)
{
	uint32 what = B_MOUSE_MOVED;
	if (event.kind == HOST_MOUSE_DOWN)
		what = B_MOUSE_DOWN;
	else if (event.kind == HOST_MOUSE_UP)
		what = B_MOUSE_UP;
	BMessage message(what);
	BPoint where(std::floor(event.x), std::floor(event.y));
	message.AddInt64("when", event.when);
	message.AddPoint("where", where);
	message.AddPoint("be:window_where", where);
	message.AddPoint("screen_where", BPoint(event.screenX, event.screenY));
	message.AddInt32("buttons", (int32)event.buttons);
	message.AddInt32("modifiers", (int32)event.modifiers);
	if (what == B_MOUSE_DOWN) {
		// Clicks count when they come quickly, nearby, with the same button.
		bigtime_t interval = host_double_click_interval();
		if (clicks > 0 && event.when - lastClickTime <= interval
			&& event.buttons == lastClickButtons && std::fabs(where.x - lastClickWhere.x) <= 4
			&& std::fabs(where.y - lastClickWhere.y) <= 4)
			clicks++;
		else
			clicks = 1;
		lastClickTime = event.when;
		lastClickWhere = where;
		lastClickButtons = event.buttons;
		message.AddInt32("clicks", clicks);
	}
	set_message_remote(&message, true);
	window->PostMessage(&message);
}


void WindowPrivate::HostWheel(float dx, float dy, uint32_t modifiers, int64_t when)
{
	BMessage message(B_MOUSE_WHEEL_CHANGED);
	message.AddInt64("when", when);
	message.AddFloat("be:wheel_delta_x", dx);
	message.AddFloat("be:wheel_delta_y", dy);
	message.AddInt32("modifiers", (int32)modifiers);
	if (host != NULL) {
		float x, y;
		uint32_t held;
		host->GetMouse(&x, &y, &held);
		message.AddPoint("be:window_where", BPoint(std::floor(x), std::floor(y)));
	}
	set_message_remote(&message, true);
	window->PostMessage(&message);
}


void WindowPrivate::HostResized(int32_t width, int32_t height)
{
	if (width - 1 == (int32)window->fFrame.Width() && height - 1 == (int32)window->fFrame.Height())
		return;
	BMessage message(B_WINDOW_RESIZED);
	message.AddFloat("width", (float)(width - 1));
	message.AddFloat("height", (float)(height - 1));
	window->PostMessage(&message);
}


void WindowPrivate::HostMoved(int32_t x, int32_t y)
{
	if (x == (int32)window->fFrame.left && y == (int32)window->fFrame.top)
		return;
	BMessage message(B_WINDOW_MOVED);
	message.AddPoint("where", BPoint((float)x, (float)y));
	window->PostMessage(&message);
}


void WindowPrivate::HostCloseRequested()
{
	if (window->fFlags & B_NOT_CLOSABLE)
		return;
	window->PostMessage(B_QUIT_REQUESTED);
}


void WindowPrivate::HostActivated(bool active)
{
	BMessage message(B_WINDOW_ACTIVATED);
	message.AddBool("active", active);
	window->PostMessage(&message);
}


void WindowPrivate::HostExposed()
{
	if (!inUpdate && window->Lock()) {
		Update();
		window->Unlock();
	}
}

}	// namespace BPrivate


// #pragma mark - routing


namespace {

// Calls fn for every view of the tree, parents first, without recursion.
template<typename Function>
void ForEachView(BView* top, Function fn)
{
	std::vector<BView*> pending(1, top);
	while (!pending.empty()) {
		BView* view = pending.back();
		pending.pop_back();
		fn(view);
		for (int32 i = view->CountChildren(); i-- > 0;)
			pending.push_back(view->ChildAt(i));
	}
}

}	// namespace


void BWindow::DispatchMessage(BMessage* message, BHandler* handler)
{
	if (message == NULL)
		return;
	WindowPrivate* data = fPrivate;
	switch (message->what) {
		case _UPDATE_:
			data->updatePosted = false;
			data->Update();
			break;

		case B_KEY_DOWN:
		case B_KEY_UP:
		{
			int32 modifierBits = 0;
			message->FindInt32("modifiers", &modifierBits);
			BPrivate::set_last_modifiers((uint32)modifierBits);
			const char* bytes = NULL;
			if (message->FindString("bytes", &bytes) != B_OK || bytes == NULL)
				bytes = "";
			if (message->what == B_KEY_DOWN && (modifierBits & B_COMMAND_KEY) != 0) {
				int32 rawChar = 0;
				if (message->FindInt32("raw_char", &rawChar) != B_OK || rawChar == 0)
					rawChar = (uint8)bytes[0];
				uint32 key = (uint32)tolower(rawChar & 0xff);
				uint32 wanted = (uint32)modifierBits & (B_SHIFT_KEY | B_CONTROL_KEY | B_OPTION_KEY);
				bool handled = false;
				for (const BPrivate::Shortcut& shortcut : data->shortcuts) {
					if (shortcut.key != key || shortcut.modifiers != wanted)
						continue;
					BHandler* target = shortcut.target != NULL ? shortcut.target : this;
					BLooper* looper = target->Looper();
					BMessage copy(*shortcut.message);
					copy.AddInt64("when", system_time());
					if (looper != NULL)
						looper->PostMessage(&copy, target);
					handled = true;
					break;
				}
				if (!handled && wanted == 0) {
					// The standard Command keys of every BeOS window.
					uint32 command = 0;
					switch (key) {
						case 'x': command = B_CUT; break;
						case 'c': command = B_COPY; break;
						case 'v': command = B_PASTE; break;
						case 'a': command = B_SELECT_ALL; break;
						case 'z': command = B_UNDO; break;
						default: break;
					}
					if (command != 0 && fFocus != NULL) {
						PostMessage(command, fFocus);
						handled = true;
					} else if (key == 'w' && (fFlags & B_NOT_CLOSABLE) == 0) {
						PostMessage(B_QUIT_REQUESTED);
						handled = true;
					} else if (key == 'q' && be_app != NULL) {
						be_app->PostMessage(B_QUIT_REQUESTED);
						handled = true;
					}
				}
				if (handled)
					break;
			}
			BView* target = dynamic_cast<BView*>(handler);
			if (target == NULL || target->Window() != this)
				target = fFocus;
			int32 length = (int32)strlen(bytes);
			if (target != NULL) {
				if (message->what == B_KEY_DOWN)
					target->KeyDown(bytes, length);
				else
					target->KeyUp(bytes, length);
			} else if (message->what == B_KEY_DOWN && bytes[0] == B_TAB) {
				data->Navigate((modifierBits & B_SHIFT_KEY) != 0);
			}
			break;
		}

		case B_MOUSE_DOWN:
		case B_MOUSE_UP:
		case B_MOUSE_MOVED:
		{
			BPoint where;
			if (message->FindPoint("be:window_where", &where) != B_OK) {
				if (message->FindPoint("where", &where) != B_OK)
					where = data->mouseWhere;
				message->AddPoint("be:window_where", where);
			}
			int32 buttons = 0;
			if (message->FindInt32("buttons", &buttons) != B_OK)
				buttons = message->what == B_MOUSE_UP ? 0 : (int32)data->buttons;
			int32 modifierBits = 0;
			if (message->FindInt32("modifiers", &modifierBits) == B_OK)
				BPrivate::set_last_modifiers((uint32)modifierBits);
			data->mouseWhere = where;
			data->buttons = (uint32)buttons;

			BView* target = dynamic_cast<BView*>(handler);
			if (target == NULL || target->Window() != this || target == fTopView) {
				if (data->eventMaskView != NULL)
					target = data->eventMaskView;
				else if (message->what != B_MOUSE_DOWN && data->mouseView != NULL)
					target = data->mouseView;
				else
					target = data->ViewAt(where);
			}
			if (message->what == B_MOUSE_DOWN) {
				data->mouseView = target;
				if (!message->HasInt32("clicks"))
					message->AddInt32("clicks", 1);
			}
			BPoint local = target != NULL ? where - target->_WindowOffset() : where;
			if (message->ReplacePoint("where", local) != B_OK)
				message->AddPoint("where", local);

			if (message->what == B_MOUSE_DOWN) {
				if (target != NULL)
					target->MouseDown(local);
			} else if (message->what == B_MOUSE_UP) {
				if (buttons == 0) {
					data->mouseView = NULL;
					data->eventMaskView = NULL;
				}
				if (target != NULL)
					target->MouseUp(local);
			} else {
				BView* last = data->lastMouseMoved;
				if (last != NULL && last != target) {
					data->lastMouseMoved = NULL;
					last->MouseMoved(where - last->_WindowOffset(), B_EXITED_VIEW, NULL);
				}
				if (target != NULL) {
					uint32 transit;
					if (last != target)
						transit = B_ENTERED_VIEW;
					else
						transit = target->Bounds().Contains(local) ? B_INSIDE_VIEW : B_OUTSIDE_VIEW;
					data->lastMouseMoved = target;
					target->MouseMoved(local, transit, NULL);
				}
			}
			break;
		}

		case B_MOUSE_WHEEL_CHANGED:
		{
			BPoint where;
			if (message->FindPoint("be:window_where", &where) != B_OK)
				where = data->mouseWhere;
			BView* target = dynamic_cast<BView*>(handler);
			if (target == NULL || target->Window() != this || target == fTopView)
				target = data->ViewAt(where);
			if (target != NULL)
				target->MessageReceived(message);
			break;
		}

		case B_WINDOW_ACTIVATED:
		{
			bool active = false;
			message->FindBool("active", &active);
			if (active == fActive)
				break;
			fActive = active;
			WindowActivated(active);
			ForEachView(fTopView, [active](BView* view) { view->WindowActivated(active); });
			break;
		}

		case B_PULSE:
			data->pulsePosted = false;
			if (data->pulseViews > 0) {
				std::vector<BView*> pulsing;
				ForEachView(fTopView, [&pulsing](BView* view) {
					if (view->Flags() & B_PULSE_NEEDED)
						pulsing.push_back(view);
				});
				for (BView* view : pulsing) {
					if (view->Window() == this)
						view->Pulse();
				}
			}
			break;

		case B_WINDOW_RESIZED:
		{
			float width, height;
			if (message->FindFloat("width", &width) == B_OK
				&& message->FindFloat("height", &height) == B_OK)
				ResizeTo(width, height);
			break;
		}

		case B_WINDOW_MOVED:
		{
			BPoint where;
			if (message->FindPoint("where", &where) == B_OK
				&& (where.x != fFrame.left || where.y != fFrame.top)) {
				fFrame.OffsetTo(where);
				FrameMoved(where);
			}
			break;
		}

		case B_ZOOM:
			Zoom();
			break;

		case B_MINIMIZE:
		{
			bool minimize;
			if (message->FindBool("minimize", &minimize) != B_OK)
				minimize = true;
			Minimize(minimize);
			break;
		}

		default:
			BLooper::DispatchMessage(message, handler);
			break;
	}
	// Whatever was drawn outside Draw() now shows.
	if (BPrivate::is_live_looper(this) && fPrivate != NULL)
		fPrivate->ReleaseDirect();
}


void BWindow::MessageReceived(BMessage* message)
{
	BLooper::MessageReceived(message);
}
