// SPDX-License-Identifier: Apache-2.0
#include "device/DeviceOperations.h"

#include "device/CDeviceManager.h"
#include "device/OperationSteps.h"
#include "device/WirelessFields.h"
#include "device/WizardState.h"
#include "engine/DecimalText.h"
#include "engine/TemplateEngine.h"

namespace {

using Operations::kChangeIDPWD;
using Operations::kGetWLan;
using Operations::kQueryOpcodes;
using Operations::kReset;
using Operations::kSetBasic;
using Operations::kSetWLan;
using Operations::kVerification;

TemplateEngine& Engine(OperationContext& context)
{
    return context.manager.Engine();
}

std::u16string Field(OperationContext& context, std::u16string_view name)
{
    return Engine(context).GetField(name);
}

int ReadOpcodes(OperationContext& context)
{
    auto& slots = context.state.supportedOpcodes;
    slots.fill(0);
    const PacketTemplate& table = Engine(context).Fields();
    const auto n = std::min<size_t>(static_cast<size_t>(table.count), slots.size());
    for (size_t i = 0; i < n; ++i)
        slots[i] = DecimalTextToInt(table.entries[i].value);
    return OperationResult::kSuccess;
}

int ReadWireless(OperationContext& context)
{
    Engine(context).DumpFields(u"\r\n");
    ReadWirelessFields(Engine(context), context.state.wireless);
    return OperationResult::kSuccess;
}

void SetNetworkFields(OperationContext& context)
{
    const CameraInfo& camera = context.state.camera;
    TemplateEngine& engine = Engine(context);
    engine.SetFieldText(u"CameraName", camera.name);
    engine.SetFieldText(u"CameraIP", camera.ip);
    engine.SetFieldInt(u"Webport", camera.webPort);
    engine.SetFieldText(u"SubNetMask", camera.mask);
    engine.SetFieldText(u"Gateway", camera.gateway);
    engine.SetFieldInt(u"Reserved", camera.reserved);
    engine.SetFieldInt(u"DNSSpec", camera.dnsSpec);
    engine.SetFieldText(u"PriDNS", camera.dns1);
    engine.SetFieldText(u"SecDNS", camera.dns2);
    engine.SetFieldInt(u"DHCP", camera.dhcp);
}

void SetCredentialFields(OperationContext& context)
{
    // The current ID is sent: the camera keeps its ID and takes the new password.
    Engine(context).SetFieldText(u"EncryptedID", context.state.adminId);
    Engine(context).SetFieldText(u"EncryptedPassword", context.state.newPassword);
}

void SetWirelessFields(OperationContext& context)
{
    WriteWirelessFields(Engine(context), context.state.wireless);
}

} // namespace

int Verification(OperationContext& context)
{
    // A camera that answers with a body must report its power state as on.
    const auto checkPower = [](OperationContext& c) {
        return DecimalTextToInt(Field(c, u"Power")) == 1 ? OperationResult::kSuccess
                                                         : OperationResult::kRefused;
    };
    return RunOperation(context, kVerification, {}, checkPower, true);
}

int QueryOpcodes(OperationContext& context)
{
    return RunOperation(context, kQueryOpcodes, {}, ReadOpcodes);
}

int GetWLan(OperationContext& context)
{
    return RunOperation(context, kGetWLan, {}, ReadWireless);
}

int SetBasic(OperationContext& context)
{
    return RunOperation(context, kSetBasic, SetNetworkFields);
}

int ChangeIDPWD(OperationContext& context)
{
    return RunOperation(context, kChangeIDPWD, SetCredentialFields);
}

PasswordChange ChangePasswordConfirmed(OperationContext& context)
{
    const int code = ChangeIDPWD(context);
    const int32_t detail = context.errorDetail;
    const bool unanswered = code == OperationResult::kFailed && detail == OperationResult::kDetailNoAnswer;
    if (code == OperationResult::kSuccess) {
        context.state.adminPassword = context.state.newPassword;
        return {code, false};
    }
    if (code != OperationResult::kRefused && !unanswered)
        return {code, false};
    const std::u16string old = context.state.adminPassword;
    context.state.adminPassword = context.state.newPassword;
    const int signIn = Verification(context);
    if (signIn == OperationResult::kSuccess)
        return {OperationResult::kSuccess, true};
    context.state.adminPassword = old;
    if (signIn == OperationResult::kStopped)
        return {signIn, false};
    if (signIn == OperationResult::kRefused) {
        // The camera still holds the old password: the change's own failure is the truth.
        context.errorDetail = detail;
        return {code, false};
    }
    context.errorDetail = OperationResult::kDetailNoAnswer;
    return {OperationResult::kFailed, false};
}

int SetWLan(OperationContext& context)
{
    return RunOperation(context, kSetWLan, SetWirelessFields);
}

int Reset(OperationContext& context)
{
    return RunOperation(context, kReset);
}
