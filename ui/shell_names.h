// Names as the shell hands them over, from a drop or from the folder browser: whole,
// however long they are.
#pragma once

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>

namespace sorowa {

// The name of dropped item `index`; empty when there is none.
std::wstring DroppedName(HDROP drop, UINT index);

// The file-system path of an item the folder browser returned; false when the item has
// none (a printer, the control panel, ...).
bool PathOfItem(PCIDLIST_ABSOLUTE item, std::wstring& path);

}  // namespace sorowa
