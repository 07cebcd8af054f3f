// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "device/OperationContext.h"

// What a summary page's Next sends to the chosen camera, addressed to its current IP address.
// Each returns -1 or the first failure's error number (the context holds its detail). After an
// asked-for password change the following operations sign in with the new password.

// ChangeIDPWD when asked, SetBasic, Reset for the models that restart.
int ApplyNetwork(OperationContext& context);
// ChangeIDPWD when asked, SetBasic, SetWLan, Reset for the models that restart.
int ApplyWireless(OperationContext& context);
