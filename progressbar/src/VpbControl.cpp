// SPDX-License-Identifier: MIT
// The C interface: hosts create controls through VelPrgBar_GetApi and reach
// them by dispatch identifier, with the classic dispatch error codes.
#include "VelPrgBarApi.h"

#include "Registration.h"
#include "TypeLibrary.h"
#include "VelProgressBar.h"
#include "VelProgressBarPrivate.h"
#include "VelPropertyBag.h"

#include <QApplication>
#include <QPointer>

#include <cmath>

struct VpbControl {
    QPointer<VelProgressBar> bar;
    // The classic control behind the widget: what the dispatch identifiers reach.
    VelProgressBarPrivate* classic() const { return VelProgressBarPrivate::get(bar.data()); }
    VpbSite site{};
    // What invoke() hands back lives here until the next call.
    QByteArray text;
    QByteArray fontName;
    VpbFont font{};
};

namespace {

int16_t vbBool(bool b)
{
    return b ? -1 : 0;
}

VpbFont fontToC(const VelFont& f, QByteArray& nameBuffer)
{
    nameBuffer = f.name.toUtf8();
    return VpbFont{nameBuffer.constData(),  f.size,   vbBool(f.bold), vbBool(f.italic), vbBool(f.underline),
                   vbBool(f.strikethrough), f.charset};
}

VelFont fontFromC(const VpbFont& c)
{
    VelFont f;
    f.name = QString::fromUtf8(c.name ? c.name : "");
    f.size = c.size;
    f.bold = c.bold != 0;
    f.italic = c.italic != 0;
    f.underline = c.underline != 0;
    f.strikethrough = c.strikethrough != 0;
    f.charset = c.charset;
    return f;
}

// Whole numbers from a Single or a numeric string round halves to even, as
// the classic runtime converts them; out of the Long range is an overflow.
int32_t roundToLong(double v, qint32& out)
{
    const double r = std::nearbyint(v);
    if (!(r >= -2147483648.0 && r <= 2147483647.0))
        return VPB_E_OVERFLOW;
    out = qint32(r);
    return VPB_S_OK;
}

int32_t toLong(const VpbVariant& a, qint32& out)
{
    switch (a.type) {
    case VPB_VT_I4: out = a.v.i4; return VPB_S_OK;
    case VPB_VT_BOOL: out = a.v.boolean ? -1 : 0; return VPB_S_OK;
    case VPB_VT_R4: return roundToLong(a.v.r4, out);
    case VPB_VT_STRING: {
        bool ok = false;
        const double d = QString::fromUtf8(a.v.str ? a.v.str : "").trimmed().toDouble(&ok);
        return ok ? roundToLong(d, out) : VPB_E_TYPEMISMATCH;
    }
    default: return VPB_E_TYPEMISMATCH;
    }
}

int32_t toText(const VpbVariant& a, QString& out)
{
    switch (a.type) {
    case VPB_VT_STRING: out = QString::fromUtf8(a.v.str ? a.v.str : ""); return VPB_S_OK;
    case VPB_VT_I4: out = QString::number(a.v.i4); return VPB_S_OK;
    case VPB_VT_BOOL: out = a.v.boolean ? QStringLiteral("True") : QStringLiteral("False"); return VPB_S_OK;
    default: return VPB_E_TYPEMISMATCH;
    }
}

// Keeps the text and font of one value alive while a bag looks at it.
struct Held {
    QByteArray text;
    QByteArray fontName;
    VpbFont font{};
};

VpbVariant toC(const QVariant& v, Held& held)
{
    VpbVariant out{};
    if (v.metaType() == QMetaType::fromType<VelFont>()) {
        held.font = fontToC(v.value<VelFont>(), held.fontName);
        out.type = VPB_VT_FONT;
        out.v.font = &held.font;
    } else if (v.metaType() == QMetaType::fromType<QString>()) {
        held.text = v.toString().toUtf8();
        out.type = VPB_VT_STRING;
        out.v.str = held.text.constData();
    } else {
        out.type = VPB_VT_I4;
        out.v.i4 = v.toInt();
    }
    return out;
}

// The container's bag seen from the control. A stored value of the wrong
// kind counts as missing, so the default applies.
class CPropertyBag : public VelPropertyBag {
public:
    explicit CPropertyBag(const VpbPropertyBag& bag)
        : bag_(bag)
    {
    }

