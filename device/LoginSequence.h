// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "device/OperationContext.h"

// The login of the chosen camera: Verification, then QueryOpcodes, then GetWLan for a wireless
// camera that supports it. Returns -1 or the first failure's error number.
int Login(OperationContext& context);
