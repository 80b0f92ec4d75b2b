// A raster QWindow that shows a window's buffer and forwards its events.
//
// The window keeps its own backing store, and the buffer the kit draws into
// is that store's image whenever the store holds one of the buffer's form
// (HostImage::fStore): showing a change is then a flush, and the window's
// pixels exist once. Otherwise (a scaled screen, say) the buffer is copied
// into the store as it changes.
#include "HostWindow.h"

#include "Host.h"
#include "HostImage.h"
#include "HostKeys.h"

#include <QBackingStore>
#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <QRegion>
#include <QWheelEvent>

#include <cstring>
#include <ctime>

// Qt's entry for mouse input from the windowing system, exported by QtGui
// (its test library declares it the same way).
QT_BEGIN_NAMESPACE
Q_GUI_EXPORT void qt_handleMouseEvent(QWindow* window, const QPointF& local,
	const QPointF& global, Qt::MouseButtons state, Qt::MouseButton button,
	QEvent::Type type, Qt::KeyboardModifiers mods, int timestamp);
QT_END_NAMESPACE

namespace BPrivate {

static_assert((int)HOST_KEY_LEFT == (int)Qt::Key_Left && (int)HOST_KEY_F1 == (int)Qt::Key_F1
	&& (int)HOST_KEY_BACKTAB == (int)Qt::Key_Backtab
	&& (int)HOST_KEY_NUM_LOCK == (int)Qt::Key_NumLock
	&& (int)HOST_KEY_PAGE_DOWN == (int)Qt::Key_PageDown, "key codes differ from Qt's");
static_assert((int)HOST_SHIFT_MODIFIER == (int)Qt::ShiftModifier
	&& (int)HOST_ALT_MODIFIER == (int)Qt::AltModifier
	&& (int)HOST_META_MODIFIER == (int)Qt::MetaModifier
	&& (int)HOST_CONTROL_MODIFIER == (int)Qt::ControlModifier,
	"modifier bits differ from Qt's");

namespace {

int64_t Now()
{
	timespec now;
	clock_gettime(CLOCK_MONOTONIC, &now);
	return (int64_t)now.tv_sec * 1000000 + now.tv_nsec / 1000;
}

uint32_t Buttons(Qt::MouseButtons buttons)
{
	uint32_t result = 0;
	if (buttons & Qt::LeftButton)
		result |= 1;
	if (buttons & Qt::RightButton)
		result |= 2;
	if (buttons & Qt::MiddleButton)
		result |= 4;
	return result;
}

class RasterWindow : public QWindow {
public:
	RasterWindow(HostWindowClient* client)
		: fClient(client), fStore(this), fBuffer(nullptr), fWasActive(false)
	{
		setSurfaceType(QSurface::RasterSurface);
	}

	// The buffer's pixels move into the store; what the buffer held is
	// gone, and the kit draws the whole window before showing it.
	void SetBuffer(HostImage* buffer)
	{
		if (fBuffer != nullptr)
			fBuffer->LendTo(nullptr);
		fBuffer = buffer;
		if (buffer != nullptr)
			buffer->LendTo(&fStore);
	}

	// Shows this part of the buffer at the next update of the window.
	void Schedule(const QRect& rect)
	{
		fPending += rect;
		requestUpdate();
	}

protected:
	void exposeEvent(QExposeEvent*) override
	{
		if (isExposed())
			_Flush(QRegion(QRect(QPoint(0, 0), size())));
	}

