// BMessage fields: types, several values per name, failures that reset the
// output, and flattening.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <string>
#include <vector>

#include <DataIO.h>
#include <Entry.h>
#include <Message.h>
#include <MessageQueue.h>
#include <Point.h>
#include <Rect.h>

#include "TempFolder.h"

TEST(Message, TypedFieldsRoundTrip)
{
	BMessage message('test');
	EXPECT_TRUE(message.IsEmpty());
	int dummy = 0;
	ASSERT_EQ(message.AddString("name", "value"), B_OK);
	ASSERT_EQ(message.AddInt8("i8", -8), B_OK);
	ASSERT_EQ(message.AddInt16("i16", -1600), B_OK);
	ASSERT_EQ(message.AddInt32("i32", 0x7fffffff), B_OK);
	ASSERT_EQ(message.AddInt64("i64", -((int64)1 << 40)), B_OK);
	ASSERT_EQ(message.AddBool("flag", true), B_OK);
	ASSERT_EQ(message.AddFloat("f", 1.5f), B_OK);
	ASSERT_EQ(message.AddDouble("d", 2.25), B_OK);
	ASSERT_EQ(message.AddPointer("p", &dummy), B_OK);
	ASSERT_EQ(message.AddPoint("where", BPoint(3, 4)), B_OK);
	ASSERT_EQ(message.AddRect("frame", BRect(1, 2, 30, 40)), B_OK);
	ASSERT_EQ(message.AddData("raw", B_RAW_TYPE, "\0\1\2", 3), B_OK);
	EXPECT_EQ(message.CountNames(B_ANY_TYPE), 12);
	EXPECT_EQ(message.CountNames(B_INT32_TYPE), 1);

	const char* string = NULL;
	int8 i8 = 0;
	int16 i16 = 0;
	int32 i32 = 0;
	int64 i64 = 0;
	bool flag = false;
	float f = 0;
	double d = 0;
	void* p = NULL;
	BPoint point;
	BRect rect;
	EXPECT_EQ(message.FindString("name", &string), B_OK);
	EXPECT_STREQ(string, "value");
	EXPECT_EQ(message.FindInt8("i8", &i8), B_OK);
	EXPECT_EQ(i8, -8);
	EXPECT_EQ(message.FindInt16("i16", &i16), B_OK);
	EXPECT_EQ(i16, -1600);
	EXPECT_EQ(message.FindInt32("i32", &i32), B_OK);
	EXPECT_EQ(i32, 0x7fffffff);
	EXPECT_EQ(message.FindInt64("i64", &i64), B_OK);
	EXPECT_EQ(i64, -((int64)1 << 40));
	EXPECT_EQ(message.FindBool("flag", &flag), B_OK);
	EXPECT_TRUE(flag);
	EXPECT_EQ(message.FindFloat("f", &f), B_OK);
	EXPECT_EQ(f, 1.5f);
	EXPECT_EQ(message.FindDouble("d", &d), B_OK);
	EXPECT_EQ(d, 2.25);
	EXPECT_EQ(message.FindPointer("p", &p), B_OK);
	EXPECT_EQ(p, &dummy);
	EXPECT_EQ(message.FindPoint("where", &point), B_OK);
	EXPECT_EQ(point, BPoint(3, 4));
	EXPECT_EQ(message.FindRect("frame", &rect), B_OK);
	EXPECT_EQ(rect, BRect(1, 2, 30, 40));
	const void* data = NULL;
	ssize_t size = 0;
	EXPECT_EQ(message.FindData("raw", B_RAW_TYPE, &data, &size), B_OK);
	ASSERT_EQ(size, 3);
	EXPECT_EQ(memcmp(data, "\0\1\2", 3), 0);
	// B_ANY_TYPE finds data of whatever type.
	EXPECT_EQ(message.FindData("i32", B_ANY_TYPE, &data, &size), B_OK);
	EXPECT_EQ(size, 4);

	// The value-returning forms.
	EXPECT_EQ(message.FindInt32("i32"), 0x7fffffff);
	EXPECT_STREQ(message.FindString("name"), "value");
	EXPECT_EQ(message.FindInt32("missing"), 0);
	EXPECT_EQ(message.FindString("missing"), nullptr);
	EXPECT_EQ(message.GetInt32("missing", 17), 17);
}


