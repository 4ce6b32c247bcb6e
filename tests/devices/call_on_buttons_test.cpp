/** @file call_on_buttons_test.cpp The desk's sealed call-on buttons and their use counters, with the counter library present, missing or broken. */
#include "harness/harness.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <sys/stat.h>
#include <jpeglib.h>

namespace {

/** Up and pressed Top of the call-on buttons (the desk board stands at 272). */
constexpr int Up = 272 + 334, Pressed = 272 + 336;

/** A data directory whose counter library is a copy of the given file, or none. */
struct DataDir {
    explicit DataDir(const QString &library = {})
    {
        if (library.isEmpty())
            return;
        QDir(dir.path()).mkpath("Data/Lib");
        QFile::copy(library, dir.filePath("Data/Lib/mavex.so"));
    }
    QTemporaryDir dir;
};

/** @return the file of the jpeg library: a real shared library without the function A. */
QString libraryWithoutA()
{
    Dl_info info{};
    dladdr(reinterpret_cast<void *>(&jpeg_std_error), &info);
    return QString::fromLocal8Bit(info.dli_fname);
}

} // namespace

TEST(CallOnButtons, SealedPressedCountedAndReleased)
{
    Harness h;
    EXPECT_EQ(h.control("A6.PNL").height(), 17);
    h.press("A6.PNL", 5, 5);
    h.release(5, 5);
    EXPECT_FALSE(h.visible("A7.PNL2")) << "a sealed button ignores presses";
    EXPECT_EQ(h.text("A6.PNL2"), "00000");

    h.doubleClick("A6.PNL");
    EXPECT_EQ(h.control("A6.PNL").height(), 14);
    EXPECT_TRUE(h.as<ui::Image>("A6.PNL").transparent());
    EXPECT_TRUE(h.visible("A7.PNL2")) << "the double click's second press presses the opened button";
    EXPECT_EQ(h.control("A6.PNL").top(), Pressed);
    EXPECT_EQ(h.text("A6.PNL2"), "00001");
    EXPECT_EQ(h.control("A6.PNL2").hint(), "00001");

    h.press("A6.PNL", 5, 5);
    h.release(5, 5);
    EXPECT_FALSE(h.visible("A7.PNL2"));
    EXPECT_EQ(h.control("A6.PNL").top(), Up);
    EXPECT_EQ(h.text("A6.PNL2"), "00001") << "releasing the latch counts nothing";

    h.doubleClick("A6.PNL");
    EXPECT_EQ(h.control("A6.PNL").height(), 17) << "pressed by the first press, then sealed again";
    EXPECT_FALSE(h.visible("A7.PNL2"));
    EXPECT_EQ(h.control("A6.PNL").top(), Up);
    EXPECT_EQ(h.text("A6.PNL2"), "00002");
    EXPECT_TRUE(h.messages().isEmpty()) << h.messages().join(" | ").toStdString();
}

TEST(CallOnButtons, EachButtonLightsItsOwnBoxLampAndTheOptionStopsTheCount)
{
    Harness h;
    h.doubleClick("A6.PNS");
    EXPECT_TRUE(h.visible("A8.G7"));
    EXPECT_FALSE(h.visible("A7.PNL2"));
    h.check("A1.KodMavex", true);
    h.doubleClick("A6.PNML");
    EXPECT_TRUE(h.visible("A7.PNML2")) << "the permission is given without counting";
    EXPECT_EQ(h.text("A6.PNML2"), "00000");
    EXPECT_EQ(h.control("A6.PNML2").hint(), "00000");
    h.press("A6.PNS", 5, 5);
    h.release(5, 5);
    h.doubleClick("A6.PNS");
    EXPECT_FALSE(h.visible("A8.G7"));
    EXPECT_EQ(h.text("A6.PNS2"), "00001");
}

TEST(CallOnButtons, AMissingLibraryGivesNoPermissionAndPutsTheButtonBackUp)
{
    DataDir data;
    Harness h(data.dir.path());
    h.doubleClick("A6.PNL");
    EXPECT_EQ(h.control("A6.PNL").height(), 14) << "the seal breaks all the same";
    EXPECT_FALSE(h.visible("A7.PNL2"));
    EXPECT_EQ(h.control("A6.PNL").top(), Up);
    EXPECT_EQ(h.text("A6.PNL2"), "00000");
    ASSERT_EQ(h.messages().size(), 2);
    EXPECT_EQ(h.messages()[0], "Error 60PNL-Md");
    EXPECT_TRUE(h.messages()[1].contains("Knihovnu nelze načíst")) << h.messages()[1].toStdString();

    h.clearMessages();
    h.check("A1.NCK", false);
    h.check("A1.NCD", false);
    h.press("A6.PNL", 5, 5);
    h.release(5, 5);
    EXPECT_TRUE(h.messages().isEmpty()) << "both options off: the failure is swallowed";
    EXPECT_EQ(h.control("A6.PNL").top(), Up);
    EXPECT_FALSE(h.visible("A7.PNL2"));
}

