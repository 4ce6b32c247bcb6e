/** @file czech_plural.h A count with its noun in the Czech plural form the count takes. */
#pragma once

#include <QString>

namespace platform {

/**
 * @return the count and the noun in the form Czech gives it after that
 *         count: "1 řádek", "3 řádky", "5 řádků", "0 řádků".
 * @param one the form after 1 ("řádek").
 * @param few the form after 2, 3 and 4 ("řádky").
 * @param many the form after 0 and 5 on ("řádků").
 */
QString czechCount(qint64 count, const QString &one, const QString &few, const QString &many);

} // namespace platform
