// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "device/CameraInfo.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A site plan: one row per camera, read from a CSV file whose first line names the columns
// (mac, name, dhcp, ip, mask, gateway, dns1, dns2, new_password, id, password; any order, all
// but mac optional). An empty cell leaves that setting as the camera has it. A cell in double
// quotes may hold commas, "" for a quote and spaces at its ends; spaces around other cells are
// dropped. Lines that are empty or start with # are skipped.

// Far more than any site has, and small enough that a wrong file (a disk image, /dev/zero) is
// refused at once instead of filling the memory.
inline constexpr size_t kMaxPlanBytes = 16 * 1024 * 1024;
inline constexpr size_t kMaxPlanRows = 100000;

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
    std::string error; // set when the file as a whole cannot be used; then no row is used
};

// Reads the plan from a regular file of at most kMaxPlanBytes.
PlanFile ReadPlanFile(const std::filesystem::path& path);

// Reads the plan from its text and checks every row on its own (MAC, each value, repeated MACs).
// A UTF-8 byte-order mark at the start is skipped. A quote left open, a NUL byte or more than
// kMaxPlanRows rows make the whole file unusable, with the line that shows it.
PlanFile ParsePlan(std::string_view text);

// The camera's settings once the row is applied to current. False, with the reason, when the
// resulting static set-up would not be valid (a value the row leaves out is the camera's own).
bool PlanTarget(const PlanRow& row, const CameraInfo& current, CameraInfo& target, std::string& reason);
