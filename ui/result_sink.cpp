// The result sink: every piece of a run's report arrives here, on the window's thread, while
// the worker waits. The box shows the report up to the display budget; the first piece
// beyond it moves the whole report to a result file.
#include <cstring>

#include "engine/texts.h"
#include "res/resource.h"
#include "ui/compare_dlg.h"
#include "ui/result_file_name.h"

namespace {

bool PathExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

LRESULT CCompareDlg::OnCompareOutput(WPARAM wParam, LPARAM) {
    const char* piece = reinterpret_cast<const char*>(wParam);
    const size_t length = std::strlen(piece);
    if (m_fileResult.IsOpen()) {
        m_fileResult.Write(piece, length);
    } else if (m_bOverflowed) {
        // No result file could be made: the box keeps the notice that says so.
    } else if (static_cast<unsigned long long>(m_nShown) + length <= kDisplayBudget) {
        // Inserting into a visible box costs far more than the piece itself, mostly in
        // painting: the pieces go in together, at most every kFlushMs.
        m_strPending.append(piece, length);
        m_nShown += static_cast<int>(length);
        if (GetTickCount() - m_dwLastFlush >= kFlushMs) {
            FlushResultBox();
        } else if (!m_bFlushTimer) {
            // Catches the last pieces when they pause.
            m_bFlushTimer = SetTimer(m_hWnd, kFlushTimer, kFlushMs, nullptr) != 0;
        }
    } else {
        Overflow(piece, length);
    }
    // Once the report goes to a file, piece boundaries no longer matter to anyone: the
    // worker may hand over larger blocks.
    return m_bOverflowed ? 1 : 0;
}

void CCompareDlg::AppendToResultBox(const char* text) {
    const HWND box = GetDlgItem(m_hWnd, IDC_RESULT);
    const int end = GetWindowTextLengthA(box);
    // The caret moves while the text goes in; a user typing in the box gets it back.
    const bool hadFocus = GetFocus() == box;
    if (hadFocus) SetFocus(GetDlgItem(m_hWnd, IDOK));
    SendMessageA(box, EM_SETSEL, static_cast<WPARAM>(end), end);
    SendMessageA(box, EM_SCROLLCARET, 0, 0);
    SendMessageA(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
    if (hadFocus) SetFocus(box);
}

void CCompareDlg::FlushResultBox() {
    if (m_bFlushTimer) KillTimer(m_hWnd, kFlushTimer);
    m_bFlushTimer = false;
    if (!m_strPending.empty()) {
        AppendToResultBox(m_strPending.c_str());
        m_strPending.clear();
    }
    // Counted from the end of the insertion, so that painting takes at most a third of the time.
    m_dwLastFlush = GetTickCount();
}

// Called when the flush timer runs out: the pieces have paused.
void CCompareDlg::OnTimer(UINT_PTR timerId) {
    if (timerId == kFlushTimer) FlushResultBox();
}

void CCompareDlg::Overflow(const char* piece, size_t length) {
    FlushResultBox();
    m_bOverflowed = true;
    const HWND box = GetDlgItem(m_hWnd, IDC_RESULT);

    // Beside the first path as it reads now; failing that, in the temporary folder.
    std::string name =
        sorowa::FreeResultName(sorowa::ResultFolderOf(WindowText(m_editPath1.m_hWnd)), PathExists);
    if (!m_fileResult.Open(name.c_str(), CStdioFile::modeCreate)) {
        char temp[MAX_PATH];
        const DWORD n = GetTempPathA(MAX_PATH, temp);
        if (n > 0 && n < MAX_PATH) {
            name = sorowa::FreeResultName(temp, PathExists);
            m_fileResult.Open(name.c_str(), CStdioFile::modeCreate);
        }
    }
    if (!m_fileResult.IsOpen()) {
        SetWindowTextA(box, sorowa::text::kCannotCreateResult);
        return;
    }

    // What the box holds, the user's typing included, then the piece.
    const std::string shown = WindowText(box);
    m_fileResult.Write(shown.data(), shown.size());
    m_fileResult.Write(piece, length);
    const std::string notice =
        std::string(sorowa::text::kOverflowNotice1) + name + sorowa::text::kOverflowNotice2;
    SetWindowTextA(box, notice.c_str());
}
