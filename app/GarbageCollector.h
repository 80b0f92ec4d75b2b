/*
 * The per-page registry of elements.
 *
 * Every element registers when it is created and unregisters when it is
 * destroyed. Elements that leave the chain (WYSIWYG_Engine::Delete) are only
 * unlinked, so the collector is where they are finally released: Empty()
 * deletes every element still registered (the engine calls it when it goes,
 * and the collector's destructor once more with the page), and Collect()
 * deletes the registered elements that are no longer in a given chain.
 *
 * Only WYSIWYG_Element objects may be registered (the pointer handed in is
 * the WYSIWYG_Element part of the object), because that is the type the
 * collector deletes them through.
 */
#ifndef QUILLORA_GARBAGE_COLLECTOR_H
#define QUILLORA_GARBAGE_COLLECTOR_H

#include <SupportDefs.h>

#include <vector>

class Page;
class WYSIWYG_Element;

class GarbageCollector {
public:
	GarbageCollector();
	~GarbageCollector();

	void Register(void* object);
	void UnRegister(void* object);

	// Deletes every registered element. An element whose destructor deletes
	// another registered one is fine: that one unregisters and is not
	// deleted twice.
	void Empty();

	// Deletes every registered element that cannot be reached from first by
	// Next(); first and its chain stay. Only for points where nothing holds
	// on to elements outside the chain. Returns how many were deleted.
	int32 Collect(WYSIWYG_Element* first);

	int32 CountRegistered() const;
	bool IsRegistered(const void* object) const;

private:
	// The registered pointers in one open-addressed table (linear probing,
	// at most three quarters full counting the slots of removed ones): a page
	// registers tens of thousands of elements while it is read, and a
	// table of its own costs no allocation per element. It grows with the
	// page: there is no fixed number of elements.
	size_t _Find(const void* object) const;	// its slot, or fSlots.size()
	void _Insert(void* object);
	void _RemoveAt(size_t slot);
	void _Grow();

	std::vector<void*> fSlots;	// null: free; kRemoved: was in use
	size_t fCount;
	size_t fUsed;				// fCount and the removed slots
	uint32 fGrowths;			// tells a walk that the table moved
};

// Forward to the page's collector; a null page or a page without a
// collector does nothing.
void RegisterAtGarbageCollector(void* object, Page* page);
void UnRegisterFromGarbageCollector(void* object, Page* page);

#endif	// QUILLORA_GARBAGE_COLLECTOR_H
