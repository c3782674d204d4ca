#include <algorithm>
#include <cstring>
#include <optional>

#include "engine/compare_pair.h"
#include "engine/path_text.h"
#include "engine/report_lines.h"
#include "engine/texts.h"

namespace sorowa {
namespace {

// Within a block that differs, stretches of this size are compared as a whole first.
constexpr uint32_t kScanSize = 4096;

// `text` from byte `from` on; empty when `from` lies past its end (the first path field
// may have been edited between Start and the worker's reading of it).
std::string Tail(const std::string& text, int32_t from) {
    const size_t start = static_cast<size_t>(std::max<int32_t>(from, 0));
    return start < text.size() ? text.substr(start) : std::string();
}

// Whether `second` names a folder.
bool NamesFolder(const std::string& second, FileServices& files) {
    std::string folder = second;
    RemoveTrailingSeparators(folder);
    return files.KindOf(FolderQueryPath(folder)) == EntryKind::kFolder;
}

// The counterpart of `first`: under `second` when that is a folder, else `second` itself.
std::string CounterpartOf(const std::string& first, const std::string& second, int32_t baseLen,
                          bool secondIsFolder) {
    if (!secondIsFolder) return second;
    std::string folder = second;
    RemoveTrailingSeparators(folder);
    // Separators alone name the root of the current drive; joined as they are, two of them
    // would begin a network path.
    const std::string& base = folder.empty() ? folder : second;
    // A first path without any `\` is a bare name: join it with a separator of its own.
    if (baseLen < 0) return base + "\\" + first;
    return base + Tail(first, baseLen);
}

// Reads the `size` bytes of one block; false when the read fails or delivers fewer bytes
// than the file's length promised.
bool ReadBlock(OpenFile& file, unsigned char* buffer, uint32_t size) {
    uint32_t got = 0;
    return file.Read(buffer, size, got) && got == size;
}

// Sends a difference line for every byte in which the two blocks differ.
void SendDifferences(BlockWriter& block, const unsigned char* a, const unsigned char* b,
                     uint32_t size, uint64_t blockOffset) {
    for (uint32_t scan = 0; scan < size; scan += kScanSize) {
        const uint32_t end = std::min(size, scan + kScanSize);
        if (std::memcmp(a + scan, b + scan, end - scan) == 0) continue;
        for (uint32_t i = scan; i < end; ++i) {
            if (a[i] == b[i]) continue;
            block.SendDifference(blockOffset + i, a[i], b[i]);
        }
    }
}

// Eight bytes of each block at once, for the runs of differing bytes.
uint64_t Word(const unsigned char* bytes) {
    uint64_t word = 0;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}
bool HasZeroByte(uint64_t word) {
    return ((word - 0x0101010101010101ull) & ~word & 0x8080808080808080ull) != 0;
}

// The first index from `at` on at which the blocks differ, or `size`.
uint32_t FirstDiffering(const unsigned char* a, const unsigned char* b, uint32_t at,
                        uint32_t size) {
    while (size - at >= kScanSize && std::memcmp(a + at, b + at, kScanSize) == 0) at += kScanSize;
    while (size - at >= 8 && Word(a + at) == Word(b + at)) at += 8;
    while (at < size && a[at] == b[at]) ++at;
    return at;
}

// The first index from `at` on at which the blocks are equal, or `size`.
uint32_t FirstEqual(const unsigned char* a, const unsigned char* b, uint32_t at, uint32_t size) {
    while (size - at >= 8 && !HasZeroByte(Word(a + at) ^ Word(b + at))) at += 8;
    while (at < size && a[at] != b[at]) ++at;
    return at;
}

}  // namespace

PairComparer::PairComparer(FileServices& files, ReportNames& names, ReportHandOver& report,
                           StopCheck& stop, RunTally& tally, int32_t baseLen, bool ranges)
    : m_files(files),
      m_names(names),
      m_report(report),
      m_stop(stop),
      m_tally(tally),
      m_baseLen(baseLen),
      m_ranges(ranges),
      m_blockA(kBlockSize),
      m_blockB(kBlockSize) {}

std::string PairComparer::NameOf(const std::string& first) const {
    return Tail(first, m_baseLen + 1);
}

bool PairComparer::SecondIsFolder(const std::string& second) {
    if (!m_secondIsFolder) m_secondIsFolder = NamesFolder(second, m_files);
    return *m_secondIsFolder;
}

void PairComparer::Compare(const std::string& first, const std::string& second) {
    const std::string counterpart = CounterpartOf(first, second, m_baseLen, SecondIsFolder(second));
    const std::string displayName = NameOf(first);
    BlockWriter block(m_report, m_names, displayName);
    const bool whole = CompareFiles(block, first, counterpart);
    m_tally.PairDone(block.LastKind(), whole);
}

bool PairComparer::CompareFiles(BlockWriter& block, const std::string& first,
                                const std::string& counterpart) {
    // Neither file can change while both are held with no sharing.
    std::unique_ptr<OpenFile> fileA = m_files.OpenForReading(first);
    std::unique_ptr<OpenFile> fileB = fileA ? m_files.OpenForReading(counterpart) : nullptr;
    if (!fileA || !fileB) {
        // A file that opened exists: whether the counterpart does is asked only now, and
        // gives the same line as asking first.
        if (m_files.KindOf(counterpart) == EntryKind::kNothing) {
            block.SendReason(ReportKind::kMissingCounterpart,
                             block.ShownName() + text::kDoesNotExist);
        } else {
            block.SendReason(ReportKind::kCannotOpen, text::kCannotOpen);
        }
        return true;
    }

    uint64_t lengthA = 0;
    uint64_t lengthB = 0;
    if (!fileA->Length(lengthA) || !fileB->Length(lengthB)) {
        block.SendReason(ReportKind::kCannotRead, text::kCannotRead);
        return true;
    }
    if (lengthA != lengthB) {
        block.SendReason(ReportKind::kSizesDiffer, text::kSizesDiffer);
        return true;
    }
    m_tally.PairOpened(lengthA);
    return CompareBlocks(block, *fileA, *fileB, lengthA);
}

bool PairComparer::CompareBlocks(BlockWriter& block, OpenFile& fileA, OpenFile& fileB,
                                 uint64_t length) {
    // A run of differing bytes that is still going, and its first offset; only with ranges.
    bool inRun = false;
    uint64_t runStart = 0;
    // A run ends before `end`, where the bytes are equal or the comparison stops.
    const auto endRun = [&](uint64_t end) {
        if (inRun) block.SendRange(runStart, end - 1);
        inRun = false;
    };
    for (uint64_t offset = 0; offset < length; offset += kBlockSize) {
        // Lines shown one by one never wait for a read.
        if (m_report.ShowsPieces()) m_report.HandOver();
        // A stop ends the pair here: the lines of the blocks compared so far stay.
        if (m_stop.Now()) {
            endRun(offset);
            return false;
        }
        const uint32_t size =
            static_cast<uint32_t>(std::min<uint64_t>(kBlockSize, length - offset));
        const unsigned char* const a = m_blockA.data();
        const unsigned char* const b = m_blockB.data();
        if (!ReadBlock(fileA, m_blockA.data(), size) || !ReadBlock(fileB, m_blockB.data(), size)) {
            endRun(offset);
            block.SendReason(ReportKind::kCannotRead, text::kCannotRead);
            return true;
        }
        // Most blocks are equal: one memcmp says so.
        const bool equal = !inRun && std::memcmp(a, b, size) == 0;
        if (!m_ranges) {
            if (!equal) SendDifferences(block, a, b, size, offset);
        } else if (!equal) {
            for (uint32_t at = 0; at < size;) {
                if (!inRun) {
                    at = FirstDiffering(a, b, at, size);
                    if (at == size) break;
                    inRun = true;
                    runStart = offset + at;
                    block.OpenDifferences();
                }
                at = FirstEqual(a, b, at, size);
                if (at < size) endRun(offset + at);
            }
        }
        m_tally.Compared(size);
    }
    endRun(length);
    return true;
}

}  // namespace sorowa
