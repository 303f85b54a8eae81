// SPDX-License-Identifier: MIT
#include "frmConfig.h"

#include "AppFonts.h"
#include "ClickLabel.h"
#include "EnterKey.h"
#include "RoundedShape.h"
#include "SettingsStore.h"
#include "Twips.h"

#include <QKeyEvent>
#include <QPushButton>

namespace {

const QColor SelectedFill(255, 240, 160);
const QColor SelectedBorder(255, 0, 0);
const QColor UnselectedFill(224, 224, 224);

constexpr int ShapeWidth = 690;
constexpr int ShapeHeight = 315;
constexpr int TagLeft = 225;

struct RowDesign {
    const char* controlName; // option label array
    const char* shapeName;
    int top;
    const char* tag;
    const char* tagTip;
    QList<int> columns; // shape left edges
    QStringList captions;
};

template <std::size_t N> QStringList Captions(const std::array<vb::Integer, N>& choices)
{
    QStringList captions;
    for (const vb::Integer choice : choices)
        captions.append(QString::number(choice));
    return captions;
}

const RowDesign& Design(int row)
{
    static const RowDesign design[3] = {
        {"labMax",
         "shpMax",
         225,
         QT_TRANSLATE_NOOP("frmConfig", "敵艦の最大出現数："),
         QT_TRANSLATE_NOOP("frmConfig", "同時に画面内に出現する敵艦の最大数です"),
         {2475, 3300, 4125},
         Captions(rules::EnemyChoices)},
        {"labTime",
         "shpTime",
         825,
         QT_TRANSLATE_NOOP("frmConfig", "プレイ時間："),
         QT_TRANSLATE_NOOP("frmConfig", "一回のゲームのスタートから終了までの時間（秒単位）です"),
         {1650, 2475, 3300, 4125},
         Captions(rules::TimeChoices)},
        {"labLevel",
         "shpLevel",
         1425,
         QT_TRANSLATE_NOOP("frmConfig", "ゲーム難易度："),
         QT_TRANSLATE_NOOP("frmConfig", "ゲームの難しさの設定です"),
         {2475, 3300, 4125},
         {"Easy", "Normal", "Hard"}},
    };
    return design[row];
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, const QString& tip,
                        QRect geometry)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(tip);
    button->setGeometry(geometry);
    // OK stays the default button wherever the focus is; the form decides
    // what Enter presses.
    button->setAutoDefault(false);
    return button;
}

} // namespace

frmConfig::frmConfig(const GameSettings& settings, QWidget* parent)
    : QDialog(parent)
    , settings_(settings)
{
    setObjectName(QStringLiteral("frmConfig"));
    setWindowTitle(tr("Mortavel - 設定"));
    setFont(FormFont());
    setFixedSize(TwipsSize(4890, 2910));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    for (int row = 0; row < 3; ++row) {
        const RowDesign& d = Design(row);
        RowControls& r = rows_[row];
        const int firstColumn = d.columns.front();
        r.tag = new QLabel(tr(d.tag), this);
        r.tag->setTextFormat(Qt::PlainText);
        r.tag->setObjectName(QStringLiteral("labTag(%1)").arg(row));
        r.tag->setToolTip(tr(d.tagTip));
        r.tag->setGeometry(TwipsRect(TagLeft, d.top, firstColumn - TagLeft - 75, ShapeHeight));
        r.tag->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        // A row takes the focus at its caption, so a row can be chosen from
        // without a mouse: its arrows move the choice.
        r.tag->setFocusPolicy(Qt::TabFocus);
        r.tag->setStyleSheet(QStringLiteral("QLabel:focus { border: 1px dotted palette(text); }"));
        for (int i = 0; i < d.columns.size(); ++i) {
            const QRect box = TwipsRect(d.columns[i], d.top, ShapeWidth, ShapeHeight);
            auto* shape = new RoundedShape(this);
            shape->setObjectName(QStringLiteral("%1(%2)").arg(QLatin1String(d.shapeName)).arg(i));
            shape->setGeometry(box);
            shape->setFillColor(UnselectedFill);
            r.shapes.append(shape);
            // The label covers its whole shape so a click anywhere on the mark counts.
            auto* label = new ClickLabel(d.captions[i], this);
            label->setObjectName(QStringLiteral("%1(%2)").arg(QLatin1String(d.controlName)).arg(i));
            label->setGeometry(box);
            label->setAlignment(Qt::AlignCenter);
            label->raise();
            r.labels.append(label);
            connect(label, &ClickLabel::clicked, this, [this, row, i] {
                switch (row) {
                case EnemyRow: labMax_Click(i); break;
                case TimeRow: labTime_Click(i); break;
                default: labLevel_Click(i); break;
                }
            });
        }
    }

    cmdOK = MakeButton(this, "cmdOK", tr("&OK"), tr("設定を反映してタイトル画面に戻ります"),
                       TwipsRect(1260, 2400, 1125, 390));
    cmdQuit = MakeButton(this, "cmdQuit", tr("閉じる(&C)"), tr("設定は変更せずにタイトル画面に戻ります"),
                         TwipsRect(2475, 2400, 1125, 390));
    cmdUpdate = MakeButton(this, "cmdUpdate", tr("更新(&U)"), tr("設定の変更を保存します"),
                           TwipsRect(3690, 2400, 1125, 390));
    cmdDefault = MakeButton(this, "cmdDefault", tr("デフォルトに戻す(&D)"), tr("初期設定値に設定し直します"),
                            TwipsRect(2475, 1875, 2340, 390));
    cmdOK->setDefault(true);
    setTabOrder(cmdOK, cmdQuit);
    setTabOrder(cmdQuit, cmdUpdate);
    setTabOrder(cmdUpdate, cmdDefault);
    setTabOrder(cmdDefault, rows_[0].tag);
    setTabOrder(rows_[0].tag, rows_[1].tag);
    setTabOrder(rows_[1].tag, rows_[2].tag);
    // The rows come after the buttons; the dialog opens on the first button
    // that can act (OK waits for a change), not on a row.
    cmdQuit->setFocus();

    connect(cmdOK, &QPushButton::clicked, this, &frmConfig::cmdOK_Click);
    connect(cmdQuit, &QPushButton::clicked, this, &frmConfig::cmdQuit_Click);
    connect(cmdUpdate, &QPushButton::clicked, this, &frmConfig::cmdUpdate_Click);
    connect(cmdDefault, &QPushButton::clicked, this, &frmConfig::cmdDefault_Click);

    Form_Load();
}

