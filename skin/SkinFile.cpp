// SPDX-License-Identifier: Apache-2.0
#include "skin/SkinFile.h"

#include "platform/AnsiCodePage.h"
#include "platform/RegularFile.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <mutex>

namespace {

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f' || c == u'\r' || c == u'\n';
}

std::u16string_view trim(std::u16string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Latin-1 letters fold as well, so that names written with accented capitals still match.
char16_t foldCase(char16_t c)
{
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return static_cast<char16_t>(c + 0x20);
    return c;
}

// A value written in quotes loses one matching pair, as private-profile readers do.
std::u16string_view unquote(std::u16string_view value)
{
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

std::u16string cutValue(std::u16string_view value)
{
    if (value.size() <= SkinFile::kMaxValueLength)
        return std::u16string(value);
    std::size_t length = SkinFile::kMaxValueLength;
    // Never leave half of a surrogate pair behind.
    if (value[length - 1] >= 0xD800 && value[length - 1] <= 0xDBFF)
        --length;
    return std::u16string(value.substr(0, length));
}

std::u16string number(int value)
{
    const std::string text = std::to_string(value);
    return std::u16string(text.begin(), text.end());
}

} // namespace

std::u16string DecodeSkinText(std::string_view bytes)
{
    constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
    if (bytes.starts_with(kUtf8Bom))
        return FromUtf8(bytes.substr(kUtf8Bom.size()));
    return AnsiToUtf16(bytes);
}

int ParseSkinInt(std::u16string_view text)
{
    text = trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text.remove_prefix(1);
    }
    long long value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9')
            break;
        value = value * 10 + (c - u'0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        return static_cast<int>(-value);
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

std::size_t SkinFile::NameHash::operator()(std::u16string_view name) const
{
    // FNV-1a over the folded characters, so that names equal but for case hash alike.
    uint64_t hash = 14695981039346656037ull;
    for (char16_t c : name)
        hash = (hash ^ foldCase(c)) * 1099511628211ull;
    return static_cast<std::size_t>(hash);
}

bool SkinFile::NameEqual::operator()(std::u16string_view a, std::u16string_view b) const
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (foldCase(a[i]) != foldCase(b[i]))
            return false;
    }
    return true;
}

SkinFile::SkinFile(const std::filesystem::path& path) : m_path(path)
{
    if (const auto bytes = ReadRegularFile(path, kMaxFileBytes))
        m_sections = sectionsOf(*bytes);
}

SkinFile SkinFile::fromBytes(std::string_view bytes)
{
    SkinFile file;
    file.m_sections = std::make_shared<const Sections>(parse(DecodeSkinText(bytes)));
    return file;
}

std::shared_ptr<const SkinFile::Sections> SkinFile::sectionsOf(std::string_view bytes)
{
    // Every page reads the skin again, and finds the same bytes: the last parse is kept, and
    // shared, for as long as the file reads the same.
    static std::mutex mutex;
    static std::string lastBytes;
    static std::shared_ptr<const Sections> lastSections;
    {
        const std::lock_guard lock(mutex);
        if (lastSections && lastBytes == bytes)
            return lastSections;
    }
    auto sections = std::make_shared<const Sections>(parse(DecodeSkinText(bytes)));
    const std::lock_guard lock(mutex);
    lastBytes.assign(bytes);
    lastSections = sections;
    return sections;
}

SkinFile::Sections SkinFile::parse(std::u16string_view text)
{
    Sections sections;
    // Where the keys of the current section go; none before the first section and in a later
    // section of a name already seen, which is never read.
    Section* current = nullptr;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of(u"\r\n");
        const std::u16string_view line = trim(text.substr(0, end));
        text.remove_prefix(end == std::u16string_view::npos ? text.size() : end + 1);

        if (line.empty() || line.front() == u';')
            continue;
        if (line.front() == u'[') {
            const std::size_t close = line.find(u']');
            if (close == std::u16string_view::npos)
                continue;
            const auto [section, added] =
                sections.try_emplace(std::u16string(trim(line.substr(1, close - 1))));
            current = added ? &section->second : nullptr;
            continue;
        }
        if (!current)
            continue;
        const std::size_t equals = line.find(u'=');
        // The reader that skins were written for does not count such a line as a key.
        if (equals == std::u16string_view::npos)
            continue;
        const std::u16string_view key = trim(line.substr(0, equals));
        if (current->find(key) == current->end())
            current->emplace(key, cutValue(unquote(trim(line.substr(equals + 1)))));
    }
    return sections;
}

