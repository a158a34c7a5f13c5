#include "find_dialogs.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <cmath>

#include "pallweave_version.h"

namespace pw {

namespace {

const QString kSearchedAll = QStringLiteral("Searched entire script");

QFont face(const QString& family, double points, QFont::StyleHint hint) {
  QFont f(family);
  f.setPointSizeF(points);
  f.setStyleHint(hint);  // a stand-in of the same kind where the face is missing
  return f;
}

// The dialogs are laid out in twips (1/1440 inch) like the main window.
struct Twips {
  double dpiX, dpiY;
  explicit Twips(const QWidget* w) : dpiX(w->logicalDpiX()), dpiY(w->logicalDpiY()) {}
  int x(double tw) const { return int(std::lround(tw * dpiX / 1440.0)); }
  int y(double tw) const { return int(std::lround(tw * dpiY / 1440.0)); }
  void place(QWidget* w, double left, double top, double width, double height) const {
    w->setGeometry(x(left), y(top), x(width), y(height));
  }
};

void setUpDialog(QDialog* d, const QString& caption) {
  d->setWindowTitle(caption);
  // A fixed frame without minimise and maximise buttons; owned, so it stays
  // above the main window and has no task-bar entry of its own.
  d->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  const Twips t(d);
  d->setFixedSize(t.x(5295), t.y(1065));
}

QLineEdit* textBox(QWidget* parent, const char* name) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(QLatin1String(name));
  e->setFont(face(QStringLiteral("Courier New"), 9.75, QFont::TypeWriter));
  return e;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(QLatin1String(name));
  b->setFont(face(QStringLiteral("Tahoma"), 9, QFont::SansSerif));
  return b;
}

QLabel* label(QWidget* parent, const char* name, const QString& caption) {
  auto* l = new QLabel(caption, parent);
  l->setObjectName(QLatin1String(name));
  l->setFont(face(QStringLiteral("Tahoma"), 9.75, QFont::SansSerif));
  return l;
}

// A stand-in face can be wider than Tahoma: the label may grow up to the
// text boxes' left edge, and its font shrinks a little where even that is
// too narrow, rather than clip the caption.
void fitLabel(QLabel* l, const Twips& t) {
  const int room = t.x(1440) - l->x() - 2;
  auto want = [l] { return l->fontMetrics().horizontalAdvance(l->text()) + 2; };
  QFont f = l->font();
  while (want() > room && f.pointSizeF() > 7) {
    f.setPointSizeF(f.pointSizeF() - 0.25);
    l->setFont(f);
  }
  if (want() > l->width()) l->resize(std::min(want(), room), l->height());
}

}  // namespace

QString replaceCaseless(const QString& text, const QString& what, const QString& with) {
  QString out = text;
  if (!what.isEmpty()) out.replace(what, with, Qt::CaseInsensitive);
  return out;
}

// --- Find ---

Find::Find(QWidget* owner, FindTarget& target) : QDialog(owner), target_(target) {
  setObjectName(QStringLiteral("Find"));
  setUpDialog(this, QStringLiteral("Find"));
  const Twips t(this);
  txtFind = textBox(this, "txtFind");
  t.place(txtFind, 1440, 127, 2355, 360);
  cmdFindNext = button(this, "cmdFindNext", QStringLiteral("Find Next"));
  t.place(cmdFindNext, 3960, 120, 1215, 375);
  cmdFindNext->setDefault(true);
  cmdFindNext->setEnabled(false);
  cmdCancel = button(this, "cmdCancel", QStringLiteral("Cancel"));
  t.place(cmdCancel, 3960, 600, 1215, 375);
  Label1 = label(this, "Label1", QStringLiteral("Find What"));
  t.place(Label1, 150, 180, 945, 255);
  fitLabel(Label1, t);
  setTabOrder(txtFind, cmdFindNext);
  setTabOrder(cmdFindNext, cmdCancel);

  tell = [this](const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, this);
    box.exec();
  };
  connect(txtFind, &QLineEdit::textChanged, this, [this] { Reset(); });
  connect(cmdFindNext, &QPushButton::clicked, this, [this] { FindNext(); });
  connect(cmdCancel, &QPushButton::clicked, this, &QWidget::hide);
}

