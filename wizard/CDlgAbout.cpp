// SPDX-License-Identifier: Apache-2.0
#include "wizard/CDlgAbout.h"

#include "skin/CPicText.h"
#include "skin/WizardCommand.h"

QString AboutVersionText(const QString& skinCaption, const ProgramVersion& version)
{
    const QString caption = skinCaption.trimmed();
    if (!caption.isEmpty())
        return caption;
    return QStringLiteral("Version: %1.%2.%3.%4")
        .arg(version.major)
        .arg(version.minor)
        .arg(version.patch)
        .arg(version.tweak);
}

CDlgAbout::CDlgAbout(QWidget* mainWindow) : CWizardPage(mainWindow, kSkinPage) {}

void CDlgAbout::OnInitPage()
{
    const QString caption = readText(QStringLiteral("DlgAbout.Ver"), QStringLiteral("caption"), QString());
    if (auto* text = qobject_cast<CPicText*>(FindControl(kVersion))) {
        text->SetText(AboutVersionText(caption, kProgramVersion));
        text->Redraw();
    }
}

void CDlgAbout::OnCommand(int id, int)
{
    if (id == kNext)
        post(WIZ_NEXT);
}
