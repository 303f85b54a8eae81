// SPDX-License-Identifier: MIT
#include "ui_GaugeForm.h"
#include "VelProgressBar.h"

#include <QFile>
#include <QFileInfo>
#include <QPluginLoader>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <QUiLoader>

#include <gtest/gtest.h>

namespace {

QDesignerCustomWidgetInterface* loadPlugin(QPluginLoader& loader)
{
    return qobject_cast<QDesignerCustomWidgetInterface*>(loader.instance());
}

// The gauges of GaugeForm.ui exactly as they were designed.
void expectDesignedGauges(QWidget& form)
{
    auto* high = form.findChild<VelProgressBar*>(QStringLiteral("pgbHigh"));
    ASSERT_TRUE(high);
    EXPECT_EQ(high->minimum(), 150);
    EXPECT_EQ(high->maximum(), 300);
    EXPECT_EQ(high->value(), 200);
    EXPECT_EQ(high->step(), 10);
    EXPECT_EQ(high->stringType(), VelProgressBar::stypeFraction);
    EXPECT_EQ(high->text(), "200/300");
    EXPECT_EQ(high->barColor(), QColor(0, 0, 255));
    EXPECT_EQ(high->fwColor(), 0xFF0000);

    auto* negative = form.findChild<VelProgressBar*>(QStringLiteral("pgbNegative"));
    ASSERT_TRUE(negative);
    EXPECT_EQ(negative->minimum(), -500);
    EXPECT_EQ(negative->maximum(), -200);
    EXPECT_EQ(negative->value(), -321);
    EXPECT_EQ(negative->fwColor(), 0x3366CC);
    EXPECT_EQ(negative->text(), "-321");

    auto* reload = form.findChild<VelProgressBar*>(QStringLiteral("pgbReload"));
    ASSERT_TRUE(reload);
    EXPECT_EQ(reload->minimum(), 0);
    EXPECT_EQ(reload->maximum(), 50);
    EXPECT_EQ(reload->value(), 0);
    EXPECT_EQ(reload->step(), 1);
    EXPECT_EQ(reload->stringType(), VelProgressBar::stypeFreeString);
    EXPECT_EQ(reload->text(), "砲弾装填中...");
    EXPECT_EQ(reload->fwColor(), 255);
    EXPECT_EQ(reload->captionFont().family(), "ＭＳ Ｐゴシック");
    EXPECT_EQ(reload->size(), QSize(326, 26));
}

} // namespace

TEST(Designer, PluginDescribesAndCreatesTheGauge)
{
    QPluginLoader loader(QStringLiteral(VELPRGBAR_DESIGNER_PLUGIN_FILE));
    QDesignerCustomWidgetInterface* plugin = loadPlugin(loader);
    ASSERT_TRUE(plugin) << qPrintable(loader.errorString());
    EXPECT_EQ(plugin->name(), "VelProgressBar");
    EXPECT_EQ(plugin->group(), "Display Widgets");
    EXPECT_EQ(plugin->includeFile(), "VelProgressBar.h");
    EXPECT_FALSE(plugin->isContainer());
    EXPECT_FALSE(plugin->toolTip().isEmpty());
    EXPECT_TRUE(plugin->whatsThis().contains(QLatin1String("VelProgressBar")));
    const QIcon icon = plugin->icon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_FALSE(icon.pixmap(22, 22).toImage().allGray()); // the red fill shows
    EXPECT_TRUE(plugin->domXml().contains(QLatin1String("class=\"VelProgressBar\"")));

    QWidget form;
    auto* bar = qobject_cast<VelProgressBar*>(plugin->createWidget(&form));
    ASSERT_TRUE(bar);
    // Designer and uic-generated forms go through the meta-object.
    EXPECT_TRUE(bar->setProperty("barColor", QColor(255, 0, 0)));
    EXPECT_TRUE(bar->setProperty("minimum", 120));
    EXPECT_TRUE(bar->setProperty("maximum", 150));
    EXPECT_TRUE(bar->setProperty("stringType", int(VelProgressBar::stypeFraction)));
    EXPECT_TRUE(bar->setProperty("value", 130));
    EXPECT_EQ(bar->property("text").toString(), "130/150");
    EXPECT_EQ(bar->property("stringType").value<VelProgressBar::StringTypeConstants>(),
              VelProgressBar::stypeFraction);
    EXPECT_EQ(bar->fwColor(), 255);
    // Designer's font property is the caption font.
    bar->setFont(QFont(QStringLiteral("IPAGothic")));
    EXPECT_EQ(bar->captionFont().family(), "IPAGothic");
}

TEST(Designer, FormBuiltByUicComesBackAsDesigned)
{
    QWidget form;
    Ui::GaugeForm ui;
    ui.setupUi(&form);
    expectDesignedGauges(form);
}

TEST(Designer, FormLoadedAtRunTimeComesBackAsDesigned)
{
    // QUiLoader reads a form as Designer does, through the plugin.
    QUiLoader loader;
    loader.clearPluginPaths();
    loader.addPluginPath(QFileInfo(QStringLiteral(VELPRGBAR_DESIGNER_PLUGIN_FILE)).absolutePath());
    ASSERT_TRUE(loader.availableWidgets().contains(QStringLiteral("VelProgressBar")));
    QFile file(QStringLiteral(GAUGE_FORM_FILE));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    std::unique_ptr<QWidget> form(loader.load(&file));
    ASSERT_TRUE(form) << qPrintable(loader.errorString());
    expectDesignedGauges(*form);
}
