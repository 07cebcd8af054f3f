// SPDX-License-Identifier: Apache-2.0
#include "wizard/PageRegistry.h"

#include "wizard/CDlgAbout.h"
#include "wizard/CDlgIdPwd.h"
#include "wizard/CDlgListCam.h"
#include "wizard/CDlgNetWork.h"
#include "wizard/CDlgNetWorkFinish.h"
#include "wizard/CDlgWPSSetting.h"
#include "wizard/CDlgWireless.h"
#include "wizard/CDlgWirelessFinish.h"
#include "wizard/CDlgWirelessFinishNew.h"
#include "wizard/CDlgWirelessKey.h"
#include "wizard/CDlgWirelessNew.h"
#include "wizard/CDlgWirelessSelect.h"

namespace {

template <typename Page> std::unique_ptr<CWizardPage> Make(QWidget* mainWindow)
{
    return std::make_unique<Page>(mainWindow);
}

template <WpsEntry entry> std::unique_ptr<CWizardPage> MakeWps(QWidget* mainWindow)
{
    return std::make_unique<CDlgWPSSetting>(mainWindow, entry);
}

using R = PageReceives;

// clang-format off
const PageRegistration kPages[] = {
    {PageId::ListCam,           Make<CDlgListCam>,           R::BothManagersAndState},
    {PageId::IdPwd,             Make<CDlgIdPwd>,             R::PrimaryAndState},
    {PageId::NetWork,           Make<CDlgNetWork>,           R::PrimaryAndState},
    {PageId::Wireless,          Make<CDlgWireless>,          R::State},
    {PageId::NetWorkFinish,     Make<CDlgNetWorkFinish>,     R::BothManagersAndState},
    {PageId::WirelessKey,       Make<CDlgWirelessKey>,       R::State},
    {PageId::WirelessFinish,    Make<CDlgWirelessFinish>,    R::BothManagersAndState},
    {PageId::About,             Make<CDlgAbout>,             R::Nothing},
    {PageId::WpsFromList,       MakeWps<WpsEntry::FromList>,   R::BothManagersAndState, WpsPageMode::FromList},
    {PageId::WpsFromChoice,     MakeWps<WpsEntry::FromChoice>, R::BothManagersAndState, WpsPageMode::FromChoice},
    {PageId::WirelessSelect,    Make<CDlgWirelessSelect>,    R::State},
    {PageId::WirelessNew,       Make<CDlgWirelessNew>,       R::State},
    {PageId::WirelessFinishNew, Make<CDlgWirelessFinishNew>, R::BothManagersAndState},
};
// clang-format on

} // namespace

std::span<const PageRegistration> PageRegistrations()
{
    return kPages;
}

const PageRegistration* FindPageRegistration(PageId id)
{
    for (const PageRegistration& page : kPages) {
        if (page.id == id)
            return &page;
    }
    return nullptr;
}
