// SPDX-License-Identifier: Apache-2.0
#include "tools/cli/SecretOptions.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <sys/stat.h>
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

std::string SystemError(int error)
{
    return std::strerror(error);
}

// A line that a source gave, or the error text for what it gave instead; where names the source.
std::optional<std::string> LineOrError(const SecretLine& line, const std::string& where, std::string& error)
{
    switch (line.outcome) {
    case SecretLine::Line:
        return line.text;
    case SecretLine::Nothing:
        error = where + " is empty";
        break;
    case SecretLine::TooLong:
        error = "the first line of " + where + " is too long";
        break;
    case SecretLine::ReadError:
        error = "cannot read " + where + ": " + SystemError(line.error);
        break;
    }
    return std::nullopt;
}

std::optional<std::string> FromFile(const std::string& option, const std::string& path, std::string& error,
                                    std::vector<std::string>& warnings)
{
    const std::string quoted = "'" + path + "'";
    // A named pipe is waited on as any reader would: process substitution gives one.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        error = option + ": cannot read " + quoted + ": " + SystemError(errno);
        return std::nullopt;
    }
    struct stat status
    {
    };
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && (status.st_mode & (S_IRGRP | S_IROTH)))
        warnings.push_back(option + ": other users can read " + quoted +
                           "; keep secrets in a file that only you can read (chmod go-r)");
    const SecretLine line = ReadSecretLine(fd);
    ::close(fd);
    std::optional<std::string> value = LineOrError(line, quoted, error);
    if (!error.empty())
        error = option + ": " + error;
    return value;
}

std::optional<std::string> FromStandardInput(const std::string& option, std::string& error)
{
    std::optional<std::string> value = LineOrError(ReadSecretLine(STDIN_FILENO), "standard input", error);
    if (!error.empty())
        error = option + ": " + error;
    return value;
}

// What was typed at the prompt, or the error text for what came instead.
std::optional<std::string> Typed(const SecretLine& answer, const std::string& name, const std::string& what,
                                 std::string& error)
{
    switch (answer.outcome) {
    case SecretLine::Line:
        return answer.text;
    case SecretLine::Nothing:
        error = name + ": nothing was typed for " + what;
        break;
    case SecretLine::TooLong:
        error = name + ": what was typed for " + what + " is too long";
        break;
    case SecretLine::ReadError:
        error = name + ": cannot read the terminal: " + SystemError(answer.error);
        break;
    }
    return std::nullopt;
}

// Nothing, and no error, when there is no terminal to ask on.
std::optional<std::string> FromPrompt(const std::string& name, SecretPrompt prompt, std::string& error)
{
    const bool isNew = name == "--new-password";
    const std::string what = isNew ? "the new password" : "the password";
    const std::optional<SecretLine> first = prompt(isNew ? "New password: " : "Password: ");
    if (!first)
        return std::nullopt;
    const std::optional<std::string> value = Typed(*first, name, what, error);
    if (!value || !isNew)
        return value;
    // A typing error in a new password would lock the camera out: it is typed twice.
    const std::optional<SecretLine> again = prompt("Retype new password: ");
    const std::optional<std::string> second = again ? Typed(*again, name, what, error) : std::nullopt;
    if (!second) {
        if (error.empty())
            error = name + ": the new password was not typed a second time";
        return std::nullopt;
    }
    if (*second != *value) {
        error = name + ": the two new passwords typed differ";
        return std::nullopt;
    }
    return value;
}

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

SecretLine ReadSecretLine(int fd)
{
    SecretLine line;
    char c = 0;
    for (;;) {
        const ssize_t got = ::read(fd, &c, 1);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return {SecretLine::ReadError, {}, errno};
        if (got == 0)
            break;
        line.outcome = SecretLine::Line;
        if (c == '\n')
            break;
        if (line.text.size() == kLongestSecretLine)
            return {SecretLine::TooLong, {}, 0};
        line.text.push_back(c);
    }
    if (!line.text.empty() && line.text.back() == '\r')
        line.text.pop_back();
    return line;
}

std::optional<SecretLine> PromptWithoutEcho(std::string_view question)
{
    if (!::isatty(STDIN_FILENO))
        return std::nullopt;
    SecretLine answer;
    {
        // Echo goes off before the question shows, so that nothing typed after it is echoed.
        const EchoOff quiet;
        std::cerr << question << std::flush;
        answer = ReadSecretLine(STDIN_FILENO);
    }
    std::cerr << "\n";
    return answer;
}

ResolvedSecrets ResolveSecrets(const std::map<std::string, SecretSources>& secrets,
                               const std::set<std::string>& prompted,
                               std::map<std::string, std::string>& values, SecretPrompt prompt)
{
    // Every source is checked before any is read: nothing is read or asked for in vain.
    std::string readerOfStdin;
    for (const auto& [name, sources] : secrets) {
        const int ways = int(sources.argument.has_value()) + int(sources.file.has_value()) +
                         int(sources.variable.has_value()) + int(sources.standardInput);
        if (ways > 1)
            return {name + " is given more than one way", {}};
        if (sources.standardInput && !readerOfStdin.empty())
            return {readerOfStdin + "-stdin and " + name + "-stdin cannot both read standard input", {}};
        if (sources.standardInput)
            readerOfStdin = name;
    }
    ResolvedSecrets resolved;
    // In the order of the options, so that a prompt asks for the current password first.
    for (std::string_view option : kSecretOptions) {
        const auto it = secrets.find(std::string(option));
        if (it == secrets.end())
            continue;
        const auto& [name, sources] = *it;
        std::optional<std::string> value;
        std::string source = name;
        std::string error;
        if (sources.argument) {
            value = sources.argument;
        } else if (sources.file) {
            source = name + "-file";
            value = FromFile(source, *sources.file, error, resolved.warnings);
        } else if (sources.variable) {
            source = name + "-env";
            if (const char* text = std::getenv(sources.variable->c_str()))
                value = text;
            else
                error = source + ": the environment variable " + *sources.variable + " is not set";
        } else if (sources.standardInput) {
            source = name + "-stdin";
            value = FromStandardInput(source, error);
        } else if (prompted.count(name)) {
            source = "the prompt";
            value = FromPrompt(name, prompt, error);
        }
        if (!error.empty())
            return {error, {}};
        if (!value)
            continue;
        // An empty new password would leave the camera open to anyone.
        if (value->empty() && name == "--new-password")
            return {name + ": the new password from " + source + " is empty", {}};
        values[name] = *value;
    }
    return resolved;
}
