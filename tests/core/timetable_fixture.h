/** @file timetable_fixture.h A data directory of the tests' own timetables, and helpers to pick one and start a game. */
#pragma once

#include "harness/harness.h"
#include "platform/cp1250.h"
#include "platform/files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

#include <gtest/gtest.h>

/**
 * One train line in the file's fixed columns; the defaults make a
 * passenger train from line A (7:15) to line C (7:25) with three vehicles.
 */
struct TrainLineText {
    QString group = "17";          ///< Columns 1-2.
    QString number = "05401";      ///< Columns 3-7.
    QString from = "1";            ///< Column 8.
    QString neighbourDeparture = "0715"; ///< Columns 9-12.
    QString arrival = "0722";      ///< Columns 13-16.
    QString runningTimeFrom = "07"; ///< Columns 17-18.
    QString track = "2";           ///< Column 21.
    QString stop = "0";            ///< Column 22.
    QString to = "3";              ///< Column 23.
    QString departure = "0725";    ///< Columns 24-27.
    QString neighbourArrival = "0735"; ///< Columns 28-31.
    QString runningTimeTo = "10";  ///< Columns 32-33.
    QString vehicles = "001007007000000000000000000000"; ///< Columns 38-67.
    QString note;                  ///< Column 68 on.

    /** @return the line as the file holds it. */
    QString text() const
    {
        return group + number + from + neighbourDeparture + arrival + runningTimeFrom + "  " + track + stop + to +
               departure + neighbourArrival + runningTimeTo + "    " + vehicles + note;
    }
};

/**
 * A data directory in a temporary folder: the repository's sounds,
 * vehicles file and vehicle pictures, and a folder "Gvd" for the
 * timetables a test writes.
 */
class TimetableFolder {
public:
    TimetableFolder()
    {
        const QString source = QStringLiteral(KAMENNA_SOURCE_DATA_DIR);
        copyFolder(source + "/Data/Snd", path() + "/Data/Snd");
        copyFolder(source + "/Vozidla", path() + "/Vozidla");
        QFile::copy(source + "/Vozidla.txt", path() + "/Vozidla.txt");
        QDir(path()).mkpath("Gvd");
    }

    QString path() const { return m_dir.path(); }

    /** Writes a text file of the data directory in Windows-1250 with CR LF line ends. */
    void writeText(const QString &relative, const QStringList &lines) const
    {
        QFile f(path() + "/" + relative);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        for (const QString &l : lines)
            f.write(platform::encodeCp1250(l) + "\r\n");
    }

    /** Writes "Gvd/<name>": a valid header with title, vehicles file and line-6 switch, then the train lines. */
    void writeTimetable(const QString &name, const QStringList &trains, const QString &title = "Zkušební grafikon",
                        const QString &line6 = "Horní Lom", const QString &vehicles = "Vozidla.txt") const
    {
        QStringList lines{title, "Kobrant ŽST Kamenná", "num-code", "", "", vehicles, line6};
        while (lines.size() < 30)
            lines << QString();
        writeText("Gvd/" + name, lines + trains);
    }

private:
    static void copyFolder(const QString &from, const QString &to)
    {
        QDir().mkpath(to);
        for (const QString &f : QDir(from).entryList(QDir::Files))
            QFile::copy(from + "/" + f, to + "/" + f);
    }

    QTemporaryDir m_dir;
};

/**
 * Makes the folder "Obr" of a data directory as a vehicles pack holds it:
 * 2,000 empty files and the folder "d", and in it a copy of a file of the
 * repository's data directory under another name. What a path costs in it
 * is counted in listings, which its size does not change.
 */
inline void writeCrowdedObr(const QString &dataDir, const QString &copied, const QString &name)
{
    const QString obr = dataDir + "/Obr";
    ASSERT_TRUE(QDir(dataDir).mkpath("Obr/d"));
    for (int i = 0; i < 2000; ++i) {
        QFile file(obr + QStringLiteral("/f%1.bmp").arg(i));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QFile::copy(QStringLiteral(KAMENNA_SOURCE_DATA_DIR) + "/" + copied, obr + "/" + name));
}

/** Moves the pointer over the timetable choice and clicks it: the next timetable is picked. */
inline void pickNextTimetable(Harness &h)
{
    h.moveOver("A0.G6", 5, 5);
    h.click("A0.G6");
}

/** Sets the menu's start time and starts a game. */
inline void startGameAt(Harness &h, int hour, int minute)
{
    h.as<ui::Label>("A0.H1").setCaption(QString::number(hour));
    h.as<ui::Label>("A0.H3").setCaption(QStringLiteral("%1").arg(minute, 2, 10, QChar('0')));
    h.click("A0.H9");
}

/** A game on the tests' own timetable: the file is picked and the game started at 7:00. */
struct FileGame {
    explicit FileGame(const QStringList &trains, int hour = 7, int minute = 0)
    {
        folder.writeTimetable("test.t6g", trains);
        h = std::make_unique<Harness>(folder.path());
        pickNextTimetable(*h);
        startGameAt(*h, hour, minute);
    }
    /** Moves the clock to just before h:mm:00 and lets that tick happen. */
    void tickAt(int hour, int minute)
    {
        h->setClock(hour, minute > 0 ? minute - 1 : 59, 59);
        if (minute == 0)
            h->setClock(hour > 0 ? hour - 1 : 23, 59, 59);
        h->ticks(1);
    }
    quint8 state(int i) const { return h->app().TimetableTrainStates.at(i); }
    /**
     * Writes a vehicles file of these entries, ends the game and starts it
     * again at 7:00 on the same timetable, which reads the new file.
     */
    void restartWithVehicles(const QStringList &entries)
    {
        folder.writeText("Vozidla.txt", entries);
        h->click("A0.H5");
        pickNextTimetable(*h); // none
        pickNextTimetable(*h); // test.t6g again, with the new vehicles file
        startGameAt(*h, 7, 0);
    }

    TimetableFolder folder;
    std::unique_ptr<Harness> h;
};

/** @return the picture of a file of the repository's data directory. */
inline QImage repositoryPicture(const QString &relative)
{
    return platform::loadPicture(QStringLiteral(KAMENNA_SOURCE_DATA_DIR) + "/" + relative);
}

