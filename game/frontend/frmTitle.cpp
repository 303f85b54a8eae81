// SPDX-License-Identifier: MIT
#include "frmTitle.h"

#include "AppFonts.h"
#include "ClickLabel.h"
#include "DataPaths.h"
#include "EnterKey.h"
#include "frmConfig.h"
#include "frmHighScore.h"
#include "GameRandom.h"
#include "Mci.h"
#include "Resources.h"
#include "ScoreStorage.h"
#include "SettingsStore.h"
#include "Twips.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

const QString frmTitle::WebAddress = QStringLiteral("https://mortavel.net/");

namespace {

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, const QString& tip,
                        int left)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(tip);
    button->setGeometry(TwipsRect(left, 4050, 1515, 390));
    return button;
}

} // namespace

frmTitle::frmTitle(BattleStarter startBattle, GameRandom& random, QWidget* parent)
    : QWidget(parent)
    , startBattle_(std::move(startBattle))
    , random_(random)
{
    setObjectName(QStringLiteral("frmTitle"));
    setWindowTitle(QStringLiteral("Mortavel"));
    setFont(FormFont());
    setFixedSize(TwipsSize(6405, 4890));

    picTitle = new QLabel(this);
    picTitle->setObjectName(QStringLiteral("picTitle"));
    picTitle->setGeometry(TwipsRect(75, 75, 6240, 3765));
    picTitle->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The still frame stays underneath: it is what shows wherever the movie
    // cannot play.
    picTitle->setPixmap(QPixmap::fromImage(LoadFormPicture(QStringLiteral("title"))));
    picTitle->setAutoFillBackground(true);
    QPalette black = picTitle->palette();
    black.setColor(QPalette::Window, Qt::black);
    picTitle->setPalette(black);

    cmdStart = MakeButton(this, "cmdStart", tr("スタート(&S)..."), tr("ゲームを開始します"), 75);
    cmdConfig = MakeButton(this, "cmdConfig", tr("設定(&C)..."), tr("ゲーム設定画面を開きます"), 1650);
    cmdHS = MakeButton(this, "cmdHS", tr("ハイスコア(&H)..."), tr("ハイスコアを表示します"), 3225);
    cmdEnd = MakeButton(this, "cmdEnd", tr("終了(&E)"), tr("プログラムを終了します"), 4800);
    // Drawn as the default button; the form handles Enter itself.
    cmdStart->setDefault(true);

    labCopyright = new ClickLabel(QStringLiteral("Mortavel Version %1").arg(VersionText()), this);
    labCopyright->setObjectName(QStringLiteral("labCopyright"));
    labCopyright->setGeometry(TwipsRect(75, 4575, 6270, 255));
    labCopyright->setToolTip(WebAddress);
    labCopyright->setCursor(Qt::PointingHandCursor);
    labCopyright->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    labCopyright->setFont(QFont(QStringLiteral("Times New Roman"), 9));

    connect(cmdStart, &QPushButton::clicked, this, &frmTitle::cmdStart_Click);
    connect(cmdConfig, &QPushButton::clicked, this, &frmTitle::cmdConfig_Click);
    connect(cmdHS, &QPushButton::clicked, this, &frmTitle::cmdHS_Click);
    connect(cmdEnd, &QPushButton::clicked, this, &frmTitle::cmdEnd_Click);
    connect(labCopyright, &ClickLabel::clicked, this, &frmTitle::labCopyright_Click);
}

TitleScreen::TitleScreen(BattleStarter startBattle, GameRandom& random)
    : startBattle_(std::move(startBattle))
    , random_(random)
{
}

frmTitle* TitleScreen::show()
{
    if (frmTitle* title = loaded()) {
        title->show();
        title->raise();
        title->activateWindow();
        return title;
    }
    auto* title = new frmTitle(startBattle_, random_);
    title->setAttribute(Qt::WA_DeleteOnClose);
    title_ = title;
    title->Form_Load();
    return title;
}

frmTitle* TitleScreen::loaded() const
{
    return title_ && title_->loaded() ? title_.data() : nullptr;
}

QString frmTitle::VersionText(int major, int minor, int revision)
{
    return QStringLiteral("%1.%2.%3")
        .arg(major)
        .arg(minor, 2, 10, QLatin1Char('0'))
        .arg(revision, 4, 10, QLatin1Char('0'));
}

QString frmTitle::VersionText()
{
    return VersionText(MORTAVEL_VERSION_MAJOR, MORTAVEL_VERSION_MINOR, MORTAVEL_VERSION_PATCH);
}

QString frmTitle::MovieOpenCommand(const QString& moviePath, quintptr windowHandle)
{
    // Quoted, so that spaces in the install path do not split the command.
    return QStringLiteral("open \"%1\" alias TITLE_AVI parent %2 style child notify")
        .arg(moviePath)
        .arg(windowHandle);
}

QString frmTitle::MoviePath()
{
    return QDir(DataDir()).filePath(QStringLiteral("MVTitle.avi"));
}

void frmTitle::Form_Load()
{
    loaded_ = true;

    random_.randomize();
    SaveSetting(QStringLiteral("UpdateInfo"), QStringLiteral("ApplicationPath"), ProgramDir());
    SaveSetting(QStringLiteral("UpdateInfo"), QStringLiteral("CurrentVersion"), VersionText());
    settings_ = ReadSettings();
    scores_ = LoadHighScores();

    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    // Take the keyboard even where no window manager hands it over, so that
    // Enter and Esc work at once, also on the return from a battle.
    activateWindow();
    cmdStart->setFocus();

    mciExecute(MovieOpenCommand(MoviePath(), mci::windowHandle(picTitle)));
    mciExecute(QStringLiteral("play TITLE_AVI repeat"));
}

void frmTitle::cmdStart_Click()
{
    if (startBattle_)
        startBattle_(settings_, scores_);
    close();
}

void frmTitle::cmdConfig_Click()
{
    frmConfig dialog(settings_, this);
    dialog.exec();
    // Update may have applied a choice even where the dialog was cancelled.
    settings_ = dialog.settings();
}

void frmTitle::cmdHS_Click()
{
    frmHighScore dialog(settings_, scores_.Table, this);
    dialog.exec();
}

void frmTitle::cmdEnd_Click()
{
    close();
}

void frmTitle::labCopyright_Click()
{
    // Without a browser this does nothing, which is fine.
    QDesktopServices::openUrl(QUrl(WebAddress));
}

void frmTitle::Form_QueryUnload()
{
    if (!loaded_)
        return;
    loaded_ = false;
    mciExecute(QStringLiteral("close TITLE_AVI"));
}

void frmTitle::closeEvent(QCloseEvent* event)
{
    Form_QueryUnload();
    event->accept();
}

void frmTitle::keyPressEvent(QKeyEvent* event)
{
    if (PressButtonForEnter(this, event, cmdStart))
        return;
    switch (event->key()) {
    case Qt::Key_Escape:
        if (event->modifiers() != Qt::NoModifier)
            break;
        cmdEnd->click();
        return;
    default: break;
    }
    QWidget::keyPressEvent(event);
}
