// SPDX-License-Identifier: Apache-2.0
// Any bytes as a template file: parse, look up, encode and dump without a crash or an
// out-of-bounds access.
#include "engine/TemplateEngine.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const auto engine = std::make_unique<TemplateEngine>();
    engine->LoadTemplateText(std::string_view(reinterpret_cast<const char*>(data), size));
    engine->ClearFields();
    engine->ResetFields();
    engine->ParseTemplate(u"\r\n");
    engine->GetField(u"CameraName");
    engine->SetFieldText(u"CameraIP", u"198.18.0.20");
    engine->SetFieldInt(u"Webport", 8080);
    engine->EncodeRequest();
    engine->DecodeReply(0xA3);
    engine->DumpFields(u"\r\n");
    return 0;
}
