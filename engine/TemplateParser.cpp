// SPDX-License-Identifier: Apache-2.0
#include "engine/DecimalText.h"
#include "engine/TemplateEngine.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

constexpr size_t kSideBuffer = 255;

bool IsBlank(char16_t c)
{
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

std::u16string_view Strip(std::u16string_view item)
{
    while (!item.empty() && IsBlank(item.front()))
        item.remove_prefix(1);
    while (!item.empty() && IsBlank(item.back()))
        item.remove_suffix(1);
    return item;
}

// Items of one side: split at ";" (runs count as one, leading ones skipped), each stripped.
std::vector<std::u16string_view> SplitItems(std::u16string_view side)
{
    side = side.substr(0, kSideBuffer);
    std::vector<std::u16string_view> items;
    size_t pos = 0;
    while (pos < side.size()) {
        while (pos < side.size() && side[pos] == u';')
            ++pos;
        if (pos >= side.size())
            break;
        const size_t end = std::min(side.find(u';', pos), side.size());
        items.push_back(Strip(side.substr(pos, end - pos)));
        pos = end;
    }
    return items;
}

// An item that can be used: present, not empty and without a space.
std::optional<std::u16string_view> UsableItem(const std::vector<std::u16string_view>& items, size_t index)
{
    if (index >= items.size() || items[index].empty() || items[index].find(u' ') != std::u16string_view::npos)
        return std::nullopt;
    return items[index];
}

std::u16string Fit(std::u16string_view item, size_t width)
{
    return std::u16string(item.substr(0, width - 1));
}

class LineParser
{
public:
    explicit LineParser(TemplateEngine& engine) : m_engine(engine) {}

    // False when a malformed left side ends the whole parse.
    bool ParseLine(std::u16string_view line, bool finalLine)
    {
        if (!line.empty() && line.front() == u'/')
            return true;
        m_working.name.clear();
        m_working.value.clear();
        m_working.kind = FieldKind::Template;
        if (!line.empty() && line.front() == u'[')
            return true;

        // Only an empty line adds nothing. A line of blanks is a field without items: it repeats
        // the previous line's length and opcode, and templates laid out with it count on that.
        if (line.empty())
            return true;
        const size_t equals = line.find(u'=');
        if (equals == std::u16string_view::npos) {
            ParseBareLine(line);
        } else if (!ParseFieldLine(line.substr(0, equals), line.substr(equals + 1), finalLine)) {
            return false;
        }
        m_engine.AddFieldEntry(m_working);
        return true;
    }

private:
    void ParseBareLine(std::u16string_view line)
    {
        const auto items = SplitItems(line);
        if (auto item = UsableItem(items, 0))
            m_working.name = Fit(*item, FieldWidths::kName);
        if (auto item = UsableItem(items, 1))
            m_working.length = DecimalTextToInt(*item);
        if (auto item = UsableItem(items, 2))
            m_working.attr1 = Fit(*item, FieldWidths::kAttr);
        if (auto item = UsableItem(items, 3))
            m_working.attr2 = Fit(*item, FieldWidths::kAttr);
    }

    bool ParseFieldLine(std::u16string_view left, std::u16string_view right, bool finalLine)
    {
        const auto leftItems = SplitItems(left);
        if (auto item = UsableItem(leftItems, 0))
            m_working.name = Fit(*item, FieldWidths::kName);

        const auto length = UsableItem(leftItems, 1);
        const auto attr1 = UsableItem(leftItems, 2);
        const auto attr2 = UsableItem(leftItems, 3);
        if (!finalLine && (!length || !attr1 || !attr2))
            return false;
        if (length)
            m_working.length = DecimalTextToInt(*length);
        if (attr1)
            m_working.attr1 = Fit(*attr1, FieldWidths::kAttr);
        if (attr2)
            m_working.attr2 = Fit(*attr2, FieldWidths::kAttr);

        const auto rightItems = SplitItems(right);
        if (auto item = UsableItem(rightItems, 0))
            m_working.attr3 = Fit(*item, FieldWidths::kAttr);
        if (auto item = UsableItem(rightItems, 1))
            m_working.textLimit = DecimalTextToInt(*item);
        if (auto item = UsableItem(rightItems, 2)) {
            m_working.defaultValue = Fit(*item, FieldWidths::kDefaultValue);
            m_working.value = m_working.defaultValue;
        }
        if (auto item = UsableItem(rightItems, 3))
            m_working.opcode = Fit(*item, FieldWidths::kOpcode);
        return true;
    }

    TemplateEngine& m_engine;
    FieldEntry m_working;
};

} // namespace

int TemplateEngine::ParseTemplate(std::u16string_view separator)
{
    const auto textEnd = std::find(m_text.begin(), m_text.end(), u'\0');
    const std::u16string_view text(m_text.data(), static_cast<size_t>(textEnd - m_text.begin()));
    // Parsing reads the text buffer while entries are added, so work on a copy.
    const std::u16string copy(text);
    LineParser parser(*this);
    size_t pos = 0;
    if (!separator.empty()) {
        for (size_t end = copy.find(separator); end != std::u16string::npos;
             end = copy.find(separator, pos)) {
            if (!parser.ParseLine(std::u16string_view(copy).substr(pos, end - pos), false))
                return 0;
            pos = end + separator.size();
        }
    }
    if (!parser.ParseLine(std::u16string_view(copy).substr(pos), true))
        return 0;
    CountFields();
    return 0;
}
