#include "windows/PfCustomContentCheck.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/Files.h"
#include "roster/PuRosterHarvest.h"
#include "windows/PathEdit.h"
#include "windows/QtDialogs.h"

namespace windows {

namespace {

constexpr int ListColumns = 3;

void FillBox(QListWidget* box, const roster::TStringList& list) {
  box->clear();
  box->addItems(LinesToQ(list.Lines()));
}

}  // namespace

TFrmCustomContentCheck::TFrmCustomContentCheck(TDialogs& dialogs, QWidget* owner)
    : QDialog(owner), FDialogs(dialogs) {
  setObjectName(QStringLiteral("FrmCustomContentCheck"));
  setWindowTitle(QStringLiteral("Custom content check"));
  auto* layout = new QVBoxLayout(this);

  auto* top = new QHBoxLayout();
  deCheckDir = new TPathEdit(FDialogs, TPathEdit::TKind::Directory, this);
  deCheckDir->setObjectName(QStringLiteral("deCheckDir"));
  deCheckDir->SetReadOnly(true);  // the browse button may still choose another folder
  laCheckDir = new QLabel(QStringLiteral("UT 2003 System-directory"), this);
  laCheckDir->setBuddy(deCheckDir->Edit());
  top->addWidget(laCheckDir);
  top->addWidget(deCheckDir, 1);
  layout->addLayout(top);

  auto* found = new QGroupBox(QStringLiteral("Files found"), this);
  auto* foundLayout = new QVBoxLayout(found);
  lbFilesFound = new QListWidget(found);
  lbFilesFound->setObjectName(QStringLiteral("lbFilesFound"));
  lbFilesFound->setMaximumHeight(lbFilesFound->fontMetrics().lineSpacing() * 5);
  foundLayout->addWidget(lbFilesFound);
  layout->addWidget(found);

  FListsGroup = new QWidget(this);
  new QGridLayout(FListsGroup);
  FListsGroup->layout()->setContentsMargins(0, 0, 0, 0);
  lbSpecies = AddListBox("lbSpecies", " &Species ");
  lbSkin = AddListBox("lbSkin", " S&kins ");
  lbVoice = AddListBox("lbVoice", " &Voices ");
  lbText = AddListBox("lbText", " &Biography ");
  lbMesh = AddListBox("lbMesh", " &Meshes ");
  lbFace = AddListBox("lbFace", " &Faces ");
  lbPortrait = AddListBox("lbPortrait", " &Portraits ");
  lbRagDoll = AddListBox("lbRagDoll", " &Ragdolls ");
  lbSkeleton = AddListBox("lbSkeleton", "S&keletons");
  layout->addWidget(FListsGroup, 1);

  auto* bottom = new QHBoxLayout();
  laSkipped = new QLabel(this);
  laSkipped->setObjectName(QStringLiteral("laSkipped"));
  laSkipped->setWordWrap(true);
  buCheck = new QPushButton(QStringLiteral("&Check"), this);
  buCheck->setObjectName(QStringLiteral("buCheck"));
  buCheck->setAutoDefault(false);
  bottom->addWidget(laSkipped, 1);
  bottom->addWidget(buCheck);
  layout->addLayout(bottom);
  connect(buCheck, &QPushButton::clicked, this, [this] { GuardCommand(FDialogs, [this] { CheckContent(); }); });
  resize(900, 700);
}

QListWidget* TFrmCustomContentCheck::AddListBox(const char* name, const char* caption) {
  auto* group = new QGroupBox(QString::fromLatin1(caption), FListsGroup);
  auto* groupLayout = new QVBoxLayout(group);
  auto* box = new QListWidget(group);
  box->setObjectName(QString::fromLatin1(name));
  box->setSortingEnabled(true);
  groupLayout->addWidget(box);
  auto* grid = static_cast<QGridLayout*>(FListsGroup->layout());
  grid->addWidget(group, FListCount / ListColumns, FListCount % ListColumns);
  ++FListCount;
  return box;
}

void TFrmCustomContentCheck::AddLists(const roster::TValueLists& lists) {
  FLists.AppendEdited(lists, roster::TValueLists::TTexts::Left);
  FillBoxes();
}

void TFrmCustomContentCheck::FillBoxes() {
  FillBox(lbSpecies, FLists.Species);
  FillBox(lbMesh, FLists.Meshes);
  FillBox(lbFace, FLists.Faces);
  FillBox(lbSkin, FLists.Skins);
  FillBox(lbVoice, FLists.Voice);
  FillBox(lbPortrait, FLists.Portraits);
  FillBox(lbRagDoll, FLists.RagDoll);
  FillBox(lbSkeleton, FLists.Skeleton);
  FillBox(lbText, FLists.Texts);
}

void TFrmCustomContentCheck::SetCheckDir(const std::string& dir) {
  deCheckDir->SetInitialDir(dir);
  deCheckDir->SetText(dir);
}

std::string TFrmCustomContentCheck::GetCheckDir() const { return deCheckDir->Text(); }

void TFrmCustomContentCheck::CheckContent() {
  lbFilesFound->clear();
  const std::string dir = GetCheckDir();
  roster::THarvester collect(roster::TContentLists{FLists.Species, FLists.Meshes, FLists.Faces, FLists.Skins,
                                                   FLists.Voice, FLists.Portraits, FLists.Texts, FLists.RagDoll,
                                                   FLists.Skeleton});
  const roster::TRosterScan scan =
      roster::ScanRosters(dir, [&](const roster::TBotCharacter& bot) { collect.Add(bot); });
  for (const std::string& file : scan.Files) lbFilesFound->addItem(PathToQ(platform::JoinPath(dir, file)));
  FSkippedLines = scan.SkippedLines;
  laSkipped->setText(ToQ(roster::SkippedReport(scan)));
  if (scan.Files.empty()) return;  // the boxes keep what they show
  FillBoxes();
}

}  // namespace windows
