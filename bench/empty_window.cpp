// The floor for start-up and memory: a Qt Widgets program that opens one
// empty window of the input window's size and does nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Vitayear"));
  window.setFixedSize(795, 702);
  window.show();
  return QApplication::exec();
}
