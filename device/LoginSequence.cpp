// SPDX-License-Identifier: Apache-2.0
#include "LoginSequence.h"

#include "DeviceOperations.h"
#include "DeviceProtocol.h"
#include "WizardState.h"

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
