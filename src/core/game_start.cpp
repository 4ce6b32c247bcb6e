/** @file game_start.cpp The first step of every game start: the sound players and the devices' start pictures. */
#include "core/app.h"
#include "core/core_handlers.h"
#include "core/form_a1.h"
#include "platform/files.h"

namespace core {

namespace {

/** Sound files in the order their players are opened. */
constexpr const char *SoundFiles[22] = {
    "Telefon.wav",   "Induktor1.wav", "Induktor2.wav", "Induktor3.wav", "Hrtl1.wav",     "Hrtl2.wav",
    "Zvonek1.wav",   "Zvonek2.wav",   "Desticka1.wav", "Desticka2.wav", "Desticka3.wav", "Desticka4.wav",
    "Desticka5.wav", "Desticka6.wav", "IK.wav",        "ID.wav",        "Zavernik.wav",  "Zaver1.wav",
    "Zaver2.wav",    "Zaver3.wav",    "Zaver4.wav",    "Zarazka.wav"};

/** The sound file path: data directory and "/Data/Snd/" joined as they are, found whatever the case of its letters. */
QString soundPath(const QString &dataDir, const char *file)
{
    return platform::resolvePath(dataDir + "/Data/Snd/" + QLatin1String(file));
}

} // namespace

void Start(App &app)
{
    ui::guarded(app.A1(), QStringLiteral("Error 10St"), [&app] {
        const std::vector<ui::MediaPlayer *> players = app.A1().soundPlayers();
        const QString dir = app.dataDir();
        for (size_t i = 0; i < players.size(); ++i) {
            players[i]->setFileName(soundPath(dir, SoundFiles[i]));
            players[i]->open();
        }
        copyStartPictures(app);
    });
}

} // namespace core
