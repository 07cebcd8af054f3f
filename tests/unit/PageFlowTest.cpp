// SPDX-License-Identifier: Apache-2.0
#include "wizard/PageFlow.h"

#include "device/WizardState.h"
#include "tests/unit/TestName.h"

#include <gtest/gtest.h>

namespace {

// The camera and skin facts the flow looks at.
struct Facts
{
    bool wireless = false;
    bool getWLan = false; // opcode 168 supported
    bool wps = false;     // opcode 178 supported
    int wpsShow = 0;
    int onlyWirelessNew = 0;
    int wpsChosen = 0;
    bool k7z = false;
};

WizardState StateOf(const Facts& f)
{
    WizardState state;
    state.camera.hasWireless = f.wireless ? 1 : 0;
    size_t slot = 0;
    if (f.getWLan)
        state.supportedOpcodes[slot++] = 168;
    if (f.wps)
        state.supportedOpcodes[slot++] = 178;
    state.wpsShow = f.wpsShow;
    state.onlyWirelessNew = f.onlyWirelessNew;
    state.wpsChosen = f.wpsChosen;
    state.camera.model = f.k7z ? u"IPCAM-K7Z-2" : u"IPCAM-100";
    return state;
}

enum class Way
{
    Next,
    Back,
};

struct FlowCase
{
    const char* what;
    Way way;
    PageId from;
    Facts facts;
    std::optional<PageId> to;
};

void PrintTo(const FlowCase& c, std::ostream* os)
{
    *os << c.what;
}

class FlowCases : public ::testing::TestWithParam<FlowCase>
{
};

TEST_P(FlowCases, LeadsToTheRightPage)
{
    const FlowCase& c = GetParam();
    WizardState state = StateOf(c.facts);
    const auto transition = c.way == Way::Next ? NextPage(c.from, state) : BackPage(c.from, state);
    ASSERT_EQ(transition.has_value(), c.to.has_value());
    if (c.to) {
        EXPECT_EQ(transition->to, *c.to);
    }
}

using P = PageId;
constexpr Facts kWired{};
constexpr Facts kWirelessNoWps{true, true, false};
constexpr Facts kWirelessWps{true, true, true};
constexpr Facts kWirelessWpsShown{true, true, true, 1};
constexpr Facts kWirelessWpsOnlyNew{true, true, true, 0, 1};
constexpr Facts kWirelessWithout168{true, false, true};

const FlowCase kFlowCases[] = {
    {"list to login", Way::Next, P::ListCam, kWired, P::IdPwd},
    {"login to network", Way::Next, P::IdPwd, kWired, P::NetWork},
    {"wired camera to network summary", Way::Next, P::NetWork, kWired, P::NetWorkFinish},
    {"wireless without 168 stays", Way::Next, P::NetWork, kWirelessWithout168, std::nullopt},
    {"wps with WPS_Show to choice", Way::Next, P::NetWork, kWirelessWpsShown, P::WirelessSelect},
    {"wps to standard wireless", Way::Next, P::NetWork, kWirelessWps, P::Wireless},
    {"wps with only new wireless", Way::Next, P::NetWork, kWirelessWpsOnlyNew, P::WirelessNew},
    {"no wps always new wireless", Way::Next, P::NetWork, kWirelessNoWps, P::WirelessNew},
    {"wireless to key", Way::Next, P::Wireless, kWirelessWps, P::WirelessKey},
    {"key to wireless summary", Way::Next, P::WirelessKey, kWirelessWps, P::WirelessFinish},
    {"network summary back to list", Way::Next, P::NetWorkFinish, kWired, P::ListCam},
    {"wireless summary back to list", Way::Next, P::WirelessFinish, kWirelessWps, P::ListCam},
    {"about to list", Way::Next, P::About, kWired, P::ListCam},
    {"wps from list to list", Way::Next, P::WpsFromList, kWirelessWps, P::ListCam},
    {"wps from choice to summary", Way::Next, P::WpsFromChoice, kWirelessWps, P::WirelessFinish},
    {"choice with wps chosen", Way::Next, P::WirelessSelect, {true, true, true, 1, 0, 1}, P::WpsFromChoice},
    {"choice standard", Way::Next, P::WirelessSelect, kWirelessWpsShown, P::Wireless},
    {"choice standard only new", Way::Next, P::WirelessSelect, {true, true, true, 1, 1}, P::WirelessNew},
    {"new wireless to its summary", Way::Next, P::WirelessNew, kWirelessNoWps, P::WirelessFinishNew},
    {"new summary to list", Way::Next, P::WirelessFinishNew, kWirelessNoWps, P::ListCam},

    {"list back stays", Way::Back, P::ListCam, kWired, std::nullopt},
    {"about back stays", Way::Back, P::About, kWired, std::nullopt},
    {"login back to list", Way::Back, P::IdPwd, kWired, P::ListCam},
    {"network back to login", Way::Back, P::NetWork, kWired, P::IdPwd},
    {"wireless back to choice", Way::Back, P::Wireless, kWirelessWpsShown, P::WirelessSelect},
    {"wireless back to network", Way::Back, P::Wireless, kWirelessWps, P::NetWork},
    {"network summary back", Way::Back, P::NetWorkFinish, kWired, P::NetWork},
    {"key back to wireless", Way::Back, P::WirelessKey, kWirelessWps, P::Wireless},
    {"summary back to key", Way::Back, P::WirelessFinish, kWirelessWps, P::WirelessKey},
    {"summary back to wps", Way::Back, P::WirelessFinish, {true, true, true, 1, 0, 1}, P::WpsFromChoice},
    {"wps from list back", Way::Back, P::WpsFromList, kWirelessWps, P::ListCam},
    {"wps from choice back", Way::Back, P::WpsFromChoice, kWirelessWpsShown, P::WirelessSelect},
    {"choice back to network", Way::Back, P::WirelessSelect, kWirelessWpsShown, P::NetWork},
    {"new wireless back to choice", Way::Back, P::WirelessNew, kWirelessWpsShown, P::WirelessSelect},
    {"new wireless back to network", Way::Back, P::WirelessNew, kWirelessNoWps, P::NetWork},
    {"new summary back", Way::Back, P::WirelessFinishNew, kWirelessNoWps, P::WirelessNew},
};

INSTANTIATE_TEST_SUITE_P(Flow, FlowCases, ::testing::ValuesIn(kFlowCases),
                         [](const auto& info) { return TestName(info.param.what); });

TEST(PageFlowTest, K7zCameraStartsTheWpsWayAfresh)
{
    WizardState state = StateOf({true, true, true, 1, 0, 0, true});
    const auto next = NextPage(PageId::ListCam, state);
    ASSERT_TRUE(next.has_value());
    EXPECT_TRUE(next->resetCarriedWpsValue);
    EXPECT_EQ(state.wpsChosen, 1);

    WizardState hidden = StateOf({true, true, true, 0, 0, 0, true});
    EXPECT_TRUE(NextPage(PageId::ListCam, hidden)->resetCarriedWpsValue);
    EXPECT_EQ(hidden.wpsChosen, 0);

    WizardState other = StateOf(kWirelessWpsShown);
    EXPECT_FALSE(NextPage(PageId::ListCam, other)->resetCarriedWpsValue);
}

TEST(PageFlowTest, CarriedWpsValueMovesOnlyBetweenSummaryAndWpsPage)
{
    WizardState state = StateOf({true, true, true, 1, 0, 1});
    EXPECT_TRUE(NextPage(PageId::WpsFromChoice, state)->takeCarriedWpsValue);
    EXPECT_TRUE(BackPage(PageId::WirelessFinish, state)->giveCarriedWpsValue);
    EXPECT_FALSE(NextPage(PageId::WirelessSelect, state)->giveCarriedWpsValue);
}

} // namespace
