// SPDX-License-Identifier: Apache-2.0
#include "device/ModelRules.h"

bool IsK7ZModel(std::u16string_view model)
{
    return model.find(u"K7Z") != std::u16string_view::npos;
}

bool RestartsAfterApply(std::u16string_view model)
{
    for (std::u16string_view family : {u"K3W", u"K5Q", u"K7Z"}) {
        if (model.find(family) != std::u16string_view::npos)
            return true;
    }
    return false;
}
