/** @file start_sounds_test.cpp The game start opens WAV files read chunk by chunk, and refuses broken ones with its own code. */
#include "core/timetable_fixture.h"
#include "platform/wave_bytes.h"

namespace {

/** Overwrites a sound of the data directory. */
void writeSound(const TimetableFolder &folder, const QString &name, const QByteArray &bytes)
{
    QFile f(folder.path() + "/Data/Snd/" + name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

} // namespace

TEST(StartSounds, AWaveWithOtherChunksFirstOpens)
{
    TimetableFolder folder;
    writeSound(folder, "Telefon.wav",
               waveOf({riffChunk("LIST", QByteArray("INFOICMT\x04\0\0\0abc\0", 16)), pcmFormatChunk(),
                       riffChunk("data", QByteArray(32, '\0'))}));
    Harness h(folder.path());
    h.click("A0.H9");
    EXPECT_TRUE(h.messages().isEmpty()) << h.messages().join(" | ").toStdString();
    EXPECT_TRUE(h.sounds().contains("open Telefon.wav"));
}

TEST(StartSounds, ACutOrGarbledWaveStopsTheStartWithItsCode)
{
    const std::pair<QByteArray, const char *> broken[] = {
        {goodWave().left(40), "Zvukový soubor je useknutý: "},
        {"RIFF" + leBytes(28, 4) + "WAVE" + QByteArray("\x01\x02\x03\x04garbage garbage garb", 24),
         "Zvukový soubor je useknutý: "},
        {waveOf({pcmFormatChunk()}), "Zvukový soubor nemá data: "},
    };
    for (const auto &[bytes, message] : broken) {
        TimetableFolder folder;
        writeSound(folder, "Induktor2.wav", bytes);
        Harness h(folder.path());
        h.click("A0.H9");
        /* The start's code, the menu button's code, then the failure's own text. */
        ASSERT_EQ(h.messages().size(), 3) << h.messages().join(" | ").toStdString();
        EXPECT_EQ(h.messages().at(0), "Error 10St");
        EXPECT_EQ(h.messages().at(1), "Error 00H9-A.");
        EXPECT_TRUE(h.messages().at(2).startsWith(QString::fromUtf8(message))) << h.messages().at(2).toStdString();
        EXPECT_TRUE(h.messages().at(2).endsWith("Induktor2.wav"));
        /* The players before it opened; it and those after it did not. */
        EXPECT_TRUE(h.sounds().contains("open Induktor1.wav"));
        EXPECT_FALSE(h.sounds().contains("open Induktor2.wav"));
        EXPECT_FALSE(h.sounds().contains("open Induktor3.wav"));
    }
}
