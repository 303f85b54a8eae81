// SPDX-License-Identifier: MIT
#include "VelProgressBarPlugin.h"

#include "VelProgressBar.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>

VelProgressBarPlugin::VelProgressBarPlugin(QObject* parent)
    : QObject(parent)
{
}

QString VelProgressBarPlugin::name() const
{
    return QStringLiteral("VelProgressBar");
}

QString VelProgressBarPlugin::group() const
{
    // Beside Qt's own QProgressBar.
    return QStringLiteral("Display Widgets");
}

QString VelProgressBarPlugin::toolTip() const
{
    return QStringLiteral("Progress gauge with a centred caption (VelPrgBar)");
}

QString VelProgressBarPlugin::whatsThis() const
{
    return QStringLiteral("<b>VelProgressBar</b> is a horizontal gauge from the VelPrgBar library. It fills "
                          "from the left in proportion to <i>value</i> between <i>minimum</i> and "
                          "<i>maximum</i> and shows a centred caption chosen by <i>stringType</i>: a "
                          "percentage, value/maximum, the value or the free <i>text</i>. The caption is "
                          "XOR-ed into the bar, so it reads over the filled and the empty part alike. "
                          "<i>barColor</i> (or <i>fwColor</i>, the same colour as an OLE colour number) "
                          "colours the bar; the widget's <i>font</i> is the caption's face, fitted to the "
                          "bar's height. countUp() adds <i>step</i> to the value.");
}

QString VelProgressBarPlugin::includeFile() const
{
    return QStringLiteral("VelProgressBar.h");
}

QIcon VelProgressBarPlugin::icon() const
{
    // The gauge itself in small: a framed bar, filled two fifths in the
    // default red, with the caption's bar of letters XOR-ed across the edge.
    QIcon icon;
    for (int size : {16, 22, 32, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        const qreal unit = size / 16.0;
        const QRectF frame(0.5 * unit, 4.5 * unit, 15 * unit, 7 * unit);
        p.fillRect(frame, Qt::white);
        const QRectF fill(frame.left(), frame.top(), frame.width() * 0.4, frame.height());
        p.fillRect(fill, QColor(255, 0, 0));
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.fillRect(QRectF(4 * unit, 7 * unit, 8 * unit, 2 * unit), QColor(0, 255, 255));
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        p.setPen(QPen(QColor(64, 64, 64), unit));
        p.drawRect(frame);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

bool VelProgressBarPlugin::isContainer() const
{
    return false;
}

QWidget* VelProgressBarPlugin::createWidget(QWidget* parent)
{
    return new VelProgressBar(parent);
}

bool VelProgressBarPlugin::isInitialized() const
{
    return initialized_;
}

void VelProgressBarPlugin::initialize(QDesignerFormEditorInterface*)
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
  <property name="barColor"><color><red>255</red><green>0</green><blue>0</blue></color></property>
  <property name="stringType"><enum>VelProgressBar::stypePercent</enum></property>
  <property name="step"><number>1</number></property>
 </widget>
</ui>
)");
}
