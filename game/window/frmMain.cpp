// SPDX-License-Identifier: MIT
#include "frmMain.h"

#include "BattleEnding.h"
#include "BattleSlider.h"
#include "BattleWindowTexts.h"
#include "ExposeRepaint.h"
#include "GameRandom.h"
#include "GaugeHost.h"
#include "PictureBox.h"
#include "RadarRenderer.h"
#include "ScenePictures.h"
#include "SceneRenderer.h"
#include "SystemClock.h"
#include "VbInput.h"

#include "DataPaths.h"
#include "GameLanguage.h"
#include "Mci.h"
#include "Resources.h"
#include "Twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

namespace {

QColor colorOf(std::uint32_t bgr)
{
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

QString qs(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

QLabel* makeLabel(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(geometry);
    return label;
}

QImage designPicture(const char* name)
{
    return LoadFormPicture(QLatin1String(name));
}

QImage resourcePicture(int id)
{
    return LoadResPicture(id);
}

// Said once per run: every later battle plays on with the built-in gauge too.
void reportGaugeFallback(const QString& reason)
{
    static bool reported = false;
    if (reported)
        return;
    reported = true;
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Mortavel"),
                    frmMain::tr("装填ゲージのライブラリ VelPrgBar を読み込めませんでした。\n"
                                "簡易ゲージでゲームを続けます。"),
                    QMessageBox::Ok);
    box.setInformativeText(reason);
    box.exec();
}

} // namespace

frmMain::frmMain(QWidget* parent)
    : frmMain(Options{}, parent)
{
}

frmMain::frmMain(Options options, QWidget* parent)
    : QWidget(parent)
    , options_(std::move(options))
{
    random_ = options_.random ? options_.random : &GameRandom::instance();
    clock_ = options_.clock ? options_.clock : &SystemClock::instance();

    setObjectName(QStringLiteral("frmMain"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Mortavel"));
    setFixedSize(TwipsSize(7800, 6150));
    buildControls();
    if (!pgbReload_->usesLibrary())
        reportGaugeFallback(pgbReload_->failure());

    // The sounds sit in the same data folder as the movie and the scores.
    battle_ =
        std::make_unique<Battle>(*this, *random_, *clock_, options_.settings, AppPath().toStdString(),
                                 QFileInfo(DataDir()).fileName().toStdString(), TranslatedBattleTexts());
    battle_->Form_Load();
    // tmrMain is enabled at design time: it starts with the form.
    SetTimerEnabled(Timer::tmrMain, true);

    // Key preview: the form sees every key release before its controls.
    qApp->installEventFilter(this);
}

frmMain::~frmMain()
{
    for (QTimer* timer : timers_)
        timer->stop();
    // The battle may still refer to the gauge and the controls: it goes first.
    battle_.reset();
}

void frmMain::buildControls()
{
    // The form's font; Japanese faces map to what the system has.
    setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));

    picGaugeH_ = new PictureBox(this);
    picGaugeH_->setObjectName(QStringLiteral("picGaugeH"));
    picGaugeH_->setGeometry(TwipsRect(75, 75, 1500, 1500));
    picGaugeH_->setPicture(designPicture("picGaugeH"));
    picGaugeH_->setLine(QLineF(750, 750, 750, 0), Qt::red, 2);
    picGaugeH_->setToolTip(tr("現在の砲の水平方向の向きを示します"));

    picGaugeV_ = new PictureBox(this);
    picGaugeV_->setObjectName(QStringLiteral("picGaugeV"));
    picGaugeV_->setGeometry(TwipsRect(75, 1725, 1500, 1500));
    picGaugeV_->setPicture(designPicture("picGaugeV"));
    picGaugeV_->setLine(QLineF(1500, 1500, 6, 1369), Qt::red, 2);
    picGaugeV_->setToolTip(tr("現在の砲の仰角を示します"));

    picScene_ = new PictureBox(this);
    picScene_->setObjectName(QStringLiteral("picScene"));
    picScene_->setGeometry(TwipsRect(1725, 75, 6000, 3600));
    sceneRenderer_ = std::make_unique<SceneRenderer>(&loadScenePicture);
    picScene_->setPicture(resourcePicture(scene::BackgroundPicture));
    picScene_->setToolTip(tr("現在の視野内の光景です"));

    labTime_ = makeLabel(this, "labTime", TwipsRect(75, 3375, 1440, 240));
    labTime_->setToolTip(tr("残り秒数を示します"));
    labScore_ = makeLabel(this, "labScore", TwipsRect(75, 3675, 1440, 240));
    labScore_->setToolTip(tr("現在のスコアを示します"));

    picRader_ = new PictureBox(this);
    picRader_->setObjectName(QStringLiteral("picRader"));
    picRader_->setGeometry(TwipsRect(75, 4125, 1950, 1950));
    radarRenderer_ = std::make_unique<RadarRenderer>(resourcePicture(radar::BackgroundPicture));
    picRader_->setContentPainter([this](QPainter& painter, const QRectF& target) {
        radarRenderer_->paint(painter, target, radarMarks_);
    });
    picRader_->setLine(QLineF(975, 60, 975, 975), Qt::red, 3);
    picRader_->setToolTip(tr("自艦を中心として敵艦の方向と位置を示します。赤い線は現在の視野中心方向です。"));

    sldV_ = new BattleSlider(Qt::Vertical, this);
    sldV_->setObjectName(QStringLiteral("sldV"));
    sldV_->setGeometry(TwipsRect(2100, 3750, 525, 2265));
    sldV_->setRange(5, 85);
    sldV_->setInvertedAppearance(true); // Min at the top
    sldV_->setInvertedControls(true);
    sldV_->setValue(85);
    sldV_->setSingleStep(1);
    sldV_->setPageStep(10);
    sldV_->setTickPosition(QSlider::TicksRight);
    sldV_->setTickInterval(10);
    sldV_->setToolTip(tr("砲の仰角を設定します"));

    sldH_ = new BattleSlider(Qt::Horizontal, this);
    sldH_->setObjectName(QStringLiteral("sldH"));
    sldH_->setGeometry(TwipsRect(2700, 3750, 4965, 525));
    sldH_->setRange(-135, 135);
    sldH_->setValue(0);
    sldH_->setSingleStep(1);
    sldH_->setPageStep(15);
    sldH_->setTickPosition(QSlider::TicksBelow);
    sldH_->setTickInterval(15);
    sldH_->setToolTip(tr("砲の水平方向の向きを設定します"));

    pgbReload_ = new GaugeHost(4890, 390, this);
    pgbReload_->setObjectName(QStringLiteral("pgbReload"));
    pgbReload_->move(TwipsRect(2775, 4350, 4890, 390).topLeft());
    pgbReload_->setToolTip(tr("砲弾を装填していますので、このゲージがフルになるまでは発射できません"));
    pgbReload_->hide();

    auto* shpMessage = new QFrame(this);
    shpMessage->setObjectName(QStringLiteral("shpMessage"));
    shpMessage->setGeometry(TwipsRect(2775, 4800, 4890, 765));
    shpMessage->setFrameStyle(QFrame::Box | QFrame::Plain);
    shpMessage->setLineWidth(1);
    {
        QPalette p = shpMessage->palette();
        p.setColor(QPalette::WindowText, Qt::black);
        shpMessage->setPalette(p);
    }

    const int messageTops[3] = {4875, 5100, 5325};
    for (int i = 0; i < 3; ++i) {
        const QByteArray name = "labMessage" + QByteArray::number(i);
        labMessage_[i] = makeLabel(this, name.constData(), TwipsRect(2925, messageTops[i], 4590, 165));
        labMessage_[i]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        SetMessageLine(i, {}, colors::Black);
    }

    cmdTurn_ = new QPushButton(tr("旋回(&T)"), this);
    cmdTurn_->setObjectName(QStringLiteral("cmdTurn"));
    cmdTurn_->setGeometry(TwipsRect(4500, 5700, 1515, 390));
    cmdTurn_->setToolTip(tr("ゲージで設定した角度に砲塔を旋回します"));
    connect(cmdTurn_, &QPushButton::clicked, this, [this] {
        if (!ending_)
            battle_->cmdTurn_Click();
    });

    cmdFire_ = new QPushButton(tr("発射(&F)"), this);
    cmdFire_->setObjectName(QStringLiteral("cmdFire"));
    cmdFire_->setGeometry(TwipsRect(6150, 5700, 1515, 390));
    cmdFire_->setToolTip(tr("砲を発射します"));
    connect(cmdFire_, &QPushButton::clicked, this, [this] {
        if (!ending_)
            battle_->cmdFire_Click();
    });

    labGameOver_ = makeLabel(picScene_, "labGameOver", TwipsRect(1200, 1350, 3405, 810));
    labGameOver_->setText(QStringLiteral("Game Over"));
    QFont over(QStringLiteral("Times New Roman"), 36, QFont::Bold, true);
    labGameOver_->setFont(over);
    {
        QPalette p = labGameOver_->palette();
        p.setColor(QPalette::WindowText, QColor(255, 0, 0));
        labGameOver_->setPalette(p);
    }
    labGameOver_->setAttribute(Qt::WA_TranslucentBackground);
    labGameOver_->setAutoFillBackground(false);
    labGameOver_->hide();

    const char* timerNames[3] = {"tmrMain", "tmrTurn", "tmrReload"};
    const int intervals[3] = {500, 100, 100};
    for (int i = 0; i < 3; ++i) {
        auto* timer = new QTimer(this);
        timer->setObjectName(QLatin1String(timerNames[i]));
        timer->setInterval(intervals[i]);
        timer->setTimerType(Qt::PreciseTimer);
        const auto which = static_cast<Timer>(i);
        connect(timer, &QTimer::timeout, this, [this, which] { onTimeout(which); });
        timers_[i] = timer;
    }
}

// ---------------------------------------------------------------- timers

void frmMain::tick(Timer timer)
{
    onTimeout(timer);
}

void frmMain::onTimeout(Timer timer)
{
    if (!timerEnabled_[static_cast<int>(timer)])
        return;
    switch (timer) {
    case Timer::tmrMain: battle_->tmrMain_Timer(); break;
    case Timer::tmrTurn: battle_->tmrTurn_Timer(); break;
    case Timer::tmrReload: battle_->tmrReload_Timer(); break;
    }
}

void frmMain::SetTimerEnabled(Timer timer, bool enabled)
{
    const int i = static_cast<int>(timer);
    timerEnabled_[i] = enabled;
    if (options_.manualTimers)
        return;
    if (!enabled)
        timers_[i]->stop();
    else if (!timers_[i]->isActive())
        timers_[i]->start();
}

bool frmMain::TimerEnabled(Timer timer)
{
    return timerEnabled_[static_cast<int>(timer)];
}

// ---------------------------------------------------------------- controls

void frmMain::SetTimeCaption(const std::string& text)
{
    labTime_->setText(qs(text));
}

void frmMain::SetScoreCaption(const std::string& text)
{
    labScore_->setText(qs(text));
}

void frmMain::SetMessageLine(int index, const std::string& text, std::uint32_t color)
{
    if (index < 0 || index > 2)
        return;
    QLabel* label = labMessage_[index];
    label->setText(qs(text));
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colorOf(color));
    label->setPalette(p);
}

