// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

// What a page builds from its skin: its section, and for each control the kind, the identifier
// the page gives it and the control's section. Every page publishes its own table; the wizard
// gathers them into a catalogue for the tools and tests that build or check whole pages.
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
    std::u16string_view name;                // the part after "Page." in the section name
    std::u16string_view defaultCaption = {}; // radio buttons only
};

struct SkinPageSpec
{
    std::u16string_view section;
    std::span<const SkinControlSpec> controls;
};

// The control's own section, "Page.Name".
inline std::u16string ControlSection(const SkinPageSpec& page, const SkinControlSpec& control)
{
    std::u16string section(page.section);
    section += u'.';
    section += control.name;
    return section;
}

// One table out of several, for pages that share a group of controls with others.
template <std::size_t... N> constexpr auto JoinControls(const SkinControlSpec (&... parts)[N])
{
    std::array<SkinControlSpec, (N + ...)> all{};
    auto at = all.begin();
    ((at = std::copy(parts, parts + N, at)), ...);
    return all;
}
