#pragma once

#include <string>

namespace help {

// The usage text shown over the view: 23 lines, each ending in CR LF.
std::string usageText();

}  // namespace help
