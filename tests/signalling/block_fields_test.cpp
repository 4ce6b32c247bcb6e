/** @file block_fields_test.cpp The block fields' windows and latches on the desk, both boxes and Vrbská's panel. */
#include "harness/harness.h"

#include <gtest/gtest.h>

namespace {

/** @return the name of the picture-store image whose picture the image shows, or "?" for none. */
QString showing(const Harness &h, const QString &image)
{
    static const char *const Stock[] = {
        "ClonkaB",   "ClonkaR",   "ClonkaC",   "ClonkaZ",   "ClonkaBR1", "ClonkaBR2", "ClonkaBR3", "ClonkaRB1",
        "ClonkaRB2", "ClonkaRB3", "ClonkaCB1", "ClonkaCB2", "ClonkaCB3", "ClonkaBZ1", "ClonkaBZ2", "ClonkaBZ3",
        "ClonkaZB1", "ClonkaZB2", "ClonkaZB3", "ZapadkaB",  "ZapadkaR",  "ZapadkaC"};
    const QImage &picture = h.as<ui::Image>(image).picture();
    for (const char *name : Stock)
        if (h.as<ui::Image>(QStringLiteral("A3.") + name).picture() == picture)
            return QLatin1String(name);
    return QStringLiteral("?");
}

/** Writes a field's values as the code does, and collects the window's and the latch's pictures, "ClonkaR/ZapadkaR". */
QStringList stepThrough(Harness &h, const QString &field, const QString &window, const QString &latch,
                        const std::vector<int> &values)
{
    QStringList seen;
    for (int v : values) {
        h.as<ui::SpinEdit>(field).setValue(v);
        seen << showing(h, window) + (latch.isEmpty() ? QString() : "/" + showing(h, latch));
    }
    return seen;
}

} // namespace

TEST(BlockFields, TheStorePicturesAreDistinctSoEachFrameCanBeTold)
{
    Harness h;
    EXPECT_EQ(showing(h, "A3.ClonkaBR2"), "ClonkaBR2");
    EXPECT_EQ(showing(h, "A3.ZapadkaC"), "ZapadkaC");
}

TEST(BlockFields, DeskWindowsTurnThroughTheirFramesBothWays)
{
    Harness h;
    EXPECT_EQ(stepThrough(h, "A1.NavBOd", "A6.NavBOd", {}, {2, 3, 4, 5, 4, 3, 2, 1}),
              QStringList({"ClonkaBR1", "ClonkaBR2", "ClonkaBR3", "ClonkaB", "ClonkaBR3", "ClonkaBR2", "ClonkaBR1",
                           "ClonkaR"}));
    EXPECT_EQ(stepThrough(h, "A1.ZavCH", "A6.ZavCH", {}, {2, 3, 4, 5}),
              QStringList({"ClonkaBZ3", "ClonkaBZ2", "ClonkaBZ1", "ClonkaZ"}));
    EXPECT_EQ(stepThrough(h, "A1.SouLc1", "A6.SouLc1", {}, {2, 3, 4, 5}),
              QStringList({"ClonkaZB1", "ClonkaZB2", "ClonkaZB3", "ClonkaZ"}));
    EXPECT_EQ(stepThrough(h, "A1.PHCHDo", "A6.PHCHDo", {}, {2, 3, 4, 5, 1}),
              QStringList({"ClonkaRB1", "ClonkaRB2", "ClonkaRB3", "ClonkaR", "ClonkaB"}));
}

TEST(BlockFields, BoxWindowsRunTheirOwnOrder)
{
    Harness h;
    EXPECT_EQ(stepThrough(h, "A1.HrMOd", "A7.HrMOd", {}, {2, 3, 4, 5, 1}),
              QStringList({"ClonkaCB3", "ClonkaCB2", "ClonkaCB1", "ClonkaB", "ClonkaC"}));
    EXPECT_EQ(stepThrough(h, "A1.HrCHDo", "A8.HrCHDo", {}, {5}), QStringList({"ClonkaB"}));
    EXPECT_EQ(stepThrough(h, "A1.ZavBSt", "A7.ZavB", {}, {2, 3, 4, 5}),
              QStringList({"ClonkaZB1", "ClonkaZB2", "ClonkaZB3", "ClonkaZ"}));
    EXPECT_EQ(stepThrough(h, "A1.SouLc1St", "A8.SouLc1", {}, {2, 3, 4, 5}),
              QStringList({"ClonkaBZ3", "ClonkaBZ2", "ClonkaBZ1", "ClonkaZ"}));
}

