// SPDX-License-Identifier: Apache-2.0
#include "wizard/CDlgNetWorkFinish.h"

#include "device/ApplySequence.h"

CDlgNetWorkFinish::CDlgNetWorkFinish(QWidget* mainWindow) : CSummaryPage(mainWindow, kSkinPage) {}

void CDlgNetWorkFinish::OnInitPage()
{
    fillAccountAndAddresses(QStringLiteral("Auto"));
    finishFields();
}

void CDlgNetWorkFinish::OnCommand(int id, int code)
{
    if (id == kNext)
        runApply(ApplyNetwork);
    else
        CSummaryPage::OnCommand(id, code);
}
