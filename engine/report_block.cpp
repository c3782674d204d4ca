#include "engine/report_block.h"

namespace sorowa {

BlockWriter::BlockWriter(ReportHandOver& report, ReportNames& names, const std::string& name)
    : m_report(report), m_names(names), m_name(name) {}

const std::string& BlockWriter::ShownName() {
    if (!m_shownName) m_shownName = m_names.ShownName(m_name);
    return *m_shownName;
}

void BlockWriter::SendReason(ReportKind kind, const std::string& line) {
    m_report.Note(kind);
    if (m_headerSent) {
        m_report.Send(line);
        return;
    }
    m_headerSent = true;
    m_report.Send(m_report.Header(ShownName()) + line);
}

void BlockWriter::SendDifference(uint64_t offset, uint8_t first, uint8_t second) {
    SendHeader(ReportKind::kDifference);
    m_report.SendDifference(offset, first, second);
}

void BlockWriter::SendHeader(ReportKind kind) {
    if (m_headerSent) return;
    m_headerSent = true;
    m_report.Note(kind);
    m_report.Send(m_report.Header(ShownName()));
}

}  // namespace sorowa
