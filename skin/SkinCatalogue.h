// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <string>
#include <vector>

// The pages and controls that the wizard builds from a skin, with the identifiers the pages give
// them: what any skin must describe. Tools and tests walk it to build or check whole pages.
enum class SkinControlKind
{
    PicButton,
    PushButton,
    PicText,
    Edit,
    CheckBox,
    Radio,
    DropDown,
    Progress,
    CameraList,
};

struct SkinControlSpec
{
    SkinControlKind kind;
    int id;
    std::u16string name;           // the part after "Page." in the section name
    std::u16string defaultCaption; // radio buttons only
};

struct SkinPageSpec
{
    std::u16string section;
    std::vector<SkinControlSpec> controls;
};

const std::vector<SkinPageSpec>& SkinPages();

// Message numbers that the pages show.
const std::vector<int>& SkinMessageNumbers();
