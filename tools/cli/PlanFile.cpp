// SPDX-License-Identifier: Apache-2.0
#include "tools/cli/PlanFile.h"

#include "device/AddressChecks.h"
#include "device/OperationSteps.h"
#include "device/OperationTable.h"
#include "platform/Utf8.h"
#include "tools/cli/MacText.h"

#include <algorithm>
#include <map>

namespace {

using TextCell = std::optional<std::u16string> PlanRow::*;

const std::pair<const char*, TextCell> kTextColumns[] = {
    {"name", &PlanRow::name},
    {"ip", &PlanRow::ip},
    {"mask", &PlanRow::mask},
    {"gateway", &PlanRow::gateway},
    {"dns1", &PlanRow::dns1},
    {"dns2", &PlanRow::dns2},
    {"new_password", &PlanRow::newPassword},
    {"id", &PlanRow::id},
    {"password", &PlanRow::password},
};

std::string Trim(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// Cells separated by commas; a cell in double quotes may hold commas and "" for a quote.
std::vector<std::string> SplitCells(const std::string& line)
{
    std::vector<std::string> cells(1);
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
            cells.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            cells.emplace_back();
        } else {
            cells.back() += c;
        }
    }
    for (std::string& cell : cells)
        cell = Trim(cell);
    return cells;
}

std::optional<bool> DhcpValue(const std::string& text)
{
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    for (const char* yes : {"1", "yes", "on", "dhcp"})
        if (lower == yes)
            return true;
    for (const char* no : {"0", "no", "off", "static"})
        if (lower == no)
            return false;
    return std::nullopt;
}

// The first problem of a row taken on its own, or empty.
std::string CheckRow(const PlanRow& row)
{
    if (row.mac.empty())
        return "no MAC";
    if (!IsMacText(row.mac))
        return "'" + row.mac + "' is not a MAC address";
    if (row.dhcp == true && (row.ip || row.mask || row.gateway || row.dns1 || row.dns2))
        return "DHCP and a static address together";
    if (!row.ip && row.dhcp != false && (row.mask || row.gateway || row.dns1 || row.dns2))
        return "a mask, gateway or DNS server needs an ip (or dhcp 0)";
    if (row.ip && !CheckAddress(*row.ip, AddressMode::Required))
        return "address '" + ToUtf8(*row.ip) + "' is not valid";
    if (row.mask && !CheckMask(*row.mask))
        return "mask '" + ToUtf8(*row.mask) + "' is not valid";
    const std::pair<const char*, const std::optional<std::u16string>*> optional[] = {
        {"gateway", &row.gateway}, {"DNS 1", &row.dns1}, {"DNS 2", &row.dns2}};
    for (const auto& [what, value] : optional) {
        if (*value && !CheckAddress(**value, AddressMode::Optional))
            return std::string(what) + " '" + ToUtf8(**value) + "' is not valid";
    }
    if (row.name && row.name->size() >= CameraInfo::kTextWidth)
        return "name over " + std::to_string(CameraInfo::kTextWidth - 1) + " characters";
    // Passwords are never echoed, not even in a refusal.
    if (row.newPassword && !FitsSignIn(*row.newPassword))
        return "new password over " + std::to_string(kLongestSignInText) + " characters";
    return {};
}

bool ReadHeader(const std::string& line, std::vector<std::string>& columns, std::string& error)
{
    columns = SplitCells(line);
    for (std::string& column : columns) {
        std::transform(column.begin(), column.end(), column.begin(),
                       [](unsigned char c) { return std::tolower(c); });
        const bool known = column == "mac" || column == "dhcp" ||
                           std::any_of(std::begin(kTextColumns), std::end(kTextColumns),
                                       [&](const auto& c) { return column == c.first; });
        if (!known) {
            error = "unknown column '" + column + "' in the first line";
            return false;
        }
        if (std::count(columns.begin(), columns.end(), column) > 1) {
            error = "column '" + column + "' appears twice";
            return false;
        }
    }
    if (std::find(columns.begin(), columns.end(), "mac") == columns.end()) {
        error = "the first line names no 'mac' column";
        return false;
    }
    return true;
}

PlanRow ReadRow(int number, const std::vector<std::string>& columns, const std::vector<std::string>& cells)
{
    PlanRow row;
    row.row = number;
    if (cells.size() > columns.size()) {
        row.refused =
            std::to_string(cells.size()) + " cells, but " + std::to_string(columns.size()) + " columns";
        return row;
    }
    for (size_t i = 0; i < cells.size(); ++i) {
        const std::string& cell = cells[i];
        if (cell.empty())
            continue;
        if (columns[i] == "mac") {
            row.mac = cell;
        } else if (columns[i] == "dhcp") {
            row.dhcp = DhcpValue(cell);
            if (!row.dhcp)
                row.refused = "dhcp '" + cell + "' is neither 1 nor 0";
        } else {
            for (const auto& [name, member] : kTextColumns)
                if (columns[i] == name)
                    row.*member = FromUtf8(cell);
        }
    }
    if (row.refused.empty())
        row.refused = CheckRow(row);
    return row;
}

std::u16string CameraValue(const std::u16string& value)
{
    return value == u"0.0.0.0" ? std::u16string() : value;
}

} // namespace

PlanFile ReadPlanFile(std::istream& in)
{
    PlanFile plan;
    std::vector<std::string> columns;
    std::map<std::string, int> seen; // MAC digits -> first row
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (Trim(line).empty() || Trim(line)[0] == '#')
            continue;
        if (columns.empty()) {
            if (!ReadHeader(line, columns, plan.error))
                return plan;
            continue;
        }
        PlanRow row = ReadRow(number, columns, SplitCells(line));
        if (row.refused.empty()) {
            const auto [first, inserted] = seen.emplace(MacKey(row.mac), number);
            if (!inserted)
                row.refused = "the camera of row " + std::to_string(first->second) + " again";
        }
        plan.rows.push_back(std::move(row));
    }
    if (columns.empty())
        plan.error = "the file is empty";
    return plan;
}

bool PlanTarget(const PlanRow& row, const CameraInfo& current, CameraInfo& target, std::string& reason)
{
    target = current;
    if (row.name)
        target.name = *row.name;
    if (row.dhcp == true) {
        target.dhcp = 1;
        return true;
    }
    if (!row.ip && row.dhcp != false)
        return true;
    const StaticAddress input{
        row.ip.value_or(CameraValue(current.ip)), row.mask.value_or(CameraValue(current.mask)),
        row.gateway.value_or(CameraValue(current.gateway)), row.dns1.value_or(CameraValue(current.dns1)),
        row.dns2.value_or(CameraValue(current.dns2))};
    const StaticAddressCheck check = CheckStaticAddress(input);
    if (check.failed) {
        static const char* const names[] = {"address", "mask", "gateway", "DNS 1", "DNS 2"};
        const std::optional<std::u16string>* given[] = {&row.ip, &row.mask, &row.gateway, &row.dns1,
                                                        &row.dns2};
        const std::u16string* values[] = {&input.ip, &input.mask, &input.gateway, &input.dns1, &input.dns2};
        const auto field = static_cast<size_t>(*check.failed);
        // A value left out is the camera's own, which may not suit the new address.
        reason = std::string(names[field]) + " '" + ToUtf8(*values[field]) + "'" +
                 (*given[field] ? "" : " (the camera's)") + " is not valid" +
                 (*check.failed == AddressField::Gateway ? " for the address and mask" : "");
        return false;
    }
    StoreStaticAddress(check.normalised, target);
    target.dhcp = 0;
    return true;
}