TEST(BlockFields, ABoxCopyFreesItsLatchAtSixAndLocksItAgainBelow)
{
    Harness h;
    EXPECT_EQ(showing(h, "A7.NavBOd"), "ClonkaR");
    EXPECT_EQ(stepThrough(h, "A1.NavBOdSt", "A7.NavBOd", "A7.ZapBOd", {2, 3, 4, 5, 6, 5}),
              QStringList({"ClonkaRB3/ZapadkaR", "ClonkaRB2/ZapadkaR", "ClonkaRB1/ZapadkaR", "ClonkaB/ZapadkaR",
                           "ClonkaB/ZapadkaB", "ClonkaB/ZapadkaR"}));
    EXPECT_EQ(stepThrough(h, "A1.NavCHOdSt", "A8.NavCHOd", "A8.ZapCHOd", {6, 1}),
              QStringList({"ClonkaB/ZapadkaB", "ClonkaR/ZapadkaR"}));
}

TEST(BlockFields, PreAnnouncementAndConsentTellOneFromTwoOnlyByTheLatch)
{
    Harness h;
    EXPECT_EQ(stepThrough(h, "A1.PHCHOd", "A6.PHCHOd", "A6.ZapCHOd", {2, 1, 3, 4, 5, 6}),
              QStringList({"ClonkaB/ZapadkaC", "ClonkaB/ZapadkaB", "ClonkaCB1/ZapadkaC", "ClonkaCB2/ZapadkaC",
                           "ClonkaCB3/ZapadkaC", "ClonkaC/ZapadkaC"}));
    EXPECT_EQ(stepThrough(h, "A1.TSCH", "A6.TSCH", "A6.ZapCH", {6, 5, 4, 3, 2, 1}),
              QStringList({"ClonkaR/ZapadkaR", "ClonkaRB3/ZapadkaR", "ClonkaRB2/ZapadkaR", "ClonkaRB1/ZapadkaR",
                           "ClonkaB/ZapadkaR", "ClonkaB/ZapadkaB"}));
    /* The second consent cell on the face redraws from TSCH itself. */
    h.as<ui::SpinEdit>("A1.TSCH").setValue(4);
    h.as<ui::SpinEdit>("A1.TSCH2").setValue(6);
    EXPECT_EQ(showing(h, "A6.TSCH"), "ClonkaRB2");
}

TEST(BlockFields, VrbskasPanelShowsItsFieldsAndClampsLikeEveryField)
{
    Harness h;
    EXPECT_EQ(showing(h, "A1.PHJDo2"), "ClonkaB");
    EXPECT_EQ(stepThrough(h, "A1.TSJ", "A1.TSJ2", "A1.ZapJ", {7, 5, 0}),
              QStringList({"ClonkaB/ZapadkaB", "ClonkaB/ZapadkaR", "ClonkaR/ZapadkaR"}));
    EXPECT_EQ(h.value("A1.TSJ"), 1);
    h.as<ui::SpinEdit>("A1.NavJOd").setValue(9);
    EXPECT_EQ(h.value("A1.NavJOd"), 6);
    EXPECT_EQ(showing(h, "A1.ZapJOd"), "ZapadkaB");
    EXPECT_EQ(stepThrough(h, "A1.PHJDo", "A1.PHJDo2", {}, {3}), QStringList({"ClonkaRB2"}));
}

TEST(BlockFields, ANewGameDrawsEveryWindowFromItsField)
{
    Harness h;
    h.as<ui::SpinEdit>("A1.NavMDo").setValue(5);
    h.click("A0.H9");
    h.click("A0.H5"); /* "Ukončit hru": the views are made anew */
    EXPECT_EQ(h.value("A1.NavMDo"), 1);
    EXPECT_EQ(showing(h, "A6.NavMDo"), "ClonkaR");
    EXPECT_EQ(showing(h, "A7.HrBOd"), "ClonkaC");
    EXPECT_EQ(showing(h, "A8.ZavCH"), "ClonkaB");
}
