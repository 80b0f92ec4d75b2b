/*
 * Message filters: run before a message reaches its handler; may drop it or
 * hand it to another handler.
 */
#ifndef _MESSAGE_FILTER_H
#define _MESSAGE_FILTER_H

#include <SupportDefs.h>

class BHandler;
class BLooper;
class BMessage;
class BMessageFilter;

enum filter_result {
	B_SKIP_MESSAGE,
	B_DISPATCH_MESSAGE
};

typedef filter_result (*filter_hook)(BMessage* message, BHandler** target,
	BMessageFilter* filter);

enum message_delivery {
	B_ANY_DELIVERY,
	B_DROPPED_DELIVERY,
	B_PROGRAMMED_DELIVERY
};

enum message_source {
	B_ANY_SOURCE,
	B_REMOTE_SOURCE,
	B_LOCAL_SOURCE
};

class BMessageFilter {
public:
								BMessageFilter(uint32 what,
									filter_hook func = NULL);
								BMessageFilter(message_delivery delivery,
									message_source source,
									filter_hook func = NULL);
								BMessageFilter(message_delivery delivery,
									message_source source, uint32 what,
									filter_hook func = NULL);
								BMessageFilter(const BMessageFilter& filter);
								BMessageFilter(const BMessageFilter* filter);
	virtual						~BMessageFilter();

			BMessageFilter&		operator=(const BMessageFilter& from);

	// The default calls the hook given to the constructor, or dispatches.
	virtual	filter_result		Filter(BMessage* message, BHandler** _target);

			message_delivery	MessageDelivery() const;
			message_source		MessageSource() const;
			uint32				Command() const;
			bool				FiltersAnyCommand() const;
			BLooper*			Looper() const;

private:
	friend class BLooper;
	friend class BHandler;

			void				_SetLooper(BLooper* owner);
			filter_hook			_FilterFunction() const;
			// True when delivery, source and command let the filter see msg.
			bool				_Matches(const BMessage* message) const;

			bool				fFiltersAny;
			uint32				fWhat;
			message_delivery	fDelivery;
			message_source		fSource;
			BLooper*			fLooper;
			filter_hook			fFilterFunction;
};

#endif	// _MESSAGE_FILTER_H
