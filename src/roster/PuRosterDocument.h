#pragma once

// One open roster (.upl file): its bots, the file's other lines around
// them, its file name and whether it has unsaved changes. The editor's
// windows are views of it: they read the bots, make every edit through
// the operations below (Edit for the record's setters), and hear of every
// change through TRosterObserver.
//
// Saving keeps what nobody touched: a bot whose record did not change since
// it was read is written back with its line exactly as read; a changed bot
// gets its PlayerLine followed by the items of its old line that the
// record does not know (Race=, BotUse=, ...), in their order; a pasted bot
// keeps those of the pasted line instead; every other line of the file
// stays at its place. New bots follow the last bot of the file after one
// empty line, and bots added after a save join the run of those before.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "roster/PuBotCharacter.h"

namespace roster {

class TInputQuery;

// Hears what happens to a roster. Every call comes after the change,
// except BotDeleted, which comes while the record still exists.
class TRosterObserver {
 public:
  virtual ~TRosterObserver() = default;
  // A bot's record changed (Edit, Paste, Rename).
  virtual void BotChanged(const TBotCharacter& bot) { (void)bot; }
  // A bot joined the roster at its end (Add, PasteAsNew).
  virtual void BotAdded(const TBotCharacter& bot) { (void)bot; }
  // A bot is about to be freed; drop every reference to it.
  virtual void BotDeleted(const TBotCharacter& bot) { (void)bot; }
  // Every bot was replaced (Load, New, Clear); drop every reference.
  virtual void RosterReplaced() {}
  virtual void ModifiedChanged(bool modified) { (void)modified; }
};

// A roster file's lines as Load reads them, and which are bot lines
// (Player lines, the key's case ignored). Load and the harvest of a
// folder's rosters both read through it, so they take the same lines for
// bots. Raises platform::EFileError when the file cannot be read and
// ERosterError for UTF-16 text and for bytes without a "[Public]" line and
// without a Player line; that message says what is wrong with the file,
// and the caller, who knows how to spell its name for the user, names it.
struct TRosterFile {
  std::vector<std::string> Lines;
  std::vector<bool> IsBotLine;
  static TRosterFile Read(const std::string& fileName);
};

// Why `name` cannot be given to a bot; nothing when it can. The roster
// line writes the name between double quotes and knows no escaping: a
// double quote inside would end the name there and let the rest pass for
// items of their own, a comma followed by a key and "=" would start the
// next item, and a line break would split the line.
std::optional<std::string> BotNameError(std::string_view name);

// Parses one bot line, the roster's line `index` (0-based), into `bot`
// (the text after its first "="); a number that cannot be read is offered
// to `ask`, and without one it raises EItemError.
void ReadBotLine(TBotCharacter& bot, const std::string& line, std::size_t index, TInputQuery* ask);

class TRosterDocument {
 public:
  // `systemDir` is the game's System folder, whose own roster is never
  // written; `ask` is asked for numbers the reader cannot read (none:
  // such a number fails the load).
  explicit TRosterDocument(std::string systemDir = {}, TInputQuery* ask = nullptr);
  ~TRosterDocument();
  TRosterDocument(const TRosterDocument&) = delete;
  TRosterDocument& operator=(const TRosterDocument&) = delete;

  void SetSystemDir(const std::string& dir) { FSystemDir = dir; }

  // Observers are not owned; one must be removed before it is destroyed.
  void AddObserver(TRosterObserver& observer);
  void RemoveObserver(TRosterObserver& observer);

  // ---- the file
  // Reads the roster. Raises platform::EFileError when the file cannot be
  // read and ERosterError for what is no roster (UTF-16 text; an Unreal
  // package; bytes without a "[Public]" line and without a Player line) or
  // for a number nobody could read (the message names the bot, its line and
  // the item). Like TRosterFile's, the message leaves naming the file to
  // the caller.
  // On any error the document stays as it was.
  void Load(const std::string& fileName);
  // Writes the roster and makes `fileName` its file. Raises ERosterError
  // for the game's own roster and platform::EFileError when the file
  // cannot be written; either way the document stays as it was, modified
  // included.
  void Save(const std::string& fileName);
  // The lines Save writes, each to be followed by CR LF.
  std::vector<std::string> Lines() const;
  // An empty roster under the next free new-roster name (IsNewList).
  void New();
  // An empty roster without a file name.
  void Clear();

  const std::string& FileName() const { return FFileName; }
  bool IsNewList() const { return FIsNewList; }
  // Unsaved changes: a bot added, deleted or pasted, or a bot whose
  // PlayerLine changed in any byte (Edit, Rename), since the last
  // Load, Save, New or Clear; also a number the user typed in place of an
  // unreadable one while the roster was read.
  bool Modified() const { return FModified; }

