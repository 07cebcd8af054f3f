// SPDX-License-Identifier: Apache-2.0
#include "device/WpsJoinStart.h"

#include "device/DeviceOperations.h"
#include "device/ModelRules.h"
#include "device/WizardState.h"

namespace {

// A camera whose wireless is off cannot take part in WPS; SetWLan switches it on with every
// other setting unchanged, and a "K7Z" camera takes it only after a restart.
int SwitchWirelessOn(OperationContext& context)
{
    WirelessSettings& wireless = context.state.wireless;
    if (wireless.wirelessEnable == u"1")
        return OperationResult::kSuccess;
    // Built whole and moved in: assigning the literal trips a false -Wrestrict in GCC 12 at -O2.
    wireless.wirelessEnable = std::u16string(1, u'1');
    if (const int code = SetWLan(context); code != OperationResult::kSuccess)
        return code;
    if (IsK7ZModel(context.state.camera.model))
        return Reset(context);
    return OperationResult::kSuccess;
}

} // namespace

int StartWpsJoin(OperationContext& context, WpsValues& wps, WpsEntry entry)
{
    int code = OperationResult::kSuccess;
    if (entry == WpsEntry::FromList && (code = GetWLan(context)) != OperationResult::kSuccess)
        return code;
    if ((code = SwitchWirelessOn(context)) != OperationResult::kSuccess)
        return code;
    if ((code = QueryWPS(context, wps)) != OperationResult::kSuccess)
        return code;
    return InitWPS(context, wps);
}
