// SPDX-License-Identifier: MIT
#pragma once

#include "BattleUi.h"
#include "PropertyBag.h"
#include "VelPrgBarApi.h"

#include <QWidget>

class FallbackGauge;

// The container of the reload gauge pgbReload. It creates a VelProgressBar
// from the control library with the gauge's stored design settings and talks
// to it only by dispatch identifier; the Visible property is the container's
// own. Without the library it hosts a plain built-in gauge instead.
class GaugeHost : public QWidget, public ReloadGauge {
    Q_OBJECT
public:
    // Size in twips, as laid out on the form.
    GaugeHost(int widthTwips, int heightTwips, QWidget* parent = nullptr);
    ~GaugeHost() override;

    bool usesLibrary() const { return control_ != nullptr; }
    // Why the library is not used; empty when it is.
    QString failure() const { return failure_; }
    // The control's own widget, or the built-in gauge.
    QWidget* gaugeWidget() const { return gaugeWidget_; }

    // Late-bound call: the container answers Visible itself and passes every
    // other identifier on to the control. Returns the control's result code.
    int32_t invoke(int32_t dispid, int32_t kind, const VpbVariant* args, int32_t argCount,
                   VpbVariant* result);

    // ReloadGauge
    vb::Long Value() override;
    void SetValue(vb::Long value) override;
    void CountUp() override;
    void SetVisible(bool visible) override;
    bool Visible() override;

    // The design settings pgbReload is created with.
    static void storeDesignSettings(PropertyBag& bag);

private:
    int32_t invokeFallback(int32_t dispid, int32_t kind, const VpbVariant* args, int32_t argCount,
                           VpbVariant* result);

    PropertyBag bag_;
    VpbSite site_{};
    const VpbApi* api_ = nullptr;
    VpbControl* control_ = nullptr;
    FallbackGauge* fallback_ = nullptr;
    QWidget* gaugeWidget_ = nullptr;
    QString failure_;
};
