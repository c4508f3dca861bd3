// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QObject>
#include <QStringList>

#include <functional>

class QAbstractButton;
class QMessageBox;
class QWidget;

// Tells of scan failures without ever making a scan wait: one non-modal
// message box at a time, later failures added to it as further lines. A long
// list stays readable: the first failures in the text, all in the details.
class TErrorBox : public QObject {
  Q_DECLARE_TR_FUNCTIONS(TErrorBox)

public:
  explicit TErrorBox(QWidget* Window);

  // "Path PATH: reason", or the reason alone without a path. Code 0 is no
  // failure.
  void Report(int Code, const QString& Path);
  void Report(const QString& Line);
  // Offers, beside the failures told, to scan Folder again as the
  // administrator: a folder of it could not be read.
  void OfferAdministrator(const QString& Folder);
  // The offer taken, with the folders offered.
  std::function<void(const QStringList& Folders)> OnAdministrator;
  // The box on screen, if any.
  QMessageBox* Box() const { return FBox; }

private:
  void Show();

  QWidget* FWindow;
  QMessageBox* FBox = nullptr;
  QStringList FLines;   // every failure told in the box that is open
  QStringList FDenied;  // the folders offered to the administrator
  QAbstractButton* FAgain = nullptr;
  bool FDue = false;
};
