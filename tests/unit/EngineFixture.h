// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "engine/TemplateEngine.h"
#include "platform/Utf8.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

// An engine loaded with template text the way every operation loads a file.
class EngineTest : public ::testing::Test
{
protected:
    void Load(const std::string& ansiText)
    {
        m_engine->LoadTemplateText(ansiText);
        m_engine->ClearFields();
        m_engine->ResetFields();
        m_engine->ParseTemplate(u"\r\n");
    }

    std::string Field(const std::string& name) const { return ToUtf8(m_engine->GetField(FromUtf8(name))); }
    const FieldEntry& Entry(int index) const
    {
        return m_engine->Fields().entries.at(static_cast<size_t>(index));
    }
    int Count() const { return m_engine->Fields().count; }

    std::vector<uint8_t> Encode()
    {
        m_engine->EncodeRequest();
        const auto body = m_engine->EncodedBody();
        return std::vector<uint8_t>(body.begin(), body.end());
    }

    // Places a reply whose body starts at byte 6 (after the status word, a word and the body length).
    void LoadReplyBody(const std::vector<uint8_t>& body)
    {
        std::vector<uint8_t> reply(6, 0);
        reply[4] = static_cast<uint8_t>(body.size() & 0xFF);
        reply[5] = static_cast<uint8_t>(body.size() >> 8);
        reply.insert(reply.end(), body.begin(), body.end());
        m_engine->LoadReply(reply);
    }

    std::unique_ptr<TemplateEngine> m_engine = std::make_unique<TemplateEngine>();
};

inline std::string Utf8(const std::u16string& text)
{
    return ToUtf8(text);
}
