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
    m_lastKind = kind;
    if (m_headerSent) {
        m_report.Send(line);
        return;
    }
    m_headerSent = true;
    m_report.Send(m_report.Header(ShownName()) + line);
}

void BlockWriter::SendRange(uint64_t first, uint64_t last) {
    SendHeader(ReportKind::kDifference);
    m_report.SendRange(first, last);
}

void BlockWriter::SendHeader(ReportKind kind) {
    if (m_headerSent) return;
    m_headerSent = true;
    m_report.Note(kind);
    m_lastKind = kind;
    m_report.Send(m_report.Header(ShownName()));
}

}  // namespace sorowa
