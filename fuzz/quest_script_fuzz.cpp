// Quest scripts as a sysop may download them: the parser takes any bytes,
// gives one entry per line, binds every command's values, and the rules a
// run applies to them keep their floors, ceilings and maxima.
#include <string>
#include <string_view>

#include "fuzz/fuzz.h"
#include "game/combat/quest_script.h"

using namespace trv::combat;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 1 << 16) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const QuestScript script = ParseQuestScript(text);
  int last_line = 0;
  for (const QuestLine& line : script) {
    FUZZ_CHECK(line.line_number > last_line);
    last_line = line.line_number;
    switch (line.command) {
      case QuestCommand::kStory:
        // A tab is the one control byte a story keeps; 255 would start a
        // telnet command on the caller's line.
        for (unsigned char c : TellStory(line.text, "@KINGDOM@", "Avalon"))
          FUZZ_CHECK((c >= 32 || c == '\t') && c != 127 && c != 255);
        break;
      case QuestCommand::kMonster:
        FUZZ_CHECK(line.opponents.count >= 1 && line.opponents.count <= kMaxGroup);
        FUZZ_CHECK(!line.opponents.name.empty() && line.opponents.name.size() <= 27);
        break;
      case QuestCommand::kComm:
        FUZZ_CHECK(line.column != nullptr);
        break;
      case QuestCommand::kStat: {
        FUZZ_CHECK(line.column != nullptr);
        Vitals vitals{10, 20, 5, 8};
        const long long value = StatAfter(line.column, 10, line.number, &vitals);
        FUZZ_CHECK(value >= 0 && value <= 2147483647LL);
        FUZZ_CHECK(vitals.hp >= 1 && vitals.hp <= vitals.max_hp);
        FUZZ_CHECK(vitals.magic >= 0 && vitals.magic <= vitals.max_magic);
        break;
      }
      case QuestCommand::kDayEnd:
        EndsTheDay(line, line.number);
        break;
      default:
        break;
    }
  }
  for (long long days : {0LL, 1LL, 2LL, -1LL, 1LL << 40})
    FUZZ_CHECK(ResumeAt(script, days) <= script.size());
  IsQuestFileName(text.substr(0, 64));
  return 0;
}
