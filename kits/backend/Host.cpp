// The process's one QGuiApplication and the event-loop hooks.
#include "Host.h"

#include <QAbstractEventDispatcher>
#include <QGuiApplication>
#include <QtGlobal>
#include <QScreen>
#include <QStyleHints>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>
#include <unistd.h>

namespace BPrivate {

namespace {

std::once_flag sInitOnce;
std::atomic<bool> sUp(false);
std::atomic<QAbstractEventDispatcher*> sDispatcher(nullptr);
QTimer* sWaitTimer = nullptr;

// Qt keeps references to argc and argv for the application's whole life.
int sArgc = 0;
std::vector<char*> sArgv;
std::string sCommandLine;

void ReadCommandLine()
{
	FILE* file = fopen("/proc/self/cmdline", "rb");
	if (file != nullptr) {
		char buffer[4096];
		size_t length;
		while ((length = fread(buffer, 1, sizeof(buffer), file)) > 0)
			sCommandLine.append(buffer, length);
		fclose(file);
	}
	if (sCommandLine.empty())
		sCommandLine.assign("quillora\0", 9);
	if (sCommandLine.back() != '\0')
		sCommandLine.push_back('\0');
	// Only the program name goes to Qt: the program's own arguments must
	// not be taken as Qt options.
	sArgv.push_back(&sCommandLine[0]);
	sArgv.push_back(nullptr);
	sArgc = 1;
}

// Qt's debug and warning chatter (no XDG_RUNTIME_DIR, no raise() on the
// offscreen platform ...) would mix with the program's own stderr output;
// only real errors get through.
void FilterMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
	if (type == QtCriticalMsg || type == QtFatalMsg) {
		QByteArray text = message.toLocal8Bit();
		fprintf(stderr, "%s\n", text.constData());
	}
}

void CreateApplication()
{
	qInstallMessageHandler(FilterMessages);
	if (QGuiApplication::instance() == nullptr) {
		ReadCommandLine();
		// Never deleted: Qt objects of other kits may live until exit.
		new QGuiApplication(sArgc, sArgv.data());
	}
	if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
		return;
	sWaitTimer = new QTimer();
	sWaitTimer->setSingleShot(true);
	sWaitTimer->setTimerType(Qt::PreciseTimer);
	sDispatcher.store(QAbstractEventDispatcher::instance(QCoreApplication::instance()->thread()));
	sUp.store(true);
}

}	// namespace


bool host_init()
{
	std::call_once(sInitOnce, CreateApplication);
	return sUp.load();
}


bool host_is_up()
{
	return sUp.load();
}


void host_process_events(int64_t timeout)
{
	if (!host_init())
		return;
	QAbstractEventDispatcher* dispatcher = sDispatcher.load();
	if (dispatcher == nullptr || QThread::currentThread() != QCoreApplication::instance()->thread())
		return;
	QCoreApplication::sendPostedEvents();
	if (dispatcher->processEvents(QEventLoop::AllEvents) || timeout <= 0)
		return;
	// Nothing was pending: sleep until a host event, a wake() or the timeout.
	int64_t milliseconds = (timeout + 999) / 1000;
	if (milliseconds > 24 * 3600 * 1000)
		milliseconds = 24 * 3600 * 1000;
	sWaitTimer->start((int)milliseconds);
	dispatcher->processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
	sWaitTimer->stop();
}


void host_wake()
{
	QAbstractEventDispatcher* dispatcher = sDispatcher.load();
	if (dispatcher != nullptr)
		dispatcher->wakeUp();
}


void host_screen_frame(int32_t* x, int32_t* y, int32_t* width, int32_t* height)
{
	QRect frame(0, 0, 1024, 768);
	if (host_init()) {
		if (QScreen* screen = QGuiApplication::primaryScreen())
			frame = screen->geometry();
	}
	*x = frame.x();
	*y = frame.y();
	*width = frame.width();
	*height = frame.height();
}


void host_beep()
{
	// QtGui has no sound of its own; the terminal bell is what a desktop
	// without a sound theme would give too.
	if (isatty(STDERR_FILENO))
		(void)write(STDERR_FILENO, "\a", 1);
}


int64_t host_double_click_interval()
{
	if (host_init())
		return (int64_t)QGuiApplication::styleHints()->mouseDoubleClickInterval() * 1000;
	return 500000;
}

}	// namespace BPrivate
