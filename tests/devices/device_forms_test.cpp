/** @file device_forms_test.cpp The desk and signal-box forms: where their devices start, and the report of unloaded stock pictures. */
#include "devices/form_a3.h"
#include "devices/picture_report.h"
#include "harness/harness.h"
#include "platform/platform.h"
#include "platform/test_platform.h"
#include "ui/controls.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

/** @return a control's place in its parent (the view's D5 for every device). */
QRect place(Harness &h, const QString &name)
{
    return h.control(name).bounds();
}

/** @return a control's Top. */
int top(Harness &h, const QString &name)
{
    return h.control(name).top();
}

/** @return a control's Left. */
int left(Harness &h, const QString &name)
{
    return h.control(name).left();
}

/** Expects each named device to lie wholly on one of the panels. */
void expectOnPanels(Harness &h, const QStringList &devices, const QStringList &panels)
{
    for (const QString &d : devices) {
        bool covered = false;
        for (const QString &p : panels)
            covered = covered || place(h, p).contains(place(h, d));
        EXPECT_TRUE(covered) << d.toStdString() << " lies off its panels";
    }
}

} // namespace

TEST(DeviceForms, ReferencePanelsStandWhereTheDevicesAreMeasuredFromAndCarryThem)
{
    Harness h;
    h.click("A0.H9");
    EXPECT_EQ(place(h, "A6.Blok").topLeft(), QPoint(1064, 45));
    EXPECT_EQ(top(h, "A6.Deska"), 272);
    EXPECT_EQ(top(h, "A7.Blok"), 160);
    EXPECT_EQ(left(h, "A7.Ram"), 86);
    EXPECT_EQ(top(h, "A8.Blok"), 160);
    EXPECT_EQ(top(h, "A8.E0"), 416);
    EXPECT_EQ(left(h, "A8.I0"), 920);
    for (const char *panel : {"A6.Blok", "A6.Deska", "A7.Blok", "A7.Deska", "A7.Ram", "A7.Ciselnik", "A8.Blok",
                              "A8.E0", "A8.I0", "A8.H0"})
        EXPECT_EQ(h.as<ui::Image>(panel).picture().size(), place(h, panel).size()) << panel;

    QStringList desk = {"A6.InduktorA", "A6.InduktorB", "A6.VUDTlv", "A6.VUDTlo", "A6.VUDL1", "A6.VUDL2"};
    for (const char *n : {"NavBOd", "ZavB", "NavBDo", "SouLc1", "NavMOd", "ZavM", "NavMDo", "NavCHDo", "ZavCH",
                          "NavCHOd", "TSCH"})
        desk << QString("A6.Paka") + n;
    for (const char *x : {"A", "B", "C", "D", "E"})
        desk << QString("A6.Zavernik") + x;
    desk << "A6.KnoflikA" << "A6.KnoflikB" << "A6.KnoflikC";
    expectOnPanels(h, desk, {"A6.Blok"});
    QStringList box1 = {"A7.PakaNavBOd", "A7.PakaZavB", "A7.PakaNavBDo", "A7.PakaNavMDo", "A7.PakaZavM",
                        "A7.PakaNavMOd", "A7.Induktor", "A7.Induktor2"};
    expectOnPanels(h, box1, {"A7.Blok"});
    QStringList frame;
    for (int n = 1; n <= 11; ++n)
        frame << QString("A7.Paka%1a").arg(n) << QString("A7.Paka%1b").arg(n) << QString("A7.Paka%1c").arg(n);
    expectOnPanels(h, frame, {"A7.Ram"});
    expectOnPanels(h, {"A8.PakaSouLc1", "A8.PakaNavCHDo", "A8.PakaZavCH", "A8.PakaNavCHOd"}, {"A8.Blok"});
}

TEST(DeviceForms, DevicesStartAtTheirRestPositions)
{
    Harness h;
    h.click("A0.H9");
    const int blok6 = top(h, "A6.Blok"), left6 = left(h, "A6.Blok");
    for (const char *n : {"NavBOd", "ZavB", "NavBDo", "SouLc1", "NavMOd", "ZavM", "NavMDo", "ZavCH", "TSCH"})
        EXPECT_EQ(top(h, QString("A6.Paka") + n), 421) << n;
    EXPECT_EQ(top(h, "A6.PakaNavCHDo"), 419);
    EXPECT_EQ(top(h, "A6.PakaNavCHOd"), 419);
    EXPECT_EQ(top(h, "A6.InduktorA"), blok6 + 269);
    EXPECT_EQ(top(h, "A6.InduktorB"), blok6 + 269);
    EXPECT_EQ(left(h, "A6.ZavernikA") - left6, 284);
    EXPECT_EQ(left(h, "A6.ZavernikB") - left6, 669);
    EXPECT_EQ(left(h, "A6.ZavernikC") - left6, 977);
    EXPECT_EQ(left(h, "A6.ZavernikD") - left6, 522);
    EXPECT_EQ(left(h, "A6.ZavernikE") - left6, 1223);
    EXPECT_EQ(top(h, "A6.KnoflikA") - blok6, 836);
    EXPECT_EQ(top(h, "A6.KnoflikB") - blok6, 820);
    EXPECT_EQ(top(h, "A6.KnoflikC") - blok6, 836);
    EXPECT_EQ(top(h, "A6.VUDTlv"), blok6 + 198);
    EXPECT_EQ(top(h, "A6.VUDTlo"), blok6 + 198);

    const int blok7 = top(h, "A7.Blok");
    for (const char *n : {"PakaNavBOd", "PakaNavBDo", "PakaNavMOd", "PakaNavMDo"})
        EXPECT_EQ(top(h, QString("A7.") + n), blok7 + 339) << n;
    EXPECT_EQ(top(h, "A7.PakaZavB"), blok7 + 341);
    EXPECT_EQ(top(h, "A7.PakaZavM"), blok7 + 341);
    EXPECT_EQ(top(h, "A7.Induktor"), blok7 + 234);
    for (int n = 1; n <= 11; ++n) {
        const int base = top(h, QString("A7.Paka%1c").arg(n));
        EXPECT_EQ(base, 1010);
        const bool up = n == 3 || n == 7 || n == 9;
        EXPECT_EQ(top(h, QString("A7.Paka%1b").arg(n)), up ? base - 291 : base + 147) << "lever " << n;
    }

    const int blok8 = top(h, "A8.Blok");
    EXPECT_EQ(top(h, "A8.PakaNavCHDo"), blok8 + 339);
    EXPECT_EQ(top(h, "A8.PakaNavCHOd"), blok8 + 339);
    EXPECT_EQ(top(h, "A8.PakaSouLc1"), blok8 + 341);
    EXPECT_EQ(top(h, "A8.PakaZavCH"), blok8 + 341);
}

