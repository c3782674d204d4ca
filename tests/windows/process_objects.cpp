#include "tests/windows/process_objects.h"

#include <windows.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <cstdio>

namespace sorowa::testing {
namespace {

// An entry of the GDI handle table, laid out alike in 32-bit and 64-bit processes; its type
// is 0 while the entry is free.
struct GdiHandleEntry {
    uint64_t object;
    uint32_t owner;
    uint16_t unique;
    uint8_t type;
    uint8_t flags;
    uint64_t user;
};
static_assert(sizeof(GdiHandleEntry) == 24);
constexpr size_t kGdiHandleEntries = 0x10000;

// Where the environment block keeps the table's address (GdiSharedHandleTable), in a 64-bit
// block and a 32-bit one; where a 32-bit thread block keeps the distance to its 64-bit twin
// (WowTebOffset), and where a 64-bit thread block keeps its environment block.
constexpr size_t kPeb64Table = 0xF8;
constexpr size_t kPeb32Table = 0x94;
constexpr size_t kTeb32WowTebOffset = 0xFDC;
constexpr size_t kTeb64Peb = 0x60;

// The GDI handle table of this process, as Wine keeps it: GetGuiResources is a stub there
// that says 0, but every GDI object has an entry in the table that the process environment
// block points to, with a type while the object lives. A 32-bit process of a 64-bit Wine
// has a 64-bit environment block beside its own, and Wine writes the table's address into
// that one only; the 32-bit thread block leads to it through its 64-bit twin. Null when no
// table is found.
const GdiHandleEntry* GdiHandleTable() {
    PROCESS_BASIC_INFORMATION process = {};
    if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &process,
                                  sizeof process, nullptr) != 0) {
        return nullptr;
    }
    const auto* peb = reinterpret_cast<const char*>(process.PebBaseAddress);
#ifdef _WIN64
    return *reinterpret_cast<const GdiHandleEntry* const*>(peb + kPeb64Table);
#else
    const auto* own = *reinterpret_cast<const GdiHandleEntry* const*>(peb + kPeb32Table);
    if (own != nullptr) return own;
    struct {
        NTSTATUS exitStatus;
        void* teb;
        CLIENT_ID client;
        ULONG_PTR affinity;
        LONG priority;
        LONG basePriority;
    } thread = {};
    if (NtQueryInformationThread(GetCurrentThread(), ThreadBasicInformation, &thread, sizeof thread,
                                 nullptr) != 0) {
        return nullptr;
    }
    const auto* teb = static_cast<const char*>(thread.teb);
    const int32_t toTeb64 = *reinterpret_cast<const int32_t*>(teb + kTeb32WowTebOffset);
    if (toTeb64 == 0) return nullptr;
    const uint64_t peb64 = *reinterpret_cast<const uint64_t*>(teb + toTeb64 + kTeb64Peb);
    if (peb64 == 0 || peb64 > UINT32_MAX) return nullptr;
    const uint64_t table =
        *reinterpret_cast<const uint64_t*>(static_cast<uintptr_t>(peb64) + kPeb64Table);
    if (table > UINT32_MAX) return nullptr;
    return reinterpret_cast<const GdiHandleEntry*>(static_cast<uintptr_t>(table));
#endif
}

// The name of the type of the object that `handle` refers to; empty when it is not told.
std::string TypeName(HANDLE handle) {
    union {
        PUBLIC_OBJECT_TYPE_INFORMATION info;
        unsigned char bytes[1024];
    } type = {};
    if (NtQueryObject(handle, ObjectTypeInformation, &type, sizeof type, nullptr) != 0) {
        return std::string();
    }
    const UNICODE_STRING& name = type.info.TypeName;
    std::string narrow;
    for (USHORT i = 0; name.Buffer != nullptr && i < name.Length / sizeof(wchar_t); ++i) {
        narrow += name.Buffer[i] < 0x80 ? static_cast<char>(name.Buffer[i]) : '?';
    }
    return narrow;
}

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<size_t*>(count);
    return TRUE;
}

BOOL CALLBACK CountOwnWindowAndChildren(HWND window, LPARAM count) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) return TRUE;
    ++*reinterpret_cast<size_t*>(count);
    EnumChildWindows(window, CountWindow, count);
    return TRUE;
}

}  // namespace

bool CanCountGdiObjects() { return GdiHandleTable() != nullptr; }

std::string HandlesChanged(const ProcessObjects& before, const ProcessObjects& after) {
    std::string changed;
    const auto add = [&](const char* what, const std::map<uintptr_t, std::string>& from,
                         const std::map<uintptr_t, std::string>& in) {
        for (const auto& [value, type] : from) {
            const auto other = in.find(value);
            if (other != in.end() && other->second == type) continue;
            char handle[32];
            std::snprintf(handle, sizeof handle, "%#x", static_cast<unsigned>(value));
            changed += std::string(changed.empty() ? "" : "; ") + what + " " + handle + " " +
                       (type.empty() ? "(type not told)" : type);
        }
    };
    add("new", after.handles, before.handles);
    add("gone", before.handles, after.handles);
    return changed;
}

size_t ThreadCount() {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    size_t threads = 0;
    THREADENTRY32 thread = {};
    thread.dwSize = sizeof thread;
    for (BOOL more = Thread32First(snapshot, &thread); more;
         more = Thread32Next(snapshot, &thread)) {
        threads += thread.th32OwnerProcessID == GetCurrentProcessId();
    }
    CloseHandle(snapshot);
    return threads;
}

ProcessObjects CountProcessObjects() {
    ProcessObjects objects;
    // Found one by one: Wine's GetProcessHandleCount says 0.
    for (uintptr_t value = 4; value < 0x10000; value += 4) {
        const HANDLE handle = reinterpret_cast<HANDLE>(value);
        DWORD flags;
        if (GetHandleInformation(handle, &flags)) objects.handles[value] = TypeName(handle);
    }
    const GdiHandleEntry* table = GdiHandleTable();
    for (size_t i = 0; table != nullptr && i < kGdiHandleEntries; ++i) {
        objects.gdiObjects += table[i].type != 0;
    }
    EnumWindows(CountOwnWindowAndChildren, reinterpret_cast<LPARAM>(&objects.windows));
    objects.threads = ThreadCount();
    return objects;
}

}  // namespace sorowa::testing
