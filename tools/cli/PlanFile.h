// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "device/CameraInfo.h"

#include <istream>
#include <optional>
#include <string>
#include <vector>

// A site plan: one row per camera, read from a CSV file whose first line names the columns
// (mac, name, dhcp, ip, mask, gateway, dns1, dns2, new_password, id, password; any order, all
// but mac optional). An empty cell leaves that setting as the camera has it.

struct PlanRow
{
    int row = 0; // the line of the file
    std::string mac;
    std::optional<bool> dhcp;
    std::optional<std::u16string> name;
    std::optional<std::u16string> ip;
    std::optional<std::u16string> mask;
    std::optional<std::u16string> gateway;
    std::optional<std::u16string> dns1;
    std::optional<std::u16string> dns2;
    std::optional<std::u16string> newPassword;
    std::optional<std::u16string> id;
    std::optional<std::u16string> password;
    // Why the row is refused before anything is sent; empty when it goes on.
    std::string refused;
};

struct PlanFile
{
    std::vector<PlanRow> rows;
    std::string error; // set when the file as a whole cannot be used
};

// Reads the plan and checks every row on its own (MAC, each value, repeated MACs).
PlanFile ReadPlanFile(std::istream& in);

// The camera's settings once the row is applied to current. False, with the reason, when the
// resulting static set-up would not be valid (a value the row leaves out is the camera's own).
bool PlanTarget(const PlanRow& row, const CameraInfo& current, CameraInfo& target, std::string& reason);
