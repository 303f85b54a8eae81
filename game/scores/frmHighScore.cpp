// SPDX-License-Identifier: MIT
#include "frmHighScore.h"

#include "AppFonts.h"
#include "EnterKey.h"
#include "HighScoreRanking.h"
#include "Twips.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>

#include <algorithm>

namespace {

// The ideographic spaces widen the columns to their design widths. The
// widths stay those of this Japanese string in every language; a translation
// only replaces the header words.
const QString RankFormat =
    QStringLiteral("<順位|<得点　　　　|<名前　　　　　　　　　　　|<日時　　　　　　　　　　　　　　　");
const char* const HeaderWords[] = {
    QT_TRANSLATE_NOOP("frmHighScore", "順位"),
    QT_TRANSLATE_NOOP("frmHighScore", "得点"),
    QT_TRANSLATE_NOOP("frmHighScore", "名前"),
    //: Column of the date and time of each entry.
    QT_TRANSLATE_NOOP("frmHighScore", "日時"),
};

const QColor FirstPlaceText(255, 0, 0);
const QColor FirstPlaceBack(255, 255, 192);

// Room a grid cell leaves around its text, in pixels, left and right together.
constexpr int CellPadding = 4;

// A frame whose caption sits on its top edge, as the classic frame control
// draws it; the options inside keep their designed positions clear of it.
const QString FrameStyle =
    QStringLiteral("QGroupBox { border: 2px groove palette(mid); margin-top: 6px; }"
                   "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
                   " left: 6px; padding: 0px 1px; }");

QRadioButton* MakeOption(QGroupBox* frame, const QString& name, const QString& caption, QRect geometry)
{
    auto* option = new QRadioButton(caption, frame);
    option->setObjectName(name);
    option->setGeometry(geometry);
    return option;
}

} // namespace

QList<frmHighScore::GridColumn> frmHighScore::ParseFormatString(const QString& format)
{
    QList<GridColumn> columns;
    for (const QString& part : format.split(QLatin1Char('|'))) {
        GridColumn column{part, Qt::AlignLeft | Qt::AlignVCenter};
        if (!part.isEmpty()) {
            const QChar lead = part.front();
            Qt::Alignment horizontal = {};
            if (lead == QLatin1Char('<'))
                horizontal = Qt::AlignLeft;
            else if (lead == QLatin1Char('^'))
                horizontal = Qt::AlignHCenter;
            else if (lead == QLatin1Char('>'))
                horizontal = Qt::AlignRight;
            if (horizontal) {
                column.header = part.mid(1);
                column.alignment = horizontal | Qt::AlignVCenter;
            }
        }
        columns.append(column);
    }
    return columns;
}

frmHighScore::frmHighScore(const GameSettings& settings, const HighScoreTable& table, QWidget* parent)
    : QDialog(parent)
    , table_(table)
{
    setObjectName(QStringLiteral("frmHighScore"));
    setWindowTitle(tr("Mortavel - ハイスコア"));
    setFont(FormFont());
    setFixedSize(TwipsSize(6915, 4035));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    fraLevel = new QGroupBox(tr("難易度"), this);
    fraLevel->setObjectName(QStringLiteral("fraLevel"));
    fraLevel->setToolTip(tr("難易度設定を切り替えます"));
    fraLevel->setGeometry(TwipsRect(75, 75, 3315, 615));
    fraLevel->setStyleSheet(FrameStyle);
    const QStringList levels{QStringLiteral("Easy"), QStringLiteral("Normal"), QStringLiteral("Hard")};
    const int levelLefts[3] = {225, 1237, 2250};
    for (int i = 0; i < 3; ++i) {
        optLevel[i] = MakeOption(fraLevel, QStringLiteral("optLevel(%1)").arg(i), levels[i],
                                 TwipsRect(levelLefts[i], 225, 975, 255));
        connect(optLevel[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                optLevel_Click(i);
        });
    }

    fraTime = new QGroupBox(tr("時間"), this);
    fraTime->setObjectName(QStringLiteral("fraTime"));
    fraTime->setToolTip(tr("制限時間設定を切り替えます"));
    fraTime->setGeometry(TwipsRect(3525, 75, 3315, 615));
    fraTime->setStyleSheet(FrameStyle);
    const int timeLefts[4] = {225, 1025, 1825, 2625};
    for (int i = 0; i < 4; ++i) {
        optTime[i] =
            MakeOption(fraTime, QStringLiteral("optTime(%1)").arg(i), QString::number(rules::TimeChoices[i]),
                       TwipsRect(timeLefts[i], 225, 765, 255));
        connect(optTime[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                optTime_Click(i);
        });
    }

    fxgRank = new QTableWidget(this);
    fxgRank->setObjectName(QStringLiteral("fxgRank"));
    fxgRank->setToolTip(tr("選択中の難易度・時間でのスコアベスト10です"));
    fxgRank->setGeometry(TwipsRect(450, 825, 6015, 2715));
    SetUpGrid();

    cmdQuit = new QPushButton(tr("閉じる(&Q)"), this);
    cmdQuit->setObjectName(QStringLiteral("cmdQuit"));
    cmdQuit->setToolTip(tr("タイトル画面に戻ります"));
    cmdQuit->setGeometry(TwipsRect(5550, 3600, 1290, 390));
    connect(cmdQuit, &QPushButton::clicked, this, &frmHighScore::cmdQuit_Click);

    Form_Load(settings);
}

