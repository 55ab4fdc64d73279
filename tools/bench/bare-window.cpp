// The yardstick for start-up time: a bare Qt Widgets main window with an MDI
// area, one menu and a status bar, and nothing else.

#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QMdiArea(&window));
    window.menuBar()->addMenu(QStringLiteral("File"))->addAction(QStringLiteral("Exit"), &window, &QWidget::close);
    window.statusBar()->showMessage(QStringLiteral("State"));
    window.resize(853, 682);
    window.show();
    return app.exec();
}
