// The engine's path text against plain models: the separator helpers and the run start on
// UTF-8 paths, and the conversions between UTF-16 and the engine's UTF-8.
//
// Input: the first byte picks what the file services say the path names to DecideRunStart;
// the rest is the path, and, read as UTF-16 units, a name the system could list.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/file_services.h"
#include "engine/path_encoding.h"
#include "engine/path_text.h"
#include "engine/run_state.h"

namespace {

// In UTF-8 no byte of a multi-byte character is below 0x80: every `\` byte is a separator.
std::string ModelTrim(const std::string& text) {
    size_t end = text.size();
    while (end > 0 && text[end - 1] == '\\') --end;
    return text.substr(0, end);
}

int ModelLastSeparator(const std::string& text) {
    for (size_t i = text.size(); i > 0; --i) {
        if (text[i - 1] == '\\') return static_cast<int>(i - 1);
    }
    return -1;
}

std::string Printable(const void* data, size_t size) {
    std::string out;
    char hex[4];
    for (size_t i = 0; i < size; ++i) {
        std::snprintf(hex, sizeof hex, "%02X ", static_cast<const unsigned char*>(data)[i]);
        out += hex;
    }
    return out;
}

[[noreturn]] void Fail(const char* what, const std::string& path) {
    std::fprintf(stderr, "path_text_fuzz: %s\n  bytes: %s\n", what,
                 Printable(path.data(), path.size()).c_str());
    std::abort();
}

// File services that know only what every path names.
class FixedKind : public sorowa::FileServices {
public:
    explicit FixedKind(sorowa::EntryKind kind) : m_kind(kind) {}
    sorowa::EntryKind KindOf(const std::string&) override { return m_kind; }
    std::unique_ptr<sorowa::OpenFile> OpenForReading(const std::string&) override {
        return nullptr;
    }
    std::unique_ptr<sorowa::FolderListing> ListFolder(const std::string&, sorowa::FolderEntry&,
                                                      sorowa::ListError& error) override {
        error = sorowa::ListError::kFailed;
        return nullptr;
    }
    bool IdentifyFolder(const std::string&, sorowa::FolderId&) override { return false; }

private:
    sorowa::EntryKind m_kind;
};

void CheckSeparators(const std::string& path, sorowa::EntryKind kind) {
    std::string trimmed = path;
    sorowa::RemoveTrailingSeparators(trimmed);
    if (trimmed != ModelTrim(path)) Fail("RemoveTrailingSeparators differs from the model", path);
    if (sorowa::FindLastSeparator(path) != ModelLastSeparator(path)) {
        Fail("FindLastSeparator differs from the model", path);
    }
    FixedKind files(kind);
    const sorowa::RunStart start = sorowa::DecideRunStart(path, files);
    const bool folder = kind == sorowa::EntryKind::kFolder;
    if (start.folderMode != folder) Fail("DecideRunStart chose the wrong mode", path);
    const int32_t expected =
        folder ? static_cast<int32_t>(ModelTrim(path).size()) : ModelLastSeparator(path);
    if (start.baseLen != expected) Fail("DecideRunStart base length differs from the model", path);
}

// Every sequence of UTF-16 units, lone surrogates included, makes the round trip, and its
// UTF-8 holds a `\` exactly where the units do.
void CheckRoundTrip(const std::string& bytes) {
    std::u16string units(bytes.size() / 2, u'\0');
    std::memcpy(units.data(), bytes.data(), units.size() * 2);
    const std::string utf8 = sorowa::Utf8FromUtf16(units);
    if (sorowa::Utf16FromUtf8(utf8) != units) Fail("UTF-16 to UTF-8 and back differs", bytes);
    size_t unitSeparators = 0;
    for (char16_t u : units) unitSeparators += u == u'\\';
    size_t byteSeparators = 0;
    for (char c : utf8) byteSeparators += c == '\\';
    if (unitSeparators != byteSeparators) Fail("separators changed in UTF-8", bytes);
}

// Any bytes decode, and what decodes encodes back to the same units.
void CheckDecode(const std::string& bytes) {
    const std::u16string units = sorowa::Utf16FromUtf8(bytes);
    if (sorowa::Utf16FromUtf8(sorowa::Utf8FromUtf16(units)) != units) {
        Fail("decoded units do not survive a second round", bytes);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    // Six choices, as the committed inputs were made for.
    using sorowa::EntryKind;
    static const EntryKind kKinds[] = {EntryKind::kNothing, EntryKind::kFolder, EntryKind::kFile,
                                       EntryKind::kFolder,  EntryKind::kFolder, EntryKind::kFile};
    const EntryKind kind = kKinds[data[0] % (sizeof kKinds / sizeof kKinds[0])];
    const std::string path(reinterpret_cast<const char*>(data + 1), size - 1);

    // The path, and the path with text after it, as the walk builds its paths.
    for (const std::string& text : {path, path + "\\", path + "\\a", path + "\\\\"}) {
        CheckSeparators(text, kind);
    }
    CheckRoundTrip(path);
    CheckDecode(path);
    return 0;
}