void frmHighScore::SetUpGrid()
{
    QFont gridFont(QStringLiteral("MS UI Gothic"));
    gridFont.setPointSizeF(9.75);
    fxgRank->setFont(gridFont);
    fxgRank->horizontalHeader()->setFont(gridFont);

    const QList<GridColumn> columns = ParseFormatString(RankFormat);
    fxgRank->setColumnCount(int(columns.size()));
    const QFontMetrics metrics(gridFont);
    for (int c = 0; c < columns.size(); ++c) {
        // The word is replaced, the widening spaces stay.
        const QString& design = columns[c].header;
        const QString word = QString::fromUtf8(HeaderWords[c]);
        const QString text = design.startsWith(word) ? tr(HeaderWords[c]) + design.mid(word.size()) : design;
        auto* header = new QTableWidgetItem(text);
        header->setTextAlignment(columns[c].alignment);
        fxgRank->setHorizontalHeaderItem(c, header);
        fxgRank->setColumnWidth(c, metrics.horizontalAdvance(design) + CellPadding);
    }
    QHeaderView* top = fxgRank->horizontalHeader();
    top->setSectionResizeMode(QHeaderView::Fixed);
    top->setHighlightSections(false);
    top->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    top->setMinimumSectionSize(1);
    fxgRank->verticalHeader()->hide();
    fxgRank->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    fxgRank->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The header and all ten places fit above the horizontal scroll bar that
    // the wide columns need, as long as the text still fits its rows.
    int columnsWidth = 0;
    for (int c = 0; c < columns.size(); ++c)
        columnsWidth += fxgRank->columnWidth(c);
    const int frame = 2 * fxgRank->frameWidth();
    int room = fxgRank->height() - frame;
    if (columnsWidth > fxgRank->width() - frame)
        room -= fxgRank->horizontalScrollBar()->sizeHint().height();
    const int rowHeight = std::max(metrics.height(), std::min(metrics.height() + 3, room / 11));
    fxgRank->verticalHeader()->setMinimumSectionSize(1);
    fxgRank->verticalHeader()->setDefaultSectionSize(rowHeight);
    fxgRank->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    top->setFixedHeight(rowHeight);

    fxgRank->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the grid for the next control rather than walking its cells.
    fxgRank->setTabKeyNavigation(false);
    fxgRank->setSelectionMode(QAbstractItemView::NoSelection);
    fxgRank->setWordWrap(false);
    fxgRank->setCornerButtonEnabled(false);
    fxgRank->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
}

void frmHighScore::Form_Load(const GameSettings& settings)
{
    bool filled = false;
    if (rules::IsAllowedGameLevel(settings.GameLevel)) {
        optLevel[settings.GameLevel]->setChecked(true);
        filled = true;
    }
    const int t = rules::TimeIndexOf(settings.TimeLimit);
    if (t >= 0 && t < static_cast<int>(rules::TimeChoices.size())) {
        optTime[t]->setChecked(true);
        filled = true;
    }
    // Settings outside their ranges select no option; show list (0, 0) rather
    // than an empty grid.
    if (!filled)
        ShowRanking();
}

void frmHighScore::optLevel_Click(int index)
{
    LevelIndex = static_cast<vb::Integer>(index);
    ShowRanking();
}

void frmHighScore::optTime_Click(int index)
{
    TimeIndex = static_cast<vb::Integer>(index);
    ShowRanking();
}

void frmHighScore::cmdQuit_Click()
{
    reject();
}

void frmHighScore::ShowRanking()
{
    const HighScoreList& list = table_[TimeIndex][LevelIndex];
    const QList<GridColumn> columns = ParseFormatString(RankFormat);
    fxgRank->setRowCount(0);
    fxgRank->setRowCount(10);
    for (int p = 0; p < 10; ++p) {
        // Item views never interpret markup, so a name shows exactly as stored.
        const QString cells[4] = {QString::number(p + 1), QString::number(list.Score[p]), list.PlayerName[p],
                                  FormatEntryDate(list.EntryDate[p])};
        for (int c = 0; c < 4; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(columns[c].alignment);
            item->setFlags(Qt::ItemIsEnabled);
            fxgRank->setItem(p, c, item);
        }
    }
    // First place, all four cells.
    for (int c = 0; c < 4; ++c) {
        fxgRank->item(0, c)->setForeground(FirstPlaceText);
        fxgRank->item(0, c)->setBackground(FirstPlaceBack);
    }
}

void frmHighScore::keyPressEvent(QKeyEvent* event)
{
    // The viewer has neither a default nor a cancel button: Enter presses
    // 閉じる only when it has the focus, and Esc does nothing (a dialog would
    // close on it). 閉じる and the close box close it.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    if (!PressButtonForEnter(this, event, nullptr))
        QDialog::keyPressEvent(event);
}
