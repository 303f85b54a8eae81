// SPDX-License-Identifier: MIT
// The library as a host uses it: loaded from its file, bound by dispatch id.
#include "VelPrgBarApi.h"

#include <QFileInfo>
#include <QLibrary>
#include <QMap>
#include <QSettings>
#include <QWidget>

#include <climits>
#include <cstring>

#include <gtest/gtest.h>

namespace {

const VpbApi* loadApi()
{
    static QLibrary library(QStringLiteral(VELPRGBAR_LIBRARY_FILE));
    static const VpbApi* api = [] {
        if (!library.load())
            return static_cast<const VpbApi*>(nullptr);
        auto entry = reinterpret_cast<VelPrgBar_GetApiFn>(library.resolve(VELPRGBAR_ENTRY_POINT));
        return entry && !entry(2) ? entry(VELPRGBAR_API_VERSION) : nullptr;
    }();
    return api;
}

VpbVariant i4(int32_t v)
{
    VpbVariant x{};
    x.type = VPB_VT_I4;
    x.v.i4 = v;
    return x;
}

VpbVariant str(const char* s)
{
    VpbVariant x{};
    x.type = VPB_VT_STRING;
    x.v.str = s;
    return x;
}

// A container's property bag holding C values.
class Bag {
public:
    struct Entry {
        VpbVariant value{};
        QByteArray text;
        VpbFont font{};
    };
    Bag() = default;
    Bag(const Bag&) = delete; // c points at this bag
    VpbPropertyBag c{this, &Bag::read, &Bag::write};
    QMap<QByteArray, Entry> values;
    QList<QByteArray> writes;

    void set(const char* key, const VpbVariant& v, const char* text = nullptr, VpbFont font = {})
    {
        Entry e;
        e.value = v;
        e.text = text ? text : (font.name ? font.name : "");
        e.font = font;
        values[key] = e;
    }

private:
    static void read(void* ctx, const char* key, const VpbVariant* def, VpbVariant* out)
    {
        auto& self = *static_cast<Bag*>(ctx);
        auto it = self.values.find(key);
        if (it == self.values.end()) {
            *out = *def;
            return;
        }
        *out = it->value;
        if (out->type == VPB_VT_STRING)
            out->v.str = it->text.constData();
        if (out->type == VPB_VT_FONT) {
            it->font.name = it->text.constData();
            out->v.font = &it->font;
        }
    }
    static void write(void* ctx, const char* key, const VpbVariant* value, const VpbVariant*)
    {
        auto& self = *static_cast<Bag*>(ctx);
        self.writes.append(key);
        if (value->type == VPB_VT_STRING)
            self.set(key, *value, value->v.str);
        else if (value->type == VPB_VT_FONT)
            self.set(key, *value, nullptr, *value->v.font);
        else
            self.set(key, *value);
    }
};

// The game's battle form in miniature: it owns the control and answers
// Visible itself, as a container does.
class Container {
public:
    explicit Container(Bag* bag, const VpbSite* site = nullptr)
        : api(loadApi())
    {
        control = api->create(&form, 4890, 390, bag ? &bag->c : nullptr, site);
    }
    ~Container() { api->destroy(control); }

    int32_t invoke(int32_t dispid, int32_t kind, const VpbVariant* args = nullptr, int32_t n = 0,
                   VpbVariant* result = nullptr)
    {
        auto* w = static_cast<QWidget*>(api->widget(control));
        if (dispid == VPB_DISPID_VISIBLE && kind == VPB_INVOKE_PUT && n == 1) {
            w->setVisible(args[0].v.boolean != 0);
            return VPB_S_OK;
        }
        return api->invoke(control, dispid, kind, args, n, result);
    }
    int32_t get(int32_t dispid)
    {
        VpbVariant r{};
        EXPECT_EQ(invoke(dispid, VPB_INVOKE_GET, nullptr, 0, &r), VPB_S_OK);
        EXPECT_EQ(r.type, VPB_VT_I4);
        return r.v.i4;
    }
    int32_t put(int32_t dispid, VpbVariant v) { return invoke(dispid, VPB_INVOKE_PUT, &v, 1); }
    bool visible() { return static_cast<QWidget*>(api->widget(control))->isVisibleTo(&form); }

