#include "ui/taskbar_progress.h"

#include <algorithm>

namespace sorowa {
namespace {

class SystemButton : public TaskbarButton {
public:
    SystemButton() {
        // The taskbar list is an apartment object of the window's thread.
        m_com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        void* list = nullptr;
        if (SUCCEEDED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_ITaskbarList3, &list))) {
            m_list = static_cast<ITaskbarList3*>(list);
            if (FAILED(m_list->HrInit())) {
                m_list->Release();
                m_list = nullptr;
            }
        }
    }
    ~SystemButton() override {
        if (m_list != nullptr) m_list->Release();
        if (m_com) CoUninitialize();
    }
    SystemButton(const SystemButton&) = delete;
    SystemButton& operator=(const SystemButton&) = delete;

    void SetProgressState(HWND window, TBPFLAG state) override {
        if (m_list != nullptr) m_list->SetProgressState(window, state);
    }
    void SetProgressValue(HWND window, ULONGLONG done, ULONGLONG total) override {
        if (m_list != nullptr) m_list->SetProgressValue(window, done, total);
    }

private:
    bool m_com = false;
    ITaskbarList3* m_list = nullptr;
};

}  // namespace

std::unique_ptr<TaskbarButton> SystemTaskbarButton() { return std::make_unique<SystemButton>(); }

void RunTaskbar::Show(HWND window, bool folderMode, uint64_t done, uint64_t total) {
    if (folderMode) {
        SetState(window, TBPF_INDETERMINATE);
        return;
    }
    if (total == 0) return;
    // The two counts are read apart while the pair moves on.
    done = std::min(done, total);
    SetState(window, TBPF_NORMAL);
    if (done == m_done && total == m_total) return;
    m_done = done;
    m_total = total;
    m_button->SetProgressValue(window, done, total);
}

void RunTaskbar::Clear(HWND window) {
    SetState(window, TBPF_NOPROGRESS);
    m_done = m_total = 0;
}

void RunTaskbar::SetState(HWND window, TBPFLAG state) {
    if (state == m_state) return;
    m_state = state;
    m_button->SetProgressState(window, state);
}

}  // namespace sorowa
