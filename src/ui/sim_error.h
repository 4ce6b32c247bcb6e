/** @file sim_error.h The failure that handlers raise, report and pass on. */
#pragma once

#include <QString>

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
 * Reads a text as a decimal integer, as a conversion that fails on a text
 * that is not one.
 * @throws SimError "'x' is not a valid integer value".
 */
inline int integerOf(const QString &text)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok)
        throw SimError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return v;
}

} // namespace ui