TEST(DeviceForms, LeversOfBothRestLinesShareOneFoot)
{
    Harness h;
    h.click("A0.H9");
    /* The signal levers rest 2 px higher because their handle is 2 px longer. */
    const QStringList rows[] = {
        {"A6.PakaNavBOd", "A6.PakaZavB", "A6.PakaNavCHDo", "A6.PakaNavCHOd", "A6.PakaTSCH"},
        {"A7.PakaNavBOd", "A7.PakaZavB", "A7.PakaNavBDo", "A7.PakaNavMDo", "A7.PakaZavM", "A7.PakaNavMOd"},
        {"A8.PakaSouLc1", "A8.PakaNavCHDo", "A8.PakaZavCH", "A8.PakaNavCHOd"}};
    for (const QStringList &row : rows)
        for (const QString &lever : row)
            EXPECT_EQ(place(h, lever).bottom(), place(h, row.front()).bottom()) << lever.toStdString();
}

TEST(DeviceForms, ShapedDevicePicturesKeepTheirPanelVisibleAroundThem)
{
    Harness h;
    for (const char *name : {"A6.PakaNavBOd", "A6.PakaNavCHDo", "A6.InduktorA", "A6.KnoflikA", "A6.VUDTlv",
                             "A8.PakaSouLc1", "A8.PakaNavCHDo"}) {
        const auto &img = h.as<ui::Image>(name);
        ASSERT_FALSE(img.picture().isNull()) << name;
        EXPECT_TRUE(img.transparent()) << name;
        const QImage &pic = img.picture();
        const QRgb key = pic.pixel(0, pic.height() - 1);
        EXPECT_EQ(QColor(key), QColor(255, 0, 255)) << name;
        int drawn = 0;
        for (int y = 0; y < pic.height(); ++y)
            for (int x = 0; x < pic.width(); ++x)
                drawn += pic.pixel(x, y) != key;
        EXPECT_GT(drawn, pic.width() * pic.height() / 8) << name;
    }
}

TEST(PictureReport, ListsThePicturesTheStoreCouldNotLoadInOneBox)
{
    platform::TestPlatform test;
    platform::RecordedMessageBoxes &messages = test.messages;
    platform::Platform &platform = test.platform;
    TA3 complete(platform);
    devices::reportPictureLoadErrors(complete);
    EXPECT_TRUE(messages.shown.isEmpty());

    QTemporaryDir dir;
    for (const QString &f : QDir(":/art").entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(":/art/" + f, dir.filePath(f))) << f.toStdString();
    QFile::remove(dir.filePath("PakaD.bmp"));
    QFile spoilt(dir.filePath("Paka4.jpg"));
    QFile::setPermissions(spoilt.fileName(), QFile::ReadOwner | QFile::WriteOwner);
    ASSERT_TRUE(spoilt.open(QIODevice::WriteOnly | QIODevice::Truncate));
    spoilt.write("no picture");
    spoilt.close();

    TA3 broken(platform, dir.path());
    devices::reportPictureLoadErrors(broken);
    ASSERT_EQ(messages.shown.size(), 1);
    const QStringList lines = messages.shown[0].split('\n');
    EXPECT_EQ(lines.size(), 3) << messages.shown[0].toStdString();
    EXPECT_EQ(lines[0], "Některé obrázky zařízení se nepodařilo načíst:");
    EXPECT_TRUE(lines.value(1).startsWith("A3.PakaD:")) << lines.value(1).toStdString();
    EXPECT_TRUE(lines.value(2).startsWith("A3.Paka4:")) << lines.value(2).toStdString();
}

TEST(PictureReport, AProgramWithAllItsPicturesStartsWithoutAMessage)
{
    Harness h;
    EXPECT_TRUE(h.messages().isEmpty()) << h.messages().join(" | ").toStdString();
}