TEST(CallOnButtons, ALibraryWithoutItsFunctionGivesNoPermission)
{
    DataDir data(libraryWithoutA());
    Harness h(data.dir.path());
    h.doubleClick("A6.PNML");
    EXPECT_FALSE(h.visible("A7.PNML2"));
    EXPECT_EQ(h.control("A6.PNML").top(), Up);
    ASSERT_EQ(h.messages().size(), 2);
    EXPECT_EQ(h.messages()[0], "Error 60PNML-Md");
    EXPECT_TRUE(h.messages()[1].contains("chybí funkce A")) << h.messages()[1].toStdString();
}

TEST(CallOnButtons, AGarbageAnswerIsCutAndNoAnswerIsAFailure)
{
    DataDir data(QStringLiteral(KAMENNA_GARBAGE_COUNTER));
    Harness h(data.dir.path());
    h.doubleClick("A6.PNS");
    EXPECT_TRUE(h.visible("A8.G7"));
    EXPECT_EQ(h.text("A6.PNS2"), QString("garbage-garbage-garbage-garbage-")) << "at most 32 characters";
    EXPECT_EQ(h.control("A6.PNS2").hint(), h.text("A6.PNS2"));
    EXPECT_TRUE(h.messages().isEmpty());

    h.app().control("A6.PNL2")->setCaption("null");
    h.doubleClick("A6.PNL");
    EXPECT_FALSE(h.visible("A7.PNL2")) << "no text back is a failed count";
    EXPECT_EQ(h.control("A6.PNL").top(), Up);
    EXPECT_EQ(h.text("A6.PNL2"), "null");
    ASSERT_FALSE(h.messages().isEmpty());
    EXPECT_EQ(h.messages()[0], "Error 60PNL-Md");
}

TEST(CallOnButtons, ALibraryThatCrashesLoopsOrExitsGivesTheLibraryMessageAndTheGameGoesOn)
{
    DataDir data(QStringLiteral(KAMENNA_GARBAGE_COUNTER));
    Harness h(data.dir.path());
    h.click("A0.H9");
    const QString clockBefore = h.clock();
    const QString library = data.dir.filePath("Data/Lib/mavex.so");
    h.doubleClick("A6.PNL"); // breaks the seal and counts once: the library answers garbage
    h.press("A6.PNL", 5, 5);
    h.release(5, 5); // back to rest, lamp out
    h.clearMessages();
    for (const char *misdeed : {"crash", "loop", "exit", "unterminated"}) {
        h.app().control("A6.PNL2")->setCaption(QString::fromLatin1(misdeed));
        QElapsedTimer clock;
        clock.start();
        h.press("A6.PNL", 5, 5);
        EXPECT_LT(clock.elapsed(), 3000) << misdeed;
        h.release(5, 5);
        EXPECT_FALSE(h.visible("A7.PNL2")) << misdeed;
        EXPECT_EQ(h.control("A6.PNL").top(), Up) << misdeed;
        EXPECT_EQ(h.text("A6.PNL2"), QString::fromLatin1(misdeed)) << "the counter keeps its text";
        ASSERT_EQ(h.messages().size(), 2) << misdeed;
        EXPECT_EQ(h.messages()[0], "Error 60PNL-Md");
        EXPECT_EQ(h.messages()[1], "Knihovnu nelze načíst: " + library) << misdeed;
        h.clearMessages();
    }
    h.ticks(5);
    EXPECT_NE(h.clock(), clockBefore) << "the game runs on";
    h.app().control("A6.PNL2")->setCaption("00041");
    h.press("A6.PNL", 5, 5);
    EXPECT_TRUE(h.visible("A7.PNL2")) << "the next count is the library's again";
    h.release(5, 5);
    EXPECT_TRUE(h.messages().isEmpty()) << h.messages().join(" | ").toStdString();
}

TEST(CallOnButtons, AFifoNamedAsTheLibraryGivesTheLibraryMessageAtOnce)
{
    DataDir data;
    QDir(data.dir.path()).mkpath("Data/Lib");
    const QString library = data.dir.filePath("Data/Lib/mavex.so");
    ASSERT_EQ(mkfifo(QFile::encodeName(library).constData(), 0600), 0);
    Harness h(data.dir.path());
    QElapsedTimer clock;
    clock.start();
    h.doubleClick("A6.PNS");
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_FALSE(h.visible("A8.G7"));
    ASSERT_EQ(h.messages().size(), 2) << h.messages().join(" | ").toStdString();
    EXPECT_EQ(h.messages()[0], "Error 60PNS-Md");
    EXPECT_EQ(h.messages()[1], "Knihovnu nelze načíst: " + library);
}
