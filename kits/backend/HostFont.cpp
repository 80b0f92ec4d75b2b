// Fonts through QFontDatabase; widths cached per font.
#include "HostFont.h"

#include "Host.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <tuple>

namespace BPrivate {

namespace {

std::once_flag sFamiliesOnce;
std::vector<HostFontFamily> sFamilies;

std::mutex sFontLock;
std::map<std::tuple<int32_t, int32_t, int32_t, uint32_t>, std::unique_ptr<HostFont>> sFonts;

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
	for (int i = 0; i < 256; i++) {
		// Control characters take no room (and are not drawn).
		if (i < 0x20 || (i >= 0x7f && i < 0xa0))
			entry->widths[i] = 0.0f;
		else
			entry->widths[i] = (float)metrics.horizontalAdvance(QChar((ushort)i));
	}
	HostFont* result = entry.get();
	sFonts.emplace(key, std::move(entry));
	return result;
}


float host_string_width(const HostFont* font, const char* bytes, int32_t length, bool utf8)
{
	if (font == nullptr || bytes == nullptr || length <= 0)
		return 0.0f;
	const unsigned char* text = (const unsigned char*)bytes;
	bool ascii = true;
	if (utf8) {
		for (int32_t i = 0; i < length; i++) {
			if (text[i] >= 0x80) {
				ascii = false;
				break;
			}
		}
	}
	if (!utf8 || ascii) {
		float width = 0.0f;
		for (int32_t i = 0; i < length; i++)
			width += font->widths[text[i]];
		return width;
	}
	QFontMetricsF metrics(*(const QFont*)font->qfont);
	return (float)metrics.horizontalAdvance(QString::fromUtf8(bytes, length));
}

}	// namespace BPrivate
