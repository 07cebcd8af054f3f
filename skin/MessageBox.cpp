// SPDX-License-Identifier: Apache-2.0
#include "skin/MessageBox.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace {

struct TestHooks
{
    bool testMode = false;
    QList<int> answers;
    QList<MessageBox::Shown> shown;
};

TestHooks& hooks()
{
    static TestHooks instance;
    return instance;
}

QMessageBox::Icon iconFor(unsigned flags)
{
    switch (flags & 0xF0) {
    case MessageBox::IconError:
        return QMessageBox::Critical;
    case MessageBox::IconQuestion:
        return QMessageBox::Question;
    case MessageBox::IconWarning:
        return QMessageBox::Warning;
    case MessageBox::IconInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

QMessageBox::StandardButtons buttonsFor(unsigned flags)
{
    switch (flags & 0x0F) {
    case MessageBox::OKCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageBox::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageBox::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageBox::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    default:
        return QMessageBox::Ok;
    }
}

int resultFor(int button)
{
    switch (button) {
    case QMessageBox::Yes:
        return MessageBox::IdYes;
    case QMessageBox::No:
        return MessageBox::IdNo;
    case QMessageBox::Retry:
        return MessageBox::IdRetry;
    case QMessageBox::Cancel:
        return MessageBox::IdCancel;
    default:
        return MessageBox::IdOk;
    }
}

} // namespace

int MessageBox::show(QWidget* parent, const QString& text, unsigned flags)
{
    TestHooks& test = hooks();
    if (test.testMode || !test.answers.isEmpty()) {
        test.shown.append({text, flags});
        return test.answers.isEmpty() ? firstButton(flags) : test.answers.takeFirst();
    }
    QMessageBox box(iconFor(flags), QStringLiteral("Quillane"), text, buttonsFor(flags), parent);
    // A box is a window of its own and would not take on the page's font by itself.
    if (parent)
        box.setFont(parent->font());
    return resultFor(box.exec());
}

int MessageBox::firstButton(unsigned flags)
{
    switch (flags & 0x0F) {
    case YesNo:
    case YesNoCancel:
        return IdYes;
    case RetryCancel:
        return IdRetry;
    default:
        return IdOk;
    }
}

void MessageBox::enableTestMode(bool on)
{
    hooks().testMode = on;
    if (!on)
        hooks().answers.clear();
}

void MessageBox::setNextAnswer(int answer)
{
    hooks().answers.append(answer);
}

const QList<MessageBox::Shown>& MessageBox::shown()
{
    return hooks().shown;
}

void MessageBox::clearShown()
{
    hooks().shown.clear();
}
