// SPDX-License-Identifier: MIT
#include "BattleEnding.h"

#include "Curtain.h"
#include "PictureBox.h"

#include "GameLanguage.h"
#include "HighScoreRanking.h"
#include "ScoreStorage.h"
#include "Twips.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QTimer>

BattleEnding::BattleEnding(QWidget* form, PictureBox* scene, QLabel* gameOver, WallClock& clock,
                           std::function<void()> showTitle)
    : form_(form)
    , scene_(scene)
    , gameOver_(gameOver)
    , clock_(clock)
    , showTitle_(std::move(showTitle))
{
}

void BattleEnding::run(const GameSettings& settings, HighScores& scores, vb::Long points)
{
    drawCurtain();
    gameOver_->show();
    enterRanking(settings, scores, points);
    pause(3);
    if (showTitle_)
        showTitle_();
}

void BattleEnding::drawCurtain()
{
    // The scene picture in twips, as the curtain measures it.
    const int heightTwips = vb::CLng(scene_->height() * TwipsPerPixel);
    const int widthTwips = vb::CLng(scene_->width() * TwipsPerPixel);
    QImage& canvas = scene_->canvas();
    if (canvas.isNull() || canvas.size() != scene_->size()) {
        QImage sized(scene_->size(), QImage::Format_RGB32);
        sized.fill(Qt::black);
        if (!canvas.isNull()) {
            QPainter painter(&sized);
            painter.drawImage(sized.rect(), canvas);
        }
        canvas = sized;
    }
    const int half = vb::CInt(heightTwips / 2.0);
    const int step = curtain::StepTwips(TwipsPerPixel);
    int lastRow = -1;
    for (int i = 0; i <= half; i += step) {
        curtain::DrawPass(canvas, i, widthTwips, heightTwips, TwipsPerPixel);
        scene_->pictureChanged();
        QCoreApplication::processEvents();
        // One pixel row in about 8 ms: the curtain closes in a second.
        const int row = vb::CLng(i / TwipsPerPixel);
        if (row != lastRow) {
            lastRow = row;
            QEventLoop wait;
            QTimer::singleShot(8, &wait, &QEventLoop::quit);
            wait.exec();
        }
    }
}

void BattleEnding::enterRanking(const GameSettings& settings, HighScores& scores, vb::Long points)
{
    const std::optional<rules::RankingList> ranking = rules::RankingListOf(settings);
    if (!ranking)
        return;
    const int t = ranking->TimeIndex;
    const int level = ranking->Level;
    // The box comes up for a score that enters the table the player sees.
    if (RankingPlace(scores.Table[t][level], points) < 0)
        return;

    QInputDialog dialog(form_);
    dialog.setWindowTitle(QCoreApplication::translate("BattleEnding", "ハイスコア登録"));
    dialog.setLabelText(QCoreApplication::translate(
        "BattleEnding", "ランキング入りしました！\nお名前を入力してください（12文字まで）"));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextValue(QString());
    // Qt's own translation names the buttons; without it, the game does.
    if (!GameLanguage::standardButtonsTranslated()) {
        dialog.setOkButtonText(QStringLiteral("OK"));
        dialog.setCancelButtonText(QStringLiteral("キャンセル"));
    }
    const QString answer = dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();

    // Entered into the file as it is now: another copy of the game may have
    // saved in it since this one loaded the table.
    QString error;
    const RankingSave saved =
        SaveRankingEntry(scores, t, level, NormalizeEntryName(answer), points, NowAsDate(), &error);
    if (saved == RankingSave::Saved)
        return;
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Mortavel"),
                    QCoreApplication::translate("BattleEnding", "ハイスコアを保存できませんでした。"),
                    QMessageBox::Ok, form_);
    if (saved == RankingSave::PushedOut) {
        box.setIcon(QMessageBox::Information);
        box.setText(
            QCoreApplication::translate("BattleEnding", "今回のスコアはランキングに残りませんでした。"));
        error = QCoreApplication::translate(
            "BattleEnding", "このゲームの間に、別に起動しているゲームがより良いスコアを保存しました。");
    }
    box.setInformativeText(error);
    box.exec();
}

void BattleEnding::pause(double seconds)
{
    const double end = clock_.Now() + seconds;
    while (clock_.Now() < end) {
        QCoreApplication::processEvents();
        QEventLoop wait;
        QTimer::singleShot(20, &wait, &QEventLoop::quit);
        wait.exec();
    }
}