	void _Flush(QRegion region)
	{
		// A chance to draw what is dirty first; what that shows is
		// scheduled into fPending.
		fClient->HostExposed();
		region += fPending;
		fPending = QRegion();
		if (region.isEmpty())
			return;
		const QImage* image = fBuffer != nullptr
			? static_cast<const QImage*>(fBuffer->Impl()) : nullptr;
		bool shared = image != nullptr
			&& image == dynamic_cast<QImage*>(fStore.paintDevice());
		if (!shared && fStore.size() != size())
			fStore.resize(size());
		region &= QRect(QPoint(0, 0), fStore.size());
		if (region.isEmpty())
			return;
		fStore.beginPaint(region);
		if (!shared) {
			QPainter painter(fStore.paintDevice());
			painter.setCompositionMode(QPainter::CompositionMode_Source);
			QRegion outside = region;
			if (image != nullptr) {
				for (const QRect& rect : region)
					painter.drawImage(rect, *image, rect);
				outside -= QRect(QPoint(0, 0), image->size());
			}
			// While a resize is pending the buffer may be smaller than
			// the window.
			for (const QRect& rect : outside)
				painter.fillRect(rect, QColor(216, 216, 216));
		}
		fStore.endPaint();
		fStore.flush(region);
	}

	void keyPressEvent(QKeyEvent* event) override { _Key(event, true); }
	void keyReleaseEvent(QKeyEvent* event) override { _Key(event, false); }

	void mousePressEvent(QMouseEvent* event) override { _Mouse(event, HOST_MOUSE_DOWN); }
	void mouseReleaseEvent(QMouseEvent* event) override { _Mouse(event, HOST_MOUSE_UP); }
	void mouseMoveEvent(QMouseEvent* event) override { _Mouse(event, HOST_MOUSE_MOVED); }
	void mouseDoubleClickEvent(QMouseEvent*) override
	{
		// Qt delivers the second press on its own and then this event on
		// top of it; the kit counts clicks itself, so passing it on would
		// make every double click a triple one.
	}

	bool event(QEvent* event) override
	{
		switch (event->type()) {
			case QEvent::Leave:
			{
				HostMouseEvent mouse = {};
				mouse.kind = HOST_MOUSE_EXITED;
				QPointF where = mapFromGlobal(QCursor::pos());
				mouse.x = (float)where.x();
				mouse.y = (float)where.y();
				mouse.buttons = Buttons(QGuiApplication::mouseButtons());
				mouse.modifiers = translate_host_modifiers(
					(uint32_t)QGuiApplication::keyboardModifiers());
				mouse.when = Now();
				fClient->HostMouse(mouse);
				break;
			}
			case QEvent::Close:
				// BeOS windows close by asking: the kit posts B_QUIT_REQUESTED.
				event->ignore();
				fClient->HostCloseRequested();
				return true;
			case QEvent::FocusIn:
			case QEvent::FocusOut:
			case QEvent::WindowActivate:
			case QEvent::WindowDeactivate:
			case QEvent::ActivationChange:
			{
				bool active = isActive();
				if (active != fWasActive) {
					fWasActive = active;
					fClient->HostActivated(active);
				}
				break;
			}
			case QEvent::UpdateRequest:
				if (isExposed())
					_Flush(QRegion());
				return true;
			default:
				break;
		}
		return QWindow::event(event);
	}

	void wheelEvent(QWheelEvent* event) override
	{
		QPoint angle = event->angleDelta();
		fClient->HostWheel(-angle.x() / 120.0f, -angle.y() / 120.0f,
			translate_host_modifiers((uint32_t)event->modifiers()), Now());
	}

	void resizeEvent(QResizeEvent* event) override
	{
		fClient->HostResized(event->size().width(), event->size().height());
	}

