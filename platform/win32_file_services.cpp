#include "platform/win32_file_services.h"

#include <windows.h>

#include "platform/literal_path.h"
#include "platform/narrow_text.h"

namespace sorowa {
namespace {

// Every path goes to the system in its literal form, through the wide functions: names are
// taken as they were listed, and paths may be longer than MAX_PATH.

class Win32OpenFile : public OpenFile {
public:
    explicit Win32OpenFile(HANDLE handle) : m_handle(handle) {}
    ~Win32OpenFile() override { CloseHandle(m_handle); }
    Win32OpenFile(const Win32OpenFile&) = delete;
    Win32OpenFile& operator=(const Win32OpenFile&) = delete;

    bool Length(uint64_t& length) override {
        LARGE_INTEGER size;
        if (!GetFileSizeEx(m_handle, &size)) return false;
        length = static_cast<uint64_t>(size.QuadPart);
        return true;
    }

    bool Read(void* buffer, uint32_t wanted, uint32_t& got) override {
        DWORD read = 0;
        const BOOL ok = ReadFile(m_handle, buffer, wanted, &read, nullptr);
        got = read;
        return ok != FALSE;
    }

private:
    HANDLE m_handle;
};

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
    explicit Win32Listing(HANDLE find) : m_find(find) {}
    ~Win32Listing() override { FindClose(m_find); }
    Win32Listing(const Win32Listing&) = delete;
    Win32Listing& operator=(const Win32Listing&) = delete;

    ListStep Next(FolderEntry& entry) override {
        WIN32_FIND_DATAW data;
        if (!FindNextFileW(m_find, &data)) {
            return GetLastError() == ERROR_NO_MORE_FILES ? ListStep::kEnd : ListStep::kFailed;
        }
        ToEntry(data, entry);
        return ListStep::kEntry;
    }

private:
    HANDLE m_find;
};

}  // namespace

EntryKind Win32FileServices::KindOf(const std::string& path) {
    return KindOfAttributes(GetFileAttributesW(LiteralPath(path).c_str()));
}

std::unique_ptr<OpenFile> Win32FileServices::OpenForReading(const std::string& path) {
    // Share mode 0: no other open of the file succeeds while the pair is compared.
    const HANDLE handle = CreateFileW(LiteralPath(path).c_str(), GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    // Only files on a disk are compared; a device or a pipe could block or read as empty.
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        return nullptr;
    }
    return std::make_unique<Win32OpenFile>(handle);
}

std::unique_ptr<FolderListing> Win32FileServices::ListFolder(const std::string& folder,
                                                             FolderEntry& first, ListError& error) {
    // Every entry of the folder: its path, a `\` unless it ends in one (a root), and "*.*".
    std::string pattern = folder;
    if (pattern.empty() || pattern.back() != '\\') pattern += '\\';
    pattern += "*.*";
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileW(LiteralPath(pattern).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        const DWORD why = GetLastError();
        error = why == ERROR_FILE_NOT_FOUND || why == ERROR_NO_MORE_FILES ? ListError::kEmpty
                                                                          : ListError::kFailed;
        return nullptr;
    }
    error = ListError::kNone;
    ToEntry(data, first);
    return std::make_unique<Win32Listing>(find);
}

bool Win32FileServices::IdentifyFolder(const std::string& folder, FolderId& id) {
    const HANDLE handle = CreateFileW(LiteralPath(folder).c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info;
    const bool known = GetFileInformationByHandle(handle, &info) != FALSE;
    CloseHandle(handle);
    if (!known) return false;
    id.volume = info.dwVolumeSerialNumber;
    id.index = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return true;
}

}  // namespace sorowa
