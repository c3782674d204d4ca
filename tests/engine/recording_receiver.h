// A receiver that records every piece and checks the run's conduct, and the Start command's part
// of a run.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/compare_receiver.h"
#include "engine/compare_run.h"
#include "engine/report_hand_over.h"
#include "engine/report_names.h"
#include "tests/engine/fake_file_services.h"
#include "tests/engine/fake_report_names.h"

namespace sorowa::testing {

class RecordingReceiver : public CompareReceiver {
public:
    RecordingReceiver(std::string path1, std::string path2)
        : m_path1(std::move(path1)), m_path2(std::move(path2)) {}

    std::string GetPathText1() override { return m_path1; }
    std::string GetPathText2() override { return m_path2; }
    bool SendPieces(const char* pieces, size_t length) override {
        if (m_doneCount != 0) Fault("a piece after the end notice");
        if (length > ReportHandOver::kHandOverSize) Fault("a hand-over larger than the most");
        ForEachPiece(pieces, length, [&](const char* piece, size_t n) {
            m_pieces.emplace_back(piece, n);
            if (m_onPiece) m_onPiece(m_pieces.back());
        });
        m_handOvers.push_back(m_pieces.size());
        return m_joinFrom != 0 && m_pieces.size() >= m_joinFrom;
    }
    void NoteReport(ReportKind kind) override {
        if (m_doneCount != 0) Fault("a notice after the end notice");
        m_notes.push_back(kind);
    }
    void NoteProgress(const RunProgress& progress) override {
        if (m_doneCount != 0) Fault("progress after the end notice");
        const RunCounts& before = m_progress.counts;
        const RunCounts& now = progress.counts;
        if (now.bytes < before.bytes || now.pairs < before.pairs) Fault("progress went back");
        if (now.pairs != now.equal + now.differing + now.missing + now.cannotCompare) {
            Fault("pairs that are not the sum of their outcomes");
        }
        if (progress.pairDone > progress.pairLength) Fault("more of a pair than its length");
        m_progress = progress;
        ++m_progressNotes;
    }
    void NotifyDone(RunEnd end) override {
        ++m_doneCount;
        m_end = end;
    }

    // What Start does before the worker runs, then the worker itself.
    void Run(FileServices& files, ReportNames& names) {
        m_state.emplace(DecideRunStart(m_path1, files), m_options);
        RunWorker(files, names);
    }
    // The same on the fake file services, whose names the fake code page shows.
    void Run(FakeFileServices& files) {
        FakeReportNames names;
        Run(files, names);
    }
    // The worker alone, on the state made beforehand. The run must end with its notice, once,
    // saying what the entry returned.
    void RunWorker(FileServices& files, ReportNames& names) {
        const RunEnd end = RunComparison(*this, files, names, *m_state);
        if (m_doneCount != 1) Fault("the run did not end with exactly one end notice");
        if (!m_end || end != *m_end) Fault("the run returned another end than its notice said");
    }
    void RunWorker(FakeFileServices& files) {
        FakeReportNames names;
        RunWorker(files, names);
    }

    // A check of the run's conduct failed: a test fails, and goes on.
    virtual void Fault(const char* what) { ADD_FAILURE() << what; }

    std::string Report() const {
        std::string all;
        for (const std::string& piece : m_pieces) all += piece;
        return all;
    }

    std::string m_path1, m_path2;
    std::vector<std::string> m_pieces;
    // The number of pieces received at the end of each hand-over.
    std::vector<size_t> m_handOvers;
    // What the run said its lines say, in order.
    std::vector<ReportKind> m_notes;
    int m_doneCount = 0;
    // How the end notice said the run ended; none until it came.
    std::optional<RunEnd> m_end;
    // The last progress told, and how often progress was told.
    RunProgress m_progress;
    size_t m_progressNotes = 0;
    // The options Run gives the run.
    RunOptions m_options;
    // The run's state, made by Run.
    std::optional<RunState> m_state;
    // From the hand-over that brings this piece (counting from 1) on, the receiver lets the
    // run join pieces; 0: never.
    size_t m_joinFrom = 0;
    std::function<void(const std::string&)> m_onPiece;
};

}  // namespace sorowa::testing