QWidget* frmMain::controlWidget(Control control) const
{
    switch (control) {
    case Control::cmdTurn: return cmdTurn_;
    case Control::cmdFire: return cmdFire_;
    case Control::sldH: return sldH_;
    case Control::sldV: return sldV_;
    }
    return nullptr;
}

BattleSlider* frmMain::sliderWidget(Slider slider) const
{
    return slider == Slider::sldH ? sldH_ : sldV_;
}

void frmMain::SetEnabled(Control control, bool enabled)
{
    controlWidget(control)->setEnabled(enabled);
}

bool frmMain::IsEnabled(Control control)
{
    return controlWidget(control)->isEnabled();
}

int frmMain::SliderValue(Slider slider)
{
    return sliderWidget(slider)->value();
}

void frmMain::SetSliderValue(Slider slider, int value)
{
    BattleSlider* s = sliderWidget(slider);
    s->setValue(std::clamp(value, s->minimum(), s->maximum()));
}

void frmMain::MoveViewLine(double x1, double y1)
{
    picRader_->setLineP1(QPointF(x1, y1));
}

void frmMain::MoveBearingNeedle(double x2, double y2)
{
    picGaugeH_->setLineP2(QPointF(x2, y2));
}

void frmMain::MoveElevationNeedle(double x2, double y2)
{
    picGaugeV_->setLineP2(QPointF(x2, y2));
}

