// SPDX-License-Identifier: MIT
// The reload gauge's container: the control from the library, bound by
// dispatch identifier, and the built-in gauge when the library is missing.
#include "WindowTestSupport.h"

#include "frmMain.h"
#include "GaugeHost.h"
#include "PropertyBag.h"
#include "ReplayRandom.h"
#include "VelPrgBarLoader.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

VpbVariant get(GaugeHost& host, int32_t dispid)
{
    VpbVariant result{};
    const int32_t hr = host.invoke(dispid, VPB_INVOKE_GET, nullptr, 0, &result);
    if (hr != VPB_S_OK)
        result.type = VPB_VT_EMPTY;
    return result;
}

// The counting a shot relies on, whatever hosts it.
void checkCounting(ReloadGauge& gauge)
{
    gauge.SetValue(0);
    for (int i = 1; i <= 20; ++i)
        gauge.CountUp();
    QCOMPARE(gauge.Value(), 20);
    for (int i = 0; i < 31; ++i)
        gauge.CountUp();
    QCOMPARE(gauge.Value(), 50); // never past the maximum
    gauge.SetValue(-5);
    QCOMPARE(gauge.Value(), 0);
    gauge.SetValue(0);
    QCOMPARE(gauge.Value(), 0);
}

} // namespace

class GaugeTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir empty_;

