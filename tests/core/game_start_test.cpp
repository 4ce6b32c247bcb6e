/** @file game_start_test.cpp Game start: the 22 sound players, the 62 start pictures and the sounds option. */
#include "core/app.h"
#include "core/form_a1.h"
#include "core/sounds.h"
#include "harness/harness.h"
#include "ui/controls.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

/** The sound files in the order their players open. */
const QStringList SoundFiles = {
    "Telefon.wav",   "Induktor1.wav", "Induktor2.wav", "Induktor3.wav", "Hrtl1.wav",  "Hrtl2.wav",
    "Zvonek1.wav",   "Zvonek2.wav",   "Desticka1.wav", "Desticka2.wav", "Desticka3.wav", "Desticka4.wav",
    "Desticka5.wav", "Desticka6.wav", "IK.wav",        "ID.wav",        "Zavernik.wav", "Zaver1.wav",
    "Zaver2.wav",    "Zaver3.wav",    "Zaver4.wav",    "Zarazka.wav"};

/** @return the recorded calls "open X" for the first n sound files. */
QStringList opened(int n)
{
    QStringList calls;
    for (int i = 0; i < n; ++i)
        calls << "open " + SoundFiles[i];
    return calls;
}

/** @return the 62 start pictures as (target, source), in their copying order. */
std::vector<std::pair<QString, QString>> startPictures()
{
    std::vector<std::pair<QString, QString>> list = {
        {"A6.InduktorB", "A6.InduktorA"},     {"A6.InduktorB2", "A6.InduktorA2"},
        {"A7.Induktor", "A6.InduktorA"},      {"A7.Induktor2", "A6.InduktorA2"}};
    for (const char *t : {"PakaZavB", "PakaNavBDo", "PakaSouLc1", "PakaNavMOd", "PakaZavM", "PakaNavMDo", "PakaZavCH",
                          "PakaTSCH"})
        list.push_back({QString("A6.") + t, "A6.PakaNavBOd"});
    list.insert(list.end(), {{"A6.PakaNavCHOd", "A6.PakaNavCHDo"}, {"A7.PakaNavBOd", "A6.PakaNavCHDo"},
                             {"A7.PakaZavB", "A6.PakaNavBOd"},     {"A7.PakaNavBDo", "A6.PakaNavCHDo"},
                             {"A7.PakaNavMOd", "A6.PakaNavCHDo"},  {"A7.PakaZavM", "A6.PakaNavBOd"},
                             {"A7.PakaNavMDo", "A6.PakaNavCHDo"},  {"A8.PakaZavCH", "A8.PakaSouLc1"},
                             {"A8.PakaNavCHOd", "A8.PakaNavCHDo"}, {"A6.KnoflikB", "A6.KnoflikA"},
                             {"A6.KnoflikC", "A6.KnoflikA"}});
    for (const char *lock : {"A", "B", "C", "D"})
        list.push_back({QString("A6.Zavernik") + lock, "A3.Zavernik0"});
    list.insert(list.end(), {{"A6.ZavernikE", "A3.ZavernikP"}, {"A6.VUDL2", "A6.VUDL1"}, {"A6.VUDTlo", "A6.VUDTlv"}});
    for (int n = 2; n <= 11; ++n)
        list.push_back({QString("A7.Paka%1a").arg(n), "A7.Paka1a"});
    for (int n = 1; n <= 11; ++n)
        list.push_back({QString("A7.Paka%1b").arg(n), n == 3 || n == 7 || n == 9 ? "A3.PakaH" : "A3.PakaD"});
    for (int n = 1; n <= 11; ++n)
        list.push_back({QString("A7.Paka%1c").arg(n), n == 11 ? "A3.Paka4" : "A3.Paka1"});
    return list;
}

/** Records which images of the desk and the boxes change, in order, each run of changes once. */
class ChangedImages : public ui::FormObserver {
public:
    void controlChanged(ui::Control *c) override
    {
        if (c->kind() != ui::Kind::Image)
            return;
        const QString name = c->form()->name() + "." + c->name();
        if (names.isEmpty() || names.back() != name)
            names << name;
    }
    void controlLayoutChanged(ui::Control *) override {}
    void formStateChanged() override {}

    QStringList names; ///< Full names of the changed images.
};

/** A data directory holding the shipped sound files, less some. */
class SoundDir {
public:
    explicit SoundDir(const QStringList &left = {})
    {
        const QDir from(QStringLiteral(KAMENNA_SOURCE_DATA_DIR "/Data/Snd"));
        QDir().mkpath(snd());
        for (const QString &f : SoundFiles) {
            if (!left.contains(f)) {
                EXPECT_TRUE(QFile::copy(from.filePath(f), snd() + "/" + f)) << f.toStdString();
            }
        }
    }
    QString path() const { return m_dir.path(); }
    QString snd() const { return m_dir.path() + "/Data/Snd"; }
    /** Puts a shipped file back. */
    void restore(const QString &f) const
    {
        QFile::remove(snd() + "/" + f);
        ASSERT_TRUE(QFile::copy(QStringLiteral(KAMENNA_SOURCE_DATA_DIR "/Data/Snd/") + f, snd() + "/" + f));
    }
    /** Overwrites a file with a RIFF file of another kind than a WAV sound. */
    void spoil(const QString &f) const
    {
        QFile file(snd() + "/" + f);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QByteArray avi("RIFF\x24\0\0\0AVI LIST", 16);
        avi.append(64, '\0');
        file.write(avi);
    }

private:
    QTemporaryDir m_dir;
};

