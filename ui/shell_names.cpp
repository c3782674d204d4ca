#include "ui/shell_names.h"

namespace sorowa {

std::wstring DroppedName(HDROP drop, UINT index) {
    // The length first, so that no name is cut.
    const UINT length = DragQueryFileW(drop, index, nullptr, 0);
    if (length == 0) return std::wstring();
    std::wstring name(length + 1, L'\0');
    name.resize(DragQueryFileW(drop, index, name.data(), length + 1));
    return name;
}

bool PathOfItem(PCIDLIST_ABSOLUTE item, std::wstring& path) {
    // The long-path form of the query; the buffer is as long as the longest path the system
    // has room for.
    std::wstring wide(32768, L'\0');
    if (!SHGetPathFromIDListEx(item, wide.data(), static_cast<DWORD>(wide.size()),
                               GPFIDL_DEFAULT)) {
        return false;
    }
    path = wide.c_str();
    return true;
}

}  // namespace sorowa
