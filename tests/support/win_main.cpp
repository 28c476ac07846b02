// Main of the Windows test executables: no message box may open unseen, since a box that nobody
// answers would hang the run.
#include "msgbox.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    installMessageBoxGuard();
    return RUN_ALL_TESTS();
}
