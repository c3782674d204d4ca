// The code page 932 separator helpers and the run start against a plain model: the text is
// split into characters byte by byte here, and every answer is read off that split.
//
// Input: the first byte picks the attributes the file services give DecideRunStart for the
// path; the rest is the path.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/file_services.h"
#include "engine/path_text.h"
#include "engine/run_state.h"

namespace {

// A byte that opens a double-byte character in code page 932.
bool OpensDoubleByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// The characters of `text` as (start, length) pairs. A lead byte takes the byte after it,
// whatever that is; a lead byte at the very end is a character of its own.
struct Character {
    size_t start;
    size_t length;
};
std::vector<Character> SplitCharacters(const std::string& text) {
    std::vector<Character> out;
    size_t i = 0;
    while (i < text.size()) {
        const size_t length =
            OpensDoubleByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
        out.push_back({i, length});
        i += length;
    }
    return out;
}

bool IsSeparator(const std::string& text, const Character& c) {
    return c.length == 1 && text[c.start] == '\\';
}

std::string ModelTrim(const std::string& text) {
    std::vector<Character> chars = SplitCharacters(text);
    while (!chars.empty() && IsSeparator(text, chars.back())) chars.pop_back();
    return chars.empty() ? std::string() : text.substr(0, chars.back().start + chars.back().length);
}

int ModelLastSeparator(const std::string& text) {
    int last = -1;
    for (const Character& c : SplitCharacters(text)) {
        if (IsSeparator(text, c)) last = static_cast<int>(c.start);
    }
    return last;
}

std::string Printable(const std::string& text) {
    std::string out;
    char hex[4];
    for (unsigned char c : text) {
        std::snprintf(hex, sizeof hex, "%02X ", c);
        out += hex;
    }
    return out;
}

[[noreturn]] void Fail(const char* what, const std::string& path) {
    std::fprintf(stderr, "path_text_fuzz: %s\n  path bytes: %s\n", what, Printable(path).c_str());
    std::abort();
}

void CheckTrim(const std::string& path) {
    std::string trimmed = path;
    sorowa::RemoveTrailingSeparators(trimmed);
    if (trimmed != ModelTrim(path)) Fail("RemoveTrailingSeparators differs from the model", path);
    if (path.compare(0, trimmed.size(), trimmed) != 0) Fail("trimmed text is no prefix", path);
    if (path.find_first_not_of('\\', trimmed.size()) != std::string::npos) {
        Fail("trimming removed more than separators", path);
    }
    const std::vector<Character> chars = SplitCharacters(trimmed);
    if (!chars.empty() && IsSeparator(trimmed, chars.back())) {
        Fail("trimmed text still ends in a separator", path);
    }
    std::string again = trimmed;
    sorowa::RemoveTrailingSeparators(again);
    if (again != trimmed) Fail("trimming twice differs from trimming once", path);
}

void CheckLastSeparator(const std::string& path) {
    const int last = sorowa::FindLastSeparator(path);
    if (last != ModelLastSeparator(path)) Fail("FindLastSeparator differs from the model", path);
    if (last < -1 || last >= static_cast<int>(path.size()))
        Fail("separator index out of range", path);
    if (last >= 0) {
        const size_t at = static_cast<size_t>(last);
        bool starts = false;
        for (const Character& c : SplitCharacters(path)) starts = starts || c.start == at;
        if (path[at] != '\\' || !starts) Fail("separator index is no `\\` character", path);
    }
}

// File services that know only the attributes of every path.
class FixedAttributes : public sorowa::FileServices {
public:
    explicit FixedAttributes(uint32_t attributes) : m_attributes(attributes) {}
    uint32_t Attributes(const std::string&) override { return m_attributes; }
    std::unique_ptr<sorowa::OpenFile> OpenForReading(const std::string&) override {
        return nullptr;
    }
    std::unique_ptr<sorowa::FolderListing> ListFirst(const std::string&, sorowa::FolderEntry&,
                                                     sorowa::ListError& error) override {
        error = sorowa::ListError::kFailed;
        return nullptr;
    }
    bool IdentifyFolder(const std::string&, sorowa::FolderId&) override { return false; }

private:
    uint32_t m_attributes;
};

void CheckRunStart(const std::string& path, uint32_t attributes) {
    FixedAttributes files(attributes);
    const sorowa::RunStart start = sorowa::DecideRunStart(path, files);
    const bool folder = attributes != sorowa::kNoSuchPath && (attributes & 0x10u) != 0;
    if (start.folderMode != folder) Fail("DecideRunStart chose the wrong mode", path);
    const int32_t expected =
        folder ? static_cast<int32_t>(ModelTrim(path).size()) : ModelLastSeparator(path);
    if (start.baseLen != expected) Fail("DecideRunStart base length differs from the model", path);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static const uint32_t kAttributes[] = {sorowa::kNoSuchPath, 0x10, 0x20, 0x30, 0x12, 0x01};
    const uint32_t attributes = kAttributes[data[0] % (sizeof kAttributes / sizeof kAttributes[0])];
    const std::string path(reinterpret_cast<const char*>(data + 1), size - 1);

    // The path, and the path with text after it, as the walk builds its paths: a lead byte
    // at the end takes the `\` that follows it.
    for (const std::string& text : {path, path + "\\", path + "\\a", path + "\\\\"}) {
        CheckTrim(text);
        CheckLastSeparator(text);
        CheckRunStart(text, attributes);
    }
    return 0;
}
