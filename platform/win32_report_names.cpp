#include "platform/win32_report_names.h"

#include "platform/narrow_text.h"

namespace sorowa {

std::string Win32ReportNames::ShownName(const std::string& name) { return ShownText(name); }

}  // namespace sorowa
