#include <MessageFilter.h>

#include <Message.h>


BMessageFilter::BMessageFilter(uint32 what, filter_hook func)
	: fFiltersAny(false), fWhat(what), fDelivery(B_ANY_DELIVERY),
	  fSource(B_ANY_SOURCE), fLooper(NULL), fFilterFunction(func)
{
}


BMessageFilter::BMessageFilter(message_delivery delivery,
	message_source source, filter_hook func)
	: fFiltersAny(true), fWhat(0), fDelivery(delivery), fSource(source),
	  fLooper(NULL), fFilterFunction(func)
{
}


BMessageFilter::BMessageFilter(message_delivery delivery,
	message_source source, uint32 what, filter_hook func)
	: fFiltersAny(false), fWhat(what), fDelivery(delivery), fSource(source),
	  fLooper(NULL), fFilterFunction(func)
{
}


BMessageFilter::BMessageFilter(const BMessageFilter& filter)
	: fFiltersAny(filter.fFiltersAny), fWhat(filter.fWhat),
	  fDelivery(filter.fDelivery), fSource(filter.fSource), fLooper(NULL),
	  fFilterFunction(filter.fFilterFunction)
{
}


BMessageFilter::BMessageFilter(const BMessageFilter* filter)
	: BMessageFilter(*filter)
{
}


BMessageFilter::~BMessageFilter()
{
}


BMessageFilter&
BMessageFilter::operator=(const BMessageFilter& from)
{
	fFiltersAny = from.fFiltersAny;
	fWhat = from.fWhat;
	fDelivery = from.fDelivery;
	fSource = from.fSource;
	fFilterFunction = from.fFilterFunction;
	return *this;
}


filter_result
BMessageFilter::Filter(BMessage*, BHandler**)
{
	return B_DISPATCH_MESSAGE;
}


message_delivery
BMessageFilter::MessageDelivery() const
{
	return fDelivery;
}


message_source
BMessageFilter::MessageSource() const
{
	return fSource;
}


uint32
BMessageFilter::Command() const
{
	return fWhat;
}


bool
BMessageFilter::FiltersAnyCommand() const
{
	return fFiltersAny;
}


BLooper*
BMessageFilter::Looper() const
{
	return fLooper;
}


void
BMessageFilter::_SetLooper(BLooper* owner)
{
	fLooper = owner;
}


filter_hook
BMessageFilter::_FilterFunction() const
{
	return fFilterFunction;
}


bool
BMessageFilter::_Matches(const BMessage* message) const
{
	if (!fFiltersAny && message->what != fWhat)
		return false;
	switch (fDelivery) {
		case B_DROPPED_DELIVERY:
			if (!message->WasDropped())
				return false;
			break;
		case B_PROGRAMMED_DELIVERY:
			if (message->WasDropped())
				return false;
			break;
		case B_ANY_DELIVERY:
			break;
	}
	switch (fSource) {
		case B_REMOTE_SOURCE:
			return message->IsSourceRemote();
		case B_LOCAL_SOURCE:
			return !message->IsSourceRemote();
		case B_ANY_SOURCE:
			break;
	}
	return true;
}
