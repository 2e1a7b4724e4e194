// Zemlo2024: the program.

#include "overview/uStartup.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    return RunProgram(application);
}
