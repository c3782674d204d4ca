// A tree far deeper than any call stack could walk recursively.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/texts.h"
#include "tests/engine/recording_receiver.h"

namespace sorowa::testing {
namespace {

// Two chains of folders, "C:\t\d\d...\d" and "D:\t\d\d...\d", `depth` folders below "t", with
// one file "f" at the bottom of each. Every answer is read off the path's length and its
// first and last characters, so that no call costs more the deeper the path goes.
class DeepChain : public FileServices {
public:
    explicit DeepChain(size_t depth) : m_depth(depth) {}

    int OpenListings() const { return m_openListings; }
    int MaxOpenListings() const { return m_maxOpenListings; }

    EntryKind KindOf(const std::string& path) override {
        if (path.back() == 'f')
            return Level(path) == m_depth + 1 ? EntryKind::kFile : EntryKind::kNothing;
        return Level(path) <= m_depth ? EntryKind::kFolder : EntryKind::kNothing;
    }

    std::unique_ptr<OpenFile> OpenForReading(const std::string& path) override {
        if (KindOf(path) != EntryKind::kFile) return nullptr;
        return std::make_unique<OneByte>(path[0] == 'C' ? '1' : '2');
    }

    std::unique_ptr<FolderListing> ListFolder(const std::string& folder, FolderEntry& first,
                                              ListError& error) override {
        const size_t level = Level(folder);
        error = ListError::kNone;
        first = {EntryKind::kFolder, "."};
        return std::make_unique<Listing>(*this, level < m_depth);
    }

    bool IdentifyFolder(const std::string& folder, FolderId& id) override {
        id = {static_cast<uint64_t>(folder[0]), Level(folder)};
        return true;
    }

private:
    static constexpr size_t kTopLength = 4;  // "C:\t"

    // 0 for "C:\t", 1 for "C:\t\d", ...; a file "f" counts as one level below its folder.
    static size_t Level(const std::string& path) {
        return path.size() < kTopLength ? 0 : (path.size() - kTopLength) / 2;
    }

    class OneByte : public OpenFile {
    public:
        explicit OneByte(char byte) : m_byte(byte) {}
        bool Length(uint64_t& length) override {
            length = 1;
            return true;
        }
        bool Read(void* buffer, uint32_t wanted, uint32_t& got) override {
            got = std::min<uint32_t>(wanted, 1);
            if (got != 0) *static_cast<char*>(buffer) = m_byte;
            return true;
        }

    private:
        char m_byte;
    };

    // ".", "..", then "d" above the bottom and "f" at it.
    class Listing : public FolderListing {
    public:
        Listing(DeepChain& owner, bool above) : m_owner(owner), m_above(above) {
            m_owner.m_maxOpenListings =
                std::max(m_owner.m_maxOpenListings, ++m_owner.m_openListings);
        }
        ~Listing() override { --m_owner.m_openListings; }
        ListStep Next(FolderEntry& entry) override {
            switch (++m_index) {
                case 1:
                    entry = {EntryKind::kFolder, ".."};
                    return ListStep::kEntry;
                case 2:
                    entry = m_above ? FolderEntry{EntryKind::kFolder, "d"}
                                    : FolderEntry{EntryKind::kFile, "f"};
                    return ListStep::kEntry;
                default:
                    return ListStep::kEnd;
            }
        }

    private:
        DeepChain& m_owner;
        bool m_above;
        int m_index = 0;
    };

    size_t m_depth;
    int m_openListings = 0;
    int m_maxOpenListings = 0;
};

TEST(DeepWalk, AHundredThousandLevelsAreWalkedToTheBottom) {
    constexpr size_t kDepth = 100000;
    DeepChain files(kDepth);
    FakeReportNames names;
    RecordingReceiver receiver("C:\\t", "D:\\t");
    receiver.Run(files, names);

    std::string name;
    for (size_t i = 0; i < kDepth; ++i) name += "d\\";
    name += "f";
    EXPECT_EQ(receiver.Report(), "FILENAME " + name + "\r\n00000000 : 31 32\r\n");
    EXPECT_EQ(receiver.m_doneCount, 1);
    EXPECT_EQ(files.MaxOpenListings(), static_cast<int>(kDepth) + 1);
    EXPECT_EQ(files.OpenListings(), 0);
}

}  // namespace
}  // namespace sorowa::testing
