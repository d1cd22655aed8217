// The plain, obviously correct model that the fast transcoder is checked
// against: at every position try each table entry in turn.
#pragma once

#include <string>
#include <string_view>

namespace tavlon {

[[nodiscard]] std::string reference_convert(std::string_view input);

}  // namespace tavlon
