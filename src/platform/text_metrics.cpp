/** @file text_metrics.cpp The two measures of a text's width. */
#include "platform/text_metrics.h"

#include "ui/control.h"

#include <QFont>
#include <QFontMetrics>

namespace platform {

int QtTextMetrics::textWidth(const QString &text, const ui::Font &font) const
{
    QFont f(font.family);
    f.setPixelSize(font.pixelSize);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    return QFontMetrics(f).horizontalAdvance(text);
}

int FixedTextMetrics::characterWidth(const ui::Font &font)
{
    return (3 * font.pixelSize + 4) / 5 + (font.bold ? 1 : 0);
}

int FixedTextMetrics::textWidth(const QString &text, const ui::Font &font) const
{
    return static_cast<int>(text.size()) * characterWidth(font);
}

} // namespace platform
