/*
 * The typed Add/Find/Replace/Has calls of BMessage, all on top of the raw
 * data calls. A Find call that fails resets its output (0, false, NULL, an
 * empty object) as the platform does: BeOS code commonly tests the output
 * instead of the result.
 */
#include <Message.h>

#include <string.h>

#include <vector>

#include <Entry.h>
#include <Messenger.h>
#include <Point.h>
#include <Rect.h>

namespace {

template<typename T>
status_t
find_value(const BMessage* message, const char* name, type_code type,
	int32 index, T* value)
{
	if (value == NULL)
		return B_BAD_VALUE;
	const void* data;
	ssize_t size;
	status_t error = message->FindData(name, type, index, &data, &size);
	if (error == B_OK && size != (ssize_t)sizeof(T))
		error = B_BAD_DATA;
	if (error != B_OK) {
		memset(value, 0, sizeof(T));
		return error;
	}
	memcpy(value, data, sizeof(T));
	return B_OK;
}


template<typename T>
T
value_or(const BMessage* message, const char* name, type_code type,
	int32 index, T fallback)
{
	T value;
	if (find_value(message, name, type, index, &value) != B_OK)
		return fallback;
	return value;
}


// entry_ref as stored: device, directory, then the name with its NUL.
std::vector<char>
flatten_ref(const entry_ref& ref)
{
	int64 numbers[2] = { (int64)ref.device, (int64)ref.directory };
	size_t nameLength = ref.name != NULL ? strlen(ref.name) + 1 : 0;
	std::vector<char> data(sizeof(numbers) + nameLength);
	memcpy(data.data(), numbers, sizeof(numbers));
	if (nameLength > 0)
		memcpy(data.data() + sizeof(numbers), ref.name, nameLength);
	return data;
}

}	// namespace


#define MESSAGE_SIMPLE_TYPE(NAME, TYPE, TYPE_CODE, FALLBACK)				\
status_t																	\
BMessage::Add##NAME(const char* name, TYPE value)							\
{																			\
	return AddData(name, TYPE_CODE, &value, sizeof(TYPE), true);			\
}																			\
																			\
status_t																	\
BMessage::Find##NAME(const char* name, TYPE* value) const					\
{																			\
	return find_value(this, name, TYPE_CODE, 0, value);						\
}																			\
																			\
status_t																	\
BMessage::Find##NAME(const char* name, int32 index, TYPE* value) const		\
{																			\
	return find_value(this, name, TYPE_CODE, index, value);					\
}

#define MESSAGE_REPLACE_HAS(NAME, TYPE, TYPE_CODE)							\
status_t																	\
BMessage::Replace##NAME(const char* name, TYPE value)						\
{																			\
	return ReplaceData(name, TYPE_CODE, 0, &value, sizeof(TYPE));			\
}																			\
																			\
status_t																	\
BMessage::Replace##NAME(const char* name, int32 index, TYPE value)			\
{																			\
	return ReplaceData(name, TYPE_CODE, index, &value, sizeof(TYPE));		\
}																			\
																			\
bool																		\
BMessage::Has##NAME(const char* name, int32 n) const						\
{																			\
	return HasData(name, TYPE_CODE, n);										\
}

#define MESSAGE_VALUE_FORM(NAME, TYPE, TYPE_CODE, FALLBACK)					\
TYPE																		\
BMessage::Find##NAME(const char* name, int32 n) const						\
{																			\
	return value_or<TYPE>(this, name, TYPE_CODE, n, FALLBACK);				\
}

MESSAGE_SIMPLE_TYPE(Int8, int8, B_INT8_TYPE, 0)
MESSAGE_SIMPLE_TYPE(UInt8, uint8, B_UINT8_TYPE, 0)
MESSAGE_SIMPLE_TYPE(Int16, int16, B_INT16_TYPE, 0)
MESSAGE_SIMPLE_TYPE(UInt16, uint16, B_UINT16_TYPE, 0)
MESSAGE_SIMPLE_TYPE(Int32, int32, B_INT32_TYPE, 0)
MESSAGE_SIMPLE_TYPE(UInt32, uint32, B_UINT32_TYPE, 0)
MESSAGE_SIMPLE_TYPE(Int64, int64, B_INT64_TYPE, 0)
MESSAGE_SIMPLE_TYPE(UInt64, uint64, B_UINT64_TYPE, 0)
MESSAGE_SIMPLE_TYPE(Bool, bool, B_BOOL_TYPE, false)
MESSAGE_SIMPLE_TYPE(Float, float, B_FLOAT_TYPE, 0)
MESSAGE_SIMPLE_TYPE(Double, double, B_DOUBLE_TYPE, 0)

