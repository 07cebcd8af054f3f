// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "wizard/CSummaryPage.h"

// The summary of the account and address settings; Next applies them to the camera.
class CDlgNetWorkFinish : public CSummaryPage
{
    Q_OBJECT
public:
    static constexpr SkinControlSpec kButtons[] = {kExitButton, kBackButton, kNextButton};
    static constexpr auto kControls = JoinControls(kButtons, kAccountAndAddressControls);
    static constexpr SkinPageSpec kSkinPage{u"DlgNetWorkFinish", kControls};

    explicit CDlgNetWorkFinish(QWidget* mainWindow);

    void OnInitPage() override;

protected:
    void OnCommand(int id, int code) override;
};
