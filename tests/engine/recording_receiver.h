// A receiver that records every piece, and the Start command's part of a run.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/compare_receiver.h"
#include "engine/compare_run.h"

namespace sorowa::testing {

class RecordingReceiver : public CompareReceiver {
public:
    RecordingReceiver(std::string path1, std::string path2)
        : m_path1(std::move(path1)), m_path2(std::move(path2)) {}

    std::string GetPathText1() override { return m_path1; }
    std::string GetPathText2() override { return m_path2; }
    bool SendPiece(const char* piece) override {
        EXPECT_EQ(m_doneCount, 0) << "a piece after the end notice";
        m_pieces.emplace_back(piece);
        if (m_onPiece) m_onPiece(m_pieces.back());
        return m_gatherFrom != 0 && m_pieces.size() >= m_gatherFrom;
    }
    void NotifyDone() override { ++m_doneCount; }

    // What Start does before the worker runs, then the worker itself.
    void Run(FileServices& files) {
        const RunStart start = DeriveRunStart(m_path1, files.Attributes(m_path1));
        m_bStop = 0;
        m_bFirstBlock = 1;
        m_nBaseLen = start.baseLen;
        if (start.folderMode) {
            CompareFolderThread(*this, files);
        } else {
            CompareFileThread(*this, files);
        }
    }

    std::string Report() const {
        std::string all;
        for (const std::string& piece : m_pieces) all += piece;
        return all;
    }

    std::string m_path1, m_path2;
    std::vector<std::string> m_pieces;
    int m_doneCount = 0;
    // From this piece on (counting from 1), the receiver lets the run gather; 0: never.
    size_t m_gatherFrom = 0;
    std::function<void(const std::string&)> m_onPiece;
};

}  // namespace sorowa::testing
