// SPDX-License-Identifier: Apache-2.0
#include "tools/cli/SecretOptions.h"

#include <array>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr std::array<std::string_view, 7> kSecretOptions = {
    "--password", "--new-password", "--passphrase", "--wep-key1", "--wep-key2", "--wep-key3", "--wep-key4"};

// Far longer than any password or key a camera takes.
constexpr size_t kLongestSecretLine = 4096;

struct Suffix
{
    std::string_view text;
    bool takesValue;
};
constexpr std::array<Suffix, 3> kSuffixes = {{{"-file", true}, {"-env", true}, {"-stdin", false}}};

// Restores the terminal's echo however the prompt ends.
class EchoOff
{
public:
    EchoOff() : m_active(::tcgetattr(STDIN_FILENO, &m_saved) == 0)
    {
        if (!m_active)
            return;
        termios quiet = m_saved;
        quiet.c_lflag &= static_cast<tcflag_t>(~ECHO);
        // TCSANOW: a secret typed ahead of the prompt is kept, not discarded.
        ::tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    }
    ~EchoOff()
    {
        if (m_active)
            ::tcsetattr(STDIN_FILENO, TCSANOW, &m_saved);
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

private:
    termios m_saved{};
    bool m_active;
};

} // namespace

bool IsSecretOption(std::string_view name)
{
    for (std::string_view secret : kSecretOptions) {
        if (secret == name)
            return true;
    }
    return false;
}

bool TakeSecretSource(std::string_view arg, const std::optional<std::string>& next,
                      std::map<std::string, SecretSources>& secrets, bool& tookNext, std::string& error)
{
    tookNext = false;
    for (auto& [name, sources] : secrets) {
        if (!arg.starts_with(name))
            continue;
        for (const Suffix& suffix : kSuffixes) {
            if (arg.substr(name.size()) != suffix.text)
                continue;
            if (suffix.takesValue && !next) {
                error = std::string(arg) + " needs a value";
                return true;
            }
            if (suffix.text == "-file")
                sources.file = *next;
            else if (suffix.text == "-env")
                sources.variable = *next;
            else
                sources.standardInput = true;
            tookNext = suffix.takesValue;
            return true;
        }
    }
    return false;
}

std::optional<std::string> ReadSecretLine(std::istream& in)
{
    std::string line;
    char c = 0;
    while (in.get(c) && c != '\n') {
        if (line.size() == kLongestSecretLine)
            return std::nullopt;
        line.push_back(c);
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

std::optional<std::string> PromptWithoutEcho(std::string_view question)
{
    if (!::isatty(STDIN_FILENO))
        return std::nullopt;
    std::optional<std::string> answer;
    {
        // Echo goes off before the question shows, so that nothing typed after it is echoed.
        const EchoOff quiet;
        std::cerr << question << std::flush;
        answer = ReadSecretLine(std::cin);
    }
    std::cerr << "\n";
    return answer;
}

std::string ResolveSecrets(const std::map<std::string, SecretSources>& secrets,
                           const std::set<std::string>& prompted, std::map<std::string, std::string>& values,
                           SecretPrompt prompt)
{
    std::string readerOfStdin;
    for (const auto& [name, sources] : secrets) {
        const int ways = int(sources.argument.has_value()) + int(sources.file.has_value()) +
                         int(sources.variable.has_value()) + int(sources.standardInput);
        if (ways > 1)
            return name + " is given more than one way";
        if (sources.standardInput && !readerOfStdin.empty())
            return readerOfStdin + "-stdin and " + name + "-stdin cannot both read standard input";

        std::optional<std::string> value;
        if (sources.argument) {
            value = sources.argument;
        } else if (sources.file) {
            std::ifstream file(*sources.file, std::ios::binary);
            if (!file)
                return name + "-file: cannot open '" + *sources.file + "'";
            if (!(value = ReadSecretLine(file)))
                return name + "-file: the first line of '" + *sources.file + "' is too long";
        } else if (sources.variable) {
            const char* text = std::getenv(sources.variable->c_str());
            if (!text)
                return name + "-env: the environment variable " + *sources.variable + " is not set";
            value = text;
        } else if (sources.standardInput) {
            readerOfStdin = name;
            if (!(value = ReadSecretLine(std::cin)))
                return name + "-stdin: the first line of standard input is too long";
        } else if (prompted.count(name)) {
            value = prompt(name == "--new-password" ? "New password: " : "Password: ");
        }
        if (value)
            values[name] = *value;
    }
    return {};
}