void frmConfig::Form_Load()
{
    Choice[EnemyRow] = static_cast<vb::Integer>(rules::EnemyChoiceOf(settings_.EnemyMax));
    Choice[TimeRow] = static_cast<vb::Integer>(rules::TimeIndexOf(settings_.TimeLimit));
    Choice[LevelRow] = settings_.GameLevel;
    for (int row = 0; row < 3; ++row) {
        SavedChoice[row] = Choice[row];
        MarkRow(row, Choice[row]);
    }
    UpdateButtons();
}

// A choice outside the row (settings not read yet) marks nothing.
void frmConfig::MarkRow(int row, int index)
{
    const QList<RoundedShape*>& shapes = rows_[row].shapes;
    for (int i = 0; i < shapes.size(); ++i) {
        const bool selected = i == index;
        shapes[i]->setFillColor(selected ? SelectedFill : UnselectedFill);
        shapes[i]->setBorderColor(selected ? SelectedBorder : QColor());
    }
}

void frmConfig::labMax_Click(int index)
{
    Choice[EnemyRow] = static_cast<vb::Integer>(index);
    MarkRow(EnemyRow, index);
    UpdateButtons();
}

void frmConfig::labTime_Click(int index)
{
    Choice[TimeRow] = static_cast<vb::Integer>(index);
    MarkRow(TimeRow, index);
    UpdateButtons();
}

void frmConfig::labLevel_Click(int index)
{
    Choice[LevelRow] = static_cast<vb::Integer>(index);
    MarkRow(LevelRow, index);
    UpdateButtons();
}

void frmConfig::cmdDefault_Click()
{
    const GameSettings defaults;
    labMax_Click(rules::EnemyChoiceOf(defaults.EnemyMax));
    labTime_Click(rules::TimeIndexOf(defaults.TimeLimit));
    labLevel_Click(defaults.GameLevel);
}

void frmConfig::cmdUpdate_Click()
{
    ApplySettings();
    UpdateButtons();
}

void frmConfig::cmdOK_Click()
{
    ApplySettings();
    accept();
}

void frmConfig::cmdQuit_Click()
{
    reject();
}

void frmConfig::UpdateButtons()
{
    bool changed = false;
    for (int i = 0; i < 3; ++i)
        changed = changed || Choice[i] != SavedChoice[i];
    cmdOK->setEnabled(changed);
    cmdUpdate->setEnabled(changed);
}

void frmConfig::ApplySettings()
{
    for (int i = 0; i < 3; ++i)
        SavedChoice[i] = Choice[i];
    settings_.EnemyMax = static_cast<vb::Integer>(rules::EnemyMaxOfChoice(Choice[EnemyRow]));
    settings_.TimeLimit = static_cast<vb::Integer>(rules::TimeLimitOfChoice(Choice[TimeRow]));
    settings_.GameLevel = Choice[LevelRow];
    SaveSettings(settings_);
}

void frmConfig::keyPressEvent(QKeyEvent* event)
{
    if (moveChoiceForArrow(event))
        return;
    if (!PressButtonForEnter(this, event, cmdOK))
        QDialog::keyPressEvent(event);
}

bool frmConfig::moveChoiceForArrow(QKeyEvent* event)
{
    const int step = event->key() == Qt::Key_Left ? -1 : event->key() == Qt::Key_Right ? 1 : 0;
    if (step == 0 || (event->modifiers() & ~Qt::KeypadModifier))
        return false;
    for (int row = 0; row < 3; ++row) {
        if (focusWidget() != rows_[row].tag)
            continue;
        const int index = Choice[row] + step;
        if (index >= 0 && index < rows_[row].labels.size()) {
            switch (row) {
            case EnemyRow: labMax_Click(index); break;
            case TimeRow: labTime_Click(index); break;
            default: labLevel_Click(index); break;
            }
        }
        // At the row's end the choice stays where it is.
        event->accept();
        return true;
    }
    return false;
}
