/** @file sounds.cpp Sounding the state store's sound players, only while the player has sounds switched on. */
#include "core/sounds.h"

#include "core/app.h"
#include "core/form_a1.h"

namespace core {

namespace {

/** @return whether the player is there and sounds are switched on. */
bool soundsOn(const App &app, const ui::MediaPlayer *player)
{
    return player && app.A1().Zvuky->checked();
}

} // namespace

void playSound(App &app, ui::MediaPlayer *player)
{
    if (soundsOn(app, player))
        player->play();
}

void stopSound(App &app, ui::MediaPlayer *player)
{
    if (soundsOn(app, player))
        player->stop();
}

void rewindSound(App &app, ui::MediaPlayer *player)
{
    if (soundsOn(app, player))
        player->rewind();
}

} // namespace core