    const VpbApi* api;
    QWidget form;
    VpbControl* control = nullptr;
};

void fillReloadGauge(Bag& bag)
{
    bag.set("FWColor", i4(255));
    bag.set("StringType", i4(VPB_STYPE_FREESTRING));
    bag.set("Maximum", i4(50));
    bag.set("Text", str(nullptr), "砲弾装填中...");
    VpbFont font{"ＭＳ Ｐゴシック", 9.75f, 0, 0, 0, 0, 128};
    VpbVariant f{};
    f.type = VPB_VT_FONT;
    bag.set("Font", f, nullptr, font);
}

} // namespace

TEST(Loader, ReloadGaugeRunsByDispatchIdentifier)
{
    ASSERT_TRUE(loadApi()) << "cannot load " VELPRGBAR_LIBRARY_FILE;
    Bag bag;
    fillReloadGauge(bag);
    Container c(&bag);
    ASSERT_TRUE(c.control);
    EXPECT_EQ(static_cast<QWidget*>(c.api->widget(c.control))->size(), QSize(326, 26));
    EXPECT_EQ(c.get(VPB_DISPID_MINIMUM), 0);
    EXPECT_EQ(c.get(VPB_DISPID_STEP), 1);

    // Fire: zero the gauge and show it; tick until full; hide it.
    VpbVariant shown{};
    shown.type = VPB_VT_BOOL;
    shown.v.boolean = -1;
    EXPECT_EQ(c.api->invoke(c.control, VPB_DISPID_VISIBLE, VPB_INVOKE_PUT, &shown, 1, nullptr),
              VPB_E_MEMBERNOTFOUND); // the control leaves Visible to its container
    ASSERT_EQ(c.put(VPB_DISPID_VALUE, i4(0)), VPB_S_OK);
    ASSERT_EQ(c.invoke(VPB_DISPID_VISIBLE, VPB_INVOKE_PUT, &shown, 1), VPB_S_OK);
    EXPECT_TRUE(c.visible());
    for (int tick = 1; tick <= 51; ++tick) {
        ASSERT_EQ(c.invoke(VPB_DISPID_COUNTUP, VPB_INVOKE_METHOD), VPB_S_OK);
        ASSERT_EQ(c.get(VPB_DISPID_VALUE), tick > 50 ? 50 : tick);
    }
    shown.v.boolean = 0;
    ASSERT_EQ(c.invoke(VPB_DISPID_VISIBLE, VPB_INVOKE_PUT, &shown, 1), VPB_S_OK);
    EXPECT_FALSE(c.visible());

    VpbVariant r{};
    ASSERT_EQ(c.invoke(VPB_DISPID_TEXT, VPB_INVOKE_GET, nullptr, 0, &r), VPB_S_OK);
    ASSERT_EQ(r.type, VPB_VT_STRING);
    EXPECT_STREQ(r.v.str, "砲弾装填中...");
    ASSERT_EQ(c.invoke(VPB_DISPID_FONT, VPB_INVOKE_GET, nullptr, 0, &r), VPB_S_OK);
    ASSERT_EQ(r.type, VPB_VT_FONT);
    EXPECT_STREQ(r.v.font->name, "ＭＳ Ｐゴシック");
    EXPECT_EQ(r.v.font->charset, 128);
    EXPECT_FLOAT_EQ(r.v.font->size, 9.6f);
}

