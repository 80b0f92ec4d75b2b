#include <Message.h>

#include <inttypes.h>
#include <stdio.h>
#include <string.h>

#include <DataIO.h>
#include <Entry.h>
#include <Messenger.h>
#include <Point.h>
#include <Rect.h>

#include "MessagePrivate.h"

using BPrivate::MessageBody;
using BPrivate::MessageField;


namespace BPrivate {

MessageField*
MessageBody::Find(const char* name)
{
	for (MessageField& field : fields) {
		if (field.name == name)
			return &field;
	}
	return NULL;
}


const MessageField*
MessageBody::Find(const char* name) const
{
	return const_cast<MessageBody*>(this)->Find(name);
}


void
set_message_dropped(BMessage* message, float pointX, float pointY,
	float offsetX, float offsetY)
{
	if (message == NULL)
		return;
	message->fWasDropped = true;
	message->fDropPoint[0] = pointX;
	message->fDropPoint[1] = pointY;
	message->fDropOffset[0] = offsetX;
	message->fDropOffset[1] = offsetY;
}


void
set_message_remote(BMessage* message, bool remote)
{
	if (message != NULL)
		message->fIsRemote = remote;
}

}	// namespace BPrivate


// #pragma mark - construction

BMessage::BMessage()
	: what(0), fBody(new MessageBody)
{
	_ClearDelivery();
}


BMessage::BMessage(uint32 command)
	: what(command), fBody(new MessageBody)
{
	_ClearDelivery();
}


BMessage::BMessage(const BMessage& other)
	: what(other.what), fBody(new MessageBody(*other.fBody))
{
	_ClearDelivery();
	fIsReply = other.fIsReply;
	fWasDropped = other.fWasDropped;
	fIsRemote = other.fIsRemote;
	memcpy(fDropPoint, other.fDropPoint, sizeof(fDropPoint));
	memcpy(fDropOffset, other.fDropOffset, sizeof(fDropOffset));
}


BMessage::~BMessage()
{
	_SendNoReplyIfNeeded();
	delete fBody;
}


BMessage&
BMessage::operator=(const BMessage& other)
{
	if (&other == this)
		return *this;
	_SendNoReplyIfNeeded();
	what = other.what;
	*fBody = *other.fBody;
	_ClearDelivery();
	fWasDropped = other.fWasDropped;
	fIsRemote = other.fIsRemote;
	memcpy(fDropPoint, other.fDropPoint, sizeof(fDropPoint));
	memcpy(fDropOffset, other.fDropOffset, sizeof(fDropOffset));
	return *this;
}


void
BMessage::_ClearDelivery()
{
	fQueueLink = NULL;
	fTargetToken = -1;
	fTargetPreferred = false;
	fIsRemote = false;
	fReplyHandlerToken = -1;
	fReplyLooperToken = -1;
	fReplyToPreferred = false;
	fWasDelivered = false;
	fIsReply = false;
	fReplySent = false;
	fWasDropped = false;
	fDropPoint[0] = fDropPoint[1] = 0;
	fDropOffset[0] = fDropOffset[1] = 0;
	fOriginal = NULL;
	fReplySlot = NULL;
}


// A message that a sender waits for must answer even when nobody replied:
// the sender then gets B_NO_REPLY instead of waiting forever.
void
BMessage::_SendNoReplyIfNeeded()
{
	if (fReplySlot == NULL)
		return;
	if (!fReplySent) {
		BMessage noReply(B_NO_REPLY);
		fReplySlot->Deliver(noReply);
	}
	fReplySlot->Release();
	fReplySlot = NULL;
}


// #pragma mark - information

status_t
BMessage::GetInfo(type_code typeRequested, int32 index, char** nameFound,
	type_code* typeFound, int32* countFound) const
{
	if (index < 0)
		return B_BAD_INDEX;
	int32 matching = 0;
	for (const MessageField& field : fBody->fields) {
		if (typeRequested != B_ANY_TYPE && field.type != typeRequested)
			continue;
		if (matching++ != index)
			continue;
		if (nameFound != NULL)
			*nameFound = const_cast<char*>(field.name.c_str());
		if (typeFound != NULL)
			*typeFound = field.type;
		if (countFound != NULL)
			*countFound = (int32)field.items.size();
		return B_OK;
	}
	return matching == 0 ? B_BAD_TYPE : B_BAD_INDEX;
}


status_t
BMessage::GetInfo(const char* name, type_code* typeFound,
	int32* countFound) const
{
	if (name == NULL)
		return B_BAD_VALUE;
	const MessageField* field = fBody->Find(name);
	if (field == NULL)
		return B_NAME_NOT_FOUND;
	if (typeFound != NULL)
		*typeFound = field->type;
	if (countFound != NULL)
		*countFound = (int32)field->items.size();
	return B_OK;
}


