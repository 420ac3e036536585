#include <cstdio>
#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::printf("KxLab smoke\n");
    return 0;
}
