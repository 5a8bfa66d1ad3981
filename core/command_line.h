// The program's arguments as the command line carries them: blanks separate arguments, double
// quotes group blanks into one argument and are themselves dropped. The same rules read the
// command line as bytes or as UTF-16, the form in which a name reaches the program unchanged.
#pragma once

#include <string>
#include <vector>

#include "core/text.h"

namespace Wexo {

template <typename Char>
class BasicCommandLine {
public:
    using String = std::basic_string<Char>;

    explicit BasicCommandLine(const String& commandLine);

    // Arguments after the program name.
    int ParamCount() const { return static_cast<int>(params_.size()) - 1; }
    // Argument `index` (0 is the program), empty when there is none.
    String ParamStr(int index) const;

private:
    std::vector<String> params_;
};

using CommandLine = BasicCommandLine<char>;
using WideCommandLine = BasicCommandLine<wchar_t>;

extern template class BasicCommandLine<char>;
extern template class BasicCommandLine<wchar_t>;

}  // namespace Wexo