TEST(Loader, DispatchErrorsReachTheCallerAndChangeNothing)
{
    ASSERT_TRUE(loadApi());
    Container c(nullptr);
    EXPECT_EQ(c.invoke(0x68030099, VPB_INVOKE_GET), VPB_E_MEMBERNOTFOUND);
    EXPECT_EQ(c.invoke(VPB_DISPID_COUNTUP, VPB_INVOKE_GET), VPB_E_MEMBERNOTFOUND);
    EXPECT_EQ(c.invoke(VPB_DISPID_VALUE, VPB_INVOKE_PUT), VPB_E_BADPARAMCOUNT);
    EXPECT_EQ(c.put(VPB_DISPID_VALUE, str("abc")), VPB_E_TYPEMISMATCH);
    EXPECT_EQ(c.put(VPB_DISPID_FONT, i4(1)), VPB_E_MEMBERNOTFOUND); // fonts are set by reference
    EXPECT_EQ(c.api->invoke(nullptr, VPB_DISPID_VALUE, VPB_INVOKE_GET, nullptr, 0, nullptr),
              VPB_E_INVALIDARG);

    // Singles and numeric text convert as the classic runtime does.
    VpbVariant single{};
    single.type = VPB_VT_R4;
    single.v.r4 = 12.5f;
    ASSERT_EQ(c.put(VPB_DISPID_VALUE, single), VPB_S_OK);
    EXPECT_EQ(c.get(VPB_DISPID_VALUE), 12);
    ASSERT_EQ(c.put(VPB_DISPID_VALUE, str(" 13.5")), VPB_S_OK);
    EXPECT_EQ(c.get(VPB_DISPID_VALUE), 14);
    single.v.r4 = 3e9f;
    EXPECT_EQ(c.put(VPB_DISPID_VALUE, single), VPB_E_OVERFLOW);

    ASSERT_EQ(c.put(VPB_DISPID_MAXIMUM, i4(INT_MAX)), VPB_S_OK);
    ASSERT_EQ(c.put(VPB_DISPID_STEP, i4(10)), VPB_S_OK);
    ASSERT_EQ(c.put(VPB_DISPID_VALUE, i4(INT_MAX - 5)), VPB_S_OK);
    EXPECT_EQ(c.invoke(VPB_DISPID_COUNTUP, VPB_INVOKE_METHOD), VPB_E_OVERFLOW);
    EXPECT_EQ(c.get(VPB_DISPID_VALUE), INT_MAX - 5);
    ASSERT_EQ(c.put(VPB_DISPID_MINIMUM, i4(-2000000000)), VPB_S_OK);
    EXPECT_EQ(c.put(VPB_DISPID_STEP, i4(3)), VPB_E_OVERFLOW);
    EXPECT_EQ(c.get(VPB_DISPID_STEP), 10);
}

TEST(Loader, RangeByDispatchIdentifierClampsAsTheClassicControl)
{
    // The host binds the classic rules, not the Qt setters: a Minimum at or
    // above Maximum is pulled below it, and the other end stays.
    ASSERT_TRUE(loadApi());
    Container c(nullptr);
    ASSERT_EQ(c.put(VPB_DISPID_MINIMUM, i4(100)), VPB_S_OK);
    EXPECT_EQ(c.get(VPB_DISPID_MINIMUM), 99);
    EXPECT_EQ(c.get(VPB_DISPID_MAXIMUM), 100);
    ASSERT_EQ(c.put(VPB_DISPID_MAXIMUM, i4(300)), VPB_S_OK);
    EXPECT_EQ(c.get(VPB_DISPID_MINIMUM), 99);
    ASSERT_EQ(c.put(VPB_DISPID_MINIMUM, i4(20)), VPB_S_OK);
    ASSERT_EQ(c.put(VPB_DISPID_MAXIMUM, i4(10)), VPB_S_OK);
    EXPECT_EQ(c.get(VPB_DISPID_MAXIMUM), 21);
    EXPECT_EQ(c.get(VPB_DISPID_MINIMUM), 20);
}