	void moveEvent(QMoveEvent*) override
	{
		QRect frame = geometry();
		fClient->HostMoved(frame.x(), frame.y());
	}

private:
	void _Key(QKeyEvent* event, bool down)
	{
		QString text = event->text();
		int32_t length = (int32_t)text.size();
		const uint16_t* units = reinterpret_cast<const uint16_t*>(text.utf16());
		// A character beyond the BMP is two surrogates; text of several
		// characters (an input method) arrives one character at a time.
		bool single = length <= 1 || (length == 2 && QChar::isHighSurrogate(units[0])
			&& QChar::isLowSurrogate(units[1]));
		int32_t i = 0;
		do {
			int32_t count = length == 0 ? 0 : 1;
			if (i + 1 < length && QChar::isHighSurrogate(units[i])
				&& QChar::isLowSurrogate(units[i + 1]))
				count = 2;
			HostKeyTranslation translation;
			int32_t key = single ? event->key() : 0;
			bool known = translate_host_key(key, (uint32_t)event->modifiers(),
				length > 0 ? units + i : nullptr, count, &translation);
			i += count > 0 ? count : 1;
			if (!known)
				continue;
			HostKeyEvent keyEvent = {};
			keyEvent.down = down;
			keyEvent.repeat = event->isAutoRepeat();
			memcpy(keyEvent.bytes, translation.bytes, sizeof(keyEvent.bytes));
			keyEvent.numBytes = translation.numBytes;
			keyEvent.key = translation.key;
			keyEvent.rawChar = translation.rawChar;
			keyEvent.modifiers = translation.modifiers;
			keyEvent.when = Now();
			fClient->HostKey(keyEvent);
		} while (i < length);
	}

	void _Mouse(QMouseEvent* event, HostMouseKind kind)
	{
		HostMouseEvent mouse = {};
		mouse.kind = kind;
		mouse.x = (float)event->position().x();
		mouse.y = (float)event->position().y();
		mouse.screenX = (float)event->globalPosition().x();
		mouse.screenY = (float)event->globalPosition().y();
		mouse.buttons = Buttons(event->buttons());
		mouse.modifiers = translate_host_modifiers((uint32_t)event->modifiers());
		mouse.when = Now();
		fClient->HostMouse(mouse);
	}

