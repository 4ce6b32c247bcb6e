/** @file sound_output_test.cpp The real sound players on a machine with or without a sound output. */
#include "platform/qt_platform.h"
#include "ui/sim_error.h"
#include "view/qt_app.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>

namespace {

/** Collects what is written to stderr while it lives. */
class StderrCapture {
public:
    StderrCapture()
    {
        m_file.open();
        std::fflush(stderr);
        m_saved = dup(2);
        dup2(m_file.handle(), 2);
    }
    /** @return everything written so far, and stderr back where it was. */
    QString finish()
    {
        std::fflush(stderr);
        dup2(m_saved, 2);
        close(m_saved);
        QFile read(m_file.fileName());
        read.open(QIODevice::ReadOnly);
        return QString::fromLocal8Bit(read.readAll());
    }

private:
    QTemporaryFile m_file;
    int m_saved = -1;
};

} // namespace

TEST(SoundOutput, WithoutAnOutputOneLineSaysSoAndTheSoundsStayQuiet)
{
    ASSERT_NE(qtApp(), nullptr);
    const QDir sounds(QStringLiteral(KAMENNA_SOURCE_DATA_DIR) + "/Data/Snd");
    const QStringList files = sounds.entryList({"*.wav"}, QDir::Files);
    ASSERT_EQ(files.size(), 22);
    StderrCapture capture;
    platform::QtAudio audio;
    std::vector<std::unique_ptr<platform::SoundHandle>> players;
    for (int round = 0; round < 2; ++round) /* two game starts */
        for (const QString &f : files) {
            players.push_back(audio.open(sounds.filePath(f)));
            players.back()->play();
            players.back()->stop();
            players.back()->rewind();
        }
    const QString said = capture.finish();
    if (audio.hasOutput())
        EXPECT_FALSE(said.contains("sounds are off")) << said.toStdString();
    else
        EXPECT_EQ(said, "no sound output; sounds are off\n");
    EXPECT_THROW(audio.open(sounds.filePath("missing.wav")), ui::SimError) << "a missing file fails all the same";
}
