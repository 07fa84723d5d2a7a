#pragma once

#include <windows.h>

#include <string>

namespace win32 {

// What Windows says about an error code, in the user's language, for messages.
std::string systemMessage(DWORD error);

}  // namespace win32
