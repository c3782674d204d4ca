#include "platform/win32_file_services.h"

#include <windows.h>

#include <utility>

#include "platform/literal_path.h"
#include "platform/narrow_text.h"
#include "platform/unique_handle.h"

namespace sorowa {
namespace {

// Every path goes to the system in its literal form, through the wide functions: names are
// taken as they were listed, and paths may be longer than MAX_PATH.

class Win32OpenFile : public OpenFile {
public:
    explicit Win32OpenFile(FileHandle file) : m_file(std::move(file)) {}

    bool Length(uint64_t& length) override {
        LARGE_INTEGER size;
        if (!GetFileSizeEx(m_file.get(), &size)) return false;
        length = static_cast<uint64_t>(size.QuadPart);
        return true;
    }

    bool Read(void* buffer, uint32_t wanted, uint32_t& got) override {
        DWORD read = 0;
        const BOOL ok = ReadFile(m_file.get(), buffer, wanted, &read, nullptr);
        got = read;
        return ok != FALSE;
    }

private:
    FileHandle m_file;
};

// A listing's handle from FindFirstFileW, closed by FindClose.
struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) { FindClose(handle); }
};
using FindHandle = UniqueHandle<FindHandleTraits>;

EntryKind KindOfAttributes(DWORD attributes) {
    if (attributes == INVALID_FILE_ATTRIBUTES) return EntryKind::kNothing;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? EntryKind::kFolder : EntryKind::kFile;
}

void ToEntry(const WIN32_FIND_DATAW& data, FolderEntry& entry) {
    entry.kind = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? EntryKind::kFolder
                                                                         : EntryKind::kFile;
    // The name exactly as listed, whatever the windows' code page holds of it.
    entry.name = Utf8FromWide(data.cFileName);
}

class Win32Listing : public FolderListing {
public:
    explicit Win32Listing(FindHandle find) : m_find(std::move(find)) {}

    ListStep Next(FolderEntry& entry) override {
        WIN32_FIND_DATAW data;
        if (!FindNextFileW(m_find.get(), &data)) {
            return GetLastError() == ERROR_NO_MORE_FILES ? ListStep::kEnd : ListStep::kFailed;
        }
        ToEntry(data, entry);
        return ListStep::kEntry;
    }

private:
    FindHandle m_find;
};

}  // namespace

EntryKind Win32FileServices::KindOf(const std::string& path) {
    return KindOfAttributes(GetFileAttributesW(LiteralPath(path).c_str()));
}

std::unique_ptr<OpenFile> Win32FileServices::OpenForReading(const std::string& path) {
    // Share mode 0: no other open of the file succeeds while the pair is compared.
    FileHandle file(CreateFileW(LiteralPath(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return nullptr;
    // Only files on a disk are compared; a device or a pipe could block or read as empty.
    if (GetFileType(file.get()) != FILE_TYPE_DISK) return nullptr;
    return std::make_unique<Win32OpenFile>(std::move(file));
}

std::unique_ptr<FolderListing> Win32FileServices::ListFolder(const std::string& folder,
                                                             FolderEntry& first, ListError& error) {
    // Every entry of the folder: its path, a `\` unless it ends in one (a root), and "*.*".
    std::string pattern = folder;
    if (pattern.empty() || pattern.back() != '\\') pattern += '\\';
    pattern += "*.*";
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileW(LiteralPath(pattern).c_str(), &data));
    if (!find) {
        const DWORD why = GetLastError();
        error = why == ERROR_FILE_NOT_FOUND || why == ERROR_NO_MORE_FILES ? ListError::kEmpty
                                                                          : ListError::kFailed;
        return nullptr;
    }
    error = ListError::kNone;
    ToEntry(data, first);
    return std::make_unique<Win32Listing>(std::move(find));
}

bool Win32FileServices::IdentifyFolder(const std::string& folder, FolderId& id) {
    const FileHandle handle(CreateFileW(
        LiteralPath(folder).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle) return false;
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(handle.get(), &info)) return false;
    id.volume = info.dwVolumeSerialNumber;
    id.index = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return true;
}

}  // namespace sorowa
