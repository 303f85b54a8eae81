// SPDX-License-Identifier: MIT
#include "Mci.h"
#include "MoviePicture.h"
#include "TestMedia.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

using mci::Mode;

class MciMovieTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        movieDir = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(QDir(movieDir->path()).mkpath(QStringLiteral("a b/data")));
        moviePath = movieDir->filePath(QStringLiteral("a b/data/MVTitle.avi"));
        haveMovie = makeMovie(moviePath, 1.0);
    }
    static void TearDownTestSuite() { movieDir.reset(); }

    void SetUp() override
    {
        if (!haveMovie)
            GTEST_SKIP() << "ffmpeg is needed to make a test movie";
        window = std::make_unique<QWidget>();
        window->resize(200, 150);
        picture = new QWidget(window.get());
        picture->setGeometry(5, 5, 160, 96);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void TearDown() override
    {
        mci::closeAll();
        window.reset();
    }
    QString openCommand(const QString& path) const
    {
        return QStringLiteral("open \"%1\" alias TITLE_AVI parent %2 style child notify")
            .arg(path)
            .arg(quint64(mci::windowHandle(picture)));
    }
    static mci::DeviceStatus title() { return *mci::status(QStringLiteral("TITLE_AVI")); }
    int videoChildren() const { return picture->findChildren<MoviePicture*>().size(); }

    static inline std::unique_ptr<QTemporaryDir> movieDir;
    static inline QString moviePath;
    static inline bool haveMovie = false;
    std::unique_ptr<QWidget> window;
    QWidget* picture = nullptr;
};

TEST_F(MciMovieTest, LoopsInAChildThatFillsTheParentOnceItReallyPlays)
{
    ASSERT_TRUE(mciExecute(openCommand(moviePath)));
    QWidget* video = mci::videoWidget(QStringLiteral("TITLE_AVI"));
    ASSERT_TRUE(video);
    EXPECT_EQ(video->parentWidget(), picture);
    EXPECT_EQ(title().kind, mci::DeviceKind::Movie);

    // Prepared but not played: the parent's own picture stays in view.
    QTest::qWait(700);
    EXPECT_FALSE(video->isVisible());
    EXPECT_FALSE(title().videoShown);

    ASSERT_TRUE(mciExecute(QStringLiteral("play TITLE_AVI repeat")));
    ASSERT_TRUE(QTest::qWaitFor([] { return title().videoShown; }, 10000));
    EXPECT_TRUE(video->isVisible());
    EXPECT_EQ(video->geometry(), picture->rect());

    // Past the one-second clip it is still going round.
    QTest::qWait(1800);
    EXPECT_EQ(title().mode, Mode::Playing);
    EXPECT_FALSE(title().failed) << title().error.toStdString();
    EXPECT_TRUE(title().repeat);

    picture->resize(120, 80);
    EXPECT_EQ(video->geometry(), picture->rect());
    EXPECT_FALSE(picture->testAttribute(Qt::WA_NativeWindow)) << "the movie made its parent native";
    EXPECT_FALSE(video->testAttribute(Qt::WA_NativeWindow));

    EXPECT_TRUE(mciExecute(QStringLiteral("stop TITLE_AVI")));
    EXPECT_EQ(title().mode, Mode::Stopped);
    EXPECT_TRUE(mciExecute(QStringLiteral("seek TITLE_AVI to start")));

    EXPECT_TRUE(mciExecute(QStringLiteral("close TITLE_AVI")));
    EXPECT_FALSE(mci::status(QStringLiteral("TITLE_AVI")));
    EXPECT_EQ(videoChildren(), 0) << "closing removes the child window";
}

TEST_F(MciMovieTest, TheTitleMoviePlays)
{
    ASSERT_TRUE(mciExecute(openCommand(QStringLiteral(MEDIA_TEST_DATA_DIR "/MVTitle.avi"))));
    ASSERT_TRUE(mciExecute(QStringLiteral("play TITLE_AVI repeat")));
    EXPECT_TRUE(QTest::qWaitFor([] { return title().videoShown || title().failed; }, 10000));
    EXPECT_TRUE(title().videoShown);
    EXPECT_FALSE(title().failed) << title().error.toStdString();
}

TEST_F(MciMovieTest, SinglePlayEndsByItself)
{
    ASSERT_TRUE(mciExecute(openCommand(moviePath)));
    ASSERT_TRUE(mciExecute(QStringLiteral("play TITLE_AVI")));
    EXPECT_TRUE(QTest::qWaitFor([] { return title().mode == Mode::Stopped; }, 10000));
    EXPECT_EQ(title().playCount, 1);
}

