#include "Environment.h"

#include <GraphicsDefs.h>

#include <string.h>

#include "Page.h"
#include "WYSIWYG_Element.h"

Environment::Environment(WYSIWYG_Element* owner)
	:
	fontType(1),
	italic(false),
	underlined(false),
	font(nullptr),
	color(nullptr),
	leftMargin(0),
	rightMargin(0),
	breakBefore(0),
	breakAfter(0),
	hAlignment(0),
	vAlignment(7),
	currentAnchor(nullptr),
	currentList(nullptr),
	owner(owner),
	openCenter(nullptr),
	preformatted(kFlowingText),
	leftMarginAfter(-1),
	references(1)
{
	Page* page = owner != nullptr ? owner->GetPage() : nullptr;
	if (page != nullptr) {
		font = page->plainFont;
		color = page->textColor;
	}
}

bool
Environment::operator==(const Environment& other) const
{
	if (font != other.font)
		return false;
	if (color != other.color) {
		if (color == nullptr || other.color == nullptr)
			return false;
		if (color->red != other.color->red || color->green != other.color->green
			|| color->blue != other.color->blue
			|| color->alpha != other.color->alpha)
			return false;
	}
	return underlined == other.underlined
		&& leftMargin == other.leftMargin
		&& rightMargin == other.rightMargin
		&& breakBefore == other.breakBefore
		&& breakAfter == other.breakAfter
		&& currentList == other.currentList
		&& hAlignment == other.hAlignment
		&& vAlignment == other.vAlignment
		&& currentAnchor == other.currentAnchor;
}

bool
Environment::SameAs(const Environment& other) const
{
	return fontType == other.fontType && italic == other.italic
		&& underlined == other.underlined && font == other.font
		&& color == other.color && leftMargin == other.leftMargin
		&& rightMargin == other.rightMargin
		&& breakBefore == other.breakBefore
		&& breakAfter == other.breakAfter
		&& hAlignment == other.hAlignment && vAlignment == other.vAlignment
		&& currentAnchor == other.currentAnchor
		&& currentList == other.currentList
		&& openCenter == other.openCenter
		&& preformatted == other.preformatted
		&& leftMarginAfter == other.leftMarginAfter;
}


namespace {

const size_t kFirstSweep = 1024;

size_t
mix(size_t hash, uint64 value)
{
	value ^= value >> 33;
	value *= 0xFF51AFD7ED558CCDull;
	value ^= value >> 33;
	return hash * 31 + size_t(value);
}

// Alike values give alike bits: 0 and -0 compare equal.
uint64
float_bits(float value)
{
	value += 0.0f;
	uint32 bits;
	memcpy(&bits, &value, sizeof(bits));
	return bits;
}

}	// namespace


EnvironmentPool::EnvironmentPool()
	:
	fSweepAt(kFirstSweep)
{
}


EnvironmentPool::~EnvironmentPool()
{
	Clear();
}


size_t
EnvironmentPool::Hash::operator()(const Environment* e) const
{
	// What SameAs() compares, and nothing else.
	size_t hash = 0;
	hash = mix(hash, uint64(e->fontType) << 2 | uint64(e->italic) << 1
		| uint64(e->underlined));
	hash = mix(hash, uint64(uintptr_t(e->font)));
	hash = mix(hash, uint64(uintptr_t(e->color)));
	hash = mix(hash, float_bits(e->leftMargin) << 32
		| float_bits(e->rightMargin));
	hash = mix(hash, float_bits(e->breakBefore) << 32
		| float_bits(e->breakAfter));
	hash = mix(hash, uint64(uint32(e->hAlignment)) << 32
		| uint32(e->vAlignment));
	hash = mix(hash, uint64(uintptr_t(e->currentAnchor)));
	hash = mix(hash, uint64(uintptr_t(e->currentList)));
	hash = mix(hash, uint64(uintptr_t(e->openCenter)));
	hash = mix(hash, uint64(uint32(e->preformatted)) << 32
		| float_bits(e->leftMarginAfter));
	return hash;
}


Environment*
EnvironmentPool::Alike(Environment* environment)
{
	auto found = fEnvironments.find(environment);
	if (found != fEnvironments.end())
		return *found;
	if (fEnvironments.size() >= fSweepAt) {
		_LetGoUnshared();
		fSweepAt = fEnvironments.size() * 2 > kFirstSweep
			? fEnvironments.size() * 2 : kFirstSweep;
	}
	environment->references++;
	fEnvironments.insert(environment);
	return environment;
}


void
EnvironmentPool::Clear()
{
	for (Environment* environment : fEnvironments) {
		if (--environment->references == 0)
			delete environment;
	}
	fEnvironments.clear();
	fSweepAt = kFirstSweep;
}


void
EnvironmentPool::_LetGoUnshared()
{
	for (auto i = fEnvironments.begin(); i != fEnvironments.end();) {
		Environment* environment = *i;
		if (environment->references == 1) {
			i = fEnvironments.erase(i);
			delete environment;
		} else
			++i;
	}
}
