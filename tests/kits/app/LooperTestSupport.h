// Loopers and handlers that write what they receive into a shared log.
#ifndef QUILLORA_LOOPER_TEST_SUPPORT_H
#define QUILLORA_LOOPER_TEST_SUPPORT_H

#include <initializer_list>
#include <string>
#include <vector>

#include <Handler.h>
#include <Looper.h>
#include <Message.h>

typedef std::vector<std::string> Log;

inline std::string
what_text(uint32 what)
{
	char text[5] = { (char)(what >> 24), (char)(what >> 16), (char)(what >> 8),
		(char)what, 0 };
	return text;
}


// Adds handlers under the looper's lock, as the kit asks.
inline void
add_handlers(BLooper* looper, std::initializer_list<BHandler*> handlers)
{
	looper->Lock();
	for (BHandler* handler : handlers)
		looper->AddHandler(handler);
	looper->Unlock();
}


// Quits a looper from outside it: locked first, as the kit asks.
inline void
quit_looper(BLooper* looper)
{
	if (looper->Lock())
		looper->Quit();
}


class LogHandler : public BHandler {
public:
	LogHandler(const char* name, Log* log)
		: BHandler(name), fLog(log)
	{
	}

	void MessageReceived(BMessage* message) override
	{
		fLog->push_back(std::string(Name()) + ":" + what_text(message->what));
	}

private:
	Log*	fLog;
};


class LogLooper : public BLooper {
public:
	LogLooper(const char* name, Log* log, bool* deleted = NULL)
		: BLooper(name), fLog(log), fDeleted(deleted)
	{
	}

	~LogLooper() override
	{
		if (fDeleted != NULL)
			*fDeleted = true;
	}

	void MessageReceived(BMessage* message) override
	{
		std::string entry = std::string(Name()) + ":" + what_text(message->what);
		int32 index;
		if (message->FindInt32("index", &index) == B_OK)
			entry += std::to_string(index);
		fLog->push_back(entry);
	}

protected:
	Log*	fLog;
	bool*	fDeleted;
};

#endif	// QUILLORA_LOOPER_TEST_SUPPORT_H