/** @return how many of the store's players are open. */
int openPlayers(Harness &h)
{
    int n = 0;
    for (ui::MediaPlayer *p : h.app().A1().soundPlayers())
        n += p->isOpen();
    return n;
}

/** @return the picture an image holds. */
const QImage &pictureOf(Harness &h, const QString &name)
{
    return h.as<ui::Image>(name).picture();
}

/** Expects every start picture's target to hold exactly its source's picture. */
void expectStartPictures(Harness &h)
{
    for (const auto &[target, source] : startPictures()) {
        const QImage &pic = pictureOf(h, target);
        EXPECT_FALSE(pic.isNull()) << target.toStdString();
        EXPECT_EQ(pic.cacheKey(), pictureOf(h, source).cacheKey()) << target.toStdString() << " from " << source.toStdString();
    }
}

/** Expects no start picture's target to hold a picture yet. */
void expectNoStartPictures(Harness &h)
{
    for (const auto &entry : startPictures())
        EXPECT_TRUE(pictureOf(h, entry.first).isNull()) << entry.first.toStdString();
}

} // namespace

TEST(GameStartSounds, OpensTheTwentyTwoPlayersInOrderAndCopiesTheStartPicturesInOrder)
{
    ChangedImages changes;
    SoundDir dir;
    Harness h(dir.path());
    expectNoStartPictures(h);
    for (const char *form : {"A6", "A7", "A8"})
        dynamic_cast<ui::Form &>(h.control(form)).setObserver(&changes);

    h.click("A0.H9");

    EXPECT_TRUE(h.messages().isEmpty()) << h.messages().join(" | ").toStdString();
    EXPECT_EQ(h.sounds(), opened(22));
    EXPECT_EQ(openPlayers(h), 22);
    EXPECT_EQ(h.as<ui::MediaPlayer>("A1.SndZarazka").fileName(), dir.snd() + "/Zarazka.wav");
    expectStartPictures(h);
    QStringList targets;
    for (const auto &entry : startPictures())
        targets << entry.first;
    EXPECT_EQ(changes.names, targets);
    for (const char *form : {"A6", "A7", "A8"})
        dynamic_cast<ui::Form &>(h.control(form)).setObserver(nullptr);
    EXPECT_EQ(h.text("A0.H8"), "Pokračovat");
}

TEST(GameStartSounds, DevicesThatSizeThemselvesTakeTheirStartPicturesSize)
{
    Harness h;
    h.click("A0.H9");
    EXPECT_EQ(h.control("A6.ZavernikA").bounds(), QRect(1348, 760, 19, 58));
    EXPECT_EQ(h.control("A6.ZavernikE").bounds(), QRect(2287, 760, 42, 55));
    EXPECT_EQ(h.control("A7.Induktor").bounds().size(), QSize(40, 40));
    EXPECT_EQ(h.control("A7.Induktor2").bounds().size(), QSize(6, 6));
    EXPECT_EQ(h.control("A7.Paka3b").bounds().size(), QSize(48, 418));
    EXPECT_EQ(h.control("A7.Paka11c").bounds().size(), QSize(31, 274));
    /* The magneto glows and the approach lamps stay dark until something lights them. */
    for (const char *dark : {"A6.InduktorA2", "A6.InduktorB2", "A7.Induktor2", "A6.VUDL1", "A6.VUDL2"})
        EXPECT_FALSE(h.visible(dark)) << dark;
}

TEST(GameStartSounds, AMissingFirstSoundFailsAtOnceAndCopiesNothing)
{
    SoundDir dir({"Telefon.wav"});
    Harness h(dir.path());
    h.click("A0.H9");
    ASSERT_EQ(h.messages().size(), 3);
    EXPECT_EQ(h.messages()[0], "Error 10St");
    EXPECT_EQ(h.messages()[1], "Error 00H9-A.");
    EXPECT_TRUE(h.messages()[2].contains("Telefon.wav")) << h.messages()[2].toStdString();
    EXPECT_EQ(h.sounds(), QStringList{"fail Telefon.wav"});
    EXPECT_EQ(openPlayers(h), 0);
    expectNoStartPictures(h);
    EXPECT_EQ(h.text("A0.H8"), "Spustit hru");
}

