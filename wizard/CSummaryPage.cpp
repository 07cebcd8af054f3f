// SPDX-License-Identifier: Apache-2.0
#include "wizard/CSummaryPage.h"

#include "device/CDeviceManager.h"
#include "device/OperationContext.h"
#include "device/WizardState.h"
#include "skin/ControlItem.h"
#include "skin/WizardCommand.h"

#include <QLineEdit>
#include <QPalette>

bool CSummaryPage::Create(const std::filesystem::path& programFolder)
{
    if (!CWizardPage::Create(programFolder))
        return false;
    // The page only shows what will be applied, but the values must stay easy to read: disabled
    // fields keep the normal text colour instead of the faint grey of a control that does not count.
    for (const auto& item : controls()) {
        if (item->kind != ControlKind::Edit)
            continue;
        QWidget* field = item->control.get();
        QPalette palette = field->palette();
        palette.setColor(QPalette::Disabled, QPalette::Text, palette.color(QPalette::Active, QPalette::Text));
        field->setPalette(palette);
        field->setEnabled(false);
    }
    return true;
}

void CSummaryPage::fillAccountAndAddresses(const QString& dhcpText)
{
    if (m_links.primary)
        m_links.primary->SetTemplateFolder(templateFolder());
    const WizardState& state = *m_links.state;
    const CameraInfo& camera = state.camera;
    const bool dhcp = camera.dhcp == 1;
    const std::pair<int, const std::u16string*> addresses[] = {
        {kIp, &camera.ip},     {kMask, &camera.mask}, {kGateway, &camera.gateway},
        {kDns1, &camera.dns1}, {kDns2, &camera.dns2},
    };
    for (const auto& [id, value] : addresses)
        setText(id, dhcp ? dhcpText : QString::fromStdU16String(*value));
    setText(kAdminId, QString::fromStdU16String(state.adminId));
    setText(kAdminPassword, QString::fromStdU16String(state.changePassword == 1 ? state.confirmPassword
                                                                                : state.adminPassword));
}

void CSummaryPage::finishFields()
{
    for (const auto& item : controls()) {
        if (item->kind == ControlKind::Edit || item->kind == ControlKind::PicText)
            setPageFontOn({item->id});
        // A long key would otherwise show only its end; the tip shows all of it.
        if (auto* field = qobject_cast<QLineEdit*>(item->control.get())) {
            field->setCursorPosition(0);
            if (field->echoMode() == QLineEdit::Normal)
                field->setToolTip(field->text());
        }
    }
}

void CSummaryPage::runApply(int (*apply)(OperationContext&))
{
    if (!m_links.state || !m_links.primary)
        return;
    runOperation(apply, [this](int code, int32_t detail) {
        m_errorDetail = detail;
        WizardState& state = *m_links.state;
        // A write whose answer was lost may have been taken: the camera list that follows finds
        // out, as it does after every apply, instead of a message that leaves the person guessing.
        const bool unconfirmed = code == OperationResult::kFailed &&
                                 detail == OperationResult::kDetailNoAnswer && state.applyUnconfirmed.writes;
        if (code != OperationResult::kSuccess && !unconfirmed) {
            ReportWriteFailure(code, m_errorDetail);
            return;
        }
        state.lastApplied = AppliedSettings{state.camera, state.wireless, state.applyUnconfirmed};
        post(WIZ_NEXT);
    });
}
