// One block of the report: the header line that names a file or a folder, sent once before
// the first of its lines, then reason lines, difference lines or range lines. Every block goes
// through here: a pair's, a folder's that cannot be listed, and an entry's that exists only
// under the second folder.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "engine/compare_receiver.h"
#include "engine/report_hand_over.h"
#include "engine/report_names.h"

namespace sorowa {

class BlockWriter {
public:
    // `name` is the block's name in the engine's UTF-8; it must outlive the writer.
    BlockWriter(ReportHandOver& report, ReportNames& names, const std::string& name);
    // A block that is done is handed over.
    ~BlockWriter() { m_report.HandOver(); }
    BlockWriter(const BlockWriter&) = delete;
    BlockWriter& operator=(const BlockWriter&) = delete;

    // The name as the report shows it; made only for a block that is written.
    const std::string& ShownName();

    // A reason line: one piece with the header when that is still to go.
    void SendReason(ReportKind kind, const std::string& line);
    // The difference line of one byte; the first one of a block goes after the header,
    // which is a piece of its own. Here, since a pair may have a line for every byte.
    void SendDifference(uint64_t offset, uint8_t first, uint8_t second) {
        if (!m_headerSent) SendHeader(ReportKind::kDifference);
        m_report.SendDifference(offset, first, second);
    }
    // The header of a block of difference or range lines, with the receiver told, unless it
    // has gone. A run of differing bytes is known at its first byte, its line only at its
    // end: the block opens at the first, so that a receiver that ends the run at the first
    // thing found (-s) needs no more of the pair.
    void OpenDifferences() { SendHeader(ReportKind::kDifference); }
    // The line of a run of differing bytes, from `first` to `last`; as for a difference line.
    void SendRange(uint64_t first, uint64_t last);

    // What the block's lines said last; none while it has none.
    std::optional<ReportKind> LastKind() const { return m_lastKind; }

private:
    // The header, with the receiver told the block's first kind, unless it has gone.
    void SendHeader(ReportKind kind);

    ReportHandOver& m_report;
    ReportNames& m_names;
    const std::string& m_name;
    std::optional<std::string> m_shownName;
    std::optional<ReportKind> m_lastKind;
    bool m_headerSent = false;
};

}  // namespace sorowa
