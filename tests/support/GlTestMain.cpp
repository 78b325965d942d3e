// The main() of the test programs that open GL contexts: Google Test's own,
// with Mesa's driver kept loaded to the end so that leak reports can name it.
#include "support/GlDriver.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    keepGlDriverLoaded();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
