#include "script_edit.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QTextBlock>
#include <algorithm>

namespace pw {

QColor colorFromValue(uint32_t value) {
  if (value & 0x80000000u) {
    const QPalette p = QApplication::palette();
    switch (value & 0xFFu) {
      case 5: return p.color(QPalette::Active, QPalette::Base);         // window background
      case 8: return p.color(QPalette::Active, QPalette::Text);         // window text
      case 15: return p.color(QPalette::Active, QPalette::Button);      // button face
      case 16: return p.color(QPalette::Active, QPalette::Dark);        // button shadow
      case 17: return p.color(QPalette::Disabled, QPalette::Text);      // grey text
      default: return p.color(QPalette::Active, QPalette::WindowText);
    }
  }
  return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);  // 0x00BBGGRR
}

ScriptEdit::ScriptEdit(QWidget* parent) : QPlainTextEdit(parent) {
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

namespace {
// The document ends its blocks in U+2029, so one in the script itself is
// held as this noncharacter, which no script file carries, and given back.
constexpr char16_t kHeldParagraphSeparator = 0xFDDF;  // U+FDD0 and U+FDD1 are the document's frame marks

QString withEditorBreaks(const QString& text) {
  QString t = text;
  t.replace(QChar::ParagraphSeparator, QChar(kHeldParagraphSeparator));
  t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return t;
}
}  // namespace

QString ScriptEdit::text() const {
  // Raw text keeps non-breaking spaces; blocks end in U+2029.
  QString t = document()->toRawText();
  t.replace(QChar::ParagraphSeparator, QLatin1String("\r\n"));
  t.replace(QChar(kHeldParagraphSeparator), QChar::ParagraphSeparator);
  return t;
}

void ScriptEdit::setText(const QString& text) { setPlainText(withEditorBreaks(text)); }

void ScriptEdit::replaceText(const QString& text) {
  // Through a cursor rather than setPlainText, which would empty the undo stack.
  QTextCursor c(document());
  c.beginEditBlock();
  c.select(QTextCursor::Document);
  c.insertText(withEditorBreaks(text));
  c.endEditBlock();
}

int ScriptEdit::toOffset(int docPos) const {
  const QTextBlock b = document()->findBlock(docPos);
  return docPos + std::max(b.blockNumber(), 0);
}

int ScriptEdit::toDocPos(int offset) const {
  // The last block whose start offset (position + one extra per earlier break)
  // is at or before offset.
  int lo = 0, hi = document()->blockCount() - 1;
  while (lo < hi) {
    int mid = (lo + hi + 1) / 2;
    if (document()->findBlockByNumber(mid).position() + mid <= offset)
      lo = mid;
    else
      hi = mid - 1;
  }
  const QTextBlock b = document()->findBlockByNumber(lo);
  const int within = std::clamp(offset - (b.position() + lo), 0, b.length() - 1);
  return b.position() + within;
}

int ScriptEdit::selStart() const { return toOffset(textCursor().selectionStart()); }

int ScriptEdit::selLength() const {
  const QTextCursor c = textCursor();
  return toOffset(c.selectionEnd()) - toOffset(c.selectionStart());
}

void ScriptEdit::setSelection(int start, int length) {
  QTextCursor c(document());
  c.setPosition(toDocPos(start));
  c.setPosition(toDocPos(start + std::max(length, 0)), QTextCursor::KeepAnchor);
  setTextCursor(c);
}

int ScriptEdit::caretLine() const {
  return document()->findBlock(textCursor().selectionStart()).blockNumber();
}

int ScriptEdit::lineStartOffset(int line) const {
  const QTextBlock b = document()->findBlockByNumber(line);
  return b.isValid() ? b.position() + line : 0;
}

void ScriptEdit::setForeColor(uint32_t color) {
  foreColor_ = color;
  QPalette p = palette();
  const QColor c = colorFromValue(color);
  p.setColor(QPalette::Active, QPalette::Text, c);
  p.setColor(QPalette::Inactive, QPalette::Text, c);
  setPalette(p);
}

void ScriptEdit::setTabChars(int n) {
  tabChars_ = n;
  applyTabStops();
}

void ScriptEdit::applyTabStops() {
  if (tabChars_ <= 0) return;
  // The advance the layout gives a character, not the font's average width:
  // a stop even a fraction of a pixel beyond n characters makes a tab there
  // next to nothing wide.
  setTabStopDistance(tabChars_ * QFontMetricsF(font()).horizontalAdvance(QLatin1Char(' ')));
  viewport()->update();
}

void ScriptEdit::changeEvent(QEvent* e) {
  QPlainTextEdit::changeEvent(e);
  if (e->type() == QEvent::FontChange) applyTabStops();
}

void ScriptEdit::keyPressEvent(QKeyEvent* e) {
  // Shift+Enter would insert a line separator inside the block; the script's
  // only line break is CR LF.
  if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && (e->modifiers() & Qt::ShiftModifier)) {
    QKeyEvent plain(e->type(), e->key(), e->modifiers() & ~Qt::ShiftModifier, e->text());
    QPlainTextEdit::keyPressEvent(&plain);
    e->setAccepted(plain.isAccepted());
    return;
  }
  QPlainTextEdit::keyPressEvent(e);
}

}  // namespace pw