TEST(Message, SeveralValuesPerName)
{
	BMessage message;
	for (int32 i = 0; i < 5; i++)
		ASSERT_EQ(message.AddInt32("n", i * 10), B_OK);
	EXPECT_EQ(message.AddString("n", "not an int"), B_BAD_TYPE);

	type_code type = 0;
	int32 count = 0;
	ASSERT_EQ(message.GetInfo("n", &type, &count), B_OK);
	EXPECT_EQ(type, (type_code)B_INT32_TYPE);
	EXPECT_EQ(count, 5);
	int32 value = -1;
	EXPECT_EQ(message.FindInt32("n", 3, &value), B_OK);
	EXPECT_EQ(value, 30);
	EXPECT_TRUE(message.HasInt32("n", 4));
	EXPECT_FALSE(message.HasInt32("n", 5));
	EXPECT_FALSE(message.HasString("n"));

	EXPECT_EQ(message.ReplaceInt32("n", 2, 222), B_OK);
	EXPECT_EQ(message.ReplaceInt32("n", 5, 1), B_BAD_INDEX);
	EXPECT_EQ(message.ReplaceString("n", 0, "x"), B_BAD_TYPE);
	EXPECT_EQ(message.ReplaceInt32("nothing", 1), B_NAME_NOT_FOUND);
	EXPECT_EQ(message.FindInt32("n", 2), 222);

	EXPECT_EQ(message.RemoveData("n", 0), B_OK);
	EXPECT_EQ(message.FindInt32("n", 0), 10);
	EXPECT_EQ(message.RemoveData("n", 9), B_BAD_INDEX);
	// Removing the last value removes the name.
	for (int i = 0; i < 4; i++)
		ASSERT_EQ(message.RemoveData("n"), B_OK);
	EXPECT_EQ(message.GetInfo("n", &type, &count), B_NAME_NOT_FOUND);
	EXPECT_TRUE(message.IsEmpty());
}


// A find that fails resets its output, whatever made it fail: BeOS code
// often looks at the output instead of the result
// (`const char* s; msg->FindString("x", &s); if (s) ...`).
TEST(Message, FailedFindsResetTheOutput)
{
	BMessage message;
	message.AddInt32("number", 5);
	message.AddString("text", "abc");
	message.AddData("unterminated", B_STRING_TYPE, "abc", 3, false);
	message.AddData("short", B_RECT_TYPE, "abc", 3, false);

	// Missing name, index out of range, wrong type.
	struct Failure {
		const char* name;
		int32 index;
	};
	const Failure failures[] = { { "missing", 0 }, { "number", 1 },
		{ "text", 0 } };
	for (const Failure& failure : failures) {
		SCOPED_TRACE(std::string(failure.name) + " at "
			+ std::to_string(failure.index));
		const char* name = failure.name;
		int32 index = failure.index;

		int8 i8 = 8;
		uint8 u8 = 8;
		int16 i16 = 16;
		uint16 u16 = 16;
		int32 i32 = 32;
		uint32 u32 = 32;
		int64 i64 = 64;
		uint64 u64 = 64;
		bool flag = true;
		float f = 1.5f;
		double d = 2.5;
		EXPECT_NE(B_OK, message.FindInt8(name, index, &i8));
		EXPECT_NE(B_OK, message.FindUInt8(name, index, &u8));
		EXPECT_NE(B_OK, message.FindInt16(name, index, &i16));
		EXPECT_NE(B_OK, message.FindUInt16(name, index, &u16));
		EXPECT_NE(B_OK, message.FindUInt32(name, index, &u32));
		EXPECT_NE(B_OK, message.FindInt64(name, index, &i64));
		EXPECT_NE(B_OK, message.FindUInt64(name, index, &u64));
		EXPECT_NE(B_OK, message.FindBool(name, index, &flag));
		EXPECT_NE(B_OK, message.FindFloat(name, index, &f));
		EXPECT_NE(B_OK, message.FindDouble(name, index, &d));
		EXPECT_EQ(0, i8);
		EXPECT_EQ(0, u8);
		EXPECT_EQ(0, i16);
		EXPECT_EQ(0, u16);
		EXPECT_EQ(0u, u32);
		EXPECT_EQ(0, i64);
		EXPECT_EQ(0u, u64);
		EXPECT_FALSE(flag);
		EXPECT_EQ(0.0f, f);
		EXPECT_EQ(0.0, d);
		EXPECT_NE(B_OK, message.FindInt32(name, index, &i32));
		EXPECT_EQ(0, i32);

		const char* string = "left over";
		void* pointer = &flag;
		const void* data = "left over";
		ssize_t size = 9;
		if (strcmp(name, "text") != 0) {
			EXPECT_NE(B_OK, message.FindString(name, index, &string));
			EXPECT_EQ(nullptr, string);
		}
		EXPECT_NE(B_OK, message.FindPointer(name, index, &pointer));
		EXPECT_EQ(nullptr, pointer);
		EXPECT_NE(B_OK, message.FindData(name, B_POINTER_TYPE, index, &data,
			&size));
		EXPECT_EQ(nullptr, data);
		EXPECT_EQ(0, size);

		BRect rect(1, 2, 3, 4);
		BPoint point(5, 6);
		EXPECT_NE(B_OK, message.FindRect(name, index, &rect));
		EXPECT_EQ(BRect(0, 0, -1, -1), rect);
		EXPECT_NE(B_OK, message.FindPoint(name, index, &point));
		EXPECT_EQ(BPoint(0, 0), point);

		BMessage inner('keep');
		inner.AddInt32("x", 1);
		EXPECT_NE(B_OK, message.FindMessage(name, index, &inner));
		EXPECT_EQ(0u, inner.what);
		EXPECT_TRUE(inner.IsEmpty());

		entry_ref ref(1, 2, "name");
		EXPECT_NE(B_OK, message.FindRef(name, index, &ref));
		EXPECT_EQ(entry_ref(), ref);
		EXPECT_EQ(nullptr, ref.name);
	}

	const char* string = "left over";
	EXPECT_EQ(B_BAD_INDEX, message.FindString("text", 1, &string));
	EXPECT_EQ(nullptr, string);

	// Data of the right type but the wrong form.
	string = "left over";
	EXPECT_EQ(B_BAD_DATA, message.FindString("unterminated", &string));
	EXPECT_EQ(nullptr, string);
	BRect rect(1, 2, 3, 4);
	EXPECT_EQ(B_BAD_DATA, message.FindRect("short", &rect));
	EXPECT_EQ(BRect(), rect);
	int32 value = 7;
	EXPECT_EQ(B_BAD_TYPE, message.FindInt32("text", &value));
	EXPECT_EQ(0, value);

	// The forms with a default give the default, not the reset value.
	EXPECT_EQ(17, message.GetInt32("missing", 17));
	EXPECT_EQ(5, message.GetInt32("number", 17));
	EXPECT_TRUE(message.GetBool("missing", true));
	EXPECT_STREQ("fallback", message.GetString("missing", "fallback"));
	EXPECT_STREQ("fallback", message.GetString("unterminated", "fallback"));
	EXPECT_STREQ("abc", message.GetString("text", "fallback"));
	EXPECT_EQ(BRect(), message.FindRect("missing"));
	EXPECT_EQ(BPoint(), message.FindPoint("missing"));

	// Without an output there is nothing to reset.
	EXPECT_EQ(B_BAD_VALUE, message.FindInt32("number", (int32*)NULL));
	EXPECT_EQ(B_BAD_VALUE, message.FindString("text", (const char**)NULL));
	ssize_t size = 3;
	EXPECT_EQ(B_BAD_VALUE, message.FindData("text", B_STRING_TYPE, NULL,
		&size));
}


