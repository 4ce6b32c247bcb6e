/** @file signal_tables.h The fourteen signals: their lamps on every view and what each aspect word lights. */
#pragma once

#include <array>

namespace signalling {

/** Lamp colours, as bits of a set: a lamp set of 0 lights nothing. */
enum LampColour : int { White = 1, Red = 2, Green = 4, Yellow = 8 };

/** The lamp names of one view for one signal, by colour: white, red, green, yellow; null where it has none. */
using LampNames = std::array<const char *, 4>;

/** The kind of signal, which fixes its aspect list. */
enum class SignalKind {
    Entry, ///< L, ML, S.
    Exit,  ///< L1a, L3, L5, L7, S1, S2, S3, S5, S7.
    Lc1,   ///< The exit signal that also repeats a caution.
    Lc2,   ///< The exit signal without a red track-view lamp for "PN".
};

/** Where one signal shows its aspect. */
struct SignalLamps {
    const char *name;      ///< The signal's name, as the display's choice lists it.
    SignalKind kind;       ///< Its aspect list.
    const char *boxForm;   ///< The box that works it, "A7" or "A8".
    LampNames desk;        ///< Lamps on the desk A6.
    LampNames box;         ///< Lamps on its box.
    LampNames trackView;   ///< Shapes on the track view A5.
    const char *repeater;  ///< Distant-signal repeater lamp on the box (entry signals only).
};

/** The fourteen signals in the order L, ML, S, L1a, Lc1, Lc2, L3, L5, L7, S1, S2, S3, S5, S7. */
inline constexpr std::array<SignalLamps, 14> Signals = {{
    {"L", SignalKind::Entry, "A7", {"LBila", "LCervena", "LZelena", "LZluta"},
     {"LBila", "LCervena", "LZelena", "LZluta"}, {}, "PrL"},
    {"ML", SignalKind::Entry, "A7", {"MLBila", "MLCervena", "MLZelena", "MLZluta"},
     {"MLBila", "MLCervena", "MLZelena", "MLZluta"}, {}, "PrML"},
    {"S", SignalKind::Entry, "A8", {"SBila", "SCervena", "SZelena", "SZluta"}, {"FB", "FA", "F9", "F8"}, {}, "FC"},
    {"L1a", SignalKind::Exit, "A8", {"L1aBila", nullptr, "L1aZelena", nullptr}, {"ET", nullptr, "EU", nullptr}, {},
     nullptr},
    {"Lc1", SignalKind::Lc1, "A8", {"Lc1Bila", nullptr, "Lc1Zelena", "Lc1Zluta"}, {"EM", nullptr, "EN", "EO"},
     {"ME", "MD", "MC", "MB"}, nullptr},
    {"Lc2", SignalKind::Lc2, "A8", {"Lc2Bila", nullptr, "Lc2Zelena", nullptr}, {"EW", nullptr, "EX", nullptr},
     {"OC", "OD", "OB", "OE"}, nullptr},
    {"L3", SignalKind::Exit, "A8", {"L3Bila", nullptr, "L3Zelena", nullptr}, {"EH", nullptr, "EI", nullptr},
     {"KD", "KC", "KB", "KE"}, nullptr},
    {"L5", SignalKind::Exit, "A8", {"L5Bila", nullptr, "L5Zelena", nullptr}, {"EC", nullptr, "ED", nullptr},
     {"ID", "IC", "IB", "IE"}, nullptr},
    {"L7", SignalKind::Exit, "A8", {"L7Bila", nullptr, "L7Zelena", nullptr}, {"E9", nullptr, "EA", nullptr},
     {"GD", "GC", "GB", "GE"}, nullptr},
    {"S1", SignalKind::Exit, "A7", {"S1Bila", nullptr, "S1Zelena", nullptr}, {"S1Bila", nullptr, "S1Zelena", nullptr},
     {"L3", "L2", "L1", "L4"}, nullptr},
    {"S2", SignalKind::Exit, "A7", {"S2Bila", nullptr, "S2Zelena", nullptr}, {"S2Bila", nullptr, "S2Zelena", nullptr},
     {"N3", "N2", "N1", "N4"}, nullptr},
    {"S3", SignalKind::Exit, "A7", {"S3Bila", nullptr, "S3Zelena", nullptr}, {"S3Bila", nullptr, "S3Zelena", nullptr},
     {"J3", "J2", "J1", "J4"}, nullptr},
    {"S5", SignalKind::Exit, "A7", {"S5Bila", nullptr, "S5Zelena", nullptr}, {"S5Bila", nullptr, "S5Zelena", nullptr},
     {"H3", "H2", "H1", "H4"}, nullptr},
    {"S7", SignalKind::Exit, "A7", {"S7Bila", nullptr, "S7Zelena", nullptr}, {"S7Bila", nullptr, "S7Zelena", nullptr},
     {"F3", "F2", "F1", "F4"}, nullptr},
}};

/** Indices of the entry signals, which come first. */
inline constexpr int SignalL = 0, SignalML = 1, SignalS = 2;

/** The five lamps of the display on A1, as bits: upper yellow `C51` .. lower yellow `C55`. */
enum DisplayLamp : int { C51 = 1, C52 = 2, C53 = 4, C54 = 8, C55 = 16 };

/** The colour of an aspect list, which the departures and runs read. */
enum class ListColour { Red, Lime, White };

/** What one aspect word shows; its place in its table is its row of the aspect list. */
struct AspectRow {
    const char *word;     ///< The aspect word (UTF-8).
    int lamps;            ///< Desk and box lamps lit (LampColour bits).
    int trackView;        ///< Track-view shapes lit.
    ListColour list;      ///< Colour of the aspect list.
    bool repeaterDark;    ///< The distant-signal repeater goes dark (entry signals).
    int display;          ///< Display lamps lit when the display shows this signal.
};

inline constexpr AspectRow EntryAspects[] = {
    {"Stůj", Red, 0, ListColour::Red, true, C53},
    {"Volno", Green, 0, ListColour::Lime, false, C52},
    {"Výstraha", Yellow, 0, ListColour::Lime, false, C51},
    {"40 a volno", Green, 0, ListColour::Lime, false, C52 | C55},
    {"40 a výstraha", Yellow, 0, ListColour::Lime, false, C51 | C55},
    {"40 a 40", Yellow, 0, ListColour::Lime, false, C55},
    {"PN", Red, 0, ListColour::Lime, true, C53},
    {"Porucha", 0, 0, ListColour::Red, true, 0},
};

inline constexpr AspectRow ExitAspects[] = {
    {"Stůj", 0, Red, ListColour::Red, false, C53},
    {"Volno", Green, Green, ListColour::Lime, false, C52},
    {"40 a volno", Green, Green | Yellow, ListColour::Lime, false, C52 | C55},
    {"Posun dovolen", White, White, ListColour::White, false, C54},
    {"PN", 0, Red, ListColour::Lime, false, C53},
    {"Porucha", 0, 0, ListColour::Red, false, 0},
};

inline constexpr AspectRow Lc1Aspects[] = {
    {"Stůj", 0, Red, ListColour::Red, false, C53},
    {"Volno", Green, Green, ListColour::Lime, false, C52},
    {"Opak.výstrahy", Yellow | White, Yellow | White, ListColour::Lime, false, C51 | C54},
    {"Posun dovolen", White, White, ListColour::White, false, C54},
    {"PN", 0, Red, ListColour::Lime, false, C53},
    {"Porucha", 0, 0, ListColour::Red, false, 0},
};

/** Lc2 is an exit signal whose "PN" lights no red on the track view and no lamp of the display. */
inline constexpr AspectRow Lc2Aspects[] = {
    {"Stůj", 0, Red, ListColour::Red, false, C53},
    {"Volno", Green, Green, ListColour::Lime, false, C52},
    {"40 a volno", Green, Green | Yellow, ListColour::Lime, false, C52 | C55},
    {"Posun dovolen", White, White, ListColour::White, false, C54},
    {"PN", 0, 0, ListColour::Lime, false, 0},
    {"Porucha", 0, 0, ListColour::Red, false, 0},
};

} // namespace signalling
