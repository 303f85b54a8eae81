// SPDX-License-Identifier: MIT
// The Qt interface, as a program linking the installed library uses it:
// public header only.
#include <VelProgressBar.h>

#include <QCoreApplication>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMetaProperty>

#include <climits>

#include <gtest/gtest.h>

namespace {

// Counts every NOTIFY signal and remembers the last value each carried.
struct Listener {
    explicit Listener(VelProgressBar& bar)
    {
        QObject::connect(&bar, &VelProgressBar::valueChanged, [this](int v) { values << v; });
        QObject::connect(&bar, &VelProgressBar::rangeChanged,
                         [this](int min, int max) { ranges << qMakePair(min, max); });
        QObject::connect(&bar, &VelProgressBar::stepChanged, [this](int s) { steps << s; });
        QObject::connect(&bar, &VelProgressBar::textChanged, [this](const QString& t) { texts << t; });
        QObject::connect(&bar, &VelProgressBar::barColorChanged, [this](const QColor& c) { colors << c; });
        QObject::connect(&bar, &VelProgressBar::stringTypeChanged,
                         [this](VelProgressBar::StringTypeConstants t) { types << t; });
        QObject::connect(&bar, &VelProgressBar::captionFontChanged,
                         [this](const QFont& f) { fonts << f.family(); });
        QObject::connect(&bar, &VelProgressBar::propertyChanged,
                         [this](const QString& name) { container << name; });
    }
    void clear() { *this = Listener(); }
    int total() const
    {
        return int(values.size() + ranges.size() + steps.size() + texts.size() + colors.size() + types.size()
                   + fonts.size());
    }
    QList<int> values, steps;
    QList<QPair<int, int>> ranges;
    QStringList texts, fonts, container;
    QList<QColor> colors;
    QList<VelProgressBar::StringTypeConstants> types;

private:
    Listener() = default;
};

struct Refusals {
    Refusals() { previous = VelProgressBar::setMessageBoxHandler(count); }
    ~Refusals() { VelProgressBar::setMessageBoxHandler(previous); }
    static void count(QWidget*, QMessageBox::Icon, const QString&, const QString&) { ++seen; }
    static inline int seen = 0;
    VelProgressBar::MessageBoxHandler previous;
};

} // namespace

TEST(Widget, PropertiesAreQtStyleWithNotifySignalsInRestoreOrder)
{
    const QMetaObject& mo = VelProgressBar::staticMetaObject;
    QStringList names;
    for (int i = mo.propertyOffset(); i < mo.propertyCount(); ++i) {
        const QMetaProperty p = mo.property(i);
        names << QString::fromLatin1(p.name());
        EXPECT_TRUE(p.hasNotifySignal()) << p.name();
        EXPECT_TRUE(p.isWritable()) << p.name();
        EXPECT_EQ(p.isDesignable(), names.back() != "captionFont") << p.name();
    }
    // The caption type before the text it guards, the range before the value
    // and the step it bounds: the order uic restores a form in.
    EXPECT_EQ(names,
              QStringList({"barColor", "fwColor", "stringType", "minimum", "maximum", "value", "text", "step",
                           "captionFont"}));
    EXPECT_EQ(mo.property(mo.indexOfProperty("barColor")).metaType(), QMetaType::fromType<QColor>());
    EXPECT_TRUE(mo.property(mo.indexOfProperty("value")).isUser());
}

TEST(Widget, RangeComesOutAsSetInEitherOrder)
{
    const int ranges[][2] = {{150, 300}, {100, 101},         {-500, -200},           {99, 100000},
                             {0, 50},    {INT_MIN, INT_MAX}, {INT_MAX - 1, INT_MAX}, {INT_MIN, INT_MIN + 1}};
    for (const auto& r : ranges) {
        VelProgressBar minFirst;
        minFirst.setMinimum(r[0]);
        minFirst.setMaximum(r[1]);
        EXPECT_EQ(minFirst.minimum(), r[0]) << r[0] << ".." << r[1];
        EXPECT_EQ(minFirst.maximum(), r[1]) << r[0] << ".." << r[1];

        VelProgressBar maxFirst;
        maxFirst.setMaximum(r[1]);
        maxFirst.setMinimum(r[0]);
        EXPECT_EQ(maxFirst.minimum(), r[0]) << r[0] << ".." << r[1];
        EXPECT_EQ(maxFirst.maximum(), r[1]) << r[0] << ".." << r[1];
    }
}

