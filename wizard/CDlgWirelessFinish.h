// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "wizard/CSummaryPage.h"

// The summary of the account, address and standard wireless settings; Next applies them.
class CDlgWirelessFinish : public CSummaryPage
{
    Q_OBJECT
public:
    enum ControlId : int
    {
        kKey1 = 1115,
        kKey2 = 1116,
        kKey3 = 1117,
        kKey4 = 1118,
        kPassphrase = 1119,
        kKey2Label = 1315,
        kKey3Label = 1316,
        kKey4Label = 1317,
        kPassphraseLabel = 1318,
    };
    // This page has no Exit.
    static constexpr SkinControlSpec kButtons[] = {kBackButton, kNextButton};
    // clang-format off
    static constexpr SkinControlSpec kKeyControls[] = {
        {SkinControlKind::Edit,    kKey1,            u"KEY1"},
        {SkinControlKind::Edit,    kKey2,            u"KEY2"},
        {SkinControlKind::Edit,    kKey3,            u"KEY3"},
        {SkinControlKind::Edit,    kKey4,            u"KEY4"},
        {SkinControlKind::PicText, kKey2Label,       u"LABKEY2"},
        {SkinControlKind::PicText, kKey3Label,       u"LABKEY3"},
        {SkinControlKind::PicText, kKey4Label,       u"LABKEY4"},
        {SkinControlKind::Edit,    kPassphrase,      u"PKEY"},
        {SkinControlKind::PicText, kPassphraseLabel, u"LABPKEY"},
    };
    // clang-format on
    static constexpr auto kControls =
        JoinControls(kButtons, kAccountAndAddressControls, kWirelessControls, kKeyControls);
    static constexpr SkinPageSpec kSkinPage{u"DlgWirelessFinish", kControls};

    explicit CDlgWirelessFinish(QWidget* mainWindow);

    void OnInitPage() override;

protected:
    void OnCommand(int id, int code) override;
};
