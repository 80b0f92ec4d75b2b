/*
 * Four-character message codes.
 *
 * The codes are written as their four letters ("qpag", "br  "); this builds
 * the same 32-bit value a multi-character literal would ('qpag'), first letter
 * in the most significant byte, without the compiler's warning about such
 * literals.
 */
#ifndef QUILLORA_MESSAGE_CODE_H
#define QUILLORA_MESSAGE_CODE_H

#include <SupportDefs.h>

constexpr uint32
message_code(const char (&code)[5])
{
	return (uint32(uint8(code[0])) << 24) | (uint32(uint8(code[1])) << 16)
		| (uint32(uint8(code[2])) << 8) | uint32(uint8(code[3]));
}

#endif	// QUILLORA_MESSAGE_CODE_H
