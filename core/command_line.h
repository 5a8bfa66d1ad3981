// The program's arguments as the command line carries them: blanks separate arguments, double
// quotes group blanks into one argument and are themselves dropped.
#pragma once

#include <vector>

#include "core/text.h"

namespace Wexo {

class CommandLine {
public:
    explicit CommandLine(const Text& commandLine);

    // Arguments after the program name.
    int ParamCount() const { return static_cast<int>(params_.size()) - 1; }
    // Argument `index` (0 is the program), empty when there is none.
    Text ParamStr(int index) const;

private:
    std::vector<Text> params_;
};

}  // namespace Wexo
