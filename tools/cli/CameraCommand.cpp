// SPDX-License-Identifier: Apache-2.0
#include "tools/cli/CameraCommand.h"

#include "device/AdapterTable.h"
#include "platform/Utf8.h"
#include "tools/cli/SecretOptions.h"

#include <algorithm>
#include <charconv>
#include <iostream>
#include <thread>

namespace {

const std::vector<std::string_view> kCommonValues = {
    "--mac", "--id", "--password", "--interface", "--timeout", "--search-time", "--templates"};

bool Contains(const std::vector<std::string_view>& list, std::string_view item)
{
    return std::find(list.begin(), list.end(), item) != list.end();
}

// Reads the options; the secrets only as far as where they come from, so that no prompt comes
// before a usage error.
int ParseOptions(std::string_view command, const CliArguments& args,
                 const std::vector<std::string_view>& valueOptions,
                 const std::vector<std::string_view>& flagOptions, CameraOptions& options,
                 std::map<std::string, SecretSources>& secrets)
{
    const std::string name(command);
    secrets = {{"--password", {}}};
    for (std::string_view option : valueOptions) {
        if (IsSecretOption(option))
            secrets[std::string(option)] = {};
    }
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const std::optional<std::string> next =
            i + 1 < args.size() ? std::optional(args[i + 1]) : std::nullopt;
        bool tookNext = false;
        std::string error;
        if (arg == "--json") {
            options.json = true;
        } else if (Contains(flagOptions, arg)) {
            options.flags.insert(arg);
        } else if (TakeSecretSource(arg, next, secrets, tookNext, error)) {
            if (!error.empty())
                return CliError(name + ": " + error);
            i += tookNext ? 1 : 0;
        } else if (Contains(kCommonValues, arg) || Contains(valueOptions, arg)) {
            if (!next)
                return CliError(name + ": " + arg + " needs a value");
            if (secrets.count(arg))
                secrets[arg].argument = *next;
            else
                options.values[arg] = *next;
            ++i;
        } else {
            return UnknownArgument(name, i + 2);
        }
    }
    for (const char* number : {"--timeout", "--search-time"}) {
        int32_t value = 0;
        if (options.values.count(number) && (!ToInt(options.Value(number), value) || value <= 0))
            return CliError(name + ": " + number + " needs a positive number of milliseconds");
    }
    return -1;
}

int ReadSecrets(std::string_view command, const std::map<std::string, SecretSources>& secrets,
                CameraOptions& options)
{
    const ResolvedSecrets resolved =
        ResolveSecrets(secrets, {"--password", "--new-password"}, options.values);
    for (const std::string& warning : resolved.warnings)
        std::cerr << "quillane-cli: " << command << ": warning: " << warning << "\n";
    return resolved.error.empty() ? -1 : CliError(std::string(command) + ": " + resolved.error);
}

} // namespace

bool ToInt(const std::string& text, int32_t& out)
{
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, out);
    return !text.empty() && error == std::errc() && ptr == end;
}

int ParseCameraOptions(std::string_view command, const CliArguments& args,
                       const std::vector<std::string_view>& valueOptions,
                       const std::vector<std::string_view>& flagOptions, CameraOptions& options)
{
    std::map<std::string, SecretSources> secrets;
    const int code = ParseOptions(command, args, valueOptions, flagOptions, options, secrets);
    if (code != -1)
        return code;
    const std::string name(command);
    if (!options.values.count("--mac"))
        return CliError(name + ": --mac is required");
    if (!IsMacText(options.Value("--mac")))
        return CliError(name + ": '" + options.Value("--mac") + "' is not a MAC address");
    return ReadSecrets(command, secrets, options);
}

int ParseSearchOptions(std::string_view command, const CliArguments& args,
                       const std::vector<std::string_view>& valueOptions,
                       const std::vector<std::string_view>& flagOptions, CameraOptions& options)
{
    std::map<std::string, SecretSources> secrets;
    const int code = ParseOptions(command, args, valueOptions, flagOptions, options, secrets);
    return code != -1 ? code : ReadSecrets(command, secrets, options);
}

CameraSession::CameraSession() = default;

