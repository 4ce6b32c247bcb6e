/** @file telephone_lines.h What the telephone needs of each line, and the small helpers its handlers share. */
#pragma once

#include <QColor>
#include <QString>

class App;
struct TimetableRow;

namespace ui {
class Edit;
class Image;
class Memo;
}

namespace telephone {

/** The three lines, in the order every telephone operation visits them. */
enum Line : int { LineA = 0, LineB = 1, LineC = 2 };
/** Every line, in order. */
inline constexpr Line Lines[3] = {LineA, LineB, LineC};

/** The call state of a line is the colour of its message cell `A1.ZpravaX`. */
namespace call {
inline const QColor Idle{255, 255, 255};   ///< White: no call.
inline const QColor Waiting{255, 0, 0};    ///< Red: the neighbour rings.
inline const QColor Active{255, 255, 0};   ///< Yellow: the line is taken on the desk.
} // namespace call

/* The beginnings of the neighbours' messages, each followed by a train number. */
inline const QString OfferWord = QStringLiteral("Nabídka vlaku ");
inline const QString PredictionWord = QStringLiteral("Předvídaný odjezd ");
inline const QString NoticeWord = QStringLiteral("Oznámení odjezdu ");
inline const QString ArrivalWord = QStringLiteral("Telefonická odhláška ");
/** The occupation word of a line that holds no train. */
inline const QString FreeLine = QStringLiteral("Volná");
inline const QString TelephoneMode = QStringLiteral("Telefonika");
inline const QString BlockMode = QStringLiteral("Poloautoblok");

/** @return the line's key on the telephone set: `A6.F0` (A), `A6.F2` (B), `A6.F1` (C). */
ui::Image *lineKey(App &app, Line line);
/**
 * @return the neighbour station's name of the line in one of its forms:
 * 1 nominative (`A1.StaniceA1`), 2 "from" (`A1.StaniceA2`), 3 "at" (`A1.StaniceA3`).
 */
QString neighbourName(App &app, Line line, int form);
/** @return the surname of the line's neighbour dispatcher (`A0.M8`, `A0.N1`, `A0.N4`), read now. */
QString neighbourSurname(App &app, Line line);
/** @return the player's own surname (`A0.M5`), read now. */
QString ownSurname(App &app);
/** @return whether the line's call is active: its message cell is yellow. */
bool isActive(App &app, Line line);

/** Disables the panel's choices: the kind list, the time, the minutes bar and "Sdělit". */
void disableChoices(App &app);

/** @return the time k minutes from now as the clock memos give it, H:MM. */
QString clockTime(App &app, int k);

/** @return line 0 of a memo, empty when the memo has no line. */
QString firstLine(const ui::Memo &memo);
/** Writes line 0 of a memo, creating it when the memo has no line. */
void setFirstLine(ui::Memo &memo, const QString &text);

/**
 * @return a cell's whole minutes as seconds times the factor; a text that
 * is not a number fails with the failure's own text. A fraction of a
 * second is rounded to the nearest whole one.
 */
int minutesAsSeconds(const ui::Edit &cell, int factor);

} // namespace telephone
