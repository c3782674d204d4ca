// Whole runs, folder mode and file mode, on small trees of the in-memory file services, each
// checked against a model of its report. The model is written here from the decoded tree:
// it walks the tree's nodes, not path texts, and shares no code with the engine.
//
// The input is read from the front, a byte at a time (0 once it is used up):
//   count, then per entry: kind, parent, name, and what the kind needs (a file's spare byte,
//   its content, and a failure or a length past one read block; a folder's listing failure,
//   at once or part-way; a link's target);
//   then the first and the second path (what they name, trailing `\` count, "X:" and "\"
//   for roots), then the run options: Stop before the run or after some bytes of report,
//   the piece from which the receiver lets the run join pieces, and a byte of the options a
//   user gives (range lines, what only the second folder holds, an exclusion pattern).
// A file's spare byte is read and not used, so that the committed inputs keep decoding to the
// trees they were made for.
// The model lays the run out as the pieces it sends and the checks of the stop request
// before each item still to compare (a pair, a folder to enter, a block of a pair), and plays
// that out against the receiver's Stop and joining. Besides the report, piece by piece, each
// run must say it was stopped exactly when a check found the request (something was left
// uncompared), give a report that is a prefix of the whole run's on whole lines, end with one
// end notice, close every file and listing it opened and hold one listing per level of the
// walk. The recording receiver's own checks of the run's conduct (the size of a hand-over, a
// piece or notice after the end, the end returned against the end notice) abort too.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <new>
#include <string>
#include <vector>

#include <sanitizer/asan_interface.h>

#include "engine/compare_pair.h"
#include "engine/texts.h"
#include "tests/engine/fake_file_services.h"
#include "tests/engine/recording_receiver.h"

// Every run allocates its two 1 MiB read blocks anew. Under the address sanitizer each such
// allocation is a fresh mapping whose pages fault in again, which costs many times what a
// small run does; so large allocations are kept for the next run here instead of being
// given back, and are poisoned while they wait. The sanitizer still guards their ends.
namespace {

struct KeptBlock {
    void* memory = nullptr;
    size_t size = 0;
    bool inUse = false;
};
constexpr size_t kKeepFrom = 64u << 10;
KeptBlock g_kept[8];

void* Allocate(size_t size) {
    if (size >= kKeepFrom) {
        for (KeptBlock& k : g_kept) {
            if (k.memory != nullptr && !k.inUse && k.size == size) {
                k.inUse = true;
                ASAN_UNPOISON_MEMORY_REGION(k.memory, size);
                return k.memory;
            }
        }
    }
    void* memory = std::malloc(size == 0 ? 1 : size);
    if (memory == nullptr) throw std::bad_alloc();
    if (size >= kKeepFrom) {
        for (KeptBlock& k : g_kept) {
            if (k.memory == nullptr) {
                k = {memory, size, true};
                break;
            }
        }
    }
    return memory;
}

void Release(void* memory) {
    if (memory == nullptr) return;
    for (KeptBlock& k : g_kept) {
        if (k.memory == memory) {
            k.inUse = false;
            ASAN_POISON_MEMORY_REGION(memory, k.size);
            return;
        }
    }
    std::free(memory);
}

}  // namespace

