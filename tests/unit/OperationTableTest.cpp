// SPDX-License-Identifier: Apache-2.0
#include "device/OperationTable.h"

#include "device/ModelRules.h"
#include "device/OperationSteps.h"
#include "engine/TemplateEngine.h"
#include "platform/Utf8.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

// The catalogue templates and the operation table must agree: a write's encoded fields fill
// its fixed request exactly, and a read's fields fit its largest reply.
TEST(OperationTableTest, TemplatesFitTheirRequestsAndReplies)
{
    for (const OperationSpec& operation : Operations::kAll) {
        SCOPED_TRACE(std::string(operation.name));
        EXPECT_EQ(operation.opcode & 0xF0, operation.opcode >= 0xB0 ? 0xB0 : 0xA0);
        if (operation.templateName.empty())
            continue;
        auto engine = std::make_unique<TemplateEngine>();
        ASSERT_TRUE(engine->LoadTemplateFile(QUILLANE_TEMPLATE_DIR, operation.templateName));
        engine->ClearFields();
        engine->ResetFields();
        engine->ParseTemplate(u"\r\n");
        if (operation.encodesFields || operation.decodeMode != 0) {
            EXPECT_GT(engine->Fields().count, 0);
        }
        testing::internal::CaptureStdout(); // key generation reports on standard output
        engine->EncodeRequest();
        testing::internal::GetCapturedStdout();
        const size_t fields = static_cast<size_t>(engine->EncodedLength());
        if (operation.encodesFields)
            EXPECT_EQ(DeviceProtocol::kHeaderSize + kCredentialsSize + fields, operation.requestLength);
        else if (operation.decodeMode != 0)
            EXPECT_LE(DeviceProtocol::kHeaderSize + fields, operation.largestReply);
        else
            EXPECT_EQ(operation.requestLength, DeviceProtocol::kHeaderSize + kCredentialsSize);
    }
}

} // namespace

namespace {

TEST(OperationTableTest, SignInTextsFitTheirBase64Field)
{
    EXPECT_EQ(kLongestSignInText, 48u);
    EXPECT_TRUE(FitsSignIn(std::u16string(48, u'p')));
    EXPECT_FALSE(FitsSignIn(std::u16string(49, u'p')));
    // Counted in 8-bit characters, as sent.
    EXPECT_TRUE(FitsSignIn(std::u16string(48, u'\u20AC')));
}

} // namespace

namespace {

TEST(ModelRulesTest, RestartAndK7ZFamilies)
{
    const struct
    {
        const char16_t* model;
        bool restarts, k7z;
    } cases[] = {
        {u"QC-K7Z Pan", true, true},    {u"K3W", true, false},  {u"IPCAM-K5Q-2", true, false},
        {u"QC-210 Dome", false, false}, {u"k7z", false, false}, {u"", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RestartsAfterApply(c.model), c.restarts) << ToUtf8(c.model);
        EXPECT_EQ(IsK7ZModel(c.model), c.k7z) << ToUtf8(c.model);
    }
}

} // namespace
