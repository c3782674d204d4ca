// The comparison of one file pair and the lines of its report block.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/file_services.h"
#include "engine/report_block.h"
#include "engine/report_hand_over.h"
#include "engine/report_names.h"
#include "engine/run_state.h"
#include "engine/run_tally.h"

namespace sorowa {

// Bytes read from each file at a time.
constexpr uint32_t kBlockSize = 1u << 20;

class PairComparer {
public:
    // `baseLen` is the run's base length (RunStart): the header names a file by what follows
    // it in the first-side path. With `ranges`, each run of differing bytes is one line.
    PairComparer(FileServices& files, ReportNames& names, ReportHandOver& report, StopCheck& stop,
                 RunTally& tally, int32_t baseLen, bool ranges);
    PairComparer(const PairComparer&) = delete;
    PairComparer& operator=(const PairComparer&) = delete;

    // Compares the first-side file `first` with its counterpart: `second` itself, or the file
    // at the same relative path under `second` when that names a folder. The pair's block,
    // if any, is handed over before this returns.
    void Compare(const std::string& first, const std::string& second);
    // The name of the first-side file `first` in the report.
    std::string NameOf(const std::string& first) const;
    // Whether the second path names a folder, asked once per run.
    bool SecondIsFolder(const std::string& second);

private:
    // The pair's lines; false when a stop ended the pair before its end.
    bool CompareFiles(BlockWriter& block, const std::string& first, const std::string& counterpart);
    bool CompareBlocks(BlockWriter& block, OpenFile& fileA, OpenFile& fileB, uint64_t length);

    FileServices& m_files;
    ReportNames& m_names;
    ReportHandOver& m_report;
    StopCheck& m_stop;
    RunTally& m_tally;
    const int32_t m_baseLen;
    const bool m_ranges;
    // Whether the second path names a folder, once a pair has asked: every pair of a run has
    // the same second path.
    std::optional<bool> m_secondIsFolder;
    std::vector<unsigned char> m_blockA;
    std::vector<unsigned char> m_blockB;
};

}  // namespace sorowa
