// Fonts through QFontDatabase; widths cached per font.
#include "HostFont.h"

#include "Host.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <tuple>

namespace BPrivate {

// Widths by character, in pages of 256 that are made when first needed; an
// unmeasured character's width is negative.
struct HostFontWidths {
	static const int kPages = 0x110000 >> 8;

	HostFontWidths()
	{
		for (int i = 0; i < kPages; i++)
			pages[i].store(nullptr, std::memory_order_relaxed);
	}

	std::atomic<float>* Page(uint32_t index)
	{
		std::atomic<float>* page = pages[index].load(std::memory_order_acquire);
		if (page != nullptr)
			return page;
		std::atomic<float>* fresh = new std::atomic<float>[256];
		for (int i = 0; i < 256; i++)
			fresh[i].store(-1.0f, std::memory_order_relaxed);
		if (pages[index].compare_exchange_strong(page, fresh, std::memory_order_acq_rel))
			return fresh;
		delete[] fresh;		// another thread was first
		return page;
	}

	std::atomic<std::atomic<float>*> pages[kPages];
};

namespace {

std::once_flag sFamiliesOnce;
std::vector<HostFontFamily> sFamilies;

std::mutex sFontLock;
// Fonts live as long as the process: views keep their pointers to the very
// end, and a host font must not be torn down after the application object. So
// the table is never destroyed and everything in it stays reachable.
using FontTable = std::map<std::tuple<int32_t, int32_t, int32_t, uint32_t>, std::unique_ptr<HostFont>>;
FontTable& sFonts = *new FontTable;

bool IsRegularName(const QString& style)
{
	static const char* const kRegular[] = { "Regular", "Book", "Roman", "Normal", "Medium" };
	for (const char* name : kRegular) {
		if (style.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
			return true;
	}
	return false;
}

void ReadFamilies()
{
	if (!host_init())
		return;
	const QStringList families = QFontDatabase::families();
	for (const QString& family : families) {
		if (QFontDatabase::isPrivateFamily(family))
			continue;
		QByteArray familyName = family.toLatin1();
		if (familyName.isEmpty() || familyName.size() > 63)
			continue;
		HostFontFamily entry;
		entry.name = familyName.toStdString();
		entry.fixed = false;
		QStringList styles = QFontDatabase::styles(family);
		std::stable_sort(styles.begin(), styles.end(), [](const QString& a, const QString& b) {
			bool aRegular = IsRegularName(a);
			bool bRegular = IsRegularName(b);
			if (aRegular != bRegular)
				return aRegular;
			return a < b;
		});
		for (const QString& style : styles) {
			QByteArray styleName = style.toLatin1();
			if (styleName.isEmpty() || styleName.size() > 63)
				continue;
			HostFontStyle styleEntry;
			styleEntry.name = styleName.toStdString();
			styleEntry.fixed = QFontDatabase::isFixedPitch(family, style);
			styleEntry.bold = QFontDatabase::weight(family, style) >= QFont::DemiBold;
			styleEntry.italic = QFontDatabase::italic(family, style);
			entry.fixed = entry.fixed || styleEntry.fixed;
			entry.styles.push_back(styleEntry);
		}
		if (!entry.styles.empty())
			sFamilies.push_back(entry);
	}
}

}	// namespace


const std::vector<HostFontFamily>& host_font_families()
{
	std::call_once(sFamiliesOnce, ReadFamilies);
	return sFamilies;
}


int32_t host_find_family(const char* name)
{
	if (name == nullptr)
		return -1;
	const std::vector<HostFontFamily>& families = host_font_families();
	for (size_t i = 0; i < families.size(); i++) {
		if (families[i].name == name)
			return (int32_t)i;
	}
	return -1;
}


int32_t host_find_style(int32_t family, const char* style)
{
	const std::vector<HostFontFamily>& families = host_font_families();
	if (style == nullptr || family < 0 || family >= (int32_t)families.size())
		return -1;
	const std::vector<HostFontStyle>& styles = families[family].styles;
	for (size_t i = 0; i < styles.size(); i++) {
		if (styles[i].name == style)
			return (int32_t)i;
	}
	return -1;
}


const HostFont* host_font(int32_t family, int32_t style, float size, uint32_t decoration)
{
	const std::vector<HostFontFamily>& families = host_font_families();
	if (families.empty())
		return nullptr;
	if (family < 0 || family >= (int32_t)families.size())
		family = 0;
	if (style < 0 || style >= (int32_t)families[family].styles.size())
		style = 0;
	// Qt takes whole pixel sizes; quarter pixels keep the cache small while
	// distinct requested sizes still get distinct entries.
	if (!(size >= 1.0f))
		size = 1.0f;
	if (size > 10000.0f)
		size = 10000.0f;
	int32_t quarterPixels = (int32_t)std::lround(size * 4.0f);

	std::lock_guard<std::mutex> lock(sFontLock);
	auto key = std::make_tuple(family, style, quarterPixels, decoration);
	auto found = sFonts.find(key);
	if (found != sFonts.end())
		return found->second.get();

	const HostFontFamily& familyEntry = families[family];
	const HostFontStyle& styleEntry = familyEntry.styles[style];
	QFont* font = new QFont(QString::fromLatin1(familyEntry.name.c_str()));
	font->setStyleName(QString::fromLatin1(styleEntry.name.c_str()));
	font->setPixelSize(std::max(1, (int)std::lround(quarterPixels / 4.0)));
	font->setKerning(false);
	font->setStyleStrategy(QFont::StyleStrategy(QFont::PreferNoShaping | QFont::PreferAntialias));
	font->setHintingPreference(QFont::PreferNoHinting);
	font->setUnderline((decoration & HOST_FONT_UNDERLINE) != 0);
	font->setStrikeOut((decoration & HOST_FONT_STRIKEOUT) != 0);

	std::unique_ptr<HostFont> entry(new HostFont);
	entry->family = family;
	entry->style = style;
	entry->size = quarterPixels / 4.0f;
	entry->decoration = decoration;
	entry->qfont = font;
	QFontMetricsF metrics(*font);
	entry->ascent = (float)metrics.ascent();
	entry->descent = (float)metrics.descent();
	entry->leading = (float)metrics.leading();
	entry->fixed = styleEntry.fixed;
	entry->widths = new HostFontWidths;
	HostFont* result = entry.get();
	sFonts.emplace(key, std::move(entry));
	return result;
}


float host_char_width(const HostFont* font, uint32_t character)
{
	if (font == nullptr || character > 0x10ffff)
		return 0.0f;
	std::atomic<float>* page = font->widths->Page(character >> 8);
	std::atomic<float>& slot = page[character & 0xff];
	float width = slot.load(std::memory_order_relaxed);
	if (width >= 0.0f)
		return width;
	QFontMetricsF metrics(*static_cast<const QFont*>(font->qfont));
	if (character < 0x10000) {
		width = (float)metrics.horizontalAdvance(QChar((char16_t)character));
	} else {
		char32_t code = character;
		width = (float)metrics.horizontalAdvance(QString::fromUcs4(&code, 1));
	}
	if (!(width >= 0.0f))
		width = 0.0f;
	// Two threads may both measure a character; they store the same width.
	slot.store(width, std::memory_order_relaxed);
	return width;
}

}	// namespace BPrivate
