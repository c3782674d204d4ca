#include "ui/shell_names.h"

namespace sorowa {

std::string DroppedName(HDROP drop, UINT index) {
    // The length first, so that no name is cut.
    const UINT length = DragQueryFileA(drop, index, nullptr, 0);
    if (length == 0) return std::string();
    std::string name(length + 1, '\0');
    name.resize(DragQueryFileA(drop, index, name.data(), length + 1));
    return name;
}

bool PathOfItem(PCIDLIST_ABSOLUTE item, std::string& path) {
    // The long-path form of the query exists only as a wide call; the buffer is as long as
    // the longest path the system has room for.
    std::wstring wide(32768, L'\0');
    if (!SHGetPathFromIDListEx(item, wide.data(), static_cast<DWORD>(wide.size()),
                               GPFIDL_DEFAULT)) {
        return false;
    }
    // The code page conversion that the narrow query makes.
    const int n = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return false;
    path.assign(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, path.data(), n, nullptr, nullptr);
    path.resize(static_cast<size_t>(n) - 1);
    return true;
}

}  // namespace sorowa
