// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScanImport.h"

#include "NcduImport.h"
#include "PathRules.h"
#include "Prompt.h"
#include "ScanDriver.h"

#include <QFileDialog>
#include <QProgressDialog>

#include <sys/stat.h>

TScanImport::TScanImport(QWidget* Window, TScanDriver& Driver) : QObject(Window), FWindow(Window), FDriver(Driver)
{
  FPoll.setInterval(100);
  connect(&FPoll, &QTimer::timeout, this, [this] { Poll(); });
}

TScanImport::~TScanImport()
{
  FStop = true;
  if (FThread.joinable())
    FThread.join();
}

bool TScanImport::IsScanFile(const std::string& Argument)
{
  struct stat Data;
  return stat(Argument.c_str(), &Data) == 0 && S_ISREG(Data.st_mode);
}

void TScanImport::Choose()
{
  const QString Name = QFileDialog::getOpenFileName(FWindow, "Import Scan", {},
                                                    "Scans exported by ncdu, gdu or Spacelens (*.json);;All files (*)");
  if (!Name.isEmpty())
    Start(Name.toLocal8Bit().toStdString());
}

void TScanImport::Start(const std::string& FileName)
{
  FQueue.push_back(FileName);
  if (!FImport)
    Next();
}

void TScanImport::Next()
{
  if (FQueue.empty())
    return;
  const std::string FileName = FQueue.front();
  FQueue.pop_front();
  FImport = std::make_unique<TNcduImport>(FileName, FDriver.FSettings, FDriver.FUserClusterSize);
  FStop = false;
  FDone = false;
  FProgress = new QProgressDialog("Importing " + TPathRules::Shown(FileName) + "...", "Cancel", 0, 1000, FWindow);
  FProgress->setWindowTitle("Import Scan");
  FProgress->setMinimumDuration(500);
  connect(FProgress, &QProgressDialog::canceled, this, [this] { FStop = true; });
  FThread = std::thread([this, Import = FImport.get()] {
    Import->Run(&FStop);
    FDone = true;
  });
  FPoll.start();
}

void TScanImport::Poll()
{
  if (!FDone) {
    if (const uint64_t Size = FImport->FileSize())
      FProgress->setValue(int(FImport->BytesRead() * 999 / Size));
    return;
  }
  FPoll.stop();
  FThread.join();
  const bool Stopped = FStop;
  FProgress->deleteLater();
  FProgress = nullptr;
  std::unique_ptr<TNcduImport> Import = std::move(FImport);
  if (TRoot* Root = Import->TakeRoot()) {
    if (OnImported)
      OnImported(Root);
  } else if (!Stopped) {
    TPrompt::Warn(FWindow, "Import Scan", "Cannot import " + QString::fromLocal8Bit(Import->Error()));
  }
  Next();
}
