#include "tests/windows/held_file_services.h"

#include "platform/win32_file_services.h"

namespace sorowa::testing {

CallHold::CallHold(unsigned freeCalls)
    : m_freeCalls(freeCalls),
      m_held(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      m_released(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      m_servicesGone(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

CallHold::~CallHold() {
    CloseHandle(m_held);
    CloseHandle(m_released);
    CloseHandle(m_servicesGone);
}

bool CallHold::WaitUntilHeld(DWORD timeoutMs) const {
    return WaitForSingleObject(m_held, timeoutMs) == WAIT_OBJECT_0;
}

bool CallHold::WaitUntilServicesGone(DWORD timeoutMs) const {
    return WaitForSingleObject(m_servicesGone, timeoutMs) == WAIT_OBJECT_0;
}

void CallHold::Call() {
    if (++m_calls <= m_freeCalls) return;
    SetEvent(m_held);
    WaitForSingleObject(m_released, INFINITE);
}

namespace {

class HeldFile : public OpenFile {
public:
    HeldFile(std::unique_ptr<OpenFile> file, std::shared_ptr<CallHold> hold)
        : m_file(std::move(file)), m_hold(std::move(hold)) {}

    bool Length(uint64_t& length) override { return m_file->Length(length); }
    bool Read(void* buffer, uint32_t wanted, uint32_t& got) override {
        m_hold->Call();
        return m_file->Read(buffer, wanted, got);
    }

private:
    const std::unique_ptr<OpenFile> m_file;
    const std::shared_ptr<CallHold> m_hold;
};

}  // namespace

HeldFileServices::HeldFileServices(std::shared_ptr<CallHold> hold)
    : m_hold(std::move(hold)), m_system(std::make_unique<Win32FileServices>()) {}

HeldFileServices::~HeldFileServices() { m_hold->ServicesGone(); }

EntryKind HeldFileServices::KindOf(const std::string& path) { return m_system->KindOf(path); }

std::unique_ptr<OpenFile> HeldFileServices::OpenForReading(const std::string& path) {
    m_hold->Call();
    std::unique_ptr<OpenFile> file = m_system->OpenForReading(path);
    if (file == nullptr) return nullptr;
    return std::make_unique<HeldFile>(std::move(file), m_hold);
}

std::unique_ptr<FolderListing> HeldFileServices::ListFolder(const std::string& folder,
                                                            FolderEntry& first, ListError& error) {
    return m_system->ListFolder(folder, first, error);
}

bool HeldFileServices::IdentifyFolder(const std::string& folder, FolderId& id) {
    return m_system->IdentifyFolder(folder, id);
}

}  // namespace sorowa::testing
