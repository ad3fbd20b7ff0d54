#include <QApplication>

#include "ui/qt/ConfigApp.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    CConfigApp theApp;
    theApp.InitInstance();
    return 0;
}
