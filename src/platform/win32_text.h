// UTF-8 inside, UTF-16 at the Win32 boundary.
#pragma once

#include <string>
#include <string_view>

namespace ferry::platform {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace ferry::platform