MESSAGE_REPLACE_HAS(Int8, int8, B_INT8_TYPE)
MESSAGE_REPLACE_HAS(Int16, int16, B_INT16_TYPE)
MESSAGE_REPLACE_HAS(Int32, int32, B_INT32_TYPE)
MESSAGE_REPLACE_HAS(Int64, int64, B_INT64_TYPE)
MESSAGE_REPLACE_HAS(Bool, bool, B_BOOL_TYPE)
MESSAGE_REPLACE_HAS(Float, float, B_FLOAT_TYPE)
MESSAGE_REPLACE_HAS(Double, double, B_DOUBLE_TYPE)

MESSAGE_VALUE_FORM(Int8, int8, B_INT8_TYPE, 0)
MESSAGE_VALUE_FORM(Int16, int16, B_INT16_TYPE, 0)
MESSAGE_VALUE_FORM(Int32, int32, B_INT32_TYPE, 0)
MESSAGE_VALUE_FORM(Int64, int64, B_INT64_TYPE, 0)
MESSAGE_VALUE_FORM(Bool, bool, B_BOOL_TYPE, false)
MESSAGE_VALUE_FORM(Float, float, B_FLOAT_TYPE, 0)
MESSAGE_VALUE_FORM(Double, double, B_DOUBLE_TYPE, 0)


bool
BMessage::GetBool(const char* name, bool defaultValue) const
{
	return value_or<bool>(this, name, B_BOOL_TYPE, 0, defaultValue);
}


int32
BMessage::GetInt32(const char* name, int32 defaultValue) const
{
	return value_or<int32>(this, name, B_INT32_TYPE, 0, defaultValue);
}


// #pragma mark - pointers

status_t
BMessage::AddPointer(const char* name, const void* pointer)
{
	return AddData(name, B_POINTER_TYPE, &pointer, sizeof(pointer), true);
}


status_t
BMessage::FindPointer(const char* name, void** pointer) const
{
	return find_value(this, name, B_POINTER_TYPE, 0, pointer);
}


status_t
BMessage::FindPointer(const char* name, int32 index, void** pointer) const
{
	return find_value(this, name, B_POINTER_TYPE, index, pointer);
}


status_t
BMessage::ReplacePointer(const char* name, const void* pointer)
{
	return ReplacePointer(name, 0, pointer);
}


status_t
BMessage::ReplacePointer(const char* name, int32 index, const void* pointer)
{
	return ReplaceData(name, B_POINTER_TYPE, index, &pointer, sizeof(pointer));
}


bool
BMessage::HasPointer(const char* name, int32 n) const
{
	return HasData(name, B_POINTER_TYPE, n);
}


// #pragma mark - strings

status_t
BMessage::AddString(const char* name, const char* string)
{
	if (string == NULL)
		return B_BAD_VALUE;
	return AddData(name, B_STRING_TYPE, string, strlen(string) + 1, false);
}


status_t
BMessage::FindString(const char* name, const char** string) const
{
	return FindString(name, 0, string);
}


status_t
BMessage::FindString(const char* name, int32 index, const char** string) const
{
	if (string == NULL)
		return B_BAD_VALUE;
	const void* data;
	ssize_t size;
	status_t error = FindData(name, B_STRING_TYPE, index, &data, &size);
	// Raw data added under the string type need not end in a NUL.
	if (error == B_OK
		&& (size == 0 || ((const char*)data)[size - 1] != '\0'))
		error = B_BAD_DATA;
	*string = error == B_OK ? (const char*)data : NULL;
	return error;
}


const char*
BMessage::FindString(const char* name, int32 n) const
{
	const char* string = NULL;
	FindString(name, n, &string);
	return string;
}


const char*
BMessage::GetString(const char* name, const char* defaultValue) const
{
	const char* string;
	if (FindString(name, 0, &string) != B_OK)
		return defaultValue;
	return string;
}