TEST(Widget, OneEndSetPastTheOtherMovesItAlong)
{
    VelProgressBar bar;
    bar.setMinimum(100);
    EXPECT_EQ(bar.minimum(), 100);
    EXPECT_EQ(bar.maximum(), 101);
    bar.setMaximum(10);
    EXPECT_EQ(bar.minimum(), 9);
    EXPECT_EQ(bar.maximum(), 10);
    bar.setRange(7, 7);
    EXPECT_EQ(bar.minimum(), 7);
    EXPECT_EQ(bar.maximum(), 8);
    bar.setRange(INT_MAX, INT_MAX);
    EXPECT_EQ(bar.minimum(), INT_MAX - 1);
    EXPECT_EQ(bar.maximum(), INT_MAX);
    bar.setMaximum(INT_MIN);
    EXPECT_EQ(bar.minimum(), INT_MIN);
    EXPECT_EQ(bar.maximum(), INT_MIN + 1);
}

TEST(Widget, ValueStepAndCountUpKeepTheGaugeRules)
{
    VelProgressBar bar;
    bar.setValue(-5);
    EXPECT_EQ(bar.value(), 0);
    bar.setValue(150);
    EXPECT_EQ(bar.value(), 100);
    bar.setStep(0);
    EXPECT_EQ(bar.step(), 1);
    bar.setStep(500);
    EXPECT_EQ(bar.step(), 100);

    bar.setRange(0, 50);
    bar.setStep(1);
    bar.setValue(0);
    for (int i = 1; i <= 51; ++i)
        bar.countUp();
    EXPECT_EQ(bar.value(), 50);

    // The value stays where it was when the range moves under it.
    bar.setStringType(VelProgressBar::stypePercent);
    bar.setValue(30);
    bar.setMaximum(20);
    EXPECT_EQ(bar.value(), 30);
    EXPECT_EQ(bar.text(), "150.0%");

    // Past the 32-bit range is past the maximum as well.
    bar.setRange(0, INT_MAX);
    bar.setStep(10);
    bar.setValue(INT_MAX - 5);
    bar.countUp();
    EXPECT_EQ(bar.value(), INT_MAX);
    // A range wider than 32 bits bounds no step.
    bar.setRange(-2000000000, 2000000000);
    bar.setStep(3);
    EXPECT_EQ(bar.step(), 3);
}

TEST(Widget, CaptionTypeGuardsTheText)
{
    VelProgressBar bar;
    bar.setStringType(VelProgressBar::stypeFraction);
    bar.setRange(0, 50);
    bar.setValue(25);
    EXPECT_EQ(bar.text(), "25/50");
    bar.setText(QStringLiteral("ignored"));
    EXPECT_EQ(bar.text(), "25/50");
    bar.setStringType(VelProgressBar::stypeFreeString);
    bar.setText(QStringLiteral("砲弾装填中..."));
    EXPECT_EQ(bar.text(), "砲弾装填中...");
    bar.setStringType(VelProgressBar::StringTypeConstants(9));
    EXPECT_EQ(bar.stringType(), VelProgressBar::stypeNone);
    EXPECT_EQ(bar.text(), "");
}

