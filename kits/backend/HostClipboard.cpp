#include "HostClipboard.h"

#include "Host.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QString>

#include <atomic>
#include <cstdlib>
#include <cstring>

namespace BPrivate {

static std::atomic<uint32_t> sChangeCount(0);


static QClipboard*
host_clipboard()
{
	if (!host_init())
		return nullptr;
	QClipboard* clipboard = QGuiApplication::clipboard();
	static bool sWatching = false;
	if (clipboard != nullptr && !sWatching) {
		sWatching = true;
		QObject::connect(clipboard, &QClipboard::dataChanged,
			[]() { sChangeCount++; });
	}
	return clipboard;
}


bool
host_clipboard_get_text(char** bytes, size_t* length)
{
	QClipboard* clipboard = host_clipboard();
	if (clipboard == nullptr)
		return false;
	QString text = clipboard->text(QClipboard::Clipboard);
	if (text.isNull())
		return false;

	QByteArray utf8 = text.toUtf8();
	char* buffer = (char*)malloc(utf8.size() + 1);
	if (buffer == nullptr)
		return false;
	memcpy(buffer, utf8.constData(), utf8.size());
	size_t count = utf8.size();
	buffer[count] = '\0';
	*bytes = buffer;
	*length = count;
	return true;
}


void
host_clipboard_set_text(const char* bytes, size_t length)
{
	QClipboard* clipboard = host_clipboard();
	if (clipboard == nullptr)
		return;
	clipboard->setText(QString::fromUtf8(bytes, (qsizetype)length),
		QClipboard::Clipboard);
	// Some platforms tell of the change only later, from their event loop.
	sChangeCount++;
}


void
host_clipboard_clear()
{
	QClipboard* clipboard = host_clipboard();
	if (clipboard == nullptr)
		return;
	clipboard->clear(QClipboard::Clipboard);
	sChangeCount++;
}


uint32_t
host_clipboard_change_count()
{
	host_clipboard();
	return sChangeCount.load();
}

}	// namespace BPrivate
