// SPDX-License-Identifier: Apache-2.0
#include "wizard/CDlgNetWork.h"

#include "device/AddressChecks.h"
#include "device/WizardState.h"
#include "skin/MessageBox.h"
#include "skin/WizardCommand.h"
#include "wizard/WaitCursor.h"

#include <QLineEdit>

namespace {

using C = CDlgNetWork;
constexpr int kAddressEdits[] = {C::kIp, C::kMask, C::kGateway, C::kDns1, C::kDns2};
constexpr int kAddressLabels[] = {C::kIpLabel, C::kMaskLabel, C::kGatewayLabel, C::kDns1Label, C::kDns2Label};

} // namespace

CDlgNetWork::CDlgNetWork(QWidget* mainWindow) : CWizardPage(mainWindow, kSkinPage) {}

void CDlgNetWork::OnInitPage()
{
    const bool dhcp = m_links.state->camera.dhcp == 1;
    setChecked(kDhcpOn, dhcp);
    setChecked(kDhcpOff, !dhcp);
    enableAddressEdits(!dhcp);
    fillAddressEdits(dhcp);
    setPageFontOn({kIp, kMask, kGateway, kDns1, kDns2, kDhcpOn, kDhcpOff, kIpLabel, kMaskLabel, kGatewayLabel,
                   kDns1Label, kDns2Label});
}

void CDlgNetWork::enableAddressEdits(bool enabled)
{
    // The labels too, so that nothing suggests the fields count under DHCP.
    for (int id : kAddressEdits)
        enableControl(id, enabled);
    for (int id : kAddressLabels)
        enableControl(id, enabled);
}

void CDlgNetWork::fillAddressEdits(bool empty)
{
    const CameraInfo& camera = m_links.state->camera;
    const std::u16string* values[] = {&camera.ip, &camera.mask, &camera.gateway, &camera.dns1, &camera.dns2};
    for (size_t i = 0; i < std::size(kAddressEdits); ++i) {
        if (QLineEdit* field = edit(kAddressEdits[i]))
            field->setText(empty ? QString() : QString::fromStdU16String(*values[i]));
    }
}

void CDlgNetWork::enableFlowButtons(bool enabled)
{
    for (int id : {kExit, kBack, kNext})
        enableButton(id, enabled);
}

void CDlgNetWork::OnDhcp()
{
    setChecked(kDhcpOn, true);
    setChecked(kDhcpOff, false);
    enableAddressEdits(false);
    fillAddressEdits(true);
}

void CDlgNetWork::OnStatic()
{
    setChecked(kDhcpOff, true);
    setChecked(kDhcpOn, false);
    enableAddressEdits(true);
    fillAddressEdits(false);
    // The person chose to type an address: the cursor waits in its field.
    if (QLineEdit* field = edit(kIp)) {
        field->setFocus();
        field->selectAll();
    }
}

void CDlgNetWork::OnNext()
{
    WaitCursor wait;
    CameraInfo& camera = m_links.state->camera;
    const bool dhcp = isChecked(kDhcpOn);
    if (!dhcp) {
        auto text = [this](int id) { return this->text(id).toStdU16String(); };
        const StaticAddressCheck check =
            CheckStaticAddress({text(kIp), text(kMask), text(kGateway), text(kDns1), text(kDns2)});
        if (check.failed) {
            if (QWidget* field = FindControl(kAddressEdits[static_cast<int>(*check.failed)]))
                field->setFocus();
            wait.release();
            ShowMessage(check.MessageNumber(), MessageBox::IconWarning);
            return;
        }
        StoreStaticAddress(check.normalised, camera);
    }
    camera.dhcp = dhcp ? 1 : 0;
    enableFlowButtons(false);
    post(WIZ_NEXT);
    // Still here once the main window has handled Next: the flow had no page to go to.
    QMetaObject::invokeMethod(
        this, [this] { enableFlowButtons(true); }, Qt::QueuedConnection);
}

void CDlgNetWork::OnCommand(int id, int code)
{
    switch (id) {
    case kNext:
        OnNext();
        break;
    case kDhcpOn:
        OnDhcp();
        break;
    case kDhcpOff:
        OnStatic();
        break;
    default:
        CWizardPage::OnCommand(id, code);
        break;
    }
}
