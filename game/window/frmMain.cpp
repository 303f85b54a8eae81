// SPDX-License-Identifier: MIT
#include "frmMain.h"

#include "BattleEnding.h"
#include "BattleSlider.h"
#include "BattleWindowTexts.h"
#include "ExposeRepaint.h"
#include "frmMainDesign.h"
#include "GaugeHost.h"
#include "PictureBox.h"
#include "RadarRenderer.h"
#include "ScenePictures.h"
#include "SceneRenderer.h"
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

namespace design = frmMainDesign;

// The sliders carry the battle's own ranges.
static_assert(design::sldH.min == Battle::kBearingMin && design::sldH.max == Battle::kBearingMax);
static_assert(design::sldV.min == Battle::kElevationSliderMin
              && design::sldV.max == Battle::kElevationSliderMax);
static_assert(design::Timers.size() == 3 && design::labMessage.size() == 3);

QRect twipsRect(const design::Twips& twips)
{
    return TwipsRect(twips.left, twips.top, twips.width, twips.height);
}

// Names the widget, lays it out and gives it its tip, as designed.
template <typename Widget> Widget* place(Widget* widget, const design::ControlDesign& d)
{
    widget->setObjectName(QLatin1String(d.name));
    widget->setGeometry(twipsRect(d.rect));
    if (d.toolTip)
        widget->setToolTip(frmMain::tr(d.toolTip));
    return widget;
}

QLabel* makeLabel(QWidget* parent, const design::ControlDesign& d)
{
    auto* label = place(new QLabel(parent), d);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

void setLine(PictureBox* box, const design::LineDesign& line)
{
    box->setLine(QLineF(line.x1, line.y1, line.x2, line.y2), Qt::red, line.widthPixels);
}

void setRange(QSlider* slider, const design::SliderDesign& d)
{
    slider->setRange(d.min, d.max);
    slider->setValue(d.value);
    slider->setSingleStep(d.smallChange);
    slider->setPageStep(d.largeChange);
    slider->setTickInterval(d.tickFrequency);
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

frmMain::frmMain(Options options, QWidget* parent)
    : QWidget(parent)
    , options_(std::move(options))
{
    Q_ASSERT(options_.random && options_.clock);
    random_ = options_.random;
    clock_ = options_.clock;

    setObjectName(QStringLiteral("frmMain"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Mortavel"));
    setFixedSize(TwipsSize(design::FormWidth, design::FormHeight));
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

    picGaugeH_ = place(new PictureBox(this), design::picGaugeH);
    picGaugeH_->setPicture(designPicture("picGaugeH"));
    setLine(picGaugeH_, design::linHGauge);

    picGaugeV_ = place(new PictureBox(this), design::picGaugeV);
    picGaugeV_->setPicture(designPicture("picGaugeV"));
    setLine(picGaugeV_, design::linVGauge);

    picScene_ = place(new PictureBox(this), design::picScene);
    sceneRenderer_ = std::make_unique<SceneRenderer>(&loadScenePicture);
    picScene_->setPicture(resourcePicture(scene::BackgroundPicture));

    labTime_ = makeLabel(this, design::labTime);
    labScore_ = makeLabel(this, design::labScore);

    picRader_ = place(new PictureBox(this), design::picRader);
    radarRenderer_ = std::make_unique<RadarRenderer>(resourcePicture(radar::BackgroundPicture));
    picRader_->setContentPainter([this](QPainter& painter, const QRectF& target) {
        radarRenderer_->paint(painter, target, radarMarks_);
    });
    setLine(picRader_, design::linView);

    sldV_ = place(new BattleSlider(Qt::Vertical, this), design::sldV.control);
    sldV_->setInvertedAppearance(true); // Min at the top
    sldV_->setInvertedControls(true);
    sldV_->setTickPosition(QSlider::TicksRight);
    setRange(sldV_, design::sldV);

    sldH_ = place(new BattleSlider(Qt::Horizontal, this), design::sldH.control);
    sldH_->setTickPosition(QSlider::TicksBelow);
    setRange(sldH_, design::sldH);

    // The gauge takes its size in twips itself; only its place is set here.
    const design::Twips& gauge = design::pgbReload.rect;
    pgbReload_ = new GaugeHost(gauge.width, gauge.height, this);
    pgbReload_->setObjectName(QLatin1String(design::pgbReload.name));
    pgbReload_->move(twipsRect(gauge).topLeft());
    pgbReload_->setToolTip(tr(design::pgbReload.toolTip));
    pgbReload_->hide();

    auto* shpMessage = place(new QFrame(this), design::shpMessage);
    shpMessage->setFrameStyle(QFrame::Box | QFrame::Plain);
    shpMessage->setLineWidth(1);
    {
        QPalette p = shpMessage->palette();
        p.setColor(QPalette::WindowText, Qt::black);
        shpMessage->setPalette(p);
    }

    for (int i = 0; i < 3; ++i) {
        labMessage_[i] = makeLabel(this, design::labMessage[i]);
        labMessage_[i]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        SetMessageLine(i, {}, colors::Black);
    }

    cmdTurn_ = place(new QPushButton(tr(design::cmdTurn.caption), this), design::cmdTurn);
    connect(cmdTurn_, &QPushButton::clicked, this, [this] {
        if (!ending_)
            battle_->cmdTurn_Click();
    });

    cmdFire_ = place(new QPushButton(tr(design::cmdFire.caption), this), design::cmdFire);
    connect(cmdFire_, &QPushButton::clicked, this, [this] {
        if (!ending_)
            battle_->cmdFire_Click();
    });

    labGameOver_ = makeLabel(picScene_, design::labGameOver);
    labGameOver_->setText(QStringLiteral("Game Over"));
    QFont over(QStringLiteral("Times New Roman"), 36, QFont::Bold);
    over.setItalic(true);
    labGameOver_->setFont(over);
    {
        QPalette p = labGameOver_->palette();
        p.setColor(QPalette::WindowText, QColor(255, 0, 0));
        labGameOver_->setPalette(p);
    }
    labGameOver_->setAttribute(Qt::WA_TranslucentBackground);
    labGameOver_->setAutoFillBackground(false);
    labGameOver_->hide();

    for (int i = 0; i < 3; ++i) {
        auto* timer = new QTimer(this);
        timer->setObjectName(QLatin1String(design::Timers[i].name));
        timer->setInterval(design::Timers[i].intervalMs);
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
        battle_->Form_QueryUnload(Battle::UnloadMode::FormCode);
        event->accept();
        return;
    }
    // The end of the battle closes the form itself when it is done.
    if (ending_ || battle_->Form_QueryUnload(Battle::UnloadMode::FormControlMenu)) {
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
    BattleEnding(this, picScene_, labGameOver_, *clock_, options_.showTitle)
        .run(battle_->Settings(), options_.scores, battle_->State().Points);
    closeFromCode();
}

frmMain* ShowBattleWindow(frmMain::Options options)
{
    auto* form = new frmMain(std::move(options));
    form->show();
    return form;
}
