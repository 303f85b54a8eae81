// SPDX-License-Identifier: MIT
// A reload gauge that fills in a second with its caption, then closes.
#include <VelProgressBar.h>

#include <QApplication>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);

    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* gauge = new VelProgressBar;
    gauge->setBarColor(Qt::red);
    gauge->setStringType(VelProgressBar::stypeFreeString);
    gauge->setText(QStringLiteral("Reloading..."));
    gauge->setRange(0, 50);
    gauge->setStep(1);
    gauge->setValue(0);
    layout->addWidget(gauge);
    window.show();

    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, gauge, &VelProgressBar::countUp);
    QObject::connect(gauge, &VelProgressBar::valueChanged, [&](int value) {
        if (value == gauge->maximum()) {
            tick.stop();
            gauge->setStringType(VelProgressBar::stypePercent);
            std::printf("%s\n", qPrintable(gauge->text())); // 100.0%
            app.quit();
        }
    });
    tick.start(20);
    const int status = app.exec();
    return status == 0 && gauge->value() == 50 ? 0 : 1;
}