  // The game's own roster, SystemDir/"xplayersL1.upl".
  std::string DefaultBotListFileName() const;
  // Whether `fileName` is the game's own roster, however the path is
  // spelled (letter case, "..", links), also while it does not exist.
  bool IsDefaultBotList(const std::string& fileName) const;
  // SystemDir/"NewList_<n>.Upl" for the next n whose file does not exist;
  // n only grows.
  std::string NewBotListFileName();

  // ---- the bots, in roster order. Records stay at their address for as
  // long as they are in the roster; they change only through the calls
  // below.
  int Count() const { return static_cast<int>(FBots.size()); }
  const TBotCharacter& Bot(int index) const { return *FBots.at(static_cast<std::size_t>(index)).Bot; }
  // The name the bot had when it entered the roster or was last renamed.
  const std::string& Key(int index) const { return FBots.at(static_cast<std::size_t>(index)).Key; }
  // The bot's place; -1 for a record not in this roster.
  int IndexOf(const TBotCharacter& bot) const;
  // The first bot whose key is `name` without regard to case; -1 if none.
  int Find(std::string_view name) const;

  // The bot's line as Save writes it, the items the record does not know
  // included: what a copy of the bot carries.
  std::string PlayerLineOf(const TBotCharacter& bot) const;

  // A new bot named "BOT<count + 1>" at the end.
  const TBotCharacter& Add();
  // A new bot made from a bot line ("Player=(...)", read as Load reads
  // one), at the end, keyed by its name.
  const TBotCharacter& PasteAsNew(const std::string& playerLine);
  // The bot takes a whole bot line, and only its items: it is saved with
  // the pasted line's unknown items, not its own. Its key follows the
  // pasted name.
  void Paste(const TBotCharacter& bot, const std::string& playerLine);
  // Frees the bot (BotDeleted first).
  void Delete(const TBotCharacter& bot);
  // Gives the bot a new name, key included.
  void Rename(const TBotCharacter& bot, const std::string& newName);
  // Runs `change` on the bot's record; when its PlayerLine then differs
  // from the one last seen, the roster is modified and the observers hear
  // of it (also when `change` raises after changing part of it). The key
  // stays: a new name becomes the key through Rename.
  void Edit(const TBotCharacter& bot, const std::function<void(TBotCharacter&)>& change);

 private:
  struct TEntry {
    std::string Key;
    std::unique_ptr<TBotCharacter> Bot;
    std::string Seen;    // its PlayerLine when the document last looked
    int Line = -1;       // its line in FLines; -1 while it is not in the file
    std::string ReadAs;  // its PlayerLine right after that line was read
    // The line it took from a paste since, whose unknown items it keeps.
    std::optional<std::string> Pasted;
    // Joined the roster since it was read (saved since or not): bots added
    // later join its run rather than start one of their own.
    bool Added = false;
  };
  TEntry& EntryOf(const TBotCharacter& bot);
  const TBotCharacter& Append(std::unique_ptr<TBotCharacter> bot, std::optional<std::string> pasted = std::nullopt);
  // After the entry's record changed: when its PlayerLine differs from the
  // one last seen, the roster is modified and the observers hear of it.
  void BotChanged(TEntry& entry);
  std::string LineOf(const TEntry& entry) const;
  // The lines to write; `places` (if given) gets each bot's line number.
  std::vector<std::string> Compose(std::vector<std::size_t>* places) const;
  void Replace(std::vector<TEntry> bots, std::vector<std::string> lines, std::vector<bool> isBotLine);
  void SetModified(bool modified);
  // The bot's line changed: the roster is modified, and the views hear of it.
  void Touched(const TBotCharacter& bot);
  // Finds each record's place from `from` on again, after FBots changed there.
  void Renumber(std::size_t from);
  template <class F>
  void Notify(F&& call);

  std::string FSystemDir;
  TInputQuery* FAsk = nullptr;
  std::vector<TRosterObserver*> FObservers;
  std::vector<TEntry> FBots;
  // Each record's place in FBots: an edit of every bot of a long roster
  // must not search the roster once per bot.
  std::unordered_map<const TBotCharacter*, std::size_t> FPlaces;
  // The file's lines as read or last written, and which of them are bot
  // lines (a bot's own, or one whose bot was deleted since).
  std::vector<std::string> FLines;
  std::vector<bool> FIsBotLine;
  std::string FFileName;
  bool FIsNewList = false;
  bool FModified = false;
  int FNewListCounter = 1;
};

}  // namespace roster