TEST(Message, InfoByTypeRenameAndRemoveName)
{
	BMessage message;
	message.AddString("a", "1");
	message.AddInt32("b", 2);
	message.AddString("c", "3");
	message.AddString("c", "4");

	char* name = NULL;
	type_code type = 0;
	int32 count = 0;
	ASSERT_EQ(message.GetInfo(B_STRING_TYPE, 1, &name, &type, &count), B_OK);
	EXPECT_STREQ(name, "c");
	EXPECT_EQ(count, 2);
	EXPECT_EQ(message.GetInfo(B_STRING_TYPE, 2, &name, &type), B_BAD_INDEX);
	EXPECT_EQ(message.GetInfo(B_DOUBLE_TYPE, 0, &name, &type), B_BAD_TYPE);
	ASSERT_EQ(message.GetInfo(B_ANY_TYPE, 1, &name, &type), B_OK);
	EXPECT_STREQ(name, "b");
	EXPECT_EQ(message.CountNames(B_STRING_TYPE), 2);

	EXPECT_EQ(message.Rename("a", "c"), B_NAME_IN_USE);
	EXPECT_EQ(message.Rename("a", "z"), B_OK);
	EXPECT_STREQ(message.FindString("z"), "1");
	EXPECT_EQ(message.RemoveName("c"), B_OK);
	EXPECT_EQ(message.RemoveName("c"), B_NAME_NOT_FOUND);
	EXPECT_EQ(message.CountNames(B_ANY_TYPE), 2);
	message.MakeEmpty();
	EXPECT_TRUE(message.IsEmpty());
}


TEST(Message, CopiesAreIndependent)
{
	BMessage original('orig');
	original.AddString("s", "one");
	BMessage copy(original);
	copy.ReplaceString("s", "two");
	copy.what = 'copy';
	EXPECT_STREQ(original.FindString("s"), "one");
	BMessage assigned;
	assigned = copy;
	copy.RemoveName("s");
	EXPECT_STREQ(assigned.FindString("s"), "two");
	EXPECT_EQ(assigned.what, (uint32)'copy');
}


