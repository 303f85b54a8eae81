// SPDX-License-Identifier: MIT
// Regenerates the game's pictures and sounds (and, with --movie, the title
// movie through ffmpeg) into a source tree.
#include "ArtCommon.h"
#include "Artwork.h"
#include "IconArt.h"
#include "PanelArt.h"
#include "SceneArt.h"
#include "ShipArt.h"
#include "TitleArt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
        QTextStream(stderr) << "artgen: cannot write " << path << "\n";
        return false;
    }
    return true;
}

bool makeMovie(const QString& root)
{
    QTemporaryDir frames;
    if (!frames.isValid())
        return false;
    for (int i = 0; i < art::TitleFrameCount; ++i)
        art::titleFrame(i).save(frames.filePath(QStringLiteral("f%1.png").arg(i, 3, 10, QLatin1Char('0'))));
    const QString out = QDir(root).filePath(QStringLiteral("data/MVTitle.avi"));
    QDir().mkpath(QFileInfo(out).absolutePath());
    QProcess ffmpeg;
    ffmpeg.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // Motion JPEG in AVI, which the game's own reader decodes frame by frame
    // with Qt's JPEG reader; bitexact keeps re-runs identical.
    ffmpeg.start(QStringLiteral("ffmpeg"),
                 {"-y", "-loglevel", "error", "-framerate", QString::number(art::TitleFrameRate), "-i",
                  frames.filePath(QStringLiteral("f%03d.png")), "-c:v", "mjpeg", "-q:v", "3", "-pix_fmt",
                  "yuvj420p", "-fflags", "+bitexact", "-flags:v", "+bitexact", out});
    if (!ffmpeg.waitForFinished(600000) || ffmpeg.exitCode() != 0) {
        QTextStream(stderr) << "artgen: ffmpeg failed\n";
        return false;
    }
    return true;
}

void writePreviews(const QString& dir)
{
    auto save = [&dir](const QString& name, const QImage& img) {
        img.save(QDir(dir).filePath(name + ".png"));
        img.scaled(img.size() * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation)
            .save(QDir(dir).filePath(name + "-x4.png"));
    };
    QDir().mkpath(dir);
    save("101", art::radarBackground());
    save("102", art::sceneBackground());
    for (int level = 0; level < 4; ++level) {
        const QImage ship = art::shipPicture(level);
        save(QString::number(201 + level), ship);
        save(QString::number(301 + level), art::maskOf(ship));
    }
    // each damage level alone at about 1:1 on the scene
    QImage singles(240, 4 * 80, QImage::Format_RGB32);
    {
        QPainter p(&singles);
        const QImage bg = art::sceneBackground();
        for (int level = 0; level < 4; ++level) {
            QImage scene = bg.copy();
            const QImage ship = art::shipPicture(level);
            art::blitMasked(scene, ship, art::maskOf(ship), 88, 120, 225, 73);
            p.drawImage(0, level * 80, scene.copy(80, 100, 240, 80));
        }
    }
    save("singles", singles);
    {
        // the battle form's pictures in their places, needles and marks drawn
        QImage form(520, 410, QImage::Format_RGB32);
        form.fill(QColor(192, 192, 192));
        QPainter p(&form);
        p.drawImage(5, 5, art::bearingDial());
        p.drawImage(5, 115, art::elevationDial());
        p.drawImage(115, 5, art::mockScene(600));
        p.drawImage(5, 275, art::radarBackground());
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::red, 2));
        p.drawLine(QPointF(55, 55), QPointF(55 + 50 * 0.5, 55 - 50 * 0.866));
        p.drawLine(QPointF(105, 215), QPointF(105 - 99 * 0.94, 215 - 99 * 0.342));
        p.setPen(QPen(Qt::red, 3));
        p.drawLine(QPointF(70, 340), QPointF(70 + 60 * 0.707, 340 - 60 * 0.707));
        p.setPen(QPen(Qt::yellow, 1));
        p.setBrush(Qt::green);
        p.drawEllipse(QPointF(40, 320), 2, 2);
        p.drawEllipse(QPointF(100, 300), 2, 2);
        p.setPen(Qt::red);
        p.setBrush(Qt::red);
        p.drawEllipse(QPointF(95, 305), 1, 1);
        p.end();
        save("form", form);
    }
    {
        // the water column at range 900, 450 and 0
        QImage scene = art::sceneBackground();
        const QImage water = art::waterColumn();
        const QImage mask = art::maskOf(water);
        art::blitMasked(scene, water, mask, 60, 120, 2, 5);
        art::blitMasked(scene, water, mask, 120, 120, 23, 55);
        art::blitMasked(scene, water, mask, 200, 120, 44, 104);
        save("splashes", scene.copy(40, 100, 220, 140));
    }
    const QImage water = art::waterColumn();
    save("picWater", water);
    save("picWMask", art::maskOf(water));
    save("picGaugeH", art::bearingDial());
    save("picGaugeV", art::elevationDial());
    for (int range : {900, 780, 600, 300})
        save(QStringLiteral("mock-%1").arg(range), art::mockScene(range));
    for (int i : {0, 15, 24, 25, 30, 45, 59})
        art::titleFrame(i).save(QDir(dir).filePath(QStringLiteral("title-%1.png").arg(i)));
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        save(QStringLiteral("icon-%1").arg(size), art::appIcon(size));
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // fonts for the title need a GUI application
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.contains(QStringLiteral("--help"))) {
        QTextStream(stdout) << "usage: artgen ROOT [--movie] [--preview DIR]\n"
                               "  writes game/assets/** and data/*.wav under ROOT;\n"
                               "  --movie also encodes data/MVTitle.avi with ffmpeg;\n"
                               "  --preview writes 1:1 and 4x PNGs and a mock scene to DIR\n";
        return args.isEmpty() ? 2 : 0;
    }
    const QString root = args.first();
    bool ok = true;
    for (const art::GeneratedFile& f : art::generateAll())
        ok = writeFile(QDir(root).filePath(f.path), f.bytes) && ok;
    if (args.contains(QStringLiteral("--movie")))
        ok = makeMovie(root) && ok;
    const int preview = int(args.indexOf(QStringLiteral("--preview")));
    if (preview >= 0 && preview + 1 < args.size())
        writePreviews(args.at(preview + 1));
    return ok ? 0 : 1;
}
