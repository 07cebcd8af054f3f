// SPDX-License-Identifier: Apache-2.0
#include "device/LoginSequence.h"

#include "device/DeviceOperations.h"
#include "device/DeviceProtocol.h"
#include "device/WizardState.h"

int Login(OperationContext& context)
{
    int code = Verification(context);
    if (code != OperationResult::kSuccess)
        return code;
    code = QueryOpcodes(context);
    if (code != OperationResult::kSuccess)
        return code;
    const WizardState& state = context.state;
    if (state.SupportsOpcode(DeviceProtocol::Opcode::kGetWLan) && state.camera.hasWireless == 1)
        return GetWLan(context);
    return OperationResult::kSuccess;
}