status_t
BMessage::ReplaceString(const char* name, const char* string)
{
	return ReplaceString(name, 0, string);
}


status_t
BMessage::ReplaceString(const char* name, int32 index, const char* string)
{
	if (string == NULL)
		return B_BAD_VALUE;
	return ReplaceData(name, B_STRING_TYPE, index, string, strlen(string) + 1);
}


bool
BMessage::HasString(const char* name, int32 n) const
{
	return HasData(name, B_STRING_TYPE, n);
}


// #pragma mark - points and rects

status_t
BMessage::AddPoint(const char* name, BPoint point)
{
	float data[2] = { point.x, point.y };
	return AddData(name, B_POINT_TYPE, data, sizeof(data), true);
}


status_t
BMessage::FindPoint(const char* name, BPoint* point) const
{
	return FindPoint(name, 0, point);
}


status_t
BMessage::FindPoint(const char* name, int32 index, BPoint* point) const
{
	if (point == NULL)
		return B_BAD_VALUE;
	float data[2];
	status_t error = find_value(this, name, B_POINT_TYPE, index, &data);
	if (error == B_OK)
		point->Set(data[0], data[1]);
	else
		*point = BPoint();
	return error;
}


BPoint
BMessage::FindPoint(const char* name, int32 n) const
{
	BPoint point;
	FindPoint(name, n, &point);
	return point;
}


status_t
BMessage::ReplacePoint(const char* name, BPoint point)
{
	return ReplacePoint(name, 0, point);
}


status_t
BMessage::ReplacePoint(const char* name, int32 index, BPoint point)
{
	float data[2] = { point.x, point.y };
	return ReplaceData(name, B_POINT_TYPE, index, data, sizeof(data));
}


bool
BMessage::HasPoint(const char* name, int32 n) const
{
	return HasData(name, B_POINT_TYPE, n);
}


status_t
BMessage::AddRect(const char* name, BRect rect)
{
	float data[4] = { rect.left, rect.top, rect.right, rect.bottom };
	return AddData(name, B_RECT_TYPE, data, sizeof(data), true);
}


status_t
BMessage::FindRect(const char* name, BRect* rect) const
{
	return FindRect(name, 0, rect);
}


status_t
BMessage::FindRect(const char* name, int32 index, BRect* rect) const
{
	if (rect == NULL)
		return B_BAD_VALUE;
	float data[4];
	status_t error = find_value(this, name, B_RECT_TYPE, index, &data);
	if (error == B_OK)
		rect->Set(data[0], data[1], data[2], data[3]);
	else
		*rect = BRect();
	return error;
}


BRect
BMessage::FindRect(const char* name, int32 n) const
{
	BRect rect;
	FindRect(name, n, &rect);
	return rect;
}


status_t
BMessage::ReplaceRect(const char* name, BRect rect)
{
	return ReplaceRect(name, 0, rect);
}


status_t
BMessage::ReplaceRect(const char* name, int32 index, BRect rect)
{
	float data[4] = { rect.left, rect.top, rect.right, rect.bottom };
	return ReplaceData(name, B_RECT_TYPE, index, data, sizeof(data));
}


bool
BMessage::HasRect(const char* name, int32 n) const
{
	return HasData(name, B_RECT_TYPE, n);
}


// #pragma mark - entry_ref

status_t
BMessage::AddRef(const char* name, const entry_ref* ref)
{
	if (ref == NULL)
		return B_BAD_VALUE;
	std::vector<char> data = flatten_ref(*ref);
	return AddData(name, B_REF_TYPE, data.data(), data.size(), false);
}


status_t
BMessage::FindRef(const char* name, entry_ref* ref) const
{
	return FindRef(name, 0, ref);
}


status_t
BMessage::FindRef(const char* name, int32 index, entry_ref* ref) const
{
	if (ref == NULL)
		return B_BAD_VALUE;
	*ref = entry_ref();
	const void* data;
	ssize_t size;
	status_t error = FindData(name, B_REF_TYPE, index, &data, &size);
	if (error != B_OK)
		return error;
	int64 numbers[2];
	if (size < (ssize_t)sizeof(numbers))
		return B_BAD_DATA;
	memcpy(numbers, data, sizeof(numbers));
	const char* refName = NULL;
	if (size > (ssize_t)sizeof(numbers)) {
		refName = (const char*)data + sizeof(numbers);
		if (refName[size - sizeof(numbers) - 1] != '\0')
			return B_BAD_DATA;
	}
	*ref = entry_ref((dev_t)numbers[0], (ino_t)numbers[1], refName);
	return B_OK;
}


