/*
 * The per-page element registry (see the header for why it deletes).
 */
#include "GarbageCollector.h"

#include <vector>

#include "Page.h"
#include "WYSIWYG_Element.h"


GarbageCollector::GarbageCollector()
{
}


GarbageCollector::~GarbageCollector()
{
	Empty();
}


void
GarbageCollector::Register(void* object)
{
	if (object != nullptr)
		fObjects.insert(object);
}


void
GarbageCollector::UnRegister(void* object)
{
	fObjects.erase(object);
}


void
GarbageCollector::Empty()
{
	// One at a time, taken out before it is deleted: its destructor's
	// UnRegister then finds nothing, and whatever else that destructor
	// deletes unregisters itself and is not met here again.
	while (!fObjects.empty()) {
		auto it = fObjects.begin();
		WYSIWYG_Element* element = static_cast<WYSIWYG_Element*>(*it);
		fObjects.erase(it);
		delete element;
	}
}


int32
GarbageCollector::Collect(WYSIWYG_Element* first)
{
	std::unordered_set<void*> inChain;
	for (WYSIWYG_Element* element = first; element != nullptr;
			element = element->Next()) {
		// A chain that runs into itself would never end; stop there.
		if (!inChain.insert(static_cast<void*>(element)).second)
			break;
	}

	std::vector<void*> garbage;
	for (void* object : fObjects) {
		if (inChain.find(object) == inChain.end())
			garbage.push_back(object);
	}

	int32 deleted = 0;
	for (void* object : garbage) {
		// An earlier deletion may already have taken this one with it.
		auto it = fObjects.find(object);
		if (it == fObjects.end())
			continue;
		fObjects.erase(it);
		delete static_cast<WYSIWYG_Element*>(object);
		deleted++;
	}
	return deleted;
}


int32
GarbageCollector::CountRegistered() const
{
	return (int32)fObjects.size();
}


bool
GarbageCollector::IsRegistered(const void* object) const
{
	return fObjects.find(const_cast<void*>(object)) != fObjects.end();
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
