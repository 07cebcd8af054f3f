#pragma once

#include "CliCommand.h"

// quillane-cli template dump|encode|decode: shows what a template file does.
int RunTemplateCommand(const CliArguments& args);

inline constexpr std::string_view kTemplateUsage = "template dump FILE [--json]\n"
                                                   "  template encode FILE [NAME=VALUE ...]\n"
                                                   "  template decode FILE MODE HEX";
