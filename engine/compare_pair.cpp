#include <algorithm>
#include <cstring>

#include "engine/compare_run.h"
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
    return IsFolder(files.Attributes(FolderQueryPath(folder)));
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

}  // namespace

// Sends the lines of one pair's block; the header goes before the first of them, once.
class BlockSender {
public:
    BlockSender(CompareRun& run, std::string header) : m_run(run), m_header(std::move(header)) {}
    ~BlockSender() { m_run.HandOver(); }
    BlockSender(const BlockSender&) = delete;
    BlockSender& operator=(const BlockSender&) = delete;

    // A reason line: one piece with the header when that is still to go.
    void SendReason(const std::string& line) {
        if (m_headerPending) {
            Send(m_header + line);
        } else {
            Send(line);
        }
    }

    void SendDifference(uint64_t offset, uint8_t first, uint8_t second) {
        if (m_headerPending) Send(m_header);
        m_run.SendDifference(offset, first, second);
    }

private:
    void Send(const std::string& piece) {
        m_headerPending = false;
        m_run.m_firstBlock = false;
        m_run.Send(piece.c_str(), piece.size());
    }

    CompareRun& m_run;
    std::string m_header;
    bool m_headerPending = true;
};

namespace {

// Reads the `size` bytes of one block; false when the read fails or delivers fewer bytes
// than the file's length promised.
bool ReadBlock(OpenFile& file, unsigned char* buffer, uint32_t size) {
    uint32_t got = 0;
    return file.Read(buffer, size, got) && got == size;
}

// Sends a difference line for every byte in which the two blocks differ.
void SendDifferences(BlockSender& sender, const unsigned char* a, const unsigned char* b,
                     uint32_t size, uint64_t blockOffset) {
    for (uint32_t scan = 0; scan < size; scan += kScanSize) {
        const uint32_t end = std::min(size, scan + kScanSize);
        if (std::memcmp(a + scan, b + scan, end - scan) == 0) continue;
        for (uint32_t i = scan; i < end; ++i) {
            if (a[i] == b[i]) continue;
            sender.SendDifference(blockOffset + i, a[i], b[i]);
        }
    }
}

}  // namespace

void CompareRun::ComparePair(const std::string& first, const std::string& second) {
    const int32_t baseLen = m_state.Start().baseLen;
    // Every pair of a run has the same second path: what it names is asked once.
    if (!m_secondIsFolder) m_secondIsFolder = NamesFolder(second, m_files);
    const std::string counterpart = CounterpartOf(first, second, baseLen, *m_secondIsFolder);
    const std::string displayName = Tail(first, baseLen + 1);
    BlockSender sender(*this, HeaderLine(m_firstBlock, displayName));

    // Neither file can change while both are held with no sharing.
    std::unique_ptr<OpenFile> fileA = m_files.OpenForReading(first);
    std::unique_ptr<OpenFile> fileB = fileA ? m_files.OpenForReading(counterpart) : nullptr;
    if (!fileA || !fileB) {
        // A file that opened exists: whether the counterpart does is asked only now, and
        // gives the same line as asking first.
        if (!Exists(m_files.Attributes(counterpart))) {
            sender.SendReason(displayName + text::kDoesNotExist);
        } else {
            sender.SendReason(text::kCannotOpen);
        }
        return;
    }

    uint64_t lengthA = 0;
    uint64_t lengthB = 0;
    if (!fileA->Length(lengthA) || !fileB->Length(lengthB)) {
        sender.SendReason(text::kCannotRead);
        return;
    }
    if (lengthA != lengthB) {
        sender.SendReason(text::kSizesDiffer);
        return;
    }
    if (!ComparePairBlocks(sender, *fileA, *fileB, lengthA)) sender.SendReason(text::kCannotRead);
}

// False when a block could not be read; nothing of a block is compared then.
bool CompareRun::ComparePairBlocks(BlockSender& sender, OpenFile& fileA, OpenFile& fileB,
                                   uint64_t length) {
    for (uint64_t offset = 0; offset < length; offset += kBlockSize) {
        // Lines shown one by one never wait for a read.
        if (!m_joining) HandOver();
        // A stop ends the pair here: the lines of the blocks compared so far stay.
        if (StopRequestedNow()) return true;
        const uint32_t size =
            static_cast<uint32_t>(std::min<uint64_t>(kBlockSize, length - offset));
        if (!ReadBlock(fileA, m_blockA.data(), size) || !ReadBlock(fileB, m_blockB.data(), size)) {
            return false;
        }
        if (std::memcmp(m_blockA.data(), m_blockB.data(), size) != 0) {
            SendDifferences(sender, m_blockA.data(), m_blockB.data(), size, offset);
        }
    }
    return true;
}

}  // namespace sorowa
