#include "game/combat/quest_script.h"

#include <limits.h>
#include <string.h>
#include <strings.h>

#include <algorithm>
#include <optional>

#include "game/combat/data_file.h"
#include "game/money/saturating.h"

namespace trv::combat {
namespace {

// Longer amounts are no sysop's intent; a limit keeps the arithmetic cheap.
constexpr size_t kMaxAmountDigits = 100;
// As long as a monster name of Data/monster.dat: the fight screen's rows fit.
constexpr size_t kMaxOpponentName = 27;
// The ceiling of an @STAT column (the figures are read as 32-bit elsewhere).
constexpr long long kMaxStat = INT_MAX;

constexpr const char* kCommColumns[] = {"Gold",      "BankGold",   "Depository", "Smuggling",
                                        "DrugTrade", "FleshTrade", "HouseTrade", "WaterTower",
                                        "OreMine",   "Granary"};
constexpr const char* kStatColumns[] = {
    "Agility",      "Mental",     "Divine",        "Charm",      "Intellect",
    "Leadership",   "Stamina",    "Strength",      "Defense",    "HP",
    "MaxHP",        "MagicPower", "MaxMagicPower", "Potions",    "MonsterFights",
    "PlayerFights", "GoodDeeds",  "EvilDeeds",     "Experience", "ProfExp"};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

template <size_t N>
const char* Lookup(const char* const (&columns)[N], std::string_view name) {
  name = Trim(name);
  for (const char* column : columns)
    if (name.size() == strlen(column) && strncasecmp(column, name.data(), name.size()) == 0)
      return column;
  return nullptr;
}

// Plain decimal: an optional minus sign and at least one digit.
bool IsDecimal(std::string_view s, size_t max_digits) {
  if (!s.empty() && s.front() == '-') s.remove_prefix(1);
  return !s.empty() && s.size() <= max_digits &&
         std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A decimal number within [low, high]; nullopt for anything else.
std::optional<long long> Number(std::string_view s, long long low, long long high) {
  s = Trim(s);
  if (!IsDecimal(s, 18)) return std::nullopt;  // 18 digits never overflow
  const long long value = std::stoll(std::string(s));
  if (value < low || value > high) return std::nullopt;
  return value;
}

std::vector<std::string_view> SplitFields(std::string_view s) {
  std::vector<std::string_view> fields;
  for (;;) {
    const size_t colon = s.find(':');
    fields.push_back(Trim(s.substr(0, colon)));
    if (colon == std::string_view::npos) return fields;
    s.remove_prefix(colon + 1);
  }
}

struct Prefix {
  const char* text;
  QuestCommand command;
};
constexpr Prefix kPrefixes[] = {
    {"@DAYEND:", QuestCommand::kDayEnd}, {"@ANSI:", QuestCommand::kAnsi},
    {"@GOLD:", QuestCommand::kGold},     {"@HIGH:", QuestCommand::kHigh},
    {"@ITEM:", QuestCommand::kItem},     {"@COMM:", QuestCommand::kComm},
    {"@STAT:", QuestCommand::kStat},     {"@MONSTER:", QuestCommand::kMonster}};

// The command a line starts with; nullptr for story text.
const Prefix* CommandOf(std::string_view line) {
  for (const Prefix& prefix : kPrefixes)
    if (StartsWith(line, prefix.text)) return &prefix;
  return nullptr;
}

// Fills `out` from a line that starts with `prefix`; false when the rest
// does not parse (the line is then skipped).
bool ParseCommand(std::string_view line, const Prefix* prefix, QuestLine* out) {
  out->command = prefix->command;
  const std::string_view rest = Trim(line.substr(strlen(prefix->text)));
  switch (prefix->command) {
    case QuestCommand::kDayEnd: {
      const auto day = Number(rest, 1, INT_MAX);
      out->number = day.value_or(0);
      return day.has_value();
    }
    case QuestCommand::kHigh: {
      const auto points = Number(rest, INT_MIN, INT_MAX);
      out->number = points.value_or(0);
      return points.has_value();
    }
    case QuestCommand::kAnsi:
      out->text = rest;
      return IsQuestFileName(rest);
    case QuestCommand::kItem:
      out->text = rest;
      return !rest.empty();
    case QuestCommand::kGold:
      out->text = rest;
      return IsDecimal(rest, kMaxAmountDigits);
    case QuestCommand::kComm:
    case QuestCommand::kStat: {
      const std::vector<std::string_view> fields = SplitFields(rest);
      if (fields.size() != 2) return false;
      const bool comm = prefix->command == QuestCommand::kComm;
      out->column = comm ? Lookup(kCommColumns, fields[0]) : Lookup(kStatColumns, fields[0]);
      if (out->column == nullptr) return false;
      if (comm) {
        out->text = fields[1];
        return IsDecimal(fields[1], kMaxAmountDigits);
      }
      const auto points = Number(fields[1], INT_MIN, INT_MAX);
      out->number = points.value_or(0);
      return points.has_value();
    }
    case QuestCommand::kMonster: {
      const std::vector<std::string_view> f = SplitFields(rest);
      if (f.size() != 9 || f[0].empty()) return false;
      // Only the count may be below 0 (it is clamped); a negative figure
      // elsewhere would pay the caller negative gold or experience.
      for (size_t i = 1; i < f.size(); ++i)
        if (!IsDecimal(f[i], 40) || (i != 6 && f[i].front() == '-')) return false;
      // A count beyond 15 or below 1 still makes a fight of 1 to 15.
      const long long count = std::max(1, ScriptedGroupSize(DataNumber(std::string(f[6]))));
      // The figures stop where the monster file's do (32 bits), so fifteen
      // times the experience still fits the row; the gold is a money text.
      auto figure = [&f](size_t i) {
        return std::to_string(std::min<long long>(DataNumber(std::string(f[i])), INT_MAX));
      };
      out->opponents = {std::string(f[0].substr(0, kMaxOpponentName)),
                        figure(1),
                        figure(2),
                        figure(3),
                        figure(4),
                        figure(5),
                        count,
                        std::string(f[7]),
                        figure(8)};
      return true;
    }
    default:
      return false;
  }
}

}  // namespace

bool IsQuestFileName(std::string_view name) {
  if (name.empty() || name.front() == '/' || name.find('\0') != std::string_view::npos)
    return false;
  size_t start = 0;
  for (;;) {
    const size_t slash = name.find('/', start);
    if (name.substr(start, slash - start) == "..") return false;
    if (slash == std::string_view::npos) return true;
    start = slash + 1;
  }
}

QuestScript ParseQuestScript(std::string_view text) {
  QuestScript script;
  int number = 0;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view raw = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    QuestLine line;
    line.line_number = ++number;
    const std::string_view command = Trim(raw);
    if (command == "@PAUSE@") {
      line.command = QuestCommand::kPause;
    } else if (command == "@FINAL@") {
      line.command = QuestCommand::kFinal;
    } else if (const Prefix* prefix = CommandOf(command)) {
      if (!ParseCommand(command, prefix, &line)) {
        line = QuestLine{};
        line.line_number = number;
        line.command = QuestCommand::kSkipped;
        line.text = raw;
      }
    } else {
      line.text = raw;
    }
    script.push_back(std::move(line));
  }
  return script;
}

bool EndsTheDay(const QuestLine& line, long long finished_days) {
  return line.command == QuestCommand::kDayEnd && line.number > finished_days;
}

size_t ResumeAt(const QuestScript& script, long long finished_days) {
  if (finished_days <= 0) return 0;
  for (size_t i = 0; i < script.size(); ++i)
    if (script[i].command == QuestCommand::kDayEnd && script[i].number == finished_days)
      return i + 1;
  return script.size();
}

std::string TellStory(const std::string& line, const std::string& name,
                      const std::string& kingdom) {
  static const std::string kName = "@NAME@", kKingdom = "@KINGDOM@";
  std::string told;
  for (size_t i = 0; i < line.size();) {
    if (line.compare(i, kName.size(), kName) == 0) {
      told += name;
      i += kName.size();
    } else if (line.compare(i, kKingdom.size(), kKingdom) == 0) {
      told += kingdom;
      i += kKingdom.size();
    } else {
      const unsigned char c = static_cast<unsigned char>(line[i++]);
      if ((c >= 0x20 || c == '\t') && c != 0x7F && c != 0xFF) told += static_cast<char>(c);
    }
  }
  return told;
}

Purenum::Integer AddToPurse(const Purenum::Integer& held, const Purenum::Integer& amount) {
  if (!amount.IsNegative()) return held + amount;
  if (held.IsNegative()) return held;
  const Purenum::Integer left = held + amount;
  return left.IsNegative() ? Purenum::Integer(0) : left;
}

long long StatAfter(const char* column, long long value, long long points, Vitals* vitals) {
  auto is = [column](const char* name) { return strcmp(column, name) == 0; };
  const long long floor = is("HP") || is("MaxHP") ? 1 : 0;
  const long long ceiling = std::max(kMaxStat, value);
  long long after = std::clamp(SaturatingAdd(value, points), floor, ceiling);
  if (is("HP")) {
    after = std::max(floor, std::min(after, vitals->max_hp));
    vitals->hp = after;
  } else if (is("MagicPower")) {
    after = std::max(floor, std::min(after, vitals->max_magic));
    vitals->magic = after;
  } else if (is("MaxHP")) {
    vitals->max_hp = after;
    vitals->hp = std::min(vitals->hp, after);
  } else if (is("MaxMagicPower")) {
    vitals->max_magic = after;
    vitals->magic = std::min(vitals->magic, after);
  }
  return after;
}

}  // namespace trv::combat
