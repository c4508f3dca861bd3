// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/PropertiesDialog.h"

#include "fs/PathRules.h"
#include "shell/ZelSystemImageList.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QFrame>
#include <QLabel>
#include <QLocale>
#include <QMimeDatabase>
#include <QVBoxLayout>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>

namespace {

QString DateText(const timespec& Time)
{
  return QLocale().toString(QDateTime::fromSecsSinceEpoch(Time.tv_sec), QLocale::LongFormat);
}

QString OwnerText(uid_t User, gid_t Group)
{
  const passwd* Person = getpwuid(User);
  const group* Team = getgrgid(Group);
  return QCoreApplication::translate("TPropertiesDialog", "%1 (group %2)")
    .arg(Person ? QString::fromLocal8Bit(Person->pw_name) : QString::number(User),
         Team ? QString::fromLocal8Bit(Team->gr_name) : QString::number(Group));
}

QString PermissionText(mode_t Mode)
{
  const char* Letters = "rwxrwxrwx";
  QString Text;
  for (int Bit = 0; Bit < 9; ++Bit)
    Text += (Mode & (0400 >> Bit)) ? QChar(Letters[Bit]) : QChar('-');
  return Text + QString(" (%1)").arg(Mode & 07777, 4, 8, QChar('0'));
}

QLabel* Value(const QString& Text)
{
  auto* Label = new QLabel(Text);
  Label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  // Long paths wrap; the dialog keeps a readable width for the rest.
  Label->setWordWrap(Text.size() > 60);
  Label->setMinimumWidth(Label->wordWrap() ? 360 : 0);
  return Label;
}

}  // namespace

QString TPropertiesDialog::SizeText(qulonglong Bytes)
{
  const QLocale Locale;
  return tr("%1 bytes (%2)").arg(Locale.toString(Bytes), Locale.formattedDataSize(qint64(Bytes)));
}

TPropertiesDialog::TPropertiesDialog(const std::vector<std::string>& Paths, const TFolderTotals& FolderTotals,
                                     QWidget* Parent)
  : QDialog(Parent)
{
  setAttribute(Qt::WA_DeleteOnClose);
  auto* Layout = new QVBoxLayout(this);
  Layout->setSizeConstraint(QLayout::SetFixedSize);
  auto* Form = new QFormLayout;
  auto* Heading = new QHBoxLayout;
  auto* Picture = new QLabel;
  auto* Title = new QLabel;
  QFont Bold = Title->font();
  Bold.setBold(true);
  Title->setFont(Bold);
  Heading->addWidget(Picture);
  Heading->addWidget(Title, 1);
  Layout->addLayout(Heading);
  auto* Line = new QFrame;
  Line->setFrameShape(QFrame::HLine);
  Layout->addWidget(Line);
  Layout->addLayout(Form);

  if (Paths.size() == 1) {
    const std::string& Path = Paths.front();
    const size_t Cut = Path.find_last_of('/', Path.size() > 1 ? Path.size() - 2 : 0);
    const std::string Name = Path == "/" ? Path : Path.substr(Cut + 1);
    setWindowTitle(tr("Properties of %1").arg(TPathRules::Shown(Name)));
    Title->setText(TPathRules::Shown(Name));
    Picture->setPixmap(TZelSystemImageList::Icon(TZelSystemImageList::IconIndex(Path)).pixmap(32, 32));
    Form->addRow(tr("Location:"), Value(TPathRules::Shown(Path.substr(0, Cut + 1))));
    struct stat Data;
    if (lstat(Path.c_str(), &Data) != 0) {
      Form->addRow(tr("Error:"), Value(QString::fromLocal8Bit(strerror(errno))));
    } else {
      static const QMimeDatabase Types;
      const QString Type = S_ISDIR(Data.st_mode) ? tr("Folder")
        : S_ISLNK(Data.st_mode)                  ? tr("Symbolic link")
                                                 : Types.mimeTypeForFile(TPathRules::Shown(Path)).comment();
      Form->addRow(tr("Type:"), Value(Type));
      if (!S_ISDIR(Data.st_mode)) {
        Form->addRow(tr("Size:"), Value(SizeText(qulonglong(Data.st_size))));
        Form->addRow(tr("Size on disk:"), Value(SizeText(qulonglong(Data.st_blocks) * 512)));
        Form->addRow(tr("Hard links:"), Value(QString::number(qulonglong(Data.st_nlink))));
      }
      if (S_ISDIR(Data.st_mode) && FolderTotals)
        for (const auto& [Label, Text] : FolderTotals(Path))
          //: A row's label, as "Size:"
          Form->addRow(tr("%1:").arg(Label), Value(Text));
      Form->addRow(tr("Owner:"), Value(OwnerText(Data.st_uid, Data.st_gid)));
      Form->addRow(tr("Permissions:"), Value(PermissionText(Data.st_mode)));
      Form->addRow(tr("Modified:"), Value(DateText(Data.st_mtim)));
      Form->addRow(tr("Accessed:"), Value(DateText(Data.st_atim)));
    }
  } else {
    qulonglong Bytes = 0, Disk = 0;
    int Files = 0, Folders = 0;
    for (const std::string& Path : Paths) {
      struct stat Data;
      if (lstat(Path.c_str(), &Data) != 0)
        continue;
      if (S_ISDIR(Data.st_mode)) {
        ++Folders;
      } else {
        ++Files;
        Bytes += qulonglong(Data.st_size);
        Disk += qulonglong(Data.st_blocks) * 512;
      }
    }
    setWindowTitle(tr("Properties of %1 items").arg(Paths.size()));
    Title->setText(tr("%1 items: %2 files, %3 folders").arg(Paths.size()).arg(Files).arg(Folders));
    Picture->setPixmap(TZelSystemImageList::Icon(TZelSystemImageList::FilesIconIndex()).pixmap(32, 32));
    const std::string& First = Paths.front();
    Form->addRow(tr("Location:"), Value(TPathRules::Shown(First.substr(0, First.find_last_of('/') + 1))));
    Form->addRow(tr("Size of the files:"), Value(SizeText(Bytes)));
    Form->addRow(tr("Size on disk:"), Value(SizeText(Disk)));
  }
  auto* Buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
  Layout->addWidget(Buttons);
}
