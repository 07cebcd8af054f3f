// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "device/OperationContext.h"
#include "device/WizardState.h"
#include "tests/net/NetFixture.h"

#include <chrono>
#include <memory>
#include <regex>
#include <string>
#include <vector>

// One pc adapter and camera hosts on one link, each running a simulator; a wizard state and
// operation context aimed at the first camera, whose waits are recorded instead of slept.
class OperationsFixture : public NetFixture
{
protected:
    static std::string Mac(int host) { return "02:00:00:00:70:" + Two(host); }
    static std::u16string MacText(int host)
    {
        const std::string text = "02.00.00.00.70." + Two(host);
        return std::u16string(text.begin(), text.end());
    }

    // Starts one simulator per entry; camera host i (from 1) plays MAC Mac(i) with the extra
    // camera settings and simulator options of its entry.
    void StartCameras(const std::vector<std::pair<std::string, std::vector<std::string>>>& cameras,
                      std::chrono::milliseconds receive = std::chrono::milliseconds(400))
    {
        lab->AddLink("lanA");
        lab->AddPcAdapter("lanA", "eth0", {"198.18.0.1/24"});
        for (size_t i = 0; i < cameras.size(); ++i) {
            const int host = static_cast<int>(i) + 1;
            const std::string name = "cam" + std::to_string(host);
            lab->AddCameraHost(name, "lanA", "198.19.9." + std::to_string(host) + "/24");
            std::string settings = "mac=" + Mac(host) + ",wireless=1,ip=198.19.9.2" + std::to_string(host);
            if (!cameras[i].first.empty())
                settings += "," + cameras[i].first;
            std::vector<std::string> args = {"--camera", settings};
            args.insert(args.end(), cameras[i].second.begin(), cameras[i].second.end());
            states.push_back(lab->StartSimulator(name, args));
        }
        lab->EnterPc();
        DeviceTimeouts timeouts = ShortTimeouts();
        timeouts.receive = receive;
        manager = std::make_unique<CDeviceManager>(timeouts);
        manager->SetTemplateFolder(QUILLANE_TEMPLATE_DIR);
        manager->RefreshAdapters();
        wizard.adminId = u"admin";
        wizard.adminPassword = u"admin";
        wizard.camera.adapterEntry = 0;
        wizard.camera.hasWireless = 1;
        Aim(1);
        context.reset(new OperationContext{wizard, *manager});
        context->sleep = [this](std::chrono::milliseconds wait) { waits.push_back(wait); };
    }

    void Aim(int host)
    {
        wizard.camera.macText = MacText(host);
        wizard.camera.ip = u"198.19.9.2" + std::u16string(1, static_cast<char16_t>(u'0' + host));
    }

    std::string State(int host = 1) const
    {
        return NetLab::ReadState(states.at(static_cast<size_t>(host - 1)));
    }

    // The first value of key in the cameras part of a state: a string's text or a number's digits.

    WizardState wizard;
    std::unique_ptr<CDeviceManager> manager;
    std::unique_ptr<OperationContext> context;
    std::vector<std::chrono::milliseconds> waits;
    std::vector<std::filesystem::path> states;

private:
    static std::string Two(int n)
    {
        const char digits[] = "0123456789";
        return std::string{digits[(n / 10) % 10], digits[n % 10]};
    }
};