    QVariant readProperty(const QString& key, const QVariant& def) override
    {
        if (!bag_.read)
            return def;
        Held held;
        const VpbVariant d = toC(def, held);
        VpbVariant out{};
        out.type = VPB_VT_EMPTY;
        const QByteArray k = key.toUtf8();
        bag_.read(bag_.context, k.constData(), &d, &out);

        if (def.metaType() == QMetaType::fromType<VelFont>())
            return out.type == VPB_VT_FONT && out.v.font ? QVariant::fromValue(fontFromC(*out.v.font)) : def;
        if (def.metaType() == QMetaType::fromType<QString>()) {
            QString s;
            return toText(out, s) == VPB_S_OK ? QVariant(s) : def;
        }
        qint32 n;
        return toLong(out, n) == VPB_S_OK ? QVariant(n) : def;
    }

    void writeProperty(const QString& key, const QVariant& value, const QVariant& def) override
    {
        if (!bag_.write)
            return;
        Held heldValue, heldDefault;
        const VpbVariant v = toC(value, heldValue);
        const VpbVariant d = toC(def, heldDefault);
        const QByteArray k = key.toUtf8();
        bag_.write(bag_.context, k.constData(), &v, &d);
    }

private:
    const VpbPropertyBag& bag_;
};

const VpbMemberInfo* findMember(int32_t dispid)
{
    const VpbTypeLibrary* lib = velTypeLibrary();
    for (int32_t i = 0; i < lib->memberCount; ++i)
        if (lib->members[i].dispid == dispid)
            return &lib->members[i];
    return nullptr;
}

VpbControl* create(void* parent, int32_t widthTwips, int32_t heightTwips, const VpbPropertyBag* bag,
                   const VpbSite* site)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return nullptr;
    auto* control = new VpbControl;
    auto* bar = new VelProgressBar(static_cast<QWidget*>(parent));
    control->bar = bar;
    if (bag) {
        CPropertyBag b(*bag);
        VelProgressBarPrivate::get(bar)->ReadProperties(b);
    }
    // Restoring is not a change the container needs to hear about.
    if (site && site->propertyChanged) {
        control->site = *site;
        QObject::connect(bar, &VelProgressBar::propertyChanged, bar, [control](const QString& name) {
            const QByteArray n = name.toUtf8();
            control->site.propertyChanged(control->site.context, n.constData());
        });
    }
    constexpr int Tpp = VelProgressBarPrivate::TwipsPerPixel;
    if (widthTwips > 0 && heightTwips > 0)
        control->classic()->resizeTwips(widthTwips, heightTwips);
    else
        control->classic()->resizeTwips(bar->width() * Tpp, bar->height() * Tpp);
    return control;
}

void destroy(VpbControl* control)
{
    if (!control)
        return;
    delete control->bar.data();
    delete control;
}

void* widget(VpbControl* control)
{
    return control ? static_cast<QWidget*>(control->bar.data()) : nullptr;
}

void resize(VpbControl* control, int32_t widthTwips, int32_t heightTwips)
{
    if (control && control->bar)
        control->classic()->resizeTwips(widthTwips, heightTwips);
}

int32_t put(VpbControl* control, int32_t dispid, int32_t kind, const VpbVariant& arg)
{
    VelProgressBarPrivate* bar = control->classic();
    if (dispid == VPB_DISPID_FONT) {
        if (!(kind & VPB_INVOKE_PUTREF))
            return VPB_E_MEMBERNOTFOUND;
        if (arg.type != VPB_VT_FONT || !arg.v.font)
            return VPB_E_TYPEMISMATCH;
        bar->setCaptionFont(fontFromC(*arg.v.font));
        return VPB_S_OK;
    }
    if (!(kind & VPB_INVOKE_PUT))
        return VPB_E_MEMBERNOTFOUND;
    if (dispid == VPB_DISPID_TEXT) {
        QString s;
        if (const int32_t rc = toText(arg, s); rc != VPB_S_OK)
            return rc;
        bar->setText(s);
        return VPB_S_OK;
    }
    qint32 n;
    if (const int32_t rc = toLong(arg, n); rc != VPB_S_OK)
        return rc;
    bool ok = true;
    switch (dispid) {
    case VPB_DISPID_FWCOLOR: bar->setFwColor(n); break;
    case VPB_DISPID_MINIMUM: ok = bar->setMinimum(n); break;
    case VPB_DISPID_MAXIMUM: ok = bar->setMaximum(n); break;
    case VPB_DISPID_STRINGTYPE: bar->setStringType(n); break;
    case VPB_DISPID_STEP: ok = bar->setStep(n); break;
    case VPB_DISPID_VALUE: bar->setValue(n); break;
    default: return VPB_E_MEMBERNOTFOUND;
    }
    return ok ? VPB_S_OK : VPB_E_OVERFLOW;
}

