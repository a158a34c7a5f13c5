// Find and ReplaceAll: the two small modeless dialogs of the Edit menu. Both
// compare without regard to case; they are hidden, not destroyed, when the
// user closes them, so their texts are there when they open again.
#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace pw {

// What the dialogs need of the editor. Offsets are those of the script text,
// in which a line break (CR LF) counts as two characters.
class FindTarget {
 public:
  virtual ~FindTarget() = default;
  virtual QString text() const = 0;
  virtual int selStart() const = 0;
  // Selects the found text and brings the main window and the selection into view.
  virtual void showFound(int start, int length) = 0;
  // Puts text in place of the whole text as one editor change, which one undo
  // takes back.
  virtual void replaceWholeText(const QString& text) = 0;
  // True while the text is not the script's (a run and its output).
  virtual bool isLocked() const = 0;
  virtual QWidget* mainWindow() const = 0;
};

class Find final : public QDialog {
 public:
  Find(QWidget* owner, FindTarget& target);

  QLineEdit* txtFind = nullptr;
  QPushButton* cmdFindNext = nullptr;
  QPushButton* cmdCancel = nullptr;
  QLabel* Label1 = nullptr;

  // Offsets into the whole text; not limited to 16 bits.
  int SearchOrigin = 0;  // reaching it again after a restart at the top completes a cycle
  int SearchPos = 0;     // where the next search starts
  bool Wrapped = false;  // passed the end and restarted at the top since the last report

  // Starts a new search at the editor's caret.
  void Reset();
  // The Find Next button.
  void FindNext();

  // Shows a message to the user; a plain box unless replaced.
  std::function<void(const QString& text, const QString& title)> tell;

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  void moveToOwnerCorner();
  FindTarget& target_;
};

class ReplaceAll final : public QDialog {
 public:
  ReplaceAll(QWidget* owner, FindTarget& target);

  QLineEdit* txtFind = nullptr;
  QLineEdit* txtReplace = nullptr;
  QPushButton* cmdReplaceAll = nullptr;
  QPushButton* cmdCancel = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;

  void Reset();
  // The Replace All button.
  void ReplaceEvery();

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  FindTarget& target_;
};

// Every occurrence of what, found without regard to case from the first
// character on, replaced by with; replaced text is not searched again.
QString replaceCaseless(const QString& text, const QString& what, const QString& with);

}  // namespace pw