void Find::Reset() {
  cmdFindNext->setEnabled(!txtFind->text().isEmpty());
  SearchOrigin = SearchPos = target_.selStart();
  Wrapped = false;
}

void Find::FindNext() {
  const QString title = QStringLiteral(PALLWEAVE_PRODUCT_NAME " Find");
  for (;;) {
    // Both are read afresh on each pass: the message box lets the user edit.
    const QString text = target_.text();
    const QString what = txtFind->text();
    const int hit = what.isEmpty() ? -1 : int(text.indexOf(what, SearchPos, Qt::CaseInsensitive));
    if (hit < 0) {
      if (!Wrapped) {
        SearchPos = 0;
        Wrapped = true;
        continue;
      }
      tell(kSearchedAll, title);
      SearchOrigin = -1;
      Wrapped = false;
      return;
    }
    target_.showFound(hit, int(what.length()));
    SearchPos = hit + 1;
    if (Wrapped && hit >= SearchOrigin) {
      tell(kSearchedAll, title);
      SearchOrigin = hit;
      Wrapped = false;
    }
    moveToOwnerCorner();
    return;
  }
}

void Find::moveToOwnerCorner() {
  const QWidget* main = target_.mainWindow();
  if (!main) return;
  const QRect m = main->frameGeometry(), d = frameGeometry();
  move(m.x() + m.width() - d.width(), m.y() + m.height() - d.height());
}

void Find::closeEvent(QCloseEvent* e) {
  // The frame's close box only hides: the texts stay for the next opening.
  // The main window unloads the dialog by deleting it.
  e->ignore();
  hide();
}

// --- Replace All ---

ReplaceAll::ReplaceAll(QWidget* owner, FindTarget& target) : QDialog(owner), target_(target) {
  setObjectName(QStringLiteral("ReplaceAll"));
  setUpDialog(this, QStringLiteral("Replace All"));
  const Twips t(this);
  txtFind = textBox(this, "txtFind");
  t.place(txtFind, 1440, 127, 2355, 360);
  txtReplace = textBox(this, "txtReplace");
  t.place(txtReplace, 1440, 540, 2355, 360);
  cmdReplaceAll = button(this, "cmdReplaceAll", QStringLiteral("Replace All"));
  t.place(cmdReplaceAll, 3960, 120, 1215, 375);
  cmdReplaceAll->setDefault(true);
  cmdReplaceAll->setEnabled(false);
  cmdCancel = button(this, "cmdCancel", QStringLiteral("Cancel"));
  t.place(cmdCancel, 3960, 600, 1215, 375);
  Label1 = label(this, "Label1", QStringLiteral("Find What"));
  t.place(Label1, 150, 180, 945, 255);
  Label2 = label(this, "Label2", QStringLiteral("Replace With"));
  t.place(Label2, 150, 600, 1215, 255);
  fitLabel(Label1, t);
  fitLabel(Label2, t);
  setTabOrder(txtFind, txtReplace);
  setTabOrder(txtReplace, cmdReplaceAll);
  setTabOrder(cmdReplaceAll, cmdCancel);

  connect(txtFind, &QLineEdit::textChanged, this, [this] { Reset(); });
  connect(txtReplace, &QLineEdit::textChanged, this, [this] { Reset(); });
  connect(cmdReplaceAll, &QPushButton::clicked, this, [this] { ReplaceEvery(); });
  connect(cmdCancel, &QPushButton::clicked, this, &QWidget::hide);
}

void ReplaceAll::Reset() {
  // Replacing with nothing is not offered.
  cmdReplaceAll->setEnabled(!txtFind->text().isEmpty() && !txtReplace->text().isEmpty());
}

void ReplaceAll::ReplaceEvery() {
  if (target_.isLocked()) {
    // A run's console is not the script.
    QApplication::beep();
  } else {
    const QString text = target_.text();
    const QString result = replaceCaseless(text, txtFind->text(), txtReplace->text());
    if (result != text) target_.replaceWholeText(result);  // no match leaves the document unmodified
  }
  txtFind->setFocus();
  txtFind->selectAll();
}

void ReplaceAll::closeEvent(QCloseEvent* e) {
  e->ignore();
  hide();
}

}  // namespace pw
