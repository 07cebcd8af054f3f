// SPDX-License-Identifier: Apache-2.0
#include "tools/cli/SearchCommand.h"

#include "device/CDeviceManager.h"
#include "platform/Utf8.h"
#include "tools/cli/CameraCommand.h"

#include <chrono>
#include <cstring>
#include <iostream>
#include <thread>

namespace {

static_assert(SearchMerge::kMaxCameras == 4096, "the usage text gives the limit");

struct Found
{
    std::u16string model;
    std::u16string name;
    std::u16string ip;
    std::u16string mac;
    std::string interfaceName;
    CameraInfo info;
};

std::vector<Found> Collect(CDeviceManager& manager)
{
    const std::vector<AdapterAddress> adapters = manager.Adapters();
    std::vector<Found> found;
    for (int i = 0; i < manager.CameraCount(); ++i) {
        manager.currentIndex = i;
        Found camera{
            manager.GetModel(), manager.GetName(), manager.GetIpText(), manager.GetMacText(), {}, {}};
        const int32_t entry = manager.GetAdapterEntry();
        if (entry >= 0 && static_cast<size_t>(entry) < adapters.size())
            camera.interfaceName = adapters[static_cast<size_t>(entry)].interfaceName;
        manager.SelectCamera(i, camera.ip, 0, camera.info);
        found.push_back(std::move(camera));
    }
    return found;
}

void PrintJson(const std::vector<Found>& found)
{
    auto text = [](std::u16string_view value) { return JsonString(ToUtf8(value)); };
    std::cout << "[";
    const char* comma = "\n";
    for (const Found& f : found) {
        const CameraInfo& c = f.info;
        std::cout << comma << "  {\"model\": " << text(f.model) << ", \"name\": " << text(f.name)
                  << ", \"ip\": " << text(f.ip) << ", \"mac\": " << text(f.mac)
                  << ", \"interface\": " << JsonString(f.interfaceName) << ", \"ipCopy\": " << text(c.ipCopy)
                  << ", \"macText\": " << text(c.macText) << ", \"prodType\": " << text(c.prodType)
                  << ", \"prodHwSpec\": " << text(c.prodHwSpec) << ", \"adapterEntry\": " << c.adapterEntry
                  << ", \"webPort\": " << c.webPort << ", \"reserved\": " << c.reserved
                  << ", \"dnsSpec\": " << c.dnsSpec << ", \"hasWireless\": " << c.hasWireless
                  << ", \"dhcp\": " << c.dhcp << ", \"mask\": " << text(c.mask)
                  << ", \"gateway\": " << text(c.gateway) << ", \"dns1\": " << text(c.dns1)
                  << ", \"dns2\": " << text(c.dns2) << "}";
        comma = ",\n";
    }
    std::cout << (found.empty() ? "]\n" : "\n]\n");
}

// The system's words for why a request of the pass did not go out.
std::string ErrorText(const AdapterSearchFigures& f)
{
    return f.systemError != 0 ? std::strerror(f.systemError) : "no reason given";
}

std::string FiguresJson(const AdapterSearchFigures& f)
{
    return "{\"interface\": " + JsonString(f.interfaceName) +
           ", \"address\": " + JsonString(ToUtf8(f.ipText)) +
           ", \"adapterEntry\": " + std::to_string(f.adapterEntry) +
           ", \"requestsSent\": " + std::to_string(f.requestsSent) +
           ", \"sendsFailed\": " + std::to_string(f.sendsFailed) +
           ", \"error\": " + (f.systemError != 0 ? JsonString(ErrorText(f)) : "null") +
           ", \"datagramsHeard\": " + std::to_string(f.datagramsHeard) +
           ", \"repliesAccepted\": " + std::to_string(f.repliesAccepted) +
           ", \"straysDropped\": " + std::to_string(f.straysDropped) +
           ", \"duplicatesDropped\": " + std::to_string(f.duplicatesDropped) +
           ", \"overLimitDropped\": " + std::to_string(f.overLimitDropped) +
           ", \"listenedMs\": " + std::to_string(f.listened.count()) + "}";
}

void PrintFigures(const std::vector<AdapterSearchFigures>& figures)
{
    for (const AdapterSearchFigures& f : figures) {
        std::cerr << "search: " << f.interfaceName << " " << ToUtf8(f.ipText) << ": " << f.requestsSent
                  << " sent, " << f.sendsFailed << " refused";
        if (f.systemError != 0)
            std::cerr << " (" << ErrorText(f) << ")";
        std::cerr << ", " << f.datagramsHeard << " heard, " << f.repliesAccepted << " accepted, "
                  << f.straysDropped << " strays and " << f.duplicatesDropped << " duplicates dropped, "
                  << f.overLimitDropped << " answers over the limit of " << SearchMerge::kMaxCameras
                  << " cameras dropped, listened " << f.listened.count() << " ms\n";
    }
}

// Names every adapter that could send no request, with the reason. Returns whether some request
// went out at all.
bool ReportUnsent(const std::vector<AdapterSearchFigures>& figures)
{
    if (figures.empty())
        std::cerr << "quillane-cli: search: no adapter with an address to search on\n";
    bool anySent = false;
    for (const AdapterSearchFigures& f : figures) {
        anySent = anySent || !f.NothingSent();
        if (f.NothingSent())
            std::cerr << "quillane-cli: search: no request could be sent on " << f.interfaceName << " ("
                      << ToUtf8(f.ipText) << "): " << ErrorText(f) << "\n";
    }
    return anySent;
}

void PrintTable(const std::vector<Found>& found)
{
    for (const Found& f : found)
        std::cout << ToUtf8(f.model) << "\t" << ToUtf8(f.name) << "\t" << ToUtf8(f.ip) << "\t"
                  << ToUtf8(f.mac) << "\t" << f.interfaceName << "\n";
}

} // namespace

