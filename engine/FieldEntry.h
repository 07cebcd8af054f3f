// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

enum class FieldKind : int32_t
{
    Free = -1,
    Template = 0, // read from a template line
    Program = 1,  // value set, or entry added, by the program
};

// Widths are those of the firmware's fixed records, terminator included; longer texts are cut.
struct FieldWidths
{
    static constexpr size_t kName = 300;
    static constexpr size_t kValue = 300;
    static constexpr size_t kAttr = 32;
    static constexpr size_t kDefaultValue = 128;
    static constexpr size_t kOpcode = 32;
};

struct FieldEntry
{
    std::u16string name;
    std::u16string value;
    FieldKind kind = FieldKind::Free;
    int32_t length = 0;
    int32_t textLimit = 0;
    std::u16string attr1;
    std::u16string attr2;
    std::u16string attr3;
    std::u16string defaultValue;
    std::u16string opcode;
};

struct PacketTemplate
{
    static constexpr int32_t kMaxFields = 200;

    std::array<FieldEntry, kMaxFields> entries;
    int32_t count = 0;
};