	HostWindowClient* fClient;
	QBackingStore fStore;
	HostImage* fBuffer;
	QRegion fPending;
	bool fWasActive;
};

RasterWindow* WindowOf(void* impl)
{
	return static_cast<RasterWindow*>(impl);
}

}	// namespace


HostWindow::HostWindow(HostWindowClient* client, HostImage* buffer)
{
	host_init();
	fImpl = new RasterWindow(client);
	WindowOf(fImpl)->SetBuffer(buffer);
}


HostWindow::~HostWindow()
{
	WindowOf(fImpl)->SetBuffer(nullptr);
	delete WindowOf(fImpl);
}


void HostWindow::SetBuffer(HostImage* buffer)
{
	WindowOf(fImpl)->SetBuffer(buffer);
}


void HostWindow::SetTitle(const char* title)
{
	// Titles are the program's Latin-1 bytes, or host paths in UTF-8.
	QByteArray bytes(title != nullptr ? title : "");
	QString text = QString::fromUtf8(bytes);
	if (text.contains(QChar::ReplacementCharacter))
		text = QString::fromLatin1(bytes);
	WindowOf(fImpl)->setTitle(text);
}


void HostWindow::SetGeometry(int32_t x, int32_t y, int32_t width, int32_t height)
{
	WindowOf(fImpl)->setGeometry(QRect(x, y, width > 0 ? width : 1, height > 0 ? height : 1));
}


void HostWindow::SetSizeLimits(int32_t minWidth, int32_t maxWidth, int32_t minHeight,
	int32_t maxHeight)
{
	RasterWindow* window = WindowOf(fImpl);
	window->setMinimumSize(QSize(minWidth > 0 ? minWidth : 1, minHeight > 0 ? minHeight : 1));
	const int32_t kLargest = (1 << 24) - 1;	// Qt's own limit
	window->setMaximumSize(QSize(maxWidth < kLargest ? maxWidth : kLargest,
		maxHeight < kLargest ? maxHeight : kLargest));
}


void HostWindow::SetKind(int32_t kind, bool modal, bool resizable, bool stayOnTop)
{
	RasterWindow* window = WindowOf(fImpl);
	Qt::WindowFlags flags = Qt::Window;
	switch (kind) {
		case HOST_WINDOW_DIALOG:
			flags = Qt::Dialog;
			break;
		case HOST_WINDOW_TOOL:
			flags = Qt::Tool;
			break;
		case HOST_WINDOW_FRAMELESS:
			flags = Qt::Window | Qt::FramelessWindowHint;
			break;
		default:
			break;
	}
	if (stayOnTop)
		flags |= Qt::WindowStaysOnTopHint;
	if (!resizable)
		flags |= Qt::MSWindowsFixedSizeDialogHint;
	window->setFlags(flags);
	window->setModality(modal ? Qt::ApplicationModal : Qt::NonModal);
	if (!resizable) {
		window->setMinimumSize(window->size());
		window->setMaximumSize(window->size());
	}
}


void HostWindow::SetTransientParent(HostWindow* parent)
{
	WindowOf(fImpl)->setTransientParent(parent != nullptr ? WindowOf(parent->fImpl) : nullptr);
}


void HostWindow::Show()
{
	WindowOf(fImpl)->show();
}


void HostWindow::Hide()
{
	WindowOf(fImpl)->hide();
}


bool HostWindow::IsVisible() const
{
	return WindowOf(fImpl)->isVisible();
}


void HostWindow::Activate()
{
	RasterWindow* window = WindowOf(fImpl);
	// The offscreen platform has no stacking and complains about raise().
	if (QGuiApplication::platformName() != QLatin1String("offscreen"))
		window->raise();
	window->requestActivate();
}


bool HostWindow::IsActive() const
{
	return WindowOf(fImpl)->isActive();
}


void HostWindow::Minimize(bool minimize)
{
	RasterWindow* window = WindowOf(fImpl);
	if (minimize)
		window->showMinimized();
	else
		window->showNormal();
}


void HostWindow::Raise()
{
	WindowOf(fImpl)->raise();
}


void HostWindow::Lower()
{
	WindowOf(fImpl)->lower();
}


void HostWindow::Update(int32_t left, int32_t top, int32_t right, int32_t bottom)
{
	if (right < left || bottom < top)
		return;
	RasterWindow* window = WindowOf(fImpl);
	if (window->isVisible())
		window->Schedule(QRect(left, top, right - left + 1, bottom - top + 1));
}


void HostWindow::GetMouse(float* x, float* y, uint32_t* buttons) const
{
	QPointF where = WindowOf(fImpl)->mapFromGlobal(QCursor::pos());
	*x = (float)where.x();
	*y = (float)where.y();
	*buttons = Buttons(QGuiApplication::mouseButtons());
}


void HostWindow::FeedMouse(HostMouseKind kind, float x, float y, uint32_t buttons,
	uint32_t changedButton, uint32_t milliseconds)
{
	RasterWindow* window = WindowOf(fImpl);
	Qt::MouseButtons held;
	if (buttons & 1)
		held |= Qt::LeftButton;
	if (buttons & 2)
		held |= Qt::RightButton;
	if (buttons & 4)
		held |= Qt::MiddleButton;
	Qt::MouseButton changed = changedButton == 2 ? Qt::RightButton
		: changedButton == 4 ? Qt::MiddleButton
		: changedButton == 1 ? Qt::LeftButton : Qt::NoButton;
	QEvent::Type type = kind == HOST_MOUSE_DOWN ? QEvent::MouseButtonPress
		: kind == HOST_MOUSE_UP ? QEvent::MouseButtonRelease : QEvent::MouseMove;
	QPointF local(x, y);
	qt_handleMouseEvent(window, local, window->mapToGlobal(local), held,
		type == QEvent::MouseMove ? Qt::NoButton : changed, type,
		QGuiApplication::keyboardModifiers(), (int)milliseconds);
}


uint32_t host_current_modifiers()
{
	if (!host_is_up())
		return 0;
	return translate_host_modifiers((uint32_t)QGuiApplication::keyboardModifiers());
}

}	// namespace BPrivate