int32_t get(VpbControl* control, int32_t dispid, VpbVariant& result)
{
    const VelProgressBarPrivate* bar = control->classic();
    result.type = VPB_VT_I4;
    switch (dispid) {
    case VPB_DISPID_FWCOLOR: result.v.i4 = bar->fwColor(); break;
    case VPB_DISPID_MINIMUM: result.v.i4 = bar->minimum(); break;
    case VPB_DISPID_MAXIMUM: result.v.i4 = bar->maximum(); break;
    case VPB_DISPID_STRINGTYPE: result.v.i4 = bar->stringType(); break;
    case VPB_DISPID_STEP: result.v.i4 = bar->step(); break;
    case VPB_DISPID_VALUE: result.v.i4 = bar->value(); break;
    case VPB_DISPID_TEXT:
        control->text = bar->text().toUtf8();
        result.type = VPB_VT_STRING;
        result.v.str = control->text.constData();
        break;
    case VPB_DISPID_FONT:
        control->font = fontToC(bar->captionFont(), control->fontName);
        result.type = VPB_VT_FONT;
        result.v.font = &control->font;
        break;
    default: result.type = VPB_VT_EMPTY; return VPB_E_MEMBERNOTFOUND;
    }
    return VPB_S_OK;
}

int32_t invoke(VpbControl* control, int32_t dispid, int32_t kind, const VpbVariant* args, int32_t argCount,
               VpbVariant* result)
{
    if (!control || argCount < 0 || (argCount > 0 && !args))
        return VPB_E_INVALIDARG;
    if (result) {
        *result = VpbVariant{};
        result->type = VPB_VT_EMPTY;
    }
    if (!control->bar)
        return VPB_E_FAIL; // the host's widget tree has already deleted it
    // Visible and every other identifier not listed are the container's.
    const VpbMemberInfo* member = findMember(dispid);
    if (!member)
        return VPB_E_MEMBERNOTFOUND;

    if (dispid == VPB_DISPID_COUNTUP) {
        if (!(kind & VPB_INVOKE_METHOD))
            return VPB_E_MEMBERNOTFOUND;
        if (argCount != 0)
            return VPB_E_BADPARAMCOUNT;
        return control->classic()->CountUp() ? VPB_S_OK : VPB_E_OVERFLOW;
    }
    if (kind & (VPB_INVOKE_PUT | VPB_INVOKE_PUTREF)) {
        if (argCount != 1)
            return VPB_E_BADPARAMCOUNT;
        return put(control, dispid, kind, args[0]);
    }
    if (kind & VPB_INVOKE_GET) {
        if (argCount != 0)
            return VPB_E_BADPARAMCOUNT;
        VpbVariant ignored{};
        return get(control, dispid, result ? *result : ignored);
    }
    return VPB_E_MEMBERNOTFOUND;
}

void save(VpbControl* control, const VpbPropertyBag* bag)
{
    if (!control || !control->bar || !bag)
        return;
    CPropertyBag b(*bag);
    control->classic()->WriteProperties(b);
}

const VpbApi Api = {
    VELPRGBAR_API_VERSION, create, destroy, widget, resize, invoke, save, velTypeLibrary, velRegisterServer,
    velUnregisterServer,
};

} // namespace

extern "C" const VpbApi* VelPrgBar_GetApi(int32_t version)
{
    return version == VELPRGBAR_API_VERSION ? &Api : nullptr;
}
