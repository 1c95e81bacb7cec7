#include "report_accessible.h"

#include <QTextLayout>

namespace vitayear::ui {
namespace {

// The label's text laid out as the label draws it: word-wrapped within its
// contents, from the top left. Line feeds stay one character each.
class LaidOut {
 public:
  explicit LaidOut(const QLabel& label) : layout_(ForLayout(label.text()), label.font()) {
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(label.wordWrap() ? QTextOption::WordWrap : QTextOption::NoWrap);
    layout_.setTextOption(option);
    const QRect contents = label.contentsRect();
    origin_ = label.mapToGlobal(contents.topLeft());
    layout_.beginLayout();
    qreal y = 0;
    for (QTextLine line = layout_.createLine(); line.isValid(); line = layout_.createLine()) {
      line.setLineWidth(contents.width());
      line.setPosition(QPointF(0, y));
      y += line.height();
    }
    layout_.endLayout();
  }

  QRect characterRect(int offset) const {
    const QTextLine line = layout_.lineForTextPosition(offset);
    if (!line.isValid()) return {};
    const qreal left = line.cursorToX(offset);
    const qreal right = offset + 1 < line.textStart() + line.textLength() ? line.cursorToX(offset + 1) : left + 1;
    return QRectF(left, line.y(), std::max<qreal>(right - left, 1), line.height()).toAlignedRect().translated(origin_);
  }

  int offsetAt(QPoint global) const {
    const QPointF at = global - origin_;
    for (int i = 0; i < layout_.lineCount(); ++i) {
      const QTextLine line = layout_.lineAt(i);
      if (at.y() >= line.y() && at.y() < line.y() + line.height()) return line.xToCursor(at.x());
    }
    return -1;
  }

 private:
  // QTextLayout breaks lines at the line separator, not at a line feed.
  static QString ForLayout(QString text) { return text.replace(u'\n', QChar::LineSeparator); }

  QTextLayout layout_;
  QPoint origin_;
};

}  // namespace

QString NoAttributes(int characterCount, int* startOffset, int* endOffset) {
  *startOffset = 0;
  *endOffset = characterCount;
  return {};
}

ReportAccessible::ReportAccessible(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

QLabel* ReportAccessible::label() const { return static_cast<QLabel*>(widget()); }

QString ReportAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Name && label()->accessibleName().isEmpty()) return label()->text();
  return QAccessibleWidget::text(t);
}

void* ReportAccessible::interface_cast(QAccessible::InterfaceType t) {
  if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
  return QAccessibleWidget::interface_cast(t);
}

void ReportAccessible::selection(int, int* startOffset, int* endOffset) const { *startOffset = *endOffset = 0; }

QString ReportAccessible::text(int startOffset, int endOffset) const {
  if (startOffset > endOffset) return {};
  return label()->text().mid(startOffset, endOffset - startOffset);
}

int ReportAccessible::characterCount() const { return static_cast<int>(label()->text().size()); }

QRect ReportAccessible::characterRect(int offset) const { return LaidOut(*label()).characterRect(offset); }

int ReportAccessible::offsetAtPoint(const QPoint& point) const { return LaidOut(*label()).offsetAt(point); }

QString ReportAccessible::attributes(int, int* startOffset, int* endOffset) const {
  return NoAttributes(characterCount(), startOffset, endOffset);
}

}  // namespace vitayear::ui
