/*
 * BMessage in bytes, for messages inside messages and for the clipboard.
 * Layout (host byte order): magic, what, total size, field count; then per
 * field its type, flags, name length, name, value count and each value as
 * size and bytes. Unflattening checks every length against the buffer.
 */
#include <Message.h>

#include <string.h>

#include <DataIO.h>

#include "MessagePrivate.h"

using BPrivate::MessageBody;
using BPrivate::MessageField;

namespace {

const uint32 kFlattenMagic = 'QMF1';
const size_t kHeaderSize = 4 * sizeof(uint32);


void
put32(std::vector<char>& out, uint32 value)
{
	const char* bytes = (const char*)&value;
	out.insert(out.end(), bytes, bytes + sizeof(value));
}


struct Reader {
	const char*	data;
	size_t		size;
	size_t		position;

	bool Get32(uint32* value)
	{
		if (size - position < sizeof(uint32))
			return false;
		memcpy(value, data + position, sizeof(uint32));
		position += sizeof(uint32);
		return true;
	}

	bool GetBytes(size_t length, const char** bytes)
	{
		if (size - position < length)
			return false;
		*bytes = data + position;
		position += length;
		return true;
	}
};


std::vector<char>
flatten_body(uint32 what, const MessageBody& body)
{
	std::vector<char> out;
	put32(out, kFlattenMagic);
	put32(out, what);
	put32(out, 0);	// total size, filled in below
	put32(out, (uint32)body.fields.size());
	for (const MessageField& field : body.fields) {
		put32(out, field.type);
		put32(out, field.fixedSize ? 1 : 0);
		put32(out, (uint32)field.name.size());
		out.insert(out.end(), field.name.begin(), field.name.end());
		put32(out, (uint32)field.items.size());
		for (const std::vector<char>& item : field.items) {
			put32(out, (uint32)item.size());
			out.insert(out.end(), item.begin(), item.end());
		}
	}
	uint32 total = (uint32)out.size();
	memcpy(out.data() + 2 * sizeof(uint32), &total, sizeof(total));
	return out;
}

}	// namespace


ssize_t
BMessage::FlattenedSize() const
{
	return (ssize_t)flatten_body(what, *fBody).size();
}


status_t
BMessage::Flatten(char* buffer, ssize_t size) const
{
	if (buffer == NULL || size < 0)
		return B_BAD_VALUE;
	std::vector<char> flat = flatten_body(what, *fBody);
	if ((size_t)size < flat.size())
		return B_BUFFER_OVERFLOW;
	memcpy(buffer, flat.data(), flat.size());
	return B_OK;
}


status_t
BMessage::Flatten(BDataIO* stream, ssize_t* size) const
{
	if (stream == NULL)
		return B_BAD_VALUE;
	std::vector<char> flat = flatten_body(what, *fBody);
	status_t error = stream->WriteExactly(flat.data(), flat.size());
	if (error == B_OK && size != NULL)
		*size = (ssize_t)flat.size();
	return error;
}


status_t
BMessage::Unflatten(const char* flatBuffer)
{
	if (flatBuffer == NULL)
		return B_BAD_VALUE;
	uint32 header[3];
	memcpy(header, flatBuffer, sizeof(header));
	if (header[0] != kFlattenMagic)
		return B_NOT_A_MESSAGE;
	return Unflatten(flatBuffer, header[2]);
}


status_t
BMessage::Unflatten(const char* flatBuffer, ssize_t size)
{
	if (flatBuffer == NULL || size < (ssize_t)kHeaderSize)
		return B_BAD_VALUE;
	Reader reader = { flatBuffer, (size_t)size, 0 };
	uint32 magic = 0, newWhat = 0, total = 0, fieldCount = 0;
	reader.Get32(&magic);
	reader.Get32(&newWhat);
	reader.Get32(&total);
	reader.Get32(&fieldCount);
	if (magic != kFlattenMagic)
		return B_NOT_A_MESSAGE;
	if (total > (uint32)size || total < kHeaderSize)
		return B_BAD_DATA;
	reader.size = total;

	MessageBody body;
	for (uint32 i = 0; i < fieldCount; i++) {
		MessageField field;
		uint32 type = 0, flags = 0, nameLength = 0, itemCount = 0;
		const char* name;
		if (!reader.Get32(&type) || !reader.Get32(&flags)
			|| !reader.Get32(&nameLength)
			|| !reader.GetBytes(nameLength, &name)
			|| !reader.Get32(&itemCount))
			return B_BAD_DATA;
		field.type = type;
		field.fixedSize = (flags & 1) != 0;
		field.name.assign(name, nameLength);
		if (field.name.find('\0') != std::string::npos
			|| body.Find(field.name.c_str()) != NULL)
			return B_BAD_DATA;
		for (uint32 j = 0; j < itemCount; j++) {
			uint32 itemSize = 0;
			const char* bytes;
			if (!reader.Get32(&itemSize) || !reader.GetBytes(itemSize, &bytes))
				return B_BAD_DATA;
			field.items.push_back(std::vector<char>(bytes, bytes + itemSize));
		}
		if (field.items.empty())
			return B_BAD_DATA;
		body.fields.push_back(field);
	}
	if (reader.position != total)
		return B_BAD_DATA;

	_SendNoReplyIfNeeded();
	what = newWhat;
	fBody->fields.swap(body.fields);
	return B_OK;
}


status_t
BMessage::Unflatten(BDataIO* stream)
{
	if (stream == NULL)
		return B_BAD_VALUE;
	uint32 header[4];
	status_t error = stream->ReadExactly(header, sizeof(header));
	if (error != B_OK)
		return error;
	if (header[0] != kFlattenMagic)
		return B_NOT_A_MESSAGE;
	if (header[2] < sizeof(header))
		return B_BAD_DATA;
	std::vector<char> flat(header[2]);
	memcpy(flat.data(), header, sizeof(header));
	error = stream->ReadExactly(flat.data() + sizeof(header),
		flat.size() - sizeof(header));
	if (error != B_OK)
		return error;
	return Unflatten(flat.data(), (ssize_t)flat.size());
}
