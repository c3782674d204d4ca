// The entry of the Windows test programs. GoogleTest takes its flags out of the process's
// own argument list, so that a window reading the command line sees only what a test puts
// there.
#include <gtest/gtest.h>
#include <stdlib.h>

int main() {
    ::testing::InitGoogleTest(&__argc, __argv);
    return RUN_ALL_TESTS();
}
