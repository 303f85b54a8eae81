// SPDX-License-Identifier: MIT
// The Qt application the C host lives in.
#include "gauge.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget form;
    return run_reload_gauge(&form);
}
