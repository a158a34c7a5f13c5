// txtScript: a plain multi-line editor whose text and offsets are those of
// the script: line breaks are CR LF and count as two characters.
#pragma once

#include <QPlainTextEdit>
#include <cstdint>

namespace pw {

class ScriptEdit final : public QPlainTextEdit {
 public:
  explicit ScriptEdit(QWidget* parent = nullptr);

  QString text() const;
  void setText(const QString& text);
  // The whole text replaced as one change, which one undo takes back.
  void replaceText(const QString& text);
  int selStart() const;
  int selLength() const;
  // Selects length characters from start; the caret ends at start + length.
  void setSelection(int start, int length);
  // 0-based line of the caret (of the selection's start when text is
  // selected) and the offset where a line starts.
  int caretLine() const;
  int lineStartOffset(int line) const;

  // The text colour as a 32-bit colour value (0x800000nn: a system colour).
  uint32_t foreColor() const { return foreColor_; }
  void setForeColor(uint32_t color);

  // The font's character set as the settings keep it; Qt fonts carry none.
  int charset() const { return charset_; }
  void setCharset(int charset) { charset_ = charset; }

  // Tab stops every n character advances of the current font, kept
  // when the font changes.
  void setTabChars(int n);
  int tabChars() const { return tabChars_; }

  // Offsets of the text against positions in the document.
  int toOffset(int docPos) const;
  int toDocPos(int offset) const;

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  void applyTabStops();

  uint32_t foreColor_ = 0x80000008u;
  int charset_ = 0;
  int tabChars_ = 0;  // 0: Qt's own tab stops
};

// A 32-bit colour value as the widgets show it.
QColor colorFromValue(uint32_t value);

}  // namespace pw
