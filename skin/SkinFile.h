// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The skin file's name; it lies in the program folder.
inline const std::filesystem::path kSkinFileName = "Quillane.ini";

// A column of the camera list as the skin describes it.
struct SkinListColumn
{
    int column = 0;   // number in the skin ("%d.column")
    int position = 0; // where it is inserted
    std::u16string caption;
    int width = 0;
};

// A control's place in the page's client area, in pixels.
struct SkinRect
{
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
};

struct SkinFont
{
    std::u16string face;
    int height = 0; // pixel height of a character cell, always positive
    int weight = 400;
};

// Read-only view of a skin file (INI text). Lookups behave like the Windows private-profile
// reader that skin authors know: names match case-insensitively, the first section and the
// first key of a name win, a line without "=" is no key, values are trimmed and cut to 259
// characters, and a file that cannot be read (or is no regular file, or is over kMaxFileBytes)
// is simply empty. The text is Windows-1252 unless it starts with a UTF-8 byte
// order mark. The whole file is read once, at construction, into hash tables, so that a lookup
// takes the same time however many keys the file holds; readings that find the same bytes as
// the last one share its parse.
class SkinFile
{
public:
    static constexpr std::size_t kMaxValueLength = 259;
    // A larger file is no skin; it reads as missing.
    static constexpr std::size_t kMaxFileBytes = 4 * 1024 * 1024;
    // Positions and sizes beyond what a window system can place are cut to this, so that
    // x + w and y + h always fit an int.
    static constexpr int kMaxCoordinate = 32767;
    // Taller letters are no use on any screen and would make glyphs of gigabytes.
    static constexpr int kMaxFontHeight = 512;
    // Far more than any list of choices a person can use; each item is a widget row to build.
    static constexpr int kMaxDropDownItems = 1000;

    SkinFile() = default;
    explicit SkinFile(const std::filesystem::path& path);
    static SkinFile fromBytes(std::string_view bytes);

    const std::filesystem::path& path() const { return m_path; }

    std::u16string readString(std::u16string_view section, std::u16string_view key,
                              std::u16string_view fallback) const;
    // The fallback is text, as skin defaults are written, and goes through the same parsing.
    int readInt(std::u16string_view section, std::u16string_view key, std::u16string_view fallback) const;

    // "x", "y", "w", "h" of a section: positions within +-kMaxCoordinate, sizes from 0 to
    // kMaxCoordinate.
    SkinRect placement(std::u16string_view section) const;

    // Folder of the skin's images: "path" of section "Image" (default "Image") under the program
    // folder.
    std::filesystem::path imageFolder(const std::filesystem::path& programFolder) const;

    // Text of message box number `number`, with every doubled backslash turned into CR LF; a
    // missing key or the value "0" gives the numbered fallback text.
    std::u16string messageText(int number) const;

    // "Font_Style", "Font_Size" and "Font_Weight" of a section. The height is cut to
    // kMaxFontHeight; a weight outside 0 to 9 counts as 4 (normal).
    SkinFont font(std::u16string_view section) const;

    // Columns of a list section ("count", "%d.column", "%d.width", "%d.index"), skipped ones
    // left out, in the order the skin numbers them; widths from 0 to kMaxCoordinate.
    std::vector<SkinListColumn> listColumns(std::u16string_view section) const;

    // Items of a drop-down list section: "text0", "text1", ... up to the first missing or empty
    // one, and at most kMaxDropDownItems; items numbered from kMaxDropDownItems on are not read.
    std::vector<std::u16string> dropDownItems(std::u16string_view section) const;

private:
    // Names hashed and compared as the reader matches them, without copying a looked-up name.
    struct NameHash
    {
        using is_transparent = void;
        std::size_t operator()(std::u16string_view name) const;
    };
    struct NameEqual
    {
        using is_transparent = void;
        bool operator()(std::u16string_view a, std::u16string_view b) const;
    };
    template <typename Value> using NameMap = std::unordered_map<std::u16string, Value, NameHash, NameEqual>;
    using Section = NameMap<std::u16string>;
    using Sections = NameMap<Section>;

    static std::shared_ptr<const Sections> sectionsOf(std::string_view bytes);
    static Sections parse(std::u16string_view text);
    const std::u16string* find(std::u16string_view section, std::u16string_view key) const;

    std::filesystem::path m_path;
    // Shared between readings of the same bytes; null for a file that could not be read.
    std::shared_ptr<const Sections> m_sections;
};

// Leading decimal digits with an optional sign; anything else gives 0. Saturates at the int
// range instead of wrapping.
int ParseSkinInt(std::u16string_view text);

// Decodes skin file bytes: UTF-8 after a UTF-8 byte order mark, Windows-1252 otherwise.
std::u16string DecodeSkinText(std::string_view bytes);
