// The engine's file services on the Win32 file functions.
#pragma once

#include "engine/file_services.h"

namespace sorowa {

class Win32FileServices : public FileServices {
public:
    uint32_t Attributes(const std::string& path) override;
    std::unique_ptr<OpenFile> OpenForReading(const std::string& path) override;
    std::unique_ptr<FolderListing> ListFirst(const std::string& pattern, FolderEntry& first,
                                             ListError& error) override;
    bool IdentifyFolder(const std::string& folder, FolderId& id) override;
    std::string ShownName(const std::string& name) override;
};

}  // namespace sorowa
