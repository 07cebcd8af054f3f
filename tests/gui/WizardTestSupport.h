// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "skin/CPicButton.h"
#include "skin/MessageBox.h"
#include "skin/PressGuard.h"
#include "skin/SkinFile.h"
#include "wizard/CQuillaneDlg.h"
#include "wizard/CWizardPage.h"

#include <QLineEdit>
#include <QTest>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <net/if.h>
#include <string>
#include <unistd.h>

// Shared by the wizard's GUI tests: the default skin, skin messages, and a main window whose
// pages can be driven by clicks.
namespace WizardTest {

inline const std::filesystem::path kProgramFolder = QUILLANE_DEFAULT_SKIN;

// Empty when this process runs in a network namespace of its own (scripts/in-test-netns.sh);
// otherwise why the test must not run: pages talk to cameras by broadcast.
inline QString IsolationProblem()
{
    const char* isolated = std::getenv("QUILLANE_ISOLATED_NETNS");
    if (!isolated || std::strcmp(isolated, "1") != 0)
        return QStringLiteral(
            "run inside scripts/in-test-netns.sh: the wizard talks to cameras by broadcast");
    char self[128] = {};
    char init[128] = {};
    const ssize_t n = readlink("/proc/self/ns/net", self, sizeof self - 1);
    readlink("/proc/1/ns/net", init, sizeof init - 1);
    if (n <= 0 || std::strcmp(self, init) == 0)
        return QStringLiteral("this process shares PID 1's network namespace");
    return {};
}

inline QString SkinMessage(int number)
{
    QString text = QString::fromStdU16String(SkinFile(kProgramFolder / "Quillane.ini").messageText(number));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

inline QStringList ShownTexts()
{
    QStringList texts;
    for (const MessageBox::Shown& box : MessageBox::shown())
        texts.append(box.text);
    return texts;
}

// A main window whose searches find nothing and send nothing: it sees no adapters.
inline std::unique_ptr<CQuillaneDlg> OfflineWizard()
{
    DeviceTimeouts timeouts;
    timeouts.searchQuiet = std::chrono::milliseconds(50);
    timeouts.receive = std::chrono::milliseconds(50);
    auto wizard = std::make_unique<CQuillaneDlg>(timeouts, kProgramFolder);
    wizard->primaryManager().SetAdapterSource([] { return std::vector<AdapterAddress>{}; });
    return wizard;
}

inline void Click(CWizardPage* page, int id)
{
    QWidget* control = page ? page->FindControl(id) : nullptr;
    QVERIFY2(control, qPrintable(QStringLiteral("no control %1").arg(id)));
    QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(4, 4));
}

inline void Type(CWizardPage* page, int id, const QString& text)
{
    auto* edit = page ? qobject_cast<QLineEdit*>(page->FindControl(id)) : nullptr;
    QVERIFY2(edit, qPrintable(QStringLiteral("no edit %1").arg(id)));
    edit->setText(text);
}

inline QString Text(CWizardPage* page, int id)
{
    auto* edit = page ? qobject_cast<QLineEdit*>(page->FindControl(id)) : nullptr;
    return edit ? edit->text() : QStringLiteral("<no edit %1>").arg(id);
}

// Lets posted commands and control events run.
inline void Settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

} // namespace WizardTest