private slots:
    // First, while no battle of this run has said anything yet.
    void missingLibraryIsReportedOnceAndTheBattlePlaysOn()
    {
        VelPrgBarLoader::setSearchPaths({empty_.path()});
        QString text, detail;
        wt::onNextModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            text = box->text();
            detail = box->informativeText();
            box->accept();
        });
        ReplayRandom random;
        ManualClock clock{wt::ClockStart};
        MediaLog media;
        frmMain::Options options;
        options.random = &random;
        options.clock = &clock;
        options.manualTimers = true;
        options.media = media.sink();
        std::unique_ptr<frmMain> first(new frmMain(options));
        QVERIFY(text.contains(QStringLiteral("VelPrgBar")));
        QVERIFY(detail.contains(QStringLiteral("libVelPrgBar.so")));
        QVERIFY(!first->gaugeHost()->usesLibrary());

        // A shot runs its whole course on the built-in gauge.
        first->show();
        random.Queue(0.5);
        random.Queue(0.5);
        first->battle().cmdFire_Click();
        QVERIFY(!first->gaugeHost()->isHidden());
        for (int i = 0; i < 50; ++i)
            first->tick(BattleUi::Timer::tmrReload);
        QCOMPARE(first->gaugeHost()->Value(), 50);
        QVERIFY(first->gaugeHost()->isHidden());
        QVERIFY(!first->TimerEnabled(BattleUi::Timer::tmrReload));

        // The next battle of the run says nothing.
        std::unique_ptr<frmMain> second(new frmMain(options));
        QTest::qWait(50);
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(!second->gaugeHost()->usesLibrary());
    }

    void builtInGaugeCountsLikeTheControl()
    {
        VelPrgBarLoader::setSearchPaths({empty_.path()});
        GaugeHost host(4890, 390);
        QVERIFY(!host.usesLibrary());
        QCOMPARE(host.size(), QSize(326, 26));
        checkCounting(host);

        host.SetVisible(false);
        QVERIFY(host.isHidden());
        QVERIFY(!host.Visible());
        host.SetVisible(true);
        QVERIFY(!host.isHidden());
        QVERIFY(host.Visible());

        VpbVariant result{};
        QCOMPARE(host.invoke(VPB_DISPID_FWCOLOR, VPB_INVOKE_GET, nullptr, 0, &result), VPB_E_MEMBERNOTFOUND);
    }

    void brokenLibraryFileFallsBack()
    {
        QTemporaryDir dir;
        QFile junk(dir.filePath(QStringLiteral("libVelPrgBar.so")));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("not a shared object");
        junk.close();
        VelPrgBarLoader::setSearchPaths({dir.path()});
        GaugeHost host(4890, 390);
        QVERIFY(!host.usesLibrary());
        QVERIFY(host.failure().contains(QStringLiteral("libVelPrgBar.so")));
        checkCounting(host);
    }

    void propertyBagAnswersWithStoredValuesOrDefaults()
    {
        PropertyBag bag;
        GaugeHost::storeDesignSettings(bag);
        const VpbPropertyBag* api = bag.bag();

        auto read = [&](const char* key, VpbVariant def) {
            VpbVariant out{};
            api->read(api->context, key, &def, &out);
            return out;
        };
        VpbVariant longDefault{};
        longDefault.type = VPB_VT_I4;
        longDefault.v.i4 = -1;

        QCOMPARE(read("FWColor", longDefault).v.i4, 255);
        QCOMPARE(read("StringType", longDefault).v.i4, VPB_STYPE_FREESTRING);
        QCOMPARE(read("Maximum", longDefault).v.i4, 50);
        // Not stored: the control's own default comes back.
        QCOMPARE(read("Minimum", longDefault).v.i4, -1);
        QCOMPARE(read("Step", longDefault).v.i4, -1);
        QCOMPARE(read("Value", longDefault).v.i4, -1);

        const VpbVariant text = read("Text", VpbVariant{});
        QCOMPARE(text.type, int32_t(VPB_VT_STRING));
        QCOMPARE(QString::fromUtf8(text.v.str), testlang::pick("砲弾装填中...", "Loading shell..."));
        const VpbVariant font = read("Font", VpbVariant{});
        QCOMPARE(font.type, int32_t(VPB_VT_FONT));
        QCOMPARE(QString::fromUtf8(font.v.font->name), QStringLiteral("ＭＳ Ｐゴシック"));
        QCOMPARE(font.v.font->size, 9.75f);
        QCOMPARE(font.v.font->charset, int16_t(128));
        QCOMPARE(font.v.font->bold, int16_t(0));

        // What the control writes reads back, strings and fonts copied.
        std::string name = "Liberation Serif";
        VpbFont written{name.c_str(), 12.0f, -1, 0, 0, 0, 0};
        VpbVariant value{};
        value.type = VPB_VT_FONT;
        value.v.font = &written;
        api->write(api->context, "Font", &value, nullptr);
        name = "overwritten";
        const VpbVariant back = read("Font", VpbVariant{});
        QCOMPARE(QString::fromUtf8(back.v.font->name), QStringLiteral("Liberation Serif"));
        QCOMPARE(back.v.font->bold, int16_t(-1));
    }

    void libraryControlIsBoundByDispatchIdentifier()
    {
        VelPrgBarLoader::setSearchPaths(VelPrgBarLoader::defaultSearchPaths());
        QString error;
        if (!VelPrgBarLoader::api(&error))
            QSKIP(qPrintable(QStringLiteral("VelPrgBar is not built here: ") + error));

        QWidget form;
        auto* host = new GaugeHost(4890, 390, &form);
        QVERIFY(host->usesLibrary());
        QVERIFY(host->gaugeWidget());
        QCOMPARE(host->gaugeWidget()->parentWidget(), host);

        // Created from the stored design settings.
        QCOMPARE(get(*host, VPB_DISPID_FWCOLOR).v.i4, 255);
        QCOMPARE(get(*host, VPB_DISPID_STRINGTYPE).v.i4, VPB_STYPE_FREESTRING);
        QCOMPARE(get(*host, VPB_DISPID_MAXIMUM).v.i4, 50);
        QCOMPARE(get(*host, VPB_DISPID_MINIMUM).v.i4, 0);
        QCOMPARE(get(*host, VPB_DISPID_STEP).v.i4, 1);
        const VpbVariant text = get(*host, VPB_DISPID_TEXT);
        QCOMPARE(text.type, int32_t(VPB_VT_STRING));
        QCOMPARE(QString::fromUtf8(text.v.str), testlang::pick("砲弾装填中...", "Loading shell..."));
        const VpbVariant font = get(*host, VPB_DISPID_FONT);
        QCOMPARE(font.type, int32_t(VPB_VT_FONT));
        QCOMPARE(QString::fromUtf8(font.v.font->name), QStringLiteral("ＭＳ Ｐゴシック"));

        checkCounting(*host);

        // Visible is the container's: the control never sees it.
        host->SetVisible(false);
        QVERIFY(host->isHidden());
        QVERIFY(!host->Visible());
        host->SetVisible(true);
        QVERIFY(host->Visible());

        delete host; // the library takes its control down first
    }
};

WINDOW_TEST_MAIN(GaugeTest)
#include "GaugeTest.moc"
