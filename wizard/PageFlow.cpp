// SPDX-License-Identifier: Apache-2.0
#include "wizard/PageFlow.h"

#include "device/DeviceProtocol.h"
#include "device/ModelRules.h"
#include "device/WizardState.h"

namespace {

PageTransition To(PageId page)
{
    return PageTransition{page};
}

// After the network page, a wireless camera goes to one of the wireless pages.
std::optional<PageTransition> AfterNetwork(const WizardState& state)
{
    if (state.camera.hasWireless == 0)
        return To(PageId::NetWorkFinish);
    if (!state.SupportsOpcode(DeviceProtocol::Opcode::kGetWLan))
        return std::nullopt;
    if (!state.WpsCapable())
        return To(PageId::WirelessNew);
    if (state.wpsShow == 1)
        return To(PageId::WirelessSelect);
    return To(state.onlyWirelessNew == 0 ? PageId::Wireless : PageId::WirelessNew);
}

} // namespace

std::optional<PageTransition> NextPage(PageId from, WizardState& state)
{
    switch (from) {
    case PageId::ListCam: {
        PageTransition next = To(PageId::IdPwd);
        if (IsK7ZModel(state.camera.model)) {
            next.resetCarriedWpsValue = true;
            if (state.wpsShow == 1)
                state.wpsChosen = 1;
        }
        return next;
    }
    case PageId::IdPwd:
        return To(PageId::NetWork);
    case PageId::NetWork:
        return AfterNetwork(state);
    case PageId::Wireless:
        return To(PageId::WirelessKey);
    case PageId::WirelessKey:
        return To(PageId::WirelessFinish);
    case PageId::WpsFromChoice: {
        PageTransition next = To(PageId::WirelessFinish);
        next.takeCarriedWpsValue = true;
        return next;
    }
    case PageId::WirelessSelect:
        if (state.wpsChosen == 1)
            return To(PageId::WpsFromChoice);
        return To(state.onlyWirelessNew == 0 ? PageId::Wireless : PageId::WirelessNew);
    case PageId::WirelessNew:
        return To(PageId::WirelessFinishNew);
    case PageId::NetWorkFinish:
    case PageId::WirelessFinish:
    case PageId::About:
    case PageId::WpsFromList:
    case PageId::WirelessFinishNew:
        return To(PageId::ListCam);
    }
    return std::nullopt;
}

std::optional<PageTransition> BackPage(PageId from, const WizardState& state)
{
    const bool wpsWay = state.WpsCapable() && state.wpsShow == 1;
    switch (from) {
    case PageId::ListCam:
    case PageId::About:
        return std::nullopt;
    case PageId::IdPwd:
    case PageId::WpsFromList:
        return To(PageId::ListCam);
    case PageId::NetWork:
        return To(PageId::IdPwd);
    case PageId::Wireless:
    case PageId::WirelessNew:
        return To(wpsWay ? PageId::WirelessSelect : PageId::NetWork);
    case PageId::NetWorkFinish:
    case PageId::WirelessSelect:
        return To(PageId::NetWork);
    case PageId::WirelessKey:
        return To(PageId::Wireless);
    case PageId::WirelessFinish: {
        if (state.wpsChosen == 0)
            return To(PageId::WirelessKey);
        PageTransition back = To(PageId::WpsFromChoice);
        back.giveCarriedWpsValue = true;
        return back;
    }
    case PageId::WpsFromChoice:
        return To(PageId::WirelessSelect);
    case PageId::WirelessFinishNew:
        return To(PageId::WirelessNew);
    }
    return std::nullopt;
}
