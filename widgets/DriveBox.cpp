// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/DriveBox.h"

#include "fs/PathRules.h"
#include "shell/MRUList.h"
#include "widgets/ZelFolderCombo.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include <sys/stat.h>

TDriveBox::TDriveBox(TMRUFileList& Recent, QWidget* Parent) : QWidget(Parent), FRecent(Recent)
{
  ShellCombo = new TZelFolderCombo(this);
  ShellCombo->setObjectName("ShellCombo");
  DriveEdit = new QLineEdit(ShellCombo);
  DriveEdit->setObjectName("DriveEdit");
  DriveEdit->setFrame(false);
  DriveEdit->installEventFilter(this);
  setMinimumWidth(175);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  setFixedHeight(ShellCombo->sizeHint().height());
  ShellCombo->OnDropDown = [this] { ShellComboDropDown(); };
  connect(ShellCombo, &QComboBox::currentIndexChanged, this, [this] { ShellComboChange(); });
  // Only what is typed completes; a path put in the box by a choice does not.
  connect(DriveEdit, &QLineEdit::textEdited, this, [this] { DriveEditChange(); });
  ShellCombo->SetIncludeDrives(true);
}

void TDriveBox::resizeEvent(QResizeEvent*)
{
  // The edit box covers the box's text, leaving its icon and its arrow.
  ShellCombo->setGeometry(rect());
  const int Arrow = ShellCombo->height();
  DriveEdit->setGeometry(24, 3, std::max(20, width() - 24 - Arrow), height() - 6);
}

std::string TDriveBox::Path() const
{
  // An entry's path as its bytes: its text may not say them exactly.
  const int Current = ShellCombo->currentIndex();
  if (Current >= 0 && TPathRules::Shown(ShellCombo->ItemPath(Current)) == DriveEdit->text())
    return ShellCombo->ItemPath(Current);
  return DriveEdit->text().toLocal8Bit().toStdString();
}

void TDriveBox::Scanned(const std::string& Path)
{
  ShellCombo->AddFolder(Path, 0);
  ShellCombo->setCurrentIndex(ShellCombo->Find(Path));
}

void TDriveBox::SelectStart()
{
  int Start = ShellCombo->Find("/");
  if (Start < 0)
    Start = std::min(1, ShellCombo->count() - 1);
  ShellCombo->setCurrentIndex(Start);
  ShellComboChange();
}

void TDriveBox::ShellComboDropDown()
{
  const int Selected = ShellCombo->currentIndex();
  ShellCombo->SetIncludeDrives(true);
  // Recent folders that are gone leave the recent list.
  const std::vector<std::string> Recent = FRecent.Items();
  for (const std::string& Path : Recent) {
    struct stat Data;
    if (stat(Path.c_str(), &Data) == 0 && S_ISDIR(Data.st_mode))
      ShellCombo->AddFolder(Path, 0);
    else
      FRecent.RemoveItem(Path);
  }
  ShellCombo->setCurrentIndex(Selected);
}

void TDriveBox::ShellComboChange()
{
  const int Current = ShellCombo->currentIndex();
  if (Current >= 0)
    DriveEdit->setText(TPathRules::Shown(ShellCombo->ItemPath(Current)));
}

void TDriveBox::DriveEditChange()
{
  const QString Typed = DriveEdit->text();
  if (!AutoCompleteArmed || !DriveEdit->hasFocus() || DriveEdit->cursorPosition() != Typed.size()
      || DriveEdit->hasSelectedText() || Typed.isEmpty())
    return;
  // The first entry, in the box's order, that begins with what was typed;
  // letters compared exactly, as Linux names are.
  for (int Position = 0; Position < ShellCombo->count(); ++Position) {
    const QString Path = TPathRules::Shown(ShellCombo->ItemPath(Position));
    if (Path.size() > Typed.size() && Path.startsWith(Typed)) {
      const int Start = int(Typed.size());
      AutoCompleteArmed = false;  // the change below is not typed
      DriveEdit->setText(Path);
      DriveEdit->setSelection(Start, int(Path.size()) - Start);
      return;
    }
  }
}

void TDriveBox::DropCompletion()
{
  // Every path is the start of longer ones: a completion offered after a
  // folder that exists would scan a folder nobody typed. It is taken with
  // End or Right, or here when what was typed is no folder.
  const QString Text = DriveEdit->text();
  const int Start = DriveEdit->selectionStart();
  if (Start <= 0 || Start + DriveEdit->selectedText().size() != Text.size())
    return;
  const std::string Typed = Text.left(Start).toLocal8Bit().toStdString();
  struct stat Data;
  if (stat(TPathRules::Absolute(Typed).c_str(), &Data) == 0 && S_ISDIR(Data.st_mode))
    DriveEdit->setText(Text.left(Start));
}

void TDriveBox::DriveEditEnter()
{
  ShellComboDropDown();
  // After the click that gave the focus has placed the caret.
  QTimer::singleShot(0, DriveEdit, &QLineEdit::selectAll);
}

bool TDriveBox::eventFilter(QObject* Watched, QEvent* Event)
{
  if (Watched != DriveEdit)
    return QWidget::eventFilter(Watched, Event);
  switch (Event->type()) {
    case QEvent::KeyPress: {
      auto* Key = static_cast<QKeyEvent*>(Event);
      if (Key->key() == Qt::Key_Return || Key->key() == Qt::Key_Enter) {
        AutoCompleteArmed = false;
        DropCompletion();
        if (OnScan)
          OnScan();
        return true;
      }
      const QString Text = Key->text();
      AutoCompleteArmed = Text.size() == 1 && Text[0].unicode() >= 33 && Text[0].unicode() <= 122;
      break;
    }
    case QEvent::FocusIn: DriveEditEnter(); break;
    default: break;
  }
  return QWidget::eventFilter(Watched, Event);
}
