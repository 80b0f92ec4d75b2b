/*
 * An array that holds its first N elements in itself and takes memory of
 * its own only beyond them.
 *
 * The line starts and the style runs of a text view are almost always one
 * line and one run, and a page has a text view for every line of its text:
 * a std::vector would add an allocation (and its header) to each. Only for
 * plain structures (copied bytewise), with the few operations those lists
 * use; positions are pointers.
 */
#ifndef _SMALL_ARRAY_H
#define _SMALL_ARRAY_H

#include <SupportDefs.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>

namespace BPrivate {

template<class T, uint32 N>
class SmallArray {
	static_assert(std::is_trivially_copyable<T>::value,
		"elements are moved as bytes");
	static_assert(N > 0, "at least one element in place");

public:
	SmallArray() : fSize(0), fCapacity(N) {}
	~SmallArray()
	{
		if (fCapacity > N)
			free(fHeap);
	}

	uint32 size() const { return fSize; }
	bool empty() const { return fSize == 0; }
	T* begin() { return _Data(); }
	T* end() { return _Data() + fSize; }
	const T* begin() const { return _Data(); }
	const T* end() const { return _Data() + fSize; }
	T& operator[](uint32 index) { return _Data()[index]; }
	const T& operator[](uint32 index) const { return _Data()[index]; }
	T& back() { return _Data()[fSize - 1]; }
	const T& back() const { return _Data()[fSize - 1]; }

	void clear()
	{
		fSize = 0;
		_FitInPlace();
	}

	void reserve(uint32 count)
	{
		if (count <= fCapacity)
			return;
		uint32 capacity = fCapacity * 2 > count ? fCapacity * 2 : count;
		T* heap = static_cast<T*>(malloc(capacity * sizeof(T)));
		if (heap == NULL)
			throw std::bad_alloc();
		memcpy(static_cast<void*>(heap), _Data(), fSize * sizeof(T));
		if (fCapacity > N)
			free(fHeap);
		fHeap = heap;
		fCapacity = capacity;
	}

	void push_back(const T& value)
	{
		if (fSize == fCapacity) {
			T copy = value;	// value may lie in the array
			reserve(fSize + 1);
			_Data()[fSize++] = copy;
			return;
		}
		_Data()[fSize++] = value;
	}

	// Shrinks, or grows with value-initialised elements.
	void resize(uint32 count)
	{
		reserve(count);
		for (uint32 i = fSize; i < count; i++)
			_Data()[i] = T();
		fSize = count;
		_FitInPlace();
	}

	// Inserts the elements from first up to last, which must not lie in
	// this array, before `at`.
	void insert(T* at, const T* first, const T* last)
	{
		uint32 index = uint32(at - _Data());
		uint32 count = uint32(last - first);
		if (count == 0)
			return;
		reserve(fSize + count);
		T* data = _Data();
		memmove(static_cast<void*>(data + index + count), data + index,
			(fSize - index) * sizeof(T));
		memcpy(static_cast<void*>(data + index), first, count * sizeof(T));
		fSize += count;
	}

	void insert(T* at, const T& value)
	{
		T copy = value;
		insert(at, &copy, &copy + 1);
	}

	void erase(T* first, T* last)
	{
		T* data = _Data();
		memmove(static_cast<void*>(first), last,
			(data + fSize - last) * sizeof(T));
		fSize -= uint32(last - first);
		_FitInPlace();
	}

private:
	SmallArray(const SmallArray&);
	SmallArray& operator=(const SmallArray&);

	// Back in place once few enough again: what grew for a moment (a
	// run split and merged again) keeps no memory of its own.
	void _FitInPlace()
	{
		if (fCapacity <= N || fSize > N)
			return;
		T* heap = fHeap;
		memcpy(static_cast<void*>(fInline), heap, fSize * sizeof(T));
		free(heap);
		fCapacity = N;
	}

	T* _Data() { return fCapacity > N ? fHeap : fInline; }
	const T* _Data() const { return fCapacity > N ? fHeap : fInline; }

	union {
		T fInline[N];
		T* fHeap;
	};
	uint32 fSize;
	uint32 fCapacity;
};

}	// namespace BPrivate

#endif	// _SMALL_ARRAY_H
