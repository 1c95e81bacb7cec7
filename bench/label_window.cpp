// A second, informative floor: the empty window with one line of bold text,
// so that it starts the font system as every program that shows text must.
#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QLabel window(QStringLiteral("Name:"));
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(24);
  font.setBold(true);
  window.setFont(font);
  window.setWindowTitle(QStringLiteral("Vitayear"));
  window.setFixedSize(795, 702);
  window.show();
  return QApplication::exec();
}
