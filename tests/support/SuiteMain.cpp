// main() of every suite: the environment the suite runs in is set here (unless the caller
// set it already), so that a suite runs the same under ctest, under an emulator and by hand.
// PARVOLIN_SUITE_ENVIRONMENT holds "NAME=value" lines, given by the build.

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>

int main(int argc, char** argv)
{
    std::istringstream lines(PARVOLIN_SUITE_ENVIRONMENT);
    for (std::string line; std::getline(lines, line);) {
        size_t equals = line.find('=');
        if (equals != std::string::npos)
            setenv(line.substr(0, equals).c_str(), line.substr(equals + 1).c_str(), 0);
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