void frmMain::DrawRadar()
{
    radarMarks_ = RadarMarks(battle_->State());
    picRader_->update();
}

void frmMain::DrawScene()
{
    // Composed whole off-screen from a copy of the fleet, then shown at once.
    picScene_->setPicture(sceneRenderer_->render(battle_->State()));
}

void frmMain::SendMedia(const std::string& command)
{
    if (options_.media) {
        options_.media(command);
        return;
    }
    mciExecute(qs(command));
}

bool frmMain::AskYesNo(const std::string& text, const std::string& title)
{
    QMessageBox box(QMessageBox::Question, qs(title), qs(text), QMessageBox::Yes | QMessageBox::No, this);
    // Qt's own translation names the buttons; without it, the game does.
    if (!GameLanguage::standardButtonsTranslated()) {
        box.button(QMessageBox::Yes)->setText(QStringLiteral("はい(&Y)"));
        box.button(QMessageBox::No)->setText(QStringLiteral("いいえ(&N)"));
    }
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    closeQuestion_ = &box;
    const bool yes = box.exec() == QMessageBox::Yes && !endAfterQuestion_;
    closeQuestion_ = nullptr;
    return yes;
}

ReloadGauge& frmMain::Gauge()
{
    return *pgbReload_;
}

// ---------------------------------------------------------------- input

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel: break;
    default: return false;
    }
    if (!watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget != this && !isAncestorOf(widget))
        return false;

    // While the battle ends, the player's commands have no effect.
    if (ending_)
        return true;

    if (event->type() == QEvent::KeyRelease)
        return onKeyRelease(widget, static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::MouseButtonRelease && widget == picRader_) {
        onRadarMouseUp(static_cast<QMouseEvent*>(event));
        return true;
    }
    return false;
}

