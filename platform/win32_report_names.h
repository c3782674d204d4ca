// The report's names on Windows: the system's conversion to the report's code page.
#pragma once

#include "engine/report_names.h"

namespace sorowa {

class Win32ReportNames : public ReportNames {
public:
    std::string ShownName(const std::string& name) override;
};

}  // namespace sorowa
