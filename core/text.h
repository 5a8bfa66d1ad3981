// Text as the program handles it: Shift_JIS (code page 932) bytes; empty means "no value".
#pragma once

#include <string>

namespace Wexo {

using Text = std::string;

}  // namespace Wexo
