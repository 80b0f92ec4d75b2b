// Position semantics of the memory streams.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <DataIO.h>

TEST(MallocIO, WritesGrowAndFillGapsWithZeros)
{
	BMallocIO io;
	EXPECT_EQ(io.Write("abc", 3), 3);
	EXPECT_EQ(io.Position(), 3);
	EXPECT_EQ(io.WriteAt(10, "xy", 2), 2);
	// Writing at an offset leaves the position alone.
	EXPECT_EQ(io.Position(), 3);
	ASSERT_EQ(io.BufferLength(), 12u);
	const char* data = (const char*)io.Buffer();
	EXPECT_EQ(memcmp(data, "abc\0\0\0\0\0\0\0xy", 12), 0);

	off_t size = -1;
	EXPECT_EQ(io.GetSize(&size), B_OK);
	EXPECT_EQ(size, 12);
	EXPECT_EQ(io.Position(), 3);	// GetSize restores the position
}


TEST(MallocIO, SeekReadAndResize)
{
	BMallocIO io;
	io.SetBlockSize(4);
	ASSERT_EQ(io.Write("0123456789", 10), 10);

	EXPECT_EQ(io.Seek(-3, SEEK_END), 7);
	char buffer[8] = {};
	EXPECT_EQ(io.Read(buffer, sizeof(buffer)), 3);
	EXPECT_STREQ(buffer, "789");
	EXPECT_EQ(io.Position(), 10);
	EXPECT_EQ(io.Read(buffer, sizeof(buffer)), 0);	// at the end

	EXPECT_EQ(io.Seek(-2, SEEK_CUR), 8);
	EXPECT_LT(io.Seek(-20, SEEK_CUR), 0);
	EXPECT_EQ(io.Position(), 8);	// a failed seek does not move
	EXPECT_LT(io.Seek(0, 12345), 0);

	// Seeking past the end and writing extends with zeros.
	EXPECT_EQ(io.Seek(12, SEEK_SET), 12);
	EXPECT_EQ(io.Write("!", 1), 1);
	ASSERT_EQ(io.BufferLength(), 13u);
	EXPECT_EQ(((const char*)io.Buffer())[10], '\0');
	EXPECT_EQ(((const char*)io.Buffer())[12], '!');

	EXPECT_EQ(io.SetSize(4), B_OK);
	EXPECT_EQ(io.BufferLength(), 4u);
	EXPECT_EQ(io.ReadAt(2, buffer, 8), 2);
	EXPECT_EQ(memcmp(buffer, "23", 2), 0);
	for (off_t beyond : { 4, 5, 1000 })	// nothing past the end
		EXPECT_EQ(io.ReadAt(beyond, buffer, 8), 0) << beyond;
	EXPECT_EQ(io.SetSize(6), B_OK);
	EXPECT_EQ(memcmp(io.Buffer(), "0123\0\0", 6), 0);
	EXPECT_EQ(io.SetSize(0), B_OK);
	EXPECT_EQ(io.BufferLength(), 0u);
	EXPECT_EQ(io.ReadAt(-1, buffer, 1), B_BAD_VALUE);
}


TEST(MallocIO, HugeOffsetsFailInsteadOfWrapping)
{
	BMallocIO io;
	EXPECT_LT(io.WriteAt(INT64_MAX - 1, "abc", 3), 0);
	EXPECT_EQ(io.BufferLength(), 0u);
	ASSERT_EQ(io.Write("a", 1), 1);
	EXPECT_LT(io.Seek(INT64_MAX, SEEK_END), 0);
	EXPECT_EQ(io.Position(), 1);
	// A far position is allowed; writing there cannot be.
	EXPECT_EQ(io.Seek(INT64_MAX, SEEK_SET), INT64_MAX);
	EXPECT_LT(io.Write("b", 1), 0);
	EXPECT_EQ(io.BufferLength(), 1u);
}


TEST(MemoryIO, NeverWritesPastItsBuffer)
{
	char storage[8];
	memset(storage, '.', sizeof(storage));
	BMemoryIO io(storage, 6);
	EXPECT_EQ(io.Seek(4, SEEK_SET), 4);
	EXPECT_EQ(io.Write("WXYZ", 4), 2);	// cut at the buffer's end
	EXPECT_EQ(io.Position(), 6);
	EXPECT_EQ(io.Write("Q", 1), 0);
	EXPECT_EQ(memcmp(storage, "....WX..", 8), 0);

	EXPECT_EQ(io.SetSize(3), B_OK);
	char buffer[8] = {};
	EXPECT_EQ(io.ReadAt(0, buffer, 8), 3);
	EXPECT_EQ(io.SetSize(7), B_NO_MEMORY);
	EXPECT_EQ(io.Seek(0, SEEK_END), 3);
	EXPECT_EQ(io.Seek(-4, SEEK_END), B_BAD_VALUE);
	// Writing past the end grows the length again, up to the buffer.
	EXPECT_EQ(io.WriteAt(4, "yz", 2), 2);
	EXPECT_EQ(io.Seek(0, SEEK_END), 6);
	EXPECT_EQ(io.ReadAt(0, buffer, 8), 6);
}


TEST(MemoryIO, ConstBufferIsReadOnly)
{
	const char text[] = "hello";
	BMemoryIO io((const void*)text, 5);
	char buffer[6] = {};
	EXPECT_EQ(io.Read(buffer, 3), 3);
	EXPECT_STREQ(buffer, "hel");
	EXPECT_EQ(io.Write("x", 1), B_NOT_ALLOWED);
	EXPECT_EQ(io.SetSize(2), B_NOT_ALLOWED);
	EXPECT_EQ(io.Read(buffer, 6), 2);

	size_t read = 0;
	io.Seek(0, SEEK_SET);
	EXPECT_NE(io.ReadExactly(buffer, 6, &read), B_OK);
	EXPECT_EQ(read, 5u);
}
