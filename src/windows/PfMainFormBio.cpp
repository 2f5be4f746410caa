// The biography commands: editing and adding a biography in the game's
// .int files, and copying one to and from the clipboard as text.

#include <QAction>
#include <QMenu>

#include "platform/AsciiText.h"
#include "platform/Files.h"
#include "platform/TextFile.h"
#include "roster/PuGameFiles.h"
#include "windows/PfEditBio.h"
#include "windows/PfMainForm.h"
#include "windows/QtDialogs.h"

namespace windows {

namespace {

// The editor set up for one biography, in the order the editor expects.
void SetUpEditor(TFrmEditBio& editor, const std::string& ref, const std::string& botName, bool editExisting,
                 const std::string& dir) {
  editor.SetSystemDir(dir);
  editor.SetTextRef(ref);
  editor.SetNameReadOnly(editExisting);
  if (const std::string name = platform::Trim(botName); !name.empty()) editor.InitNewBio(name);
}

}  // namespace

void TFmMainForm::BuildBioCommands() {
  const auto action = [this](const char* name, const char* caption, const char* hint, void (TFmMainForm::*handler)()) {
    QAction* a = MakeAction(this, name, caption, hint);
    if (handler) connect(a, &QAction::triggered, this, [this, handler] { Guard([&] { (this->*handler)(); }); });
    return a;
  };
  acEditBio = action("acEditBio", "Edit &Bio ...", "Edit biography", &TFmMainForm::acEditBioExecute);
  acAddBio = action("acAddBio", "Add Bio ...", "Add a new biography", &TFmMainForm::acAddBioExecute);
  // Listed, but there is no command to delete a biography.
  acDelBio = action("acDelBio", "Delete Bio ...", "", nullptr);
  acDelBio->setEnabled(false);
  acCopyBioToClipboard = action("acCopyBioToClipboard", "Copy biography to clipboard",
                                "Copy biography to clipboard as text", &TFmMainForm::acCopyBioToClipboardExecute);
  acCopyBioFromClipboard =
      action("acCopyBioFromClipboard", "Copy biography from clipboard", "Copy biography from clipboard as text",
             &TFmMainForm::acCopyBioFromClipboardExecute);

  miBiography->addActions({acAddBio, acDelBio, acEditBio});
  miBiography->addSeparator();
  miBiography->addActions({acCopyBioToClipboard, acCopyBioFromClipboard});
  pmBio->addActions({acEditBio, acAddBio, acDelBio, acCopyBioToClipboard, acCopyBioFromClipboard});
}

void TFmMainForm::acEditBioExecute() {
  if (FCurrentBot) EditBio(FCurrentBot->Text, "", true, FSystemDir);
}

void TFmMainForm::acAddBioExecute() {
  if (FCurrentBot) EditBio(FCurrentBot->Text, FCurrentBot->GetDefaultName(), false, FSystemDir);
}

void TFmMainForm::acCopyBioToClipboardExecute() {
  if (!FCurrentBot) return;
  std::string text;
  for (const std::string& line : FCurrentBot->GetBio()) text.append(line).append("\r\n");
  FDialogs.SetClipboardText(text);
}

void TFmMainForm::acCopyBioFromClipboardExecute() {
  if (!FCurrentBot) return;
  if (const std::optional<std::string> text = FDialogs.ClipboardText())
    EditBioText(FCurrentBot->Text, FCurrentBot->GetDefaultName(), *text, FSystemDir);
}

void TFmMainForm::EditBio(const std::string& ref, const std::string& botName, bool editExisting,
                          const std::string& dir) {
  TFrmEditBio editor(FDialogs, this);
  SetUpEditor(editor, ref, botName, editExisting, dir);
  FDialogs.ShowModal(editor);
  // Only a biography really written is followed up, however the window
  // was closed.
  if (editor.Written()) BioWritten(editor.FileName(), editor.GetTextRef());
}

void TFmMainForm::EditBioText(const std::string& ref, const std::string& botName, const std::string& text,
                              const std::string& dir) {
  TFrmEditBio editor(FDialogs, this);
  SetUpEditor(editor, ref, botName, false, dir);
  editor.SetBioLines(platform::SplitLines(text));
  if (editor.SaveBio()) BioWritten(editor.FileName(), editor.GetTextRef());
}

bool TFmMainForm::RereadBioFile(const std::string& fileName) {
  // The game reads its .int files from the System folder only: a file of
  // the same name chosen elsewhere neither replaces the one read at start
  // nor becomes the bot's biography.
  if (roster::GameFiles().RereadIntFile(fileName, FSystemDir)) {
    // Every bot resolves its biography again: others may name the entry
    // just written, and copy what their memo will show.
    for (int i = 0; i < BotCount(); ++i)
      FRoster.Edit(Bot(i), [](roster::TBotCharacter& bot) { bot.SetText(bot.Text); });
    return true;
  }
  FDialogs.MessageDlg("The biography was written into\r" + PathText(fileName) + "\rwhich is not the game's " +
                          platform::ExtractFileName(fileName) + ": the bot keeps its biography.",
                      TMsgDlgType::mtInformation, mbOK);
  return false;
}

void TFmMainForm::BioWritten(const std::string& fileName, const std::string& ref) {
  if (!RereadBioFile(fileName)) return;
  if (FCurrentBot) {
    // Through the roster: a bot pointed at another biography is a change,
    // and every view hears of it.
    FRoster.Edit(*FCurrentBot, [&ref](roster::TBotCharacter& bot) { bot.SetText(ref); });
  }
  LoadBioTexts();
  if (FCurrentBot) ShowCharacter(*FCurrentBot);
}

TEditBiography TFmMainForm::BiographyEditor() {
  // The configuration window's biography list: the editor as the biography
  // commands run it. The written file is read again; the window itself
  // adds the reference to its list, and no bot is pointed at it.
  return [this](const TBiographyEdit& request) -> std::optional<std::string> {
    TFrmEditBio editor(FDialogs, this);
    SetUpEditor(editor, request.Ref, request.BotName, request.EditExisting, request.SystemDir);
    FDialogs.ShowModal(editor);
    if (!editor.Written() || !RereadBioFile(editor.FileName())) return std::nullopt;
    return editor.GetTextRef();
  };
}

}  // namespace windows
