/*
 * The per-page element registry (see the header for why it deletes).
 */
#include "GarbageCollector.h"

#include <stdint.h>

#include <algorithm>
#include <vector>

#include "Page.h"
#include "WYSIWYG_Element.h"


namespace {

// Marks a slot whose pointer was removed: the finds go on past it. No
// object lies at address 1.
void* const kRemoved = reinterpret_cast<void*>(uintptr_t(1));


// The first slot to look at for a pointer: its bits mixed (objects lie at
// aligned addresses, so the low bits alone tell little).
size_t
slot_of(const void* object, size_t mask)
{
	uint64_t value = uint64_t(uintptr_t(object));
	value ^= value >> 33;
	value *= 0xFF51AFD7ED558CCDull;
	value ^= value >> 33;
	return size_t(value) & mask;
}

}	// namespace


GarbageCollector::GarbageCollector()
	:
	fCount(0),
	fUsed(0),
	fGrowths(0)
{
}


GarbageCollector::~GarbageCollector()
{
	Empty();
}


void
GarbageCollector::Register(void* object)
{
	if (object != nullptr && object != kRemoved
		&& _Find(object) == fSlots.size())
		_Insert(object);
}


void
GarbageCollector::UnRegister(void* object)
{
	size_t slot = _Find(object);
	if (slot < fSlots.size())
		_RemoveAt(slot);
}


void
GarbageCollector::Empty()
{
	// One at a time, taken out before it is deleted: its destructor's
	// UnRegister then finds nothing, and whatever else that destructor
	// deletes unregisters itself and is not met here again. Should a
	// destructor register something, the table may move: the walk then
	// starts again.
	size_t slot = 0;
	uint32 growths = fGrowths;
	while (fCount > 0) {
		if (growths != fGrowths || slot >= fSlots.size()) {
			slot = 0;
			growths = fGrowths;
		}
		void* object = fSlots[slot];
		if (object == nullptr || object == kRemoved) {
			slot++;
			continue;
		}
		_RemoveAt(slot);
		delete static_cast<WYSIWYG_Element*>(object);
	}
	std::vector<void*>().swap(fSlots);
	fUsed = 0;
}


int32
GarbageCollector::Collect(WYSIWYG_Element* first)
{
	// The chain, sorted for looking up. A chain that runs into itself
	// would never end: the walk stops where it meets itself again (Brent's
	// way of finding a loop, with no table of what was seen).
	std::vector<const void*> chain;
	WYSIWYG_Element* saved = first;
	size_t power = 1;
	size_t steps = 0;
	for (WYSIWYG_Element* element = first; element != nullptr;
			element = element->Next()) {
		chain.push_back(element);
		if (element->Next() == saved)
			break;
		if (++steps == power) {
			saved = element->Next();
			power *= 2;
			steps = 0;
		}
	}
	std::sort(chain.begin(), chain.end());

	std::vector<void*> garbage;
	for (void* object : fSlots) {
		if (object != nullptr && object != kRemoved
			&& !std::binary_search(chain.begin(), chain.end(), object))
			garbage.push_back(object);
	}

	int32 deleted = 0;
	for (void* object : garbage) {
		// An earlier deletion may already have taken this one with it.
		size_t slot = _Find(object);
		if (slot == fSlots.size())
			continue;
		_RemoveAt(slot);
		delete static_cast<WYSIWYG_Element*>(object);
		deleted++;
	}
	return deleted;
}


int32
GarbageCollector::CountRegistered() const
{
	return (int32)fCount;
}


bool
GarbageCollector::IsRegistered(const void* object) const
{
	return object != nullptr && object != kRemoved
		&& _Find(object) < fSlots.size();
}


size_t
GarbageCollector::_Find(const void* object) const
{
	size_t size = fSlots.size();
	if (size == 0)
		return size;
	size_t mask = size - 1;
	for (size_t slot = slot_of(object, mask); ; slot = (slot + 1) & mask) {
		if (fSlots[slot] == object)
			return slot;
		// There is always a free slot: the table is at most three
		// quarters full.
		if (fSlots[slot] == nullptr)
			return size;
	}
}


void
GarbageCollector::_Insert(void* object)
{
	if ((fUsed + 1) * 4 > fSlots.size() * 3)
		_Grow();
	size_t mask = fSlots.size() - 1;
	size_t slot = slot_of(object, mask);
	while (fSlots[slot] != nullptr && fSlots[slot] != kRemoved)
		slot = (slot + 1) & mask;
	if (fSlots[slot] == nullptr)
		fUsed++;
	fSlots[slot] = object;
	fCount++;
}


void
GarbageCollector::_RemoveAt(size_t slot)
{
	fSlots[slot] = kRemoved;
	fCount--;
	if (fCount == 0) {
		// Nothing left: the removed slots need not slow the next finds.
		std::fill(fSlots.begin(), fSlots.end(), nullptr);
		fUsed = 0;
	}
}


void
GarbageCollector::_Grow()
{
	// At least two slots per element, so that probes stay short until
	// the table is three quarters full again; the removed slots are
	// dropped on the way. More would cost a page of a million elements
	// tens of megabytes for slots that are never used.
	size_t size = 64;
	while (size < (fCount + 1) * 2)
		size *= 2;
	std::vector<void*> old;
	old.swap(fSlots);
	fSlots.assign(size, nullptr);
	fCount = 0;
	fUsed = 0;
	fGrowths++;
	for (void* object : old) {
		if (object != nullptr && object != kRemoved)
			_Insert(object);
	}
}


void
RegisterAtGarbageCollector(void* object, Page* page)
{
	if (page != nullptr && page->garbageCollector != nullptr)
		page->garbageCollector->Register(object);
}


void
UnRegisterFromGarbageCollector(void* object, Page* page)
{
	if (page != nullptr && page->garbageCollector != nullptr)
		page->garbageCollector->UnRegister(object);
}
