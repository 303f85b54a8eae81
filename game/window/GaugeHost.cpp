// SPDX-License-Identifier: MIT
#include "GaugeHost.h"

#include "FallbackGauge.h"
#include "VelPrgBarLoader.h"

#include "Twips.h"

namespace {

VpbVariant longVariant(int32_t value)
{
    VpbVariant v{};
    v.type = VPB_VT_I4;
    v.v.i4 = value;
    return v;
}

VpbVariant boolVariant(bool value)
{
    VpbVariant v{};
    v.type = VPB_VT_BOOL;
    v.v.boolean = value ? -1 : 0;
    return v;
}

bool truthOf(const VpbVariant& v)
{
    switch (v.type) {
    case VPB_VT_BOOL: return v.v.boolean != 0;
    case VPB_VT_I4: return v.v.i4 != 0;
    default: return false;
    }
}

} // namespace

void GaugeHost::storeDesignSettings(PropertyBag& bag)
{
    bag.setLong("FWColor", 255);
    bag.setLong("StringType", VPB_STYPE_FREESTRING);
    bag.setLong("Maximum", 50);
    // The caption is the one design setting that follows the language.
    bag.setString("Text", tr("砲弾装填中...").toUtf8());
    bag.setFont("Font", QStringLiteral("ＭＳ Ｐゴシック").toUtf8(), 9.75f, 128);
}

GaugeHost::GaugeHost(int widthTwips, int heightTwips, QWidget* parent)
    : QWidget(parent)
{
    setFixedSize(TwipsSize(widthTwips, heightTwips));
    storeDesignSettings(bag_);
    site_.context = this;
    // The form saves nothing at run time, so change notices need no action.
    site_.propertyChanged = [](void*, const char*) {};

    QString error;
    api_ = VelPrgBarLoader::api(&error);
    if (api_) {
        control_ = api_->create(this, widthTwips, heightTwips, bag_.bag(), &site_);
        if (control_) {
            gaugeWidget_ = static_cast<QWidget*>(api_->widget(control_));
            if (!gaugeWidget_) {
                api_->destroy(control_);
                control_ = nullptr;
                error = tr("VelProgressBar のウィジェットを取得できません");
            }
        } else {
            error = tr("VelProgressBar を作成できません");
        }
    }
    if (!control_) {
        failure_ = error;
        fallback_ = new FallbackGauge(this);
        gaugeWidget_ = fallback_;
    }
    gaugeWidget_->setParent(this);
    gaugeWidget_->move(0, 0);
    gaugeWidget_->resize(size());
    gaugeWidget_->show();
}

GaugeHost::~GaugeHost()
{
    // The control owns its widget: let the library take it down before Qt
    // deletes this container's children.
    if (control_ && api_)
        api_->destroy(control_);
    control_ = nullptr;
}

int32_t GaugeHost::invoke(int32_t dispid, int32_t kind, const VpbVariant* args, int32_t argCount,
                          VpbVariant* result)
{
    if (dispid == VPB_DISPID_VISIBLE) {
        if (kind & VPB_INVOKE_GET) {
            if (result)
                *result = boolVariant(!isHidden());
            return VPB_S_OK;
        }
        if (kind & VPB_INVOKE_PUT) {
            if (argCount < 1 || !args)
                return VPB_E_BADPARAMCOUNT;
            setVisible(truthOf(args[0]));
            return VPB_S_OK;
        }
        return VPB_E_MEMBERNOTFOUND;
    }
    if (control_)
        return api_->invoke(control_, dispid, kind, args, argCount, result);
    return invokeFallback(dispid, kind, args, argCount, result);
}

int32_t GaugeHost::invokeFallback(int32_t dispid, int32_t kind, const VpbVariant* args, int32_t argCount,
                                  VpbVariant* result)
{
    if (dispid == VPB_DISPID_VALUE) {
        if (kind & VPB_INVOKE_GET) {
            if (result)
                *result = longVariant(fallback_->value());
            return VPB_S_OK;
        }
        if (kind & VPB_INVOKE_PUT) {
            if (argCount < 1 || !args || args[0].type != VPB_VT_I4)
                return VPB_E_TYPEMISMATCH;
            fallback_->setValue(args[0].v.i4);
            return VPB_S_OK;
        }
    }
    if (dispid == VPB_DISPID_COUNTUP && (kind & VPB_INVOKE_METHOD)) {
        fallback_->countUp();
        return VPB_S_OK;
    }
    return VPB_E_MEMBERNOTFOUND;
}

vb::Long GaugeHost::Value()
{
    VpbVariant result{};
    if (invoke(VPB_DISPID_VALUE, VPB_INVOKE_GET, nullptr, 0, &result) != VPB_S_OK)
        return 0;
    switch (result.type) {
    case VPB_VT_I4: return result.v.i4;
    case VPB_VT_R4: return static_cast<vb::Long>(result.v.r4);
    default: return 0;
    }
}

void GaugeHost::SetValue(vb::Long value)
{
    const VpbVariant arg = longVariant(value);
    invoke(VPB_DISPID_VALUE, VPB_INVOKE_PUT, &arg, 1, nullptr);
}

void GaugeHost::CountUp()
{
    invoke(VPB_DISPID_COUNTUP, VPB_INVOKE_METHOD, nullptr, 0, nullptr);
}

void GaugeHost::SetVisible(bool visible)
{
    const VpbVariant arg = boolVariant(visible);
    invoke(VPB_DISPID_VISIBLE, VPB_INVOKE_PUT, &arg, 1, nullptr);
}

bool GaugeHost::Visible()
{
    VpbVariant result{};
    invoke(VPB_DISPID_VISIBLE, VPB_INVOKE_GET, nullptr, 0, &result);
    return truthOf(result);
}
