// Writes the example and template projects into the program folder given as argument.
#include "app/Samples.h"

#include <QtCore/QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication qapp(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: corvane_samples <program folder>\n");
        return 2;
    }
    CString folder(argv[1]);
    if (!folder.IsEmpty() && folder[folder.GetLength() - 1] != '/')
        folder += '/';
    return WriteSampleProjects(folder) ? 0 : 1;
}
