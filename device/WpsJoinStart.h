// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "device/OperationContext.h"
#include "device/WpsOperations.h"

// Where the WPS page was opened from: the camera list, with nothing read from the camera yet,
// or the wireless choice, after a login that read the camera's wireless settings.
enum class WpsEntry
{
    FromList,
    FromChoice,
};

// Everything a join does before its polls: wireless switched on when it is off, then QueryWPS
// and InitWPS. From the list the camera's wireless settings are read first, so that switching
// wireless on writes back what the camera holds rather than the empty settings the list left.
// Signs in with the state's credentials. Returns -1 or the first failure's error number.
int StartWpsJoin(OperationContext& context, WpsValues& wps, WpsEntry entry);
