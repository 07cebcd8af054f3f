// SPDX-License-Identifier: Apache-2.0
// Any bytes as a site plan: the rows read and checked, and the settings each row would give a
// camera, without a crash, a hang or an unbounded read.
#include "tools/cli/PlanFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const PlanFile plan = ParsePlan(std::string_view(reinterpret_cast<const char*>(data), size));
    CameraInfo current;
    current.ip = u"198.18.0.10";
    current.mask = u"255.255.255.0";
    current.gateway = u"198.18.0.1";
    for (const PlanRow& row : plan.rows) {
        if (!row.refused.empty())
            continue;
        CameraInfo target;
        std::string reason;
        PlanTarget(row, current, target, reason);
    }
    return 0;
}