TEST(GameStartSounds, AMissingLastSoundLeavesTwentyOneOpenAndTheNextStartAfterItsReturnCompletes)
{
    SoundDir dir({"Zarazka.wav"});
    Harness h(dir.path());
    h.click("A0.H9");
    EXPECT_EQ(h.sounds(), opened(21) << "fail Zarazka.wav");
    EXPECT_EQ(openPlayers(h), 21);
    EXPECT_FALSE(h.as<ui::MediaPlayer>("A1.SndZarazka").isOpen());
    ASSERT_EQ(h.messages().size(), 3);
    EXPECT_EQ(h.messages()[0], "Error 10St");
    expectNoStartPictures(h);
    EXPECT_EQ(h.text("A0.H8"), "Spustit hru");
    EXPECT_TRUE(h.visible("A0"));

    dir.restore("Zarazka.wav");
    h.clearMessages();
    h.click("A0.H9");
    EXPECT_TRUE(h.messages().isEmpty()) << h.messages().join(" | ").toStdString();
    EXPECT_EQ(h.sounds().mid(22), opened(22));
    EXPECT_EQ(openPlayers(h), 22);
    expectStartPictures(h);
    EXPECT_EQ(h.text("A0.H8"), "Pokračovat");
    EXPECT_TRUE(h.visible("A6"));
}

TEST(GameStartSounds, ASoundWithoutAWaveHeaderFailsLikeAMissingOne)
{
    SoundDir dir;
    dir.spoil("Induktor2.wav");
    Harness h(dir.path());
    h.click("A0.H9");
    EXPECT_EQ(h.sounds(), opened(2) << "fail Induktor2.wav");
    EXPECT_EQ(openPlayers(h), 2);
    ASSERT_EQ(h.messages().size(), 3);
    EXPECT_EQ(h.messages()[0], "Error 10St");
    EXPECT_EQ(h.messages()[1], "Error 00H9-A.");
    EXPECT_TRUE(h.messages()[2].contains("Induktor2.wav")) << h.messages()[2].toStdString();
    expectNoStartPictures(h);
    EXPECT_EQ(h.text("A0.H8"), "Spustit hru");
}

TEST(GameStartSounds, WithSoundsOffThePlayersStillOpenAndAMissingFileStillStopsTheStart)
{
    {
        Harness h;
        h.check("A1.Zvuky", false);
        h.click("A0.H9");
        EXPECT_EQ(h.sounds(), opened(22));
        EXPECT_EQ(h.text("A0.H8"), "Pokračovat");
    }
    SoundDir dir({"Zaver4.wav"});
    Harness h(dir.path());
    h.check("A1.Zvuky", false);
    h.click("A0.H9");
    EXPECT_EQ(h.sounds(), opened(20) << "fail Zaver4.wav");
    ASSERT_FALSE(h.messages().isEmpty());
    EXPECT_EQ(h.messages()[0], "Error 10St");
    EXPECT_EQ(h.text("A0.H8"), "Spustit hru");
}

TEST(GameStartSounds, APlayerSoundsOnlyWhileSoundsAreOnAndOnlyOnceOpen)
{
    Harness h;
    App &app = h.app();
    /* Before the game start the players are closed: nothing sounds, nothing fails. */
    core::playSound(app, app.A1().SndTelefon);
    EXPECT_TRUE(h.sounds().isEmpty());
    EXPECT_TRUE(h.messages().isEmpty());

    h.click("A0.H9");
    const int before = h.sounds().size();
    core::playSound(app, app.A1().SndTelefon);
    core::stopSound(app, app.A1().SndTelefon);
    core::rewindSound(app, app.A1().SndTelefon);
    EXPECT_EQ(h.sounds().mid(before), (QStringList{"play Telefon.wav", "stop Telefon.wav", "rewind Telefon.wav"}));

    h.check("A1.Zvuky", false);
    core::playSound(app, app.A1().SndZarazka);
    core::stopSound(app, app.A1().SndZarazka);
    core::rewindSound(app, app.A1().SndZarazka);
    EXPECT_EQ(h.sounds().size(), before + 3);

    h.check("A1.Zvuky", true);
    core::playSound(app, app.A1().SndZarazka);
    EXPECT_EQ(h.sounds().back(), "play Zarazka.wav");
}

TEST(GameStartSounds, ASecondGameOpensTheNewStoresPlayersAndGivesTheNewDevicesTheirPictures)
{
    Harness h;
    h.click("A0.H9");
    h.click("A0.H5");
    /* The new store's players were never opened: they have no file yet. */
    EXPECT_EQ(openPlayers(h), 0);
    EXPECT_EQ(h.as<ui::MediaPlayer>("A1.SndTelefon").fileName(), "");
    expectNoStartPictures(h);

    h.click("A0.H9");
    EXPECT_TRUE(h.messages().isEmpty()) << h.messages().join(" | ").toStdString();
    EXPECT_EQ(h.sounds().mid(22), opened(22));
    EXPECT_EQ(openPlayers(h), 22);
    expectStartPictures(h);
    EXPECT_EQ(h.text("A0.H8"), "Pokračovat");
}