const std::u16string* SkinFile::find(std::u16string_view section, std::u16string_view key) const
{
    if (!m_sections)
        return nullptr;
    const auto found = m_sections->find(trim(section));
    if (found == m_sections->end())
        return nullptr;
    const auto value = found->second.find(trim(key));
    return value == found->second.end() ? nullptr : &value->second;
}

std::u16string SkinFile::readString(std::u16string_view section, std::u16string_view key,
                                    std::u16string_view fallback) const
{
    const std::u16string* value = find(section, key);
    return cutValue(value ? std::u16string_view(*value) : fallback);
}

int SkinFile::readInt(std::u16string_view section, std::u16string_view key,
                      std::u16string_view fallback) const
{
    return ParseSkinInt(readString(section, key, fallback));
}

SkinRect SkinFile::placement(std::u16string_view section) const
{
    auto position = [&](std::u16string_view key) {
        return std::clamp(readInt(section, key, u"0"), -kMaxCoordinate, kMaxCoordinate);
    };
    auto size = [&](std::u16string_view key) {
        return std::clamp(readInt(section, key, u"0"), 0, kMaxCoordinate);
    };
    return {position(u"x"), position(u"y"), size(u"w"), size(u"h")};
}

std::filesystem::path SkinFile::imageFolder(const std::filesystem::path& programFolder) const
{
    std::u16string folder = readString(u"Image", u"path", u"Image");
    // Skins written for Windows separate folders with backslashes.
    for (char16_t& c : folder) {
        if (c == u'\\')
            c = u'/';
    }
    return programFolder / std::filesystem::path(folder);
}

std::u16string SkinFile::messageText(int number) const
{
    const std::u16string value = readString(u"Message", u"Message" + ::number(number), u"0");
    if (value == u"0")
        return u"Some error occurred, error number is " + ::number(number) + u".";
    std::u16string text;
    text.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == u'\\' && i + 1 < value.size() && value[i + 1] == u'\\') {
            text += u"\r\n";
            ++i;
        } else {
            text.push_back(value[i]);
        }
    }
    return text;
}

SkinFont SkinFile::font(std::u16string_view section) const
{
    SkinFont font;
    font.face = readString(section, u"Font_Style", u"Arial");
    const int height = readInt(section, u"Font_Size", u"14");
    font.height =
        height == INT_MIN ? kMaxFontHeight : std::min(height < 0 ? -height : height, kMaxFontHeight);
    int weight = readInt(section, u"Font_Weight", u"4");
    if (weight < 0 || weight > 9)
        weight = 4;
    font.weight = weight * 100;
    return font;
}

std::vector<SkinListColumn> SkinFile::listColumns(std::u16string_view section) const
{
    std::vector<SkinListColumn> columns;
    const int count = readInt(section, u"count", u"0");
    for (int i = 0; i < count && i < 256; ++i) {
        const std::u16string prefix = ::number(i);
        int position = readInt(section, prefix + u".index", u"-1");
        if (position == -1)
            position = i;
        if (position < 0)
            continue;
        columns.push_back({i, position, readString(section, prefix + u".column", u""),
                           std::clamp(readInt(section, prefix + u".width", u"0"), 0, kMaxCoordinate)});
    }
    return columns;
}

std::vector<std::u16string> SkinFile::dropDownItems(std::u16string_view section) const
{
    std::vector<std::u16string> items;
    for (int i = 0; i < kMaxDropDownItems; ++i) {
        std::u16string item = readString(section, u"text" + ::number(i), u"");
        if (item.empty())
            break;
        items.push_back(std::move(item));
    }
    return items;
}
