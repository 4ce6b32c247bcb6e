/** @file sim_error.h The failure that handlers raise, report and pass on. */
#pragma once

#include <QString>

#include <optional>
#include <stdexcept>

namespace ui {

/**
 * A failure inside an event. Its text is what the default error report
 * shows; handlers that guard their body show their own code first and
 * pass the failure on.
 */
class SimError : public std::runtime_error {
public:
    explicit SimError(const QString &text)
        : std::runtime_error(text.toStdString()), m_text(text) {}

    /** @return the failure's own text, as the default error report shows it. */
    const QString &text() const { return m_text; }

private:
    QString m_text; ///< Czech or technical text of the failure.
};

/** @return the text of any exception caught by a guard. */
inline QString failureText(const std::exception &e)
{
    if (auto *s = dynamic_cast<const SimError *>(&e))
        return s->text();
    return QString::fromUtf8(e.what());
}

/**
 * @return the number of a plain decimal text of up to nine digits, with a
 *         leading minus or none ("42", "-7", "007"), read without Qt's
 *         locale machinery; nothing for any other text.
 */
inline std::optional<int> plainDecimal(QStringView text)
{
    const qsizetype n = text.size();
    const qsizetype first = n > 0 && text[0] == u'-' ? 1 : 0;
    if (n <= first || n - first > 9)
        return std::nullopt;
    int v = 0;
    for (qsizetype k = first; k < n; ++k) {
        if (text[k] < u'0' || text[k] > u'9')
            return std::nullopt;
        v = v * 10 + (text[k].unicode() - u'0');
    }
    return first ? -v : v;
}

/**
 * Reads a text as a decimal integer, as a conversion that fails on a text
 * that is not one.
 * @throws SimError "'x' is not a valid integer value".
 */
inline int integerOf(const QString &text)
{
    /* Plain decimals, as the clock and the cells hold them, are read by hand. */
    if (const std::optional<int> plain = plainDecimal(text))
        return *plain;
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok)
        throw SimError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return v;
}

} // namespace ui
