// A comparison run on the worker thread: its two entries, the pair comparison and the
// folder walk.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/compare_receiver.h"
#include "engine/file_services.h"
#include "engine/run_state.h"

namespace sorowa {

// Worker entries, for the mode that `state` was started in. Both read the path fields,
// compare, then notify the end; both return 0.
uint32_t CompareFolderThread(CompareReceiver& receiver, FileServices& files, RunState& state);
uint32_t CompareFileThread(CompareReceiver& receiver, FileServices& files, RunState& state);

// The comparing of one run: its block buffers, allocated once, and the hand-over of its
// report text.
class CompareRun {
public:
    // Bytes read from each file at a time.
    static constexpr uint32_t kBlockSize = 1u << 20;
    // The most report text handed over at once, NULs included: large enough that the cost of
    // a hand-over (a cross-thread message, 0.3 to 0.5 ms under Wine) no longer counts, and far
    // more than the window shows before it moves the report to a file.
    static constexpr size_t kHandOverSize = 4u << 20;

    // `firstPath` is the first path as the user gave it: a first folder that cannot be
    // listed is named by it.
    CompareRun(CompareReceiver& receiver, FileServices& files, const RunState& state,
               std::string firstPath = {});

    // Compares the first-side file `first` with its counterpart under `second` and sends
    // the pair's report block, if any.
    void ComparePair(const std::string& first, const std::string& second);

    // Lists `firstFolder` (a path without trailing `\`) depth first and compares every file
    // with its counterpart under `second`. A folder that cannot be listed gets a block of its
    // own; a folder that is one of those being walked (a link back up the tree) is not entered.
    // Ends early when a stop is requested.
    void WalkFolder(const std::string& firstFolder, const std::string& second);

    // True when a stop ended the run before everything was compared.
    bool Stopped() const { return m_stopped; }

    // Adds a piece of report text, `length` bytes followed by a NUL, to the next hand-over.
    void Send(const char* piece, size_t length);
    // Adds the difference line of one byte, formatted in place.
    void SendDifference(uint64_t offset, uint8_t first, uint8_t second);
    // Hands over what is waiting: when the next piece does not fit, at the end of every
    // pair, and, while the receiver shows pieces one by one, before every block is read.
    void HandOver();

private:
    friend class BlockSender;
    bool ComparePairBlocks(class BlockSender& sender, OpenFile& fileA, OpenFile& fileB,
                           uint64_t length);
    class FolderWalk;
    // Checked before each file pair, each folder to enter and each block of a pair: each of
    // them is left uncompared when a stop has been requested.
    bool StopRequestedNow();
    void SendCannotList(const std::string& prefix, bool firstFolder);

    CompareReceiver& m_receiver;
    FileServices& m_files;
    const RunState& m_state;
    // No report text has been produced yet in this run.
    bool m_firstBlock = true;
    // A check found the stop request: the run ends, leaving the rest uncompared.
    bool m_stopped = false;
    // Whether the second path names a folder, once a pair has asked.
    std::optional<bool> m_secondIsFolder;
    std::vector<unsigned char> m_blockA;
    std::vector<unsigned char> m_blockB;
    // Pieces waiting to be handed over, each ending in a NUL; once the receiver writes them
    // to a file, one piece that grows (its NUL is added at the hand-over).
    std::unique_ptr<char[]> m_handOver;
    size_t m_waiting = 0;
    bool m_joining = false;
    std::string m_firstPath;
};

}  // namespace sorowa