status_t
BMessage::ReplaceRef(const char* name, const entry_ref* ref)
{
	return ReplaceRef(name, 0, ref);
}


status_t
BMessage::ReplaceRef(const char* name, int32 index, const entry_ref* ref)
{
	if (ref == NULL)
		return B_BAD_VALUE;
	std::vector<char> data = flatten_ref(*ref);
	return ReplaceData(name, B_REF_TYPE, index, data.data(), data.size());
}


bool
BMessage::HasRef(const char* name, int32 n) const
{
	return HasData(name, B_REF_TYPE, n);
}


// #pragma mark - messengers

// A messenger is stored as its own bytes: four int32 fields without
// padding (see Messenger.h), so that BeOS code that adds or reads one as raw
// B_MESSENGER_TYPE data meets the same form.
status_t
BMessage::AddMessenger(const char* name, BMessenger messenger)
{
	return AddData(name, B_MESSENGER_TYPE, &messenger, sizeof(messenger),
		true);
}


status_t
BMessage::FindMessenger(const char* name, BMessenger* messenger) const
{
	return FindMessenger(name, 0, messenger);
}


status_t
BMessage::FindMessenger(const char* name, int32 index,
	BMessenger* messenger) const
{
	if (messenger == NULL)
		return B_BAD_VALUE;
	*messenger = BMessenger();
	int32 data[4];
	status_t error = find_value(this, name, B_MESSENGER_TYPE, index, &data);
	if (error != B_OK)
		return error;
	// Field by field, whoever wrote the bytes.
	messenger->fHandlerToken = data[0];
	messenger->fLooperToken = data[1];
	messenger->fPreferredTarget = data[2] != 0 ? 1 : 0;
	messenger->fTeam = data[3];
	return B_OK;
}


status_t
BMessage::ReplaceMessenger(const char* name, BMessenger messenger)
{
	return ReplaceMessenger(name, 0, messenger);
}


status_t
BMessage::ReplaceMessenger(const char* name, int32 index,
	BMessenger messenger)
{
	return ReplaceData(name, B_MESSENGER_TYPE, index, &messenger,
		sizeof(messenger));
}


bool
BMessage::HasMessenger(const char* name, int32 n) const
{
	return HasData(name, B_MESSENGER_TYPE, n);
}


// #pragma mark - messages

status_t
BMessage::AddMessage(const char* name, const BMessage* message)
{
	if (message == NULL)
		return B_BAD_VALUE;
	ssize_t size = message->FlattenedSize();
	std::vector<char> data(size);
	status_t error = message->Flatten(data.data(), size);
	if (error != B_OK)
		return error;
	return AddData(name, B_MESSAGE_TYPE, data.data(), size, false);
}


status_t
BMessage::FindMessage(const char* name, BMessage* message) const
{
	return FindMessage(name, 0, message);
}


status_t
BMessage::FindMessage(const char* name, int32 index, BMessage* message) const
{
	if (message == NULL)
		return B_BAD_VALUE;
	const void* data;
	ssize_t size;
	BMessage found;
	status_t error = FindData(name, B_MESSAGE_TYPE, index, &data, &size);
	if (error == B_OK)
		error = found.Unflatten((const char*)data, size);
	// On failure the empty message.
	*message = error == B_OK ? found : BMessage();
	return error;
}


status_t
BMessage::ReplaceMessage(const char* name, const BMessage* message)
{
	return ReplaceMessage(name, 0, message);
}


status_t
BMessage::ReplaceMessage(const char* name, int32 index,
	const BMessage* message)
{
	if (message == NULL)
		return B_BAD_VALUE;
	ssize_t size = message->FlattenedSize();
	std::vector<char> data(size);
	status_t error = message->Flatten(data.data(), size);
	if (error != B_OK)
		return error;
	return ReplaceData(name, B_MESSAGE_TYPE, index, data.data(), size);
}


bool
BMessage::HasMessage(const char* name, int32 n) const
{
	return HasData(name, B_MESSAGE_TYPE, n);
}
