// What this process holds of the system's objects (kernel handles, GDI objects, windows),
// counted the ways Wine lets them be counted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

namespace sorowa::testing {

struct ProcessObjects {
    // The kernel handles, by value, each with the name of its object's type.
    std::map<uintptr_t, std::string> handles;
    size_t gdiObjects = 0;
    // Top-level and child windows.
    size_t windows = 0;
    size_t threads = 0;
};

// Whether the GDI objects can be counted here: false when the process's GDI handle table
// cannot be found, and then the count says 0.
bool CanCountGdiObjects();

ProcessObjects CountProcessObjects();

// The handles `after` holds that `before` did not, and those it no longer holds, with the
// type of each: "new 0x9c Event; gone 0x88 Thread".
std::string HandlesChanged(const ProcessObjects& before, const ProcessObjects& after);

// The threads of this process that have not ended.
size_t ThreadCount();

}  // namespace sorowa::testing
