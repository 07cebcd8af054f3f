// SPDX-License-Identifier: Apache-2.0
#include "wizard/PageFlow.h"

#include "device/WizardState.h"
#include "tests/unit/PageFlowCases.h"
#include "tests/unit/TestName.h"

#include <gtest/gtest.h>

// Found by argument lookup beside FlowCase: a case shows as its description.
void PrintTo(const FlowCase& c, std::ostream* os)
{
    *os << c.what;
}

namespace {

WizardState StateOf(const FlowCamera& camera)
{
    WizardState state;
    camera.applyTo(state);
    return state;
}

// The rows that NextPage and BackPage decide; the others are the main window's.
std::vector<FlowCase> BackAndNextCases()
{
    std::vector<FlowCase> cases;
    for (const FlowCase& c : PageFlowCases()) {
        if (c.step == FlowStep::Next || c.step == FlowStep::Back)
            cases.push_back(c);
    }
    return cases;
}

class FlowCases : public ::testing::TestWithParam<FlowCase>
{
};

TEST_P(FlowCases, LeadsToTheRightPage)
{
    const FlowCase& c = GetParam();
    WizardState state = StateOf(c.camera);
    const auto transition = c.step == FlowStep::Next ? NextPage(c.from, state) : BackPage(c.from, state);
    ASSERT_EQ(transition.has_value(), c.to.has_value());
    if (c.to) {
        EXPECT_EQ(transition->to, *c.to);
    }
}

INSTANTIATE_TEST_SUITE_P(Flow, FlowCases, ::testing::ValuesIn(BackAndNextCases()),
                         [](const auto& info) { return TestName(info.param.what); });

// With "WPS_Show" on, and WPS capable.
const FlowCamera kK7z{u"IPCAM-K7Z-2", 1, {0xA8, 0xB2}, 1};

TEST(PageFlowTest, K7zCameraStartsTheWpsWayAfresh)
{
    WizardState state = StateOf(kK7z);
    const auto next = NextPage(PageId::ListCam, state);
    ASSERT_TRUE(next.has_value());
    EXPECT_TRUE(next->resetCarriedWpsValue);
    EXPECT_EQ(state.wpsChosen, 1);

    FlowCamera hidden = kK7z;
    hidden.wpsShow = 0;
    WizardState hiddenState = StateOf(hidden);
    EXPECT_TRUE(NextPage(PageId::ListCam, hiddenState)->resetCarriedWpsValue);
    EXPECT_EQ(hiddenState.wpsChosen, 0);

    WizardState other = StateOf({u"IPCAM-100", 1, {0xA8, 0xB2}, 1});
    EXPECT_FALSE(NextPage(PageId::ListCam, other)->resetCarriedWpsValue);
}

TEST(PageFlowTest, CarriedWpsValueMovesOnlyBetweenSummaryAndWpsPage)
{
    WizardState state = StateOf({u"IPCAM-100", 1, {0xA8, 0xB2}, 1, 0, 1});
    EXPECT_TRUE(NextPage(PageId::WpsFromChoice, state)->takeCarriedWpsValue);
    EXPECT_TRUE(BackPage(PageId::WirelessFinish, state)->giveCarriedWpsValue);
    EXPECT_FALSE(NextPage(PageId::WirelessSelect, state)->giveCarriedWpsValue);
}

} // namespace
