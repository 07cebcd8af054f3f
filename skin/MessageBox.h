// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QList>
#include <QString>

class QWidget;

// Every message box of the wizard goes through here, so that tests can answer boxes in advance
// instead of blocking in a modal loop. Flags and results use the Windows message-box values
// that pages pass around.
class MessageBox
{
public:
    enum Flags : unsigned
    {
        OK = 0x00,
        OKCancel = 0x01,
        RetryCancel = 0x05,
        YesNo = 0x04,
        YesNoCancel = 0x03,
        IconError = 0x10,
        IconQuestion = 0x20,
        IconWarning = 0x30,
        IconInformation = 0x40,
    };
    enum Result : int
    {
        IdOk = 1,
        IdCancel = 2,
        IdRetry = 4,
        IdYes = 6,
        IdNo = 7,
    };

    struct Shown
    {
        QString text;
        unsigned flags = 0;
    };

    static int show(QWidget* parent, const QString& text, unsigned flags);

    // Test hooks. While answers are queued, or after enableTestMode, no box is shown: the next
    // queued answer is returned (or the box's first button when none is queued) and the box is
    // recorded.
    static void enableTestMode(bool on);
    static void setNextAnswer(int answer);
    static const QList<Shown>& shown();
    static void clearShown();

private:
    static int firstButton(unsigned flags);
};
