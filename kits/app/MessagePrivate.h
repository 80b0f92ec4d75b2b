/*
 * Kit-private parts of BMessage shared by the application kit's sources.
 */
#ifndef _QUILLORA_MESSAGE_PRIVATE_H
#define _QUILLORA_MESSAGE_PRIVATE_H

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include <Message.h>

namespace BPrivate {

struct MessageField {
	std::string					name;
	type_code					type;
	bool						fixedSize;
	std::vector<std::vector<char> > items;
};

struct MessageBody {
	std::vector<MessageField>	fields;

	MessageField*				Find(const char* name);
	const MessageField*			Find(const char* name) const;
};

// Where a synchronous sender waits for its reply. Shared by the waiting
// sender and the message in the target's queue; whoever lets go last frees
// it.
struct ReplySlot {
								ReplySlot();

			void				Acquire();
			void				Release();

	// Stores the first reply and wakes the sender (and the event loop).
			bool				Deliver(const BMessage& reply);
			bool				IsDone();

			std::mutex			mutex;
			std::condition_variable condition;
			bool				done;
			BMessage			reply;
			std::atomic<int32>	references;
};

// Wakes the event loop (host or condition variable); any thread.
void wake_event_loop();

}	// namespace BPrivate

#endif	// _QUILLORA_MESSAGE_PRIVATE_H
