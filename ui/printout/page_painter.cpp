#include "page_painter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStringList>
#include <QTextLayout>

#include "engine_text.h"
#include "fonts.h"
#include "print_layout.h"
#include "twips.h"

namespace vitayear::ui {
namespace {

constexpr qreal kBorder = 2;   // the sunken edge of a text box, dots
constexpr qreal kPadding = 1;  // between the edge and the text

// Paper is white: the page keeps the standard light colours whatever scheme
// the desktop uses, so a dark theme never prints a dark sheet.
struct PageColours {
  QColor paper{Qt::white};
  QColor text{Qt::black};
  QColor outerShadow{0xa0, 0xa0, 0xa0};  // the sunken edge, top and left
  QColor innerShadow{0x69, 0x69, 0x69};
  QColor outerLight{Qt::white};  // bottom and right
  QColor innerLight{0xe3, 0xe3, 0xe3};
};

QRectF FieldRect(const PrintFieldSpec& spec, QPointF origin) {
  return QRectF(PixelRect(spec.left, spec.top, spec.width, spec.height)).translated(origin);
}

// The classic two-line sunken edge of a text box.
void PaintSunkenEdge(QPainter& painter, const QRectF& r, const PageColours& colours) {
  const auto line = [&painter](const QColor& colour, QPointF a, QPointF b) {
    painter.setPen(QPen(colour, 1, Qt::SolidLine, Qt::SquareCap));
    painter.drawLine(a, b);
  };
  const qreal l = r.left() + 0.5, t = r.top() + 0.5, rr = r.right() - 0.5, b = r.bottom() - 0.5;
  line(colours.outerShadow, {l, b}, {l, t});
  line(colours.outerShadow, {l, t}, {rr, t});
  line(colours.outerLight, {rr, t}, {rr, b});
  line(colours.outerLight, {rr, b}, {l, b});
  line(colours.innerShadow, {l + 1, b - 1}, {l + 1, t + 1});
  line(colours.innerShadow, {l + 1, t + 1}, {rr - 1, t + 1});
  line(colours.innerLight, {rr - 1, t + 1}, {rr - 1, b - 1});
  line(colours.innerLight, {rr - 1, b - 1}, {l + 1, b - 1});
}

// A single-line box shows the start of its text; no box holds more than a
// few hundred characters, and shaping a pasted megabyte would stall printing.
QString VisibleStart(const QString& text) {
  constexpr qsizetype kMost = 1024;
  if (text.size() <= kMost) return text;
  qsizetype cut = kMost;
  if (text[cut - 1].isHighSurrogate()) --cut;
  return text.left(cut);
}

// The largest size of the painter's font, down to half of it, at which the
// text fits the width on the painter's device; half where none does.
void ShrinkToFit(QPainter& painter, const QString& text, qreal width) {
  QFont font = painter.font();
  const int normal = font.pixelSize();
  const int smallest = (normal + 1) / 2;
  for (int size = normal; size >= smallest; --size) {
    font.setPixelSize(size);
    if (size == smallest || QFontMetricsF(font, painter.device()).horizontalAdvance(text) <= width) break;
  }
  painter.setFont(font);
}

void PaintTextBox(QPainter& painter, const QRectF& r, const QString& text, bool shrinks, const PageColours& colours) {
  PaintSunkenEdge(painter, r, colours);
  const QRectF inside = r.adjusted(kBorder + kPadding, kBorder, -kBorder - kPadding, -kBorder);
  painter.save();
  if (shrinks) ShrinkToFit(painter, VisibleStart(text), inside.width());
  painter.setClipRect(inside);
  painter.setPen(colours.text);
  painter.drawText(inside, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, VisibleStart(text));
  painter.restore();
}

// Wraps at word boundaries, breaks at every line break, and draws only the
// lines that fit wholly: what falls below the field is not printed at all.
void PaintLabel(QPainter& painter, const QRectF& r, const QString& text, const PageColours& colours) {
  painter.setPen(colours.text);
  QTextOption option(Qt::AlignLeft);
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  qreal y = 0;
  for (const QString& paragraph : WithLineFeeds(text).split(QChar(u'\n'))) {
    QTextLayout layout(paragraph, painter.font(), painter.device());
    layout.setTextOption(option);
    layout.beginLayout();
    int fitting = 0;
    bool full = false;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(r.width());
      line.setPosition({0, y});
      if (y + line.height() > r.height()) {
        full = true;
        break;
      }
      y += line.height();
      ++fitting;
    }
    layout.endLayout();
    for (int i = 0; i < fitting; ++i) layout.lineAt(i).draw(&painter, r.topLeft());
    if (full) return;
  }
}

}  // namespace

PrintoutTexts InitialPrintoutTexts() {
  PrintoutTexts texts;
  for (const auto& spec : kPrintLayout) texts[spec.field] = QString::fromLatin1(spec.initial);
  return texts;
}

void PaintPrintout(QPainter& painter, const PrintoutTexts& texts, QPointF origin) {
  const PageColours colours;
  painter.save();
  painter.fillRect(QRectF(origin, QSizeF(Pixels(kPrintWindowWidth), Pixels(kPrintWindowHeight))), colours.paper);
  for (const auto& spec : kPrintLayout) {
    painter.setFont(ControlFont(kPrintFace, spec.points));
    const QString& text = texts[spec.field];
    if (spec.textBox)
      PaintTextBox(painter, FieldRect(spec, origin), text, spec.shrinks, colours);
    else
      PaintLabel(painter, FieldRect(spec, origin), text, colours);
  }
  painter.restore();
}

}  // namespace vitayear::ui
