/** @file czech_plural.cpp A count with its noun in the Czech plural form the count takes. */
#include "platform/czech_plural.h"

namespace platform {

QString czechCount(qint64 count, const QString &one, const QString &few, const QString &many)
{
    /* Only 1 and 2 to 4 themselves take their own forms: 22 takes the form of 5 ("22 řádků"). */
    const qint64 n = count < 0 ? -count : count;
    const QString &noun = n == 1 ? one : (n >= 2 && n <= 4 ? few : many);
    return QString::number(count) + QLatin1Char(' ') + noun;
}

} // namespace platform
