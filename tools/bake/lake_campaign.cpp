// The campaign: twelve lakes from a pond a new angler with $50 can enter to
// the championship. Prizes climb with the entry fees so that winning pays
// for every lure, rod and boat upgrade on the way.
#include "bake/lake_campaign.h"

#include <algorithm>

namespace tw::bake {
namespace {

struct Rules {
  const char* name;
  const char* description;
  LakeStyle style;
  int32_t maxCol, maxRow;
  double water, islands;
  int32_t fee, prize;
  int32_t time;  // seconds; 0 = no clock
  int32_t limit, winIf, level, biggest, difficulty, fish, monsters;
  const char* monster;
  int32_t singleFish, fixedMonsters;
};

const char* LibraryOf(LakeStyle s) {
  return s == LakeStyle::Bayou ? "bayou.dxg" : s == LakeStyle::Canyon ? "canyon.dxg" : "canada.dxg";
}

LakeSpec Make(const Rules& r, uint32_t seed, std::vector<std::string> signs,
              std::vector<std::string> people, std::vector<int32_t> treasures,
              std::vector<int32_t> moreTime) {
  LakeSpec s;
  s.name = r.name;
  s.description = r.description;
  s.imageLib = LibraryOf(r.style);
  s.maxFish = r.fish;
  s.maxMonster = r.monsters;
  s.monsterKind = r.monster;
  s.biggest = r.biggest;
  s.difficulty = r.difficulty;
  s.timed = r.time > 0;
  s.time = r.time;
  s.entryFee = r.fee;
  s.prizeMoney = r.prize;
  s.limit = r.limit;
  s.winIf = r.winIf;
  s.level = r.level;
  s.map.seed = seed;
  s.map.maxCol = r.maxCol;
  s.map.maxRow = r.maxRow;
  s.map.style = r.style;
  s.map.water = r.water;
  s.map.islands = r.islands;
  s.map.signs = std::move(signs);
  s.map.people = std::move(people);
  s.map.treasures = std::move(treasures);
  if (s.timed) s.map.moreTime = std::move(moreTime);
  s.map.maxFish = r.fish;
  s.map.singleFish = r.singleFish;
  s.map.fixedMonsters = r.fixedMonsters;
  return s;
}

std::vector<LakeSpec> Build() {
  using S = LakeStyle;
  std::vector<LakeSpec> lakes;
  lakes.push_back(Make(
      {"Minnow_Pond",
       "A quiet pond to learn the ropes: catch any three fish to open new lakes.",
       S::Canada,
       21,
       79,
       0.45,
       0.15,
       0,
       0,
       0,
       3,
       0,
       3,
       12,
       4,
       30,
       0,
       "Monster",
       2,
       0},
      101,
      {"WELCOME TO MINNOW POND! HOLD THE LEFT MOUSE BUTTON TO DRIVE TOWARD THE POINTER. LET GO AND "
       "THE BOAT COASTS.",
       "TO CAST STOP THE BOAT AND CLICK THE RIGHT MOUSE BUTTON ON THE WATER. THE LURE REELS ITSELF "
       "BACK IN.",
       "WHEN A FISH BITES A POWER BAR SWINGS. CLICK OR PRESS SPACE AS IT PASSES THE MIDDLE TO SET "
       "THE HOOK!",
       "WITH MOUSE DRIVE OFF THE ARROW KEYS STEER. SPACE OR UP IS THE THROTTLE AND DOWN BACKS UP.",
       "PRESS ESC THEN ENTER TO LEAVE EARLY. CATCH THREE FISH HERE AND NEW LAKES OPEN UP!"},
      {"HOWDY STRANGER! I'VE FISHED THIS POND SINCE I WAS A BOY. THE LITTLE ONES HIDE BY THE "
       "REEDS. SEE A CHEST FLOATING? FOLKS LOSE THINGS OUT HERE. KEEP WHAT YOU FIND!"},
      {15, 20}, {}));
  lakes.push_back(
      Make({"Cedar_Lake",
            "Your first tournament: four fish weighing 12 lbs in four minutes.",
            S::Canada,
            29,
            119,
            0.45,
            0.25,
            10,
            150,
            240,
            4,
            12,
            4,
            16,
            6,
            40,
            1,
            "Monster",
            2,
            0},
           202,
           {"CEDAR LAKE TOURNAMENT. THE CLOCK IS RUNNING! BRING IN FOUR FISH WEIGHING 12 LBS "
            "BEFORE IT STOPS.",
            "TIME MARKERS ADD TIME TO THE CLOCK. DRIVE OVER THEM.",
            "SOMETHING BIG LIVES IN THIS LAKE. IF IT REACHES YOUR BOAT IT EATS YOUR WHOLE CATCH. "
            "KEEP MOVING!",
            "BETTER LURES HOOK FISH FROM FARTHER AWAY. WIN PRIZES AND VISIT THE PLAYER MENU."},
           {"THE OLD CEDARS SAY A MONSTER WAS SEEN OFF THE POINT LAST SPRING. I SAY IT WAS A LOG. "
            "STILL... I DON'T FISH THE DEEP WATER AFTER DARK."},
           {20, 30}, {30, 30}));
  lakes.push_back(
      Make({"Willow_Bayou",
            "Slow brown water, lily pads and gators. Five fish, 17 lbs, no clock.",
            S::Bayou,
            39,
            159,
            0.40,
            0.45,
            25,
            400,
            0,
            5,
            17,
            5,
            18,
            8,
            55,
            2,
            "Gator",
            3,
            1},
           303,
           {"WILLOW BAYOU. NO CLOCK TODAY. TAKE YOUR TIME AND FIND THE BIG ONES.",
            "MIND THE STUMPS AND THE REEDS. FISH LOVE THE SHADE OF THE LILY PADS.",
            "GATORS! IF ONE COMES CLOSE OPEN THE THROTTLE AND RUN.",
            "THE CHANNEL TO THE EAST WINDS DEEP INTO THE SWAMP."},
           {"MY GRANDDADDY SANK A STRONGBOX IN THIS BAYOU WHEN THE REVENUE MEN CAME. NOBODY EVER "
            "FOUND IT. MAYBE YOU WILL.",
            "THAT OLD GATOR TOOK ALL MY FISH LAST WEEK. HE LIKES TO SIT BY THE DEEP HOLE."},
           {40, 60, 25}, {}));
  lakes.push_back(Make({"Red_Rock_Reservoir",
                        "A desert reservoir between red cliffs. Six fish, 22 lbs, five minutes.",
                        S::Canyon,
                        47,
                        199,
                        0.30,
                        0.20,
                        50,
                        900,
                        300,
                        6,
                        22,
                        6,
                        20,
                        9,
                        65,
                        2,
                        "Snapper",
                        3,
                        1},
                       404,
                       {"RED ROCK RESERVOIR. THE DAM IS BEHIND YOU AND THE CANYON WINDS AHEAD. "
                        "FIVE MINUTES ON THE CLOCK.",
                        "THE BASS HOLD IN THE DEEP WATER UNDER THE CLIFFS.",
                        "SNAPPING TURTLES BITE. STAY CLEAR OF THEM.",
                        "A ROD AND REEL UPGRADE CASTS FARTHER AND REELS FASTER."},
                       {"THEY FLOODED MY GRANDFATHER'S RANCH TO MAKE THIS LAKE. ON A CLEAR DAY YOU "
                        "CAN SEE THE BARN ROOF DOWN THERE. THE FISH LIVE IN IT NOW."},
                       {50, 75}, {45, 45}));
  lakes.push_back(Make(
      {"Loon_Lake", "Loons call across the islands. Catch eight fish to complete the lake.",
       S::Canada,   63,
       255,         0.45,
       0.55,        100,
       0,           0,
       8,           0,
       7,           24,
       10,          80,
       3,           "Serpent",
       3,           1},
      505,
      {"LOON LAKE. NO PRIZE HERE - JUST A LIMIT OF EIGHT FISH. COMPLETE IT AND THE NORTH OPENS UP.",
       "THE ISLANDS HIDE QUIET BAYS. THE BIG FISH LIKE QUIET.",
       "THERE ARE STORIES OF A SERPENT IN THE NARROWS. NOBODY BELIEVES THEM.",
       "LISTEN FOR THE LOONS AT DUSK."},
      {"I RUN THE CAMP ON THE NORTH SHORE. A GUEST SWORE HE SAW A SERPENT NECK RISE OUT OF THE "
       "WATER. HE LEFT THE NEXT MORNING WITHOUT HIS TACKLE BOX.",
       "TRY THE POINT PAST THE LITTLE ISLANDS. AND IF THE WATER STARTS TO BOIL... DRIVE."},
      {50, 100, 100}, {}));
  lakes.push_back(
      Make({"Cypress_Swamp",
            "Deep in the cypress swamp. Seven fish, 32 lbs, six minutes.",
            S::Bayou,
            79,
            319,
            0.38,
            0.55,
            150,
            2000,
            360,
            7,
            32,
            8,
            26,
            11,
            100,
            4,
            "Gator",
            3,
            2},
           606,
           {"CYPRESS SWAMP TOURNAMENT. SEVEN FISH AND 32 LBS BEFORE THE CLOCK RUNS OUT.",
            "THE SLOUGHS ARE FULL OF GATORS THIS SEASON. KEEP YOUR CATCH MOVING.",
            "TIME MARKERS ARE HIDDEN IN THE BACKWATERS.",
            "THE BIGGEST FISH SIT UNDER THE CYPRESS KNEES."},
           {"THE RANGER SAYS TO NOT FEED THE GATORS. NOBODY TOLD THE GATORS. THEY EAT WHATEVER YOU "
            "CATCH.",
            "I LOST A CHEST OF SILVER WHEN MY SKIFF TIPPED. IT'S OUT THERE FLOATING SOMEWHERE."},
           {100, 150}, {40, 40, 40}));
  lakes.push_back(Make({"Mesa_Lake", "A long lake under the mesas. Seven fish, 34 lbs, no clock.",
                        S::Canyon,   99,
                        399,         0.28,
                        0.30,        250,
                        3500,        0,
                        7,           34,
                        9,           28,
                        12,          120,
                        4,           "Snapper",
                        3,           2},
                       707,
                       {"MESA LAKE. THE WATER WINDS FAR UP INTO THE SIDE CANYONS.",
                        "THE OLD SNAPPERS HERE ARE AS BIG AS A TRUCK TIRE.",
                        "A NEW BOAT IS FASTER AND IT TURNS BETTER. SAVE YOUR PRIZES.",
                        "WIND COMES DOWN THE CANYON EVERY AFTERNOON."},
                       {"PROSPECTORS CAME THROUGH HERE BEFORE THE DAM. SOME OF THEIR GOLD WASHED "
                        "INTO THE LAKE. OR SO THEY SAY AT THE BAIT SHOP."},
                       {150, 200}, {}));
  lakes.push_back(Make({"Northern_Lights_Lake",
                        "Far north, under the lights. Eight fish, 41 lbs, seven minutes.",
                        S::Canada,
                        127,
                        511,
                        0.45,
                        0.60,
                        400,
                        5000,
                        420,
                        8,
                        41,
                        10,
                        30,
                        13,
                        140,
                        5,
                        "Serpent",
                        3,
                        2},
                       808,
                       {"NORTHERN LIGHTS LAKE. BRING IN EIGHT FISH AND 41 LBS IN SEVEN MINUTES. "
                        "THE BEST IN THE NORTH ARE HERE.",
                        "THE SERPENT OF LOON LAKE WAS REAL. ITS COUSINS LIVE HERE.",
                        "FISH THE DROP-OFFS AROUND THE ISLANDS.",
                        "TIME MARKERS BUY YOU TIME. GRAB THEM ON THE WAY."},
                       {"THE LIGHTS DANCE OVER THE LAKE ALL WINTER. IN SUMMER THE SERPENTS DANCE "
                        "INSTEAD. MIND YOUR CATCH.",
                        "MY FATHER GUIDED HERE FOR FORTY YEARS. HE SAID THE BIGGEST FISH NEVER "
                        "LEAVE THE DEEP MIDDLE."},
                       {200, 300}, {45, 45, 45}));
  lakes.push_back(Make(
      {"Alligator_Alley",
       "A maze of channels full of gators. Eight fish, 44 lbs, eight minutes.",
       S::Bayou,
       159,
       639,
       0.35,
       0.60,
       600,
       7500,
       480,
       8,
       44,
       11,
       32,
       14,
       170,
       6,
       "Gator",
       3,
       2},
      909,
      {"ALLIGATOR ALLEY. THE CHANNELS TWIST AND TURN. DON'T GET LOST WHEN THE CLOCK IS RUNNING.",
       "A SIX-GATOR SWAMP. THEY KNOW THE SOUND OF AN ENGINE.",
       "THE BACKWATERS HOLD THE HEAVY FISH.",
       "ONLY TWO LAKES STAND BETWEEN YOU AND THE CHAMPIONSHIP."},
      {"THEY CALL ME GATOR JOE. I'VE GOT ALL MY FINGERS. MOST FOLKS OUT HERE CAN'T SAY THAT.",
       "TREASURE? SURE. SMUGGLERS USED THESE CHANNELS. LOOK IN THE DEAD ENDS."},
      {250, 400}, {60, 60}));
  lakes.push_back(
      Make({"Thunder_Canyon",
            "The great canyon reservoir. Six fish, 34 lbs. Win it to reach the championship.",
            S::Canyon,
            199,
            799,
            0.25,
            0.30,
            800,
            12000,
            0,
            6,
            34,
            12,
            34,
            15,
            190,
            6,
            "Snapper",
            3,
            2},
           1010,
           {"THUNDER CANYON. WIN HERE AND THE WORLD CHAMPIONSHIP OPENS ITS DOORS.",
            "THE CANYON RUNS FOR MILES. THE FISH ARE BIG AND FEW.",
            "STORMS ROLL DOWN THE CANYON. FISH BITE BEST BEFORE THE THUNDER.",
            "THE SNAPPERS HERE HAVE NEVER LOST A FIGHT."},
           {"I'VE CLIMBED EVERY CLIFF IN THIS CANYON. THE BEST VIEW IS FROM THE WATER THOUGH. "
            "WATCH FOR THE OLD MINE CHESTS IN THE COVES."},
           {300, 500}, {}));
  lakes.push_back(Make(
      {"Endless_Bayou",
       "A wilderness of water without end. Catch six fish - and explore.",
       S::Bayou,
       499,
       1999,
       0.22,
       0.50,
       1000,
       0,
       0,
       6,
       0,
       12,
       36,
       16,
       257,
       12,
       "Monster",
       4,
       4},
      1111,
      {"ENDLESS BAYOU. NOBODY HAS SEEN ALL OF IT. NO PRIZE AND NO CLOCK - JUST SIX FISH AND ALL "
       "THE SWAMP YOU CAN EXPLORE.",
       "PIRATES HID THEIR LOOT ALL OVER THESE WATERS. THE CHESTS ARE STILL OUT THERE.",
       "THE MONSTERS HERE ARE OLDER THAN THE TREES.",
       "LOST? FOLLOW THE SHORE AND IT WILL LEAD YOU SOMEWHERE.",
       "YOU HAVE COME FARTHER THAN MOST. TURN BACK? NEVER!"},
      {"I CAME OUT HERE FORTY YEARS AGO TO FISH FOR A WEEK. I'M STILL LOOKING FOR THE WAY BACK. "
       "NICE PLACE THOUGH.",
       "THE PIRATE ROSE BURIED FIVE CHESTS. THE WATER TOOK THEM AND SCATTERED THEM FAR AND WIDE.",
       "LISTEN! SOMETHING BIG MOVES IN THE DEEP CHANNELS AT NIGHT."},
      {500, 750, 1000, 1500, 2500}, {}));
  lakes.push_back(Make(
      {"World_Championship",
       "The World Championship: ten fish, 63 lbs, ten minutes. Win it all!",
       S::Canada,
       149,
       599,
       0.45,
       0.45,
       2500,
       50000,
       600,
       10,
       63,
       12,
       38,
       18,
       257,
       8,
       "Monster",
       4,
       2},
      1212,
      {"THE WORLD CHAMPIONSHIP! TEN FISH AND 63 LBS IN TEN MINUTES AND YOU ARE THE GRAND CHAMPION.",
       "EVERY MONSTER YOU HAVE MET WAS ONLY PRACTICE.",
       "THE CROWD IS WATCHING FROM THE DOCKS. GOOD LUCK!",
       "TIME MARKERS ARE SCATTERED ACROSS THE LAKE."},
      {"I WON THIS TOURNAMENT THIRTY YEARS AGO. MY SECRET? NEVER STOP MOVING AND NEVER FISH WHERE "
       "THE MONSTER IS.",
       "THE WHOLE TOWN CAME OUT TO WATCH. DON'T LET US DOWN!"},
      {500}, {60, 60, 60, 60}));
  return lakes;
}

}  // namespace

const std::vector<LakeSpec>& Campaign() {
  static const std::vector<LakeSpec> lakes = Build();
  return lakes;
}

std::string LakeDefinitionText(const LakeSpec& l) {
  auto line = [](const char* key, const std::string& value) {
    return std::string(key) + "=" + value + "\r\n";
  };
  auto num = [&](const char* key, int32_t v) { return line(key, std::to_string(v)); };
  return "[Lake Data]\r\n" + line("Description", l.description) + num("MaxFish", l.maxFish) +
         num("Maxmonster", l.maxMonster) + line("MonsterKind", l.monsterKind) +
         num("Biggest", l.biggest) + num("Difficulty", l.difficulty) +
         num("Timed", l.timed ? 1 : 0) + num("Time", l.time) + line("ImageLib", l.imageLib) +
         num("EntryFee", l.entryFee) + num("PrizeMoney", l.prizeMoney) + num("Limit", l.limit) +
         num("WinIf", l.winIf) + num("Level", l.level);
}

std::string CatalogueText(const std::vector<LakeSpec>& lakes) {
  std::string text = "[Lakes]\r\n";
  for (size_t i = 0; i < lakes.size(); ++i) {
    text += "lake" + std::to_string(i + 1) + "=" + lakes[i].name + "\r\n";
  }
  return text;
}

WrappedSize MeasureWrapped(const std::string& text, int32_t limit) {
  WrappedSize size;
  if (text.empty()) return size;
  int32_t col = 1;
  size.lines = 1;
  for (char ch : text) {
    if (col > limit && ch == ' ') {
      ++size.lines;
      col = 1;
    } else {
      size.widest = std::max(size.widest, col);
      ++col;
    }
  }
  return size;
}

}  // namespace tw::bake
