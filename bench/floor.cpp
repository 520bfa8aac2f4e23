// The smallest Qt Widgets program that opens one window: the floor for start-up figures.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(785, 573);
    window.show();
    return app.exec();
}
