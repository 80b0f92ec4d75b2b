#include "PageFixture.h"

using namespace quillora_test;
using EngineTest = PageFixture;

TEST_F(EngineTest, OneDocumentsRoad)
{
	Parse("<BODY><P>Hello <B>big</B> world</P></BODY>");
	printf("%s", Dump().c_str());
}
