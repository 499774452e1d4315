#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::fputs("sorvane-batch: not yet available\n", stderr);
    return 2;
}