TEST(Widget, EachChangeIsSignalledOnceAndNothingElse)
{
    VelProgressBar bar;
    bar.setStringType(VelProgressBar::stypePercent);
    Listener heard(bar);

    bar.setValue(40);
    EXPECT_EQ(heard.values, QList<int>{40});
    EXPECT_EQ(heard.texts, QStringList{"40.0%"});
    EXPECT_EQ(heard.total(), 2);

    heard.clear();
    bar.setValue(40);
    bar.setValue(500); // clamped to 100
    bar.setValue(100);
    EXPECT_EQ(heard.values, QList<int>{100});

    heard.clear();
    bar.setRange(200, 400); // both ends move: one signal
    EXPECT_EQ(heard.ranges, (QList<QPair<int, int>>{{200, 400}}));
    bar.setMaximum(400);
    EXPECT_EQ(heard.ranges.size(), 1);
    EXPECT_TRUE(heard.values.isEmpty()); // the value is not clamped again

    heard.clear();
    bar.setBarColor(QColor(0, 0, 255));
    EXPECT_EQ(bar.fwColor(), 0xFF0000);
    bar.setFwColor(0xFF0000);
    EXPECT_EQ(heard.colors, QList<QColor>{QColor(0, 0, 255)});

    heard.clear();
    bar.setStep(7);
    bar.setStep(7);
    EXPECT_EQ(heard.steps, QList<int>{7});

    heard.clear();
    bar.setStringType(VelProgressBar::stypeValue);
    EXPECT_EQ(heard.types, QList<VelProgressBar::StringTypeConstants>{VelProgressBar::stypeValue});
    EXPECT_EQ(heard.texts, QStringList{"100"});
    EXPECT_EQ(heard.container, QStringList{"StringType"});

    heard.clear();
    bar.setCaptionFont(QFont(QStringLiteral("IPAGothic")));
    EXPECT_EQ(heard.fonts, QStringList{"IPAGothic"});
    EXPECT_EQ(heard.container, QStringList{"Font"});
    EXPECT_EQ(bar.captionFont().family(), "IPAGothic");
}

TEST(Widget, BarColourAsQColorAndAsOleColourNumber)
{
    Refusals refusals;
    const int before = Refusals::seen;
    VelProgressBar bar;
    bar.setFwColor(0x3366CC); // 0x00BBGGRR
    EXPECT_EQ(bar.barColor(), QColor(0xCC, 0x66, 0x33));
    bar.setBarColor(QColor(0x12, 0x34, 0x56, 0x80)); // alpha is not part of the bar
    EXPECT_EQ(bar.fwColor(), 0x563412);
    EXPECT_EQ(bar.property("barColor").value<QColor>(), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(Refusals::seen, before);

    Listener heard(bar);
    bar.setFwColor(int(0x8000000F)); // a system colour
    bar.setBarColor(QColor());
    EXPECT_EQ(Refusals::seen, before + 2);
    EXPECT_EQ(bar.fwColor(), 0x563412);
    EXPECT_EQ(heard.total(), 0);
}

TEST(Widget, SizeHintsAreTheDesignedSizeAndTheFloor)
{
    VelProgressBar bar;
    EXPECT_EQ(bar.sizeHint(), QSize(203, 34)); // 3045 x 510 twips
    EXPECT_EQ(bar.minimumSizeHint(), QSize(20, 20));

    QWidget form;
    auto* layout = new QHBoxLayout(&form);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* gauge = new VelProgressBar;
    layout->addWidget(gauge);
    form.resize(5, 5);
    form.show();
    EXPECT_GE(gauge->width(), 20);
    EXPECT_GE(gauge->height(), 20);
    form.resize(400, 60);
    QCoreApplication::processEvents();
    EXPECT_EQ(gauge->size(), QSize(400, 60));
}

TEST(Widget, TheCaptionFaceMappingStaysInsideTheGauge)
{
    const QString face = QStringLiteral("ＭＳ Ｐゴシック");
    const QStringList substitutionsBefore = QFont::substitutions();
    QLabel label;
    label.setFont(QFont(face));
    const QString labelFamilyBefore = QFontInfo(label.font()).family();

    {
        VelProgressBar bar;
        bar.setCaptionFont(QFont(face));
        bar.setStringType(VelProgressBar::stypeFreeString);
        bar.setText(QStringLiteral("砲弾装填中..."));
        bar.resize(326, 26);
        bar.show();
        bar.grab();
        EXPECT_EQ(bar.captionFont().family(), face); // the saved face is kept as named
    }

    EXPECT_EQ(QFont::substitutions(), substitutionsBefore);
    EXPECT_TRUE(QFont::substitutes(face).isEmpty());
    EXPECT_EQ(QFontInfo(QFont(face)).family(), labelFamilyBefore);
}
