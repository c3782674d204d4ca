// How the report shows a name: the report is code page 932 text, whatever the names hold.
// The engine's names are UTF-8; the conversion is the platform's (the tests have their own).
#pragma once

#include <string>

namespace sorowa {

class ReportNames {
public:
    virtual ~ReportNames() = default;
    // A name or path as the report shows it: in the report's code page (932), each
    // character the code page lacks as one `?`.
    virtual std::string ShownName(const std::string& name) = 0;
};

}  // namespace sorowa
