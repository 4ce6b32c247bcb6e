/** @file track_model.h The five station tracks of the track view: slots, signals, lamps, markers and registers. */
#pragma once

#include "ui/controls.h"

#include <array>

/** Vehicle slots of one station track. */
inline constexpr int kTrackSlots = 10;

/** The platforms' shapes between the rows, which the frame widens, moves and hides together. */
inline constexpr std::array<const char *, 15> kPlatformNames = {
    "Peron1a", "Peron1b", "Peron1c", "Peron1d", "Peron2a", "Peron2b", "Peron3a", "Peron3b",
    "Peron3c", "Peron3d", "Peron5a", "Peron5b", "Peron5c", "Peron5d", "Peron7a"};

/**
 * One station track of the track view A5. Slot 1 is the end towards side
 * A/B (lines A and B, signal box 1), slot 10 the end towards side C.
 * Every member is a control of A5 that other code also finds by its name.
 */
struct TrackRow {
    int number = 0;             ///< Station track: 7, 5, 3, 1 or 2.
    QChar letter;               ///< Row letter of the slots and the left signal (F, H, J, L, N).
    QChar rightLetter;          ///< Letter of the right signal (G, I, K, M, O).
    int top = 0;                ///< Row top inside `A5.D5`.
    std::array<ui::Image *, kTrackSlots> vehicleSlots{}; ///< Vehicle slots `x5` .. `xE`, left to right.
    ui::Image *leftSignal = nullptr;   ///< `x0`: the side-A/B exit signal (S7, S5, S3, S1, S2).
    std::array<ui::Shape *, 4> leftLamps{}; ///< `x1` .. `x4`: green, red, white, yellow.
    ui::Image *rightSignal = nullptr;  ///< `GA`, `IA`, `KA`, `MA`, `OA`: the side-C exit signal.
    std::array<ui::Shape *, 4> rightLamps{}; ///< `yB` .. `yE`, top to bottom.
    ui::Shape *bar = nullptr;    ///< `KolejN`: the track bar (not the store's occupation cell).
    ui::Shape *rail = nullptr;   ///< `KolejniceN`.
    ui::Image *stop = nullptr;   ///< `StopN`: where an arriving train stops; hidden at creation.
    ui::Image *target = nullptr; ///< `CilN`: board of the train's target station; hidden at creation.
    ui::Edit *posun = nullptr;   ///< `PosunN`: loco slot "1" or "10", "0" none; colour white coupled, yellow alone.
    ui::SpinEdit *speed = nullptr;     ///< `RychlostN`: shunting speed.
    ui::SpinEdit *shuntStage = nullptr; ///< `StavPosunN`: shunting stage -3 .. 3.
    ui::Timer *shuntLeft = nullptr;    ///< `TimerPosunNL` (track 3: `Timerposun3L`).
    ui::Timer *shuntRight = nullptr;   ///< `TimerPosunNP`.
    ui::Edit *orderLeft = nullptr;     ///< `RozkazNL`: written order for the side-A/B exit signal.
    ui::Edit *orderRight = nullptr;    ///< `RozkazNP`: written order for the side-C exit signal(s).
    ui::Edit *targetStation = nullptr; ///< `CilZSTN`: the target station's name.
};

/** The track view's model: the five rows, top to bottom, and the registers shared by all tracks. */
struct TrackViewModel {
    std::array<TrackRow, 5> rows; ///< Tracks 7, 5, 3, 1, 2 in this order.
    ui::Image *overview = nullptr; ///< `Prehled`: the station building behind the tracks.
    /** `Peron1a` .. `Peron7a`: the platforms' surfaces, edges and lines, in kPlatformNames order. */
    std::array<ui::Shape *, 15> platforms{};
    ui::Image *throatLeft = nullptr;  ///< `ZhlaviL`: the points at the side-A/B end, at the left edge.
    ui::Image *throatRight = nullptr; ///< `ZhlaviP`: the points at the side-C end, kept at the right edge.
    ui::GroupBox *drives = nullptr; ///< Hidden group 'Hnací vozidla'.
    ui::GroupBox *info = nullptr;   ///< `GroupBox2` 'Info', hidden.
    ui::Edit *PosunA = nullptr;     ///< Loco slot of a shunting unit beyond side A.
    ui::Edit *PosunB = nullptr;     ///< Beyond side B.
    ui::Edit *PosunC = nullptr;     ///< Beyond side C.
    /** Board pictures `CilDefault`, `CilRadosov`, ... copied into the `CilN` images. */
    std::array<ui::Image *, 8> boards{};

    /** @return the row of station track n (1, 2, 3, 5, 7), or null for any other number. */
    TrackRow *track(int n);
};

/**
 * Gives every slot of a track the empty picture `empty`. A train or unit
 * that has wholly left the view leaves no copy of itself behind, which the
 * pull and creep buttons of the shunting panel could drag back into view.
 */
void emptySlots(TrackRow &row, const ui::Image &empty);

/**
 * Builds the track model inside the content group d5 of the track view:
 * the station building, the platforms and both throats behind the rows,
 * the five rows with their slots, signals, lamps and markers at their
 * design places, and the hidden registers.
 */
void buildTrackModel(ui::Form &a5, ui::Control *d5, TrackViewModel &model);

/** @return the named picture of the track view's artwork (":/trackview/<name>.bmp"); a null picture when missing. */
QImage trackViewPicture(const QString &name);
