// SPDX-License-Identifier: Apache-2.0
#include "tools/cli/PlanFile.h"

#include "device/AddressChecks.h"
#include "device/OperationSteps.h"
#include "device/OperationTable.h"
#include "platform/RegularFile.h"
#include "platform/Utf8.h"
#include "tools/cli/MacText.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>

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

constexpr size_t kColumnCount = std::size(kTextColumns) + 2; // and mac, dhcp
// Cells are shown in messages cut to this: a file may hold a cell of megabytes.
constexpr size_t kShownCellBytes = 40;
// Longer than any way of writing a MAC; a longer cell is refused, and shown cut.
constexpr size_t kLongestMacText = 32;

std::string_view Trim(std::string_view text)
{
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The start of a cell, never cut inside a UTF-8 sequence, with control characters as '?' so that
// a message cannot drive the terminal.
std::string Cut(std::string_view cell)
{
    size_t end = std::min(cell.size(), kShownCellBytes);
    while (end < cell.size() && end > 0 && (static_cast<unsigned char>(cell[end]) & 0xC0) == 0x80)
        --end;
    std::string text(cell.substr(0, end));
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    }
    return end < cell.size() ? text + "..." : text;
}

std::string Shown(std::string_view cell)
{
    return "'" + Cut(cell) + "'";
}

std::string Shown(const std::u16string& cell)
{
    return Shown(ToUtf8(cell.substr(0, kShownCellBytes + 1)));
}

// The cells of one line. Only the first few are kept: a line of commas must not cost a string each.
struct Cells
{
    std::vector<std::string> kept;
    size_t count = 0;
};

// Splits a line at its commas. False, with the reason, when a quote is left open or text follows
// a closing quote: where that row ends would be a guess.
bool SplitCells(std::string_view line, size_t keep, Cells& cells, std::string& error)
{
    size_t i = 0;
    for (;;) {
        std::string cell;
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        if (i < line.size() && line[i] == '"') {
            for (++i;; ++i) {
                if (i >= line.size()) {
                    error = "a quote is not closed";
                    return false;
                }
                if (line[i] == '"' && (i + 1 >= line.size() || line[i + 1] != '"'))
                    break;
                i += line[i] == '"' ? 1 : 0;
                cell += line[i];
            }
            const size_t next = line.find_first_not_of(" \t\r", i + 1);
            i = next == std::string_view::npos ? line.size() : next;
            if (i < line.size() && line[i] != ',') {
                error = "text after a closing quote";
                return false;
            }
        } else {
            const size_t end = std::min(line.find(',', i), line.size());
            cell = Trim(line.substr(i, end - i));
            i = end;
        }
        if (cells.kept.size() < keep)
            cells.kept.push_back(std::move(cell));
        ++cells.count;
        if (i >= line.size())
            return true;
        ++i;
    }
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
    if (row.mac.size() > kLongestMacText || !IsMacText(row.mac))
        return Shown(row.mac) + " is not a MAC address";
    if (row.dhcp == true && (row.ip || row.mask || row.gateway || row.dns1 || row.dns2))
        return "DHCP and a static address together";
    if (!row.ip && row.dhcp != false && (row.mask || row.gateway || row.dns1 || row.dns2))
        return "a mask, gateway or DNS server needs an ip (or dhcp 0)";
    if (row.ip && !CheckAddress(*row.ip, AddressMode::Required))
        return "address " + Shown(*row.ip) + " is not valid";
    if (row.mask && !CheckMask(*row.mask))
        return "mask " + Shown(*row.mask) + " is not valid";
    const std::pair<const char*, const std::optional<std::u16string>*> optional[] = {
        {"gateway", &row.gateway}, {"DNS 1", &row.dns1}, {"DNS 2", &row.dns2}};
    for (const auto& [what, value] : optional) {
        if (*value && !CheckAddress(**value, AddressMode::Optional))
            return std::string(what) + " " + Shown(**value) + " is not valid";
    }
    if (row.name && row.name->size() >= CameraInfo::kTextWidth)
        return "name over " + std::to_string(CameraInfo::kTextWidth - 1) + " characters";
    // Passwords are never echoed, not even in a refusal.
    if (row.newPassword && !FitsSignIn(*row.newPassword))
        return "new password over " + std::to_string(kLongestSignInText) + " characters";
    return {};
}

