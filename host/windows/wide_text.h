// UTF-8 (the portable code's text) to and from UTF-16 (the Windows API's text).
#pragma once

#include <string>
#include <string_view>

namespace orbelle::windows {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace orbelle::windows