TEST_F(MciMovieTest, MissingFileOrParentOpensNothing)
{
    EXPECT_FALSE(mciExecute(openCommand(movieDir->filePath(QStringLiteral("a b/data/none.avi")))));
    EXPECT_EQ(videoChildren(), 0);
    EXPECT_FALSE(mciExecute(
        QStringLiteral("open \"%1\" alias TITLE_AVI parent 987654321 style child notify").arg(moviePath)));
    EXPECT_FALSE(mciExecute(QStringLiteral("open \"%1\" alias TITLE_AVI notify").arg(moviePath)))
        << "a movie needs a window of the game";
    EXPECT_FALSE(mciExecute(QStringLiteral("play TITLE_AVI repeat")));
    EXPECT_TRUE(mci::openAliases().isEmpty());
}

// Not a movie at all, and a movie in another codec (FFV1): the same on every
// media backend, since the game decodes its Motion-JPEG movie itself.
TEST_F(MciMovieTest, UnplayableFilesFailOnceAndKeepTheStillPicture)
{
    const QString text = movieDir->filePath(QStringLiteral("a b/data/text.avi"));
    ASSERT_TRUE(writeFile(text, "this is no movie at all"));
    const QString noCodec = movieDir->filePath(QStringLiteral("a b/data/ffv1.avi"));
    ASSERT_TRUE(makeMovie(noCodec, 0.5, "ffv1"));

    for (const QString& path : {text, noCodec}) {
        SCOPED_TRACE(path.toStdString());
        ASSERT_TRUE(mciExecute(openCommand(path)));
        mciExecute(QStringLiteral("play TITLE_AVI repeat"));
        EXPECT_TRUE(title().failed);
        const QString firstError = title().error;
        QTest::qWait(300); // repeated reports of the same fault change nothing
        EXPECT_EQ(title().error, firstError);
        EXPECT_FALSE(title().videoShown);
        EXPECT_FALSE(mci::videoWidget(QStringLiteral("TITLE_AVI"))->isVisible());
        EXPECT_EQ(title().mode, Mode::Stopped);
        EXPECT_FALSE(mciExecute(QStringLiteral("play TITLE_AVI repeat")));
        EXPECT_TRUE(mciExecute(QStringLiteral("close TITLE_AVI")));
        EXPECT_EQ(videoChildren(), 0);
    }
}

TEST_F(MciMovieTest, ParentGoneBeforeCloseIsHarmless)
{
    ASSERT_TRUE(mciExecute(openCommand(moviePath)));
    ASSERT_TRUE(mciExecute(QStringLiteral("play TITLE_AVI repeat")));
    QTest::qWait(300);
    window.reset();
    QTest::qWait(300);
    EXPECT_FALSE(mci::videoWidget(QStringLiteral("TITLE_AVI")));
    EXPECT_FALSE(mciExecute(QStringLiteral("play TITLE_AVI repeat")));
    EXPECT_TRUE(mciExecute(QStringLiteral("close TITLE_AVI")));
}

// Round and round without a seam: after the last frame comes the first, one
// frame's time later, and no frame is skipped or shown twice on the way.
TEST_F(MciMovieTest, RepeatGoesFromTheLastFrameStraightToTheFirst)
{
    ASSERT_TRUE(mciExecute(openCommand(moviePath)));
    auto* video = qobject_cast<MoviePicture*>(mci::videoWidget(QStringLiteral("TITLE_AVI")));
    ASSERT_TRUE(video);
    QList<int> shown;
    QObject::connect(video, &MoviePicture::frameSet, [&shown](int index) { shown.append(index); });
    ASSERT_TRUE(mciExecute(QStringLiteral("play TITLE_AVI repeat")));
    ASSERT_TRUE(QTest::qWaitFor([&shown] { return shown.count(0) >= 3; }, 15000));
    ASSERT_GE(shown.size(), 30);
    const int frames = int(shown.indexOf(0, 1));
    EXPECT_EQ(frames, 15) << "a one-second clip at 15 frames a second";
    for (int i = 0; i < shown.size(); ++i)
        ASSERT_EQ(shown[i], i % frames) << "at step " << i;

    // A stop holds the frame; play goes on from it; a seek to the start shows
    // the first frame at once.
    ASSERT_TRUE(mciExecute(QStringLiteral("stop TITLE_AVI")));
    const int held = title().position;
    QTest::qWait(200);
    EXPECT_EQ(title().position, held);
    EXPECT_EQ(video->frame().isNull(), false);
    ASSERT_TRUE(mciExecute(QStringLiteral("seek TITLE_AVI to start")));
    EXPECT_EQ(title().position, 0);
    EXPECT_EQ(shown.last(), 0);
}