bool ReadHeader(const Cells& cells, std::vector<std::string>& columns, std::string& error)
{
    columns = cells.kept;
    for (std::string& column : columns) {
        std::transform(column.begin(), column.end(), column.begin(),
                       [](unsigned char c) { return std::tolower(c); });
        const bool known = column == "mac" || column == "dhcp" ||
                           std::any_of(std::begin(kTextColumns), std::end(kTextColumns),
                                       [&](const auto& c) { return column == c.first; });
        if (!known) {
            error = "unknown column " + Shown(column) + " in the first line";
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

PlanRow ReadRow(int number, const std::vector<std::string>& columns, const Cells& cells)
{
    PlanRow row;
    row.row = number;
    if (cells.count > columns.size()) {
        row.refused =
            std::to_string(cells.count) + " cells, but " + std::to_string(columns.size()) + " columns";
        return row;
    }
    for (size_t i = 0; i < cells.kept.size(); ++i) {
        const std::string& cell = cells.kept[i];
        if (cell.empty())
            continue;
        if (columns[i] == "mac") {
            // Shown in every report of the row: a cell too long for a MAC is kept cut.
            row.mac = cell.size() > kLongestMacText ? Cut(cell) : cell;
        } else if (columns[i] == "dhcp") {
            row.dhcp = DhcpValue(cell);
            if (!row.dhcp)
                row.refused = "dhcp " + Shown(cell) + " is neither 1 nor 0";
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

// Why the file could not be read, for a message.
std::string WhyUnreadable(const std::filesystem::path& path)
{
    struct stat status
    {
    };
    if (::stat(path.c_str(), &status) != 0)
        return std::string("cannot read it: ") + std::strerror(errno);
    if (!S_ISREG(status.st_mode))
        return "not a regular file; a plan is read only from one";
    if (static_cast<uint64_t>(status.st_size) > kMaxPlanBytes)
        return "larger than " + std::to_string(kMaxPlanBytes >> 20) + " MiB, more than a plan can be";
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    const int error = errno;
    if (fd >= 0)
        ::close(fd);
    return std::string("cannot read it") + (fd < 0 ? std::string(": ") + std::strerror(error) : "");
}

std::u16string CameraValue(const std::u16string& value)
{
    return value == u"0.0.0.0" ? std::u16string() : value;
}

} // namespace

PlanFile ReadPlanFile(const std::filesystem::path& path)
{
    if (const std::optional<std::string> text = ReadRegularFile(path, kMaxPlanBytes))
        return ParsePlan(*text);
    PlanFile plan;
    plan.error = WhyUnreadable(path);
    return plan;
}

PlanFile ParsePlan(std::string_view text)
{
    // What spreadsheets write at the start of "CSV UTF-8".
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    PlanFile plan;
    std::vector<std::string> columns;
    std::unordered_map<std::string, int> seen; // MAC digits -> first row
    int number = 0;
    auto refuseFile = [&](const std::string& why) {
        plan.rows.clear();
        plan.error = "line " + std::to_string(number) + ": " + why;
        return plan;
    };
    for (size_t start = 0; start < text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++number;
        if (line.find('\0') != std::string_view::npos)
            return refuseFile("a NUL byte; a plan is text, saved as CSV UTF-8");
        const std::string_view trimmed = Trim(line);
        if (trimmed.empty() || trimmed[0] == '#')
            continue;
        Cells cells;
        std::string error;
        if (!SplitCells(line, (columns.empty() ? kColumnCount : columns.size()) + 1, cells, error))
            return refuseFile(error);
        if (columns.empty()) {
            if (!ReadHeader(cells, columns, plan.error))
                return plan;
            continue;
        }
        if (plan.rows.size() == kMaxPlanRows)
            return refuseFile("more than " + std::to_string(kMaxPlanRows) + " rows; split the plan");
        PlanRow row = ReadRow(number, columns, cells);
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