TEST(Message, RefsOfRealFiles)
{
	quillora_test::TempFolder folder("msg");
	std::string path = folder / "file";
	quillora_test::WriteFile(path, "");
	entry_ref ref;
	ASSERT_EQ(get_ref_for_path(path.c_str(), &ref), B_OK);

	BMessage message(B_REFS_RECEIVED);
	ASSERT_EQ(message.AddRef("refs", &ref), B_OK);
	BMessage copy;
	ssize_t size = message.FlattenedSize();
	std::vector<char> flat(size);
	ASSERT_EQ(message.Flatten(flat.data(), size), B_OK);
	ASSERT_EQ(copy.Unflatten(flat.data()), B_OK);

	entry_ref found;
	ASSERT_EQ(copy.FindRef("refs", &found), B_OK);
	EXPECT_EQ(found, ref);
	BEntry entry(&found);
	ASSERT_EQ(entry.InitCheck(), B_OK);
	EXPECT_TRUE(entry.Exists());
}


TEST(Message, NestedMessagesAndFlattening)
{
	BMessage inner('innr');
	inner.AddString("text", "deep");
	inner.AddInt32("list", 1);
	inner.AddInt32("list", 2);
	BMessage outer('outr');
	outer.AddMessage("inner", &inner);
	outer.AddBool("b", false);

	BMallocIO stream;
	ssize_t written = 0;
	ASSERT_EQ(outer.Flatten(&stream, &written), B_OK);
	EXPECT_EQ(written, outer.FlattenedSize());
	stream.Seek(0, SEEK_SET);
	BMessage restored;
	ASSERT_EQ(restored.Unflatten(&stream), B_OK);
	EXPECT_EQ(restored.what, (uint32)'outr');
	BMessage found;
	ASSERT_EQ(restored.FindMessage("inner", &found), B_OK);
	EXPECT_EQ(found.what, (uint32)'innr');
	EXPECT_STREQ(found.FindString("text"), "deep");
	EXPECT_EQ(found.FindInt32("list", 1), 2);
	EXPECT_FALSE(restored.FindBool("b"));

	// Every cut-short buffer and every corrupt length is refused without
	// reading outside it, and the message keeps its old contents.
	const char* flat = (const char*)stream.Buffer();
	size_t length = stream.BufferLength();
	BMessage target('keep');
	target.AddInt32("x", 7);
	for (size_t cut = 0; cut < length; cut++) {
		std::vector<char> part(flat, flat + cut);
		EXPECT_NE(target.Unflatten(part.data(), (ssize_t)cut), B_OK) << cut;
	}
	for (size_t at = 12; at + 4 <= length; at += 4) {
		std::vector<char> bad(flat, flat + length);
		uint32 huge = 0xfffffff0;
		memcpy(bad.data() + at, &huge, 4);
		BMessage scratch;
		scratch.Unflatten(bad.data(), (ssize_t)bad.size());
	}
	EXPECT_EQ(target.what, (uint32)'keep');
	EXPECT_EQ(target.FindInt32("x"), 7);
}


// The queue keeps its order, count and end through removals from anywhere.
TEST(MessageQueue, FindsRemovesAndAppendsInOrder)
{
	BMessageQueue queue;
	BMessage* a = new BMessage('a');
	BMessage* b = new BMessage('b');
	BMessage* c = new BMessage('a');
	queue.AddMessage(a);
	queue.AddMessage(b);
	queue.AddMessage(c);
	EXPECT_EQ(a, queue.FindMessage((int32)0));
	EXPECT_EQ(c, queue.FindMessage((int32)2));
	EXPECT_EQ(nullptr, queue.FindMessage((int32)3));
	EXPECT_EQ(a, queue.FindMessage('a', 0));
	EXPECT_EQ(c, queue.FindMessage('a', 1));
	EXPECT_EQ(nullptr, queue.FindMessage('a', 2));

	// The last one leaves: the next one added follows b.
	queue.RemoveMessage(c);
	EXPECT_EQ(2, queue.CountMessages());
	BMessage* d = new BMessage('d');
	queue.AddMessage(d);
	EXPECT_EQ(3, queue.CountMessages());
	EXPECT_EQ(d, queue.FindMessage((int32)2));

	// Emptied, it begins again with the next one added.
	std::vector<uint32> order;
	while (BMessage* message = queue.NextMessage()) {
		order.push_back(message->what);
		delete message;
	}
	EXPECT_EQ((std::vector<uint32>{ 'a', 'b', 'd' }), order);
	EXPECT_TRUE(queue.IsEmpty());
	queue.AddMessage(c);
	EXPECT_EQ(c, queue.NextMessage());
	delete c;
}
