// Quests, Main Street's O ("Other Places"): adventures that sysops write as
// script files in Quests/ (quest_script.h) and list in Data/quests.dat.
//
// A character starts one quest a day (quest.Today, cleared by the day's
// maintenance); a quest of several days stops at each "@DAYEND" line and
// goes on after it on a later day (quest.QuestDay counts the day parts
// done). Finishing one posts the news. A run cannot be left midway: it
// ends at a day's end, at the end, or with a lost fight.
#ifndef TRV_GAME_COMBAT_QUESTS_H_
#define TRV_GAME_COMBAT_QUESTS_H_

#include <string>
#include <vector>

#include "game/combat/data_file.h"

namespace trv::combat {

inline constexpr char kQuestFile[] = "Data/quests.dat";
// title, author, script file below Quests/; a trailing comma is allowed.
extern const DataFormat kQuestFormat;

struct Quest {
  std::string title;  // also quest.QuestName while it is under way
  std::string author;
  std::string script;  // file name below Quests/
};
using QuestList = std::vector<Quest>;

// The quest list read afresh; a missing file ends the door through the
// kit (the exit hook marks the caller off-line).
QuestList ReadQuests(const char* path = kQuestFile);

// Runs the caller's day of the quest: claims the day (refused when a quest
// was already started today, or the caller's quest row is gone), starts
// over when `title` is not the quest under way, and acts on the script
// from where the last finished day left it.
void RunQuest(const std::string& file, const std::string& title, const std::string& author);

}  // namespace trv::combat

extern "C" {
// Main Street's O: the continue question for a quest under way, the list
// of quests and the caller's choice.
void ListQuests(void);
// Reads the quest list at `path` into the table kept until the next call
// and returns the number of quests; a missing file ends the door.
int read_questdata(const char* path);
}

#endif  // TRV_GAME_COMBAT_QUESTS_H_