void* operator new(size_t size) { return Allocate(size); }
void* operator new[](size_t size) { return Allocate(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
}
void operator delete(void* memory) noexcept { Release(memory); }
void operator delete[](void* memory) noexcept { Release(memory); }
void operator delete(void* memory, size_t) noexcept { Release(memory); }
void operator delete[](void* memory, size_t) noexcept { Release(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { Release(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { Release(memory); }

namespace {

using sorowa::testing::FakeFileServices;
using sorowa::testing::RecordingReceiver;

class Input {
public:
    Input(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    unsigned Next() { return m_pos < m_size ? m_data[m_pos++] : 0u; }
    unsigned Below(size_t n) { return static_cast<unsigned>(Next() % n); }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

enum class Kind { kFolder, kFile, kLink };

struct Node {
    Kind kind = Kind::kFolder;
    std::string name;
    std::string path;  // the path the fake stores it under: no link on the way
    bool driveRoot = false;
    std::vector<int> children;  // in listing order
    // A file.
    std::string content;
    bool failOpen = false;
    bool failLength = false;
    int failReadAt = -1;  // reads fail from this byte on; -1: never
    bool shortRead = false;
    bool longFile = false;  // kLongLength bytes: the content, then zeros
    // A folder.
    bool failListing = false;
    int failListingAfter = -1;  // the listing breaks off after this many entries; -1: never
    // A link: the folder it leads to.
    int target = -1;
};

struct World {
    std::vector<Node> nodes;
    std::vector<int> folders;  // the real folders, drive roots first
    std::string path1, path2;
    int node1 = -1, node2 = -1;  // what the paths name; -1: nothing
    std::string name1;           // the last name in the first path
    size_t stopAt = 0;           // Stop once this many bytes of report arrived; 0: never
    bool stopBefore = false;     // Stop before the worker starts
    size_t joinFrom = 0;         // the receiver lets the run join pieces from this one on; 0: never
    // The run's options: range lines, what only the second folder holds, and one exclusion
    // pattern "*X*" with the text X a skipped name holds (written in the pattern in another
    // case, which the filter folds); none when empty.
    bool ranges = false;
    bool secondOnly = false;
    std::string pattern;
    std::string patternHeld;
};

// Characters of names in UTF-8, and as the report shows them: ASCII, a dot, 表 ソ ― (second
// byte 5C in code page 932), half-width ｱ, full-width space, and characters the code page
// lacks, each shown as one `?`: ü and é (two names that differ only in them look the
// same), Korean 한, and 😀 (a pair of surrogates in UTF-16).
struct NameCharacter {
    const char* utf8;
    const char* shown;
};
const NameCharacter kNameCharacters[] = {
    {"a", "a"},
    {"b", "b"},
    {".", "."},
    {"\xE8\xA1\xA8", "\x95\x5c"},
    {"\xE3\x82\xBD", "\x83\x5c"},
    {"\xE2\x80\x95", "\x81\x5c"},
    {"\xEF\xBD\xB1", "\xb1"},
    {"\xE3\x80\x80", "\x81\x40"},
    {"\xC3\xBC", "?"},
    {"\xC3\xA9", "?"},
    {"\xED\x95\x9C", "?"},
    {"\xF0\x9F\x98\x80", "?"},
};

// A path or name of the model as the report shows it: its characters one by one, with
// every byte that begins none of the name characters (`\`, `:`, letters of drives and of
// missing names) as it is.
std::string Shown(const std::string& text) {
    std::string shown;
    for (size_t i = 0; i < text.size();) {
        const NameCharacter* found = nullptr;
        for (const NameCharacter& c : kNameCharacters) {
            if (text.compare(i, std::strlen(c.utf8), c.utf8) == 0) found = &c;
        }
        if (found == nullptr) {
            shown += text[i++];
        } else {
            shown += found->shown;
            i += std::strlen(found->utf8);
        }
    }
    return shown;
}
const char kContentBytes[] = {'a', 'b', '\0', '\x5c'};
// Two read blocks, the second of one byte.
constexpr uint64_t kLongLength = uint64_t{sorowa::kBlockSize} + 1;

std::string MakeName(Input& in) {
    std::string name;
    const unsigned count = 1 + in.Below(3);
    for (unsigned i = 0; i < count; ++i)
        name += kNameCharacters[in.Below(std::size(kNameCharacters))].utf8;
    // No "." or "..", and no name ending in a dot (the platform drops such dots).
    if (name.back() == '.') name += 'a';
    return name;
}

bool HasChild(const World& w, int folder, const std::string& name) {
    for (int c : w.nodes[static_cast<size_t>(folder)].children) {
        if (w.nodes[static_cast<size_t>(c)].name == name) return true;
    }
    return false;
}

// A path text naming a node or nothing. Folders get up to two trailing `\`; a drive root
// may be "X:" alone, and C:, the fake's current drive, "\" alone. A path that names nothing
// ends in a name no entry has.
void ChoosePath(World& w, Input& in, std::string& text, int& node, std::string& lastName) {
    const unsigned c = in.Below(w.nodes.size() + 1);
    if (c == w.nodes.size()) {
        const Node& dir = w.nodes[in.Below(w.nodes.size())];
        lastName = std::string(1 + in.Below(2), 'q');
        text = dir.path + "\\" + lastName;
        node = -1;
        return;
    }
    const Node& n = w.nodes[c];
    text = n.path;
    lastName = n.name;
    node = static_cast<int>(c);
    if (n.kind != Kind::kFile) {
        const unsigned separators = in.Below(3);
        if (n.driveRoot && n.path == "C:" && separators == 2) {
            text = "\\";
        } else {
            text.append(separators, '\\');
        }
    }
}

World Decode(const uint8_t* data, size_t size) {
    Input in(data, size);
    World w;
    for (const char* drive : {"C:", "D:"}) {
        Node root;
        root.name = root.path = drive;
        root.driveRoot = true;
        w.folders.push_back(static_cast<int>(w.nodes.size()));
        w.nodes.push_back(root);
    }
    std::vector<unsigned> linkTargets;
    const unsigned count = in.Below(15);
    for (unsigned op = 0; op < count; ++op) {
        const unsigned kind = in.Below(8);
        Node n;
        int parent = -1;
        if (kind == 7) {
            // A file named without any folder.
            n.kind = Kind::kFile;
            n.name = MakeName(in);
            bool taken = false;
            for (const Node& other : w.nodes) taken = taken || other.path == n.name;
            if (taken) continue;
            n.path = n.name;
        } else {
            n.kind = kind < 3 ? Kind::kFolder : kind < 6 ? Kind::kFile : Kind::kLink;
            parent = w.folders[in.Below(w.folders.size())];
            n.name = MakeName(in);
            while (HasChild(w, parent, n.name)) n.name += 'a';
            n.path = w.nodes[static_cast<size_t>(parent)].path + "\\" + n.name;
        }
        if (n.kind == Kind::kFile) {
            in.Next();
            const unsigned length = in.Below(7);
            for (unsigned i = 0; i < length; ++i) n.content += kContentBytes[in.Below(4)];
            switch (in.Below(12)) {
                case 0:
                    n.failOpen = true;
                    break;
                case 1:
                    n.failLength = true;
                    break;
                case 2:
                    n.failReadAt = static_cast<int>(in.Below(length + 1));
                    break;
                case 3:
                    n.failReadAt = static_cast<int>(in.Below(length + 1));
                    n.shortRead = true;
                    break;
                case 4:
                    n.longFile = true;
                    break;
                default:
                    break;
            }
        } else if (n.kind == Kind::kFolder) {
            const unsigned failure = in.Next();
            n.failListing = failure % 10 == 0;
            if (failure % 10 == 1) n.failListingAfter = static_cast<int>(failure / 10 % 4);
        } else {
            linkTargets.push_back(in.Next());
        }
        const int index = static_cast<int>(w.nodes.size());
        if (n.kind == Kind::kFolder) w.folders.push_back(index);
        if (parent >= 0) w.nodes[static_cast<size_t>(parent)].children.push_back(index);
        w.nodes.push_back(n);
    }
    // Links lead to any folder, made before or after them: up the tree, down or sideways.
    size_t next = 0;
    for (Node& n : w.nodes) {
        if (n.kind == Kind::kLink) n.target = w.folders[linkTargets[next++] % w.folders.size()];
    }
    std::string unused;
    ChoosePath(w, in, w.path1, w.node1, w.name1);
    ChoosePath(w, in, w.path2, w.node2, unused);
    const unsigned stop = in.Below(4);
    if (stop == 1) w.stopAt = 1 + 2 * size_t{in.Next()};
    w.stopBefore = stop == 2;
    w.joinFrom = in.Below(4);
    // Inputs that end before here have none of the options.
    const unsigned options = in.Next();
    w.ranges = (options & 1) != 0;
    w.secondOnly = (options & 2) != 0;
    const struct {
        const char* pattern;
        const char* held;
    } kPatterns[] = {{"*A*", "a"}, {"*b*", "b"}, {"*\xC3\x9C*", "\xC3\xBC"}, {"*.*", "."}};
    if ((options >> 2) % 8 >= 4) {
        w.pattern = kPatterns[(options >> 2) % 4].pattern;
        w.patternHeld = kPatterns[(options >> 2) % 4].held;
    }
    return w;
}

void Populate(const World& w, FakeFileServices& files) {
    for (const Node& n : w.nodes) {
        switch (n.kind) {
            case Kind::kFolder:
                files.AddFolder(n.path);
                break;
            case Kind::kFile:
                files.AddFile(n.path, n.content);
                if (n.longFile) files.SetLength(n.path, kLongLength);
                break;
            case Kind::kLink:
                files.AddFolderLink(n.path, w.nodes[static_cast<size_t>(n.target)].path);
                break;
        }
    }
    for (const Node& n : w.nodes) {
        if (n.failOpen) files.FailOpen(n.path);
        if (n.failLength) files.FailLength(n.path);
        if (n.failReadAt >= 0)
            files.FailReadAt(n.path, static_cast<uint64_t>(n.failReadAt), n.shortRead);
        if (n.failListing) files.FailListing(n.path);
        if (n.failListingAfter >= 0)
            files.FailListingAfter(n.path, static_cast<size_t>(n.failListingAfter));
    }
}

// What the run does, in order: a piece it sends, the end of a pair or of a cannot-list
// block (where waiting text is handed over), a check of the stop request before an item
// still to compare, or the start of a block of a pair (a hand-over while pieces go one by
// one, then a check).
struct Step {
    enum Type { kPiece, kFlush, kCheck, kBlock } type;
    std::string text;
};

// The run laid out from the decoded tree.
class Model {
public:
    explicit Model(const World& w) : m_w(w) {}

    std::vector<Step> steps;
    int maxOpenListings = 0;
    bool folderMode = false;

    void Run() {
        const int first = Resolved(m_w.node1);
        folderMode = first >= 0 && Get(first).kind == Kind::kFolder;
        const int second = Resolved(m_w.node2);
        if (folderMode) {
            std::vector<std::string> relative;
            std::vector<int> walkPath;
            Walk(first, relative, walkPath);
            // Then what only the second folder holds, listed as a whole.
            if (m_w.secondOnly && IsFolderNode(second)) {
                m_firstTop = first;
                m_secondSide = true;
                Walk(second, relative, walkPath);
            }
        } else if (!Skipped(m_w.name1)) {
            const int counterpart = IsFolderNode(second) ? Lookup(second, {m_w.name1}) : second;
            Pair(first, counterpart, m_w.name1);
        }
    }

private:
    const Node& Get(int n) const { return m_w.nodes[static_cast<size_t>(n)]; }
    int Resolved(int n) const { return n >= 0 && Get(n).kind == Kind::kLink ? Get(n).target : n; }
    bool IsFolderNode(int n) const { return n >= 0 && Get(n).kind == Kind::kFolder; }
    bool Skipped(const std::string& name) const {
        return !m_w.pattern.empty() && name.find(m_w.patternHeld) != std::string::npos;
    }

    // What the names lead to from the folder `from`, through links; -1: nothing.
    int Lookup(int from, const std::vector<std::string>& names) const {
        int at = from;
        for (const std::string& name : names) {
            if (!IsFolderNode(at)) return -1;
            int found = -1;
            for (int c : Get(at).children) {
                if (Get(c).name == name) found = c;
            }
            at = Resolved(found);
        }
        return at;
    }

    static std::string Join(const std::vector<std::string>& names) {
        std::string out;
        for (const std::string& name : names) out += (out.empty() ? "" : "\\") + name;
        return out;
    }

    void Piece(const std::string& text) {
        steps.push_back({Step::kPiece, text});
        m_sent = true;
    }
    void Flush() { steps.push_back({Step::kFlush, {}}); }
    void Check() { steps.push_back({Step::kCheck, {}}); }
    void Block() { steps.push_back({Step::kBlock, {}}); }

    std::string Header(const std::string& name) const {
        return (m_sent ? "\r\n" : "") + std::string("FILENAME ") + name + "\r\n";
    }

    static uint64_t Length(const Node& file) {
        return file.longFile ? kLongLength : file.content.size();
    }
    static unsigned char Byte(const Node& file, uint64_t at) {
        return at < file.content.size() ? static_cast<unsigned char>(file.content[at]) : 0;
    }
    // A read that reaches the failing byte fails, or delivers too little.
    static bool ReadFails(const Node& file, uint64_t blockEnd) {
        return file.failReadAt >= 0 && static_cast<uint64_t>(file.failReadAt) < blockEnd;
    }

    void Pair(int first, int counterpart, const std::string& name) {
        const std::string header = Header(Shown(name));
        const Node* a = first >= 0 && Get(first).kind == Kind::kFile ? &Get(first) : nullptr;
        const Node* b =
            counterpart >= 0 && Get(counterpart).kind == Kind::kFile ? &Get(counterpart) : nullptr;
        // The first file stays open while the second is opened, and allows no second open.
        const bool opened = a && !a->failOpen && b && !b->failOpen && first != counterpart;
        if (counterpart < 0) {
            Piece(header + Shown(name) + sorowa::text::kDoesNotExist);
        } else if (!opened) {
            Piece(header + sorowa::text::kCannotOpen);
        } else if (a->failLength || b->failLength) {
            Piece(header + sorowa::text::kCannotRead);
        } else if (Length(*a) != Length(*b)) {
            Piece(header + sorowa::text::kSizesDiffer);
        } else {
            bool headerPending = true;
            const uint64_t block = sorowa::kBlockSize;
            for (uint64_t start = 0; start < Length(*a); start += block) {
                Block();
                const uint64_t end = std::min(start + block, Length(*a));
                if (ReadFails(*a, end) || ReadFails(*b, end)) {
                    Piece((headerPending ? header : "") + sorowa::text::kCannotRead);
                    break;
                }
                // Only the stored content can differ; beyond it both files are zeros, so
                // no run of differing bytes reaches the end of a block unless the file ends.
                const uint64_t stored = std::max(a->content.size(), b->content.size());
                const uint64_t last = std::min(end, stored);
                for (uint64_t i = start; i < last; ++i) {
                    if (Byte(*a, i) == Byte(*b, i)) continue;
                    if (headerPending) Piece(header);
                    headerPending = false;
                    char line[64];
                    if (m_w.ranges) {
                        uint64_t j = i;
                        while (j + 1 < last && Byte(*a, j + 1) != Byte(*b, j + 1)) ++j;
                        std::snprintf(line, sizeof line, "%.8X-%.8X : %u\r\n",
                                      static_cast<unsigned>(i), static_cast<unsigned>(j),
                                      static_cast<unsigned>(j - i + 1));
                        i = j;
                    } else {
                        std::snprintf(line, sizeof line, "%.8X : %.2X %.2X\r\n",
                                      static_cast<unsigned>(i), Byte(*a, i), Byte(*b, i));
                    }
                    Piece(line);
                }
            }
        }
        Flush();
    }

    // A block of one reason line that names a folder by its relative path and a `\`, or by
    // the path the walk began at.
    void FolderBlock(const std::vector<std::string>& relative, const char* reason) {
        const std::string top = m_secondSide ? m_w.path2 : m_w.path1;
        const std::string name = relative.empty() ? top : Join(relative) + "\\";
        Piece(Header(Shown(name)) + reason);
        Flush();
    }
    void CannotList(const std::vector<std::string>& relative) {
        FolderBlock(relative, sorowa::text::kCannotList);
    }

    // An entry of the second folder's walk: what the first folder has at the same path
    // decides whether it is walked into, passed by or reported.
    void SecondEntry(int c, std::vector<std::string>& relative, std::vector<int>& walkPath) {
        const int there = Lookup(m_firstTop, relative);
        const bool folder = Get(c).kind != Kind::kFile;
        const bool thereFolder = IsFolderNode(there);
        const bool thereFile = there >= 0 && Get(there).kind == Kind::kFile;
        if (folder && thereFolder) {
            const int target = Resolved(c);
            if (std::find(walkPath.begin(), walkPath.end(), target) == walkPath.end()) {
                Check();
                Walk(target, relative, walkPath);
            }
            return;
        }
        if (!folder && thereFile) return;
        Check();
        if (folder) {
            FolderBlock(relative, sorowa::text::kOnlyUnderSecond);
        } else {
            Piece(Header(Shown(Join(relative))) + sorowa::text::kOnlyUnderSecond);
            Flush();
        }
    }

    void Walk(int folder, std::vector<std::string>& relative, std::vector<int>& walkPath) {
        const Node& f = Get(folder);
        if (f.failListing) {
            CannotList(relative);
            return;
        }
        // Any other folder lists "." and ".." at least; a drive root may list nothing.
        if (f.driveRoot && f.children.empty()) return;
        // A listing that breaks off delivers its first entry at least.
        size_t delivered = f.children.size();
        if (f.failListingAfter >= 0) {
            const size_t after = static_cast<size_t>(f.failListingAfter);
            delivered = std::min(delivered, f.driveRoot ? std::max<size_t>(after, 1) : after);
        }
        walkPath.push_back(folder);
        maxOpenListings = std::max(maxOpenListings, static_cast<int>(walkPath.size()));
        for (size_t i = 0; i < delivered; ++i) {
            const int c = f.children[i];
            if (Skipped(Get(c).name)) continue;
            relative.push_back(Get(c).name);
            if (m_secondSide) {
                SecondEntry(c, relative, walkPath);
            } else if (Get(c).kind == Kind::kFile) {
                Check();
                const int second = Resolved(m_w.node2);
                Pair(c, IsFolderNode(second) ? Lookup(second, relative) : second, Join(relative));
            } else {
                const int target = Resolved(c);
                if (std::find(walkPath.begin(), walkPath.end(), target) == walkPath.end()) {
                    Check();
                    Walk(target, relative, walkPath);
                }
            }
            relative.pop_back();
        }
        if (delivered < f.children.size()) CannotList(relative);
        walkPath.pop_back();
    }

    const World& m_w;
    bool m_sent = false;  // a piece has been sent before
    // In the second folder's walk, and the first folder it looks at.
    bool m_secondSide = false;
    int m_firstTop = -1;
};

// The run's steps played out as the receiver sees them: pieces handed over together at the
// end of each pair and before each block until a hand-over brings the receiver's word
// (`joinFrom` pieces), then joined up to each end of a pair; Stop pressed before the run or
// once `stopAt` bytes have arrived, and seen at the next check. No run here has enough text
// to fill a hand-over. The pieces received, and whether a check saw the Stop.
struct Outcome {
    std::vector<std::string> pieces;
    bool stopped = false;
};

Outcome PlayOut(const std::vector<Step>& steps, size_t stopAt, bool stopBefore, size_t joinFrom) {
    Outcome out;
    bool stop = stopBefore;
    bool joining = false;
    size_t received = 0;
    std::vector<std::string> waiting;
    const auto handOver = [&] {
        if (waiting.empty()) return;
        for (std::string& piece : waiting) {
            received += piece.size();
            out.pieces.push_back(std::move(piece));
        }
        waiting.clear();
        if (stopAt != 0 && received >= stopAt) stop = true;
        joining = joining || (joinFrom != 0 && out.pieces.size() >= joinFrom);
    };
    for (const Step& step : steps) {
        switch (step.type) {
            case Step::kPiece:
                if (joining && !waiting.empty()) {
                    waiting.back() += step.text;
                } else {
                    waiting.push_back(step.text);
                }
                break;
            case Step::kFlush:
                handOver();
                break;
            case Step::kBlock:
                if (!joining) handOver();
                [[fallthrough]];
            case Step::kCheck:
                if (stop) {
                    // The pair that the check ends hands over what waits.
                    handOver();
                    out.stopped = true;
                    return out;
                }
                break;
        }
    }
    return out;
}

std::string Printable(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, c == '\\' ? "\\\\" : "\\x%02X", c);
            out += hex;
        }
    }
    return out;
}

// The decoded tree, the paths and the two reports, piece by piece ('*' where they differ).
void Describe(const char* what, const World& w, const std::vector<std::string>& expected,
              const std::vector<std::string>& actual) {
    std::fprintf(stderr, "engine_fuzz: %s\n", what);
    for (const Node& n : w.nodes) {
        std::fprintf(stderr, "  %-6s \"%s\"",
                     n.kind == Kind::kFolder ? "folder"
                     : n.kind == Kind::kFile ? "file"
                                             : "link",
                     Printable(n.path).c_str());
        if (n.kind == Kind::kFile) std::fprintf(stderr, " \"%s\"", Printable(n.content).c_str());
        if (n.kind == Kind::kLink) {
            std::fprintf(stderr, " -> \"%s\"",
                         Printable(w.nodes[static_cast<size_t>(n.target)].path).c_str());
        }
        if (n.failOpen) std::fprintf(stderr, " [open fails]");
        if (n.failLength) std::fprintf(stderr, " [length fails]");
        if (n.failReadAt >= 0) {
            std::fprintf(stderr, " [%s read from %d]", n.shortRead ? "short" : "failed",
                         n.failReadAt);
        }
        if (n.failListing) std::fprintf(stderr, " [listing fails]");
        if (n.failListingAfter >= 0) {
            std::fprintf(stderr, " [listing breaks off after %d entries]", n.failListingAfter);
        }
        if (n.longFile)
            std::fprintf(stderr, " [%llu bytes long]",
                         static_cast<unsigned long long>(kLongLength));
        std::fprintf(stderr, "\n");
    }
    std::fprintf(
        stderr, "  path 1 \"%s\"\n  path 2 \"%s\"\n  stop after %zu bytes%s, join from piece %zu\n",
        Printable(w.path1).c_str(), Printable(w.path2).c_str(), w.stopAt,
        w.stopBefore ? " (and before the run)" : "", w.joinFrom);
    std::fprintf(stderr, "  options:%s%s%s%s\n", w.ranges ? " ranges" : "",
                 w.secondOnly ? " second-only" : "", w.pattern.empty() ? "" : " exclude ",
                 Printable(w.pattern).c_str());
    const size_t rows = std::max(expected.size(), actual.size());
    for (size_t i = 0; i < rows; ++i) {
        const std::string e = i < expected.size() ? Printable(expected[i]) : "(none)";
        const std::string a = i < actual.size() ? Printable(actual[i]) : "(none)";
        std::fprintf(stderr, "  %c piece %zu expected \"%s\"\n             got \"%s\"\n",
                     e == a ? ' ' : '*', i + 1, e.c_str(), a.c_str());
    }
}

[[noreturn]] void Fail(const char* what, const World& w, const std::vector<std::string>& expected,
                       const std::vector<std::string>& actual) {
    Describe(what, w, expected, actual);
    std::abort();
}

// The recording receiver, with the Stop button pressed once `stopAt` bytes of report have
// arrived, and with its checks of the run's conduct ending the fuzzer.
class Receiver : public RecordingReceiver {
public:
    explicit Receiver(const World& w)
        : RecordingReceiver(w.path1, w.path2), m_w(w), m_stopAt(w.stopAt) {}
    bool SendPieces(const char* pieces, size_t length) override {
        const bool join = RecordingReceiver::SendPieces(pieces, length);
        sorowa::ForEachPiece(pieces, length, [&](const char*, size_t n) { m_received += n; });
        if (m_stopAt != 0 && m_received >= m_stopAt) m_state->RequestStop();
        return join;
    }
    void Fault(const char* what) override { Fail(what, m_w, {}, m_pieces); }

private:
    const World& m_w;
    size_t m_stopAt;
    size_t m_received = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const World w = Decode(data, size);
    FakeFileServices files;
    Populate(w, files);
    Receiver receiver(w);
    receiver.m_joinFrom = w.joinFrom;
    sorowa::RunOptions options;
    options.ranges = w.ranges;
    options.secondOnly = w.secondOnly;
    if (!w.pattern.empty()) options.exclusions.push_back(w.pattern);
    receiver.m_state.emplace(sorowa::DecideRunStart(w.path1, files), options);
    if (w.stopBefore) receiver.m_state->RequestStop();
    receiver.RunWorker(files);

    Model model(w);
    model.Run();
    const Outcome outcome = PlayOut(model.steps, w.stopAt, w.stopBefore, w.joinFrom);
    const std::vector<std::string>& expected = outcome.pieces;
    const std::vector<std::string>& actual = receiver.m_pieces;

    // ENGINE_FUZZ_SHOW=1 engine_fuzz INPUT shows what an input decodes to.
    static const bool show = std::getenv("ENGINE_FUZZ_SHOW") != nullptr;
    if (show) Describe("decoded input", w, expected, actual);
    if (receiver.m_state->Start().folderMode != model.folderMode) {
        Fail("the run was started in the other mode", w, expected, actual);
    }
    if (actual != expected) Fail("the report differs from the model", w, expected, actual);
    const bool stopped = receiver.m_end == sorowa::RunEnd::kStopped;
    if (stopped != outcome.stopped) {
        Fail(stopped ? "the run says it was stopped, but nothing was left uncompared"
                     : "the run says it is complete, but something was left uncompared",
             w, expected, actual);
    }
    // Whatever the moment of the Stop, the report is the whole run's up to a line end.
    std::string whole;
    for (const std::string& piece : PlayOut(model.steps, 0, false, 0).pieces) whole += piece;
    const std::string report = receiver.Report();
    if (whole.compare(0, report.size(), report) != 0) {
        Fail("the report is no prefix of the whole run's", w, expected, actual);
    }
    if (!report.empty() && report.compare(report.size() - 2, 2, "\r\n") != 0) {
        Fail("the report does not end on a line end", w, expected, actual);
    }
    if (receiver.m_doneCount != 1) Fail("not exactly one end notice", w, expected, actual);
    if (files.OpenFiles() != 0) Fail("a file was left open", w, expected, actual);
    if (files.OpenListings() != 0) Fail("a listing was left open", w, expected, actual);
    // One listing open per level of the walk; Stop may end the walk before its deepest level.
    if (w.stopAt == 0 && !w.stopBefore && files.MaxOpenListings() != model.maxOpenListings) {
        Fail("the walk held a different number of listings open at once", w, expected, actual);
    }
    return 0;
}
