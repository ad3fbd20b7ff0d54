#include <QApplication>

#include "ui/ConfigApp.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    CConfigApp theApp;
    theApp.InitInstance();
    return 0;
}
