#include <algorithm>
#include <cstring>

#include "engine/compare_run.h"
#include "engine/report_lines.h"
#include "engine/texts.h"

namespace sorowa {
namespace {

constexpr uint32_t kBlockSize = 4096;

// `text` from byte `from` on; empty when `from` lies past its end (the first path field
// may have been edited between Start and the worker's reading of it).
std::string Tail(const std::string& text, int32_t from) {
    const size_t start = static_cast<size_t>(std::max<int32_t>(from, 0));
    return start < text.size() ? text.substr(start) : std::string();
}

// The counterpart of `first`: under `second` when that is a folder, else `second` itself.
std::string CounterpartOf(const std::string& first, const std::string& second, int32_t baseLen,
                          FileServices& files) {
    if (!IsFolder(files.Attributes(second))) return second;
    // A first path without any `\` is a bare name: join it with a separator of its own.
    if (baseLen < 0) return second + "\\" + first;
    return second + Tail(first, baseLen);
}

// Sends the pair's header unless it has gone already; the header and the first line of
// the block leave as one piece.
class BlockSender {
public:
    BlockSender(CompareReceiver& receiver, std::string header)
        : m_receiver(receiver), m_header(std::move(header)) {}

    // A reason line that ends the block: one piece with the header when that is pending.
    void SendReason(const std::string& line) {
        if (m_headerPending) {
            Send((m_header + line).c_str());
        } else {
            Send(line.c_str());
        }
    }

    void SendDifference(const char* line) {
        if (m_headerPending) Send(m_header.c_str());
        Send(line);
    }

private:
    void Send(const char* piece) {
        m_headerPending = false;
        m_receiver.m_bFirstBlock = 0;
        m_receiver.SendPiece(piece);
    }

    CompareReceiver& m_receiver;
    std::string m_header;
    bool m_headerPending = true;
};

// Reads `size` bytes, the whole rest of a block; false when the read fails or delivers
// fewer bytes than the file's length promised.
bool ReadBlock(OpenFile& file, unsigned char* buffer, uint32_t size) {
    uint32_t got = 0;
    return file.Read(buffer, kBlockSize, got) && got == size;
}

// Sends a difference line for every byte in which the two blocks differ.
void SendDifferences(BlockSender& sender, const unsigned char* a, const unsigned char* b,
                     uint32_t size, uint64_t blockOffset) {
    char line[kDifferenceLineSize];
    for (uint32_t i = 0; i < size; ++i) {
        if (a[i] == b[i]) continue;
        FormatDifferenceLine(line, blockOffset + i, a[i], b[i]);
        sender.SendDifference(line);
    }
}

}  // namespace

void ComparePair(CompareReceiver& receiver, FileServices& files, const std::string& first,
                 const std::string& second) {
    const int32_t baseLen = receiver.m_nBaseLen;
    const std::string counterpart = CounterpartOf(first, second, baseLen, files);
    const std::string displayName = Tail(first, baseLen + 1);
    BlockSender sender(receiver, HeaderLine(receiver.m_bFirstBlock != 0, displayName));

    if (!Exists(files.Attributes(counterpart))) {
        sender.SendReason(displayName + text::kDoesNotExist);
        return;
    }

    // Neither file can change while both are held with no sharing.
    std::unique_ptr<OpenFile> fileA = files.OpenForReading(first);
    std::unique_ptr<OpenFile> fileB = fileA ? files.OpenForReading(counterpart) : nullptr;
    if (!fileA || !fileB) {
        sender.SendReason(text::kCannotOpen);
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

    unsigned char blockA[kBlockSize];
    unsigned char blockB[kBlockSize];
    for (uint64_t offset = 0; offset < lengthA; offset += kBlockSize) {
        // A window that is going away ends the pair here; nothing more is reported.
        if (receiver.m_bClosing != 0) return;
        const uint32_t size = static_cast<uint32_t>(std::min<uint64_t>(kBlockSize, lengthA - offset));
        if (!ReadBlock(*fileA, blockA, size) || !ReadBlock(*fileB, blockB, size)) {
            sender.SendReason(text::kCannotRead);
            return;
        }
        if (std::memcmp(blockA, blockB, size) != 0) {
            SendDifferences(sender, blockA, blockB, size, offset);
        }
    }
}

}  // namespace sorowa
