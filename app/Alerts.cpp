/*
 * Every report goes through one modal "Alert" box with an "OK" button.
 */
#include "Alerts.h"

#include <string.h>

#include <Alert.h>

#include "Functions.h"


static void
ShowAlert(const char* a, const char* b, const char* c, const char* d)
{
	// The text buffer is sized from the pieces, so no text is too long.
	size_t length = piecelength(a, b, c, d);
	char* text = new char[length + 1];
	text[0] = '\0';
	endstrcpys(text, a, b, c, d);

	BAlert* box = new BAlert("Alert", text, "OK", nullptr, nullptr,
		B_WIDTH_AS_USUAL, B_INFO_ALERT);
	delete[] text;
	// Go() waits for the answer and deletes the alert.
	box->Go();
}


void
error(const char* a, const char* b, const char* c, const char* d)
{
	ShowAlert(a, b, c, d);
}


void
alert(const char* a, const char* b, const char* c, const char* d)
{
	ShowAlert(a, b, c, d);
}


void
errorINT(int n)
{
	char number[12];
	itoa(n, number);
	ShowAlert(number, nullptr, nullptr, nullptr);
}


void
alertint(int n)
{
	errorINT(n);
}
