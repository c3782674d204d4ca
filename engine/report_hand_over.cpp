#include "engine/report_hand_over.h"

#include <cstring>

#include "engine/report_lines.h"

namespace sorowa {

ReportHandOver::ReportHandOver(CompareReceiver& receiver)
    // Left uninitialised: a page is touched only when report text fills it.
    : m_receiver(receiver), m_buffer(new char[kHandOverSize]) {}

std::string ReportHandOver::Header(const std::string& shownName) const {
    return HeaderLine(m_first, shownName);
}

void ReportHandOver::Send(const std::string& piece) {
    m_first = false;
    const size_t length = piece.size();
    if (kHandOverSize - m_waiting <= length) HandOver();
    if (length >= kHandOverSize) {
        // Longer than any hand-over: it goes alone, as it stands.
        const bool join = m_receiver.SendPieces(piece.c_str(), length + 1);
        m_joining = m_joining || join;
        return;
    }
    std::memcpy(m_buffer.get() + m_waiting, piece.data(), length);
    m_waiting += length;
    if (!m_joining) m_buffer[m_waiting++] = '\0';
}

void ReportHandOver::SendDifference(uint64_t offset, uint8_t first, uint8_t second) {
    if (kHandOverSize - m_waiting < kDifferenceLineSize) HandOver();
    const size_t length = FormatDifferenceLine(m_buffer.get() + m_waiting, offset, first, second);
    // The line's NUL ends it as a piece, or is where the next one joins it.
    m_waiting += m_joining ? length : length + 1;
}

void ReportHandOver::SendRange(uint64_t first, uint64_t last) {
    if (kHandOverSize - m_waiting < kRangeLineSize) HandOver();
    const size_t length = FormatRangeLine(m_buffer.get() + m_waiting, first, last);
    m_waiting += m_joining ? length : length + 1;
}

void ReportHandOver::HandOver() {
    if (m_waiting == 0) return;
    // Joined pieces leave room for their NUL.
    if (m_joining) m_buffer[m_waiting++] = '\0';
    const bool join = m_receiver.SendPieces(m_buffer.get(), m_waiting);
    m_joining = m_joining || join;
    m_waiting = 0;
}

}  // namespace sorowa
