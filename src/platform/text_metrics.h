/** @file text_metrics.h How wide a text is in a control's font: measured by Qt, or by a fixed rule in tests. */
#pragma once

#include <QString>

namespace ui {
struct Font;
}

namespace platform {

/** Measures texts for the controls that size themselves to their text. */
class TextMetrics {
public:
    virtual ~TextMetrics() = default;
    /** @return the width in pixels of a text drawn on one line in this font. */
    virtual int textWidth(const QString &text, const ui::Font &font) const = 0;
};

/** The real measure: Qt's font metrics of the font as the front draws it. */
class QtTextMetrics : public TextMetrics {
public:
    int textWidth(const QString &text, const ui::Font &font) const override;
};

/**
 * The test platform's measure, the same on every machine: each character
 * (UTF-16 unit) of the text is three fifths of the font's pixel size wide,
 * rounded up, and one pixel more in bold. Bold Verdana of 13 px gives
 * 9 px a character.
 */
class FixedTextMetrics : public TextMetrics {
public:
    int textWidth(const QString &text, const ui::Font &font) const override;
    /** @return the width of one character in this font under the rule. */
    static int characterWidth(const ui::Font &font);
};

} // namespace platform