std::unique_ptr<CDeviceManager> NewManager(const CameraOptions& options)
{
    DeviceTimeouts timeouts;
    int32_t ms = 0;
    if (ToInt(options.Value("--timeout"), ms))
        timeouts.receive = std::chrono::milliseconds(ms);
    if (ToInt(options.Value("--search-time"), ms))
        timeouts.searchQuiet = std::chrono::milliseconds(ms);
    auto manager = std::make_unique<CDeviceManager>(timeouts);
    if (options.values.count("--templates"))
        manager->SetTemplateFolder(options.Value("--templates"));
    if (options.values.count("--interface")) {
        const std::string only = options.Value("--interface");
        manager->SetAdapterSource([only] {
            std::vector<AdapterAddress> table = ListAdapterAddresses();
            std::erase_if(table, [&](const AdapterAddress& a) { return a.interfaceName != only; });
            return table;
        });
    }
    return manager;
}

void SearchAndWait(CDeviceManager& manager)
{
    manager.StartSearch();
    // The camera list page polls the same way.
    while (!manager.SearchFinished())
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    manager.ClearSearching();
}

int FindCamera(CDeviceManager& manager, std::string_view mac)
{
    for (int i = 0; i < manager.CameraCount(); ++i) {
        manager.currentIndex = i;
        if (MacKey(ToUtf8(manager.GetMacText())) == MacKey(mac))
            return i;
    }
    return -1;
}

int CameraSession::Open(std::string_view command, const CameraOptions& options)
{
    m_manager = NewManager(options);
    SearchAndWait(*m_manager);
    ReportLeftOutAdapters(command, *m_manager);
    if (const int i = FindCamera(*m_manager, options.Value("--mac")); i >= 0) {
        m_manager->SelectCamera(i, m_manager->GetIpText(), 0, m_state.camera);
        m_state.adminId = FromUtf8(options.Value("--id", "admin"));
        m_state.adminPassword = FromUtf8(options.Value("--password"));
        m_context.reset(new OperationContext{m_state, *m_manager});
        return -1;
    }
    std::cerr << "quillane-cli: " << command << ": no camera " << options.Value("--mac")
              << " answered the search"
              << (options.values.count("--interface") ? " on " + options.Value("--interface") : std::string())
              << "\n";
    return kExitNotFound;
}

SettingsConfirmation CameraSession::ConfirmSettings()
{
    SearchAndWait(*m_manager);
    return ConfirmNetworkSettings(*m_manager, m_state.camera);
}

void ReportLeftOutAdapters(std::string_view command, const CDeviceManager& manager)
{
    const std::vector<AdapterAddress> leftOut = manager.LeftOutAdapters();
    if (leftOut.empty())
        return;
    std::cerr << "quillane-cli: " << command << ": only " << kMaxAdapterEntries
              << " addresses are searched; not searched:";
    for (const AdapterAddress& adapter : leftOut)
        std::cerr << " " << adapter.interfaceName << " " << ToUtf8(adapter.ipText);
    std::cerr << "\n";
}

std::string OperationErrorText(int code, int32_t detail)
{
    std::string meaning;
    switch (code) {
    case 0:
        meaning = "answers arrived, none from this camera";
        break;
    case 1:
        meaning = "the template file is missing; nothing was sent";
        break;
    case OperationResult::kTooLong:
        meaning = "the values are too long for the camera's request; nothing was sent";
        break;
    case 3:
        meaning = "no answer from the camera";
        break;
    case 12:
        meaning = "the socket could not be opened";
        break;
    case 13:
        meaning = "broadcast could not be enabled";
        break;
    case 14:
        meaning = "the request could not be sent";
        break;
    case 15:
        meaning = "receiving the answer failed";
        break;
    case 18:
        meaning = "the camera refused the ID or password";
        break;
    case 29:
        meaning = "the camera refused the request";
        break;
    case 30:
        meaning = detail == OperationResult::kDetailNoAnswer       ? "no answer from the camera"
                  : detail == OperationResult::kDetailNoPushButton ? "the camera has no WPS push button"
                                                                   : "the camera reported a failure";
        break;
    default:
        meaning = "unexpected result";
    }
    return "error " + std::to_string(code) + ": " + meaning + " (detail " + std::to_string(detail) + ")";
}

int ExitCode(int code)
{
    if (code == OperationResult::kSuccess)
        return 0;
    return code == 0 ? OperationResult::kFailed : code;
}

int FinishOperation(std::string_view command, int code, int32_t detail)
{
    if (code != OperationResult::kSuccess)
        std::cerr << "quillane-cli: " << command << ": " << OperationErrorText(code, detail) << "\n";
    return ExitCode(code);
}

