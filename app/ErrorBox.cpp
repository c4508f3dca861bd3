// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ErrorBox.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <cstring>

TErrorBox::TErrorBox(QWidget* Window) : QObject(Window), FWindow(Window) {}

void TErrorBox::Report(int Code, const QString& Path)
{
  if (Code == 0)
    return;
  const QString Text = QString::fromLocal8Bit(std::strerror(Code));
  Report(Path.isEmpty() ? Text : tr("Path %1: %2").arg(Path, Text));
}

void TErrorBox::Report(const QString& Line)
{
  FLines << Line;
  // Brought up to date once per turn of the event loop, however many
  // failures a scan reports meanwhile.
  if (!FDue) {
    FDue = true;
    QTimer::singleShot(0, this, [this] { Show(); });
  }
}

void TErrorBox::OfferAdministrator(const QString& Folder)
{
  if (!FDenied.contains(Folder))
    FDenied << Folder;
}

void TErrorBox::Show()
{
  FDue = false;
  if (!FBox) {
    FBox = new QMessageBox(QMessageBox::Warning, "Spacelens", QString(), QMessageBox::Ok, FWindow);
    FBox->setObjectName("ErrorBox");
    FBox->setModal(false);
    // A box closed is a box emptied: the next failure opens a new one.
    connect(FBox, &QMessageBox::finished, this, [this] {
      const QStringList Denied = FDenied;
      const bool Again = FAgain && FBox->clickedButton() == FAgain;
      FLines.clear();
      FDenied.clear();
      if (FAgain)
        FBox->removeButton(FAgain);
      delete FAgain;
      FAgain = nullptr;
      if (Again && OnAdministrator)
        OnAdministrator(Denied);
    });
  }
  if (!FDenied.isEmpty() && !FAgain)
    FAgain = FBox->addButton(tr("Scan again as administrator"), QMessageBox::ActionRole);
  constexpr int Shown = 10;
  QString Text = FLines.mid(0, Shown).join('\n');
  if (FLines.size() > Shown)
    Text += tr("\n\n%1 more failures are listed in the details.").arg(FLines.size() - Shown);
  FBox->setText(Text);
  FBox->setDetailedText(FLines.size() > Shown ? FLines.join('\n') : QString());
  if (!FBox->isVisible())
    FBox->show();
}
