#pragma once

#include <optional>
#include <string>

namespace x11 {

// The file that running `name` would execute, as a shell finds it: `name` itself when it holds
// a '/', otherwise the first executable regular file of that name in $PATH. Nothing when there
// is none.
std::optional<std::string> findExecutable(const std::string& name);

}  // namespace x11