int RunSearchCommand(const CliArguments& args)
{
    bool json = false;
    bool time = false;
    bool diag = false;
    DeviceTimeouts timeouts;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--json") {
            json = true;
        } else if (arg == "--time") {
            time = true;
        } else if (arg == "--diag") {
            diag = true;
        } else if (arg == "--search-time" || arg == "--repeats") {
            int32_t value = -1;
            const bool ok = i + 1 < args.size() && ToInt(args[i + 1], value) &&
                            (arg == "--repeats" ? value >= 0 && value <= 8 : value > 0);
            if (!ok)
                return CliError("search: " + arg +
                                (arg == "--repeats" ? " needs a number from 0 to 8"
                                                    : " needs a positive number of milliseconds"));
            ++i;
            if (arg == "--repeats")
                timeouts.searchRepeats = value;
            else
                timeouts.searchQuiet = std::chrono::milliseconds(value);
        } else {
            return UnknownArgument("search", i + 2);
        }
    }
    auto manager = std::make_unique<CDeviceManager>(timeouts);
    const auto start = std::chrono::steady_clock::now();
    manager->StartSearch();
    // The list page polls the same way.
    while (!manager->SearchFinished())
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const auto took = std::chrono::steady_clock::now() - start;
    manager->ClearSearching();
    ReportLeftOutAdapters("search", *manager);
    const std::vector<Found> found = Collect(*manager);
    const std::vector<AdapterSearchFigures> figures = manager->SearchFigures();
    if (json && diag) {
        std::cout << "{\"cameras\": ";
        PrintJson(found);
        std::cout << ", \"adapters\": [";
        for (size_t i = 0; i < figures.size(); ++i)
            std::cout << (i ? ", " : "") << FiguresJson(figures[i]);
        std::cout << "]}\n";
    } else if (json) {
        PrintJson(found);
    } else {
        PrintTable(found);
    }
    if (diag && !json)
        PrintFigures(figures);
    if (time)
        std::cerr << "search: " << found.size() << " cameras, " << manager->FoundCount() << " accepted, "
                  << std::chrono::duration_cast<std::chrono::milliseconds>(took).count() << " ms\n";
    // An empty list from a search that could not ask is no answer: scripts must tell it apart.
    return ReportUnsent(figures) ? 0 : kExitNothingSent;
}
