// The report text of a run on its way to the receiver: pieces and difference lines gathered
// into hand-overs of up to kHandOverSize bytes, joined into one growing piece once the
// receiver says it no longer shows them one by one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/compare_receiver.h"

namespace sorowa {

class ReportHandOver {
public:
    // The most report text handed over at once, NULs included: large enough that the cost of
    // a hand-over (a cross-thread message, 0.3 to 0.5 ms under Wine) no longer counts, and far
    // more than the window shows before it moves the report to a file.
    static constexpr size_t kHandOverSize = 4u << 20;

    explicit ReportHandOver(CompareReceiver& receiver);
    ReportHandOver(const ReportHandOver&) = delete;
    ReportHandOver& operator=(const ReportHandOver&) = delete;

    // The header line of a block naming `shownName`, after an empty line unless it is the
    // report's first.
    std::string Header(const std::string& shownName) const;
    // Adds a piece of report text to the next hand-over.
    void Send(const std::string& piece);
    // Adds the difference line of one byte, formatted in place.
    void SendDifference(uint64_t offset, uint8_t first, uint8_t second);
    // Adds the line of a run of differing bytes, formatted in place.
    void SendRange(uint64_t first, uint64_t last);
    // Hands over what is waiting.
    void HandOver();
    // Whether the receiver shows pieces one by one: then nothing may wait for a read.
    bool ShowsPieces() const { return !m_joining; }
    // Tells the receiver what a line says.
    void Note(ReportKind kind) { m_receiver.NoteReport(kind); }

private:
    CompareReceiver& m_receiver;
    // Pieces waiting to be handed over, each ending in a NUL; once the receiver writes them
    // to a file, one piece that grows (its NUL is added at the hand-over).
    std::unique_ptr<char[]> m_buffer;
    size_t m_waiting = 0;
    bool m_joining = false;
    // No report text has been made yet.
    bool m_first = true;
};

}  // namespace sorowa
