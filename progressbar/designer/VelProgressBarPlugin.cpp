// SPDX-License-Identifier: MIT
#include "VelProgressBarPlugin.h"

#include "VelProgressBar.h"

#include <QIcon>

VelProgressBarPlugin::VelProgressBarPlugin(QObject *parent)
    : QObject(parent)
{
}

QString VelProgressBarPlugin::name() const
{
    return QStringLiteral("VelProgressBar");
}

QString VelProgressBarPlugin::group() const
{
    return QStringLiteral("Display Widgets");
}

QString VelProgressBarPlugin::toolTip() const
{
    return QStringLiteral("文字列表示付きプログレスバー");
}

QString VelProgressBarPlugin::whatsThis() const
{
    return QStringLiteral("値に応じて左から塗りつぶされ、中央の文字列が反転表示される横型ゲージです。");
}

QString VelProgressBarPlugin::includeFile() const
{
    return QStringLiteral("VelProgressBar.h");
}

QIcon VelProgressBarPlugin::icon() const
{
    return {};
}

bool VelProgressBarPlugin::isContainer() const
{
    return false;
}

QWidget *VelProgressBarPlugin::createWidget(QWidget *parent)
{
    return new VelProgressBar(parent);
}

bool VelProgressBarPlugin::isInitialized() const
{
    return initialized_;
}

void VelProgressBarPlugin::initialize(QDesignerFormEditorInterface *)
{
    initialized_ = true;
}

QString VelProgressBarPlugin::domXml() const
{
    // A new gauge on a form starts as a saved one with nothing stored would:
    // red bar, percentage caption, step 1, at the designed size.
    return QStringLiteral(R"(<ui language="c++">
 <widget class="VelProgressBar" name="pgbProgress">
  <property name="geometry"><rect><x>0</x><y>0</y><width>203</width><height>34</height></rect></property>
  <property name="FwColor"><number>255</number></property>
  <property name="StringType"><enum>VelProgressBar::stypePercent</enum></property>
  <property name="Step"><number>1</number></property>
 </widget>
</ui>
)");
}
