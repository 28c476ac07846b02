// qivcheck PACKAGE_DIR TESTJVM_OFFER: prints one line per problem of the package and exits 1 when
// there is any. Built for the packager's own machine; tools/qivpack runs it.
#include "control/packagecheck.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: qivcheck PACKAGE_DIR TESTJVM_OFFER\n");
        return 2;
    }
    std::vector<std::string> problems = packageProblems(argv[1], argv[2]);
    for (const std::string& problem : problems) std::printf("%s\n", problem.c_str());
    return problems.empty() ? 0 : 1;
}
