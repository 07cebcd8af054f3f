// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "device/WizardState.h"
#include "wizard/PageFlow.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

// Which page follows which, as one table: the unit test runs its Back and Next rows against
// NextPage and BackPage, the GUI test every row against the main window and its real pages.

// The camera and skin facts the flow looks at.
struct FlowCamera
{
    const char16_t* model = u"QC-100";
    int32_t hasWireless = 0;
    std::vector<int32_t> opcodes;
    int32_t wpsShow = 0;
    int32_t onlyWirelessNew = 0;
    int32_t wpsChosen = 0;

    void applyTo(WizardState& state) const
    {
        state.camera.model = model;
        state.camera.hasWireless = hasWireless;
        std::copy(opcodes.begin(), opcodes.end(), state.supportedOpcodes.begin());
        state.wpsShow = wpsShow;
        state.onlyWirelessNew = onlyWirelessNew;
        state.wpsChosen = wpsChosen;
    }
};

// What a page asks of the main window. Back and Next follow the flow; the others are the main
// window's own.
enum class FlowStep
{
    Next,
    Back,
    About,
    Wps,
    Nothing,        // WIZ_NOP
    UnknownCommand, // a number that is no command
};

struct FlowCase
{
    const char* what;
    FlowStep step;
    PageId from;
    FlowCamera camera;
    std::optional<PageId> to; // nothing: the page stays
};