status_t
BMessage::GetInfo(const char* name, type_code* typeFound,
	bool* fixedSize) const
{
	if (name == NULL)
		return B_BAD_VALUE;
	const MessageField* field = fBody->Find(name);
	if (field == NULL)
		return B_NAME_NOT_FOUND;
	if (typeFound != NULL)
		*typeFound = field->type;
	if (fixedSize != NULL)
		*fixedSize = field->fixedSize;
	return B_OK;
}


int32
BMessage::CountNames(type_code type) const
{
	int32 count = 0;
	for (const MessageField& field : fBody->fields) {
		if (type == B_ANY_TYPE || field.type == type)
			count++;
	}
	return count;
}


bool
BMessage::IsEmpty() const
{
	return fBody->fields.empty();
}


bool
BMessage::IsSystem() const
{
	// System codes are '_' followed by three upper-case letters.
	char first = (char)(what >> 24);
	char second = (char)(what >> 16);
	char third = (char)(what >> 8);
	char fourth = (char)what;
	return first == '_' && second >= 'A' && second <= 'Z' && third >= 'A'
		&& third <= 'Z' && fourth >= 'A' && fourth <= 'Z';
}


bool
BMessage::IsReply() const
{
	return fIsReply;
}


static void
print_what(FILE* out, uint32 value)
{
	char code[5] = { (char)(value >> 24), (char)(value >> 16),
		(char)(value >> 8), (char)value, 0 };
	bool printable = true;
	for (int i = 0; i < 4; i++) {
		if (code[i] < 0x20 || code[i] > 0x7e)
			printable = false;
	}
	if (printable)
		fprintf(out, "'%s'", code);
	else
		fprintf(out, "0x%" PRIx32, value);
}


void
BMessage::PrintToStream() const
{
	printf("BMessage(");
	print_what(stdout, what);
	printf(") {\n");
	for (const MessageField& field : fBody->fields) {
		for (size_t i = 0; i < field.items.size(); i++) {
			const std::vector<char>& item = field.items[i];
			printf("        %s[%zu] = ", field.name.c_str(), i);
			switch (field.type) {
				case B_STRING_TYPE:
					printf("string(\"%s\")\n", item.data());
					break;
				case B_INT8_TYPE:
					printf("int8(%d)\n", (int)*(const int8*)item.data());
					break;
				case B_INT16_TYPE: {
					int16 value;
					memcpy(&value, item.data(), sizeof(value));
					printf("int16(%d)\n", (int)value);
					break;
				}
				case B_INT32_TYPE: {
					int32 value;
					memcpy(&value, item.data(), sizeof(value));
					printf("int32(%" PRId32 ")\n", value);
					break;
				}
				case B_INT64_TYPE: {
					int64 value;
					memcpy(&value, item.data(), sizeof(value));
					printf("int64(%" PRId64 ")\n", value);
					break;
				}
				case B_BOOL_TYPE:
					printf("bool(%s)\n", item[0] ? "true" : "false");
					break;
				case B_FLOAT_TYPE: {
					float value;
					memcpy(&value, item.data(), sizeof(value));
					printf("float(%.4f)\n", value);
					break;
				}
				case B_DOUBLE_TYPE: {
					double value;
					memcpy(&value, item.data(), sizeof(value));
					printf("double(%.8f)\n", value);
					break;
				}
				default:
					print_what(stdout, field.type);
					printf(", %zu bytes\n", item.size());
					break;
			}
		}
	}
	printf("}\n");
}


status_t
BMessage::Rename(const char* oldEntry, const char* newEntry)
{
	if (oldEntry == NULL || newEntry == NULL)
		return B_BAD_VALUE;
	MessageField* field = fBody->Find(oldEntry);
	if (field == NULL)
		return B_NAME_NOT_FOUND;
	if (strcmp(oldEntry, newEntry) == 0)
		return B_OK;
	if (fBody->Find(newEntry) != NULL)
		return B_NAME_IN_USE;
	field->name = newEntry;
	return B_OK;
}


// #pragma mark - delivery

bool
BMessage::WasDelivered() const
{
	return fWasDelivered;
}


bool
BMessage::IsSourceWaiting() const
{
	return fReplySlot != NULL && !fReplySent;
}


bool
BMessage::IsSourceRemote() const
{
	return fIsRemote;
}


const BMessage*
BMessage::Previous() const
{
	return fOriginal;
}


bool
BMessage::WasDropped() const
{
	return fWasDropped;
}


BPoint
BMessage::DropPoint(BPoint* offset) const
{
	if (offset != NULL)
		*offset = BPoint(fDropOffset[0], fDropOffset[1]);
	return BPoint(fDropPoint[0], fDropPoint[1]);
}


