// The engine's cases run against in-memory file services: they have nothing to wait for and
// no platform to miss. A case that skips has checked nothing of what it names, so here it
// fails, and the test command never counts it as skipped.
#include <gtest/gtest.h>

namespace {

class SkipFails : public ::testing::EmptyTestEventListener {
    // Called before the result is printed, so that it prints as failed.
    void OnTestEnd(const ::testing::TestInfo& info) override {
        if (info.result()->Skipped()) ADD_FAILURE() << "an engine case never skips";
    }
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new SkipFails);
    return RUN_ALL_TESTS();
}