inline const std::vector<FlowCase>& PageFlowCases()
{
    using P = PageId;
    using S = FlowStep;
    // 0xA8 GetWLan; WPS by 0xB2 or 0xC1.
    static const FlowCamera wired;
    static const FlowCamera k7z{u"QC-K7Z", 0, {}, 1};
    static const FlowCamera wirelessWithout168{u"QC-400W", 1, {0xA5}};
    static const FlowCamera wpsWithout168{u"QC-400W", 1, {0xB2}};
    static const FlowCamera wirelessWith168{u"QC-400W", 1, {0xA8}};
    static const FlowCamera wps{u"QC-400W", 1, {0xA8, 0xB2}};
    static const FlowCamera wpsShown{u"QC-400W", 1, {0xA8, 0xB2}, 1};
    static const FlowCamera wpsHidden{u"QC-400W", 1, {0xA8, 0xC1}, 0};
    static const FlowCamera onlyNew{u"QC-400W", 1, {0xA8, 0xB2}, 0, 1};
    static const FlowCamera onlyNewShown{u"QC-400W", 1, {0xA8, 0xB2}, 1, 1};
    static const FlowCamera wpsTaken{u"QC-400W", 1, {0xA8, 0xB2}, 1, 0, 1};
    // clang-format off
    static const std::vector<FlowCase> cases = {
        {"list next",                                S::Next,           P::ListCam,           wired,              P::IdPwd},
        {"list next, K7Z",                           S::Next,           P::ListCam,           k7z,                P::IdPwd},
        {"list back stays",                          S::Back,           P::ListCam,           wired,              std::nullopt},
        {"list about",                               S::About,          P::ListCam,           wired,              P::About},
        {"list WPS",                                 S::Wps,            P::ListCam,           wired,              P::WpsFromList},
        {"list nop",                                 S::Nothing,        P::ListCam,           wired,              std::nullopt},
        {"list unknown command",                     S::UnknownCommand, P::ListCam,           wired,              std::nullopt},
        {"login next",                               S::Next,           P::IdPwd,             wired,              P::NetWork},
        {"login back",                               S::Back,           P::IdPwd,             wired,              P::ListCam},
        {"network next, wired",                      S::Next,           P::NetWork,           wired,              P::NetWorkFinish},
        {"network next, wireless without 168",       S::Next,           P::NetWork,           wirelessWithout168, std::nullopt},
        {"network next, WPS without 168",            S::Next,           P::NetWork,           wpsWithout168,      std::nullopt},
        {"network next, wireless without WPS",       S::Next,           P::NetWork,           wirelessWith168,    P::WirelessNew},
        {"network back",                             S::Back,           P::NetWork,           wired,              P::IdPwd},
        // A WPS-capable camera goes through the choice page when the skin shows WPS.
        {"network next, WPS shown",                  S::Next,           P::NetWork,           wpsShown,           P::WirelessSelect},
        {"network next, WPS hidden",                 S::Next,           P::NetWork,           wpsHidden,          P::Wireless},
        {"network next, WPS not shown",              S::Next,           P::NetWork,           wps,                P::Wireless},
        {"network next, only the one page",          S::Next,           P::NetWork,           onlyNew,            P::WirelessNew},
        {"choice next, standard",                    S::Next,           P::WirelessSelect,    wpsShown,           P::Wireless},
        {"choice next, standard, only the one page", S::Next,           P::WirelessSelect,    onlyNewShown,       P::WirelessNew},
        {"choice next, WPS",                         S::Next,           P::WirelessSelect,    wpsTaken,           P::WpsFromChoice},
        {"choice back",                              S::Back,           P::WirelessSelect,    wpsShown,           P::NetWork},
        {"wireless next",                            S::Next,           P::Wireless,          wpsShown,           P::WirelessKey},
        {"wireless next, WPS not shown",             S::Next,           P::Wireless,          wps,                P::WirelessKey},
        {"wireless back, WPS shown",                 S::Back,           P::Wireless,          wpsShown,           P::WirelessSelect},
        {"wireless back, WPS hidden",                S::Back,           P::Wireless,          wpsHidden,          P::NetWork},
        {"wireless back, WPS not shown",             S::Back,           P::Wireless,          wps,                P::NetWork},
        {"key next",                                 S::Next,           P::WirelessKey,       wpsShown,           P::WirelessFinish},
        {"key next, WPS not shown",                  S::Next,           P::WirelessKey,       wps,                P::WirelessFinish},
        {"key back",                                 S::Back,           P::WirelessKey,       wpsShown,           P::Wireless},
        {"key back, WPS not shown",                  S::Back,           P::WirelessKey,       wps,                P::Wireless},
        {"wireless summary next",                    S::Next,           P::WirelessFinish,    wpsShown,           P::ListCam},
        {"wireless summary next, WPS not shown",     S::Next,           P::WirelessFinish,    wps,                P::ListCam},
        {"wireless summary back",                    S::Back,           P::WirelessFinish,    wpsShown,           P::WirelessKey},
        {"wireless summary back, WPS not shown",     S::Back,           P::WirelessFinish,    wps,                P::WirelessKey},
        {"wireless summary back after WPS",          S::Back,           P::WirelessFinish,    wpsTaken,           P::WpsFromChoice},
        {"WPS from list next",                       S::Next,           P::WpsFromList,       k7z,                P::ListCam},
        {"WPS from list next, not a K7Z",            S::Next,           P::WpsFromList,       wps,                P::ListCam},
        {"WPS from list back",                       S::Back,           P::WpsFromList,       k7z,                P::ListCam},
        {"WPS from list back, not a K7Z",            S::Back,           P::WpsFromList,       wps,                P::ListCam},
        {"WPS from choice next",                     S::Next,           P::WpsFromChoice,     wpsTaken,           P::WirelessFinish},
        {"WPS from choice next, WPS not chosen",     S::Next,           P::WpsFromChoice,     wps,                P::WirelessFinish},
        {"WPS from choice back",                     S::Back,           P::WpsFromChoice,     wpsTaken,           P::WirelessSelect},
        {"WPS from choice back, WPS not chosen",     S::Back,           P::WpsFromChoice,     wpsShown,           P::WirelessSelect},
        {"one page next",                            S::Next,           P::WirelessNew,       wirelessWith168,    P::WirelessFinishNew},
        {"one page back, WPS shown",                 S::Back,           P::WirelessNew,       wpsShown,           P::WirelessSelect},
        {"one page back, no WPS",                    S::Back,           P::WirelessNew,       wirelessWith168,    P::NetWork},
        {"one page summary next",                    S::Next,           P::WirelessFinishNew, wirelessWith168,    P::ListCam},
        {"one page summary back",                    S::Back,           P::WirelessFinishNew, wirelessWith168,    P::WirelessNew},
        {"summary next",                             S::Next,           P::NetWorkFinish,     wired,              P::ListCam},
        {"summary back",                             S::Back,           P::NetWorkFinish,     wired,              P::NetWork},
        {"about next",                               S::Next,           P::About,             wired,              P::ListCam},
        {"about back stays",                         S::Back,           P::About,             wired,              std::nullopt},
    };
    // clang-format on
    return cases;
}
