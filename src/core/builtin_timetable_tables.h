/** @file builtin_timetable_tables.h The built-in day: 7 fast trains and 18 passenger trains, fixed in the program. */
#pragma once

namespace core {

/**
 * One train of the built-in day. The lines are 'A', 'B' or 'C'; the
 * station name of a line is read from `A1.StaniceA1`, `A1.StaniceB1` or
 * `A1.StaniceC1` when the train is placed. Times are the texts the cells
 * show; the trigger lies ten minutes before the neighbour's departure.
 */
struct BuiltinTrain {
    const char *number;             ///< "Číslo".
    char from;                      ///< Line it comes from.
    const char *neighbourDeparture; ///< "Odj.s.".
    const char *arrival;            ///< "Příj.".
    const char *runningTimeFrom;    ///< "J.d." from the neighbour, minutes.
    const char *departure;          ///< "Odj.".
    const char *neighbourArrival;   ///< "Příj.s.".
    const char *runningTimeTo;      ///< "J.d." to the neighbour, minutes.
    char to;                        ///< Line it leaves by.
    const char *trigger;            ///< Clock text "H:MM" at which it falls due.
};

/** Fast trains: group A, rows 1-4, in list order. */
inline constexpr BuiltinTrain kBuiltinFastTrains[] = {
    {"1911", 'C', "5:02", "5:09", "7", "5:15", "5:25", "10", 'A', "4:52"},
    {"1910", 'A', "9:47", "9:59", "12", "10:06", "10:12", "6", 'C', "9:37"},
    {"1913", 'C', "11:39", "11:46", "7", "11:53", "12:04", "11", 'A', "11:29"},
    {"647", 'B', "13:16", "13:25", "9", "13:27", "13:33", "6", 'C', "13:06"},
    {"1915", 'C', "15:21", "15:28", "7", "15:29", "15:39", "10", 'A', "15:11"},
    {"646", 'C', "17:07", "17:14", "7", "17:15", "17:26", "11", 'B', "16:57"},
    {"1916", 'A', "20:15", "20:27", "12", "20:28", "20:35", "7", 'C', "20:05"},
};

/** Passenger trains: group B, rows 5-9, in list order. */
inline constexpr BuiltinTrain kBuiltinPassengerTrains[] = {
    {"6020", 'A', "4:52", "5:05", "13", "6:27", "6:39", "12", 'A', "4:42"},
    {"2610", 'B', "4:55", "5:08", "13", "5:18", "5:25", "7", 'C', "4:45"},
    {"2620", 'C', "6:17", "6:24", "7", "6:25", "6:36", "11", 'B', "6:07"},
    {"6010", 'A', "7:40", "7:54", "14", "8:07", "8:19", "12", 'A', "7:30"},
    {"2601", 'B', "7:45", "7:57", "12", "8:00", "8:08", "8", 'C', "7:35"},
    {"2622", 'C', "7:50", "7:58", "8", "8:00", "8:12", "12", 'B', "7:40"},
    {"2624", 'C', "9:21", "9:28", "7", "9:35", "9:51", "16", 'B', "9:11"},
    {"6022", 'A', "9:20", "9:31", "11", "9:34", "9:48", "14", 'A', "9:10"},
    {"2631", 'B', "9:50", "10:03", "13", "11:49", "11:59", "10", 'B', "9:40"},
    {"2613", 'B', "11:37", "11:47", "10", "11:48", "11:55", "7", 'C', "11:27"},
    {"6012", 'A', "13:08", "13:22", "14", "14:00", "14:11", "11", 'A', "12:58"},
    {"2615", 'B', "13:26", "13:36", "10", "13:37", "13:46", "9", 'C', "13:16"},
    {"2664", 'C', "13:45", "13:53", "8", "13:54", "14:05", "11", 'B', "13:35"},
    {"2617", 'B', "15:10", "15:23", "13", "15:29", "15:36", "7", 'C', "15:00"},
    {"2633", 'B', "15:51", "16:04", "13", "16:25", "16:36", "11", 'A', "15:41"},
    {"6002", 'A', "15:54", "16:06", "12", "16:09", "16:16", "7", 'C', "15:44"},
    {"2602", 'C', "16:00", "16:07", "7", "16:08", "16:18", "10", 'B', "15:50"},
    {"6024", 'A', "16:56", "17:09", "13", "17:17", "17:28", "11", 'A', "16:46"},
};

/** Fast trains in the list; their flags come first in `BuiltinTrainFlags`, the passenger trains' after them. */
inline constexpr int kBuiltinFastCount = sizeof(kBuiltinFastTrains) / sizeof(kBuiltinFastTrains[0]);
/** Passenger trains in the list. */
inline constexpr int kBuiltinPassengerCount = sizeof(kBuiltinPassengerTrains) / sizeof(kBuiltinPassengerTrains[0]);

} // namespace core
