// The system's file services, except that a chosen call does not come back until the test
// lets it go: a worker held inside one call, as a hung device or network would hold it.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>

#include "engine/file_services.h"

namespace sorowa::testing {

// Shared between a test and the file services it gave a run, which may outlive the window
// (and the test's use of them) by far. The calls counted are the opens and the reads, so
// that a pair of files makes its two opens, then reads block by block, each file in turn.
class CallHold {
public:
    // Calls go through until `freeCalls` have been made; each call after waits.
    explicit CallHold(unsigned freeCalls);
    ~CallHold();
    CallHold(const CallHold&) = delete;
    CallHold& operator=(const CallHold&) = delete;

    // Waits until a call is held; false on time-out.
    bool WaitUntilHeld(DWORD timeoutMs = 30000) const;
    // Lets every held call, and every later one, go.
    void Release() const { SetEvent(m_released); }
    // Waits until the file services are gone, the last thing their run does.
    bool WaitUntilServicesGone(DWORD timeoutMs = 30000) const;

    // Counts a call and holds it if it is past the free ones.
    void Call();
    void ServicesGone() const { SetEvent(m_servicesGone); }

private:
    const unsigned m_freeCalls;
    std::atomic<unsigned> m_calls{0};
    const HANDLE m_held;
    const HANDLE m_released;
    const HANDLE m_servicesGone;
};

class HeldFileServices : public FileServices {
public:
    explicit HeldFileServices(std::shared_ptr<CallHold> hold);
    ~HeldFileServices() override;

    EntryKind KindOf(const std::string& path) override;
    std::unique_ptr<OpenFile> OpenForReading(const std::string& path) override;
    std::unique_ptr<FolderListing> ListFolder(const std::string& folder, FolderEntry& first,
                                              ListError& error) override;
    bool IdentifyFolder(const std::string& folder, FolderId& id) override;

private:
    const std::shared_ptr<CallHold> m_hold;
    const std::unique_ptr<FileServices> m_system;
};

}  // namespace sorowa::testing