bool frmMain::onKeyRelease(QWidget* receiver, QKeyEvent* event)
{
    // Only the first delivery, to the focused control (or the form itself);
    // an ignored event travels on to the parents and must not count twice.
    QWidget* focused = QApplication::focusWidget();
    QWidget* first = (focused && (focused == this || isAncestorOf(focused))) ? focused : this;
    if (receiver != first)
        return false;
    // A held key repeats its press, but counts as one release.
    if (event->isAutoRepeat())
        return false;

    int keyCode = vbKeyCode(event->key());
    if (keyCode == 0)
        return false;
    battle_->Form_KeyUp(keyCode, vbShift(event->modifiers()));
    if (keyCode != 0)
        return false;

    // Consumed. A button pressed by the same Space key must not stay down.
    if (auto* button = qobject_cast<QAbstractButton*>(receiver); button && button->isDown())
        button->setDown(false);
    event->accept();
    return true;
}

void frmMain::onRadarMouseUp(QMouseEvent* event)
{
    const QPointF p = event->position();
    battle_->picRader_MouseUp(vbButton(event->button()), vbShift(event->modifiers()),
                              static_cast<vb::Single>(p.x() * TwipsPerPixel),
                              static_cast<vb::Single>(p.y() * TwipsPerPixel));
}

// ---------------------------------------------------------------- closing

void frmMain::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    repaintChildrenOnReframe(this);
}

void frmMain::closeEvent(QCloseEvent* event)
{
    if (closingFromCode_) {
        battle_->Form_QueryUnload(1);
        event->accept();
        return;
    }
    // The end of the battle closes the form itself when it is done.
    if (ending_ || battle_->Form_QueryUnload(0)) {
        event->ignore();
        if (endAfterQuestion_) {
            // The question's own loop has returned; the end sequence starts
            // from the main loop, where closing the form can delete it.
            endAfterQuestion_ = false;
            QMetaObject::invokeMethod(this, &frmMain::runEndSequence, Qt::QueuedConnection);
        }
        return;
    }
    event->accept();
}

void frmMain::closeFromCode()
{
    closingFromCode_ = true;
    close();
}

// ---------------------------------------------------------------- end of battle

void frmMain::EndBattle()
{
    if (ending_)
        return;
    // The battle has already stopped its timers and sounds.
    ending_ = true;

    if (closeQuestion_) {
        // The time ran out while the player was asked whether to quit. The
        // question is answered No, and the end waits until its loop has
        // returned: run inside it, the end would close and delete the form
        // under the question box and the close handler still on the stack.
        endAfterQuestion_ = true;
        closeQuestion_->done(QMessageBox::No);
        return;
    }
    runEndSequence();
}

void frmMain::runEndSequence()
{
    BattleEnding(this, picScene_, labGameOver_, *clock_)
        .run(battle_->Settings(), options_.scores, battle_->State().Points);
    closeFromCode();
}

frmMain* ShowBattleWindow(const GameSettings& settings, const HighScores& scores)
{
    frmMain::Options options;
    options.settings = settings;
    options.scores = scores;
    auto* form = new frmMain(std::move(options));
    form->show();
    return form;
}
