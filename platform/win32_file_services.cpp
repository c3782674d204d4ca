#include "platform/win32_file_services.h"

#include <windows.h>

namespace sorowa {
namespace {

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

class Win32Listing : public FolderListing {
public:
    explicit Win32Listing(HANDLE find) : m_find(find) {}
    ~Win32Listing() override { FindClose(m_find); }
    Win32Listing(const Win32Listing&) = delete;
    Win32Listing& operator=(const Win32Listing&) = delete;

    bool Next(FolderEntry& entry) override {
        WIN32_FIND_DATAA data;
        if (!FindNextFileA(m_find, &data)) return false;
        entry.attributes = data.dwFileAttributes;
        entry.name = data.cFileName;
        return true;
    }

private:
    HANDLE m_find;
};

}  // namespace

uint32_t Win32FileServices::Attributes(const std::string& path) {
    return GetFileAttributesA(path.c_str());
}

std::unique_ptr<OpenFile> Win32FileServices::OpenForReading(const std::string& path) {
    // Share mode 0: no other open of the file succeeds while the pair is compared.
    const HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32OpenFile>(handle);
}

std::unique_ptr<FolderListing> Win32FileServices::ListFirst(const std::string& pattern,
                                                            FolderEntry& first) {
    WIN32_FIND_DATAA data;
    const HANDLE find = FindFirstFileA(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return nullptr;
    first.attributes = data.dwFileAttributes;
    first.name = data.cFileName;
    return std::make_unique<Win32Listing>(find);
}

}  // namespace sorowa
