// The least a single-threaded Win32 program does to compare two folder trees: the floor that
// scripts/bench measures the program's folder mode against.
//
// Usage: tree_floor [--two-threads] FOLDER1 FOLDER2
//   Lists FOLDER1 recursively. For each file in it: opens the file and the one at the same
//   relative path under FOLDER2, both with no sharing, reads both with 1 MiB reads (up to the
//   end of the shorter one), compares them and closes both. A pair that cannot be opened is
//   passed over. Nothing is reported; it prints one line
//     seconds=ELAPSED pairs=COMPARED unopened=N differing=N
//   timed from the first listing to the last close, and exits 0. A first folder that cannot be
//   listed is told on stderr, with exit status 2.
//   --two-threads: lists the whole tree first, then compares every other pair on a second
//   thread, the two halves wholly independent of each other: the most that two threads can
//   gain on the same work under the same system, whatever else they would have to do to keep
//   a report in order.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr DWORD kReadSize = 1 << 20;

struct Counts {
    unsigned long long pairs = 0;
    unsigned long long unopened = 0;
    unsigned long long differing = 0;
};

double Seconds() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER count;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

HANDLE OpenWithNoSharing(const std::string& path) {
    return CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

// True when both files read alike to their ends. A short read is the end of a disk file, so a
// pair whose reads end at different lengths differs and is read no further.
bool ReadAlike(HANDLE a, HANDLE b, std::vector<char>& bufferA, std::vector<char>& bufferB) {
    bool same = true;
    for (;;) {
        DWORD gotA = 0;
        DWORD gotB = 0;
        if (!ReadFile(a, bufferA.data(), kReadSize, &gotA, nullptr) ||
            !ReadFile(b, bufferB.data(), kReadSize, &gotB, nullptr) || gotA != gotB) {
            return false;
        }
        if (std::memcmp(bufferA.data(), bufferB.data(), gotA) != 0) same = false;
        if (gotA < kReadSize) return same;
    }
}

// Opens, reads, compares and closes one pair, and counts it.
void ComparePair(const std::string& pathA, const std::string& pathB, std::vector<char>& bufferA,
                 std::vector<char>& bufferB, Counts& counts) {
    const HANDLE a = OpenWithNoSharing(pathA);
    const HANDLE b = a != INVALID_HANDLE_VALUE ? OpenWithNoSharing(pathB) : INVALID_HANDLE_VALUE;
    if (b == INVALID_HANDLE_VALUE) {
        ++counts.unopened;
    } else {
        ++counts.pairs;
        if (!ReadAlike(a, b, bufferA, bufferB)) ++counts.differing;
        CloseHandle(b);
    }
    if (a != INVALID_HANDLE_VALUE) CloseHandle(a);
}

// Lists every file under `first` and hands its relative path to `visit`; folders wait on a
// stack of their own, as relative paths that end in `\` (the first folder is "").
template <typename Visit>
bool ListTree(const std::string& first, Visit visit) {
    std::vector<std::string> folders{""};
    bool listedFirst = false;
    while (!folders.empty()) {
        const std::string folder = folders.back();
        folders.pop_back();
        WIN32_FIND_DATAA entry;
        const HANDLE find = FindFirstFileA((first + folder + "*").c_str(), &entry);
        if (find == INVALID_HANDLE_VALUE) continue;
        listedFirst = true;
        do {
            const std::string name = folder + entry.cFileName;
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                if (std::strcmp(entry.cFileName, ".") != 0 &&
                    std::strcmp(entry.cFileName, "..") != 0) {
                    folders.push_back(name + "\\");
                }
                continue;
            }
            visit(name);
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    return listedFirst;
}

bool CompareTrees(const std::string& first, const std::string& second, Counts& counts) {
    std::vector<char> bufferA(kReadSize);
    std::vector<char> bufferB(kReadSize);
    return ListTree(first, [&](const std::string& name) {
        ComparePair(first + name, second + name, bufferA, bufferB, counts);
    });
}

// The odd pairs of a listing, compared on a thread of their own.
struct OddPairs {
    const std::string* first;
    const std::string* second;
    const std::vector<std::string>* names;
    Counts counts;
};

DWORD WINAPI CompareOddPairs(void* parameter) {
    auto& job = *static_cast<OddPairs*>(parameter);
    std::vector<char> bufferA(kReadSize);
    std::vector<char> bufferB(kReadSize);
    for (size_t i = 1; i < job.names->size(); i += 2) {
        const std::string& name = (*job.names)[i];
        ComparePair(*job.first + name, *job.second + name, bufferA, bufferB, job.counts);
    }
    return 0;
}

bool CompareTreesOnTwoThreads(const std::string& first, const std::string& second, Counts& counts) {
    std::vector<std::string> names;
    if (!ListTree(first, [&](const std::string& name) { names.push_back(name); })) return false;
    OddPairs odd{&first, &second, &names, {}};
    const HANDLE thread = CreateThread(nullptr, 0, CompareOddPairs, &odd, 0, nullptr);
    if (thread == nullptr) return false;
    std::vector<char> bufferA(kReadSize);
    std::vector<char> bufferB(kReadSize);
    for (size_t i = 0; i < names.size(); i += 2) {
        ComparePair(first + names[i], second + names[i], bufferA, bufferB, counts);
    }
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    counts.pairs += odd.counts.pairs;
    counts.unopened += odd.counts.unopened;
    counts.differing += odd.counts.differing;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const bool twoThreads = argc == 4 && std::strcmp(argv[1], "--two-threads") == 0;
    if (argc != 3 && !twoThreads) {
        std::fprintf(stderr, "usage: tree_floor [--two-threads] FOLDER1 FOLDER2\n");
        return 2;
    }
    const std::string first = std::string(argv[argc - 2]) + "\\";
    const std::string second = std::string(argv[argc - 1]) + "\\";
    Counts counts;
    const double start = Seconds();
    const bool listed = twoThreads ? CompareTreesOnTwoThreads(first, second, counts)
                                   : CompareTrees(first, second, counts);
    const double elapsed = Seconds() - start;
    if (!listed) {
        std::fprintf(stderr, "tree_floor: cannot list %s\n", argv[argc - 2]);
        return 2;
    }
    std::printf("seconds=%.6f pairs=%llu unopened=%llu differing=%llu\n", elapsed, counts.pairs,
                counts.unopened, counts.differing);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
