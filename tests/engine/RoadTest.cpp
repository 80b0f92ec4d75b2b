#include "EngineFixture.h"

TEST_F(EngineTest, OneDocumentsRoad)
{
	Parse("<BODY><P>Hello <B>big</B> world</P></BODY>");
	printf("%s", Dump().c_str());
}
