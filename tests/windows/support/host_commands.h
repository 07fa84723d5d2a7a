#pragma once

#include <optional>
#include <string>

namespace wine_test {

// Runs `command` with the host's /bin/sh (Wine starts Unix programs too, on the same X
// display) and returns what it wrote to standard output; nothing when it failed or did not
// end within 15 s. The command must not contain double quotes.
std::optional<std::string> hostOutput(const std::string& command);

}  // namespace wine_test