TEST(Loader, TypeInformationListsMembersAndStringTypes)
{
    ASSERT_TRUE(loadApi());
    const VpbTypeLibrary* lib = loadApi()->typeLibrary();
    EXPECT_STREQ(lib->libraryName, "VelPrgBar");
    EXPECT_STREQ(lib->className, "VelProgressBar");
    EXPECT_STREQ(lib->interfaceName, "_VelProgressBar");
    EXPECT_STREQ(lib->eventInterfaceName, "__VelProgressBar");
    EXPECT_GT(std::strlen(lib->description), 0u);
    EXPECT_EQ(std::strchr(lib->description, '\n'), nullptr);

    const struct {
        const char* name;
        int32_t dispid;
        const char* param;
    } expected[] = {{"FwColor", 0x68030007, "cColor"}, {"Minimum", 0x68030006, "nMin"},
                    {"Maximum", 0x68030005, "nMax"},   {"StringType", 0x68030004, "nStype"},
                    {"Text", 0x68030003, "sTxt"},      {"Step", 0x68030002, "nStp"},
                    {"Font", 0x68030001, "sFont"},     {"Value", 0x68030000, "nVal"},
                    {"CountUp", 0x6003000C, ""}};
    ASSERT_EQ(lib->memberCount, 9);
    for (int i = 0; i < 9; ++i) {
        EXPECT_STREQ(lib->members[i].name, expected[i].name);
        EXPECT_EQ(lib->members[i].dispid, expected[i].dispid) << expected[i].name;
        EXPECT_STREQ(lib->members[i].paramName, expected[i].param);
    }
    EXPECT_EQ(lib->members[6].kinds, VPB_INVOKE_GET | VPB_INVOKE_PUTREF);
    EXPECT_STREQ(lib->members[6].paramType, "StdFont");
    EXPECT_EQ(lib->members[8].kinds, VPB_INVOKE_METHOD);
    EXPECT_STREQ(lib->members[0].paramType, "OLE_COLOR");
    EXPECT_STREQ(lib->members[7].helpString, "現在の値を指定します。");

    EXPECT_STREQ(lib->enumName, "StringTypeConstants");
    ASSERT_EQ(lib->enumMemberCount, 5);
    const char* names[] = {"stypeNone", "stypePercent", "stypeFraction", "stypeValue", "stypeFreeString"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_STREQ(lib->enumMembers[i].name, names[i]);
        EXPECT_EQ(lib->enumMembers[i].value, i);
        EXPECT_STREQ(lib->enumMembers[i].helpString, names[i]);
    }
}

TEST(Loader, SaveAndSiteGoThroughTheContainer)
{
    ASSERT_TRUE(loadApi());
    QList<QByteArray> changed;
    VpbSite site{&changed,
                 [](void* ctx, const char* name) { static_cast<QList<QByteArray>*>(ctx)->append(name); }};
    Bag in;
    fillReloadGauge(in);
    Container c(&in, &site);
    EXPECT_TRUE(changed.isEmpty()); // restoring is not a change
    c.put(VPB_DISPID_VALUE, i4(5));
    c.put(VPB_DISPID_STRINGTYPE, i4(VPB_STYPE_PERCENT));
    EXPECT_EQ(changed, QList<QByteArray>({"StringType"}));

    Bag out;
    c.api->save(c.control, &out.c);
    EXPECT_EQ(
        out.writes,
        QList<QByteArray>({"FWColor", "StringType", "Minimum", "Maximum", "Value", "Text", "Step", "Font"}));
    EXPECT_EQ(out.values["FWColor"].value.v.i4, 255);
    EXPECT_EQ(out.values["Value"].value.v.i4, 5);
    EXPECT_EQ(out.values["Text"].text, "10.0%");
    EXPECT_EQ(out.values["Font"].text, "ＭＳ Ｐゴシック");
    EXPECT_EQ(out.values["Font"].font.charset, 128);
}

TEST(Loader, RegistersForTheCurrentUser)
{
    ASSERT_TRUE(loadApi());
    const QString ini = qEnvironmentVariable("XDG_CONFIG_HOME") + "/VelPrgBar/Controls.ini";
    ASSERT_EQ(loadApi()->registerServer(), VPB_S_OK);
    {
        QSettings s(ini, QSettings::IniFormat);
        s.beginGroup(VELPRGBAR_CLASS_NAME);
        EXPECT_EQ(QFileInfo(s.value("Library").toString()).canonicalFilePath(),
                  QFileInfo(VELPRGBAR_LIBRARY_FILE).canonicalFilePath());
        EXPECT_EQ(s.value("EntryPoint").toString(), VELPRGBAR_ENTRY_POINT);
        EXPECT_EQ(s.value("ApiVersion").toInt(), VELPRGBAR_API_VERSION);
    }
    ASSERT_EQ(loadApi()->unregisterServer(), VPB_S_OK);
    QSettings s(ini, QSettings::IniFormat);
    EXPECT_FALSE(s.childGroups().contains(VELPRGBAR_CLASS_NAME));
}