int FinishWrite(std::string_view command, int code, int32_t detail)
{
    if (code == OperationResult::kFailed && detail == OperationResult::kDetailNoAnswer) {
        std::cerr << "quillane-cli: " << command << ": " << OperationErrorText(code, detail)
                  << "; the request was sent, so the change may have been applied\n";
        return ExitCode(code);
    }
    return FinishOperation(command, code, detail);
}

bool IntOption(std::string_view command, const CameraOptions& options, const std::string& name, int32_t& out)
{
    if (!options.values.count(name))
        return true;
    if (ToInt(options.Value(name), out))
        return true;
    CliError(std::string(command) + ": " + name + " needs a number, not '" + options.Value(name) + "'");
    return false;
}

std::string JsonText(std::u16string_view text)
{
    return JsonString(ToUtf8(text));
}

void PrintWireless(const WirelessSettings& w, bool json, bool showKeys)
{
    struct Text
    {
        const char* name;
        std::u16string value;
        bool secret;
    };
    const std::vector<Text> texts = {
        {"ssid", w.ssid, false},
        {"wirelessEnable", w.wirelessEnable, false},
        {"wepKey1", w.wepKeys[0], true},
        {"wepKey2", w.wepKeys[1], true},
        {"wepKey3", w.wepKeys[2], true},
        {"wepKey4", w.wepKeys[3], true},
        {"passphrase", w.passphrase, true},
        {"channelRange", w.channelRange, false},
        {"wireMode", w.wireMode, false},
        {"encryptionCaps", w.encryptionCaps, false},
        {"authenticationCaps", w.authenticationCaps, false},
        {"wepKeyLengthCaps", w.wepKeyLengthCaps, false},
        {"wepKeyFormatCaps", w.wepKeyFormatCaps, false},
        {"wepDefaultKeyCaps", w.wepDefaultKeyCaps, false},
    };
    const std::vector<std::pair<const char*, int32_t>> numbers = {
        {"channel", w.channel},
        {"adHoc", w.adHoc},
        {"encryption", w.encryption},
        {"authentication", w.authentication},
        {"wepKeyLength", w.wepKeyLength},
        {"wepKeyFormat", w.wepKeyFormat},
        {"wepDefaultKey", w.wepDefaultKey},
        {"txRate", w.txRate},
    };
    if (!json) {
        for (const Text& text : texts)
            std::cout << text.name << ": " << (text.secret && !showKeys ? "(hidden)" : ToUtf8(text.value))
                      << "\n";
        for (const auto& [name, value] : numbers)
            std::cout << name << ": " << value << "\n";
        return;
    }
    std::cout << "{";
    const char* comma = "";
    for (const Text& text : texts) {
        std::cout << comma << "\"" << text.name
                  << "\": " << (text.secret && !showKeys ? "null" : JsonText(text.value));
        comma = ", ";
    }
    for (const auto& [name, value] : numbers)
        std::cout << ", \"" << name << "\": " << value;
    std::cout << "}";
}

std::string ConfirmationText(const SettingsConfirmation& confirmation)
{
    switch (confirmation.outcome) {
    case SettingsConfirmation::Confirmed:
        return "confirmed: the camera answers with the settings applied";
    case SettingsConfirmation::NotSeenAgain:
        return "not seen again: the camera did not answer a search after the apply; it may still be "
               "restarting (search again in a minute), else check its power and cable";
    case SettingsConfirmation::Differs:
        break;
    }
    return "differs: the camera answers with other settings: " +
           ToUtf8(DescribeDifferences(confirmation.differences));
}

std::string ConfirmationJson(const SettingsConfirmation& confirmation)
{
    static const char* const outcomes[] = {"confirmed", "differs", "not seen again"};
    std::string json =
        "{\"outcome\": \"" + std::string(outcomes[confirmation.outcome]) + "\", \"differences\": [";
    const char* comma = "";
    for (const SettingDifference& d : confirmation.differences) {
        json += comma + std::string("{\"setting\": ") + JsonText(SettingName(d.setting)) +
                ", \"applied\": " + JsonText(d.applied) + ", \"found\": " + JsonText(d.found) + "}";
        comma = ", ";
    }
    return json + "]}";
}

int ConfirmationExitCode(const SettingsConfirmation& confirmation)
{
    static const int codes[] = {0, kExitSettingsDiffer, kExitNotSeenAgain};
    return codes[confirmation.outcome];
}
