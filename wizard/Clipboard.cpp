// SPDX-License-Identifier: Apache-2.0
#include "wizard/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {

struct Recorder
{
    bool testMode = false;
    QString text;
};

Recorder& recorder()
{
    static Recorder instance;
    return instance;
}

} // namespace

void Clipboard::setText(const QString& text)
{
    recorder().text = text;
    if (recorder().testMode)
        return;
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(text);
}

void Clipboard::enableTestMode(bool on)
{
    recorder().testMode = on;
}

QString Clipboard::text()
{
    return recorder().text;
}
