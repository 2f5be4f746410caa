#include "roster/PuRosterDocument.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "platform/AsciiText.h"
#include "platform/Files.h"
#include "platform/TextFile.h"
#include "roster/LineParts.h"
#include "roster/PuUtTypes.h"

namespace roster {

namespace {

bool IsBotLine(std::string_view line) { return platform::StartsText("PLAYER", line); }

bool IsRosterHeader(std::string_view line) {
  // Some editors put a UTF-8 byte-order mark before the first line.
  if (line.starts_with("\xEF\xBB\xBF")) line.remove_prefix(3);
  return platform::SameText(platform::Trim(line), "[Public]");
}

bool IsSectionHeader(std::string_view line) {
  const std::string trimmed = platform::Trim(line);
  return !trimmed.empty() && trimmed.front() == '[';
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// Passes the reader's questions on and remembers that one was answered.
struct TAnswerWatch : TInputQuery {
  explicit TAnswerWatch(TInputQuery* ask) : Ask(ask) {}
  std::optional<std::string> InputQuery(const std::string& caption, const std::string& prompt,
                                        const std::string& text) override {
    std::optional<std::string> answer = Ask ? Ask->InputQuery(caption, prompt, text) : std::nullopt;
    Answered = Answered || answer.has_value();
    return answer;
  }
  TInputQuery* Ask;
  bool Answered = false;
};

// What the record reads of a bot line: the text after its first "=".
std::string ItemsText(const std::string& line) { return std::string(LineValue(line).value_or(line)); }

}  // namespace

TRosterDocument::TRosterDocument(std::string systemDir, TInputQuery* ask)
    : FSystemDir(std::move(systemDir)), FAsk(ask) {}

TRosterDocument::~TRosterDocument() = default;

void TRosterDocument::AddObserver(TRosterObserver& observer) { FObservers.push_back(&observer); }

void TRosterDocument::RemoveObserver(TRosterObserver& observer) {
  FObservers.erase(std::remove(FObservers.begin(), FObservers.end(), &observer), FObservers.end());
}

template <class F>
void TRosterDocument::Notify(F&& call) {
  // An observer may remove itself (or another) while it is told.
  const std::vector<TRosterObserver*> observers = FObservers;
  for (TRosterObserver* observer : observers)
    if (std::find(FObservers.begin(), FObservers.end(), observer) != FObservers.end()) call(*observer);
}

void TRosterDocument::SetModified(bool modified) {
  if (FModified == modified) return;
  FModified = modified;
  Notify([modified](TRosterObserver& o) { o.ModifiedChanged(modified); });
}

// ---------------------------------------------------------------- the file

TRosterFile TRosterFile::Read(const std::string& fileName) {
  const std::string bytes = platform::ReadFileBytes(fileName);
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
    throw ERosterError("The file is UTF-16 text, and a roster is 8-bit text.");
  // The game's packages (.u, .utx, ...) are binary, yet their names may
  // begin a line with "Player" ("Player ID" in xVoting.u) and pass for a bot.
  if (bytes.starts_with("\xC1\x83\x2A\x9E"))
    throw ERosterError("The file is an Unreal package, not a roster.");
  TRosterFile file;
  file.Lines = platform::SplitLines(bytes);
  file.IsBotLine.resize(file.Lines.size(), false);
  bool hasHeader = false;
  bool hasBots = false;
  for (std::size_t i = 0; i < file.Lines.size(); ++i) {
    hasHeader = hasHeader || IsRosterHeader(file.Lines[i]);
    file.IsBotLine[i] = roster::IsBotLine(file.Lines[i]);
    hasBots = hasBots || file.IsBotLine[i];
  }
  if (!bytes.empty() && !hasHeader && !hasBots)
    throw ERosterError("The file is not a roster: it holds no [Public] section and no Player line.");
  return file;
}

std::optional<std::string> BotNameError(std::string_view name) {
  if (name.find('"') != std::string_view::npos)
    return "A bot name cannot hold a double quote:\rthe roster writes the name between double quotes, and one "
           "inside would end it there.";
  if (platform::HasControlCharacter(name))
    return "A bot name cannot hold control characters:\rthe roster keeps each bot on one line of plain text.";
  for (std::size_t comma = name.find(','); comma != std::string_view::npos; comma = name.find(',', comma + 1))
    if (line_parts::ItemStartsAt(name, comma))
      return "A bot name cannot hold a comma followed by a word and \"=\":\rthe roster would read that as the "
             "start of the next item of the line.";
  return std::nullopt;
}

void ReadBotLine(TBotCharacter& bot, const std::string& line, std::size_t index, TInputQuery* ask) {
  bot.SetPlayerLine(ItemsText(line), ask, static_cast<int>(index + 1));
}

void TRosterDocument::Load(const std::string& fileName) {
  TRosterFile file = TRosterFile::Read(fileName);
  std::vector<TEntry> bots;
  bool answered = false;
  for (std::size_t i = 0; i < file.Lines.size(); ++i) {
    if (!file.IsBotLine[i]) continue;
    auto bot = std::make_unique<TBotCharacter>();
    TAnswerWatch ask(FAsk);
    try {
      ReadBotLine(*bot, file.Lines[i], i, &ask);
    } catch (const EItemError& e) {
      // The line may be megabytes long: the message quotes pieces of it.
      throw ERosterError("Bot " + Quoted(platform::Excerpt(bot->GetDefaultName())) + " on line " +
                         std::to_string(i + 1) + " has an item that cannot be read:\r" +
                         platform::Excerpt(e.Item) + "\r" + platform::Excerpt(e.what()));
    }
    bot->LineIndex = static_cast<int>(i);
    std::string line = bot->GetPlayerLine();
    std::string key = bot->GetDefaultName();
    // A number the user typed in place of the file's is an edit: the line
    // is written anew, and the roster has a change to save.
    answered = answered || ask.Answered;
    bots.push_back(TEntry{std::move(key), std::move(bot), line, static_cast<int>(i), ask.Answered ? "" : line, {}, false});
  }
  Replace(std::move(bots), std::move(file.Lines), std::move(file.IsBotLine));
  FFileName = fileName;
  FIsNewList = false;
  SetModified(answered);
}

std::string TRosterDocument::LineOf(const TEntry& entry) const {
  if (entry.Pasted) return entry.Bot->GetPlayerLineKeepingUnknownItems(ItemsText(*entry.Pasted));
  if (entry.Line < 0) return entry.Bot->GetPlayerLine();
  const std::string& asRead = FLines[static_cast<std::size_t>(entry.Line)];
  if (entry.Bot->GetPlayerLine() == entry.ReadAs) return asRead;
  return entry.Bot->GetPlayerLineKeepingUnknownItems(ItemsText(asRead));
}

std::string TRosterDocument::PlayerLineOf(const TBotCharacter& bot) const {
  const int index = IndexOf(bot);
  if (index < 0) throw std::logic_error("the bot is not in this roster");
  return LineOf(FBots[static_cast<std::size_t>(index)]);
}

std::vector<std::string> TRosterDocument::Lines() const { return Compose(nullptr); }

std::vector<std::string> TRosterDocument::Compose(std::vector<std::size_t>* places) const {
  constexpr std::size_t none = static_cast<std::size_t>(-1);
  std::vector<std::size_t> owner(FLines.size(), none);
  std::vector<std::size_t> added;
  for (std::size_t b = 0; b < FBots.size(); ++b) {
    if (FBots[b].Line >= 0)
      owner[static_cast<std::size_t>(FBots[b].Line)] = b;
    else
      added.push_back(b);
  }
  if (places) places->assign(FBots.size(), none);
  // New bots follow the file's last bot line; without one, they end the
  // roster section, or the file.
  const auto last = std::find(FIsBotLine.rbegin(), FIsBotLine.rend(), true);
  std::ptrdiff_t insertAfter = static_cast<std::ptrdiff_t>(FIsBotLine.rend() - last) - 1;
  const auto header = std::find_if(FLines.begin(), FLines.end(), [](const std::string& l) { return IsRosterHeader(l); });
  if (insertAfter < 0) {
    insertAfter = static_cast<std::ptrdiff_t>(FLines.size()) - 1;
    if (header != FLines.end()) {
      const auto next = std::find_if(header + 1, FLines.end(), [](const std::string& l) { return IsSectionHeader(l); });
      insertAfter = (next - FLines.begin()) - 1;
    }
  }

  std::vector<std::string> out;
  if (header == FLines.end()) out.emplace_back("[Public]");
  // A deleted bot leaves its line empty while anything follows it.
  std::size_t pendingEmpty = 0;
  const auto put = [&](std::string line) {
    out.insert(out.end(), pendingEmpty, std::string());
    pendingEmpty = 0;
    out.push_back(std::move(line));
  };
  const auto putBot = [&](std::size_t b) {
    put(LineOf(FBots[b]));
    if (places) (*places)[b] = out.size() - 1;
  };
  // Bots added after a save follow the ones added before it in one run.
  const bool runGoesOn = insertAfter >= 0 && owner[static_cast<std::size_t>(insertAfter)] != none &&
                         FBots[owner[static_cast<std::size_t>(insertAfter)]].Added;
  const auto putAdded = [&] {
    if (added.empty()) return;
    if (!runGoesOn) {
      // The empty line before them may be the line of a deleted bot.
      if (pendingEmpty > 0) --pendingEmpty;
      put(std::string());
    }
    for (std::size_t b : added) putBot(b);
  };
  if (insertAfter < 0) putAdded();
  for (std::size_t i = 0; i < FLines.size(); ++i) {
    if (!FIsBotLine[i])
      put(FLines[i]);
    else if (owner[i] != none)
      putBot(owner[i]);
    else
      ++pendingEmpty;
    if (static_cast<std::ptrdiff_t>(i) == insertAfter) putAdded();
  }
  return out;
}

void TRosterDocument::Save(const std::string& fileName) {
  if (IsDefaultBotList(fileName))
    throw ERosterError("Altering of XplayersL1.Upl is not allowed.\rUse 'Save as ...' instead.");
  std::vector<std::size_t> places;
  std::vector<std::string> lines = Compose(&places);
  platform::WriteLines(fileName, lines);
  // The file just written is what the bots were read from from now on.
  std::vector<bool> isBotLine(lines.size(), false);
  for (std::size_t b = 0; b < FBots.size(); ++b) {
    TEntry& entry = FBots[b];
    isBotLine[places[b]] = true;
    entry.Line = entry.Bot->LineIndex = static_cast<int>(places[b]);
    entry.ReadAs = entry.Seen = entry.Bot->GetPlayerLine();
    entry.Pasted.reset();  // what it took from a paste is in its line now
  }
  FLines = std::move(lines);
  FIsBotLine = std::move(isBotLine);
  FFileName = fileName;
  SetModified(false);
}

void TRosterDocument::Replace(std::vector<TEntry> bots, std::vector<std::string> lines, std::vector<bool> isBotLine) {
  // The old records live until everyone has heard that they are gone.
  std::vector<TEntry> old = std::exchange(FBots, std::move(bots));
  FPlaces.clear();
  Renumber(0);
  FLines = std::move(lines);
  FIsBotLine = std::move(isBotLine);
  Notify([](TRosterObserver& o) { o.RosterReplaced(); });
  SetModified(false);
}

void TRosterDocument::New() {
  std::string name = NewBotListFileName();
  Replace({}, {}, {});
  FFileName = std::move(name);
  FIsNewList = true;
}

void TRosterDocument::Clear() {
  Replace({}, {}, {});
  FFileName.clear();
  FIsNewList = false;
}

std::string TRosterDocument::DefaultBotListFileName() const {
  return platform::JoinPath(FSystemDir, "xplayersL1.upl");
}

bool TRosterDocument::IsDefaultBotList(const std::string& fileName) const {
  const std::string game = DefaultBotListFileName();
  if (platform::SameText(fileName, game)) return true;
  if (fileName.empty()) return false;
  // The same file under another spelling of its path (a relative or
  // roundabout System folder, a link) is still the game's own roster and
  // must not be overwritten, also while it is not there yet.
  std::error_code ec;
  const std::filesystem::path chosen = std::filesystem::weakly_canonical(fileName, ec);
  const std::filesystem::path own = ec ? std::filesystem::path() : std::filesystem::weakly_canonical(game, ec);
  if (!ec && platform::SameText(chosen.string(), own.string())) return true;
  const std::optional<std::string> onDisk = platform::FindPathIgnoringCase(game);
  return onDisk && std::filesystem::equivalent(fileName, *onDisk, ec);
}

std::string TRosterDocument::NewBotListFileName() {
  std::string name;
  do {
    name = platform::JoinPath(FSystemDir, "NewList_" + std::to_string(FNewListCounter) + ".Upl");
    ++FNewListCounter;
  } while (platform::FileExists(name));
  return name;
}

// ---------------------------------------------------------------- the bots

int TRosterDocument::IndexOf(const TBotCharacter& bot) const {
  const auto place = FPlaces.find(&bot);
  return place == FPlaces.end() ? -1 : static_cast<int>(place->second);
}

void TRosterDocument::Renumber(std::size_t from) {
  for (std::size_t i = from; i < FBots.size(); ++i) FPlaces[FBots[i].Bot.get()] = i;
}

TRosterDocument::TEntry& TRosterDocument::EntryOf(const TBotCharacter& bot) {
  const int index = IndexOf(bot);
  if (index < 0) throw std::logic_error("the bot is not in this roster");
  return FBots[static_cast<std::size_t>(index)];
}

int TRosterDocument::Find(std::string_view name) const {
  for (std::size_t i = 0; i < FBots.size(); ++i)
    if (platform::SameText(FBots[i].Key, name)) return static_cast<int>(i);
  return -1;
}

const TBotCharacter& TRosterDocument::Append(std::unique_ptr<TBotCharacter> bot, std::optional<std::string> pasted) {
  const TBotCharacter& added = *bot;
  std::string key = bot->GetDefaultName();
  std::string line = bot->GetPlayerLine();
  FBots.push_back(TEntry{std::move(key), std::move(bot), std::move(line), -1, {}, std::move(pasted), true});
  Renumber(FBots.size() - 1);
  Notify([&added](TRosterObserver& o) { o.BotAdded(added); });
  SetModified(true);
  return added;
}

const TBotCharacter& TRosterDocument::Add() {
  auto bot = std::make_unique<TBotCharacter>();
  bot->SetDefaultName("BOT" + std::to_string(Count() + 1));
  return Append(std::move(bot));
}

const TBotCharacter& TRosterDocument::PasteAsNew(const std::string& playerLine) {
  auto bot = std::make_unique<TBotCharacter>();
  bot->SetPlayerLine(ItemsText(playerLine), FAsk);
  return Append(std::move(bot), playerLine);
}

void TRosterDocument::Paste(const TBotCharacter& bot, const std::string& playerLine) {
  TEntry& entry = EntryOf(bot);
  TBotCharacter pasted;
  pasted.SetPlayerLine(ItemsText(playerLine), FAsk);  // a line that fails leaves the bot as it was
  pasted.LineIndex = bot.LineIndex;
  const std::string before = LineOf(entry);
  // The bot is the pasted one as a whole: none of the items of its own
  // line stay mixed in.
  *entry.Bot = std::move(pasted);
  entry.Pasted = playerLine;
  entry.Key = entry.Bot->GetDefaultName();
  entry.Seen = entry.Bot->GetPlayerLine();
  if (LineOf(entry) != before) Touched(*entry.Bot);
}

void TRosterDocument::Delete(const TBotCharacter& bot) {
  const int index = IndexOf(bot);
  if (index < 0) return;
  Notify([&bot](TRosterObserver& o) { o.BotDeleted(bot); });
  FPlaces.erase(&bot);
  FBots.erase(FBots.begin() + index);
  Renumber(static_cast<std::size_t>(index));
  SetModified(true);
}

void TRosterDocument::Rename(const TBotCharacter& bot, const std::string& newName) {
  TEntry& entry = EntryOf(bot);
  entry.Bot->SetDefaultName(newName);
  entry.Key = newName;
  BotChanged(entry);
}

void TRosterDocument::Edit(const TBotCharacter& bot, const std::function<void(TBotCharacter&)>& change) {
  TEntry& entry = EntryOf(bot);
  try {
    change(*entry.Bot);
  } catch (...) {
    BotChanged(entry);  // what was changed before is known all the same
    throw;
  }
  BotChanged(entry);
}

void TRosterDocument::BotChanged(TEntry& entry) {
  std::string line = entry.Bot->GetPlayerLine();
  if (line == entry.Seen) return;
  entry.Seen = std::move(line);
  Touched(*entry.Bot);
}

void TRosterDocument::Touched(const TBotCharacter& bot) {
  SetModified(true);
  Notify([&bot](TRosterObserver& o) { o.BotChanged(bot); });
}

}  // namespace roster