// #pragma mark - the generic field operations

status_t
BMessage::_Add(const char* name, type_code type, const void* data,
	ssize_t numBytes, bool isFixedSize)
{
	if (name == NULL || numBytes < 0 || (data == NULL && numBytes > 0)
		|| type == B_ANY_TYPE)
		return B_BAD_VALUE;
	MessageField* field = fBody->Find(name);
	if (field != NULL) {
		if (field->type != type)
			return B_BAD_TYPE;
		if (field->fixedSize && !field->items.empty()
			&& (ssize_t)field->items[0].size() != numBytes)
			return B_BAD_VALUE;
	} else {
		fBody->fields.push_back(MessageField());
		field = &fBody->fields.back();
		field->name = name;
		field->type = type;
		field->fixedSize = isFixedSize;
	}
	const char* bytes = (const char*)data;
	field->items.push_back(std::vector<char>(bytes, bytes + numBytes));
	return B_OK;
}


status_t
BMessage::_Find(const char* name, type_code type, int32 index,
	const void** data, ssize_t* numBytes) const
{
	if (name == NULL)
		return B_BAD_VALUE;
	const MessageField* field = fBody->Find(name);
	if (field == NULL)
		return B_NAME_NOT_FOUND;
	if (type != B_ANY_TYPE && field->type != type)
		return B_BAD_TYPE;
	if (index < 0 || index >= (int32)field->items.size())
		return B_BAD_INDEX;
	const std::vector<char>& item = field->items[index];
	if (data != NULL)
		*data = item.data();
	if (numBytes != NULL)
		*numBytes = (ssize_t)item.size();
	return B_OK;
}


status_t
BMessage::_Replace(const char* name, type_code type, int32 index,
	const void* data, ssize_t numBytes)
{
	if (name == NULL || numBytes < 0 || (data == NULL && numBytes > 0))
		return B_BAD_VALUE;
	MessageField* field = fBody->Find(name);
	if (field == NULL)
		return B_NAME_NOT_FOUND;
	if (field->type != type)
		return B_BAD_TYPE;
	if (index < 0 || index >= (int32)field->items.size())
		return B_BAD_INDEX;
	if (field->fixedSize && (ssize_t)field->items[index].size() != numBytes)
		return B_BAD_VALUE;
	const char* bytes = (const char*)data;
	field->items[index].assign(bytes, bytes + numBytes);
	return B_OK;
}


status_t
BMessage::AddData(const char* name, type_code type, const void* data,
	ssize_t numBytes, bool isFixedSize, int32)
{
	return _Add(name, type, data, numBytes, isFixedSize);
}


status_t
BMessage::FindData(const char* name, type_code type, const void** data,
	ssize_t* numBytes) const
{
	return FindData(name, type, 0, data, numBytes);
}


status_t
BMessage::FindData(const char* name, type_code type, int32 index,
	const void** data, ssize_t* numBytes) const
{
	if (data == NULL)
		return B_BAD_VALUE;
	*data = NULL;
	if (numBytes != NULL)
		*numBytes = 0;
	return _Find(name, type, index, data, numBytes);
}


status_t
BMessage::ReplaceData(const char* name, type_code type, const void* data,
	ssize_t numBytes)
{
	return _Replace(name, type, 0, data, numBytes);
}


status_t
BMessage::ReplaceData(const char* name, type_code type, int32 index,
	const void* data, ssize_t numBytes)
{
	return _Replace(name, type, index, data, numBytes);
}


bool
BMessage::HasData(const char* name, type_code type, int32 n) const
{
	return _Find(name, type, n, NULL, NULL) == B_OK;
}


status_t
BMessage::RemoveData(const char* name, int32 index)
{
	if (name == NULL)
		return B_BAD_VALUE;
	for (size_t i = 0; i < fBody->fields.size(); i++) {
		MessageField& field = fBody->fields[i];
		if (field.name != name)
			continue;
		if (index < 0 || index >= (int32)field.items.size())
			return B_BAD_INDEX;
		field.items.erase(field.items.begin() + index);
		if (field.items.empty())
			fBody->fields.erase(fBody->fields.begin() + i);
		return B_OK;
	}
	return B_NAME_NOT_FOUND;
}


status_t
BMessage::RemoveName(const char* name)
{
	if (name == NULL)
		return B_BAD_VALUE;
	for (size_t i = 0; i < fBody->fields.size(); i++) {
		if (fBody->fields[i].name == name) {
			fBody->fields.erase(fBody->fields.begin() + i);
			return B_OK;
		}
	}
	return B_NAME_NOT_FOUND;
}


status_t
BMessage::MakeEmpty()
{
	fBody->fields.clear();
	return B_OK;
}
