// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/OptionCommands.h"

#include "app/MainActions.h"
#include "app/MainForm.h"
#include "app/OptionChoices.h"
#include "app/OptionDlg.h"
#include "charts/ChartPane.h"
#include "scan/Root.h"
#include "shell/MRUList.h"
#include "shell/WaitCursor.h"

void TOptionCommands::OptionsClick(TMainForm& Form)
{
  TOptionChoices Options =
    TOptionChoices::Gather(Form.Display(), Form.Driver().FSettings, Form.WindowSettings(), Form.List());
  if (const TRoot* Newest = Form.Driver().Roots(); Newest && Newest->FFileSystem == UserDefinedFileSystem)
    Options.FClusterSize = Newest->FClusterSize;
  Options.FHasRoots = !Form.Tree().TopNodes().empty();
  TOptionDlg Dialog(&Form, Options);
  if (Dialog.exec() == QDialog::Accepted)
    Apply(Form, Dialog.Result());
}

void TOptionCommands::Apply(TMainForm& Form, const TOptionChoices& Options)
{
  TScanSettings& Settings = Form.Driver().FSettings;
  TWindowSettings& Window = Form.WindowSettings();
  const bool FilesBefore = Settings.FShowFiles;
  const bool Relabel = Options.ApplyTo(Form.Display(), Settings, Window, Form.List());
  Form.Actions().CheckUnit(Form.Display().FUnitType);

  {
    TWaitCursor Wait;
    const bool FilesChanged = Settings.FShowFiles != FilesBefore;
    for (const std::string& Path : Form.Driver().ApplyScanOptions(Options.FRescan, Options.FClusterSize, FilesChanged))
      Form.StartScan(Path);
    for (TFolderNode* Top : Form.Tree().TopNodes()) {
      if (Relabel && !Options.FRescan)
        Form.Commands().Relabel(Top, true);
      if (FilesChanged && TFolderTree::Editable(Top))
        Form.Commands().ResortTree(Top);
    }
  }
  Form.Charts().ShowToolBar(Window.FChartTool);
  Form.Recent().SetMaximum(Window.FMRUMaximum);
  Form.RefreshCaption();
  Form.RefillList();
}
