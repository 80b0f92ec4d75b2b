#include <List.h>

#include <stdlib.h>
#include <string.h>

BList::BList(int32 count)
	: fObjectList(NULL), fPhysicalSize(0), fItemCount(0),
	  fBlockSize(count > 0 ? count : 1)
{
}


BList::BList(const BList& other)
	: fObjectList(NULL), fPhysicalSize(0), fItemCount(0),
	  fBlockSize(other.fBlockSize)
{
	*this = other;
}


BList::~BList()
{
	free(fObjectList);
}


BList&
BList::operator=(const BList& other)
{
	if (&other == this)
		return *this;
	fBlockSize = other.fBlockSize;
	fItemCount = 0;
	if (_Grow(other.fItemCount)) {
		if (other.fItemCount > 0) {
			memcpy(fObjectList, other.fObjectList,
				other.fItemCount * sizeof(void*));
		}
		fItemCount = other.fItemCount;
	}
	return *this;
}


bool
BList::operator==(const BList& other) const
{
	return fItemCount == other.fItemCount
		&& (fItemCount == 0 || memcmp(fObjectList, other.fObjectList,
			fItemCount * sizeof(void*)) == 0);
}


bool
BList::operator!=(const BList& other) const
{
	return !(*this == other);
}


bool
BList::_Grow(int32 count)
{
	if (count <= fPhysicalSize)
		return true;
	// Grow by half again at least, so that adding one by one stays linear.
	int32 newSize = (count + fBlockSize - 1) / fBlockSize * fBlockSize;
	if (newSize < fPhysicalSize + fPhysicalSize / 2)
		newSize = fPhysicalSize + fPhysicalSize / 2;
	void** list = (void**)realloc(fObjectList, newSize * sizeof(void*));
	if (list == NULL)
		return false;
	fObjectList = list;
	fPhysicalSize = newSize;
	return true;
}


bool
BList::AddItem(void* item, int32 index)
{
	if (index < 0 || index > fItemCount || !_Grow(fItemCount + 1))
		return false;
	memmove(fObjectList + index + 1, fObjectList + index,
		(fItemCount - index) * sizeof(void*));
	fObjectList[index] = item;
	fItemCount++;
	return true;
}


bool
BList::AddItem(void* item)
{
	return AddItem(item, fItemCount);
}


bool
BList::AddList(const BList* list, int32 index)
{
	if (list == NULL || index < 0 || index > fItemCount)
		return false;
	int32 count = list->fItemCount;
	if (count == 0)
		return true;
	if (!_Grow(fItemCount + count))
		return false;
	// The list may be this one: copy its items before moving ours.
	void** items = (void**)malloc(count * sizeof(void*));
	if (items == NULL)
		return false;
	memcpy(items, list->fObjectList, count * sizeof(void*));
	memmove(fObjectList + index + count, fObjectList + index,
		(fItemCount - index) * sizeof(void*));
	memcpy(fObjectList + index, items, count * sizeof(void*));
	free(items);
	fItemCount += count;
	return true;
}


bool
BList::AddList(const BList* list)
{
	return AddList(list, fItemCount);
}


bool
BList::RemoveItem(void* item)
{
	int32 index = IndexOf(item);
	if (index < 0)
		return false;
	RemoveItem(index);
	return true;
}


void*
BList::RemoveItem(int32 index)
{
	if (index < 0 || index >= fItemCount)
		return NULL;
	void* item = fObjectList[index];
	memmove(fObjectList + index, fObjectList + index + 1,
		(fItemCount - index - 1) * sizeof(void*));
	fItemCount--;
	return item;
}


bool
BList::RemoveItems(int32 index, int32 count)
{
	if (index < 0 || count < 0 || index > fItemCount
		|| count > fItemCount - index)
		return false;
	memmove(fObjectList + index, fObjectList + index + count,
		(fItemCount - index - count) * sizeof(void*));
	fItemCount -= count;
	return true;
}


bool
BList::ReplaceItem(int32 index, void* item)
{
	if (index < 0 || index >= fItemCount)
		return false;
	fObjectList[index] = item;
	return true;
}


void
BList::MakeEmpty()
{
	fItemCount = 0;
}


void
BList::SortItems(int (*compareFunc)(const void*, const void*))
{
	if (compareFunc != NULL && fItemCount > 1)
		qsort(fObjectList, fItemCount, sizeof(void*), compareFunc);
}


bool
BList::SwapItems(int32 indexA, int32 indexB)
{
	if (indexA < 0 || indexA >= fItemCount || indexB < 0
		|| indexB >= fItemCount)
		return false;
	void* item = fObjectList[indexA];
	fObjectList[indexA] = fObjectList[indexB];
	fObjectList[indexB] = item;
	return true;
}


bool
BList::MoveItem(int32 fromIndex, int32 toIndex)
{
	if (fromIndex < 0 || fromIndex >= fItemCount || toIndex < 0
		|| toIndex >= fItemCount)
		return false;
	void* item = RemoveItem(fromIndex);
	return AddItem(item, toIndex);
}


void*
BList::ItemAt(int32 index) const
{
	if (index < 0 || index >= fItemCount)
		return NULL;
	return fObjectList[index];
}


void*
BList::FirstItem() const
{
	return ItemAt(0);
}


void*
BList::LastItem() const
{
	return ItemAt(fItemCount - 1);
}


void*
BList::Items() const
{
	return fObjectList;
}


bool
BList::HasItem(void* item) const
{
	return IndexOf(item) >= 0;
}


bool
BList::HasItem(const void* item) const
{
	return IndexOf(item) >= 0;
}


int32
BList::IndexOf(void* item) const
{
	return IndexOf((const void*)item);
}


int32
BList::IndexOf(const void* item) const
{
	for (int32 i = 0; i < fItemCount; i++) {
		if (fObjectList[i] == item)
			return i;
	}
	return -1;
}


int32
BList::CountItems() const
{
	return fItemCount;
}


bool
BList::IsEmpty() const
{
	return fItemCount == 0;
}


void
BList::DoForEach(bool (*func)(void* item))
{
	if (func == NULL)
		return;
	for (int32 i = 0; i < fItemCount; i++) {
		if (func(fObjectList[i]))
			break;
	}
}


void
BList::DoForEach(bool (*func)(void* item, void* arg), void* arg)
{
	if (func == NULL)
		return;
	for (int32 i = 0; i < fItemCount; i++) {
		if (func(fObjectList[i], arg))
			break;
	}
}
