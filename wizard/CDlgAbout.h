// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "platform/ProgramVersion.h"
#include "wizard/CWizardPage.h"

// The skin's own version caption when it has one (blanks do not count), otherwise the program's
// version as "Version: 1.2.3.4".
QString AboutVersionText(const QString& skinCaption, const ProgramVersion& version);

// Project, version and creator texts, and one button back to the camera list.
class CDlgAbout : public CWizardPage
{
    Q_OBJECT
public:
    enum ControlId : int
    {
        kProject = 1301,
        kVersion = 1302,
        kCreator = 1303,
    };
    static constexpr SkinControlSpec kControls[] = {
        kNextButton,
        {SkinControlKind::PicText, kProject, u"Project"},
        {SkinControlKind::PicText, kVersion, u"Ver"},
        {SkinControlKind::PicText, kCreator, u"Creat"},
    };
    static constexpr SkinPageSpec kSkinPage{u"DlgAbout", kControls};

    explicit CDlgAbout(QWidget* mainWindow);

    void OnInitPage() override;

protected:
    void OnCommand(int id, int code) override;
};
