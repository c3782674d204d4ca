// The engine's file services on the Win32 file functions.
#pragma once

#include "engine/file_services.h"

namespace sorowa {

class Win32FileServices : public FileServices {
public:
    EntryKind KindOf(const std::string& path) override;
    std::unique_ptr<OpenFile> OpenForReading(const std::string& path) override;
    std::unique_ptr<FolderListing> ListFolder(const std::string& folder, FolderEntry& first,
                                              ListError& error) override;
    bool IdentifyFolder(const std::string& folder, FolderId& id) override;
};

}  // namespace sorowa
