// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Prompt.h"

#include <QInputDialog>
#include <QMessageBox>

static TPrompt::TAnswerer& Answerer()
{
  static TPrompt::TAnswerer Installed;
  return Installed;
}

void TPrompt::SetAnswerer(TAnswerer Function)
{
  Answerer() = std::move(Function);
}

bool TPrompt::Confirm(QWidget* Parent, const QString& Title, const QString& Text)
{
  QString Unused;
  if (Answerer())
    return Answerer()(pkConfirm, Title, Text, Unused);
  return QMessageBox::question(Parent, Title, Text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
    == QMessageBox::Yes;
}

void TPrompt::Warn(QWidget* Parent, const QString& Title, const QString& Text)
{
  QString Unused;
  if (Answerer()) {
    Answerer()(pkWarning, Title, Text, Unused);
    return;
  }
  QMessageBox::warning(Parent, Title, Text);
}

void TPrompt::Inform(QWidget* Parent, const QString& Title, const QString& Text)
{
  QString Unused;
  if (Answerer()) {
    Answerer()(pkInform, Title, Text, Unused);
    return;
  }
  QMessageBox::information(Parent, Title, Text);
}

bool TPrompt::Input(QWidget* Parent, const QString& Title, const QString& Text, QString& Value)
{
  if (Answerer())
    return Answerer()(pkInput, Title, Text, Value);
  bool Accepted = false;
  const QString Answer = QInputDialog::getText(Parent, Title, Text, QLineEdit::Normal, Value, &Accepted);
  if (Accepted)
    Value = Answer;
  return Accepted;
}

bool TPrompt::Choose(QWidget* Parent, const QString& Title, const QString& Text, const QStringList& Items,
                     QString& Value)
{
  if (Answerer())
    return Answerer()(pkChoose, Title, Text + "\n" + Items.join('\n'), Value) && Items.contains(Value);
  bool Accepted = false;
  const QString Answer = QInputDialog::getItem(Parent, Title, Text, Items, 0, false, &Accepted);
  if (Accepted)
    Value = Answer;
  return Accepted;
}
