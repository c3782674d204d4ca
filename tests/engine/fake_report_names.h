// The report's names as a small code page shows them: ASCII and the few characters listed
// beside ShownName, every other character as `?`.
#pragma once

#include <string>

#include "engine/report_names.h"

namespace sorowa::testing {

class FakeReportNames : public ReportNames {
public:
    std::string ShownName(const std::string& name) override;
};

}  // namespace sorowa::testing
