// The help window's fixed text: 87 lines separated by CR (no LF anywhere),
// the program's name on the first line.
#pragma once

#include <string_view>

namespace lumetra {

extern const std::string_view HelpText;
// The first line, which the help window shows bold.
inline constexpr std::string_view kProgramName = "Lumetra";

}  // namespace lumetra
