// SPDX-License-Identifier: Apache-2.0
#include "tools/cli/TemplateCommand.h"

#include "engine/TemplateEngine.h"
#include "platform/Utf8.h"
#include "tools/cli/HexText.h"

#include <charconv>
#include <filesystem>
#include <iostream>
#include <memory>

namespace {

constexpr std::u16string_view kLineSeparator = u"\r\n";

// Loads and parses FILE the way every operation does.
std::unique_ptr<TemplateEngine> LoadTemplate(const std::string& file)
{
    const std::filesystem::path path(file);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        CliError("cannot open template file '" + file + "'");
        return nullptr;
    }
    auto engine = std::make_unique<TemplateEngine>();
    if (!engine->LoadTemplateFile(path.parent_path(), path.filename().string())) {
        CliError("cannot open template file '" + file + "'");
        return nullptr;
    }
    engine->ClearFields();
    engine->ResetFields();
    engine->ParseTemplate(kLineSeparator);
    return engine;
}

void PrintDump(TemplateEngine& engine)
{
    engine.DumpFields(u"\n");
    std::cout << ToUtf8(engine.DumpText());
}

void PrintJson(const TemplateEngine& engine)
{
    const PacketTemplate& table = engine.Fields();
    std::cout << "[";
    for (int32_t i = 0; i < table.count; ++i) {
        const FieldEntry& e = table.entries[i];
        std::cout << (i ? ",\n " : "\n ") << "{\"name\": " << JsonString(ToUtf8(e.name))
                  << ", \"length\": " << e.length << ", \"textLimit\": " << e.textLimit
                  << ", \"defaultValue\": " << JsonString(ToUtf8(e.defaultValue))
                  << ", \"value\": " << JsonString(ToUtf8(e.value))
                  << ", \"opcode\": " << JsonString(ToUtf8(e.opcode))
                  << ", \"attr1\": " << JsonString(ToUtf8(e.attr1))
                  << ", \"attr2\": " << JsonString(ToUtf8(e.attr2))
                  << ", \"attr3\": " << JsonString(ToUtf8(e.attr3)) << "}";
    }
    std::cout << (table.count ? "\n]\n" : "]\n");
}

int Dump(const CliArguments& args)
{
    const bool json = args.size() == 3 && args[2] == "--json";
    if (args.size() != 2 && !json)
        return CliError("usage: template dump FILE [--json]");
    auto engine = LoadTemplate(args[1]);
    if (!engine)
        return kExitFailure;
    if (json)
        PrintJson(*engine);
    else
        PrintDump(*engine);
    return 0;
}

int Encode(const CliArguments& args)
{
    if (args.size() < 2)
        return CliError("usage: template encode FILE [NAME=VALUE ...]");
    auto engine = LoadTemplate(args[1]);
    if (!engine)
        return kExitFailure;
    for (size_t i = 2; i < args.size(); ++i) {
        const size_t equals = args[i].find('=');
        if (equals == std::string::npos || equals == 0)
            return CliError("expected NAME=VALUE, got '" + args[i] + "'");
        engine->SetFieldText(FromUtf8(args[i].substr(0, equals)), FromUtf8(args[i].substr(equals + 1)));
    }
    engine->EncodeRequest();
    std::cout << ToHex(engine->EncodedBody()) << "\n";
    return 0;
}

std::optional<int> ParseMode(const std::string& text)
{
    const bool hex = text.starts_with("0x") || text.starts_with("0X");
    const char* first = text.data() + (hex ? 2 : 0);
    const char* last = text.data() + text.size();
    int mode = 0;
    const auto [end, error] = std::from_chars(first, last, mode, hex ? 16 : 10);
    if (error != std::errc() || end != last || first == last || mode < 0 || mode > 0xFFFF)
        return std::nullopt;
    return mode;
}

int Decode(const CliArguments& args)
{
    if (args.size() != 4)
        return CliError("usage: template decode FILE MODE HEX");
    const auto mode = ParseMode(args[2]);
    if (!mode)
        return CliError("bad mode '" + args[2] + "': expected a number such as 163 or 0xa3");
    const auto bytes = FromHex(args[3]);
    if (!bytes)
        return CliError("bad hex '" + args[3] + "': expected pairs of hexadecimal digits");
    auto engine = LoadTemplate(args[1]);
    if (!engine)
        return kExitFailure;
    engine->LoadReply(*bytes);
    engine->DecodeReply(*mode);
    PrintDump(*engine);
    return 0;
}

} // namespace

int RunTemplateCommand(const CliArguments& args)
{
    if (args.empty())
        return CliError("usage: template dump|encode|decode ...");
    if (args[0] == "dump")
        return Dump(args);
    if (args[0] == "encode")
        return Encode(args);
    if (args[0] == "decode")
        return Decode(args);
    return CliError("unknown template command '" + args[0] + "' (dump, encode, decode)");
}
