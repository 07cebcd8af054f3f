// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "device/WizardState.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

class TemplateEngine;

// How one template field of GetWLan/SetWLan maps onto the wizard's wireless settings. The one
// table drives both the read and the write, so the two cannot drift apart.
struct WirelessFieldBinding
{
    enum Kind
    {
        Text,    // the text itself
        Number,  // the text, and its decimal value in `first`
        BitPair, // 8 bit characters: characters 1-4 in `first`, 5-8 in `second`
        Bits8,   // 8 bit characters, one value in `first`
    };
    using TextOf = std::u16string& (*)(WirelessSettings&);
    using IntOf = int32_t& (*)(WirelessSettings&);

    std::u16string_view field;
    Kind kind;
    TextOf text;            // where the text as read is kept
    IntOf first = nullptr;  // Number, BitPair, Bits8
    IntOf second = nullptr; // BitPair
    bool written = true;    // false: the camera's own description, only read
};

// Every binding, in the order of the GetWLan reply.
std::span<const WirelessFieldBinding> WirelessFieldBindings();

// Reads the decoded GetWLan fields into the settings.
void ReadWirelessFields(const TemplateEngine& engine, WirelessSettings& settings);
// Sets the SetWLan fields from the settings.
void WriteWirelessFields(TemplateEngine& engine, const WirelessSettings& settings);
