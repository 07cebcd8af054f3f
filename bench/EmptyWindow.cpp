// SPDX-License-Identifier: Apache-2.0
// The floor for the wizard's start-up figures: a bare Qt Widgets program that shows one empty
// window of the wizard's page size, and reports its first paint as the wizard does.

#include "wizard/FirstPaintStamp.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    FirstPaintStamp stamp("empty window");
    QWidget window;
    window.resize(720, 480);
    window.show();
    return app.exec();
}
