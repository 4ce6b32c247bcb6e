/** @file sounds.h Sounding the state store's sound players, only while the player has sounds switched on. */
#pragma once

class App;

namespace ui {
class MediaPlayer;
}

namespace core {

/**
 * Plays a sound player from its current position (from the start once its
 * sound has run to the end), only while `A1.Zvuky` is checked. A player
 * that is not open (none or a failed game start) stays silent.
 */
void playSound(App &app, ui::MediaPlayer *player);

/** Stops a sound player where it is, only while `A1.Zvuky` is checked; `player->stop()` stops it always. */
void stopSound(App &app, ui::MediaPlayer *player);

/** Moves a sound player back to its start without playing, only while `A1.Zvuky` is checked. */
void rewindSound(App &app, ui::MediaPlayer *player);

} // namespace core
