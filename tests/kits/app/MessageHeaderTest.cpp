// <Message.h> alone is enough for code that puts rectangles and points into
// messages, as BeOS sources expect: this file includes nothing else of the
// kits and would not build otherwise.
#include <gtest/gtest.h>

#include <Message.h>

TEST(Headers, MessageBringsRectAndPoint)
{
	BMessage message('geom');
	ASSERT_EQ(B_OK, message.AddRect("frame", BRect(1, 2, 30, 40)));
	ASSERT_EQ(B_OK, message.AddPoint("where", BPoint(5, 6)));
	BRect frame;
	BPoint where;
	ASSERT_EQ(B_OK, message.FindRect("frame", &frame));
	ASSERT_EQ(B_OK, message.FindPoint("where", &where));
	EXPECT_EQ(BRect(1, 2, 30, 40), frame);
	EXPECT_EQ(BPoint(5, 6), where);
	EXPECT_TRUE(frame.Contains(where));
}
