// SPDX-License-Identifier: MIT
#include "VelProgressBar.h"

#include <QPluginLoader>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <gtest/gtest.h>

TEST(Designer, PluginCreatesTheGaugeAndItsPropertiesWorkByName)
{
    QPluginLoader loader(QStringLiteral(VELPRGBAR_DESIGNER_PLUGIN_FILE));
    auto *plugin = qobject_cast<QDesignerCustomWidgetInterface *>(loader.instance());
    ASSERT_TRUE(plugin) << qPrintable(loader.errorString());
    EXPECT_EQ(plugin->name(), "VelProgressBar");
    EXPECT_EQ(plugin->includeFile(), "VelProgressBar.h");
    EXPECT_FALSE(plugin->isContainer());
    EXPECT_TRUE(plugin->domXml().contains(QLatin1String("class=\"VelProgressBar\"")));

    QWidget form;
    auto *bar = qobject_cast<VelProgressBar *>(plugin->createWidget(&form));
    ASSERT_TRUE(bar);
    // Designer and uic-generated forms go through the meta-object.
    EXPECT_TRUE(bar->setProperty("FwColor", 255));
    EXPECT_TRUE(bar->setProperty("Maximum", 50));
    EXPECT_TRUE(bar->setProperty("StringType", int(VelProgressBar::stypeFraction)));
    EXPECT_TRUE(bar->setProperty("Value", 20));
    EXPECT_EQ(bar->property("Text").toString(), "20/50");
    EXPECT_EQ(bar->property("StringType").value<VelProgressBar::StringTypeConstants>(),
              VelProgressBar::stypeFraction);
    EXPECT_EQ(bar->fwColor(), 255);
}
