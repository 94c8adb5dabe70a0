// The baseline for the command-line modes: a bare QCoreApplication that prints one line.
#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::puts("{}");
    return 0;
}
