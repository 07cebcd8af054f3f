// SPDX-License-Identifier: Apache-2.0
// Any bytes as a reply: decoded with each template of the catalogue (or one that holds every
// opcode) and each parsing mode, without a crash or an out-of-bounds access.
#include "engine/TemplateEngine.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace {

const char* const kTemplates[] = {
    "Discovery_temp",   "Verification_temp", "GetWLan_temp", "SetBasic_temp",
    "ChangeIDPWD_temp", "Reset_temp",        "SetWLan_temp", "QueryWPS_temp",
    "InitWPS_temp",     "PollWPSInf_temp",   "SendWPS_temp", "PollWPSStatus_temp",
};

constexpr const char* kEveryOpcode =
    "W;2;a;b=c;0;1;TW2S\r\nB;1;a;b=c;0;1;TB2S\r\nC;9;a;b=c;9;x;TC2S\r\n"
    "I;4;a;b=c;0;1.2.3.4;TIP2S\r\nF;3;a;b=c;0;1;Tb2S0\r\n"
    "S;12;a;b=c;0;x;TS2BASE64\r\nD;8;a;b=c;0;x;TS2CVDecode\r\n"
    "P;7;a;b=c;0;0;pad\r\nBig;259;a;b=c;300;x;TC2S\r\nK;192;a;b=c;0;0;TGDHSKey\r\n";

constexpr std::array<int, 7> kModes = {0xA1, 0xA3, 0xA5, 0xA8, 0xB4, 0xA2, 0};

TemplateEngine& Engine()
{
    static const auto engine = std::make_unique<TemplateEngine>();
    return *engine;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    TemplateEngine& engine = Engine();
    const size_t which = data[0] % (std::size(kTemplates) + 1);
    if (which < std::size(kTemplates))
        engine.LoadTemplateFile(QUILLANE_TEMPLATE_DIR, kTemplates[which]);
    else
        engine.LoadTemplateText(kEveryOpcode);
    engine.ClearFields();
    engine.ResetFields();
    engine.ParseTemplate(u"\r\n");
    engine.LoadReply(std::span<const uint8_t>(data + 2, size - 2));
    engine.DecodeReply(kModes[data[1] % kModes.size()]);
    engine.DumpFields(u"\r\n");
    return 0;
}
